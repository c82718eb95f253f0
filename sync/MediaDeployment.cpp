#include "MediaDeployment.h"

#include "ClassLog.h"
#include "ClassParam.h"
#include "HttpFileApi.h"
#include "ImportRename.h"
#include "ListTransfers.h"
#include "OperationJournal.h"
#include "SentMediaRecords.h"
#include "StepDriver.h"
#include "TransferLists.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace {

const char *const kKinds[3] = {"IMAGE", "VIDEO", "TEXT"};
// Where a file of a taken name is fetched to be compared.
const char *const kCompareFolder = "TEMP/CHECK/NAMES/";

int kindOf(const QString &path)
{
    for (int k = 0; k < 3; ++k) {
        if (path.startsWith(QLatin1String(kKinds[k]) + QLatin1Char('/')))
            return k;
    }
    return -1;
}

QString lines(const QStringList &paths)
{
    QString text;
    for (const QString &path : paths)
        text += QLatin1String("\n- ") + path;
    return text;
}

void logLine(const QString &text)
{
    ClassLog().log(QStringLiteral("OrvexLog"), text);
}

} // namespace

MediaDeployment::MediaDeployment(HttpFileApi *api, ListTransfers *lists, QTimer *timer, QObject *parent)
    : JournalDeployment(api, timer, parent)
    , m_lists(lists)
    , m_listing(new HttpFileApi(this))
{
    // A transfer that ends brings the next tick forward instead of leaving
    // it up to 50 ms later: a file costs its round trip, not a tick.
    m_driver->wakeOn(m_listing);
}

QString MediaDeployment::notStoredText(const QStringList &paths)
{
    return tr("Ces fichiers n'ont pas été enregistrés par le serveur: ils ne sont pas publiés dans l'index des "
              "médias et seront renvoyés au prochain envoi.")
        + lines(paths);
}

QString MediaDeployment::overQuotaKeptText(const QStringList &paths)
{
    return tr("Votre médiathèque dépasse sa taille maximum: ces fichiers déjà publiés, retirés de l'index par "
              "l'envoi d'un autre poste, y ont été remis. Supprimez des médias pour revenir sous la limite.")
        + lines(paths);
}

QString MediaDeployment::overQuotaText(const QStringList &paths)
{
    return tr("La taille maximum de votre médiathèque a été atteinte: ces fichiers n'ont pas été publiés et ont "
              "été retirés du serveur.")
        + lines(paths);
}

void MediaDeployment::start(QStringList NewMediaImage, QStringList DeleteMediaImage, QStringList NewMediaVideo,
                            QStringList DeleteMediaVideo, QStringList NewMediaText, QStringList DeleteMediaText,
                            bool Modif)
{
    // A run that goes on has passed some of its steps: replacing its lists
    // would leave files journalled but never uploaded (or never deleted).
    const QStringList added[3] = {NewMediaImage, NewMediaVideo, NewMediaText};
    const QStringList deleted[3] = {DeleteMediaImage, DeleteMediaVideo, DeleteMediaText};
    // Imports the server did not keep go again with this hand-on.
    m_queuedModif = m_queuedModif || m_retryPending;
    m_retryPending = false;
    for (int k = 0; k < 3; ++k) {
        m_queuedNew[k] += m_retryNew[k];
        m_retryNew[k].clear();
        m_queuedNew[k] += added[k];
        // Added ("KIND/name") then removed ("name") before it was sent: the
        // upload is dropped (the page does the same within one hand-on).
        for (const QString &entry : deleted[k])
            m_queuedNew[k].removeAll(QLatin1String(kKinds[k]) + QLatin1Char('/') + entry);
        m_queuedDelete[k] += deleted[k];
    }
    // A change already journalled before the running run merges (step 72)
    // goes up with it; only the lists need a run of their own.
    m_queuedModif = m_queuedModif || (Modif && !(running() && m_step <= Merge));
    if (!running())
        startQueued();
}

