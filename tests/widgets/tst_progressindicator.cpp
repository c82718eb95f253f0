#include "QProgressIndicator.h"
#include "ZoScreenshot.h"
#include "ZoTestInit.h"

#include <QSet>
#include <QtTest>

// Records the timers that drive the animation.
class ProbeSpinner : public QProgressIndicator
{
public:
    QSet<int> timerIds;
    int steps = 0;

protected:
    void timerEvent(QTimerEvent *event) override
    {
        timerIds.insert(event->timerId());
        ++steps;
        QProgressIndicator::timerEvent(event);
    }
};

// Busy spinner: animation timer handling, painting when stopped, and the
// capsule geometry at the 32-pixel threshold.
class ProgressIndicatorTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void startTwiceRunsOneTimer();
    void turnsThirtyDegreesPerStep();
    void delayWhileStopped();
    void delayWhileRunning();
    void stoppedPaintsOnlyWhenAsked();
    void capsuleWidth_data();
    void capsuleWidth();
    void properties();
    void looks();

private:
    static int darkPixels(const QImage &image, const QRect &area);
};

void ProgressIndicatorTest::initTestCase()
{
    zoInitWidgetTest();
}

int ProgressIndicatorTest::darkPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(image.pixel(x, y)) < 60 ? 1 : 0;
    }
    return count;
}

void ProgressIndicatorTest::startTwiceRunsOneTimer()
{
    ProbeSpinner spinner;
    spinner.startAnimation();
    spinner.startAnimation();
    QVERIFY(spinner.isAnimated());
    QTRY_VERIFY(spinner.steps >= 5);
    QCOMPARE(spinner.timerIds.size(), 1);

    spinner.stopAnimation();
    QVERIFY(!spinner.isAnimated());
    const int steps = spinner.steps;
    QTest::qWait(120);
    QCOMPARE(spinner.steps, steps);
}

void ProgressIndicatorTest::turnsThirtyDegreesPerStep()
{
    ProbeSpinner spinner;
    spinner.startAnimation();
    QTRY_VERIFY(spinner.steps >= 13);
    spinner.stopAnimation();
    QCOMPARE(spinner.angle(), (spinner.steps * 30) % 360);

    // A new start begins from 12 o'clock again.
    spinner.startAnimation();
    QCOMPARE(spinner.angle(), 0);
}

void ProgressIndicatorTest::delayWhileStopped()
{
    ProbeSpinner spinner;
    spinner.setAnimationDelay(100);
    QVERIFY(!spinner.isAnimated());
    QCOMPARE(spinner.animationDelay(), 100);
    QTest::qWait(60);
    QCOMPARE(spinner.steps, 0);

    spinner.startAnimation();
    QTest::qWait(450);
    // 100 ms steps: about four, never the eleven of the default delay.
    QVERIFY2(spinner.steps >= 2 && spinner.steps <= 6, qPrintable(QString::number(spinner.steps)));
}

void ProgressIndicatorTest::delayWhileRunning()
{
    ProbeSpinner spinner;
    spinner.startAnimation();
    QTRY_VERIFY(spinner.steps >= 1);
    spinner.setAnimationDelay(200);
    const int steps = spinner.steps;
    QTest::qWait(450);
    // 200 ms steps from now on: two, not the eleven of the old delay.
    QVERIFY2(spinner.steps - steps <= 3, qPrintable(QString::number(spinner.steps - steps)));
    QVERIFY(spinner.isAnimated());
}

void ProgressIndicatorTest::stoppedPaintsOnlyWhenAsked()
{
    QProgressIndicator spinner;
    spinner.resize(60, 60);
    QCOMPARE(darkPixels(spinner.grab().toImage(), QRect(0, 0, 60, 60)), 0);

    spinner.setDisplayedWhenStopped(true);
    QVERIFY(spinner.isDisplayedWhenStopped());
    QVERIFY(darkPixels(spinner.grab().toImage(), QRect(0, 0, 60, 60)) > 0);

    spinner.setDisplayedWhenStopped(false);
    spinner.startAnimation();
    QVERIFY(darkPixels(spinner.grab().toImage(), QRect(0, 0, 60, 60)) > 0);
}

void ProgressIndicatorTest::capsuleWidth_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("width");

    // 32: capsule 10 high, 0.35 ratio gives 3; 33: 10 high, 0.23 gives 2.
    QTest::newRow("32 uses the 0.35 ratio") << 32 << 3;
    QTest::newRow("33 uses the 0.23 ratio") << 33 << 2;
    // 100: outer 49, inner 18, 31 high; 0.23 gives 7.
    QTest::newRow("100") << 100 << 7;
}

void ProgressIndicatorTest::capsuleWidth()
{
    QFETCH(int, side);
    QFETCH(int, width);

    QProgressIndicator spinner;
    spinner.setDisplayedWhenStopped(true);
    spinner.resize(side, side);
    const QImage image = spinner.grab().toImage();
    // The leading capsule points straight up from the centre; measure it
    // two pixels below its outer end.
    const int centre = (side - 1) / 2;
    const int outer = int((side - 1) * 0.5);
    const int row = centre - outer + 2;
    QCOMPARE(darkPixels(image, QRect(centre - 5, row, 11, 1)), width);
}

void ProgressIndicatorTest::properties()
{
    QProgressIndicator spinner;
    QCOMPARE(spinner.sizeHint(), QSize(50, 50));
    QCOMPARE(spinner.heightForWidth(42), 42);
    QCOMPARE(spinner.focusPolicy(), Qt::NoFocus);
    QCOMPARE(spinner.sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    QVERIFY(spinner.setProperty("delay", 80));
    QVERIFY(spinner.setProperty("color", QColor(Qt::white)));
    QVERIFY(spinner.setProperty("displayedWhenStopped", true));
    QCOMPARE(spinner.animationDelay(), 80);
    QCOMPARE(spinner.color(), QColor(Qt::white));
    QVERIFY(spinner.isDisplayedWhenStopped());
}

void ProgressIndicatorTest::looks()
{
    // On the grey band of the message overlay.
    QWidget band;
    band.setStyleSheet(QStringLiteral("background-color:rgb(178,178,178);"));
    band.resize(120, 120);
    QProgressIndicator spinner(&band);
    spinner.setStyleSheet(QStringLiteral("background-color:rgba(178,178,178,0%);color:black"));
    spinner.setGeometry(20, 20, 80, 80);
    spinner.startAnimation();
    band.show();
    QVERIFY(QTest::qWaitForWindowExposed(&band));
    QTest::qWait(150);
    QVERIFY(saveScreenshot(&band, QStringLiteral("spinner.png")));
}

QTEST_MAIN(ProgressIndicatorTest)
#include "tst_progressindicator.moc"
