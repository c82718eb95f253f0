#pragma once

#include <QMediaPlayer>
#include <QWidget>

class QGraphicsScene;
class QGraphicsVideoItem;
class QGraphicsView;

// Widget-based video preview that plays a local file in a loop.
class VideoPlayer : public QWidget
{
    Q_OBJECT
public:
    explicit VideoPlayer(QWidget *parent = nullptr);
    ~VideoPlayer() override;

    bool isPlaying() const { return m_playing; }
    qint64 duration() const { return m_duration; }
    QMediaPlayer *mediaPlayer() const { return m_player; }

public slots:
    void PlayFile(QString fileName);
    void openFile();
    void play();
    void pause();
    void stop();
    void PlaySetSize(int w, int h);
    void setPosition(int ms);
    void rotateVideo(int angle);
    void durationChanged(qint64 duration);
    void positionChanged(qint64 position);
    void mediaStateChanged(QMediaPlayer::State state);

private slots:
    void mediaStatusChanged(QMediaPlayer::MediaStatus status);

private:
    void restart();

    QMediaPlayer *m_player;
    QGraphicsVideoItem *m_videoItem;
    QGraphicsScene *m_scene;
    QGraphicsView *m_view;
    bool m_playing = false;
    // Set only by the pause at the end of the media, so that a pause asked
    // for by the caller stays a pause.
    bool m_looping = false;
    bool m_restartPending = false;
    bool m_inPositionChanged = false;
    int m_generation = 0;
    qint64 m_duration = 0;
};
