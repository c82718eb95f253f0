#include "JournalMerge.h"

#include "ClassLog.h"
#include "ClassParam.h"
#include "OperationJournal.h"
#include "TransferPaths.h"

#include <QDebug>
#include <QFile>
#include <QHash>
#include <QMap>
#include <QStringList>
#include <QVector>

#include <algorithm>

namespace {

const QString kLogName = QStringLiteral("OrvexLog");
const QLatin1String kNull("NULL");
// Beyond this many missing records at the end of a journal one summary line
// is logged instead of one "NULL" per record.
const int kMissingLogLimit = 1000;

void note(const QString &text)
{
    ClassLog().log(kLogName, text);
}

// The records of a journal in number order, each split on '|'; records that
// are missing or do not have `fieldCount` fields are logged and dropped.
// False when there is nothing to merge: no file, or no counter in it.
bool readRecords(const QString &path, int fieldCount, QList<QStringList> *records)
{
    ClassParam journal;
    if (!QFile::exists(path) || !journal.getParamCrypt(path, QStringList{QStringLiteral("ALL")}, 0))
        return false;
    const QString count = journal.getInfoBalise(OperationJournal::countKey());
    if (count == kNull)
        return false;
    const int total = qMax(count.toInt(), 0);

    // Walk the records the file holds rather than every number up to the
    // counter: a damaged counter must not turn into a billion lookups.
    const QString prefix = OperationJournal::recordKeyPrefix();
    QMap<int, QString> present;
    const QList<QString> keys = journal.BALISE.value(0);
    const QList<QString> values = journal.BALISE.value(1);
    for (int i = 0; i < keys.size() && i < values.size(); ++i) {
        if (!keys.at(i).startsWith(prefix))
            continue;
        const QString digits = keys.at(i).mid(prefix.size());
        bool ok = false;
        const int number = digits.toInt(&ok);
        if (ok && number >= 1 && number <= total && QString::number(number) == digits && !present.contains(number))
            present.insert(number, values.at(i));
    }

    // Missing numbers are logged as "NULL" one by one up to a bound, and as
    // one line beyond it: the walk follows the records present only.
    const auto noteMissing = [](qint64 from, qint64 to) {
        if (to - from + 1 <= kMissingLogLimit) {
            for (qint64 k = from; k <= to; ++k)
                note(kNull);
        } else if (to >= from) {
            note(QStringLiteral("NULL (operations %1 to %2 missing)").arg(from).arg(to));
        }
    };
    qint64 next = 1;
    for (auto it = present.cbegin(); it != present.cend(); ++it) {
        const qint64 k = it.key();
        noteMissing(next, k - 1);
        next = k + 1;
        const QString &text = it.value();
        note(text);
        if (text == kNull)
            continue;
        const QStringList fields = text.split(QLatin1Char('|'));
        if (fields.size() != fieldCount) {
            note(QStringLiteral("Operation %1 skipped: %2 fields instead of %3").arg(k).arg(fields.size()).arg(fieldCount));
            continue;
        }
        records->append(fields);
    }
    noteMissing(next, total);
    return true;
}

bool finish(const QString &journalPath, bool written, const QString &indexPath)
{
    if (!written) {
        const QString text = QStringLiteral("The media index %1 could not be written; journal %2 kept for the next merge")
                                 .arg(indexPath, journalPath);
        qWarning().noquote() << text;
        note(text);
        return false;
    }
    if (!QFile::remove(journalPath)) {
        const QString text = QStringLiteral("Journal %1 merged but could not be deleted").arg(journalPath);
        qWarning().noquote() << text;
        note(text);
    }
    return true;
}

bool isSeparator(QChar c)
{
    return c == QLatin1Char(';') || c == QLatin1Char('|');
}

// Rewrites every whole item equal to `from`; separators stay where they are.
QString replaceItems(const QString &text, const QString &from, const QString &to)
{
    QString out;
    out.reserve(text.size());
    int start = 0;
    for (int i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isSeparator(text.at(i)))
            continue;
        const QStringRef item = text.midRef(start, i - start);
        if (item == from)
            out += to;
        else
            out += item;
        if (i < text.size())
            out += text.at(i);
        start = i + 1;
    }
    return out;
}

} // namespace

QString JournalMerge::renameItem(const QString &text, const QString &from, const QString &to)
{
    return replaceItems(text, from, to);
}

QString JournalMerge::removeItem(const QString &text, const QString &name)
{
    return replaceItems(text, name, QString());
}

namespace {

// The media records replayed on four index lists of one length, each path
// found through a table of its entries instead of a scan of the list: the
// lists then hold what the scans would leave (the first entry of a path
// renewed, removed or given its permission; a new path appended).
void applyInLine(const QList<QStringList> &records, QStringList lists[4])
{
    enum { Path, Checksum, Permission, Size };
    QVector<QStringList> rows(lists[Path].size());
    for (int i = 0; i < rows.size(); ++i)
        rows[i] = QStringList{lists[Path].at(i), lists[Checksum].at(i), lists[Permission].at(i), lists[Size].at(i)};
    QVector<bool> removed(rows.size(), false);
    // The live entries of each path, first one first.
    QHash<QString, QVector<int>> entries;
    for (int i = 0; i < rows.size(); ++i)
        entries[rows.at(i).at(Path)].append(i);
    for (const QStringList &fields : records) {
        const QString &kind = fields.at(0);
        QVector<int> &at = entries[fields.at(1)];
        if (kind == QLatin1String("AJOUTER")) {
            const QStringList row = fields.mid(1, 4);
            if (at.isEmpty()) {
                rows << row;
                removed << false;
                at.append(rows.size() - 1);
            } else {
                rows[at.first()] = row;
            }
        } else if (kind == QLatin1String("SUPPRIMER")) {
            if (!at.isEmpty())
                removed[at.takeFirst()] = true;
        } else if (kind == QLatin1String("PERMISSION")) {
            if (!at.isEmpty())
                rows[at.first()][Permission] = fields.at(3);
        }
    }
    for (int n = 0; n < 4; ++n)
        lists[n].clear();
    for (int i = 0; i < rows.size(); ++i) {
        if (removed.at(i))
            continue;
        for (int n = 0; n < 4; ++n)
            lists[n] << rows.at(i).at(n);
    }
}

} // namespace