void MediaDeployment::startQueued()
{
    bool empty = !m_queuedModif;
    for (int k = 0; k < 3; ++k) {
        m_new[k].swap(m_queuedNew[k]);
        m_delete[k].swap(m_queuedDelete[k]);
        m_queuedNew[k].clear();
        m_queuedDelete[k].clear();
        m_new[k].removeDuplicates();
        m_delete[k].removeDuplicates();
        empty = empty && m_new[k].isEmpty() && m_delete[k].isEmpty();
    }
    m_queuedModif = false;
    if (!empty)
        m_driver->start();
}

void MediaDeployment::requeueUnsent()
{
    // Before what was handed on meanwhile; a removal handed on meanwhile
    // cancels the upload, as it does for a queued one.
    for (int k = 0; k < 3; ++k) {
        const QString folder = QLatin1String(kKinds[k]) + QLatin1Char('/');
        for (const QString &name : qAsConst(m_queuedDelete[k]))
            m_new[k].removeAll(folder + name);
        m_queuedNew[k] = m_new[k] + m_queuedNew[k];
        m_queuedDelete[k] = m_delete[k] + m_queuedDelete[k];
        m_new[k].clear();
        m_delete[k].clear();
    }
}

void MediaDeployment::sequenceFailed()
{
    // The error box has been shown. Until the merge (step 72) the journal
    // still holds the records of what did not reach the server: the lists
    // wait with it for the next hand-on.
    if (!running())
        return;
    if (m_step < Merge)
        requeueUnsent();
    finish();
}

void MediaDeployment::serverIndexFetched(QString index)
{
    // A run in progress settles its own records.
    if (running())
        return;
    if (!SentMediaRecords::confirm(m_work, index).isEmpty())
        m_queuedModif = true;
    if (!SentMediaRecords::confirm(m_work, index, SentMediaRecords::Admin).isEmpty())
        m_queuedModif = true;
}

QStringList MediaDeployment::keptRecordsLost(QString index)
{
    // The records lost merge again with the next hand-on, even an empty one.
    serverIndexFetched(index);
    return SentMediaRecords::listedPaths(SentMediaRecords::records(m_work));
}

void MediaDeployment::finish()
{
    // Ended before the index was read back: the journal still holds its
    // records, and the next hand-on, even an empty one, merges them.
    const bool done = m_step == DoneStep;
    if (!done)
        m_queuedModif = true;
    m_step = Begin;
    m_driver->stop();
    emit signalMessageOnlyOFF();
    if (done && readBackUnchecked())
        m_notes.prepend(uncheckedText(readBackDamaged()));
    if (done && !m_notes.isEmpty())
        emit signalCorrupt(m_notes.join(QLatin1String("\n\n")));
    m_notes.clear();
    emit signalFinished();
}

QString MediaDeployment::stoppedText() const
{
    // Imports already taken off the server for the quota are told too.
    return (QStringList{JournalDeployment::stoppedText()} + m_notes).join(QLatin1String("\n\n"));
}

QStringList MediaDeployment::foldersToList() const
{
    const QStringList paths = SentMediaRecords::listedPaths(OperationJournal::records(m_work + QLatin1String("TEMP/INFOMEDIA.orvex")))
        + SentMediaRecords::listedPaths(SentMediaRecords::records(m_work));
    QStringList folders;
    for (int k = 0; k < 3; ++k) {
        for (const QString &path : paths) {
            if (kindOf(path) == k) {
                folders << QLatin1String(kKinds[k]);
                break;
            }
        }
    }
    return folders;
}

bool MediaDeployment::onServer(const QString &path) const
{
    const int k = kindOf(path);
    return k >= 0 && m_listed.value(QLatin1String(kKinds[k])).contains(path.mid(int(qstrlen(kKinds[k])) + 1));
}

