// Longest event-loop stall while the feed cache fetches (over loopback
// HTTP) and converts a 5 MB feed: a zero-delay timer notes the longest gap
// between two of its turns, in the thread's own processor time (what the
// window's thread did; on a loaded machine the clock also counts the time
// other programs had) and on the clock. The same feed read in one piece is
// timed beside it.
#include "RssFeedCache.h"
#include "RssFeedConverter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QSemaphore>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <ctime>

static qint64 threadNs()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const qint64 size = (argc > 1 ? QByteArray(argv[1]).toLongLong() : 5) * 1000 * 1000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("feed.xml"));
    int items = 0;
    {
        QByteArray feed = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\"><channel><title>Bench</title>"
                          "<image><url>file:///nonexistent/logo.png</url></image>\n";
        const QDateTime start(QDate(2023, 1, 1), QTime(0, 0), Qt::UTC);
        const QLocale english(QLocale::English);
        while (feed.size() < size - 20) {
            const QDateTime when = start.addSecs(qint64((items * 7919) % 20000) * 60);
            const QString date = items % 3 ? english.toString(when, QStringLiteral("ddd, dd MMM yyyy hh:mm:ss")) + " +0100"
                                           : when.toString(Qt::RFC2822Date);
            feed += "<item><title>Item " + QByteArray::number(items) + "</title><description><![CDATA[<p>Text of item "
                    + QByteArray::number(items) + " <a href=\"http://x/\">more</a></p>]]></description><pubDate>"
                    + date.toUtf8() + "</pubDate><enclosure url=\"file:///nonexistent/p" + QByteArray::number(items % 50)
                    + ".jpg\" length=\"1000\" type=\"image/jpeg\"/></item>\n";
            ++items;
        }
        feed += "</channel></rss>\n";
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(feed) != feed.size()) {
            std::fprintf(stderr, "bench_rssstall: cannot write the feed\n");
            return 1;
        }
    }
    const double megabytes = QFileInfo(path).size() / 1e6;

    QElapsedTimer whole;
    whole.start();
    {
        QFile in(path);
        in.open(QIODevice::ReadOnly);
        const RssFeedConverter::Feed feed = RssFeedConverter::read(in.readAll());
        RssFeedConverter::newest(feed.items, 7);
    }
    const double onePieceMs = whole.nsecsElapsed() / 1e6;

    // The feeds, served as a web server would (a fixed body, then close),
    // from a thread of its own: its work is not the window's.
    QThread serverThread;
    QTcpServer *server = nullptr;
    quint16 port = 0;
    QSemaphore listening;
    QObject::connect(&serverThread, &QThread::started, [&] {
        server = new QTcpServer;
        server->listen(QHostAddress::LocalHost);
        port = server->serverPort();
        QObject::connect(server, &QTcpServer::newConnection, server, [&] {
            while (QTcpSocket *socket = server->nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, &dir] {
                    const QByteArray request = socket->readAll();
                    QFile file(dir.filePath(QString::fromLatin1(request.split(' ').value(1).mid(1))));
                    file.open(QIODevice::ReadOnly);
                    const QByteArray body = file.readAll();
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/rss+xml\r\nContent-Length: "
                                  + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
            }
        });
        listening.release();
    });
    QObject::connect(&serverThread, &QThread::finished, [&] { delete server; });
    serverThread.start();
    listening.acquire();
    auto url = [&](const QString &name) {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(port).arg(name);
    };

    RssFeedCache cache;
    cache.setWorkFolder(dir.path() + QLatin1Char('/'));
    QElapsedTimer gap;
    qint64 longest = 0;
    qint64 longestWork = 0;
    qint64 lastWork = 0;
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        longest = qMax(longest, gap.nsecsElapsed());
        const qint64 work = threadNs();
        longestWork = qMax(longestWork, work - lastWork);
        lastWork = work;
        gap.restart();
    });
    // A first small feed: the network stack's one-time start is not the
    // conversion's.
    const QString small = dir.filePath(QStringLiteral("small.xml"));
    {
        QFile out(small);
        out.open(QIODevice::WriteOnly);
        out.write("<rss version=\"2.0\"><channel><item><title>t</title></item></channel></rss>");
    }
    bool ok = false;
    bool warm = false;
    QElapsedTimer cycle;
    QObject::connect(&cache, &RssFeedCache::cycleFinished, [&](bool good) {
        if (!warm) {
            warm = true;
            QTimer::singleShot(0, [&] {
                cycle.start();
                gap.start();
                longest = 0;
                longestWork = 0;
                lastWork = threadNs();
                probe.start();
                cache.RssTransLocal({QStringLiteral("WIDGETRSS")}, {url(QStringLiteral("feed.xml"))});
            });
            return;
        }
        ok = good;
        app.quit();
    });
    QTimer::singleShot(0, [&] {
        cache.RssTransLocal({QStringLiteral("WIDGETRSS")}, {url(QStringLiteral("small.xml"))});
    });
    app.exec();
    serverThread.quit();
    serverThread.wait();
    if (!ok) {
        std::fprintf(stderr, "bench_rssstall: the feed was not converted\n");
        return 1;
    }
    std::printf("longest event-loop stall while a %.1f MB feed (%d items) is fetched and converted: %.1f ms of work, "
                "%.1f ms on the clock (goal under 50 ms; whole cycle %.0f ms; the same feed read in one piece: "
                "%.0f ms)\n",
                megabytes, items, longestWork / 1e6, longest / 1e6, cycle.nsecsElapsed() / 1e6, onePieceMs);
    return 0;
}
