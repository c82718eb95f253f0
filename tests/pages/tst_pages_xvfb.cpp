#include "PagesFixture.h"
#include "ZoScreenshot.h"
#include "classReseaux.h"
#include "classTactile.h"
#include "classVersion.h"
#include "classWidget.h"

#include <QComboBox>
#include <QLabel>
#include <QTextEdit>
#include <QtTest>

// The three pages on a real X server, filled from a screen of the demo
// account, grabbed for review.
class PagesXvfbTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void widgetPage();
    void publicationPage();
    void touchPage();
    void noPreviewNoFrame_data();
    void noPreviewNoFrame();

private:
    // Shows the page at the panel's size and lets it lay itself out.
    static void present(QWidget &page, int rotation);

    std::unique_ptr<PagesFixture> m_fx;
};

void PagesXvfbTest::initTestCase()
{
    zoInitWidgetTest();
    qputenv("ZOMANAGER_BASE_URL", "https://zomanager.example.net/");
    m_fx.reset(new PagesFixture);
    const QString demo = qEnvironmentVariable("ZO_SOURCE_DIR") + "/demo/zolink/zobox/zo_demo/IMAGE/";
    for (const char *name : {"menu-du-jour.jpg", "promo-cafe.jpg"})
        QVERIFY(QFile::copy(demo + name, m_fx->path(QStringLiteral("IMAGE/") + name)));
    QVERIFY(m_fx->writePlayer({{"SLIDETYPE", "|WIDGETMETEO|"},
                               {"SLIDENAMEIMAGE", "IMAGE/menu-du-jour.jpg||IMAGE/promo-cafe.jpg"},
                               {"SLIDENAMETXT", "||"},
                               {"NOMAFFICHE", "Menu du jour|Météo|Promo café"},
                               {"WIDGETMETEOZIP", "|34000|"},
                               {"WIDGETMETEOLANGUE", "|fr|"},
                               {"WIDGETMETEOCITY", "|Montpellier|"},
                               {"WEBAPPURL", "https://carte.example.fr/table"},
                               {"WEBAPPTIMEOUT", "45000"},
                               {"NETWORK", "SiteWeb|Facebook"},
                               {"WEBSITE", "2"},
                               {"LINKSITE", ""}}));
}

void PagesXvfbTest::present(QWidget &page, int rotation)
{
    // The top window's style sheet, which the pages inherit there.
    page.setStyleSheet(classVersion().Style());
    page.resize(1280, 800);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QMetaObject::invokeMethod(&page, "slotResize", Q_ARG(int, 1280), Q_ARG(int, 800), Q_ARG(int, rotation));
    QTest::qWait(200);
}

void PagesXvfbTest::widgetPage()
{
    classWidget page;
    present(page, 0);
    page.slotUpdateWidget(1);
    QTest::qWait(200);
    QCOMPARE(page.findChild<QComboBox *>("kindList")->currentText(), QStringLiteral("METEO"));
    QVERIFY(saveScreenshot(&page, "screenshot-widget.png"));
}

void PagesXvfbTest::publicationPage()
{
    classReseaux page;
    present(page, 0);
    page.slotUpdateReseaux("demo", "ZB-1001");
    QTest::qWait(200);
    QCOMPARE(page.findChild<QComboBox *>("posterChoice")->currentText(), QStringLiteral("Promo café"));
    QCOMPARE(page.findChild<QTextEdit *>("linkBox")->toPlainText(),
             QStringLiteral("https://zomanager.example.net/zobox/zo_demo/LINKS/ZB-1001/index.html"));
    QVERIFY(saveScreenshot(&page, "screenshot-reseaux.png"));
}

void PagesXvfbTest::touchPage()
{
    classTactile page;
    present(page, 0);
    page.slotUpdateWidget(0);
    QTest::qWait(200);
    QCOMPARE(page.findChild<QComboBox *>("kindList")->currentText(), QStringLiteral("WEB APPLICATION"));
    QVERIFY(saveScreenshot(&page, "screenshot-tactile.png"));
}

void PagesXvfbTest::noPreviewNoFrame_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("poster");
    // Regression: the empty preview frame drew its blue border as a 2x2 dot.
    QTest::newRow("widget page OFF: blue dot") << "classWidget" << 0;
    QTest::newRow("touch page OFF: blue dot") << "classTactile" << 0;
}

void PagesXvfbTest::noPreviewNoFrame()
{
    QFETCH(QString, page);
    QFETCH(int, poster);
    // The touch page reads whole-screen keys: no application here.
    QVERIFY(m_fx->writePlayer({{"SLIDETYPE", "||"}, {"WEBAPPURL", ""}, {"WEBAPPTIMEOUT", ""}}));
    std::unique_ptr<QWidget> shown;
    if (page == "classWidget")
        shown.reset(new classWidget);
    else
        shown.reset(new classTactile);
    present(*shown, 0);
    QMetaObject::invokeMethod(shown.get(), "slotUpdateWidget", Q_ARG(int, poster));
    QTest::qWait(100);
    auto *kinds = shown->findChild<QComboBox *>("kindList");
    QCOMPARE(kinds->currentText(), QStringLiteral("OFF"));

    // Left of the kind list, between it and the buttons, only the preview lives.
    const QImage shot = shown->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect kindRect(kinds->mapTo(shown.get(), QPoint()), kinds->size());
    const QRect previewCell(0, kindRect.bottom() + 1, kindRect.left(), shot.height() - kindRect.bottom() - 120);
    int blue = 0;
    for (int y = previewCell.top(); y <= previewCell.bottom(); ++y) {
        for (int x = previewCell.left(); x <= previewCell.right(); ++x) {
            const QRgb c = shot.pixel(x, y);
            blue += qRed(c) < 60 && qGreen(c) > 90 && qGreen(c) < 170 && qBlue(c) > 200;
        }
    }
    QCOMPARE(blue, 0);
}

QTEST_MAIN(PagesXvfbTest)
#include "tst_pages_xvfb.moc"
