#include "BoxDeployment.h"

#include "Checksum.h"
#include "ClassLog.h"
#include "ClassParam.h"
#include "HttpFileApi.h"
#include "KeptChanges.h"
#include "ListTransfers.h"
#include "LocalWriteError.h"
#include "RevisionCounters.h"
#include "SharePage.h"
#include "StepDriver.h"
#include "TransferLists.h"
#include "TransferPaths.h"
#include "classVersion.h"

#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTimer>
#include <QUrl>

namespace {

// Null when the file is absent.
QString checksumOf(const QString &file)
{
    return QFile::exists(file) ? CalculChecksum(file) : QString();
}

void logLine(const QString &text)
{
    ClassLog().log(QStringLiteral("OrvexLog"), text);
}

// Files a box deployment never sends: the box's own files, and the files
// the account deployment and the command machine own.
bool neverDeployed(const QString &name)
{
    static const QStringList names{QStringLiteral("EVENTS.orvex"), QStringLiteral("PLAYLIST.orvex"),
                                   QStringLiteral("COMMAND.orvex")};
    return names.contains(name);
}

// A plain name with nothing that a URL or the page would read as markup.
bool safeLinkFolder(const QString &name)
{
    if (!TransferPaths::isPlainName(name))
        return false;
    for (const QChar c : name) {
        if (QStringLiteral("\"'<>&?#%\\").contains(c) || c.unicode() < 0x20)
            return false;
    }
    return true;
}

} // namespace

BoxDeployment::BoxDeployment(HttpFileApi *api, ListTransfers *lists, RevisionCounters *revisions, ClassParam *player,
                             QTimer *timer, QObject *parent)
    : QObject(parent)
    , m_api(api)
    , m_lists(lists)
    , m_revisions(revisions)
    , m_player(player)
    , m_timer(timer)
    , m_clock([] { return QDateTime::currentDateTime(); })
    , m_open([](const QString &url) { QDesktopServices::openUrl(QUrl(url)); })
    , m_driver(new StepDriver(timer, this))
{
    // Steps that need no wait follow each other within the tick; a
    // transfer that ends ticks again at once instead of 50 ms later.
    m_driver->setPasses(64);
    m_driver->wakeOn(api);
}

bool BoxDeployment::running() const
{
    return m_timer->isActive() || m_step != 0;
}

void BoxDeployment::start()
{
    m_step = Choose;
    // The box choice opens at once rather than one interval later.
    m_driver->start();
}

void BoxDeployment::stop()
{
    m_driver->stop();
    m_step = Choose;
    emit signalDeployBox(QString());
}

bool BoxDeployment::cancel()
{
    if (!running())
        return false;
    stop();
    // The sequence in flight must not resume at the next deployment.
    m_lists->reset();
    m_api->setUploadState(10);
    emit signalMessageOnlyOFF();
    return true;
}

void BoxDeployment::downloadFailed(QString text, bool told)
{
    if (!m_downloading || !running())
        return;
    stop();
    emit signalMessageOnlyOFF();
    if (!told)
        emit signalError(text);
}

void BoxDeployment::sequenceFailed()
{
    // The error box has been shown; nothing more goes out and no success
    // message follows.
    if (!running())
        return;
    stop();
    emit signalMessageOnlyOFF();
}

QString BoxDeployment::readPlayer(const QString &key) const
{
    return m_player->getParamCrypt(m_work + QLatin1String("DATA/PLAYER.orvex"), key, 0);
}

bool BoxDeployment::put(const QString &localPath, const QString &name, int next)
{
    if (!m_lists->FtpPutOneFile(localPath, name))
        return false;
    m_step = next;
    return true;
}

bool BoxDeployment::copyStamped(const QString &name, const QString &stamped)
{
    const QString links = m_work + QLatin1String("LINKS/");
    // A stamp repeats every month: the older copy gives way.
    QFile::remove(links + stamped);
    if (QFile::copy(links + name, links + stamped))
        return true;
    emit signalError(QStringLiteral("Impossible de copier le fichier"));
    return false;
}

