#include "LocalStartup.h"

#include "Checksum.h"
#include "ClassParam.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kNull = QStringLiteral("NULL");
const QString kServerRoot = QStringLiteral("/zolink/zobox/");

bool copyReplacing(const QString &source, const QString &target, QString *problem)
{
    if (!QFileInfo(source).isFile()) {
        if (problem)
            *problem = QStringLiteral("Fichier introuvable: %1").arg(source);
        return false;
    }
    // Copy beside the target first so that a failed copy leaves the old file.
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(source, partial)) {
        if (problem)
            *problem = QStringLiteral("Copie impossible: %1").arg(source);
        return false;
    }
    if (QFileInfo::exists(target) && !QFile::remove(target)) {
        QFile::remove(partial);
        if (problem)
            *problem = QStringLiteral("Suppression du fichier impossible: %1").arg(target);
        return false;
    }
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        if (problem)
            *problem = QStringLiteral("Copie impossible: %1").arg(target);
        return false;
    }
    return true;
}

} // namespace

QString LocalStartup::Account::accountFolder() const
{
    QString folder = accountPath;
    return folder.remove(kServerRoot);
}

QString LocalStartup::Account::serverFolder() const
{
    return QDir(localRoot).filePath(accountFolder());
}

bool LocalStartup::isPlainName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

LocalStartup::Account LocalStartup::readAccount(const QString &connexionFile)
{
    Account account;
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
    account.savedUser = file.getInfoBalise(QStringLiteral("USERLOGIN"));
    account.savedPassword = file.getInfoBalise(QStringLiteral("PASSWORDLOGIN"));

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
    if (!account.localMode) {
        account.problem = QStringLiteral("Ce poste ne travaille qu'en mode local:\n"
                                         "le fichier de connexion doit contenir MODE=\"LOCAL\" et LOCALPATH.");
        return account;
    }
    if (!isPlainName(account.accountFolder()) || account.accountFolder() == kNull) {
        account.problem = QStringLiteral("Le fichier de connexion du compte est invalide:\n"
                                         "FTPPATH doit être \"/zolink/zobox/zo_\" suivi du nom du compte.");
        return account;
    }
    if (account.localRoot == kNull || account.localRoot.isEmpty() || !QFileInfo(account.serverFolder()).isDir()) {
        account.problem = QStringLiteral("Le dossier du compte est introuvable en mode local:\n%1")
                              .arg(account.localRoot == kNull ? QString() : account.serverFolder());
        return account;
    }
    account.valid = true;
    return account;
}

LocalStartup::Login LocalStartup::login(ClassParam &loginFile, const QString &user, const QString &password)
{
    Login result;
    result.user = user;

    const QString mainPassword = loginFile.getInfoBalise(QStringLiteral("MOTDEPASSE"));
    if (mainPassword == kNull) {
        result.problem = QStringLiteral("Le fichier des utilisateurs du compte est absent ou incomplet.");
        return result;
    }
    if (user == kNull || user.isEmpty()) {
        result.problem = QStringLiteral("Aucun utilisateur enregistré:\n"
                                        "le fichier de connexion doit contenir USERLOGIN et PASSWORDLOGIN.");
        return result;
    }

    const QStringList users = loginFile.getInfoBalise(QStringLiteral("USERLIST")).split(QLatin1Char('|'));
    const int index = users.indexOf(user);
    if (index < 0 && user != loginFile.getInfoBalise(QStringLiteral("UTILISATEUR"))) {
        result.problem = QStringLiteral("Ce nom d'utilisateur n'est pas enregistré!!!");
        return result;
    }

    const QStringList passwords = loginFile.getInfoBalise(QStringLiteral("USERPASSWORD")).split(QLatin1Char('|'));
    const bool passwordOk = index >= 0 ? (index < passwords.size() && passwords.at(index) == password)
                                       : password == mainPassword;
    if (!passwordOk) {
        result.problem = QStringLiteral("Mot de passe non correct!!!");
        return result;
    }

    result.ok = true;
    result.userIndex = index;
    if (index < 0)
        return result;

    const auto row = [&loginFile, index](const char *key, bool *present) {
        const QString value = loginFile.getInfoBalise(QString::fromLatin1(key));
        const QStringList rows = value.split(QLatin1Char('|'));
        *present = value != kNull && index < rows.size();
        return *present ? rows.at(index) : QString();
    };
    bool present = false;
    result.permissionRow = row("USERPERMISSION", &result.hasPermissionRow);
    result.playRow = row("PLAYPERMISSION", &result.hasPlayRow);
    result.userType = row("USERTYPE", &present);
    return result;
}

bool LocalStartup::fetchFile(const Account &account, const QString &name, const QString &target, QString *problem)
{
    if (!isPlainName(name)) {
        if (problem)
            *problem = QStringLiteral("Nom de fichier refusé: %1").arg(name);
        return false;
    }
    return copyReplacing(QDir(account.serverFolder()).filePath(name), target, problem);
}

QStringList LocalStartup::fetchMedia(const Account &account, ClassParam &mediaIndex, const QString &workFolder)
{
    QStringList problems;
    const QString pathValue = mediaIndex.getInfoBalise(QStringLiteral("FILEPATH"));
    if (pathValue == kNull || pathValue.isEmpty())
        return problems;
    const QStringList paths = pathValue.split(QLatin1Char('|'));
    const QStringList sums = mediaIndex.getInfoBalise(QStringLiteral("FILECHK")).split(QLatin1Char('|'));
    const QStringList folders{QStringLiteral("IMAGE"), QStringLiteral("VIDEO"), QStringLiteral("TEXT")};

    for (int i = 0; i < paths.size(); ++i) {
        const QString entry = paths.at(i);
        if (entry.isEmpty() || entry == kNull)
            continue;
        const int slash = entry.indexOf(QLatin1Char('/'));
        const QString folder = entry.left(slash);
        const QString name = entry.mid(slash + 1);
        if (slash < 0 || !folders.contains(folder) || !isPlainName(name)) {
            problems << entry;
            continue;
        }
        const QString target = workFolder + folder + QLatin1Char('/') + name;
        const QString expected = sums.value(i);
        if (QFileInfo::exists(target) && !expected.isEmpty()
            && CalculChecksum(target).compare(expected, Qt::CaseInsensitive) == 0)
            continue;
        QString problem;
        if (!copyReplacing(QDir(account.serverFolder()).filePath(entry), target, &problem))
            problems << entry;
    }
    return problems;
}
