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
    };

    // Items in document order. `ok` is false when the text is not
    // well-formed XML; a well-formed document whose root is not "rss" gives
    // no items.
    static Feed read(const QByteArray &data, bool *ok = nullptr);

    // The `count` newest items, oldest first; items with equal dates, and
    // undated items (older than every dated one), keep their feed order.
    static QList<QStringList> newest(const QList<QStringList> &items, int count = 7);

    // "ddd, dd MMM yyyy hh:mm:ss" after removing " +0100" (read at +01:00),
    // else RFC 2822; invalid when neither reads.
    static QDateTime itemDate(const QString &pubDate);

    // Name of the local copy of a picture: the address's last "/" segment
    // cut to 60 characters; "" for names that are never saved ("", ".",
    // "..", "*.tmp", "*.xml").
    static QString pictureFileName(const QString &address);

    // The reduced document: no declaration, indented by 4 spaces.
    static QByteArray write(const QString &channelImage, const QList<QStringList> &items);
};
