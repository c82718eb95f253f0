#include "AccountFile.h"

#include "ClassParam.h"
#include "TransferPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kNull = QStringLiteral("NULL");
const QString kServerRoot = QStringLiteral("/zolink/zobox/");

} // namespace

QString AccountFile::accountFolder() const
{
    QString folder = accountPath;
    return folder.remove(kServerRoot);
}

QString AccountFile::serverFolder() const
{
    return QDir(localRoot).filePath(accountFolder());
}

bool AccountFile::isAccountName(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (const QChar c : name) {
        const bool ascii = c.unicode() < 0x80;
        if (!(ascii && (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_'))))
            return false;
    }
    return true;
}

AccountFile AccountFile::read(const QString &connexionFile)
{
    AccountFile account;
    ClassParam file;
    const bool readable = file.getParamCrypt(connexionFile, QStringList{QStringLiteral("ALL")}, 0);

    account.ftpServer = file.getInfoBalise(QStringLiteral("FTPSERVEUR"));
    account.ftpLogin = file.getInfoBalise(QStringLiteral("FTPLOGIN"));
    account.ftpPassword = file.getInfoBalise(QStringLiteral("FTPPASSWORD"));
    account.localMode = file.getInfoBalise(QStringLiteral("MODE")) == QLatin1String("LOCAL");
    account.mediaSize = file.getInfoBalise(QStringLiteral("MEDIASIZE")).toInt(nullptr, 10);
    account.allowDeploy = file.getInfoBalise(QStringLiteral("ALLOWDEPLOY")) == QLatin1String("OUI");
    account.accountType = file.getInfoBalise(QStringLiteral("TYPECOMPTE"));
    account.accountPath = file.getInfoBalise(QStringLiteral("FTPPATH"));
    const bool admin = account.accountType == QLatin1String("ADMIN")
        || account.accountType == QLatin1String("ADMINISTRATEUR");
    account.accountName = file.getInfoBalise(admin ? QStringLiteral("COMPTEADMIN") : QStringLiteral("COMPTEUSER"));
    if (account.accountName.isEmpty())
        account.accountName = QString(account.accountPath).remove(QStringLiteral("/zolink/zobox/zo_"));
    account.localRoot = file.getInfoBalise(QStringLiteral("LOCALPATH"));

    if (!readable) {
        account.problem = QStringLiteral("Le fichier de connexion du compte (CONNEXION.txt)\nest absent ou illisible.");
        return account;
    }
    if (account.mediaSize <= 0) {
        account.problem = QStringLiteral("Le fichier de connexion du compte est invalide:\n"
                                         "MEDIASIZE doit être un nombre de Mo positif.");
        return account;
    }
    if (account.accountPath.isEmpty()) {
        account.problem = QStringLiteral("Le fichier de connexion du compte est invalide:\nFTPPATH est vide.");
        return account;
    }
    if (!TransferPaths::isPlainName(account.accountFolder()) || account.accountFolder() == kNull) {
        account.problem = QStringLiteral("Le fichier de connexion du compte est invalide:\n"
                                         "FTPPATH doit être \"/zolink/zobox/zo_\" suivi du nom du compte.");
        return account;
    }
    if (account.localMode
        && (account.localRoot == kNull || account.localRoot.isEmpty() || !QFileInfo(account.serverFolder()).isDir())) {
        account.problem = QStringLiteral("Le dossier du compte est introuvable en mode local:\n%1")
                              .arg(account.localRoot == kNull ? QString() : account.serverFolder());
        return account;
    }
    account.valid = true;
    return account;
}

