#include "TimerProcess.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QtTest>

class TimerProcessTest : public QObject
{
    Q_OBJECT
private slots:
    void notPositiveExpiresAtOnce_data();
    void notPositiveExpiresAtOnce();
    void runsThenExpiresAndStays();
    void rearmingRestartsTheCount();
    void timeOutNeverEndsEarly();
    void sablierCountsDown();
};

void TimerProcessTest::notPositiveExpiresAtOnce_data()
{
    QTest::addColumn<int>("ms");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -5;
}

void TimerProcessTest::notPositiveExpiresAtOnce()
{
    QFETCH(int, ms);
    TimerProcess t;
    t.Init(5000);
    t.Init(ms);
    QCOMPARE(t.update(), 1);
    QCOMPARE(t.Sablier(), QString());
    QTest::qWait(20);
    QCOMPARE(t.update(), 1);
}

void TimerProcessTest::runsThenExpiresAndStays()
{
    TimerProcess t;
    t.Init(100);
    QCOMPARE(t.update(), -1);
    QTRY_COMPARE_WITH_TIMEOUT(t.update(), 1, 2000);
    QTest::qWait(150);
    QCOMPARE(t.update(), 1);
}

void TimerProcessTest::rearmingRestartsTheCount()
{
    TimerProcess t;
    QElapsedTimer clock;
    t.Init(300);
    QTest::qWait(200);
    clock.start();
    t.Init(300);
    while (t.update() != 1 && clock.elapsed() < 3000)
        QTest::qWait(5);
    QCOMPARE(t.update(), 1);
    QVERIFY2(clock.elapsed() >= 290, qPrintable(QString::number(clock.elapsed())));
}

// Qt's default coarse timer may fire up to 5 % early, depending on when it
// is armed: twenty time-outs armed at different moments cover that spread.
void TimerProcessTest::timeOutNeverEndsEarly()
{
    constexpr int count = 20;
    constexpr int ms = 290;
    TimerProcess timers[count];
    QElapsedTimer clocks[count];
    qint64 ended[count];
    for (int i = 0; i < count; ++i) {
        clocks[i].start();
        timers[i].Init(ms);
        ended[i] = -1;
        QTest::qWait(7);
    }
    int open = count;
    while (open > 0) {
        QTest::qWait(1);
        for (int i = 0; i < count; ++i) {
            if (ended[i] < 0 && timers[i].update() == 1) {
                ended[i] = clocks[i].elapsed();
                --open;
            }
        }
    }
    for (int i = 0; i < count; ++i)
        QVERIFY2(ended[i] >= ms, qPrintable(QStringLiteral("time-out %1 ended after %2 ms").arg(i).arg(ended[i])));
}

void TimerProcessTest::sablierCountsDown()
{
    TimerProcess t;
    t.Init(4000);
    QCOMPARE(t.Sablier(), QStringLiteral("(5)"));
    t.Init(30);
    QTRY_COMPARE(t.update(), 1);
    QTest::qWait(10);
    QCOMPARE(t.Sablier(), QStringLiteral("(OK)"));
}

QTEST_MAIN(TimerProcessTest)
#include "tst_timerprocess.moc"
