#include "MediaLibrary.h"

#include "Checksum.h"
#include "ClassLog.h"
#include "ClassParam.h"
#include "OperationJournal.h"
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
    QString cleaned;
    for (const QChar c : chosenName) {
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
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QFile out(to);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    // A plain read and write: QFile::copy goes through a temporary file,
    // which costs more than the copy itself on a busy file system.
    QByteArray block(1 << 16, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(block.data(), block.size());
        if (n == 0)
            break;
        if (n < 0 || out.write(block.constData(), n) != n) {
            out.close();
            out.remove();
            return false;
        }
    }
    out.close();
    if (out.error() != QFileDevice::NoError) {
        out.remove();
        return false;
    }
    return true;
}

MediaLibrary::Check MediaLibrary::checkImport(int type, const QString &chosenName, qint64 bytes, int usedMo,
                                              int maxMo, bool ios)
{
    if (type == Video) {
        if (usedMo + toMo(bytes) >= maxMo)
            return Check::QuotaReached;
        return chosenName.size() >= 51 ? Check::NameTooLong : Check::Accepted;
    }
    if (usedMo >= maxMo)
        return Check::QuotaReached;
    return chosenName.size() > (ios ? 60 : 30) ? Check::NameTooLong : Check::Accepted;
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
    if (m_paths == QStringList{QString()}) {
        m_paths.clear();
        for (QStringList *list : {&m_checksums, &m_sizes, &m_permissions}) {
            if (*list == QStringList{QString()})
                list->clear();
        }
    }
    // Keep the lists parallel, so that an append lands on its own entry.
    padTo(m_checksums, m_paths.size());
    padTo(m_permissions, m_paths.size());
    if (m_hasSizes)
        padTo(m_sizes, m_paths.size());
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
    bool ok = !m_dirty || writeIndex();
    m_dirty = false;
    QString error;
    if (!OperationJournal::appendAll(journalFile(), m_records, &error)) {
        m_errors.append(error);
        ok = false;
    }
    m_records.clear();
    return ok;
}

bool MediaLibrary::add(int type, const QString &path, const QString &userName, const QString &userType)
{
    if (folder(type).isEmpty() || !safePath(path)) {
        qWarning().noquote() << "Media refused, not indexed:" << path;
        return false;
    }
    load();
    if (indexOf(path) >= 0)
        return false;
    loadLogin();

    QList<Entry> added;
    added.append({path, CalculChecksum(work(path)), permissionOf(userName, userType, false), sizeOf(work(path))});
    const QString text = companion(path);
    if (type == TextPoster && text != path && indexOf(text) < 0)
        added.append({text, CalculChecksum(work(text)), permissionOf(userName, userType, true), sizeOf(work(text))});

    for (const Entry &e : qAsConst(added)) {
        m_paths.append(e.path);
        m_checksums.append(e.checksum);
        m_permissions.append(e.permission);
        if (m_hasSizes)
            m_sizes.append(e.size);
    }
    m_hasPaths = m_hasChecksums = m_hasPermissions = true;
    writeIndex();
    // The text of a text poster is journalled before its picture.
    for (int k = added.size() - 1; k >= 0; --k)
        journal(QStringLiteral("AJOUTER"), added.at(k));
    return true;
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
        return false;
    const Entry removed = takeAt(i);
    writeIndex();
    journal(QStringLiteral("SUPPRIMER"), removed);
    return true;
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
        return false;
    padTo(m_permissions, i + 1);
    m_permissions[i] = row;
    m_hasPermissions = true;
    writeIndex();
    journal(QStringLiteral("PERMISSION"), {path, QString(), row, QString()});
    return true;
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
    QStringList errors;
    errors.swap(m_errors);
    return errors;
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
    // Without an index (no account loaded) there is nothing to update.
    if (!QFileInfo::exists(indexFile())) {
        load();
        return false;
    }
    ClassParam store;
    QString why;
    if (store.setParamsCrypt(indexFile(), values, &why))
        return true;
    m_errors.append(QCoreApplication::translate("MediaLibrary", "Impossible de sauvegarder le fichier %1: %2.")
                        .arg(indexFile(), why));
    load();
    return false;
}

void MediaLibrary::journal(const QString &operation, const Entry &e)
{
    if (m_batch) {
        m_records.append({operation, e.path, e.checksum, e.permission, e.size});
        return;
    }
    QString error;
    if (!OperationJournal::append(journalFile(), {operation, e.path, e.checksum, e.permission, e.size}, &error))
        m_errors.append(error);
}
