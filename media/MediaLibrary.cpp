#include "MediaLibrary.h"

#include "Checksum.h"
#include "ClassLog.h"
#include "ClassParam.h"
#include "OperationJournal.h"
#include "SlicedCopy.h"
#include "TransferPaths.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kPath = QStringLiteral("FILEPATH");
const QString kChecksum = QStringLiteral("FILECHK");
const QString kSize = QStringLiteral("FILESIZE");
const QString kPermission = QStringLiteral("FILEPATHPERMISSION");
const QString kAdministrator = QStringLiteral("ADMINISTRATEUR");

// "NULL" (absent key) reads as no list at all.
bool readList(ClassParam &store, const QString &key, QStringList *list)
{
    const QString value = store.getInfoBalise(key);
    if (value == QLatin1String("NULL")) {
        list->clear();
        return false;
    }
    *list = value.split(QLatin1Char('|'), Qt::KeepEmptyParts);
    return true;
}

QStringList listOf(ClassParam &store, const QString &key)
{
    QStringList list;
    readList(store, key, &list);
    return list;
}

QString at(const QStringList &list, int i)
{
    return i >= 0 && i < list.size() ? list.at(i) : QString();
}

void padTo(QStringList &list, int size)
{
    while (list.size() < size)
        list.append(QString());
}

void fitTo(QStringList &list, int size)
{
    padTo(list, size);
    list.erase(list.begin() + size, list.end());
}

// What the parameter file refuses to store: the write would fail.
bool storable(const QString &value)
{
    return !value.contains(QChar(0)) && !value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n'));
}

QString sizeOf(const QString &file)
{
    const QFileInfo info(file);
    return QString::number(info.isFile() ? info.size() : 0);
}

} // namespace

MediaLibrary::MediaLibrary(const QString &workFolder)
    : m_work(workFolder)
{
    if (!m_work.isEmpty() && !m_work.endsWith(QLatin1Char('/')))
        m_work += QLatin1Char('/');
}

QString MediaLibrary::indexFile() const
{
    return work(QStringLiteral("TEMP/MEDIA.orvex"));
}

QString MediaLibrary::journalFile() const
{
    return work(QStringLiteral("TEMP/INFOMEDIA.orvex"));
}

QString MediaLibrary::folder(int type)
{
    switch (type) {
    case Picture: return QStringLiteral("IMAGE/");
    case Video: return QStringLiteral("VIDEO/");
    case TextPoster: return QStringLiteral("TEXT/");
    default: return QString();
    }
}

QString MediaLibrary::companion(const QString &path)
{
    return QString(path).replace(QLatin1String(".png"), QLatin1String(".txt"));
}

QString MediaLibrary::storedName(const QString &chosenName, int type, const QTime &now)
{
    // Accented letters keep their plain form so the name stays readable
    // once only plain characters remain.
    QString plain;
    for (const QChar c : chosenName.normalized(QString::NormalizationForm_D)) {
        switch (c.unicode()) {
        case 0x0153: plain += QLatin1String("oe"); break;
        case 0x0152: plain += QLatin1String("OE"); break;
        case 0x00E6: plain += QLatin1String("ae"); break;
        case 0x00C6: plain += QLatin1String("AE"); break;
        case 0x00DF: plain += QLatin1String("ss"); break;
        case 0x00F8: plain += QLatin1Char('o'); break;
        case 0x00D8: plain += QLatin1Char('O'); break;
        default:
            if (c.category() != QChar::Mark_NonSpacing)
                plain += c;
        }
    }
    QString cleaned;
    for (const QChar c : qAsConst(plain)) {
        const ushort u = c.unicode();
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '.' || u == ' ')
            cleaned += c;
    }
    const int dot = cleaned.lastIndexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? cleaned : cleaned.left(dot);
    QString extension = dot < 0 ? QString() : cleaned.mid(dot);
    if (type == Picture)
        extension = extension.left(4);
    return base + QLatin1Char('-') + now.toString(QStringLiteral("hhmmss")) + extension;
}

bool MediaLibrary::copyNew(const QString &from, const QString &to)
{
    SlicedCopy copy;
    if (!copy.start(from, to))
        return false;
    while (!copy.step(1000)) {
    }
    return copy.ok();
}

MediaLibrary::Check MediaLibrary::checkImport(int type, const QString &chosenName, qint64 bytes, int usedMo,
                                              int maxMo, bool ios)
{
    if (!fitsQuota(type, bytes, usedMo, maxMo))
        return Check::QuotaReached;
    if (type == Video)
        return chosenName.size() >= 51 ? Check::NameTooLong : Check::Accepted;
    return chosenName.size() > (ios ? 60 : 30) ? Check::NameTooLong : Check::Accepted;
}