void BoxDeployment::slotProcessDeploy()
{
    m_driver->run([this] { runStep(); }, [this] { return m_step; });
}

void BoxDeployment::runStep()
{
    switch (m_step) {
    case Choose: {
        m_api->setRetryCounter(0);
        m_targets.clear();
        // DATA/ does not hold the selected box's whole folder: nothing of
        // it may go out.
        if (!m_revisions->folderFailure().isEmpty()) {
            m_driver->stop();
            emit signalError(notLoadedText(m_selected ? m_selected() : QString(), m_revisions->folderFailure()));
            return;
        }
        // No screen ticked is a cancel too: nothing to send, nothing to report.
        if (!m_choose || !m_choose(&m_targets) || m_targets.isEmpty()) {
            m_targets.clear();
            m_driver->stop();
            m_step = Choose;
            return;
        }
        // Every folder comes from the login file or the screens list: one
        // that is not a plain name stops the deployment before anything is sent.
        QStringList folders = m_targets;
        const QString selected = m_selected ? m_selected() : QString();
        if (!selected.isEmpty())
            folders << selected;
        for (const QString &box : qAsConst(folders)) {
            if (!TransferPaths::isPlainName(box)) {
                m_driver->stop();
                m_step = Choose;
                m_targets.clear();
                emit signalError(TransferPaths::refusedText(box));
                return;
            }
        }
        m_step = Connect;
        break;
    }
    case Connect:
        emit signalMessageOnlyON(tr("Connexion en cours..."), 0, 0, false, true);
        m_lists->setFolder(m_selected ? m_selected() : QString());
        m_fetchTries = 0;
        m_expected.clear();
        m_expectedSum.clear();
        m_changed.clear();
        m_uploaded = false;
        m_step = FetchSelected;
        break;
    case FetchSelected:
        if (fetchPlayer(m_lists->folder()) > 0)
            m_step = CheckSelected;
        break;
    case CheckSelected: {
        // Another counter, or the same one on other bytes (two consoles may
        // write the same counter): asked.
        const QString box = m_lists->folder();
        const QString copy = m_work + QLatin1String("PLAYER.orvex");
        m_expected.insert(box, RevisionCounters::fileCounter(copy));
        m_expectedSum.insert(box, CalculChecksum(copy));
        const bool changed = m_expected.value(box) != m_revisions->playerCounter()
            || m_revisions->serverChanged(box, copy);
        if (changed && !m_revisions->ask(RevisionCounters::questionText())) {
            emit signalMessageOnlyOFF();
            m_driver->stop();
            m_step = Choose;
            return;
        }
        m_checkIndex = 0;
        m_step = NextTarget;
        break;
    }
    case NextTarget:
        // Every other target's server copy, before anything is sent.
        while (m_checkIndex < m_targets.size() && m_expected.contains(m_targets.at(m_checkIndex)))
            ++m_checkIndex;
        if (m_checkIndex >= m_targets.size()) {
            m_step = AskChanged;
            break;
        }
        m_fetchTries = 0;
        m_step = FetchTarget;
        // One box per turn of the event loop: in local mode every step ends at once.
        m_driver->yieldTurn();
        break;
    case FetchTarget: {
        const QString box = m_targets.at(m_checkIndex);
        emit signalDeployBox(box);
        if (fetchPlayer(box) <= 0)
            break;
        const QString copy = m_work + QLatin1String("PLAYER.orvex");
        m_expected.insert(box, RevisionCounters::fileCounter(copy));
        m_expectedSum.insert(box, CalculChecksum(copy));
        if (m_revisions->serverChanged(box, copy))
            m_changed << box;
        m_step = NextTarget;
        break;
    }
    case AskChanged:
        // The check named each box in turn; the sending names its own.
        emit signalDeployBox(QString());
        if (!m_changed.isEmpty() && !m_revisions->ask(changedText(m_changed))) {
            emit signalMessageOnlyOFF();
            m_driver->stop();
            m_step = Choose;
            return;
        }
        m_step = Share;
        // The sending checks the first box again: in a turn of its own.
        m_driver->yieldTurn();
        break;
    case Share:
        m_network = readPlayer(QStringLiteral("NETWORK"));
        m_shareOk = true;
        if (m_network.contains(QLatin1String("SiteWeb")) || m_network.contains(QLatin1String("Facebook"))) {
            m_pictureSaved = false;
            m_step = SharePage;
        } else {
            m_step = IndexStart;
        }
        break;
    case SharePage: {
        m_linkFolder = SharePage::linkFolderOf(readPlayer(QStringLiteral("LINKSITE")));
        // The folder name comes from the publication page's link: it must
        // not reach outside LINKS/.
        if (!m_linkFolder.isEmpty() && !safeLinkFolder(m_linkFolder)) {
            emit signalError(tr("Le dossier du lien de partage est invalide: %1").arg(m_linkFolder));
            m_step = IndexStart;
            break;
        }
        QDir(m_work).mkpath(QStringLiteral("LINKS"));
        m_stamp = SharePage::generateIndex(m_work, classVersion().NomDeDomaine(), QLatin1String("zo_") + m_account,
                                           m_linkFolder, m_clock());
        if (m_stamp == QLatin1String("0")) {
            emit signalError(tr("Impossible de créer la page de partage %1").arg(m_work + QLatin1String("LINKS/index.html")));
            m_step = IndexStart;
            break;
        }
        m_lists->setFolder(QLatin1String("LINKS/") + m_linkFolder);
        m_step = ShareFolder;
        break;
    }
    case ShareFolder:
        m_api->createDirHttp(QLatin1String("LINKS/") + m_linkFolder);
        m_step = ShareFolderWait;
        break;
    case ShareFolderWait:
        if (m_api->doneFlag(7))
            m_step = SharePicture;
        break;
    case SharePicture: {
        emit signalUpdateHDImage(RevisionCounters::counterOf(readPlayer(QStringLiteral("WEBSITE"))));
        m_step = SharePictureWait;
        break;
    }
    case SharePictureWait:
        if (m_pictureSaved)
            m_step = PutPicture;
        break;
    case PutPicture:
        // A poster with nothing to render (a video, a widget, a deleted
        // picture) leaves no picture: the page would show nothing.
        if (QFileInfo(m_work + QLatin1String("LINKS/Picture.png")).size() <= 0) {
            emit signalError(tr("L'image de partage %1 n'a pas pu être créée: l'affiche partagée n'a rien à "
                                "afficher. La page de partage n'est pas envoyée.")
                                 .arg(m_work + QLatin1String("LINKS/Picture.png")));
            m_step = IndexStart;
            break;
        }
        put(m_work + QLatin1String("LINKS/Picture.png"), QStringLiteral("Picture.png"), StampPicture);
        break;
    case StampPicture:
        m_shareOk = !m_network.contains(QLatin1String("Facebook"))
            || copyStamped(QStringLiteral("Picture.png"), QLatin1String("Picture") + m_stamp + QLatin1String(".png"));
        m_step = PutStampedPicture;
        break;
    case PutStampedPicture:
        if (m_network.contains(QLatin1String("Facebook")) && m_shareOk)
            put(m_work + QLatin1String("LINKS/Picture") + m_stamp + QLatin1String(".png"),
                QLatin1String("Picture") + m_stamp + QLatin1String(".png"), PutPage);
        else
            m_step = PutPage;
        break;
    case PutPage:
        put(m_work + QLatin1String("LINKS/index.html"), QStringLiteral("index.html"), StampPage);
        break;
    case StampPage:
        m_shareOk = m_shareOk
            && (!m_network.contains(QLatin1String("Facebook"))
                || copyStamped(QStringLiteral("index.html"), QLatin1String("index") + m_stamp + QLatin1String(".html")));
        m_step = PutStampedPage;
        break;
    case PutStampedPage:
        if (m_network.contains(QLatin1String("Facebook")) && m_shareOk) {
            const QString name = QLatin1String("index") + m_stamp + QLatin1String(".html");
            if (!m_lists->FtpPutOneFile(m_work + QLatin1String("LINKS/") + name, name))
                break;
            m_open(SharePage::folderUrl(classVersion().NomDeDomaine(), QLatin1String("zo_") + m_account, m_linkFolder)
                   + QLatin1Char('/') + name);
        }
        m_step = IndexStart;
        break;
    case IndexStart:
        // The account's index as it stands now: another console may have
        // removed media since this one read it.
        QFile::remove(m_work + QLatin1String("MEDIA.orvex"));
        m_fetchTries = 0;
        m_step = IndexFetch;
        break;
    case IndexFetch:
        if (fetchPlayer(QString(), QStringLiteral("MEDIA.orvex")) > 0) {
            // Before the posters are cleaned against it: what this console
            // published that the index lost is not gone.
            const QString fetched = m_work + QLatin1String("MEDIA.orvex");
            m_kept = m_keptMedia && QFileInfo::exists(fetched) ? m_keptMedia(fetched) : QStringList();
            m_step = MediaEdits;
        }
        break;
    case MediaEdits: {
        // The fetched index when the server has one, else the one read at login.
        const QString fetched = m_work + QLatin1String("MEDIA.orvex");
        const QString index = QFileInfo::exists(fetched) ? fetched : m_work + QLatin1String("TEMP/MEDIA.orvex");
        // Written with the version and the counter, in one write.
        m_mediaEdits.clear();
        if (!mediaEdits(m_work, index, &m_mediaEdits, m_kept))
            logLine(QStringLiteral("checkPlayerVsMedia: index des medias illisible, affiches inchangees"));
        m_step = NextBox;
        break;
    }
    case NextBox: {
        if (m_targets.isEmpty()) {
            m_step = Rescan;
            break;
        }
        m_api->setUploadState(10);
        // The poster list goes alone, last, once the server copy is checked again.
        QStringList files = arrange(ListFileFromFolder(m_work + QLatin1String("DATA/")));
        m_withPlayer = !files.isEmpty() && files.last() == QLatin1String("PLAYER.orvex");
        if (m_withPlayer)
            files.removeLast();
        // The owner record goes to the selected box only (the sequence skips it for the others).
        m_withInfo = files.contains(QLatin1String("INFO.orvex")) && m_selected && m_targets.first() == m_selected();
        m_api->lists()->setTransferFiles(files);
        emit signalDeployBox(m_targets.first());
        m_step = ListStart;
        break;
    }
    case RaiseList: {
        // Every local change of the poster list before any of the box's files goes.
        const QString box = m_targets.first();
        if (m_withPlayer) {
            const bool selected = m_selected && box == m_selected();
            const int floor = m_expected.value(box);
            QList<QPair<QString, QString>> edits = m_mediaEdits;
            edits << qMakePair(QStringLiteral("VERSION"), QStringLiteral("310"));
            QString why;
            if (!m_revisions->raisePlayer(selected ? qMax(floor, m_revisions->playerCounter()) : floor, edits, &m_sent,
                                          &why)) {
                writeFailed(m_work + QLatin1String("DATA/PLAYER.orvex"), why);
                return;
            }
        }
        // Kept before anything goes: a restart or a kill forgets nothing.
        QList<RevisionCounters::Sent> kept;
        if (m_withPlayer)
            kept << RevisionCounters::Sent{QStringLiteral("PLAYER.orvex"), m_beforeSum,
                                           checksumOf(m_work + QLatin1String("DATA/PLAYER.orvex"))};
        if (m_withInfo)
            kept << RevisionCounters::Sent{QStringLiteral("INFO.orvex"), m_infoBeforeSum,
                                           checksumOf(m_work + QLatin1String("DATA/INFO.orvex"))};
        QString why;
        if (!kept.isEmpty() && !m_revisions->keepSent(box, m_sent, kept, &why)) {
            writeFailed(KeptChanges::path(m_work, QStringLiteral("BOXES")), why);
            return;
        }
        m_lists->setFolder(box);
        m_lists->setDeployBoxes(m_targets);
        m_step = PutFiles;
        break;
    }
    case PutFiles:
        m_uploaded = true;
        // The sequence's bookkeeping steps run in this tick; only its wait for
        // the server ends it (the end of the transfer ticks again at once).
        if (StepDriver::follow(
                32, [this] { return m_lists->putStep(); },
                [this] { return m_lists->FtpPutListFile(m_work + QLatin1String("DATA/")); },
                [this] { return m_lists->putStep() != 4; }))
            m_step = m_withPlayer ? PutList : m_withInfo ? ReadBackStart : BoxDone;
        break;
    case BoxDone:
        if (!m_targets.isEmpty())
            m_targets.removeFirst();
        m_step = MediaEdits;
        m_driver->yieldTurn();
        break;
    case ListStart:
        // Another console may have deployed since the check at the start:
        // checked again before the box's first upload, so that a run
        // cancelled here sends the box nothing.
        m_fetchTries = 0;
        m_boxChanged = false;
        m_beforeSum.clear();
        m_infoBeforeSum.clear();
        m_step = m_withPlayer ? ListFetch : m_withInfo ? InfoFetch : RaiseList;
        break;
    case ListFetch:
        if (fetchPlayer(m_targets.first()) > 0)
            m_step = ListCheck;
        break;
    case ListCheck: {
        const QString box = m_targets.first();
        const QString copy = m_work + QLatin1String("PLAYER.orvex");
        const int now = RevisionCounters::fileCounter(copy);
        const int before = m_expected.value(box, now);
        m_beforeSum = checksumOf(copy);
        m_boxChanged = now != before || m_beforeSum != m_expectedSum.value(box, m_beforeSum);
        // Raised above the counter that came meanwhile.
        m_expected.insert(box, now);
        m_fetchTries = 0;
        m_step = m_withInfo ? InfoFetch : BoxAsk;
        break;
    }
    case InfoFetch:
        if (fetchPlayer(m_targets.first(), QStringLiteral("INFO.orvex")) > 0)
            m_step = InfoCheck;
        break;
    case InfoCheck: {
        const QString copy = m_work + QLatin1String("INFO.orvex");
        m_infoBeforeSum = checksumOf(copy);
        if (m_revisions->infoChanged(m_targets.first(), copy))
            m_boxChanged = true;
        m_step = BoxAsk;
        break;
    }
    case BoxAsk:
        if (m_boxChanged && !m_revisions->ask(RevisionCounters::questionText())) {
            emit signalMessageOnlyOFF();
            stop();
            return;
        }
        m_step = RaiseList;
        break;
    case PutList:
        // Sent in the tick of the files' end: the other console's window stays short.
        StepDriver::follow(
            8, [this] { return m_lists->putOneStep(); },
            [this] { return put(m_work + QLatin1String("DATA/PLAYER.orvex"), QStringLiteral("PLAYER.orvex"), ReadBackStart); },
            [this] { return m_lists->putOneStep() != 3 && m_lists->putOneStep() != 0; });
        break;
    case ReadBackStart:
        m_readBack.start();
        m_readDamaged = false;
        m_fetchTries = 0;
        m_step = m_withPlayer ? ReadBack : ReadInfo;
        break;
    case ReadBack:
    case ReadInfo: {
        // A read with no answer, an error answer or a damaged copy is tried
        // again by ReadBack's rule, never taken for a connection error.
        const bool list = m_step == ReadBack;
        const int read = fetchPlayer(m_targets.first(), list ? QStringLiteral("PLAYER.orvex") : QStringLiteral("INFO.orvex"),
                                     true);
        if (read == 1) {
            m_step = list && m_withInfo ? ReadInfo : ReadBackCheck;
        } else if (read == 2) {
            // A page or a cut copy in the file's place, refused by the fetch.
            m_readDamaged = m_api->lastDownloadDamaged();
            m_readBack.failed();
            if (m_readBack.result() == ::ReadBack::Unchecked)
                unchecked();
            else
                m_step = m_withPlayer ? ReadBack : ReadInfo;
        }
        break;
    }
    case ReadBackCheck: {
        // Still the copy fetched before the send: the send did not arrive;
        // something else: another console's landed after it. The second read
        // catches an upload that was under way; one landing later still is
        // found by the next deployment or selection of the box.
        const QString box = m_targets.first();
        const QString read = checksumOf(m_work + QLatin1String("PLAYER.orvex"));
        const QString sent = checksumOf(m_work + QLatin1String("DATA/PLAYER.orvex"));
        const QString info = checksumOf(m_work + QLatin1String("DATA/INFO.orvex"));
        const bool listShown = !m_withPlayer || read == sent;
        const bool infoShown = !m_withInfo || checksumOf(m_work + QLatin1String("INFO.orvex")) == info;
        m_readBack.shown(listShown && infoShown);
        if (m_readBack.result() == ::ReadBack::Pending) {
            m_step = ReadWait;
            break;
        }
        if (m_readBack.result() != ::ReadBack::Shown) {
            // Told now: nothing left to tell at the next selection.
            m_revisions->dropSent(box);
            emit signalMessageOnlyOFF();
            stop();
            emit signalError(!listShown ? (read == m_beforeSum ? notArrivedText(box) : conflictText(box))
                                        : infoConflictText(box));
            return;
        }
        const bool selected = m_selected && box == m_selected();
        if (m_withPlayer)
            m_revisions->rememberPlayer(box, m_sent, selected, sent);
        if (m_withInfo)
            m_revisions->rememberInfo(box, info);
        m_step = BoxDone;
        break;
    }
    case ReadWait:
        if (m_readBack.wantsRead()) {
            m_readDamaged = false;
            m_fetchTries = 0;
            m_step = m_withPlayer ? ReadBack : ReadInfo;
        }
        break;
    case Rescan:
        emit signalDeployBox(QString());
        m_lists->setFolder(QString());
        m_api->setDoneFlag(4, false);
        m_api->setDownloadState(0);
        m_api->scanFile(m_selected ? m_selected() : QString());
        m_scan.Init(ScanMs);
        m_step = RescanWait;
        break;
    case RescanWait:
        if (m_api->doneFlag(4) || m_scan.expired())
            m_step = Done;
        break;
    case Done:
        emit signalMessageOnlyOFF();
        m_driver->stop();
        m_step = Choose;
        emit signalTermine();
        break;
    default:
        break;
    }
}

