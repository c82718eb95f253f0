#include "SentMediaRecords.h"

#include "ClassLog.h"
#include "ClassParam.h"
#include "JournalDeployment.h"
#include "KeptChanges.h"
#include "OperationJournal.h"

#include <QFile>
#include <QFileInfo>
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

// A kept change's states and records: fields joined by a unit separator.
const QChar kSep(0x1F);
// The state a record kept without one replaced: merged again whatever the
// index shows.
const QString kUnknown = QStringLiteral("?");
// What an index shows of a change that another console changed since.
const QString kOther = QString(QChar(0x1E));

KeptChanges::Kind keptKind(SentMediaRecords::Kind kind)
{
    return kind == SentMediaRecords::Admin ? KeptChanges::AdminRecord : KeptChanges::MediaRecord;
}

QList<KeptChanges::Change> changesOf(SentMediaRecords::Kind kind, const QList<QStringList> &records)
{
    QList<KeptChanges::Change> changes;
    if (kind == SentMediaRecords::Admin) {
        for (const QStringList &fields : records) {
            KeptChanges::Change c;
            c.kind = KeptChanges::AdminRecord;
            c.key = QString::number(changes.size() + 1);
            c.before = kUnknown;
            c.after = fields.join(kSep);
            c.extra << c.after;
            changes << c;
        }
        return changes;
    }
    // One change per path, its records in journal order.
    QHash<QString, int> at;
    for (const QStringList &fields : records) {
        const QString path = fields.value(1);
        auto known = at.constFind(path);
        if (known == at.cend()) {
            KeptChanges::Change c;
            c.kind = KeptChanges::MediaRecord;
            c.key = path;
            if (fields.size() < kKeptFields)
                c.before = kUnknown;
            else if (fields.at(5) == QLatin1String("1"))
                c.before = fields.at(6) + kSep + fields.at(7);
            known = at.insert(path, changes.size());
            changes << c;
        }
        changes[*known].extra << fields.mid(0, kJournalFields).join(kSep);
    }
    // What was sent: listed or not, its checksum and permission.
    const QHash<QString, Outcome> sent = outcomes(records);
    for (KeptChanges::Change &c : changes) {
        const Outcome o = sent.value(c.key);
        QString checksum;
        for (const QString &record : qAsConst(c.extra)) {
            const QStringList fields = record.split(kSep);
            if (fields.value(0) == QLatin1String("AJOUTER"))
                checksum = fields.value(2);
        }
        const QString permission = o.permissionSet ? o.permission : QString();
        if (o.state == Outcome::Listed)
            c.after = QLatin1String("1") + kSep + checksum + kSep + permission;
        else if (o.state == Outcome::Untouched)
            c.after = QLatin1String("=") + permission;
    }
    return changes;
}

QList<QStringList> recordsOf(const QList<KeptChanges::Change> &changes)
{
    QList<QStringList> records;
    for (const KeptChanges::Change &c : changes) {
        QStringList state;
        if (c.kind == KeptChanges::MediaRecord && c.before != kUnknown) {
            state = c.before.isNull() ? QStringList{QStringLiteral("0"), QString(), QString()}
                                      : QStringList{QStringLiteral("1")} + c.before.split(kSep);
        }
        for (const QString &record : c.extra)
            records << record.split(kSep) + state;
    }
    return records;
}

