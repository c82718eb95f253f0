#pragma once

#include <QString>

// The account connection file CONNEXION.txt: which account the console
// works for and how to reach its folder, on the server or, in local mode
// (MODE "LOCAL"), under LOCALPATH, which stands for "/zolink/zobox/".
class AccountFile
{
public:
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

    // Reads the file and applies the start-up checks.
    static AccountFile read(const QString &connexionFile);

    // "zo_<account>": FTPPATH without "/zolink/zobox/".
    QString accountFolder() const;
    // The account folder inside LOCALPATH.
    QString serverFolder() const;

    // A name typed at start-up goes into server paths: letters, digits,
    // "-" and "_" only.
    static bool isAccountName(const QString &name);
};
