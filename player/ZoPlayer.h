#pragma once

#include <QDate>
#include <QDialog>
#include <QStringList>
#include <QTime>

class PlayerSceneView;
class RssFeedCache;
class QDateEdit;
class QLabel;
class QPushButton;
class QSlider;
class QTimeEdit;

// Player preview page: the chosen screen as its boxes will play it, at the
// date and time of day picked under the scene.
class ZoPlayer : public QDialog
{
    Q_OBJECT
public:
    explicit ZoPlayer(QWidget *parent = nullptr);
    ~ZoPlayer() override;

    // Reads DATA/PLAYER.orvex again and hands the screen to the scene.
    void UpdateZoPlayer();
    // Label and scene follow the moment of the three controls.
    void UpdateDateTime();

    void show_SizeEcran(QString rotation, QString width, QString height, QStringList layout, QString brand,
                        QString mode, QString interaction);
    void show_SiteWebTactile(QString url, QString timeout);
    void show_Meteo(QStringList types, QStringList zones, QStringList delays, QStringList cities,
                    QStringList languages, QStringList zips);
    void show_DateTime2(QStringList dateDebut, QStringList heureDebut, QStringList dateFin, QStringList heureFin,
                        QStringList dateDebut1, QStringList heureDebut1, QStringList dateFin1,
                        QStringList heureFin1, QStringList weekdays, QStringList zones);
    void show_media3(QStringList types, QStringList delays, QStringList videos, QStringList images,
                     QStringList opacities, QStringList texts, QStringList zones, QStringList rssSources,
                     QStringList rssDelays);
    void show_CurrentDateTime();
    void InitPlayer();
    // The per-poster feed list: the local file of each RSS poster's feed.
    QStringList RssTransLocal(QStringList types, QStringList addresses);

    // The root of the scene, null when it failed to load.
    QObject *sceneRoot() const;
    PlayerSceneView *sceneView() const { return m_scene; }
    QStringList rssFeeds() const;
    RssFeedCache *rssCache() const { return m_rss; }

public slots:
    void PlaySetSize(int w, int h);
    void slotNbreMinutes(int Minutes);
    void slotNbreSlide(QTime timechange);
    void slotDate(QDate datechange);
    void slotResize(int w, int h, int rotation);
    void slotQuitter();
    void slotRssLocal();
    void slotRefreshRss();
    void httpFinished();
    void httpReadyRead();
    void updateDataTransferProgress(qint64 readBytes, qint64 totalBytes);
    // Escape goes back to the panel instead of hiding the page.
    void reject() override;

signals:
    void signalButton(int code);

private:
    PlayerSceneView *m_scene;
    QLabel *m_container;
    QLabel *m_dateTimeLabel;
    QSlider *m_slider;
    QTimeEdit *m_timeEdit;
    QDateEdit *m_dateEdit;
    QPushButton *m_back;
    int m_minutes = 720;
    QString m_workFolder;
    RssFeedCache *m_rss;
};