// The kept file, with what an older console left in its own files carried
// over (they are older than anything kept here), then those removed.
KeptChanges load(const QString &work)
{
    KeptChanges kept(SentMediaRecords::path(work));
    QString error;
    if (!kept.load(&error))
        logLine(error);
    bool carried = false;
    for (const SentMediaRecords::Kind kind : {SentMediaRecords::Media, SentMediaRecords::Admin}) {
        const QString old = work + QLatin1String("TEMP/") + SentMediaRecords::oldFileName(kind);
        if (!QFile::exists(old))
            continue;
        const QList<QStringList> records =
            OperationJournal::records(old) + recordsOf(kept.changes(keptKind(kind)));
        kept.drop(kept.changes(keptKind(kind)));
        for (const KeptChanges::Change &c : changesOf(kind, records))
            kept.replace(c);
        carried = true;
    }
    if (carried) {
        if (kept.save(&error)) {
            QFile::remove(work + QLatin1String("TEMP/") + SentMediaRecords::oldFileName(SentMediaRecords::Media));
            QFile::remove(work + QLatin1String("TEMP/") + SentMediaRecords::oldFileName(SentMediaRecords::Admin));
            logLine(QStringLiteral("Kept media records carried over into %1").arg(kept.path()));
        } else {
            logLine(error);
        }
    }
    return kept;
}

bool save(const QString &work, const KeptChanges &kept, QString *why)
{
    if (!kept.save(why))
        return false;
    // Carried over by the load.
    QFile::remove(work + QLatin1String("TEMP/") + SentMediaRecords::oldFileName(SentMediaRecords::Media));
    QFile::remove(work + QLatin1String("TEMP/") + SentMediaRecords::oldFileName(SentMediaRecords::Admin));
    return true;
}

} // namespace

QString SentMediaRecords::fileName()
{
    return QFileInfo(path(QString())).fileName();
}

QString SentMediaRecords::path(const QString &work)
{
    return KeptChanges::path(work, QStringLiteral("MEDIA.orvex"));
}

QString SentMediaRecords::oldFileName(Kind kind)
{
    return kind == Admin ? QStringLiteral("SENT-INFOADMIN.orvex") : QStringLiteral("SENT-INFOMEDIA.orvex");
}

QList<QStringList> SentMediaRecords::records(const QString &work, Kind kind)
{
    return recordsOf(load(work).changes(keptKind(kind)));
}

bool SentMediaRecords::rewrite(const QString &work, Kind kind, const QList<QStringList> &records, QString *why)
{
    KeptChanges kept = load(work);
    kept.drop(kept.changes(keptKind(kind)));
    for (const KeptChanges::Change &c : changesOf(kind, records))
        kept.replace(c);
    return save(work, kept, why);
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
    KeptChanges kept = load(work);
    const QList<QStringList> records = recordsOf(kept.changes(keptKind(kind)));
    // A page in place of the index tells nothing: everything stays, unasked.
    if (records.isEmpty() || !JournalDeployment::indexReadable(index))
        return {};
    // What the index shows of each change: what was sent, the entry it
    // replaced (merged again), or another console's since (dropped).
    std::function<QString(const KeptChanges::Change &)> stateOf;
    QSet<QString> lost;
    QSet<QString> again;
    if (kind == Admin) {
        const bool all = !adminNotShown(index, records).isEmpty();
        stateOf = [all](const KeptChanges::Change &c) { return all ? c.before : c.after; };
    } else {
        for (const QStringList &fields : notShown(index, records))
            lost.insert(fields.value(1));
        for (const QStringList &fields : toMergeAgain(index, records))
            again.insert(fields.value(1));
        stateOf = [&lost, &again](const KeptChanges::Change &c) {
            return !lost.contains(c.key) ? c.after : again.contains(c.key) ? c.before : kOther;
        };
    }
    const KeptChanges::Check check = kept.check(keptKind(kind), stateOf);
    const QList<QStringList> missing = recordsOf(check.missing);
    if (check.shown.isEmpty() && check.overtaken.isEmpty())
        return missing;
    kept.drop(check.shown);
    kept.drop(check.overtaken);
    QString error;
    if (!save(work, kept, &error))
        logLine(QStringLiteral("%1 not rewritten: %2").arg(kept.path(), error));
    if (!missing.isEmpty())
        logLine(QStringLiteral("MEDIA.orvex of the server lost %1 published record(s) of %2: merged again")
                    .arg(missing.size())
                    .arg(oldFileName(kind)));
    return missing;
}