void BoxDeployment::unchecked()
{
    // Sent, but whether it is there is unknown: kept for the check of the
    // next selection or login, and believed there until then.
    const QString box = m_targets.first();
    const bool selected = m_selected && box == m_selected();
    if (m_withPlayer)
        m_revisions->rememberPlayer(box, m_sent, selected, checksumOf(m_work + QLatin1String("DATA/PLAYER.orvex")));
    if (m_withInfo)
        m_revisions->rememberInfo(box, checksumOf(m_work + QLatin1String("DATA/INFO.orvex")));
    QString text = uncheckedText(box, m_readDamaged);
    if (m_targets.size() > 1)
        text += QLatin1Char(' ') + tr("Le déploiement est arrêté: les écrans suivants gardent leur ancienne liste.");
    stop();
    emit signalMessageOnlyOFF();
    emit signalError(text);
}

QString BoxDeployment::uncheckedText(const QString &box, bool damaged)
{
    return (damaged ? tr("La liste de l'écran %1 a été envoyée mais n'a pas pu être vérifiée: la réponse du serveur "
                         "était endommagée.")
                    : tr("La liste de l'écran %1 a été envoyée mais n'a pas pu être vérifiée: le serveur n'a pas "
                         "répondu."))
               .arg(box)
        + QLatin1Char(' ') + tr("Elle sera vérifiée à la prochaine sélection de l'écran ou à la prochaine connexion.");
}

