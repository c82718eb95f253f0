#include "TransferPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>

namespace {

const QString kZobox = QStringLiteral("/zolink/zobox/");

QString without(QString text, const QString &part)
{
    return text.remove(part);
}

QString accountRelative(const QString &account, const QString &path)
{
    return path.isEmpty() ? account : account + QLatin1Char('/') + path;
}

bool plainSegments(const QString &path)
{
    for (const QString &segment : path.split(QLatin1Char('/'))) {
        if (!TransferPaths::isPlainName(segment))
            return false;
    }
    return true;
}

// Only the program's own folders are written to by their tree path: a
// name from the account's files never is.
bool fixedTree(const QString &path)
{
    if (!path.startsWith(kZobox))
        return false;
    const QString rest = path.mid(kZobox.size());
    static const QStringList fixed{QStringLiteral("DEFAULT"), QStringLiteral("Validation"),
                                   QStringLiteral("ALERTE-ZoManager"), QStringLiteral("Production/Reports")};
    for (const QString &folder : fixed) {
        if (rest == folder)
            return true;
        if (rest.startsWith(folder + QLatin1Char('/')))
            return plainSegments(rest.mid(folder.size() + 1));
    }
    return false;
}

// The account's own folder by its tree path.
bool ownTree(const QString &account, const QString &path)
{
    if (account.isEmpty() || !TransferPaths::isPlainName(account) || !path.startsWith(kZobox + account))
        return false;
    const QString rest = path.mid(kZobox.size() + account.size());
    return rest.isEmpty() || (rest.startsWith(QLatin1Char('/')) && plainSegments(rest.mid(1)));
}

} // namespace

QString TransferPaths::accountFolder(const QString &ftpPath)
{
    return without(ftpPath, kZobox);
}

QString TransferPaths::webPath(const QString &ftpPath)
{
    return without(ftpPath, QStringLiteral("/zolink"));
}

QString TransferPaths::encode(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value, "/"));
}

QString TransferPaths::command(const QString &base, const char *query, const QString &value)
{
    return base + QLatin1String("zobox/json_Cmd.php?") + QLatin1String(query) + encode(value);
}

QString TransferPaths::scanTarget(const QString &account, const QString &path)
{
    if (fixedTree(path) || ownTree(account, path))
        return without(path, kZobox);
    return accountRelative(account, path);
}

QString TransferPaths::scanUrl(const QString &base, const QString &account, const QString &path)
{
    return command(base, "Cmd_Php=SCANDIR&PathScanDir=", scanTarget(account, path));
}

QString TransferPaths::deleteFileUrl(const QString &base, const QString &account, const QString &path)
{
    return command(base, "Cmd_Php=DELETE_FILE&PathFile=", accountRelative(account, path));
}

QString TransferPaths::deleteDirUrl(const QString &base, const QString &account, const QString &path)
{
    return command(base, "Cmd_Php=DELETE_DIR&PathDir=", accountRelative(account, path));
}

QString TransferPaths::createDirUrl(const QString &base, const QString &account, const QString &path)
{
    return command(base, "Cmd_Php=CREATE_DIR&PathDir=", accountRelative(account, path));
}

QString TransferPaths::renameUrl(const QString &base, const QString &account, const QString &oldPath,
                                 const QString &newPath)
{
    if (oldPath.isEmpty() || newPath.isEmpty())
        return QString();
    return command(base, "Cmd_Php=RENAME_DIR_FILE&PathOldName=", account + QLatin1Char('/') + oldPath)
        + QLatin1String("&PathNewName=") + encode(account + QLatin1Char('/') + newPath);
}

QString TransferPaths::statusUrl(const QString &base, const QString &accountName)
{
    return base + QLatin1String("zoconsole/modeles/getSTATUS.php?compte=") + encode(accountName);
}

QString TransferPaths::downloadUrl(const QString &base, const QString &ftpPath, const QString &serverPath,
                                   const QString &name)
{
    // The web path starts with "/" and the base ends with one: the double
    // slash is what the server has always been sent.
    if (isDownloadPath(serverPath, accountFolder(ftpPath)) && serverPath.startsWith(kZobox))
        return base + encode(serverPath.mid(QStringLiteral("/zolink/").size()));
    if (serverPath.isEmpty())
        return base + encode(webPath(ftpPath) + QLatin1Char('/') + name);
    return base + encode(webPath(ftpPath) + QLatin1Char('/') + serverPath + QLatin1Char('/') + name);
}

QString TransferPaths::uploadTarget(const QString &account, const QString &destPath)
{
    if (fixedTree(destPath) || ownTree(account, destPath))
        return destPath.mid(kZobox.size()) + QLatin1Char('/');
    if (destPath.isEmpty())
        return account + QLatin1Char('/');
    const QString folder = destPath.startsWith(QLatin1Char('/')) ? destPath.mid(1) : destPath;
    return account + QLatin1Char('/') + folder + QLatin1Char('/');
}

