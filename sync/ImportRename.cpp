#include "ImportRename.h"

#include "ClassLog.h"
#include "ClassParam.h"
#include "OperationJournal.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTime>

namespace {

// A '|'-joined list whose entries equal `from` (or `bareFrom`) become `to`
// (or `bareTo`); false when none did.
bool renameEntries(QString *value, const QString &from, const QString &to, const QString &bareFrom,
                   const QString &bareTo)
{
    if (*value == QLatin1String("NULL") || *value == QLatin1String("PB_OPEN") || *value == QLatin1String("FileError"))
        return false;
    QStringList entries = value->split(QLatin1Char('|'));
    bool changed = false;
    for (QString &entry : entries) {
        if (entry == from) {
            entry = to;
            changed = true;
        } else if (!bareFrom.isEmpty() && entry == bareFrom) {
            entry = bareTo;
            changed = true;
        }
    }
    if (changed)
        *value = entries.join(QLatin1Char('|'));
    return changed;
}

// Renames the entries of `keys` in the parameter file `path`, in one write.
bool renameInFile(const QString &path, const QStringList &keys, const QString &from, const QString &to,
                  const QString &bareFrom, const QString &bareTo, QString *why)
{
    if (!QFileInfo(path).isFile())
        return true;
    ClassParam read;
    QList<QPair<QString, QString>> edits;
    for (const QString &key : keys) {
        QString value = read.getParamCrypt(path, key, 0);
        if (renameEntries(&value, from, to, bareFrom, bareTo))
            edits.append({key, value});
    }
    return edits.isEmpty() || ClassParam().setParamsCrypt(path, edits, why);
}

} // namespace

QString ImportRename::nextFreeName(const QString &name, const std::function<bool(const QString &)> &taken)
{
    static const QRegularExpression stamped(QStringLiteral("^(.*)-(\\d{6})((?:\\.[^.]*)?)$"));
    const QRegularExpressionMatch parts = stamped.match(name);
    if (!parts.hasMatch())
        return QString();
    QTime stamp = QTime::fromString(parts.captured(2), QStringLiteral("hhmmss"));
    if (!stamp.isValid())
        return QString();
    for (int second = 1; second < 24 * 3600; ++second) {
        stamp = stamp.addSecs(1);
        const QString candidate =
            parts.captured(1) + QLatin1Char('-') + stamp.toString(QStringLiteral("hhmmss")) + parts.captured(3);
        if (!taken(candidate))
            return candidate;
    }
    return QString();
}

bool ImportRename::apply(const QString &work, const QString &folder, const QString &oldName, const QString &newName,
                         QString *file, QString *why)
{
    const QString from = folder + oldName;
    const QString to = folder + newName;
    // The file and its journal records go together: the run uploads the
    // file by the name the journal publishes.
    const bool moved = QFileInfo(work + from).isFile();
    *file = work + to;
    if (moved && !QFile::rename(work + from, work + to)) {
        *why = QStringLiteral("renommage de %1 impossible").arg(from);
        return false;
    }
    const QString journal = work + QLatin1String("TEMP/INFOMEDIA.orvex");
    QList<QStringList> records = OperationJournal::records(journal);
    bool journalled = false;
    for (QStringList &fields : records) {
        if (fields.value(1) == from) {
            fields[1] = to;
            journalled = true;
        }
    }
    *file = journal;
    if (journalled && !OperationJournal::rewrite(journal, records, why)) {
        if (moved)
            QFile::rename(work + to, work + from);
        return false;
    }
    *file = work + QLatin1String("TEMP/MEDIA.orvex");
    if (!renameInFile(*file, {QStringLiteral("FILEPATH")}, from, to, QString(), QString(), why))
        return false;
    // The posters name a medium by its path, some by its bare name.
    const QString posterKey = folder == QLatin1String("VIDEO/") ? QStringLiteral("SLIDENAMEVIDEO")
                                                                : QStringLiteral("SLIDENAMEIMAGE");
    *file = work + QLatin1String("DATA/PLAYER.orvex");
    if (!renameInFile(*file, {posterKey}, from, to, oldName, newName, why))
        return false;
    ClassLog().log(QStringLiteral("OrvexLog"),
                   QStringLiteral("%1: nom déjà pris sur le serveur, importé sous %2").arg(from, to));
    return true;
}
