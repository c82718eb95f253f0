// The console logging in against the stand-in on an account whose media
// index holds entries that no local file can carry: one name too long for
// any disk and one with a NUL. The panel shows without a single box, each
// entry is logged once, the other media arrive.
#include "../sync/ParamFixture.h"
#include "Checksum.h"
#include "ModalAnswerer.h"
#include "ServerDemo.h"

#include <QtTest>

class TestDoctoredIndex : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void unusableEntriesLeaveTheLoginGoing();

private:
    ServerDemo m_demo;
    QStringList m_media;
    const QString m_long = "IMAGE/" + QString(300, 'M') + ".png";
    const QString m_nul = QString("IMAGE/a") + QChar(0) + "b.png";
};

void TestDoctoredIndex::initTestCase()
{
    ZO_NEED_STANDIN();
    QVERIFY(m_demo.prepare(QStringLiteral("dix")));
    // The server's index with the two entries in front, as a foreign writer left it.
    ClassParam index;
    QVERIFY(index.getParamCrypt(m_demo.server("MEDIA.orvex"), QStringList{"ALL"}, 0));
    ParamList values;
    const QStringList added{m_long, m_nul};
    for (int k = 0; k < index.BALISE.value(0).size(); ++k) {
        const QString key = index.BALISE.at(0).at(k);
        // The writer closes the file with a fingerprint of its own.
        if (key == "EMPREINTE")
            continue;
        QString value = index.BALISE.value(1).value(k);
        if (key == "FILEPATH")
            m_media = value.split('|');
        if (key == "FILEPATH" || key == "FILECHK" || key == "FILESIZE" || key == "FILEPATHPERMISSION")
            value = (key == "FILEPATH" ? added.join('|') : key == "FILEPATHPERMISSION" ? "ADMINISTRATEUR|ADMINISTRATEUR"
                                                                                       : "1|1")
                + '|' + value;
        values << qMakePair(key, value);
    }
    QVERIFY(!m_media.isEmpty());
    QVERIFY(writeForeignParams(m_demo.server("MEDIA.orvex"), values));
}

void TestDoctoredIndex::cleanupTestCase()
{
    m_demo.stop();
}

void TestDoctoredIndex::unusableEntriesLeaveTheLoginGoing()
{
    ModalAnswerer answerer;
    // Regression: the 300-character entry restarted the login for ever, a box each time.
    QVERIFY(m_demo.start());
    QTest::qWait(500);
    QCOMPARE(answerer.texts(), QStringList());
    QCOMPARE(answerer.unexpected(), 0);

    for (const QString &path : qAsConst(m_media))
        QCOMPARE(CalculChecksum(m_demo.work(path)), CalculChecksum(m_demo.server(path)));
    const QString log = QString::fromUtf8(WorkDirFixture::mainLogOf(m_demo.work()));
    QCOMPARE(log.count("Entrée de l'index ignorée: " + m_long), 1);
    QCOMPARE(log.count("Entrée de l'index ignorée: IMAGE/a%00b.png"), 1);
}

QTEST_MAIN(TestDoctoredIndex)
#include "tst_doctoredindex_server.moc"