int BoxDeployment::fetchPlayer(const QString &box, const QString &name, bool readBack)
{
    // Its bookkeeping calls run together; the request in flight ends the tick.
    for (int pass = 0; pass < 4 && m_download; ++pass) {
        m_downloading = true;
        const bool in = m_download(m_work, name, box, QString());
        m_downloading = false;
        // A local file error ended the run.
        if (!running())
            return -1;
        // A box without a server copy yet reads as counter 0; a failed
        // exchange is tried again, then ends the run.
        if (in && (m_api->lastSucceeded(HttpFileApi::OpDownload) || m_api->lastDownloadMissing())) {
            if (m_api->lastDownloadMissing())
                QFile::remove(m_work + name);
            return 1;
        }
        // The copy could not be written here: no server trouble to try again.
        if (in && m_api->lastDownloadWriteFailed()) {
            writeFailed(m_work + name, m_api->lastFailure(HttpFileApi::OpDownload));
            return -1;
        }
        if (in && readBack)
            return 2;
        if (in && ++m_fetchTries >= FetchTries) {
            stop();
            emit signalMessageOnlyOFF();
            emit signalErreurConnexion(FetchErrorCode);
            return -1;
        }
        if (!in && m_api->requestsInFlight() > 0)
            break;
    }
    return 0;
}