QList<QStringList> MediaDeployment::withinQuota(const QList<QStringList> &records)
{
    if (!m_fits || m_quotaMo <= 0)
        return records;
    // What the fetched index weighs, then each record in turn: an import
    // the index does not list yet must fit, as it had to on the page.
    ClassParam index;
    index.getParamCrypt(fetchedPath(), QStringList{QStringLiteral("ALL")}, 0);
    const QString listed = index.getInfoBalise(QStringLiteral("FILEPATH"));
    const QString sizes = index.getInfoBalise(QStringLiteral("FILESIZE"));
    const QStringList paths = listed == QLatin1String("NULL") ? QStringList() : listed.split(QLatin1Char('|'));
    const QStringList bytes = sizes == QLatin1String("NULL") ? QStringList() : sizes.split(QLatin1Char('|'));
    QHash<QString, qint64> weight;
    qint64 total = 0;
    for (int i = 0; i < bytes.size(); ++i) {
        const qint64 size = qMax<qint64>(0, bytes.at(i).toLongLong());
        total += size;
        if (i < paths.size() && !weight.contains(paths.at(i)))
            weight.insert(paths.at(i), size);
    }
    QList<QStringList> fitting;
    QSet<QString> refused(m_refused.cbegin(), m_refused.cend());
    // A record merged again was accepted once: it is never refused, and
    // counts.
    const QSet<QString> accepted(m_again.cbegin(), m_again.cend());
    for (const QStringList &fields : records) {
        const QString path = fields.value(1);
        if (refused.contains(path))
            continue;
        if (fields.size() >= 5 && fields.at(0) == QLatin1String("AJOUTER")) {
            const qint64 size = qMax<qint64>(0, fields.at(4).toLongLong());
            const int kind = kindOf(path);
            if (!weight.contains(path) && !accepted.contains(path) && kind >= 0 && kind < 2
                && !m_fits(kind, size, int(total / 1000000), m_quotaMo)) {
                m_refused << path;
                refused.insert(path);
                continue;
            }
            total += size - weight.value(path);
            weight.insert(path, size);
        } else if (fields.size() >= 5 && fields.at(0) == QLatin1String("SUPPRIMER") && weight.contains(path)) {
            total -= weight.take(path);
        }
        fitting << fields;
    }
    // Over the quota only through what was merged again: told.
    if (total / 1000000 > m_quotaMo) {
        for (const QString &path : SentMediaRecords::listedPaths(fitting)) {
            if (accepted.contains(path))
                m_overQuota << path;
        }
    }
    return fitting;
}

bool MediaDeployment::writeMergeCopy(const QString &journal, const QString &copy, QString *why)
{
    const QList<QStringList> pending = OperationJournal::records(journal);
    const QList<QStringList> kept = SentMediaRecords::records(m_work);
    const QList<QStringList> again = SentMediaRecords::toMergeAgain(fetchedPath(), kept);
    m_held.clear();
    m_refused.clear();
    m_again.clear();
    m_gone.clear();
    m_overQuota.clear();
    // Kept records another console's later change replaced are done with.
    m_superseded.clear();
    for (const QStringList &fields : SentMediaRecords::notShown(fetchedPath(), kept)) {
        if (!again.contains(fields) && !m_superseded.contains(fields.value(1)))
            m_superseded << fields.value(1);
    }
    // Administration records the index lost go again after the journal.
    m_adminAgain =
        SentMediaRecords::adminNotShown(fetchedPath(), SentMediaRecords::records(m_work, SentMediaRecords::Admin));
    // A published file that left the server was removed by another console.
    QSet<QString> gone;
    for (const QString &path : SentMediaRecords::listedPaths(again)) {
        if (!onServer(path)) {
            m_gone << path;
            gone.insert(path);
        }
    }
    // An import the server did not store is not published.
    QSet<QString> held;
    for (const QString &path : SentMediaRecords::listedPaths(pending)) {
        if (!onServer(path)) {
            m_held << path;
            held.insert(path);
        }
    }
    QList<QStringList> merged;
    QSet<QString> seen;
    for (const QStringList &fields : again) {
        if (!seen.contains(fields.value(1))) {
            seen.insert(fields.value(1));
            m_again << fields.value(1);
        }
        if (!gone.contains(fields.value(1)))
            merged << fields;
    }
    for (const QStringList &fields : SentMediaRecords::withStateBefore(fetchedPath(), pending)) {
        if (!held.contains(fields.value(1)))
            merged << fields;
    }
    m_published = withinQuota(merged);
    if (!m_held.isEmpty() || !m_refused.isEmpty() || !m_again.isEmpty())
        logLine(QStringLiteral("MEDIA.orvex: not on the server %1, over the quota %2, merged again %3, gone %4")
                    .arg(m_held.join(QLatin1Char(',')), m_refused.join(QLatin1Char(',')),
                         m_again.join(QLatin1Char(',')), m_gone.join(QLatin1Char(','))));
    QFile::remove(copy);
    return OperationJournal::appendAll(copy, SentMediaRecords::journalFields(m_published), why);
}

