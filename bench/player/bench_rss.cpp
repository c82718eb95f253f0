// Feed conversion speed: reading a feed of 5,000 items, keeping its 7
// newest and writing the reduced file, on a feed written to the path given.
// scripts/bench times `xmllint --xpath` counting the same items beside it.
#include "RssFeedConverter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_rss FEED.xml [ITEMS]\n");
        return 64;
    }
    const int items = argc > 2 ? QByteArray(argv[2]).toInt() : 5000;
    const QString path = QString::fromLocal8Bit(argv[1]);
    {
        QByteArray feed = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\" "
                          "xmlns:media=\"http://search.yahoo.com/mrss/\"><channel><title>Bench</title>"
                          "<image><url>http://127.0.0.1/logo.png</url></image>\n";
        const QDateTime start(QDate(2023, 1, 1), QTime(0, 0), Qt::UTC);
        const QLocale english(QLocale::English);
        for (int i = 0; i < items; ++i) {
            // Dates out of order, in the two common forms.
            const QDateTime when = start.addSecs(qint64((i * 7919) % items) * 60);
            const QString date = i % 3 ? english.toString(when, QStringLiteral("ddd, dd MMM yyyy hh:mm:ss")) + " +0100"
                                       : when.toString(Qt::RFC2822Date);
            feed += "<item><title>Item " + QByteArray::number(i) + "</title><description><![CDATA[<p>Text of item "
                    + QByteArray::number(i) + " <a href=\"http://x/\">more</a></p>]]></description><pubDate>"
                    + date.toUtf8() + "</pubDate><enclosure url=\"http://127.0.0.1/p" + QByteArray::number(i % 50)
                    + ".jpg\" length=\"1000\" type=\"image/jpeg\"/></item>\n";
        }
        feed += "</channel></rss>\n";
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(feed) != feed.size()) {
            std::fprintf(stderr, "bench_rss: cannot write %s\n", argv[1]);
            return 1;
        }
    }
    qint64 best = -1;
    int kept = 0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer clock;
        clock.start();
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly))
            return 1;
        bool ok = false;
        const RssFeedConverter::Feed feed = RssFeedConverter::read(in.readAll(), &ok);
        const QList<QStringList> newest = RssFeedConverter::newest(feed.items, 7);
        QFile out(path + QStringLiteral(".reduced"));
        if (!ok || !out.open(QIODevice::WriteOnly))
            return 1;
        out.write(RssFeedConverter::write(feed.channelImage, newest));
        const qint64 ms = clock.nsecsElapsed() / 1000;
        best = best < 0 ? ms : qMin(best, ms);
        kept = newest.size();
    }
    std::printf("converting a feed of %d items (7 kept: %d): %.1f ms (best of 5)\n", items, kept, best / 1000.0);
    return 0;
}