QString BoxDeployment::changedText(const QStringList &boxes)
{
    return tr("Ces écrans ont été modifiés par un autre utilisateur: %1. Voulez-vous continuer?")
        .arg(boxes.join(QLatin1String(", ")));
}

void BoxDeployment::writeFailed(const QString &file, const QString &why)
{
    const QString box = m_targets.value(0);
    QString stopped;
    if (m_step == ReadBackStart || m_step == ReadBack || m_step == ReadInfo || m_step == ReadBackCheck
        || m_step == ReadWait)
        stopped = tr("La liste envoyée à l'écran %1 n'a pas pu être relue: le déploiement est arrêté.").arg(box);
    else if (m_uploaded)
        stopped = tr("Le déploiement est arrêté: l'écran %1 et les suivants gardent leur ancienne liste.").arg(box);
    else
        stopped = tr("Le déploiement est arrêté: rien n'a été envoyé aux écrans.");
    stop();
    emit signalMessageOnlyOFF();
    emit signalError(LocalWriteError::text(file, why) + QLatin1Char(' ') + stopped);
}

QString BoxDeployment::notArrivedText(const QString &box)
{
    return tr("La liste de l'écran %1 n'est pas arrivée sur le serveur: il a répondu sans l'enregistrer. "
              "L'écran garde son ancienne liste; refaites le déploiement.")
        .arg(box);
}