QString TransferPaths::uploadUrl(const QString &base, const QString &account, const QString &destPath)
{
    return base + QLatin1String("zobox/upload.php?Upload_Path=") + encode(uploadTarget(account, destPath));
}

QString TransferPaths::join(const QString &root, const QString &relative)
{
    return QDir::cleanPath(root + QLatin1Char('/') + relative);
}

QString TransferPaths::localScanPath(const QString &root, const QString &account, const QString &path)
{
    return join(root, scanTarget(account, path));
}

QString TransferPaths::localDownloadPath(const QString &root, const QString &account, const QString &serverPath,
                                         const QString &name)
{
    if (isDownloadPath(serverPath, account) && serverPath.startsWith(kZobox))
        return join(root, serverPath.mid(kZobox.size()));
    if (serverPath.isEmpty())
        return join(root, account + QLatin1Char('/') + name);
    return join(root, account + QLatin1Char('/') + serverPath + QLatin1Char('/') + name);
}

QString TransferPaths::localUploadPath(const QString &root, const QString &account, const QString &destPath,
                                       const QString &name)
{
    return join(root, uploadTarget(account, destPath) + name);
}

QString TransferPaths::localPath(const QString &root, const QString &account, const QString &path)
{
    return join(root, accountRelative(account, path));
}

bool TransferPaths::isInside(const QString &root, const QString &path)
{
    const QString top = QDir::cleanPath(root);
    const QString clean = QDir::cleanPath(path);
    if (clean == top)
        return true;
    return clean.startsWith(top.endsWith(QLatin1Char('/')) ? top : top + QLatin1Char('/'));
}

QString TransferPaths::maskUrl(const QString &text, const QString &base)
{
    if (base.isEmpty())
        return text;
    const QString mask = QLatin1String("//****") + QUrl(base).host() + QLatin1Char('/');
    return QString(text).replace(base, mask);
}

bool TransferPaths::isPlainName(const QString &name)
{
    // Longer than a file name may be: no folder or file can carry it.
    return singleName(name) && name.toUtf8().size() <= MaxNameBytes;
}

bool TransferPaths::singleName(const QString &name)
{
    // "a..b.png" is a plain name; only "." and ".." name a folder level.
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

bool TransferPaths::isPlaylistFolder(const QString &name)
{
    static const QString prefix = QStringLiteral("PLAYLIST-");
    return name.startsWith(prefix) && isPlainName(name.mid(prefix.size()));
}

bool TransferPaths::isMediaPath(const QString &entry)
{
    const int slash = entry.indexOf(QLatin1Char('/'));
    static const QStringList folders{QStringLiteral("IMAGE"), QStringLiteral("VIDEO"), QStringLiteral("TEXT")};
    // No length bound: a name too long for this disk is still the server's file.
    return slash > 0 && folders.contains(entry.left(slash)) && singleName(entry.mid(slash + 1));
}

bool TransferPaths::isFixedTreePath(const QString &path)
{
    return fixedTree(path);
}

bool TransferPaths::isServerPath(const QString &path, const QString &account)
{
    if (path.isEmpty() || fixedTree(path) || ownTree(account, path))
        return true;
    if (path.contains(QLatin1String("zolink/zobox")))
        return false;
    // "/IMAGE" and "LINKS/" name folders below the account as well.
    QString relative = path.startsWith(QLatin1Char('/')) ? path.mid(1) : path;
    if (relative.endsWith(QLatin1Char('/')))
        relative.chop(1);
    return relative.isEmpty() || plainSegments(relative);
}

bool TransferPaths::isDownloadPath(const QString &serverPath, const QString &account)
{
    if (isServerPath(serverPath, account))
        return true;
    const QString file = QStringLiteral("/ConnexionCrypt.orvex");
    if (!serverPath.startsWith(kZobox + QLatin1String("zo_")) || !serverPath.endsWith(file))
        return false;
    const QString folder = serverPath.mid(kZobox.size(), serverPath.size() - kZobox.size() - file.size());
    return isPlainName(folder);
}

QString TransferPaths::printable(const QString &name)
{
    QString shown;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            shown += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            shown += c;
    }
    return shown;
}

QString TransferPaths::refusedText(const QString &name)
{
    // The length bounded: a box has no room for 300 characters.
    QString shown = printable(name);
    if (shown.size() > 80)
        shown = shown.left(80) + QStringLiteral("...");
    return QCoreApplication::translate("TransferPaths", "Nom refusé: \"%1\" ne peut pas désigner un dossier du compte!!!")
        .arg(shown);
}
