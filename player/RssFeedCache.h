#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QFile;
class QNetworkAccessManager;
class RssFeedReader;
class QNetworkReply;
class QTimer;

// Keeps RSS/<name>.xml of every RSS poster's feed up to date: a step
// machine on a 1 ms timer fetches the feeds one after the other, converts
// each (its 7 newest items) and fetches their pictures once; every 4 hours
// it starts again. A feed that failed keeps its last good file and alone is
// tried again, 4 seconds later, then after twice as long each time it fails
// again, up to the 4-hour period. Feeds and pictures come from outside
// sites: each request has an overall deadline and a size cap (LiveFetch),
// and a feed is read a slice per tick so that the window stays live.
class RssFeedCache : public QObject
{
    Q_OBJECT
public:
    explicit RssFeedCache(QObject *parent = nullptr);
    ~RssFeedCache() override;

    void setWorkFolder(const QString &folder) { m_workFolder = folder; }
    QString workFolder() const { return m_workFolder; }

    // The per-poster feed list for the scenes; starts a cycle over the feeds.
    QStringList RssTransLocal(QStringList types, QStringList addresses);
    static QString replaceXmlPath(const QString &address);
    // Removes the cached feeds that `keep` does not name (all when empty).
    void RemoveXML(const QStringList &keep = {});
    // Removes the cached pictures that neither `used` nor a kept feed file
    // names.
    void RemoveListRss(QStringList used);
    // The preview was left: the download in flight and both timers stop
    // until the next feed list.
    void stop();

    QList<QStringList> readXMLFile(QString name);
    QList<QStringList> classementXMLFile(QList<QStringList> items);
    QList<QStringList> enregistrementImageFile(QList<QStringList> items);
    bool writeXMLFile(QString name, QList<QStringList> items);

    QTimer *stepTimer() const { return m_stepTimer; }
    QTimer *refreshTimer() const { return m_refreshTimer; }
    int step() const { return m_step; }
    QStringList feedList() const { return m_savedFeeds; }
    // A request not complete after this long fails, however it trickles.
    void setDeadline(int ms) { m_deadlineMs = ms; }

    static const int RefreshMs = 14400000;
    static const int RetryMs = 4000;
    // Far above any real feed or news picture: past it the item fails.
    static const qint64 FeedCapBytes = 8 * 1024 * 1024;
    static const qint64 PictureCapBytes = 10 * 1024 * 1024;
    static const qint64 ReadPieceBytes = 256 * 1024;
    // Reading of a feed per tick of the step machine.
    static const qint64 SliceNs = 8 * 1000 * 1000;

public slots:
    void slotRssLocal();
    void slotRefreshRss();
    void httpFinished();
    void httpReadyRead();
    void updateDataTransferProgress(qint64 readBytes, qint64 totalBytes);

signals:
    // A download file could not be created: the text for the user (once,
    // until the feed list changes or a file is saved again; the step timer
    // is stopped while it is handled).
    void saveFailed(const QString &message);
    // A cycle ended; ok is false when a feed of it failed.
    void cycleFinished(bool ok);

private:
    QString rssPath(const QString &file = QString()) const;
    QString localUrl(const QString &file) const;
    void startCycle(const QStringList &feeds);
    void endCycle();
    void abortDownload();
    bool openDownload(const QString &path, const QString &shownPath);
    void request(const QString &address, qint64 capBytes);
    void dropReader();
    void failFeed(const QString &why);
    void reportSaveFailure(const QString &shownPath, const QString &error);

    QString m_workFolder;
    QStringList m_queue;
    QStringList m_savedFeeds;
    QTimer *m_stepTimer;
    QTimer *m_refreshTimer;
    int m_step = 0;
    int m_refreshCount = 0;
    int m_deadlineMs;
    QFile *m_file = nullptr;
    QString m_currentName;
    QString m_currentFeed;
    QString m_requested;
    bool m_done = false;
    bool m_error = false;
    bool m_cycleFailed = false;
    // The file whose failure the user was told about; "" when none.
    QString m_boxPath;
    // Consecutive failures of each failed feed address.
    QHash<QString, int> m_failures;
    // The cycle in work fetches every feed (not only the failed ones).
    bool m_fullCycle = true;
    // The next refresh fetches every feed.
    bool m_nextFull = true;
    // Time left until every feed is due again.
    int m_untilFull = RefreshMs;
    QString m_channelImage;
    QList<QStringList> m_items;
    QStringList m_imageQueue;
    QStringList m_usedImages;
    QNetworkAccessManager *m_network;
    QPointer<QNetworkReply> m_reply;
    // The downloaded feed being read, a slice per tick.
    QFile *m_feedFile = nullptr;
    RssFeedReader *m_reader = nullptr;
};
