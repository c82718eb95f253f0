#include "SentMediaRecords.h"

#include "ClassLog.h"
#include "ClassParam.h"
#include "JournalDeployment.h"
#include "OperationJournal.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace {

// The journal fields of a media record, then the state before it.
constexpr int kJournalFields = 5;
constexpr int kKeptFields = 8;

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
        if (fields.size() < kJournalFields)
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

// The index's first entry of each path: the one the merge works on.
struct Entry {
    QString checksum;
    QString permission;
};

struct IndexEntries {
    QHash<QString, Entry> entries;

    explicit IndexEntries(const QString &index)
    {
        ClassParam read;
        read.getParamCrypt(index, QStringList{QStringLiteral("ALL")}, 0);
        const QStringList paths = listOf(read, "FILEPATH");
        const QStringList sums = listOf(read, "FILECHK");
        const QStringList permissions = listOf(read, "FILEPATHPERMISSION");
        for (int i = 0; i < paths.size(); ++i) {
            if (!entries.contains(paths.at(i)))
                entries.insert(paths.at(i), Entry{sums.value(i), permissions.value(i)});
        }
    }
};

void logLine(const QString &text)
{
    ClassLog().log(QStringLiteral("OrvexLog"), text);
}

} // namespace

QString SentMediaRecords::fileName(Kind kind)
{
    return kind == Admin ? QStringLiteral("SENT-INFOADMIN.orvex") : QStringLiteral("SENT-INFOMEDIA.orvex");
}

QString SentMediaRecords::path(const QString &work, Kind kind)
{
    return work + QLatin1String("TEMP/") + fileName(kind);
}

QList<QStringList> SentMediaRecords::notShown(const QString &index, const QList<QStringList> &records)
{
    const IndexEntries listed(index);
    const QHash<QString, Outcome> expected = outcomes(records);
    QList<QStringList> missing;
    for (const QStringList &fields : records) {
        const QString path = fields.value(1);
        const auto o = expected.constFind(path);
        if (o == expected.cend())
            continue;
        const auto at = listed.entries.constFind(path);
        const bool there = at != listed.entries.cend();
        bool shown = true;
        if (o->state == Outcome::Listed)
            shown = there;
        else if (o->state == Outcome::Unlisted)
            shown = !there;
        if (shown && there && o->permissionSet)
            shown = at->permission == o->permission;
        if (!shown)
            missing << fields;
    }
    return missing;
}

QList<QStringList> SentMediaRecords::toMergeAgain(const QString &index, const QList<QStringList> &records)
{
    const IndexEntries listed(index);
    // Per path, whether the index still shows the state the first record
    // of the path replaced.
    QHash<QString, bool> asBefore;
    QList<QStringList> again;
    for (const QStringList &fields : notShown(index, records)) {
        const QString path = fields.value(1);
        auto known = asBefore.constFind(path);
        if (known == asBefore.cend()) {
            bool same = true;
            if (fields.size() >= kKeptFields) {
                const auto at = listed.entries.constFind(path);
                const bool there = at != listed.entries.cend();
                if (fields.at(5) == QLatin1String("1"))
                    same = there && at->checksum == fields.at(6) && at->permission == fields.at(7);
                else
                    same = !there;
            }
            if (!same)
                logLine(QStringLiteral("%1 changed by another console since it was published: not merged again").arg(path));
            known = asBefore.insert(path, same);
        }
        if (*known)
            again << fields;
    }
    return again;
}

QList<QStringList> SentMediaRecords::withStateBefore(const QString &index, const QList<QStringList> &records)
{
    const IndexEntries listed(index);
    QList<QStringList> kept;
    for (const QStringList &fields : records) {
        if (fields.size() != kJournalFields) {
            kept << fields;
            continue;
        }
        const auto at = listed.entries.constFind(fields.at(1));
        if (at == listed.entries.cend())
            kept << fields + QStringList{QStringLiteral("0"), QString(), QString()};
        else
            kept << fields + QStringList{QStringLiteral("1"), at->checksum, at->permission};
    }
    return kept;
}

QList<QStringList> SentMediaRecords::journalFields(const QList<QStringList> &records)
{
    QList<QStringList> journal;
    for (const QStringList &fields : records)
        journal << fields.mid(0, kJournalFields);
    return journal;
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

QList<QStringList> SentMediaRecords::adminNotShown(const QString &index, const QList<QStringList> &records)
{
    ClassParam read;
    const QString rows = read.getParamCrypt(index, QStringLiteral("FILEPATHPERMISSION"), 0);
    QSet<QString> items;
    if (rows != QLatin1String("NULL")) {
        for (const QString &item : rows.split(QRegularExpression(QStringLiteral("[;|]")), Qt::SkipEmptyParts))
            items.insert(item);
    }
    bool changes = false;
    for (const QStringList &fields : records) {
        if (fields.size() != 4)
            continue;
        if (fields.at(0) == QLatin1String("RENOMMER") && !fields.at(1).isEmpty() && fields.at(1) != fields.at(2)
            && items.remove(fields.at(1))) {
            items.insert(fields.at(2));
            changes = true;
        } else if (fields.at(0) == QLatin1String("SUPPRIMER") && items.remove(fields.at(3))) {
            changes = true;
        }
    }
    return changes ? records : QList<QStringList>();
}

QList<QStringList> SentMediaRecords::confirm(const QString &work, const QString &index, Kind kind)
{
    const QString kept = path(work, kind);
    const QList<QStringList> records = OperationJournal::records(kept);
    // A page in place of the index tells nothing: everything stays, unasked.
    if (records.isEmpty() || !JournalDeployment::indexReadable(index))
        return {};
    const QList<QStringList> again = kind == Admin ? adminNotShown(index, records) : toMergeAgain(index, records);
    if (again.size() == records.size())
        return again;
    QString error;
    if (!OperationJournal::rewrite(kept, again, &error))
        logLine(QStringLiteral("%1 not rewritten: %2").arg(kept, error));
    if (!again.isEmpty())
        logLine(QStringLiteral("MEDIA.orvex of the server lost %1 published record(s) of %2: merged again")
                    .arg(again.size())
                    .arg(fileName(kind)));
    return again;
}
