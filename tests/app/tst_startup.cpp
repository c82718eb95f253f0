#include "StartupTiming.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

// Font scale from the screen density and the start-up wait.
class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void fontRatio_data();
    void fontRatio();
    void delayDispatchesEvents();
};

void TestStartup::fontRatio_data()
{
    QTest::addColumn<double>("dpi");
    QTest::addColumn<float>("ratio");

    QTest::newRow("low density") << 48.0 << 1.7f;
    QTest::newRow("72.9 counts as 72") << 72.9 << 1.7f;
    QTest::newRow("73") << 73.0 << 1.0f;
    QTest::newRow("96") << 96.0 << 1.0f;
    QTest::newRow("108") << 108.0 << 1.0f;
    QTest::newRow("108.9 counts as 108") << 108.9 << 1.0f;
    QTest::newRow("109") << 109.0 << 1.1f;
    QTest::newRow("120") << 120.0 << 1.1f;
    QTest::newRow("121") << 121.0 << 1.2f;
    QTest::newRow("144") << 144.0 << 1.2f;
    QTest::newRow("145") << 145.0 << 1.3f;
    QTest::newRow("168") << 168.0 << 1.3f;
    QTest::newRow("169") << 169.0 << 1.0f;
    QTest::newRow("retina") << 220.0 << 1.0f;
}

void TestStartup::fontRatio()
{
    QFETCH(double, dpi);
    QFETCH(float, ratio);
    QCOMPARE(fontRatioForDpi(dpi), ratio);
}

void TestStartup::delayDispatchesEvents()
{
    bool fired = false;
    QTimer::singleShot(50, this, [&fired] { fired = true; });
    QElapsedTimer clock;
    clock.start();
    delay(300);
    const qint64 elapsed = clock.elapsed();
    QVERIFY(fired);
    QVERIFY2(elapsed >= 300, qPrintable(QString::number(elapsed)));
    QVERIFY2(elapsed < 1000, qPrintable(QString::number(elapsed)));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
