// Waits between polls follow ZOMANAGER_TIME_SCALE; network time-outs do not
// (a busy machine failed sound exchanges), unless the test of a time-out
// shortens them itself.
#include "StepTimeout.h"
#include "TimeScale.h"

#include <QtTest>

#include <optional>

class StepTimeoutTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void lengths_data();
    void lengths();
    void networkTimeoutOutlastsTheScale();
};

void StepTimeoutTest::initTestCase()
{
    QCOMPARE(TimeScale::factor(), 50.0);
}

void StepTimeoutTest::lengths_data()
{
    QTest::addColumn<bool>("wait");
    QTest::addColumn<double>("shorten"); // 0: no shortening
    QTest::addColumn<int>("ms");
    QTest::addColumn<int>("length");
    QTest::newRow("wait between polls scaled") << true << 0.0 << 60000 << 1200;
    QTest::newRow("network time-out shortened by the time scale") << false << 0.0 << 5000 << 5000;
    QTest::newRow("row about a time-out shortens it") << false << 50.0 << 5000 << 100;
    QTest::newRow("shortening leaves waits alone") << true << 10.0 << 60000 << 1200;
    QTest::newRow("shortening below 1 is none") << false << 0.5 << 5000 << 5000;
}

void StepTimeoutTest::lengths()
{
    QFETCH(bool, wait);
    QFETCH(double, shorten);
    QFETCH(int, ms);
    QFETCH(int, length);
    {
        std::optional<TimeScale::ShortTimeouts> shorter;
        if (shorten > 0)
            shorter.emplace(shorten);
        QCOMPARE(wait ? TimeScale::ms(ms) : TimeScale::timeoutMs(ms), length);
    }
    // Over with the row.
    QCOMPARE(TimeScale::timeoutMs(5000), 5000);
}

void StepTimeoutTest::networkTimeoutOutlastsTheScale()
{
    StepTimeout answer;
    StepTimeout poll;
    answer.Init(5000);
    poll.InitWait(5000);
    QTRY_VERIFY(poll.expired()); // 100 ms
    QVERIFY(!answer.expired());
}

QTEST_GUILESS_MAIN(StepTimeoutTest)
#include "tst_steptimeout.moc"
