#include "KeptLoginRows.h"

#include "KeptChanges.h"
#include "LoginRows.h"

#include <QCoreApplication>
#include <QFileInfo>

QString KeptLoginRows::path(const QString &work)
{
    return KeptChanges::path(work, QStringLiteral("LoginCrypt.orvex"));
}

void KeptLoginRows::record(KeptChanges &kept, const LoginRows &before, const LoginRows &after)
{
    for (const QString &key : LoginRows::changed(before, after))
        kept.replace({KeptChanges::LoginRow, key, before.state(key), after.state(key), {}});
}

bool KeptLoginRows::keep(const QString &work, const QString &beforeFile, const QString &afterFile, QString *file,
                         QString *why, QStringList *keys)
{
    LoginRows before;
    LoginRows after;
    const QString unreadable = QCoreApplication::translate("KeptLoginRows", "fichier illisible");
    if (QFileInfo::exists(beforeFile) && !before.read(beforeFile)) {
        *file = beforeFile;
        *why = unreadable;
        return false;
    }
    if (!after.read(afterFile)) {
        *file = afterFile;
        *why = unreadable;
        return false;
    }
    KeptChanges kept(path(work));
    // A damaged record is set aside: what goes now is kept afresh.
    kept.load();
    record(kept, before, after);
    if (keys)
        *keys += LoginRows::changed(before, after);
    *file = kept.path();
    return kept.save(why);
}
