#include "VideoPlayer.h"
#include "ZoScreenshot.h"
#include "ZoTestInit.h"
#include "qmlvideoplayer.h"

#include <QProcess>
#include <QQuickItem>
#include <QQuickWidget>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Real playback of a generated clip: needs an X server with OpenGL (Xvfb),
// since QML video renders black on the software backend.
class VideoPreviewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void qmlPreviewShowsFrames();
    void widgetPlayerLoops();
    void widgetPlayerPauseStaysPaused();
    void endPositionReportedInsidePause();

private:
    static int distinctColours(const QImage &image);

    QTemporaryDir m_dir;
    QString m_clip;
};

void VideoPreviewTest::initTestCase()
{
    zoInitWidgetTest();
    Q_INIT_RESOURCE(qml);
    QVERIFY(m_dir.isValid());
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        QSKIP("ffmpeg is needed to generate the test clip");
    m_clip = m_dir.filePath(QStringLiteral("tiny.mp4"));
    QProcess process;
    process.start(ffmpeg, {"-loglevel", "error", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=10", "-t", "2",
                           "-pix_fmt", "yuv420p", "-c:v", "libx264", m_clip});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(QFile::exists(m_clip));
}

int VideoPreviewTest::distinctColours(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 4)
            colours.insert(image.pixel(x, y) & 0xF0F0F0);
    }
    return colours.size();
}

void VideoPreviewTest::qmlPreviewShowsFrames()
{
    QWidget window;
    window.setStyleSheet(QStringLiteral("background-color:black;"));
    auto *player = new qmlvideoplayer(&window);
    player->PlaySetSize(320, 240);
    window.resize(340, 260);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    player->PlayFile(m_clip);
    QObject *media = player->rootObject()->findChild<QObject *>(QStringLiteral("mediaPlayer"));
    QVERIFY(media);
    QTRY_COMPARE_WITH_TIMEOUT(media->property("playbackState").toInt(), 1, 10000); // playing
    QTRY_VERIFY_WITH_TIMEOUT(media->property("position").toInt() > 300, 10000);

    // testsrc shows colour bars and a moving pattern: a black or blank
    // output has a handful of colours at most.
    QImage frame;
    QTRY_VERIFY_WITH_TIMEOUT((frame = player->quickWidget()->grabFramebuffer(), distinctColours(frame) > 8), 5000);
    saveScreenshot(player, QStringLiteral("video-preview.png"));

    player->pause();
    QTRY_COMPARE_WITH_TIMEOUT(media->property("playbackState").toInt(), 2, 5000); // paused
    player->play();
    QTRY_COMPARE_WITH_TIMEOUT(media->property("playbackState").toInt(), 1, 5000);
    player->stop();
    QCOMPARE(media->property("playbackState").toInt(), 0);
}

void VideoPreviewTest::widgetPlayerLoops()
{
    VideoPlayer player;
    player.PlaySetSize(160, 120);
    player.show();
    QVERIFY(QTest::qWaitForWindowExposed(&player));

    qint64 highest = 0;
    bool restarted = false;
    connect(player.mediaPlayer(), &QMediaPlayer::positionChanged, this, [&](qint64 position) {
        if (highest > 1000 && position < highest - 500)
            restarted = true;
        highest = qMax(highest, position);
    });
    player.PlayFile(m_clip);
    QVERIFY(player.isPlaying());
    QTRY_VERIFY_WITH_TIMEOUT(player.duration() > 0, 10000);
    // The two-second clip must start over instead of stopping at its end.
    QTRY_VERIFY_WITH_TIMEOUT(restarted, 15000);
    highest = 0;
    QTRY_VERIFY_WITH_TIMEOUT(highest > 500, 10000);
    QCOMPARE(int(player.mediaPlayer()->state()), int(QMediaPlayer::PlayingState));
}

void VideoPreviewTest::widgetPlayerPauseStaysPaused()
{
    VideoPlayer player;
    player.show();
    QVERIFY(QTest::qWaitForWindowExposed(&player));
    player.PlayFile(m_clip);
    QTRY_COMPARE_WITH_TIMEOUT(player.mediaPlayer()->state(), QMediaPlayer::PlayingState, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(player.mediaPlayer()->position() > 200, 10000);

    player.pause();
    QTest::qWait(500);
    QCOMPARE(player.mediaPlayer()->state(), QMediaPlayer::PausedState);
    player.play();
    QTRY_COMPARE_WITH_TIMEOUT(player.mediaPlayer()->state(), QMediaPlayer::PlayingState, 5000);

    player.PlayFile(QString());
    QVERIFY(!player.isPlaying());
}

// The GStreamer backend may report the position again from inside pause();
// the end-of-clip handler must not answer that report with another pause.
void VideoPreviewTest::endPositionReportedInsidePause()
{
    VideoPlayer player;
    player.show();
    QVERIFY(QTest::qWaitForWindowExposed(&player));
    player.PlayFile(m_clip);
    QTRY_COMPARE_WITH_TIMEOUT(player.mediaPlayer()->state(), QMediaPlayer::PlayingState, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(player.duration() > 0, 10000);

    QMediaPlayer *media = player.mediaPlayer();
    const qint64 end = player.duration();
    int nested = 0;
    // Plays the backend: each pause reports the end position again at once.
    connect(media, &QMediaPlayer::stateChanged, this, [&](QMediaPlayer::State state) {
        if (state != QMediaPlayer::PausedState || nested >= 20)
            return;
        ++nested;
        media->play();
        emit media->positionChanged(end);
    });
    emit media->positionChanged(end);
    QCOMPARE(nested, 1);
    disconnect(media, &QMediaPlayer::stateChanged, this, nullptr);
}

QTEST_MAIN(VideoPreviewTest)
#include "tst_videopreview_xvfb.moc"
