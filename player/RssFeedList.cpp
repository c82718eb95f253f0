#include "RssFeedList.h"

#include <QUrl>

namespace {

bool hasFeed(const QStringList &types, const QStringList &addresses, int i)
{
    if (types.at(i) != QLatin1String("WIDGETRSS") || i >= addresses.size())
        return false;
    const QString address = addresses.at(i);
    return !address.isEmpty() && address != QLatin1String("NULL");
}

} // namespace

QString RssFeedList::localName(const QString &address)
{
    QString name = address;
    name.remove(QStringLiteral("http://"));
    name.remove(QStringLiteral("https://"));
    name.remove(QStringLiteral("www."));
    name.remove(QLatin1Char('.'));
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    name.replace(QLatin1Char(':'), QLatin1Char('-'));
    name.remove(QLatin1Char('&'));
    name.remove(QLatin1Char('?'));
    name.remove(QLatin1Char('='));
    return name;
}

QStringList RssFeedList::localFiles(const QStringList &types, const QStringList &addresses,
                                    const QString &workFolder)
{
    QStringList files;
    for (int i = 0; i < types.size(); ++i) {
        files.append(hasFeed(types, addresses, i)
                         ? QUrl::fromLocalFile(workFolder + QStringLiteral("RSS/") + localName(addresses.at(i))
                                               + QStringLiteral(".xml"))
                               .toString()
                         : QString());
    }
    return files;
}

QStringList RssFeedList::feedAddresses(const QStringList &types, const QStringList &addresses)
{
    QStringList feeds;
    for (int i = 0; i < types.size(); ++i) {
        if (hasFeed(types, addresses, i))
            feeds.append(addresses.at(i));
    }
    return feeds;
}