bool MediaDeployment::mergeKept(QString *why)
{
    if (m_adminAgain.isEmpty() || !m_adminMerge)
        return true;
    const QString copy = SentMediaRecords::path(m_work) + QLatin1String(".merge");
    QFile::remove(copy);
    if (!OperationJournal::appendAll(copy, m_adminAgain, why))
        return false;
    logLine(QStringLiteral("MEDIA.orvex: %1 administration record(s) merged again").arg(m_adminAgain.size()));
    const bool merged = m_adminMerge(indexPath(), copy);
    QFile::remove(copy);
    if (!merged)
        *why = tr("l'index fusionné n'a pas pu être écrit");
    return merged;
}

bool MediaDeployment::showsRun(const QString &index) const
{
    return SentMediaRecords::notShown(index, m_published).isEmpty();
}

bool MediaDeployment::settleJournal(const QString &journal, QString *file, QString *why)
{
    // What went up waits until a later fetch of the index shows it. Written
    // first: the journal keeps the records until this is on disk.
    QSet<QString> settled(m_again.cbegin(), m_again.cend());
    settled.unite(QSet<QString>(m_gone.cbegin(), m_gone.cend()));
    settled.unite(QSet<QString>(m_refused.cbegin(), m_refused.cend()));
    settled.unite(QSet<QString>(m_superseded.cbegin(), m_superseded.cend()));
    // The fetched index showed the older records of a path merged now.
    for (const QStringList &fields : qAsConst(m_published))
        settled.insert(fields.value(1));
    QList<QStringList> sent;
    for (const QStringList &fields : SentMediaRecords::records(m_work)) {
        if (!settled.contains(fields.value(1)))
            sent << fields;
    }
    *file = SentMediaRecords::path(m_work);
    if (!SentMediaRecords::rewrite(m_work, SentMediaRecords::Media, sent + m_published, why))
        return false;
    // The records merged leave the journal, but for the imports that wait:
    // the server lacked them, or they are over the quota until their file
    // is removed from the server.
    const QList<QStringList> all = OperationJournal::records(journal);
    const QList<QStringList> later = OperationJournal::records(journal, mergedCount());
    QSet<QString> waiting(m_held.cbegin(), m_held.cend());
    waiting.unite(QSet<QString>(m_refused.cbegin(), m_refused.cend()));
    QList<QStringList> kept;
    for (int i = 0; i < all.size() - later.size(); ++i) {
        if (waiting.contains(all.at(i).value(1)))
            kept << all.at(i);
    }
    *file = journal;
    return OperationJournal::rewrite(journal, kept + later, why);
}

bool MediaDeployment::dropRecordsOf(const QStringList &paths, QString *why)
{
    const QString journal = m_work + QLatin1String("TEMP/INFOMEDIA.orvex");
    const QSet<QString> dropped(paths.cbegin(), paths.cend());
    QList<QStringList> kept;
    for (const QStringList &fields : OperationJournal::records(journal)) {
        if (!dropped.contains(fields.value(1)))
            kept << fields;
    }
    return OperationJournal::rewrite(journal, kept, why);
}