bool MediaLibrary::fitsQuota(int type, qint64 bytes, int usedMo, int maxMo)
{
    return (type == Video ? usedMo + toMo(bytes) : usedMo) < maxMo;
}

bool MediaLibrary::safePath(const QString &path)
{
    return !path.isEmpty() && !path.contains(QLatin1Char('|')) && !path.contains(QLatin1Char('\r'))
        && !path.contains(QLatin1Char('\n'));
}

double MediaLibrary::quotaPercent(int usedMo, int maxMo)
{
    return maxMo > 0 ? double(usedMo) / double(maxMo) * 100.0 : 0.0;
}

bool MediaLibrary::isAdministrator(const QString &userType)
{
    return userType == QLatin1String("ADMIN") || userType == kAdministrator;
}

bool MediaLibrary::load()
{
    // A batch holds the newest state itself.
    if (m_batch)
        return true;
    ClassParam store;
    const bool read = store.getParamCrypt(indexFile(), QStringList{QStringLiteral("ALL")}, 0);
    if (!read)
        store.BALISE.clear();
    m_hasPaths = readList(store, kPath, &m_paths);
    m_hasChecksums = readList(store, kChecksum, &m_checksums);
    m_hasSizes = readList(store, kSize, &m_sizes);
    m_hasPermissions = readList(store, kPermission, &m_permissions);
    // A present but empty FILEPATH is an index without files, not one file
    // with an empty path.
    if (m_paths == QStringList{QString()})
        m_paths.clear();
    // Every list as long as FILEPATH, so that an append lands on its own
    // entry and never next to another file's stale one.
    fitTo(m_checksums, m_paths.size());
    fitTo(m_permissions, m_paths.size());
    if (m_hasSizes)
        fitTo(m_sizes, m_paths.size());
    dropForeignEntries();
    return read;
}

void MediaLibrary::dropForeignEntries()
{
    for (int i = m_paths.size() - 1; i >= 0; --i) {
        const QString path = m_paths.at(i);
        if (TransferPaths::isMediaPath(path))
            continue;
        for (QStringList *list : {&m_paths, &m_checksums, &m_sizes, &m_permissions}) {
            if (i < list->size())
                list->removeAt(i);
        }
        if (m_dropped.contains(path))
            continue;
        m_dropped.append(path);
        ClassLog().log(QStringLiteral("OrvexLog"),
                       QStringLiteral("Entrée de l'index retirée: ") + TransferPaths::printable(path));
    }
}

int MediaLibrary::indexOf(const QString &path) const
{
    return path.isEmpty() ? -1 : m_paths.indexOf(path);
}

MediaLibrary::Entry MediaLibrary::entry(int i) const
{
    return {at(m_paths, i), at(m_checksums, i), at(m_permissions, i), at(m_sizes, i)};
}

qint64 MediaLibrary::usedBytes() const
{
    qint64 sum = 0;
    for (const QString &size : m_sizes)
        sum += size.toLongLong();
    return sum;
}

void MediaLibrary::loadLogin()
{
    if (m_batch && m_loginRead)
        return;
    ClassParam login;
    if (!login.getParamCrypt(work(QStringLiteral("LoginCrypt.orvex")), QStringList{QStringLiteral("ALL")}, 0))
        login.BALISE.clear();
    m_users = listOf(login, QStringLiteral("USERLIST"));
    m_userRows = listOf(login, QStringLiteral("PLAYPERMISSION"));
    m_loginRead = true;
}

QString MediaLibrary::permissionOf(const QString &userName, const QString &userType, bool companion) const
{
    const int i = m_users.indexOf(userName);
    const bool listed = i >= 0 && i < m_userRows.size();
    if (isAdministrator(userType) && (listed || companion))
        return kAdministrator;
    return listed ? m_userRows.at(i) : QString();
}

void MediaLibrary::beginBatch()
{
    if (m_batch)
        return;
    load();
    m_before = {m_paths, m_checksums, m_sizes, m_permissions};
    m_loginRead = false;
    loadLogin();
    m_batch = true;
    m_dirty = false;
}

bool MediaLibrary::commitBatch()
{
    if (!m_batch)
        return true;
    m_batch = false;
    const QList<QStringList> records = m_records;
    m_records.clear();
    const bool dirty = m_dirty;
    m_dirty = false;
    // Records only for what the index holds; an index only with its records.
    if (dirty && !writeIndex())
        return false;
    if (appendRecords(records))
        return true;
    if (dirty) {
        m_batch = true;
        abandonBatch();
        writeIndex();
    }
    return false;
}

