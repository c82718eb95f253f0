#pragma once

#include <QString>
#include <QStringList>

class KeptChanges;
class LoginRows;

// The rows of the login file this console sent, kept in one file of the
// work folder (KeptChanges) until a later fetch shows them. The account
// deployment and the add-a-box procedure keep theirs there alike, so that
// an administrator's next login or save puts back the rows another
// console's late upload took out. No widgets.
class KeptLoginRows
{
public:
    // TEMP/KEPT-LoginCrypt.orvex.json of the work folder (`work` ends in "/").
    static QString path(const QString &work);
    // Keeps every row that differs between `before` (the server's copy the
    // change was made on) and `after` (what goes up).
    static void record(KeptChanges &kept, const LoginRows &before, const LoginRows &after);
    // The same for two files, loaded and saved in the work folder; a
    // `beforeFile` that does not exist is a server without the file. False
    // with `why` (the file at fault in `file`) when a file cannot be read
    // or the record cannot be written. `keys`, when given, receives the
    // rows kept.
    static bool keep(const QString &work, const QString &beforeFile, const QString &afterFile, QString *file,
                     QString *why, QStringList *keys = nullptr);
};
