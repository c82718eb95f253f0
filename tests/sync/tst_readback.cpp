// The read-back rule: two reads a short moment apart, three tries a read.
#include "ReadBack.h"
#include "TimeScale.h"

#include <QElapsedTimer>
#include <QtTest>

Q_DECLARE_METATYPE(ReadBack::Result)

class ReadBackTest : public QObject
{
    Q_OBJECT
private slots:
    void reads_data();
    void reads();
    void secondReadWaits();
};

void ReadBackTest::reads_data()
{
    // Each letter one read as the machine reports it: s shows the change,
    // n shows something else, f no answer or an error answer.
    QTest::addColumn<QString>("reads");
    QTest::addColumn<ReadBack::Result>("result");
    QTest::newRow("both reads show it") << "ss" << ReadBack::Shown;
    QTest::newRow("first read alone is not a success") << "s" << ReadBack::Pending;
    QTest::newRow("upload under way landed between the reads") << "sn" << ReadBack::NotShown;
    QTest::newRow("not there at the first read") << "n" << ReadBack::NotShown;
    QTest::newRow("three failed tries of the first read") << "fff" << ReadBack::Unchecked;
    QTest::newRow("three failed tries of the second read") << "sfff" << ReadBack::Unchecked;
    QTest::newRow("tries counted per read") << "ffsffs" << ReadBack::Shown;
}

void ReadBackTest::reads()
{
    QFETCH(QString, reads);
    QFETCH(ReadBack::Result, result);
    ReadBack back;
    back.start();
    for (const QChar r : reads) {
        QTRY_VERIFY(back.wantsRead());
        if (r == 'f')
            back.failed();
        else
            back.shown(r == 's');
    }
    QCOMPARE(back.result(), result);
    if (result != ReadBack::Pending)
        QVERIFY(!back.wantsRead());
}

void ReadBackTest::secondReadWaits()
{
    ReadBack back;
    back.start();
    QVERIFY(back.wantsRead());
    QElapsedTimer clock;
    clock.start();
    back.shown(true);
    QCOMPARE(back.read(), 2);
    QTRY_VERIFY(back.wantsRead());
    QVERIFY(clock.elapsed() >= TimeScale::ms(ReadBack::SecondReadMs));
    // A failed try of the second read is tried again at once.
    back.failed();
    QVERIFY(back.wantsRead());
    QCOMPARE(back.failures(), 1);
}

QTEST_GUILESS_MAIN(ReadBackTest)
#include "tst_readback.moc"
