#pragma once

#include <QList>
#include <QPair>
#include <QSize>
#include <QString>
#include <QStringList>

// What the publication page stores and shows: the screen's unique link,
// whether its folder can carry one, the NETWORK value, the poster choice.
class ShareLink
{
public:
    using Values = QList<QPair<QString, QString>>;

    // base + "zobox/zo_" + account + "/LINKS/" + folder + "/index.html";
    // with a base "scheme://host/" the folder is its 7th '/' section.
    static QString link(const QString &base, const QString &account, const QString &folder);
    // A folder that would leave LINKS/ or break the page's address: "/",
    // "\\", '"', "<", ">", ".", ".." or nothing at all.
    static bool isUsableFolder(const QString &folder);

    // "SiteWeb" and/or "Facebook" joined by '|'.
    static QString network(bool web, bool social);
    // Two parts or more: the states they name; fewer (empty, "NULL"): off.
    static void readNetwork(const QString &value, bool *web, bool *social);

    // The poster choice's entries from SLIDENAMEIMAGE and NOMAFFICHE.
    static QStringList posterEntries(const QString &images, const QString &names);
    // The stored WEBSITE as a row of a choice of `count` entries; -1 when
    // there is none to select.
    static int storedPoster(const QString &website, int count);

    // The three keys in the order they are written.
    static Values published(bool web, bool social, int poster, const QString &link);
    static Values unpublished();

    // The share picture's size: 1080 x 1920 for a portrait screen.
    static QSize fullSize(int rotation);
};
