#include "ZoTestInit.h"
#include "qmlvideoplayer.h"

#include <QDir>
#include <QQuickItem>
#include <QQuickWidget>
#include <QTemporaryDir>
#include <QtTest>

// What the preview hands to its scene: sources as URLs, an empty source on
// stop(), and a size that the scene follows. Playback itself needs a real
// display: see tst_videopreview_xvfb.
class QmlVideoPlayerTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void sceneLoads();
    void playFileHandsUrl_data();
    void playFileHandsUrl();
    void stopClearsSource();
    void setSize();

private:
    static QObject *mediaPlayer(qmlvideoplayer &player);
};

void QmlVideoPlayerTest::initTestCase()
{
    zoInitWidgetTest();
    Q_INIT_RESOURCE(qml);
}

QObject *QmlVideoPlayerTest::mediaPlayer(qmlvideoplayer &player)
{
    return player.rootObject() ? player.rootObject()->findChild<QObject *>(QStringLiteral("mediaPlayer")) : nullptr;
}

void QmlVideoPlayerTest::sceneLoads()
{
    qmlvideoplayer player;
    QCOMPARE(player.quickWidget()->status(), QQuickWidget::Ready);
    QVERIFY(player.rootObject());
    QVERIFY(mediaPlayer(player));
    QCOMPARE(player.quickWidget()->resizeMode(), QQuickWidget::SizeRootObjectToView);
}

void QmlVideoPlayerTest::playFileHandsUrl_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("absolute path") << "/srv/zo/VIDEO/clip 1.mp4" << "file:///srv/zo/VIDEO/clip 1.mp4";
    QTest::newRow("file URL") << "file:///srv/zo/VIDEO/a.mp4" << "file:///srv/zo/VIDEO/a.mp4";
    QTest::newRow("accented name") << "/srv/zo/VIDEO/été.mp4" << "file:///srv/zo/VIDEO/été.mp4";
    QTest::newRow("relative name is not a host name")
        << "VIDEO/a.mp4" << QUrl::fromLocalFile(QDir::current().absoluteFilePath("VIDEO/a.mp4")).toString();
    QTest::newRow("empty") << "" << "";
}

void QmlVideoPlayerTest::playFileHandsUrl()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);

    qmlvideoplayer player;
    QObject *media = mediaPlayer(player);
    QVERIFY(media);
    player.PlayFile(input);
    QCOMPARE(media->property("source").toUrl().toString(), expected);
}

void QmlVideoPlayerTest::stopClearsSource()
{
    qmlvideoplayer player;
    QObject *media = mediaPlayer(player);
    player.PlayFile(QStringLiteral("/srv/zo/VIDEO/a.mp4"));
    player.stop();
    QVERIFY(media->property("source").toUrl().isEmpty());
    QCOMPARE(media->property("playbackState").toInt(), 0); // stopped

    // StopVideo() stops but keeps the source for a later play().
    player.PlayFile(QStringLiteral("/srv/zo/VIDEO/a.mp4"));
    player.StopVideo();
    QCOMPARE(media->property("source").toUrl().toString(), QStringLiteral("file:///srv/zo/VIDEO/a.mp4"));
}

void QmlVideoPlayerTest::setSize()
{
    QWidget window;
    auto *player = new qmlvideoplayer(&window);
    window.resize(800, 600);
    player->PlaySetSize(320, 180);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(player->size(), QSize(320, 180));
    QCOMPARE(player->minimumSize(), QSize(320, 180));
    QCOMPARE(player->maximumSize(), QSize(320, 180));
    QTRY_COMPARE(player->rootObject()->width(), 320.0);
    QCOMPARE(player->rootObject()->height(), 180.0);
}

QTEST_MAIN(QmlVideoPlayerTest)
#include "tst_qmlvideoplayer.moc"
