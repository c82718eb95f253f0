#pragma once

#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>

class HttpFileApi;
class RevisionCounters;

// At login, the boxes this console deployed and whose files it still keeps
// (RevisionCounters): each box's PLAYER.orvex and INFO.orvex fetched in
// turn into TEMP/SENTCHECK/ and judged against what was kept. Files the
// server shows are settled; a file another console's upload replaced since
// is told, by box, in one message; both drop what was kept. A fetch that
// fails, or that brings a damaged copy, ends the check: what is left stays
// kept for the next selection or login, and nothing is told of it. The
// login polls step() once per tick, one request at a time, through the
// same download as its own fetches (its byte cap and stall limit).
class SentBoxesCheck : public QObject
{
    Q_OBJECT
public:
    SentBoxesCheck(HttpFileApi *api, RevisionCounters *revisions, QObject *parent = nullptr);

    void setWorkFolder(const QString &folder) { m_work = folder; }
    // One call per tick, true once the file is in place (slotTelechargerFichier).
    void setDownloader(std::function<bool(QString, QString, QString, QString)> download)
    {
        m_download = std::move(download);
    }

    // Takes the boxes kept now; nothing told yet.
    void start();
    // One step of the check: true once it is over.
    bool step();
    bool running() const { return !m_boxes.isEmpty(); }
    // A local file error inside the check's own download: the check ends.
    void downloadFailed();
    // The message naming each box whose files were replaced; empty when none.
    QString message() const;
    static QString messageText(const QList<QPair<QString, QString>> &replaced);

private:
    QString folder() const;
    void end();

    HttpFileApi *m_api;
    RevisionCounters *m_revisions;
    QString m_work;
    std::function<bool(QString, QString, QString, QString)> m_download;
    QStringList m_boxes;
    int m_file = 0;
    bool m_fresh = true;
    bool m_downloading = false;
    bool m_failed = false;
    // Box and file name, in the order found.
    QList<QPair<QString, QString>> m_replaced;
};
