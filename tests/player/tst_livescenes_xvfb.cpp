#include "LiveContentTypes.h"
#include "StandIn.h"
#include "ZoScreenshot.h"
#include "ZoTestInit.h"

#include <QDir>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWidget>
#include <QTemporaryDir>
#include <QtTest>

// The weather and like-counter scenes on a real X server, fed by the
// stand-in services: the texts they show, and screenshots for review.
class TestLiveScenesXvfb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void weatherScene();
    void likesScene_data();
    void likesScene();

private:
    QQuickWidget *show(const QString &file, const QSize &size);
    static QString text(QObject *root, const QString &name, const QString &child = QString());

    QTemporaryDir m_dir;
    QScopedPointer<QQuickWidget> m_view;
};

void TestLiveScenesXvfb::initTestCase()
{
    ZO_NEED_STANDIN();
    zoInitWidgetTest();
    Q_INIT_RESOURCE(qml);
    QVERIFY(m_dir.isValid());
    qputenv("ZOMANAGER_WORKDIR", m_dir.path().toLocal8Bit() + '/');
    qputenv("ZOMANAGER_WEATHER_URL", StandIn::url().toUtf8());
    qputenv("ZOMANAGER_GRAPH_URL", StandIn::url().toUtf8());
    LiveContentTypes::registerTypes();
}

QQuickWidget *TestLiveScenesXvfb::show(const QString &file, const QSize &size)
{
    m_view.reset(new QQuickWidget);
    m_view->setResizeMode(QQuickWidget::SizeRootObjectToView);
    m_view->setSource(QUrl(QStringLiteral("qrc:///qml/") + file));
    if (m_view->status() != QQuickWidget::Ready)
        qWarning() << m_view->errors();
    m_view->resize(size);
    m_view->show();
    return m_view.data();
}

// Repeater cells are visual children only: search the item tree.
static QQuickItem *findItem(QQuickItem *from, const QString &name)
{
    for (QQuickItem *item : from->childItems()) {
        if (item->objectName() == name)
            return item;
        if (QQuickItem *found = findItem(item, name))
            return found;
    }
    return nullptr;
}

QString TestLiveScenesXvfb::text(QObject *root, const QString &name, const QString &child)
{
    QQuickItem *item = findItem(qobject_cast<QQuickItem *>(root), name);
    if (item && !child.isEmpty())
        item = findItem(item, child);
    return item ? item->property("text").toString() : QStringLiteral("<no %1>").arg(name);
}

void TestLiveScenesXvfb::weatherScene()
{
    QQuickWidget *view = show(QStringLiteral("WeatherInfo.qml"), QSize(960, 540));
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QQuickItem *root = view->rootObject();
    QVERIFY(root);
    QCOMPARE(text(root, "weatherWait"), QStringLiteral("Loading weather data..."));
    root->setProperty("villeMeteo", QStringLiteral("Montpellier"));
    root->setProperty("codePostaleMeteo", QStringLiteral("34000,fr"));

    QTRY_COMPARE_WITH_TIMEOUT(root->state(), QStringLiteral("ready"), 5000);
    QCOMPARE(root->findChild<QQuickItem *>("weatherMain")->opacity(), 1.0);
    QCOMPARE(text(root, "weatherCity"), QStringLiteral("Montpellier"));
    QCOMPARE(text(root, "weatherCurrent", "currentTemperature"), QStringLiteral("11°"));
    QCOMPARE(text(root, "weatherCurrent", "currentDescription"), QStringLiteral("légère pluie"));
    QCOMPARE(text(root, "weatherHumidity", "infoText"), QStringLiteral("81 %"));
    QCOMPARE(text(root, "weatherPressure", "infoText"), QStringLiteral("1013 hPa"));
    QCOMPARE(text(root, "weatherWind", "infoText"), QStringLiteral("3.0 m/s"));
    QCOMPARE(text(root, "forecast0", "bottomText"), QStringLiteral("8°/14°"));
    QCOMPARE(text(root, "forecast3", "bottomText"), QStringLiteral("11°/17°"));
    QVERIFY(text(root, "forecast3", "topText").contains(QLatin1String("(")));
    QTest::qWait(300);
    QVERIFY(saveScreenshot(view, QStringLiteral("weather-scene.png")));
    // A portrait zone, as on a turned screen.
    view->resize(360, 640);
    QTest::qWait(300);
    QVERIFY(saveScreenshot(view, QStringLiteral("weather-scene-portrait.png")));
}

void TestLiveScenesXvfb::likesScene_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("screenshots");
    QTest::newRow("plain work folder") << "" << true;
    QTest::newRow("work folder with '#', '?' and '%'") << "/a #1?b%20c" << false;
}

void TestLiveScenesXvfb::likesScene()
{
    QFETCH(QString, folder);
    QFETCH(bool, screenshots);
    const QString work = m_dir.path() + folder;
    QVERIFY(QDir().mkpath(work));
    qputenv("ZOMANAGER_WORKDIR", work.toLocal8Bit() + '/');
    QQuickWidget *view = show(QStringLiteral("facebook/FacebookLikes.qml"), QSize(960, 540));
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QQuickItem *root = view->rootObject();
    QVERIFY(root);
    root->setProperty("urlPath", QStringLiteral("https://www.facebook.com/Cafe-du-Port"));
    QObject *model = root->findChild<QObject *>(QStringLiteral("modelFacebookLikes"));
    QVERIFY(model);
    QCOMPARE(model->property("Qrcode").toString(), work + QStringLiteral("/Cafe_du_Port_QR_code.png"));
    // The first count comes with the timer's first tick: ask at once.
    QVERIFY(QMetaObject::invokeMethod(model, "startLikeFB"));
    QTRY_COMPARE_WITH_TIMEOUT(text(root, "likesCount"), QStringLiteral("1234"), 5000);
    auto *picture = root->findChild<QQuickItem *>(QStringLiteral("qrPicture"));
    QTRY_COMPARE(picture->property("status").toInt(), 1); // Image.Ready
    QCOMPARE(picture->property("sourceSize").toSize(), QSize(480, 480));
    if (!screenshots)
        return;
    QTest::qWait(300);
    QVERIFY(saveScreenshot(view, QStringLiteral("likes-scene.png")));
    view->resize(360, 640);
    QTest::qWait(300);
    QVERIFY(saveScreenshot(view, QStringLiteral("likes-scene-portrait.png")));
}

QTEST_MAIN(TestLiveScenesXvfb)
#include "tst_livescenes_xvfb.moc"
