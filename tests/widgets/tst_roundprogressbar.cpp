#include "QRoundProgressBar.h"
#include "ZoScreenshot.h"
#include "ZoTestInit.h"

#include <QPainter>
#include <QtTest>

// Exposes the text formatting and counts paint events.
class ProbeBar : public QRoundProgressBar
{
public:
    using QRoundProgressBar::valueToText;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        ++paints;
        QRoundProgressBar::paintEvent(event);
    }
};

// Round progress bar: range and value clamping, text formats, repaint on
// change only, and what each style paints.
class RoundProgressBarTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void range_data();
    void range();
    void text_data();
    void text();
    void decimalsIgnoresNegative();
    void repaintsOnlyOnChange();
    void painting_data();
    void painting();
    void paintsSquareAtTopLeft();
    void looks_data();
    void looks();

private:
    static void paletteForPixels(QWidget &bar);
    static int redPixels(const QImage &image, const QRect &area);
};

void RoundProgressBarTest::initTestCase()
{
    zoInitWidgetTest();
}

void RoundProgressBarTest::range_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("value");

    QTest::newRow("defaults") << "none" << 0.0 << 0.0 << 0.0 << 100.0 << 25.0;
    QTest::newRow("minimum above maximum swaps") << "setMinimum" << 150.0 << 0.0 << 100.0 << 150.0 << 100.0;
    QTest::newRow("maximum below minimum swaps") << "setMaximum" << -10.0 << 0.0 << -10.0 << 0.0 << 0.0;
    QTest::newRow("reversed range") << "setRange" << 50.0 << 10.0 << 10.0 << 50.0 << 25.0;
    QTest::newRow("range clamps the value") << "setRange" << 30.0 << 60.0 << 30.0 << 60.0 << 30.0;
    QTest::newRow("value below the minimum") << "setValue" << -5.0 << 0.0 << 0.0 << 100.0 << 0.0;
    QTest::newRow("value above the maximum") << "setValue" << 250.0 << 0.0 << 0.0 << 100.0 << 100.0;
    QTest::newRow("value inside") << "setValue" << 42.5 << 0.0 << 0.0 << 100.0 << 42.5;
    QTest::newRow("int value") << "setValueInt" << 73.0 << 0.0 << 0.0 << 100.0 << 73.0;
}

void RoundProgressBarTest::range()
{
    QFETCH(QString, call);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, value);

    QRoundProgressBar bar;
    if (call == QLatin1String("setMinimum"))
        bar.setMinimum(a);
    else if (call == QLatin1String("setMaximum"))
        bar.setMaximum(a);
    else if (call == QLatin1String("setRange"))
        bar.setRange(a, b);
    else if (call == QLatin1String("setValue"))
        bar.setValue(a);
    else if (call == QLatin1String("setValueInt"))
        bar.setValue(int(a));
    QCOMPARE(bar.minimum(), min);
    QCOMPARE(bar.maximum(), max);
    QCOMPARE(bar.value(), value);
}

void RoundProgressBarTest::text_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("default percent") << "%p%" << 1 << 0.0 << 100.0 << 25.0 << "25.0%";
    QTest::newRow("percent, no decimals") << "%p%" << 0 << 0.0 << 100.0 << 64.0 << "64%";
    QTest::newRow("percent of an offset range") << "%p%" << 0 << 10.0 << 20.0 << 15.0 << "50%";
    QTest::newRow("value and span") << "%v sur %m" << 0 << 0.0 << 100.0 << 25.0 << "25 sur 101";
    QTest::newRow("every marker, twice") << "%v/%v %p %m" << 2 << 0.0 << 50.0 << 5.0 << "5.00/5.00 10.00 51.00";
    QTest::newRow("markers are case-sensitive") << "%V %P" << 0 << 0.0 << 100.0 << 25.0 << "%V %P";
    QTest::newRow("empty format") << "" << 1 << 0.0 << 100.0 << 25.0 << "";
    QTest::newRow("empty range divided by zero") << "%p%" << 0 << 5.0 << 5.0 << 5.0 << "100%";
}

void RoundProgressBarTest::text()
{
    QFETCH(QString, format);
    QFETCH(int, decimals);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, value);
    QFETCH(QString, expected);

    ProbeBar bar;
    bar.setFormat(format);
    if (format.isEmpty())
        bar.resetFormat();
    bar.setDecimals(decimals);
    bar.setRange(min, max);
    bar.setValue(value);
    QCOMPARE(bar.valueToText(bar.value()), expected);
}

void RoundProgressBarTest::decimalsIgnoresNegative()
{
    ProbeBar bar;
    bar.setDecimals(-1);
    QCOMPARE(bar.decimals(), 1);
    QCOMPARE(bar.valueToText(25), QStringLiteral("25.0%"));
}

void RoundProgressBarTest::repaintsOnlyOnChange()
{
    ProbeBar bar;
    bar.resize(100, 100);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QTRY_VERIFY(bar.paints > 0);

    bar.paints = 0;
    bar.setValue(30.0);
    QTRY_COMPARE(bar.paints, 1);
    bar.setValue(30.0);
    bar.setValue(30);
    QTest::qWait(50);
    QCOMPARE(bar.paints, 1);
}

