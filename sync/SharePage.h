#pragma once

#include <QDateTime>
#include <QString>

// The share page LINKS/index.html of a poster published on the web: the
// rendered poster as background, Open Graph tags and the social network's
// like-and-share button. Every value written into the page is escaped.
class SharePage
{
public:
    // Identifies the console's application to the social network.
    static const char *const AppId;
    static const char *const SdkHost;

    // "ddhhmmss" of `now`.
    static QString stamp(const QDateTime &now);
    // The page text (lines ended by CR LF) for the share folder URL `folderUrl`
    // (no final "/") and `stamp`.
    static QByteArray page(const QString &folderUrl, const QString &stamp);
    // base + "zobox/" + account folder + "/LINKS/" + link folder.
    static QString folderUrl(const QString &base, const QString &accountFolder, const QString &linkFolder);
    // Writes <work>LINKS/index.html and returns the stamp, "0" when the file
    // cannot be written.
    static QString generateIndex(const QString &work, const QString &base, const QString &accountFolder,
                                 const QString &linkFolder, const QDateTime &now);
    // LINKSITE's seventh '/'-section; empty when there is none.
    static QString linkFolderOf(const QString &linkSite);
};
