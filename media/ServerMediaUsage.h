#pragma once

#include <QObject>
#include <QString>

#include <functional>

class HttpFileApi;

// What the account's library will weigh on the server once this console has
// published: the server's MEDIA.orvex with this console's media journal
// replayed on it. Another console's imports count; this console's own
// unpublished imports and removals too. The index comes through an
// HttpFileApi of its own (the panel's keeps the step machines' transfer
// state) into a file of its own (TEMP/MEDIA.orvex is this console's index).
class ServerMediaUsage : public QObject
{
    Q_OBJECT
public:
    // Replays a journal on an index and deletes the journal (the media
    // deployment's own merge); false when the index could not be written.
    using Merge = std::function<bool(const QString &indexPath, const QString &journalPath)>;

    explicit ServerMediaUsage(const QString &workFolder, QObject *parent = nullptr);

    // The account folder, local mode and server address are known only after
    // start-up: they are taken from `settings` at each fetch.
    void setSettings(const HttpFileApi *settings) { m_settings = settings; }
    void setMerge(Merge merge) { m_merge = std::move(merge); }
    HttpFileApi *api() const { return m_api; }

    bool busy() const { return m_busy; }
    // Asks the server again; a fetch asked while one runs starts once that one
    // ends, and only its count is announced. Local mode answers at once.
    void fetch();
    // Drops the fetch in flight and the one asked after it, unannounced.
    void cancel();

    QString indexCopy() const { return m_work + QLatin1String("TEMP/QUOTA-MEDIA.orvex"); }
    QString journalCopy() const { return m_work + QLatin1String("TEMP/QUOTA-INFOMEDIA.orvex"); }

signals:
    // The server's index as it arrived, before the journal is replayed on it.
    void fetched(QString index);
    // `ok` false: the server's index could not be had or read; `bytes` -1.
    void counted(bool ok, qint64 bytes);

private:
    void ended(int operation, bool ok);
    // FILESIZE of the fetched index with the journal replayed; -1 when unreadable.
    qint64 projected();

    QString m_work;
    HttpFileApi *m_api;
    const HttpFileApi *m_settings = nullptr;
    Merge m_merge;
    bool m_busy = false;
    bool m_again = false;
};
