#include "ShareLink.h"

#include <QCoreApplication>

namespace {

const QString kNull = QStringLiteral("NULL");

} // namespace

QString ShareLink::link(const QString &base, const QString &account, const QString &folder)
{
    return base + QStringLiteral("zobox/zo_") + account + QStringLiteral("/LINKS/") + folder
        + QStringLiteral("/index.html");
}

bool ShareLink::isUsableFolder(const QString &folder)
{
    if (folder.isEmpty() || folder == QLatin1String(".") || folder == QLatin1String(".."))
        return false;
    for (const QChar c : folder) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char('"') || c == QLatin1Char('<')
            || c == QLatin1Char('>'))
            return false;
    }
    return true;
}

QString ShareLink::network(bool web, bool social)
{
    return (web ? QStringLiteral("SiteWeb") : QString()) + QLatin1Char('|')
        + (social ? QStringLiteral("Facebook") : QString());
}

void ShareLink::readNetwork(const QString &value, bool *web, bool *social)
{
    const QStringList parts = value.split(QLatin1Char('|'), Qt::KeepEmptyParts);
    const bool two = parts.size() >= 2;
    *web = two && parts.at(0) == QLatin1String("SiteWeb");
    *social = two && parts.at(1) == QLatin1String("Facebook");
}

QStringList ShareLink::posterEntries(const QString &images, const QString &names)
{
    QStringList entries;
    // An absent key is a screen without posters, not one poster named "NULL".
    if (images == kNull)
        return entries;
    const QStringList pictures = images.split(QLatin1Char('|'), Qt::KeepEmptyParts);
    const bool named = !names.isEmpty() && names != kNull;
    const QStringList nameList = names.split(QLatin1Char('|'), Qt::KeepEmptyParts);
    for (int i = 0; i < pictures.size(); ++i) {
        if (pictures.at(i).isEmpty())
            entries.append(QCoreApplication::translate("classReseaux", "Aucune Image..."));
        else if (named && i < nameList.size())
            entries.append(nameList.at(i));
        else // also past the names' end: entry i must stay poster i
            entries.append(QStringLiteral("Affiche n°") + QString::number(i + 1));
    }
    return entries;
}

int ShareLink::storedPoster(const QString &website, int count)
{
    if (website.isEmpty() || website == kNull || count <= 0)
        return -1;
    bool ok = false;
    const int n = website.trimmed().toInt(&ok);
    const int row = ok ? n : 0;
    return row >= 0 && row < count ? row : -1;
}

ShareLink::Values ShareLink::published(bool web, bool social, int poster, const QString &link)
{
    return {qMakePair(QStringLiteral("WEBSITE"), QString::number(poster)),
            qMakePair(QStringLiteral("LINKSITE"), link),
            qMakePair(QStringLiteral("NETWORK"), network(web, social))};
}

ShareLink::Values ShareLink::unpublished()
{
    return {qMakePair(QStringLiteral("NETWORK"), QString()), qMakePair(QStringLiteral("WEBSITE"), QString()),
            qMakePair(QStringLiteral("LINKSITE"), QString())};
}

QSize ShareLink::fullSize(int rotation)
{
    return rotation == 90 || rotation == -90 ? QSize(1080, 1920) : QSize(1920, 1080);
}
