#include "EditorFixture.h"
#include "TextFormatBar.h"
#include "ZoScreenshot.h"

#include <QToolButton>
#include <QtTest>

#include <cmath>

// The editor's tool bar as the user sees it: its white icons must stand out
// from the bar's grey.
class TestToolBarLook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void whiteIconsReadable();

private:
    static double luminance(QRgb c);
};

void TestToolBarLook::initTestCase()
{
    zoInitWidgetTest();
    Q_INIT_RESOURCE(qml);
}

double TestToolBarLook::luminance(QRgb c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

void TestToolBarLook::whiteIconsReadable()
{
    EditorFixture fixture;
    const std::unique_ptr<TextEditSimple> page = fixture.makePage();
    QTest::qWait(100);
    TextFormatBar *bar = page->formatBar();
    QVERIFY(saveScreenshot(page.get(), QStringLiteral("editor-toolbar.png")));
    const QImage shot = bar->grab().toImage().convertToFormat(QImage::Format_RGB32);

    // The bar's own colour: the most frequent one of the grab.
    QHash<QRgb, int> counts;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x)
            ++counts[shot.pixel(x, y)];
    }
    QRgb grey = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(grey))
            grey = it.key();
    }

    int measured = 0;
    for (QToolButton *button : bar->findChildren<QToolButton *>()) {
        if (!button->isVisible() || button->icon().isNull() || button->defaultAction() == nullptr)
            continue;
        const QSize icon = button->iconSize();
        const QRect area(button->mapTo(bar, QPoint((button->width() - icon.width()) / 2, 2)), icon);
        double lightest = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (shot.rect().contains(x, y))
                    lightest = qMax(lightest, luminance(shot.pixel(x, y)));
            }
        }
        // Only the icons drawn lighter than the bar.
        if (lightest <= luminance(grey))
            continue;
        ++measured;
        const double ratio = (lightest + 0.05) / (luminance(grey) + 0.05);
        // Regression: white on the grey measured 2.71:1.
        QVERIFY2(ratio >= 3.0, qPrintable(QStringLiteral("%1: contrast %2:1")
                                              .arg(button->defaultAction()->iconText())
                                              .arg(ratio, 0, 'f', 2)));
    }
    QVERIFY(measured > 0);
}

QTEST_MAIN(TestToolBarLook)
#include "tst_toolbarlook.moc"
