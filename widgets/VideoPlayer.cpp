#include "VideoPlayer.h"

#include "ConsoleLogRecord.h"

#include <QDir>
#include <QFileDialog>
#include <QGraphicsScene>
#include <QGraphicsVideoItem>
#include <QGraphicsView>
#include <QUrl>
#include <QVBoxLayout>

VideoPlayer::VideoPlayer(QWidget *parent)
    : QWidget(parent)
    , m_player(new QMediaPlayer(this, QMediaPlayer::VideoSurface))
    , m_videoItem(new QGraphicsVideoItem)
    , m_scene(new QGraphicsScene(this))
    , m_view(new QGraphicsView(m_scene, this))
{
    m_scene->addItem(m_videoItem);
    m_view->setStyleSheet(QStringLiteral("color:rgba(255,255,255,100%);background-color:transparent;"));
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    m_player->setVideoOutput(m_videoItem);
    connect(m_player, &QMediaPlayer::stateChanged, this, &VideoPlayer::mediaStateChanged);
    connect(m_player, &QMediaPlayer::positionChanged, this, &VideoPlayer::positionChanged);
    connect(m_player, &QMediaPlayer::durationChanged, this, &VideoPlayer::durationChanged);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, &VideoPlayer::mediaStatusChanged);
}

VideoPlayer::~VideoPlayer()
{
    m_player->stop();
}

void VideoPlayer::PlayFile(QString fileName)
{
    if (fileName.isEmpty()) {
        m_playing = false;
        ++m_generation;
        return;
    }
    ++m_generation;
    const QUrl url = QUrl::fromLocalFile(fileName);
    consoleLogDebug("VideoPlayer PlayFile=%s", url.toString().toLocal8Bit().constData());
    m_player->setMedia(url);
    m_player->play();
    m_playing = true;
}

void VideoPlayer::openFile()
{
    const QString fileName = QFileDialog::getOpenFileName(this, tr("Open Movie"), QDir::homePath());
    if (fileName.isEmpty()) {
        m_playing = false;
        ++m_generation;
        return;
    }
    m_player->setMedia(QUrl::fromLocalFile(fileName));
    m_playing = true;
}

void VideoPlayer::play()
{
    // Playback starts through PlayFile(); this only resumes a paused file.
    if (m_playing && m_player->state() != QMediaPlayer::PlayingState)
        m_player->play();
}

void VideoPlayer::pause()
{
    m_looping = false;
    ++m_generation;
    m_player->pause();
}

void VideoPlayer::stop()
{
    m_looping = false;
    ++m_generation;
    m_player->stop();
}

void VideoPlayer::PlaySetSize(int w, int h)
{
    m_videoItem->setAspectRatioMode(Qt::KeepAspectRatio);
    m_view->setMinimumSize(w, h);
    m_videoItem->setSize(QSizeF(w, h));
}

void VideoPlayer::setPosition(int ms)
{
    m_player->setPosition(ms);
}

void VideoPlayer::rotateVideo(int angle)
{
    Q_UNUSED(angle)
}

void VideoPlayer::durationChanged(qint64 duration)
{
    consoleLogDebug("Duration: %lld", static_cast<long long>(duration));
    m_duration = duration;
}

void VideoPlayer::positionChanged(qint64 position)
{
    // The GStreamer backend reports the position again from inside pause():
    // answering that report would pause again, until the stack runs out.
    if (m_inPositionChanged)
        return;
    consoleLogDebug("Position: %lld", static_cast<long long>(position));
    if (m_duration != 0 && position != 0 && position >= m_duration) {
        consoleLogDebug("Position: PAUSE");
        m_looping = true;
        m_inPositionChanged = true;
        m_player->pause();
        m_inPositionChanged = false;
    }
}

void VideoPlayer::mediaStateChanged(QMediaPlayer::State state)
{
    // At the end of the stream GStreamer may report Stopped instead of the
    // Paused that was asked for; both mean the clip is over.
    if (!m_looping || state == QMediaPlayer::PlayingState)
        return;
    consoleLogDebug("Media player Pause");
    consoleLogDebug("rePlay");
    m_looping = false;
    restart();
}

void VideoPlayer::mediaStatusChanged(QMediaPlayer::MediaStatus status)
{
    // The last position report often falls short of the duration; the
    // end of the media must loop all the same.
    if (status == QMediaPlayer::EndOfMedia && m_playing)
        restart();
}

void VideoPlayer::restart()
{
    // Queued, and once per end: restarting inside the backend's own state
    // change breaks the stream. After the end of the stream the media must
    // be loaded again; play() alone fails with "Internal data stream error".
    if (m_restartPending)
        return;
    m_restartPending = true;
    const int generation = m_generation;
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            m_restartPending = false;
            // A stop, pause or new file since the end wins over the loop.
            if (!m_playing || generation != m_generation)
                return;
            const QMediaContent media = m_player->media();
            m_player->setMedia(media);
            m_player->play();
        },
        Qt::QueuedConnection);
}
