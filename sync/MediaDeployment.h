#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class HttpFileApi;
class ListTransfers;
class QTimer;

// The media deployment: deletes on the server the media the library
// removed, uploads the new ones (each kind in the order IMAGE, VIDEO,
// TEXT), then fetches the server's media index, replays the media journal
// on it and uploads it again. Widget-free; the 50 ms timer is the panel's.
class MediaDeployment : public QObject
{
    Q_OBJECT
public:
    static constexpr int MergeErrorCode = 12;

    MediaDeployment(HttpFileApi *api, ListTransfers *lists, QTimer *timer, QObject *parent = nullptr);

    void setWorkFolder(const QString &folder) { m_work = folder; }
    void setSelectedBox(std::function<QString()> selected) { m_selected = std::move(selected); }
    void setDownloader(std::function<bool(QString, QString, QString, QString)> download)
    {
        m_download = std::move(download);
    }
    // transOperationToFile: false keeps the journal.
    void setMerge(std::function<bool(QString, QString)> merge) { m_merge = std::move(merge); }

    int step() const { return m_step; }
    bool running() const;

public slots:
    // slotProcessDeployMediaFile: six empty lists without a change do nothing.
    void start(QStringList NewMediaImage, QStringList DeleteMediaImage, QStringList NewMediaVideo,
               QStringList DeleteMediaVideo, QStringList NewMediaText, QStringList DeleteMediaText, bool Modif);
    void sequenceFailed();
    void slotProcessDeployMedia();

signals:
    void signalBegin();
    void signalFinished();
    void signalMessageOnlyOFF();
    void signalCorrupt(QString text);
    void signalErreurConnexion(int code);

private:
    void finish();

    HttpFileApi *m_api;
    ListTransfers *m_lists;
    QTimer *m_timer;
    QString m_work;
    std::function<QString()> m_selected;
    std::function<bool(QString, QString, QString, QString)> m_download;
    std::function<bool(QString, QString)> m_merge;

    int m_step = 0;
    // IMAGE, VIDEO, TEXT.
    QStringList m_new[3];
    QStringList m_delete[3];
};
