#pragma once

#include "TransferDeadline.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QString>

class QFile;
class QTimer;

// One request of the HTTP file API with everything it owns: its reply, its
// operation code, the file a download writes into and the body read so far.
// Requests never share state, so a status poll cannot finish or close
// another request's reply or file.
class HttpRequest : public QObject
{
    Q_OBJECT
public:
    // Which of the reply's progress reports `progress` passes on.
    enum class Progress { None, Download, Upload };

    // Slower than this over a whole stall period is a stall too: a server
    // that drips bytes must not hold a transfer for ever.
    static constexpr qint64 FloorBytesPerSecond = 256;
    // What Qt may hold of a body before it is taken: the rest waits in the
    // socket, so a fast link cannot fill the memory.
    static constexpr qint64 ReadBufferBytes = 256 * 1024;

    // Takes `reply`, and `file` (may be null) for a download. More than
    // `limit` body bytes (or an announced length beyond it) fail the request.
    // The whole exchange ends by `deadline` for `bytes` (an upload's size;
    // below 0 unknown), or for the length a reply announces.
    HttpRequest(int operation, const QString &url, QNetworkReply *reply, QFile *file, Progress progress,
                int stallMs, qint64 limit, const TransferDeadline &deadline, qint64 bytes,
                QObject *parent = nullptr);
    ~HttpRequest() override;

    int operation() const { return m_operation; }
    QString url() const { return m_url; }
    QNetworkReply *reply() const { return m_reply; }
    QFile *file() const { return m_file; }
    // The local copy a download replaces once it is whole (its file is a
    // side file until then).
    QString target() const { return m_target; }
    void setTarget(const QString &path) { m_target = path; }
    QByteArray body() const { return m_body; }
    // Body bytes taken from the reply, into the file or the body.
    qint64 received() const { return m_received; }
    bool stalled() const { return m_stalled; }
    // Ran past its deadline: the server is too slow.
    bool tooSlow() const { return m_tooSlow; }
    bool writeFailed() const { return m_writeFailed; }
    // Its length (announced or received) went past the request's limit.
    bool tooLarge() const { return m_tooLarge; }
    // Why the request ended itself (stall, refused answer, write error);
    // empty when the reply ended on its own.
    QString failure() const { return m_failure; }

    // Forgets the request: no more signals, the reply is aborted, the file
    // is closed as it stands (its path now belongs to a newer request).
    void abandon();

signals:
    void finished(HttpRequest *request);
    void progress(qint64 done, qint64 total);

private slots:
    void onReadyRead();
    void onFinished();
    void onDownloadProgress(qint64 done, qint64 total);
    void onUploadProgress(qint64 done, qint64 total);
    void onMetaData();
    void onWatch();
    void onDeadline();

private:
    void closeFile();
    void stop(const QString &why);
    void armDeadline(qint64 bytes);

    int m_operation;
    QString m_url;
    // The manager may delete its replies first when everything goes down.
    QPointer<QNetworkReply> m_reply;
    QFile *m_file;
    Progress m_progress;
    QTimer *m_watch;
    QTimer *m_deadlineTimer;
    QElapsedTimer m_clock;
    TransferDeadline m_deadline;
    qint64 m_deadlineBytes = -1;
    QString m_target;
    int m_stallMs;
    qint64 m_limit;
    QByteArray m_body;
    qint64 m_received = 0;
    qint64 m_sent = 0;
    qint64 m_total = -1;
    // Bytes moved either way at the last look of the watch.
    qint64 m_seen = 0;
    QString m_failure;
    bool m_stalled = false;
    bool m_tooSlow = false;
    bool m_writeFailed = false;
    bool m_tooLarge = false;
    bool m_done = false;
};
