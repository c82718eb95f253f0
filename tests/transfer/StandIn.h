#pragma once

// Access to the stand-in server started by server/standin.sh: its URL and
// tree, its request log and its fault injection.

#include <QDeadlineTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QThread>
#include <QtTest>

// Skips (or fails under ZO_REQUIRE_SERVERS=1) when no stand-in runs.
#define ZO_NEED_STANDIN()                                                                                 \
    do {                                                                                                  \
        if (!StandIn::running()) {                                                                        \
            if (qgetenv("ZO_REQUIRE_SERVERS") == "1")                                                     \
                QFAIL("ZO_STANDIN_URL is not set: start the stand-in with eval \"$(server/standin.sh start)\""); \
            QSKIP("no stand-in server: run eval \"$(server/standin.sh start)\" before the tests");        \
        }                                                                                                 \
    } while (0)

class StandIn
{
public:
    static bool running() { return !url().isEmpty() && !root().isEmpty(); }
    static QString url() { return qEnvironmentVariable("ZO_STANDIN_URL"); }
    static QString root() { return qEnvironmentVariable("ZO_STANDIN_ROOT"); }
    static QString logPath() { return qEnvironmentVariable("ZO_STANDIN_LOG"); }

    // Position in the request log; entries() reads what came after it.
    static qint64 mark() { return QFileInfo(logPath()).size(); }

    // Log entries after `from` that mention `account`, waiting until at
    // least `count` are there (the log line may land after the reply).
    static QList<QJsonObject> entries(qint64 from, const QString &account, int count = 0, int waitMs = 3000)
    {
        QDeadlineTimer deadline(waitMs);
        QList<QJsonObject> found;
        do {
            found.clear();
            QFile log(logPath());
            if (log.open(QIODevice::ReadOnly) && log.seek(from)) {
                for (const QByteArray &line : log.readAll().split('\n')) {
                    if (line.trimmed().isEmpty() || !QString::fromUtf8(line).contains(account))
                        continue;
                    found << QJsonDocument::fromJson(line).object();
                }
            }
            if (found.size() >= count)
                break;
            QThread::msleep(20);
        } while (!deadline.hasExpired());
        return found;
    }

    // The next `count` requests to `path` whose decoded URI contains
    // `match` get the fault `kind` (500, 404, delay, noanswer, close, split, body,
    // hangup: the connection closes without any reply, after `ms` if given;
    // gzip, half, long: the real body gzip'd, cut in half with a matching
    // length, or longer than announced).
    static bool fault(const QString &path, const QString &kind, const QString &match, int count = 1, int ms = 0,
                      const QString &body = QString())
    {
        const auto enc = [](const QString &value) { return QString::fromLatin1(QUrl::toPercentEncoding(value)); };
        return control(QString("fault?path=%1&kind=%2&match=%3&count=%4&ms=%5&body=%6")
                           .arg(enc(path), enc(kind), enc(match), QString::number(count), QString::number(ms),
                                enc(body)));
    }

    static bool reset(const QString &match)
    {
        return control("reset?match=" + QString::fromLatin1(QUrl::toPercentEncoding(match)));
    }

    // A GET written as is on the socket (Qt would resolve "." and ".."
    // segments first); returns the HTTP status, 0 when nothing came back.
    static int rawGet(const QString &pathAndQuery)
    {
        const QUrl base(url());
        QTcpSocket socket;
        socket.connectToHost(base.host(), quint16(base.port(80)));
        if (!socket.waitForConnected(3000))
            return 0;
        socket.write("GET " + pathAndQuery.toUtf8() + " HTTP/1.0\r\nHost: " + base.host().toUtf8() + "\r\n\r\n");
        QByteArray reply;
        while (socket.waitForReadyRead(5000))
            reply += socket.readAll();
        const QList<QByteArray> status = reply.left(reply.indexOf('\n')).split(' ');
        return status.size() > 1 ? status.at(1).toInt() : 0;
    }

private:
    static bool control(const QString &command) { return rawGet("/_standin/" + command) == 200; }
};