bool MediaLibrary::add(int type, const QString &path, const QString &userName, const QString &userType,
                       const QString &checksum)
{
    if (folder(type).isEmpty() || !safePath(path) || !storable(path)) {
        qWarning().noquote() << "Media refused, not indexed:" << path;
        return false;
    }
    load();
    if (indexOf(path) >= 0)
        return false;
    loadLogin();

    QList<Entry> added;
    added.append({path, checksum.isEmpty() ? CalculChecksum(work(path)) : checksum,
                  permissionOf(userName, userType, false), sizeOf(work(path))});
    const QString text = companion(path);
    if (type == TextPoster && text != path && indexOf(text) < 0)
        added.append({text, CalculChecksum(work(text)), permissionOf(userName, userType, true), sizeOf(work(text))});
    // A row the index cannot hold (a NUL from the server's login file)
    // would fail both writes: nothing is indexed, nothing is sent.
    for (const Entry &e : qAsConst(added)) {
        if (!storable(e.permission)) {
            m_errors.append({saveFailureTitle(), QCoreApplication::translate("MediaLibrary",
                                                     "Impossible de sauvegarder le fichier %1: %2.")
                                                     .arg(indexFile(), QStringLiteral("permission illisible"))});
            return false;
        }
    }

    for (const Entry &e : qAsConst(added)) {
        m_paths.append(e.path);
        m_checksums.append(e.checksum);
        m_permissions.append(e.permission);
        if (m_hasSizes)
            m_sizes.append(e.size);
    }
    m_hasPaths = m_hasChecksums = m_hasPermissions = true;
    if (!writeIndex())
        return false;
    // The text of a text poster is journalled before its picture, both in
    // one write.
    QList<QStringList> records;
    for (int k = added.size() - 1; k >= 0; --k)
        records.append(record(QStringLiteral("AJOUTER"), added.at(k)));
    if (journal(records))
        return true;
    // Indexed but not journalled, the file would stay local and unknown to
    // the server: the index goes back as it was.
    for (int k = 0; k < added.size(); ++k)
        takeAt(m_paths.size() - 1);
    writeIndex();
    return false;
}

bool MediaLibrary::renew(int type, const QString &path, const QString &userName, const QString &userType)
{
    load();
    // Without a local index the server's may still list it: renewed too.
    if (indexOf(path) < 0 && QFileInfo::exists(indexFile()))
        return add(type, path, userName, userType);
    // Saved again under its own name: "SUPPRIMER" then "AJOUTER" give the
    // server's index the new MD5 and size; one index write, one journal write.
    const bool outer = m_batch;
    beginBatch();
    remove(path);
    const QString text = companion(path);
    if (type == TextPoster && text != path)
        remove(text);
    if (!add(type, path, userName, userType)) {
        abandonBatch();
        return false;
    }
    return outer || commitBatch();
}

void MediaLibrary::abandonBatch()
{
    m_paths = m_before.paths;
    m_checksums = m_before.checksums;
    m_sizes = m_before.sizes;
    m_permissions = m_before.permissions;
    m_records.clear();
    m_dirty = false;
    m_batch = false;
}

MediaLibrary::Entry MediaLibrary::takeAt(int i)
{
    const Entry e = entry(i);
    for (QStringList *list : {&m_paths, &m_checksums, &m_permissions, &m_sizes}) {
        if (i < list->size())
            list->removeAt(i);
    }
    return e;
}

bool MediaLibrary::remove(const QString &path)
{
    load();
    const int i = indexOf(path);
    if (i < 0)
        return withoutIndex(record(QStringLiteral("SUPPRIMER"), {path, QString(), QString(), QString()}));
    const Lists before{m_paths, m_checksums, m_sizes, m_permissions};
    const Entry removed = takeAt(i);
    return recorded({record(QStringLiteral("SUPPRIMER"), removed)}, before);
}

bool MediaLibrary::recorded(const QList<QStringList> &records, const Lists &before)
{
    if (!writeIndex())
        return false;
    if (journal(records))
        return true;
    // Out of the index but not journalled, the change would never reach the
    // server's index while the page goes on as if it had: put back.
    m_paths = before.paths;
    m_checksums = before.checksums;
    m_sizes = before.sizes;
    m_permissions = before.permissions;
    writeIndex();
    return false;
}

bool MediaLibrary::withoutIndex(const QStringList &pathOnly)
{
    // No local index (its last fetch failed): the server's index may still
    // list the file, so the journal alone carries the change by its path.
    if (QFileInfo::exists(indexFile()) || !TransferPaths::isMediaPath(pathOnly.value(1)))
        return false;
    return journal({pathOnly});
}

bool MediaLibrary::dropLocal(const QString &pathOrLocalFile)
{
    QString path = QDir::cleanPath(pathOrLocalFile);
    const QString root = QDir::cleanPath(m_work) + QLatin1Char('/');
    if (path.startsWith(root))
        path = path.mid(root.size());
    load();
    const int i = indexOf(path);
    if (i < 0)
        return false;
    takeAt(i);
    return writeIndex();
}

