#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// Turns a downloaded RSS 2.0 feed into the reduced file the news scene
// reads: its newest items, pictures pointing at local copies.
class RssFeedConverter
{
public:
    // Item record: title, description, pubDate (as given), picture address,
    // picture length.
    enum Field { Title, Description, PubDate, Picture, Length, FieldCount };

    struct Feed
    {
        QString channelImage;
        QList<QStringList> items;
        // The root is "rss": anything else (an HTML page, a redirect's
        // body) is no feed at all.
        bool isRss = false;
    };

    // Items in document order. `ok` is false when the text is not
    // well-formed XML; a well-formed document whose root is not "rss" gives
    // no items.
    static Feed read(const QByteArray &data, bool *ok = nullptr);

    // The `count` newest items, oldest first; items with equal dates, and
    // undated items (older than every dated one), keep their feed order.
    static QList<QStringList> newest(const QList<QStringList> &items, int count = 7);

    // "ddd, dd MMM yyyy hh:mm:ss" after removing " +0100" (read at +01:00),
    // else RFC 2822 with a numeric or named zone (EST, PDT, ...); invalid
    // when neither reads.
    static QDateTime itemDate(const QString &pubDate);

    // Name of the local copy of a picture: the MD5 of the whole address
    // plus the path's picture extension; "" for an address naming no file
    // (empty, ending in "/", ".", "..").
    static QString pictureFileName(const QString &address);

    // Local file names of the pictures a converted feed file names.
    static QStringList localPictures(const QByteArray &convertedFeed);

    // The reduced document: no declaration, indented by 4 spaces.
    static QByteArray write(const QString &channelImage, const QList<QStringList> &items);
};
