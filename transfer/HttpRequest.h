#pragma once

#include <QByteArray>
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

    // Takes `reply`, and `file` (may be null) for a download.
    HttpRequest(int operation, const QString &url, QNetworkReply *reply, QFile *file, Progress progress,
                int stallMs, QObject *parent = nullptr);
    ~HttpRequest() override;

    int operation() const { return m_operation; }
    QString url() const { return m_url; }
    QNetworkReply *reply() const { return m_reply; }
    QFile *file() const { return m_file; }
    QByteArray body() const { return m_body; }
    // Body bytes taken from the reply, into the file or the body.
    qint64 received() const { return m_received; }
    bool stalled() const { return m_stalled; }
    bool writeFailed() const { return m_writeFailed; }

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
    void onStall();

private:
    void closeFile();

    int m_operation;
    QString m_url;
    // The manager may delete its replies first when everything goes down.
    QPointer<QNetworkReply> m_reply;
    QFile *m_file;
    Progress m_progress;
    QTimer *m_stall;
    QByteArray m_body;
    qint64 m_received = 0;
    bool m_stalled = false;
    bool m_writeFailed = false;
    bool m_done = false;
};