bool MediaLibrary::grant(const QString &path, const QString &row)
{
    load();
    const int i = indexOf(path);
    if (i < 0)
        return withoutIndex(record(QStringLiteral("PERMISSION"), {path, QString(), row, QString()}));
    const Lists before{m_paths, m_checksums, m_sizes, m_permissions};
    padTo(m_permissions, i + 1);
    m_permissions[i] = row;
    m_hasPermissions = true;
    return recorded({record(QStringLiteral("PERMISSION"), {path, QString(), row, QString()})}, before);
}

bool MediaLibrary::rebuildSizes()
{
    load();
    QStringList sizes;
    for (int i = 0; i < m_paths.size(); ++i) {
        const QFileInfo info(work(m_paths.at(i)));
        // A file not downloaded yet still counts what the index says.
        if (info.isFile())
            sizes.append(QString::number(info.size()));
        else
            sizes.append(at(m_sizes, i).isEmpty() ? QStringLiteral("0") : at(m_sizes, i));
    }
    m_sizes = sizes;
    m_hasSizes = true;
    return writeIndex();
}

bool MediaLibrary::inUse(int type, const QString &name) const
{
    ClassParam player;
    if (!player.getParamCrypt(work(QStringLiteral("DATA/PLAYER.orvex")), QStringList{QStringLiteral("ALL")}, 0))
        return false;
    const QString key = type == Video ? QStringLiteral("SLIDENAMEVIDEO") : QStringLiteral("SLIDENAMEIMAGE");
    const QStringList entries = listOf(player, key);
    return entries.contains(name) || entries.contains(folder(type) + name);
}

int MediaLibrary::textUses(const QString &name) const
{
    ClassParam player;
    if (!player.getParamCrypt(work(QStringLiteral("DATA/PLAYER.orvex")), QStringList{QStringLiteral("ALL")}, 0))
        return 0;
    const QStringList entries = listOf(player, QStringLiteral("SLIDENAMETXT"));
    return entries.count(name) + entries.count(folder(TextPoster) + name);
}

QStringList MediaLibrary::takeErrors()
{
    QStringList texts;
    for (const QPair<QString, QString> &error : takeReports())
        texts.append(error.second);
    return texts;
}

QList<QPair<QString, QString>> MediaLibrary::takeReports()
{
    QList<QPair<QString, QString>> errors;
    errors.swap(m_errors);
    return errors;
}

QString MediaLibrary::saveFailureTitle()
{
    return QStringLiteral("FTP");
}

QString MediaLibrary::createFailureTitle()
{
    return QStringLiteral("CreateFile");
}

QStringList MediaLibrary::record(const QString &operation, const Entry &e)
{
    return {operation, e.path, e.checksum, e.permission, e.size};
}

bool MediaLibrary::writeIndex()
{
    if (m_batch) {
        m_dirty = true;
        return true;
    }
    QList<QPair<QString, QString>> values;
    const QChar bar(QLatin1Char('|'));
    if (m_hasPaths)
        values.append({kPath, m_paths.join(bar)});
    if (m_hasChecksums)
        values.append({kChecksum, m_checksums.join(bar)});
    if (m_hasPermissions)
        values.append({kPermission, m_permissions.join(bar)});
    if (m_hasSizes)
        values.append({kSize, m_sizes.join(bar)});
    if (values.isEmpty())
        return true;
    // Without an index (none loaded, or its last fetch failed) there is
    // nothing to update: the journal alone carries the change.
    if (!QFileInfo::exists(indexFile())) {
        load();
        return true;
    }
    ClassParam store;
    QString why;
    if (store.setParamsCrypt(indexFile(), values, &why))
        return true;
    m_errors.append({saveFailureTitle(),
                     QCoreApplication::translate("MediaLibrary", "Impossible de sauvegarder le fichier %1: %2.")
                         .arg(indexFile(), why)});
    load();
    return false;
}

bool MediaLibrary::journal(const QList<QStringList> &records)
{
    if (m_batch) {
        m_records.append(records);
        return true;
    }
    return appendRecords(records);
}

bool MediaLibrary::appendRecords(const QList<QStringList> &records)
{
    const bool existed = QFileInfo::exists(journalFile());
    QString error;
    if (OperationJournal::appendAll(journalFile(), records, &error))
        return true;
    // "CreateFile" names a journal that could not be created; any other
    // failure is a write that failed.
    const bool created = existed || QFileInfo::exists(journalFile());
    m_errors.append({created ? saveFailureTitle() : createFailureTitle(), error});
    return false;
}