void MediaDeployment::collectTakenNames()
{
    m_taken.clear();
    for (int k = 0; k < 2; ++k) {
        const QSet<QString> listed = m_listed.value(QLatin1String(kKinds[k]));
        for (const QString &path : qAsConst(m_new[k])) {
            if (listed.contains(path.mid(int(qstrlen(kKinds[k])) + 1)))
                m_taken << path;
        }
    }
    if (!m_taken.isEmpty())
        logLine(QStringLiteral("Noms déjà présents sur le serveur: ") + m_taken.join(QLatin1Char(',')));
}

bool MediaDeployment::compareTaken(bool *ours)
{
    const QString path = m_taken.first();
    const int k = kindOf(path);
    const QString name = path.mid(int(qstrlen(kKinds[k])) + 1);
    const QString copy = m_work + QLatin1String(kCompareFolder) + name;
    if (!m_comparing) {
        // The import's checksum as its journal record gives it; without one
        // the file cannot be known for the import's.
        m_compareSum.clear();
        for (const QStringList &fields : OperationJournal::records(m_work + QLatin1String("TEMP/INFOMEDIA.orvex"))) {
            if (fields.size() == 5 && fields.at(0) == QLatin1String("AJOUTER") && fields.at(1) == path)
                m_compareSum = fields.at(2);
        }
        if (m_compareSum.isEmpty()) {
            *ours = false;
            return true;
        }
        QDir().mkpath(m_work + QLatin1String(kCompareFolder));
        QFile::remove(copy);
        // A larger file is another one: no more than the import is fetched.
        m_api->setDownloadLimit(QFileInfo(m_work + path).size());
        m_comparing = true;
    }
    // The copy stays only when it has the import's checksum.
    if (!fetchFile(name, QLatin1String(kCompareFolder), QLatin1String(kKinds[k]), m_compareSum))
        return false;
    m_comparing = false;
    *ours = QFileInfo(copy).isFile();
    QFile::remove(copy);
    return true;
}

bool MediaDeployment::renameImport(const QString &path)
{
    const int k = kindOf(path);
    const QString folder = QLatin1String(kKinds[k]) + QLatin1Char('/');
    const QString oldName = path.mid(folder.size());
    ClassParam index;
    const QStringList paths = index.getParamCrypt(fetchedPath(), QStringLiteral("FILEPATH"), 0).split(QLatin1Char('|'));
    const QSet<QString> indexed(paths.cbegin(), paths.cend());
    const QSet<QString> listed = m_listed.value(QLatin1String(kKinds[k]));
    // Free on the server, here, in this console's index and among the
    // imports on their way.
    const auto taken = [&](const QString &name) {
        const QString candidate = folder + name;
        if (listed.contains(name) || QFileInfo::exists(m_work + candidate) || indexed.contains(candidate))
            return true;
        for (const QStringList *list : {&m_new[k], &m_queuedNew[k], &m_retryNew[k]}) {
            if (list->contains(candidate))
                return true;
        }
        return false;
    };
    const QString newName = ImportRename::nextFreeName(oldName, taken);
    if (newName.isEmpty()) {
        logLine(QStringLiteral("%1: aucun nom libre, envoyé sous son nom").arg(path));
        return true;
    }
    QString file, why;
    const bool renamed = ImportRename::apply(m_work, folder, oldName, newName, &file, &why);
    // Once the file has its new name, the run knows it by that name only.
    if (renamed || QFileInfo::exists(m_work + folder + newName)) {
        for (QStringList *list : {&m_new[k], &m_queuedNew[k], &m_retryNew[k]}) {
            for (QString &entry : *list) {
                if (entry == path)
                    entry = folder + newName;
            }
        }
        emit signalMediaRenamed(k, oldName, newName);
    }
    if (renamed)
        return true;
    requeueUnsent();
    writeFailed(file, why);
    return false;
}

bool MediaDeployment::withdrawRefused()
{
    // This console's index is the published one again with what its
    // journal still holds; the refused files leave the work folder as they
    // left the server.
    QString file, why;
    if (!keepLocalIndex(m_work + QLatin1String("TEMP/INFOMEDIA.orvex"), &file, &why)) {
        writeFailed(file, why);
        return false;
    }
    for (const QString &path : qAsConst(m_refused)) {
        const int k = kindOf(path);
        if (k < 0)
            continue;
        QFile::remove(m_work + path);
        emit signalMediaWithdrawn(k, path.mid(int(qstrlen(kKinds[k])) + 1));
    }
    return true;
}