QString BoxDeployment::notLoadedText(const QString &box, const QString &why)
{
    return tr("L'écran %1 ne peut pas être déployé: son dossier n'a pas été chargé depuis le serveur (%2). "
              "Rien n'a été envoyé. Sélectionnez à nouveau l'écran pour le recharger.")
        .arg(box, why);
}

QString BoxDeployment::conflictText(const QString &box)
{
    return tr("L'écran %1 a été déployé par un autre utilisateur au même moment: votre liste n'y est pas. "
              "Sélectionnez à nouveau l'écran et refaites le déploiement.")
        .arg(box);
}

QString BoxDeployment::infoConflictText(const QString &box)
{
    return tr("Les informations de l'écran %1 ont été remplacées par celles d'un autre utilisateur au même moment: "
              "les vôtres n'y sont pas. Sélectionnez à nouveau l'écran et refaites le déploiement.")
        .arg(box);
}

QStringList BoxDeployment::ListFileFromFolder(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : names)
        qDebug().noquote() << QStringLiteral("Fichier %1 a envoye").arg(name);
    return names;
}

QStringList BoxDeployment::arrange(QStringList names)
{
    QStringList sent;
    bool player = false;
    for (const QString &name : names) {
        if (neverDeployed(name))
            continue;
        if (name == QLatin1String("PLAYER.orvex"))
            player = true;
        else
            sent << name;
    }
    if (player)
        sent << QStringLiteral("PLAYER.orvex");
    return sent;
}