bool JournalMerge::mergeMedia(const QString &indexPath, const QString &journalPath)
{
    QList<QStringList> records;
    if (!readRecords(journalPath, 5, &records))
        return true;

    ClassParam index;
    if (!index.getParamCrypt(indexPath, QStringList{QStringLiteral("ALL")}, 0))
        return finish(journalPath, false, indexPath);

    const QStringList keys{QStringLiteral("FILEPATH"), QStringLiteral("FILECHK"), QStringLiteral("FILEPATHPERMISSION"),
                           QStringLiteral("FILESIZE")};
    enum { Path, Checksum, Permission, Size };
    QStringList lists[4];
    bool absent[4];
    for (int n = 0; n < 4; ++n) {
        const QString value = index.getInfoBalise(keys.at(n));
        absent[n] = value == kNull;
        if (!absent[n])
            lists[n] = value.split(QLatin1Char('|'));
    }
    // An entry with a control character (a NUL) could not be written back:
    // it leaves the index instead of freezing it.
    for (int i = lists[Path].size() - 1; i >= 0; --i) {
        const QString &path = lists[Path].at(i);
        if (std::none_of(path.cbegin(), path.cend(), [](QChar c) { return c.unicode() < 0x20; }))
            continue;
        note(QStringLiteral("Media index entry dropped: ") + TransferPaths::printable(lists[Path].at(i)));
        for (int n = 0; n < 4; ++n) {
            if (i < lists[n].size())
                lists[n].removeAt(i);
        }
    }
    if (lists[Path].size() != lists[Checksum].size() || lists[Path].size() != lists[Permission].size()
        || lists[Path].size() != lists[Size].size()) {
        note(QStringLiteral("Media index lists differ in length: %1/%2/%3/%4")
                 .arg(lists[Path].size())
                 .arg(lists[Checksum].size())
                 .arg(lists[Permission].size())
                 .arg(lists[Size].size()));
    }

    const bool inLine = lists[Path].size() == lists[Checksum].size() && lists[Path].size() == lists[Permission].size()
        && lists[Path].size() == lists[Size].size();
    if (inLine) {
        applyInLine(records, lists);
    } else {
        for (const QStringList &fields : qAsConst(records)) {
            const QString &kind = fields.at(0);
            const QString &path = fields.at(1);
            if (kind == QLatin1String("AJOUTER")) {
                // Merged again after a run whose index went up but was not read
                // back: the entry is renewed, never doubled.
                const int i = lists[Path].indexOf(path);
                for (int n = 0; n < 4; ++n) {
                    if (i < 0)
                        lists[n] << fields.at(n + 1);
                    else if (i < lists[n].size())
                        lists[n][i] = fields.at(n + 1);
                }
            } else if (kind == QLatin1String("SUPPRIMER")) {
                const int i = lists[Path].indexOf(path);
                if (i < 0)
                    continue;
                for (int n = 0; n < 4; ++n) {
                    if (i < lists[n].size())
                        lists[n].removeAt(i);
                    else
                        note(QStringLiteral("%1 has no entry %2 for %3").arg(keys.at(n)).arg(i).arg(path));
                }
            } else if (kind == QLatin1String("PERMISSION")) {
                const int i = lists[Path].indexOf(path);
                if (i < 0)
                    continue;
                if (i < lists[Permission].size())
                    lists[Permission][i] = fields.at(3);
                else
                    note(QStringLiteral("FILEPATHPERMISSION has no entry %1 for %2").arg(i).arg(path));
            }
        }
    }

    // One write: a failure leaves the four lists as they were, in line.
    QList<QPair<QString, QString>> values;
    for (int n = 0; n < 4; ++n)
        values << qMakePair(keys.at(n), absent[n] && lists[n].isEmpty() ? QString(kNull) : lists[n].join(QLatin1Char('|')));
    return finish(journalPath, index.setParamsCrypt(indexPath, values), indexPath);
}

bool JournalMerge::mergeAdmin(const QString &indexPath, const QString &journalPath)
{
    QList<QStringList> records;
    if (!readRecords(journalPath, 4, &records))
        return true;

    ClassParam index;
    if (!index.getParamCrypt(indexPath, QStringList{QStringLiteral("ALL")}, 0))
        return finish(journalPath, false, indexPath);

    QString permissions = index.getInfoBalise(QStringLiteral("FILEPATHPERMISSION"));
    for (const QStringList &fields : qAsConst(records)) {
        const QString &kind = fields.at(0);
        if (kind == QLatin1String("SUPPRIMER")) {
            if (fields.at(3).isEmpty())
                note(QStringLiteral("SUPPRIMER without a name skipped"));
            else
                permissions = removeItem(permissions, fields.at(3));
        } else if (kind == QLatin1String("RENOMMER")) {
            if (fields.at(1).isEmpty() || fields.at(2).isEmpty())
                note(QStringLiteral("RENOMMER without both names skipped"));
            else
                permissions = renameItem(permissions, fields.at(1), fields.at(2));
        }
    }

    const bool written = index.setParamCrypt(indexPath, QStringLiteral("FILEPATHPERMISSION"), permissions);
    return finish(journalPath, written, indexPath);
}
