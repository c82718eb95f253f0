// FTP reply assembly: the whole client against a loopback server that
// plays the input.
//
// Input: reply chunks separated by 0x00, then optionally 0x01 and the bytes
// every data connection carries. The first chunk is the greeting; each line
// the client sends, or 3 ms of silence, releases the next chunk; the server
// closes once they are spent.
// Active mode only: the server connects back to the port of the client's own
// PORT or EPRT line. A passive reply would aim the client at whatever port
// the input names, on a machine shared with other servers.
#include "FuzzSupport.h"

#include "QFtp.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

class ScriptedServer : public QObject
{
public:
    ScriptedServer(QTcpServer *listener, const QByteArray &input)
    {
        const int cut = input.indexOf('\x01');
        // Empty chunks would only add pauses.
        for (const QByteArray &chunk : input.left(cut < 0 ? input.size() : cut).split('\0')) {
            if (!chunk.isEmpty() && m_chunks.size() < 64)
                m_chunks.append(chunk);
        }
        m_data = cut < 0 ? QByteArray() : input.mid(cut + 1);
        m_idle.setSingleShot(true);
        m_idle.setInterval(3);
        connect(&m_idle, &QTimer::timeout, this, &ScriptedServer::next);
        connect(listener, &QTcpServer::newConnection, this, [this, listener] {
            while (QTcpSocket *socket = listener->nextPendingConnection()) {
                if (m_control) {
                    socket->deleteLater();
                    continue;
                }
                m_control = socket;
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, &ScriptedServer::lines);
                next();
            }
        });
    }

private:
    void next()
    {
        if (!m_control)
            return;
        if (m_chunks.isEmpty()) {
            m_control->disconnectFromHost();
            return;
        }
        m_control->write(m_chunks.takeFirst());
        m_idle.start();
    }

    void lines()
    {
        while (m_control && m_control->canReadLine()) {
            const QString line = QString::fromLatin1(m_control->readLine()).trimmed();
            static const QRegularExpression port(QStringLiteral("^PORT \\d+,\\d+,\\d+,\\d+,(\\d+),(\\d+)$"));
            static const QRegularExpression eprt(QStringLiteral("^EPRT \\|\\d\\|[^|]*\\|(\\d+)\\|$"));
            const QRegularExpressionMatch p = port.match(line);
            const QRegularExpressionMatch e = eprt.match(line);
            if (p.hasMatch())
                connectBack(quint16(p.captured(1).toUInt() * 256 + p.captured(2).toUInt()), QHostAddress::LocalHost);
            else if (e.hasMatch())
                connectBack(quint16(e.captured(1).toUInt()), line.contains(QLatin1String("|2|")) ? QHostAddress::LocalHostIPv6
                                                                                                 : QHostAddress::LocalHost);
            next();
        }
    }

    void connectBack(quint16 port, const QHostAddress &host)
    {
        auto *data = new QTcpSocket(this);
        connect(data, &QTcpSocket::connected, data, [this, data] {
            data->write(m_data);
            data->disconnectFromHost();
        });
        connect(data, &QTcpSocket::readyRead, data, [data] { data->readAll(); });
        data->connectToHost(host, port);
    }

    QPointer<QTcpSocket> m_control;
    QList<QByteArray> m_chunks;
    QByteArray m_data;
    QTimer m_idle;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ZoFuzz::app();
    static QTcpServer *listener = [] {
        auto *s = new QTcpServer;
        s->listen(QHostAddress::LocalHost, 0);
        return s;
    }();
    if (!listener->isListening())
        return 0;

    bool finished = false;
    {
        ScriptedServer server(listener, QByteArray(reinterpret_cast<const char *>(data), int(size)));
        QFtp ftp;
        QEventLoop loop;
        QObject::connect(&ftp, &QFtp::done, &loop, [&] {
            finished = true;
            loop.quit();
        });
        QObject::connect(&ftp, &QFtp::readyRead, &ftp, [&ftp] { ftp.readAll(); });

        ftp.setTransferMode(QFtp::Active);
        ftp.connectToHost(QStringLiteral("127.0.0.1"), listener->serverPort());
        ftp.login(QStringLiteral("user"), QStringLiteral("secret"));
        ftp.cd(QStringLiteral("folder"));
        ftp.list();
        ftp.get(QStringLiteral("file.txt"));
        ftp.put(QByteArray("data"), QStringLiteral("up.txt"));
        ftp.rename(QStringLiteral("a"), QStringLiteral("b"));
        ftp.mkdir(QStringLiteral("m"));
        ftp.rawCommand(QStringLiteral("HELP"));
        ftp.close();

        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    ZoFuzz::require(finished, "the client ends once the server has closed");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
