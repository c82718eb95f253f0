#pragma once

#include <QString>
#include <QStringList>

// Local names of RSS feed addresses and the per-poster feed list the zone
// scenes read in place of the addresses.
class RssFeedList
{
public:
    // "http://www.site.com/news/feed.php?id=3" -> "sitecom-news-feedphpid3".
    static QString localName(const QString &address);
    // One entry per kind: the local file URL of RSS/<name>.xml for a
    // "WIDGETRSS" poster with an address, else "".
    static QStringList localFiles(const QStringList &types, const QStringList &addresses, const QString &workFolder);
    // The addresses to fetch, in poster order (duplicates kept).
    static QStringList feedAddresses(const QStringList &types, const QStringList &addresses);
};
