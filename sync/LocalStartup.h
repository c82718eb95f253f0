#pragma once

#include <QString>
#include <QStringList>

class ClassParam;

// Start-up and login of an account that works on a local folder tree
// (connection file MODE "LOCAL"): LOCALPATH stands for the server's
// "/zolink/zobox/" and holds the account folder "zo_<account>".
// This stands in for the server synchronisation until it exists.
class LocalStartup
{
public:
    struct Account {
        bool valid = false;
        QString problem; // why the file is refused, for the user

        QString ftpServer;
        QString ftpLogin;
        QString ftpPassword;
        bool localMode = false;
        int mediaSize = 0;
        bool allowDeploy = false;
        QString accountType;
        QString accountPath; // FTPPATH, "/zolink/zobox/zo_<account>"
        QString accountName;
        QString localRoot; // LOCALPATH
        QString savedUser; // USERLOGIN, "NULL" when none
        QString savedPassword; // PASSWORDLOGIN, "NULL" when none

        // "zo_<account>": FTPPATH without "/zolink/zobox/".
        QString accountFolder() const;
        // The account folder inside LOCALPATH.
        QString serverFolder() const;
    };

    struct Login {
        bool ok = false;
        QString problem;
        QString user;
        int userIndex = -1; // row in USERLIST; -1 for the main user
        QString userType;
        bool hasPermissionRow = false;
        QString permissionRow; // USERPERMISSION row
        bool hasPlayRow = false;
        QString playRow; // PLAYPERMISSION row
    };

    // Reads CONNEXION.txt and applies the start-up checks.
    static Account readAccount(const QString &connexionFile);

    // Checks a user name and password against a loaded login file.
    static Login login(ClassParam &loginFile, const QString &user, const QString &password);

    // A name that stays inside the folder it is joined to.
    static bool isPlainName(const QString &name);

    // Copies `name` from the account folder to `target`, replacing it.
    static bool fetchFile(const Account &account, const QString &name, const QString &target, QString *problem);

    // Copies the media files of a loaded media index that are missing in the
    // work folder or differ from their checksum. Returns the entries that
    // could not be brought over.
    static QStringList fetchMedia(const Account &account, ClassParam &mediaIndex, const QString &workFolder);
};