void RoundProgressBarTest::paletteForPixels(QWidget &bar)
{
    QPalette palette = bar.palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, Qt::gray);
    palette.setColor(QPalette::Shadow, Qt::darkGray);
    palette.setColor(QPalette::Highlight, Qt::red);
    palette.setColor(QPalette::Text, Qt::blue);
    bar.setPalette(palette);
}

int RoundProgressBarTest::redPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += (c.red() > 200 && c.green() < 80 && c.blue() < 80) ? 1 : 0;
        }
    }
    return count;
}

void RoundProgressBarTest::painting_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("topRight");
    QTest::addColumn<bool>("bottomLeft");
    QTest::addColumn<bool>("centre");

    // A quarter from 12 o'clock, clockwise, covers the top-right quadrant.
    QTest::newRow("ring, a quarter") << 0 << 25.0 << true << false << false;
    QTest::newRow("ring, full") << 0 << 100.0 << true << true << false;
    QTest::newRow("ring, empty") << 0 << 0.0 << false << false << false;
    QTest::newRow("pie, a quarter") << 1 << 25.0 << true << false << true;
    QTest::newRow("pie, full") << 1 << 100.0 << true << true << true;
    QTest::newRow("pie, empty") << 1 << 0.0 << false << false << false;
    QTest::newRow("line, a quarter") << 2 << 25.0 << true << false << false;
    QTest::newRow("line, full") << 2 << 100.0 << true << true << false;
    QTest::newRow("line, empty") << 2 << 0.0 << false << false << false;
    QTest::newRow("growing disc, a quarter") << 3 << 25.0 << false << false << true;
    QTest::newRow("growing disc, full") << 3 << 100.0 << true << true << true;
    QTest::newRow("growing disc, empty") << 3 << 0.0 << false << false << false;
}

void RoundProgressBarTest::painting()
{
    QFETCH(int, style);
    QFETCH(double, value);
    QFETCH(bool, topRight);
    QFETCH(bool, bottomLeft);
    QFETCH(bool, centre);

    QRoundProgressBar bar;
    paletteForPixels(bar);
    bar.resize(100, 100);
    bar.resetFormat();
    // A wide pen makes the line visible; elsewhere it would hide the centre.
    bar.setDataPenWidth(style == 2 ? 6 : 1);
    bar.setBarStyle(QRoundProgressBar::BarStyle(style));
    bar.setValue(value);
    const QImage image = bar.grab().toImage();

    // Points near the rim at 45 degrees, where every style draws its value.
    const QRect nearTopRight(80, 14, 6, 6);
    const QRect nearBottomLeft(14, 80, 6, 6);
    const QRect middle(47, 47, 6, 6);
    QCOMPARE(redPixels(image, nearTopRight) > 0, topRight);
    QCOMPARE(redPixels(image, nearBottomLeft) > 0, bottomLeft);
    QCOMPARE(redPixels(image, middle) > 0, centre);
    if (value == 0.0)
        QCOMPARE(redPixels(image, image.rect()), 0);
}

void RoundProgressBarTest::paintsSquareAtTopLeft()
{
    QRoundProgressBar bar;
    paletteForPixels(bar);
    bar.resize(200, 120);
    bar.resetFormat();
    bar.setBarStyle(QRoundProgressBar::StylePie);
    bar.setValue(100.0);
    const QImage image = bar.grab().toImage();
    QVERIFY(redPixels(image, QRect(55, 55, 10, 10)) > 0);
    QCOMPARE(redPixels(image, QRect(125, 0, 75, 120)), 0);
    QVERIFY(bar.hasHeightForWidth());
    QCOMPARE(bar.heightForWidth(77), 77);
    QCOMPARE(bar.minimumSizeHint(), QSize(32, 32));
}

void RoundProgressBarTest::looks_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("file");

    QTest::newRow("ring") << 0 << "roundbar-donut.png";
    QTest::newRow("pie") << 1 << "roundbar-pie.png";
    QTest::newRow("line") << 2 << "roundbar-line.png";
    QTest::newRow("growing disc") << 3 << "roundbar-expand.png";
}

void RoundProgressBarTest::looks()
{
    QFETCH(int, style);
    QFETCH(QString, file);

    // Set up as the message overlay does: range 0 to 100, "%p%", blue value.
    QRoundProgressBar bar;
    bar.setStyleSheet(QStringLiteral("border:white;background-color:rgb(178,178,178);color:black"));
    QPalette palette = bar.palette();
    palette.setColor(QPalette::Highlight, QColor(0, 128, 255));
    palette.setColor(QPalette::AlternateBase, QColor(230, 230, 230));
    bar.setPalette(palette);
    QFont font(QStringLiteral("Avenir"));
    font.setBold(true);
    bar.setFont(font);
    bar.setBarStyle(QRoundProgressBar::BarStyle(style));
    bar.setOutlinePenWidth(style == 2 ? 8 : 1);
    bar.setDataPenWidth(style == 2 ? 8 : 1);
    bar.setDecimals(0);
    bar.setRange(0, 100);
    bar.setValue(65);
    bar.resize(160, 160);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QVERIFY(saveScreenshot(&bar, file));
}

QTEST_MAIN(RoundProgressBarTest)
#include "tst_roundprogressbar.moc"
