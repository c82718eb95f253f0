#pragma once

#include <QString>

// URLs of the server's HTTP file API and their local-mode counterparts.
// Pure functions: no state, no I/O, so the whole table can be tested
// without a server.
//
// Arguments follow the account connection file: `base` is the server base
// URL (ends in "/"), `account` the account folder "zo_<name>" (FTPPATH less
// "/zolink/zobox/"), `ftpPath` FTPPATH itself, `root` LOCALPATH.
class TransferPaths
{
public:
    static QString accountFolder(const QString &ftpPath);
    static QString webPath(const QString &ftpPath);

    // Percent-encodes a query value or path; "/" stays readable.
    static QString encode(const QString &value);

    static QString scanUrl(const QString &base, const QString &account, const QString &path);
    static QString deleteFileUrl(const QString &base, const QString &account, const QString &path);
    static QString deleteDirUrl(const QString &base, const QString &account, const QString &path);
    static QString createDirUrl(const QString &base, const QString &account, const QString &path);
    // Empty when either path is empty: nothing is to be sent.
    static QString renameUrl(const QString &base, const QString &account, const QString &oldPath,
                             const QString &newPath);
    static QString statusUrl(const QString &base, const QString &accountName);
    static QString downloadUrl(const QString &base, const QString &ftpPath, const QString &serverPath,
                               const QString &name);
    static QString uploadUrl(const QString &base, const QString &account, const QString &destPath);

    static QString localScanPath(const QString &root, const QString &account, const QString &path);
    static QString localDownloadPath(const QString &root, const QString &account, const QString &serverPath,
                                     const QString &name);
    static QString localUploadPath(const QString &root, const QString &account, const QString &destPath,
                                   const QString &name);
    static QString localPath(const QString &root, const QString &account, const QString &path);
    // True when `path` is `root` or lies below it once "." and ".." are resolved.
    static bool isInside(const QString &root, const QString &path);

    // Log form of a URL: every occurrence of `base` becomes "//****<host>/".
    static QString maskUrl(const QString &text, const QString &base);

    // Bytes of a file name on the disks and the server.
    static constexpr int MaxNameBytes = 255;
    // A server-given name that may become a local path: not empty, not "."
    // or "..", no "/", "\\", NUL or other control characters, at most
    // MaxNameBytes in UTF-8.
    static bool isPlainName(const QString &name);
    // isPlainName() without the length bound.
    static bool singleName(const QString &name);
    // "PLAYLIST-" followed by a plain name.
    static bool isPlaylistFolder(const QString &name);
    // A media index entry: IMAGE/, VIDEO/ or TEXT/ followed by a plain name.
    static bool isMediaPath(const QString &entry);
    // A path the transfer layer may send: empty (the account folder),
    // plain names joined by "/" below the account folder (one leading "/"
    // allowed), or one of the program's own fixed folders of the zobox tree;
    // with `account` ("zo_<name>") given, also that account's tree path.
    static bool isServerPath(const QString &path, const QString &account = QString());
    // The fixed folders of the zobox tree (DEFAULT, Validation,
    // ALERTE-ZoManager, Production/Reports) or a path below one of them.
    static bool isFixedTreePath(const QString &path);
    // isServerPath(), or the connection file of an account named at start-up
    // ("/zolink/zobox/zo_<name>/ConnexionCrypt.orvex"): read, never written.
    static bool isDownloadPath(const QString &serverPath, const QString &account = QString());
    // The name with its control characters as "%XX" codes, for logs and boxes.
    static QString printable(const QString &name);
    // The error text of a name refused as a folder of the account.
    static QString refusedText(const QString &name);

private:
    // The folder the server resolves for a scan or upload, relative to the
    // zobox tree; local mode resolves the same one under LOCALPATH.
    static QString scanTarget(const QString &account, const QString &path);
    static QString uploadTarget(const QString &account, const QString &destPath);
    static QString command(const QString &base, const char *query, const QString &value);
    static QString join(const QString &root, const QString &relative);
};
