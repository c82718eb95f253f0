#include "LiveContentTypes.h"

#include <QApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QTemporaryDir>
#include <QtTest>
#include <QtWebView>

// A web-page poster in a zone on a real X server: the zone makes its web
// view on first use, shows the poster's page and hides it for the next
// poster. The page is a local file: nothing leaves the machine.
class TestSiteWebXvfb : public QObject
{
    Q_OBJECT

private slots:
    void webPosterShowsItsPage();
};

void TestSiteWebXvfb::webPosterShowsItsPage()
{
    QTemporaryDir dir;
    QFile page(dir.filePath(QStringLiteral("page.html")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><body style='background:#0a0'><h1>Carte du jour</h1></body></html>");
    page.close();
    const QString url = QUrl::fromLocalFile(page.fileName()).toString();

    LiveContentTypes::registerTypes();
    QQuickView view;
    view.setResizeMode(QQuickView::SizeRootObjectToView);
    view.setSource(QUrl(QStringLiteral("qrc:///qml/EcranSimple.qml")));
    QVERIFY2(view.status() == QQuickView::Ready, qPrintable(view.errors().value(0).toString()));
    view.resize(480, 270);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QObject *zone = view.rootObject();
    auto *web = zone->findChild<QQuickItem *>(QStringLiteral("mywebView"));
    QVERIFY(web);
    QCOMPARE(web->property("active").toBool(), false);

    const QStringList none{QString(), QString()};
    zone->setProperty("playlistType", QStringList{"WIDGETSITEWEB", ""});
    zone->setProperty("playlistDelay", QStringList{"1", "5"});
    zone->setProperty("playlistImage", QStringList{"", "qrc:/img/Wait.png"});
    zone->setProperty("playlistVideo", none);
    zone->setProperty("playlistTxt", none);
    zone->setProperty("playlistOpacity", QStringList{"100", "100"});
    zone->setProperty("playlistRssAdress", QStringList{url, ""});
    zone->setProperty("playlistRssDelay", none);
    QVERIFY(QMetaObject::invokeMethod(zone, "goToNextMedia"));
    QVERIFY(web->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(web->property("item").value<QQuickItem *>(), 10000);
    auto *item = web->property("item").value<QQuickItem *>();
    QCOMPARE(item->property("url").toUrl(), QUrl(url));
    // The plain poster after it hides the page.
    QTRY_VERIFY_WITH_TIMEOUT(!web->isVisible(), 4000);
}

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(qml);
    Q_INIT_RESOURCE(resources);
    QtWebView::initialize();
    QApplication app(argc, argv);
    TestSiteWebXvfb test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_siteweb_xvfb.moc"
