#include "SentMediaRecords.h"

#include "ClassLog.h"
#include "ClassParam.h"
#include "JournalDeployment.h"
#include "OperationJournal.h"

#include <QHash>

namespace {

// What the records leave for one path.
struct Outcome {
    enum { Untouched, Listed, Unlisted } state = Untouched;
    bool permissionSet = false;
    QString permission;
};

QHash<QString, Outcome> outcomes(const QList<QStringList> &records)
{
    QHash<QString, Outcome> out;
    for (const QStringList &fields : records) {
        if (fields.size() != 5)
            continue;
        Outcome &o = out[fields.at(1)];
        if (fields.at(0) == QLatin1String("AJOUTER")) {
            o.state = Outcome::Listed;
            o.permissionSet = false;
        } else if (fields.at(0) == QLatin1String("SUPPRIMER")) {
            o.state = Outcome::Unlisted;
            o.permissionSet = false;
        } else if (fields.at(0) == QLatin1String("PERMISSION")) {
            o.permissionSet = true;
            o.permission = fields.at(3);
        }
    }
    return out;
}

QStringList listOf(ClassParam &index, const char *key)
{
    const QString value = index.getInfoBalise(QLatin1String(key));
    return value == QLatin1String("NULL") ? QStringList() : value.split(QLatin1Char('|'));
}

} // namespace

QString SentMediaRecords::fileName()
{
    return QStringLiteral("SENT-INFOMEDIA.orvex");
}

QString SentMediaRecords::path(const QString &work)
{
    return work + QLatin1String("TEMP/") + fileName();
}

QList<QStringList> SentMediaRecords::notShown(const QString &index, const QList<QStringList> &records)
{
    ClassParam read;
    read.getParamCrypt(index, QStringList{QStringLiteral("ALL")}, 0);
    const QStringList paths = listOf(read, "FILEPATH");
    const QStringList permissions = listOf(read, "FILEPATHPERMISSION");
    const QHash<QString, Outcome> expected = outcomes(records);
    QList<QStringList> missing;
    for (const QStringList &fields : records) {
        const QString path = fields.value(1);
        const auto o = expected.constFind(path);
        if (o == expected.cend())
            continue;
        // The merge works on the first entry of a path.
        const int at = paths.indexOf(path);
        bool shown = true;
        if (o->state == Outcome::Listed)
            shown = at >= 0;
        else if (o->state == Outcome::Unlisted)
            shown = at < 0;
        if (shown && at >= 0 && o->permissionSet)
            shown = permissions.value(at) == o->permission;
        if (!shown)
            missing << fields;
    }
    return missing;
}

QStringList SentMediaRecords::listedPaths(const QList<QStringList> &records)
{
    const QHash<QString, Outcome> expected = outcomes(records);
    QStringList paths;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (it->state == Outcome::Listed)
            paths << it.key();
    }
    paths.sort();
    return paths;
}

QList<QStringList> SentMediaRecords::confirm(const QString &work, const QString &index)
{
    const QString kept = path(work);
    const QList<QStringList> records = OperationJournal::records(kept);
    // A page in place of the index tells nothing: everything stays, unasked.
    if (records.isEmpty() || !JournalDeployment::indexReadable(index))
        return {};
    const QList<QStringList> missing = notShown(index, records);
    if (missing.size() == records.size())
        return missing;
    QString error;
    if (!OperationJournal::rewrite(kept, missing, &error))
        ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("%1 not rewritten: %2").arg(kept, error));
    if (!missing.isEmpty())
        ClassLog().log(QStringLiteral("OrvexLog"),
                       QStringLiteral("MEDIA.orvex of the server lost %1 published record(s): merged again").arg(missing.size()));
    return missing;
}
