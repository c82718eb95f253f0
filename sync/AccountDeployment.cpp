#include "AccountDeployment.h"

#include "Checksum.h"
#include "ClassLog.h"
#include "ClassParam.h"
#include "HttpFileApi.h"
#include "KeptChanges.h"
#include "KeptLoginRows.h"
#include "ListTransfers.h"
#include "LocalWriteError.h"
#include "LoginRows.h"
#include "OperationJournal.h"
#include "RevisionCounters.h"
#include "SentMediaRecords.h"
#include "StepDriver.h"
#include "TransferLists.h"
#include "TransferPaths.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace {

void logLine(const QString &text)
{
    ClassLog().log(QStringLiteral("OrvexLog"), text);
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

AccountDeployment::AccountDeployment(HttpFileApi *api, ListTransfers *lists, RevisionCounters *revisions,
                                     ClassParam *login, QTimer *timer, QObject *parent)
    : JournalDeployment(api, timer, parent)
    , m_lists(lists)
    , m_revisions(revisions)
    , m_login(login)
{
}

QString AccountDeployment::loginChangedText()
{
    return tr("Le fichier des utilisateurs a été modifié par un autre administrateur; les données ont été "
              "rechargées, refaites vos modifications.");
}

QString AccountDeployment::loginNotStoredText()
{
    return tr("Le serveur n'a pas enregistré le fichier LoginCrypt.orvex: la modification de l'administration "
              "n'est pas appliquée. Elle reste à envoyer: validez à nouveau la page Administration.");
}

QString AccountDeployment::loginReplacedText()
{
    return tr("Le fichier LoginCrypt.orvex du serveur a été remplacé par celui d'un autre administrateur pendant "
              "l'envoi: la modification de l'administration n'y figure pas, elle reste à envoyer.");
}

QString AccountDeployment::loginUncheckedText()
{
    return tr("Le fichier LoginCrypt.orvex a été envoyé, mais le serveur n'a pas répondu à sa relecture: la "
              "modification de l'administration n'a pas pu être vérifiée. Elle le sera à la prochaine connexion.");
}

QString AccountDeployment::loginDamagedText()
{
    return tr("Le fichier LoginCrypt.orvex a été envoyé, mais la réponse du serveur à sa relecture était "
              "endommagée: la modification de l'administration n'a pas pu être vérifiée. Elle le sera à la "
              "prochaine connexion.");
}

QString AccountDeployment::serverLoginUnreadableText()
{
    return tr("Le fichier LoginCrypt.orvex du serveur n'a pas pu être lu (réponse endommagée): rien n'a été "
              "envoyé, vos modifications sont gardées. Validez à nouveau la page Administration pour les envoyer.");
}

bool AccountDeployment::loginFileWhole(const QString &path)
{
    if (QFileInfo(path).size() <= 0)
        return false;
    ClassParam check;
    const QString password = check.getParamCrypt(path, QStringLiteral("MOTDEPASSE"), 1);
    return password != QLatin1String("NULL") && password != QLatin1String("FileError")
        && password != QLatin1String("PB_OPEN");
}

bool AccountDeployment::CreateFilePlaylist(const QString &work, const QString &name, QString *error)
{
    QFile file(work + name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = QObject::tr("Impossible de créer le fichier %1: %2.").arg(file.fileName(), file.errorString());
        return false;
    }
    return true;
}

void AccountDeployment::start(int status)
{
    m_playlists = status == 1;
    m_loginRounds = 0;
    m_lostRows.clear();
    m_step = Begin;
    m_driver->start();
}

void AccountDeployment::folderOperationEnded()
{
    // Idle: a single step would leave the buttons off for good.
    if (m_timer->isActive())
        slotProcessDeployLogin();
}

void AccountDeployment::sequenceFailed()
{
    if (running())
        finish();
}

void AccountDeployment::finish()
{
    QFile::remove(serverBeforePath());
    emit signalDeployBox(QString());
    emit signalMessageOnlyOFF();
    m_step = Begin;
    m_driver->stop();
    emit signalFinished();
}

QString AccountDeployment::stoppedText() const
{
    if (m_step == LoginFetchStart || m_step == LoginFetch)
        return tr("Rien n'a été envoyé: la modification de l'administration reste à envoyer.");
    if (m_step >= ReadBackStart && m_step <= ReadBackSettle)
        return tr("Le fichier LoginCrypt.orvex envoyé n'a pas pu être relu: la modification de l'administration "
                  "reste à envoyer.");
    if (m_step >= Playlists)
        return tr("Les listes de lecture de l'écran %1 et des suivants n'ont pas été envoyées.")
            .arg(m_serials.value(0));
    return JournalDeployment::stoppedText();
}

bool AccountDeployment::writeMergeCopy(const QString &journal, const QString &copy, QString *why)
{
    // Kept records the fetched index lost go first, in their order.
    const QList<QStringList> again = SentMediaRecords::adminNotShown(
        fetchedPath(), SentMediaRecords::records(m_work, SentMediaRecords::Admin));
    QFile::remove(copy);
    if (again.isEmpty())
        return JournalDeployment::writeMergeCopy(journal, copy, why);
    logLine(QStringLiteral("MEDIA.orvex: %1 administration record(s) merged again").arg(again.size()));
    return OperationJournal::appendAll(copy, again + OperationJournal::records(journal), why);
}

bool AccountDeployment::settleJournal(const QString &journal, QString *file, QString *why)
{
    // What went up waits until a later fetch of the index shows it. Written
    // first: the journal keeps the records until this is on disk.
    const QList<QStringList> all = OperationJournal::records(journal);
    const QList<QStringList> merged = all.mid(0, all.size() - OperationJournal::records(journal, mergedCount()).size());
    if (!merged.isEmpty()
        && !SentMediaRecords::rewrite(m_work, SentMediaRecords::Admin,
                                      SentMediaRecords::records(m_work, SentMediaRecords::Admin) + merged, why)) {
        *file = SentMediaRecords::path(m_work);
        return false;
    }
    return JournalDeployment::settleJournal(journal, file, why);
}

void AccountDeployment::readBackLogin()
{
    if (!fetchFile(QStringLiteral("LoginCrypt.orvex")))
        return;
    const QString fetched = m_work + QLatin1String("TEMP/LoginCrypt.orvex");
    const bool missing = m_api->lastDownloadMissing();
    // Refused by the transfer's own check of a fetched file.
    const bool refused = m_api->lastDownloadDamaged();
    const bool answered =
        missing || refused || (m_api->lastSucceeded(HttpFileApi::OpDownload) && QFileInfo::exists(fetched));
    const QByteArray now = missing || refused || !answered ? QByteArray() : contentOf(fetched);
    // A proxy's page or a cut copy in the file's place: the server's answer,
    // not its file, is at fault; it is read again like a read with no answer.
    const bool damaged = refused || (answered && !missing && now != m_loginSent && !loginFileWhole(fetched));
    if (!answered || damaged) {
        QFile::remove(fetched);
        m_loginReadBack.failed();
        if (m_loginReadBack.result() != ::ReadBack::Unchecked) {
            logLine(QStringLiteral("LoginCrypt.orvex relu: %1, nouvel essai")
                        .arg(damaged ? QStringLiteral("réponse endommagée") : QStringLiteral("pas de réponse")));
            m_step = ReadBackStart;
            return;
        }
        // Sent, but whether the server holds it is not known: it stays to be
        // checked, and a new user's password waits for that check.
        logLine(damaged ? QStringLiteral("LoginCrypt.orvex relu: réponse endommagée, non vérifié")
                        : QStringLiteral("LoginCrypt.orvex relu: pas de réponse, non vérifié"));
        m_loginUnchecked =
            QString::fromLatin1(QCryptographicHash::hash(m_loginSent, QCryptographicHash::Md5).toHex().toUpper());
        m_driver->stop();
        finish();
        emit signalInformation(tr("Administration"), damaged ? loginDamagedText() : loginUncheckedText());
        return;
    }
    // The copy from before the upload (none when the server had none).
    const bool unchanged = QFileInfo::exists(serverBeforePath()) ? !missing && now == contentOf(serverBeforePath())
                                                                 : missing;
    // The whole file as sent; or another console's whole file, with every
    // row this console keeps, or with them put back and sent again.
    const RowsCheck rows = now == m_loginSent ? RowsShown : unchanged ? RowsNotShown : checkKeptRows(fetched);
    QFile::remove(fetched);
    if (rows == RowsEnded)
        return;
    if (rows == RowsPutBack) {
        m_step = PutLogin;
        return;
    }
    if (rows == RowsShown) {
        m_loginReadBack.shown(true);
        if (m_loginReadBack.result() == ::ReadBack::Pending) {
            m_step = ReadBackSettle;
            return;
        }
        QFile::remove(serverBeforePath());
        m_loginUnchecked.clear();
        m_loginReference =
            QString::fromLatin1(QCryptographicHash::hash(m_loginSent, QCryptographicHash::Md5).toHex().toUpper());
        // The next edit of the page starts from what the server now holds.
        if (QFileInfo::exists(basePath()))
            keepLoginBase();
        emit signalLoginStored(m_loginReference);
        tellLostRows();
        m_step = IndexFetch;
        return;
    }
    m_loginReadBack.shown(false);
    logLine(unchanged ? QStringLiteral("LoginCrypt.orvex relu: le serveur ne l'a pas enregistré")
                      : QStringLiteral("LoginCrypt.orvex relu: remplacé par un autre envoi"));
    m_driver->stop();
    finish();
    emit signalInformation(tr("Administration"), unchanged ? loginNotStoredText() : loginReplacedText());
    tellLostRows();
}

QString AccountDeployment::keptPath() const
{
    return KeptLoginRows::path(m_work);
}

void AccountDeployment::keepLoginBase()
{
    QFile::remove(basePath());
    if (QFile::copy(loginPath(), basePath()))
        m_loginBase = CalculChecksum(basePath());
    else
        m_loginBase = CalculChecksum(loginPath());
}

bool AccountDeployment::keepsRows() const
{
    KeptChanges kept(keptPath());
    return kept.load() && !kept.changes(KeptChanges::LoginRow).isEmpty();
}

bool AccountDeployment::keepEditedRows()
{
    LoginRows base;
    LoginRows edited;
    if (!QFileInfo::exists(basePath()) || CalculChecksum(basePath()) != m_loginBase || !base.read(basePath())
        || !edited.read(loginPath()))
        return false;
    KeptChanges kept(keptPath());
    QString why;
    kept.load(&why);
    KeptLoginRows::record(kept, base, edited);
    if (!kept.save(&why)) {
        writeFailed(keptPath(), why);
        return false;
    }
    return true;
}

bool AccountDeployment::keepSentRows()
{
    LoginRows before;
    LoginRows sent;
    if (QFileInfo::exists(serverBeforePath()) && !before.read(serverBeforePath())) {
        writeFailed(serverBeforePath(), tr("fichier illisible"));
        return false;
    }
    if (!sent.read(loginPath())) {
        writeFailed(loginPath(), tr("fichier illisible"));
        return false;
    }
    KeptChanges kept(keptPath());
    QString why;
    // A damaged record is set aside: what goes now is kept afresh.
    kept.load(&why);
    const KeptChanges::Check check =
        kept.check(KeptChanges::LoginRow, [&before](const KeptChanges::Change &c) { return before.state(c.key); });
    // The server's copy shows these: settled.
    kept.drop(check.shown);
    // Changed since by another console: named, never overwritten.
    for (const KeptChanges::Change &c : check.overtaken)
        m_lostRows << LoginRows::lostText(c.key, before.state(c.key));
    kept.drop(check.overtaken);
    // Lost on the server since they were sent (another console's late
    // upload, or one still held when this console was closed): put back,
    // unless this file changed the row again.
    bool putBack = false;
    for (const KeptChanges::Change &c : check.missing) {
        const QString local = sent.state(c.key);
        if (local == c.before && local.isNull() == c.before.isNull()) {
            sent.setState(c.key, c.after);
            putBack = true;
        }
    }
    if (putBack && !sent.write(loginPath(), &why)) {
        writeFailed(loginPath(), why);
        return false;
    }
    if (putBack)
        sent.read(loginPath());
    KeptLoginRows::record(kept, before, sent);
    if (!kept.save(&why)) {
        writeFailed(keptPath(), why);
        return false;
    }
    return true;
}

AccountDeployment::RowsCheck AccountDeployment::checkKeptRows(const QString &fetched)
{
    KeptChanges kept(keptPath());
    LoginRows server;
    if (!kept.load() || !server.read(fetched))
        return RowsNotShown;
    const KeptChanges::Check check =
        kept.check(KeptChanges::LoginRow, [&server](const KeptChanges::Change &c) { return server.state(c.key); });
    // Changed since by another console: named, never overwritten.
    for (const KeptChanges::Change &c : check.overtaken)
        m_lostRows << LoginRows::lostText(c.key, server.state(c.key));
    kept.drop(check.overtaken);
    QString why;
    if (!kept.save(&why)) {
        writeFailed(keptPath(), why);
        return RowsEnded;
    }
    if (check.missing.isEmpty())
        return RowsShown;
    if (++m_loginRounds >= MergeRounds)
        return RowsNotShown;
    // Put back on the server's file: that file is now the one this console
    // sends, and the copy it replaces on the server.
    for (const KeptChanges::Change &c : check.missing)
        server.setState(c.key, c.after);
    const QString merged = m_work + QLatin1String("TEMP/LoginCrypt-fusion.orvex");
    QFile::remove(merged);
    if (!LocalWriteError::copy(fetched, serverBeforePath(), &why)) {
        writeFailed(serverBeforePath(), why);
        return RowsEnded;
    }
    if (!LocalWriteError::copy(fetched, merged, &why) || !server.write(merged, &why)
        || !LocalWriteError::copy(merged, loginPath(), &why)) {
        QFile::remove(merged);
        writeFailed(loginPath(), why);
        return RowsEnded;
    }
    QFile::remove(merged);
    logLine(QStringLiteral("LoginCrypt.orvex relu: remplacé par un autre envoi, %1 ligne(s) remise(s)")
                .arg(check.missing.size()));
    return RowsPutBack;
}

void AccountDeployment::tellLostRows()
{
    if (m_lostRows.isEmpty())
        return;
    const QString text = lostRowsText(m_lostRows);
    m_lostRows.clear();
    emit signalInformation(tr("Administration"), text);
}

QString AccountDeployment::lostRowsText(const QStringList &lost)
{
    return tr("Ces modifications de l'administration n'ont pas pu être gardées: %1.").arg(lost.join(QLatin1String("; ")));
}

void AccountDeployment::slotProcessDeployLogin()
{
    m_driver->run(
        [this] {
            if (!mustWait())
                runStep();
        },
        [this] { return m_step; });
}

void AccountDeployment::runStep()
{
    logLine(QStringLiteral("indiceDeployLogin=") + QString::number(m_step));
    switch (m_step) {
    case Begin:
        m_step = Announce;
        break;
    case Announce:
        emit signalBegin();
        emit signalMessageOnlyON(tr("Connexion en cours..."), 0, 0, false, true);
        m_step = CheckLogin;
        break;
    case CheckLogin: {
        // An empty or damaged login file on the server stops every login of
        // the account: it never leaves.
        ClassParam check;
        const QString password =
            check.getParamCrypt(m_work + QLatin1String("LoginCrypt.orvex"), QStringLiteral("MOTDEPASSE"), 1);
        if (password == QLatin1String("NULL") || password == QLatin1String("FileError")
            || password == QLatin1String("PB_OPEN")) {
            logLine(QStringLiteral("LoginCrypt.orvex non envoyé: ") + password);
            emit signalInformation(tr("Déploiement"), tr("Le fichier LoginCrypt.orvex est vide ou endommagé: il "
                                                          "n'a pas été envoyé."));
            finish();
            break;
        }
        m_api->lists()->clearTransferFiles();
        m_lists->setFolder(QString());
        m_revisions->AjouteIDfileMedia();
        m_step = LoginFetchStart;
        break;
    }
    case LoginFetchStart:
        // Another administrator's save must not be overwritten unseen.
        QFile::remove(m_work + QLatin1String("TEMP/LoginCrypt.orvex"));
        m_step = LoginFetch;
        break;
    case LoginFetch: {
        if (!fetchFile(QStringLiteral("LoginCrypt.orvex")))
            break;
        const QString fetched = m_work + QLatin1String("TEMP/LoginCrypt.orvex");
        QFile::remove(serverBeforePath());
        if (m_api->lastDownloadMissing()) {
            if (keepSentRows())
                m_step = PutLogin;
        } else if (!m_api->lastDownloadDamaged()
                   && (!m_api->lastSucceeded(HttpFileApi::OpDownload) || !QFileInfo::exists(fetched))) {
            m_driver->stop();
            emit signalErreurConnexion(LoginFetchErrorCode);
            finish();
        } else if (m_api->lastDownloadDamaged() || !loginFileWhole(fetched)) {
            // A page or a cut copy in the file's place never replaces the
            // local file: the edit stays to be sent.
            logLine(QStringLiteral("LoginCrypt.orvex du serveur illisible: rien n'est envoyé, rien n'est rechargé"));
            m_driver->stop();
            finish();
            emit signalInformation(tr("Administration"), serverLoginUnreadableText());
        } else if (const QString md5 = CalculChecksum(fetched); m_loginReference.isEmpty() || md5 == m_loginReference
                   || md5 == m_loginBase || md5 == m_loginUnchecked) {
            // Kept: a read-back equal to it tells an upload the server did not store.
            QFile::rename(fetched, serverBeforePath());
            if (keepSentRows())
                m_step = PutLogin;
        } else if (const bool edited = keepEditedRows(); running() && (edited || keepsRows())) {
            // Another console's save came in between: this page's edit goes
            // on the server's copy, as rows, with the rows kept from before.
            if (QString why; !LocalWriteError::copy(fetched, loginPath(), &why)) {
                writeFailed(loginPath(), why);
            } else {
                logLine(QStringLiteral("LoginCrypt.orvex modifié sur le serveur: modification reportée sur sa copie"));
                QFile::rename(fetched, serverBeforePath());
                if (keepSentRows())
                    m_step = PutLogin;
            }
        } else if (QString why; running() && !LocalWriteError::copy(fetched, loginPath(), &why)) {
            // The local file is as it was: nothing was reloaded.
            writeFailed(loginPath(), why);
        } else if (running()) {
            m_loginReference = CalculChecksum(loginPath());
            logLine(QStringLiteral("LoginCrypt.orvex modifié sur le serveur: rien n'est envoyé, rechargé"));
            m_driver->stop();
            finish();
            emit signalLoginChanged();
        }
        QFile::remove(fetched);
        break;
    }
    case PutLogin:
        if (m_lists->FtpPutOneFile(loginPath(), QStringLiteral("LoginCrypt.orvex"))) {
            logLine(QStringLiteral("FtpPutOneFile=ok"));
            m_loginSent = contentOf(loginPath());
            m_loginReadBack.start();
            m_step = ReadBackStart;
        }
        break;
    case ReadBackStart:
        QFile::remove(m_work + QLatin1String("TEMP/LoginCrypt.orvex"));
        m_step = ReadBack;
        break;
    case ReadBack:
        readBackLogin();
        break;
    case ReadBackSettle:
        // Another console's upload that started earlier may land late.
        if (m_loginReadBack.wantsRead())
            m_step = ReadBackStart;
        break;
    case IndexFetch:
        if (fetchIndex())
            m_step = Merge;
        break;
    case Merge:
        if (mergeFetchedIndex(QStringLiteral("INFOADMIN.orvex"), "timerDeployLogin"))
            m_step = CheckBeforeUpload;
        break;
    case CheckBeforeUpload:
        // Another console's index may have gone up since the fetch.
        stepOn(checkBeforeUpload(), PutIndex, Merge);
        break;
    case PutIndex:
        if (m_lists->FtpPutOneFile(indexPath(), QStringLiteral("MEDIA.orvex")))
            m_step = IndexReadBack;
        break;
    case IndexReadBack:
        stepOn(readBack(), Playlists, Merge);
        break;
    case Playlists:
        m_step = m_playlists ? ReadPlaylists : Done;
        break;
    case ReadPlaylists: {
        m_login->getParamCrypt(m_work + QLatin1String("LoginCrypt.orvex"), QStringList{QStringLiteral("ALL")}, 0);
        const QString serials = m_login->getInfoBalise(QStringLiteral("PLAYERLIST"));
        const QString rows = m_login->getInfoBalise(QStringLiteral("PLAYERLISTTOPLAYLIST"));
        m_serials = serials == QLatin1String("NULL") || serials.isEmpty() ? QStringList() : serials.split(QLatin1Char('|'));
        m_rows = rows == QLatin1String("NULL") ? QStringList() : rows.split(QLatin1Char('|'));
        m_step = NextBox;
        break;
    }
    case NextBox:
        m_step = m_serials.isEmpty() ? Done : WritePlaylist;
        break;
    case WritePlaylist: {
        // A serial of the login file must name a folder of this account.
        if (!TransferPaths::isPlainName(m_serials.first())) {
            logLine(QStringLiteral("PLAYLIST.orvex non envoyé: ") + TransferPaths::refusedText(m_serials.first()));
            emit signalInformation(tr("Playlist"), TransferPaths::refusedText(m_serials.first()));
            m_step = BoxDone;
            break;
        }
        QString why;
        ClassParam playlist;
        const QString file = m_work + QLatin1String("TEMP/PLAYLIST.orvex");
        if (!CreateFilePlaylist(m_work, QStringLiteral("TEMP/PLAYLIST.orvex"), &why)
            || !playlist.setParamsCrypt(file, {{QStringLiteral("PLAYLIST"), playlistValue(m_rows.value(0))}}, &why)) {
            // Never send the previous box's playlists to this one.
            writeFailed(file, why);
            break;
        }
        m_step = BoxFolder;
        break;
    }
    case BoxFolder:
        emit signalDeployBox(m_serials.first());
        m_lists->setFolder(m_serials.first());
        m_step = PutPlaylist;
        break;
    case PutPlaylist:
        if (m_lists->FtpPutOneFile(m_work + QLatin1String("TEMP/PLAYLIST.orvex"), QStringLiteral("PLAYLIST.orvex")))
            m_step = BoxDone;
        break;
    case BoxDone:
        m_serials.removeFirst();
        if (!m_rows.isEmpty())
            m_rows.removeFirst();
        m_step = NextBox;
        break;
    default:
        // Only the normal end gets here: a failed transfer or merge ends
        // the machine through finish() alone.
        emit signalDeployed(m_playlists ? 1 : 0);
        finish();
        if (readBackUnchecked())
            emit signalCorrupt(uncheckedText(readBackDamaged()));
        break;
    }
}
