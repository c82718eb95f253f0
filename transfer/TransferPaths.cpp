#include "TransferPaths.h"

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
    if (path.contains(kZobox))
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
    if (serverPath.contains(kZobox))
        return base + encode(without(serverPath, QStringLiteral("/zolink/")));
    if (serverPath.isEmpty())
        return base + encode(webPath(ftpPath) + QLatin1Char('/') + name);
    return base + encode(webPath(ftpPath) + QLatin1Char('/') + serverPath + QLatin1Char('/') + name);
}

QString TransferPaths::uploadTarget(const QString &account, const QString &destPath)
{
    if (destPath.contains(kZobox))
        return without(destPath, kZobox) + QLatin1Char('/');
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
    if (serverPath.contains(kZobox))
        return join(root, without(serverPath, kZobox));
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