void MediaDeployment::slotProcessDeployMedia()
{
    // A step that moved on is followed at the next turn of the event loop:
    // only the steps that wait keep the timer's pace.
    m_driver->run(
        [this] {
            if (!mustWait())
                runStep();
        },
        [this] { return m_step; });
}

void MediaDeployment::runStep()
{
    // Steps 10-33: deletions, 40-63: uploads; the tens give the kind.
    const int kind = (m_step / 10 - 1) % 3;
    const QString folder = QLatin1String(kind >= 0 ? kKinds[kind] : "");
    switch (m_step) {
    case Begin: {
        emit signalBegin();
        m_uploaded.clear();
        m_namesChecked = false;
        m_taken.clear();
        m_comparing = false;
        const QString selected = m_selected ? m_selected() : QString();
        m_lists->setDeployBoxes(selected.isEmpty() ? QStringList() : QStringList{selected});
        m_step = DeleteImages;
        break;
    }
    case DeleteImages: case DeleteVideos: case DeleteTexts:
        if (m_delete[kind].isEmpty()) {
            m_step += 10;
            break;
        }
        m_lists->setFolder(folder);
        m_lists->setRemovalList(m_delete[kind]);
        m_step += 3;
        break;
    case DeletingImages: case DeletingVideos: case DeletingTexts:
        if (m_lists->FtpRemoveListFile()) {
            m_delete[kind].clear();
            m_step += 7;
        }
        break;
    case UploadImages: case UploadVideos: case UploadTexts: {
        // The imports' names are made sure of before the first upload.
        if (m_step == UploadImages && !m_namesChecked) {
            m_namesChecked = true;
            m_step = NamesStart;
            break;
        }
        const int k = m_step / 10 - 4;
        if (m_new[k].isEmpty()) {
            m_step += 10;
            break;
        }
        m_lists->setFolder(QLatin1String(kKinds[k]));
        QStringList names;
        for (const QString &entry : qAsConst(m_new[k]))
            names << QString(entry).remove(QLatin1String(kKinds[k]) + QLatin1Char('/'));
        m_api->lists()->setTransferFiles(names);
        m_step += 3;
        break;
    }
    case UploadingImages: case UploadingVideos: case UploadingTexts: {
        const int k = m_step / 10 - 4;
        if (m_lists->FtpPutListFile(m_work + QLatin1String(kKinds[k]) + QLatin1Char('/'))) {
            m_uploaded += m_new[k];
            m_new[k].clear();
            m_step += 7;
        }
        break;
    }
    case ListStart:
        m_lists->setFolder(QString());
        m_listed.clear();
        m_toList = foldersToList();
        m_listTries = 0;
        m_afterListing = IndexFetch;
        m_step = m_toList.isEmpty() ? IndexFetch : ListFolder;
        break;
    case NamesStart:
        // Pictures and videos take their name from the second of their
        // import: another console may have sent one of the same name.
        m_listed.clear();
        m_toList.clear();
        for (int k = 0; k < 2; ++k) {
            if (!m_new[k].isEmpty())
                m_toList << QLatin1String(kKinds[k]);
        }
        m_listTries = 0;
        m_afterListing = NamesTaken;
        m_step = m_toList.isEmpty() ? UploadImages : ListFolder;
        break;
    case NamesTaken:
        collectTakenNames();
        m_step = NamesCompare;
        break;
    case NamesCompare: {
        if (m_taken.isEmpty()) {
            m_step = UploadImages;
            break;
        }
        bool ours = false;
        if (!compareTaken(&ours))
            break;
        if (!ours && !renameImport(m_taken.first()))
            break;
        m_taken.removeFirst();
        break;
    }
    case ListFolder:
        // A listing of its own: the panel's lists stay as they are.
        m_listing->copyConfiguration(*m_api);
        m_listing->lists()->clearTransferFiles();
        m_listing->lists()->clearBoxes();
        m_listing->scanFile(m_toList.first());
        m_step = ListWait;
        break;
    case ListWait:
        if (!m_listing->doneFlag(4))
            break;
        if (m_listing->lastSucceeded(HttpFileApi::OpScan)) {
            // A name without a dot is sorted with the folders.
            const QStringList names = m_listing->lists()->transferFiles() + m_listing->lists()->boxList();
            m_listed.insert(m_toList.takeFirst(), QSet<QString>(names.cbegin(), names.cend()));
            m_listTries = 0;
            m_step = m_toList.isEmpty() ? m_afterListing : ListFolder;
        } else if (++m_listTries < ListTries) {
            m_step = ListFolder;
        } else {
            // Before the uploads nothing went up: they wait for the next hand-on.
            if (m_afterListing != IndexFetch)
                requeueUnsent();
            m_driver->stop();
            emit signalErreurConnexion(ListErrorCode);
            finish();
        }
        break;
    case IndexFetch:
        if (fetchIndex())
            m_step = Merge;
        break;
    case Merge:
        if (mergeFetchedIndex(QStringLiteral("INFOMEDIA.orvex"), "indiceDeployMedia"))
            m_step = CheckBeforeUpload;
        break;
    case CheckBeforeUpload:
        // Another console's index may have gone up since the fetch.
        stepOn(checkBeforeUpload(), PutIndex, Merge);
        break;
    case PutIndex:
        if (m_lists->FtpPutOneFile(indexPath(), QStringLiteral("MEDIA.orvex")))
            m_step = ReadBack;
        break;
    case ReadBack:
        // The run is done only once the server holds what was sent.
        stepOn(readBack(), DropRefused, Merge);
        m_deleteKind = 0;
        break;
    case DropRefused: {
        // Imports over the quota leave the server, then the journal.
        QStringList names;
        for (; m_deleteKind < 3 && names.isEmpty(); ++m_deleteKind) {
            for (const QString &path : qAsConst(m_refused)) {
                if (kindOf(path) == m_deleteKind)
                    names << path.mid(int(qstrlen(kKinds[m_deleteKind])) + 1);
            }
        }
        if (!names.isEmpty()) {
            m_lists->setFolder(QLatin1String(kKinds[m_deleteKind - 1]));
            m_lists->setRemovalList(names);
            m_step = RemoveRefused;
            break;
        }
        if (!m_overQuota.isEmpty())
            m_notes << overQuotaKeptText(m_overQuota);
        if (!m_refused.isEmpty()) {
            m_notes << overQuotaText(m_refused);
            QString why;
            if (!dropRecordsOf(m_refused, &why)) {
                writeFailed(m_work + QLatin1String("TEMP/INFOMEDIA.orvex"), why);
                break;
            }
            if (!withdrawRefused())
                break;
        }
        // Imports sent by this run that the server did not keep are told and
        // sent again with the next hand-on; the others wait for their own.
        QStringList lost;
        const QSet<QString> uploaded(m_uploaded.cbegin(), m_uploaded.cend());
        QSet<QString> again[3];
        for (int k = 0; k < 3; ++k)
            again[k] = QSet<QString>(m_retryNew[k].cbegin(), m_retryNew[k].cend());
        for (const QString &path : qAsConst(m_held)) {
            const int k = kindOf(path);
            if (k < 0 || !uploaded.contains(path))
                continue;
            lost << path;
            if (QFileInfo(m_work + path).isFile() && !again[k].contains(path)) {
                m_retryNew[k] << path;
                again[k].insert(path);
            }
        }
        if (!lost.isEmpty()) {
            m_notes << notStoredText(lost);
            m_retryPending = true;
        }
        m_step = DoneStep;
        break;
    }
    case RemoveRefused:
        if (m_lists->FtpRemoveListFile())
            m_step = DropRefused;
        break;
    default:
        finish();
        // What was handed on meanwhile goes now; after a failure it waits
        // for the next hand-on instead.
        startQueued();
        break;
    }
}