void BoxDeployment::choiceLists(ClassParam *login, const QStringList &categoryItems, QStringList *names,
                                QStringList *elements)
{
    const QStringList categories = login->getInfoBalise(QStringLiteral("CATEGORYLIST")).split(QLatin1Char('|'));
    const QStringList rows = login->getInfoBalise(QStringLiteral("CATEGORYELEMENTS")).split(QLatin1Char('|'));
    for (const QString &item : categoryItems) {
        if (item == QLatin1String("PLAYLIST"))
            continue;
        *names << item;
        const int l = categories.indexOf(item);
        if (l >= 0 && l < rows.size())
            *elements << rows.at(l);
    }
}

bool BoxDeployment::checkPlayerVsMedia(const QString &work, const QString &indexPath)
{
    QList<QPair<QString, QString>> edits;
    if (!mediaEdits(work, indexPath, &edits))
        return false;
    if (!edits.isEmpty())
        ClassParam().setParamsCrypt(work + QLatin1String("DATA/PLAYER.orvex"), edits);
    return true;
}

bool BoxDeployment::mediaEdits(const QString &work, const QString &indexPath, QList<QPair<QString, QString>> *edits,
                               const QStringList &alsoKnown)
{
    ClassParam index;
    const QString filePath = index.getParamCrypt(indexPath.isEmpty() ? work + QLatin1String("TEMP/MEDIA.orvex") : indexPath,
                                                 QStringLiteral("FILEPATH"), 0);
    if (filePath == QLatin1String("NULL") || filePath == QLatin1String("PB_OPEN")
        || filePath == QLatin1String("FileError"))
        return false;
    // One lookup per poster medium, whatever the size of the library.
    const QStringList paths = filePath.split(QLatin1Char('|'));
    QSet<QString> known(paths.cbegin(), paths.cend());
    known.unite(QSet<QString>(alsoKnown.cbegin(), alsoKnown.cend()));
    const QString player = work + QLatin1String("DATA/PLAYER.orvex");
    ClassParam param;
    const auto pass = [&](const QString &nameKey, const QString &chkKey, bool emptyMissing) {
        const QString nameValue = param.getParamCrypt(player, nameKey, 0);
        if (nameValue == QLatin1String("NULL") || nameValue == QLatin1String("PB_OPEN"))
            return;
        QStringList names = nameValue.split(QLatin1Char('|'));
        const QString chkValue = param.getParamCrypt(player, chkKey, 0);
        QStringList chks = chkValue == QLatin1String("NULL") ? QStringList() : chkValue.split(QLatin1Char('|'));
        bool missing = false;
        for (int i = 0; i < names.size(); ++i) {
            const bool gone = names.at(i).isEmpty() ? emptyMissing : !known.contains(names.at(i));
            if (!gone)
                continue;
            missing = true;
            names[i].clear();
            if (i < chks.size())
                chks[i].clear();
        }
        if (missing)
            *edits << qMakePair(nameKey, names.join(QLatin1Char('|')))
                   << qMakePair(chkKey, chks.join(QLatin1Char('|')));
    };
    pass(QStringLiteral("SLIDENAMEIMAGE"), QStringLiteral("SLIDENAMEIMAGECHK"), true);
    pass(QStringLiteral("SLIDENAMEVIDEO"), QStringLiteral("SLIDENAMEVIDEOCHK"), false);
    pass(QStringLiteral("SLIDENAMETXT"), QStringLiteral("SLIDENAMETXTCHK"), true);
    return true;
}
