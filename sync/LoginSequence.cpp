#include "LoginSequence.h"

#include "PendingAdminDeploy.h"

#include "ClassLog.h"
#include "ClassParam.h"
#include "HttpFileApi.h"
#include "KeptChanges.h"
#include "KeptLoginRows.h"
#include "LoginRows.h"
#include "MediaAlignment.h"
#include "OperationJournal.h"
#include "PendingAdminDeploy.h"
#include "RevisionCounters.h"
#include "SentBoxesCheck.h"
#include "SentMediaRecords.h"
#include "SessionDialogs.h"
#include "SideFiles.h"
#include "TransferPaths.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace {

const QString kNull = QStringLiteral("NULL");

void logLine(const QString &text)
{
    ClassLog().log(QStringLiteral("OrvexLog"), text);
}

// A name the file system refuses (too long, say) would fail the download,
// and so the login, every time: such an entry is skipped like a bad one.
bool creatable(const QString &folder, const QString &name)
{
    const QString path = folder + QLatin1Char('/') + name;
    if (QFileInfo::exists(path))
        return true;
    QDir().mkpath(folder);
    QFile probe(path);
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();
    probe.remove();
    return true;
}

bool isSet(const QString &value)
{
    return value != kNull && !value.isEmpty();
}

} // namespace

LoginSequence::LoginSequence(HttpFileApi *api, MediaAlignment *media, RevisionCounters *revisions,
                             ClassParam *loginFile, ClassParam *mediaIndex, ClassParam *accountFile,
                             SessionDialogs *dialogs, QTimer *timer, QObject *parent)
    : QObject(parent)
    , m_api(api)
    , m_media(media)
    , m_revisions(revisions)
    , m_loginFile(loginFile)
    , m_mediaIndex(mediaIndex)
    , m_accountFile(accountFile)
    , m_dialogs(dialogs)
    , m_timer(timer)
    , m_boxCheck(new SentBoxesCheck(api, revisions, this))
{
    // The deployments download through the same object: only an error of
    // the login's own download restarts the login.
    connect(media, &MediaAlignment::signalError, this, [this](QString text) {
        m_boxCheck->downloadFailed();
        if (m_fetching)
            ErreurLoginUtilisateur(text);
    });
    m_boxCheck->setDownloader([this](QString local, QString name, QString folder, QString sum) {
        return m_media->slotTelechargerFichier(local, name, folder, sum);
    });
}

QString LoginSequence::unreadableServerFile(const QString &name)
{
    return tr("Le fichier %1 du serveur est illisible ou endommagé!!!").arg(name);
}

void LoginSequence::setAccount(const QString &name, const QString &localRoot, int mediaSize)
{
    m_accountName = name;
    m_localRoot = localRoot;
    m_mediaSize = mediaSize;
    // Quotas are counted in Mo of a million bytes.
    m_media->setQuotaBytes(qint64(mediaSize) * 1000000);
}

void LoginSequence::ErreurLoginUtilisateur(QString text)
{
    m_timer->stop();
    m_step = 0;
    m_checkingBoxes = false;
    m_media->reset();
    m_dialogs->error(text);
    m_timer->start();
    logLine(QStringLiteral("ErreurLoginUtilisateur: ") + text);
}

void LoginSequence::slotUpdateMediaFinish()
{
    m_api->setDoneFlag(11, true);
}

bool LoginSequence::fetch(const QString &localFolder, const QString &name, const QString &serverFolder,
                          const QString &sum)
{
    m_fetching = true;
    const bool in = m_media->slotTelechargerFichier(localFolder, name, serverFolder, sum);
    m_fetching = false;
    return in;
}

bool LoginSequence::passwordOk() const
{
    const QStringList users = m_loginFile->getInfoBalise(QStringLiteral("USERLIST")).split(QLatin1Char('|'));
    const QStringList passwords = m_loginFile->getInfoBalise(QStringLiteral("USERPASSWORD")).split(QLatin1Char('|'));
    const int i = users.indexOf(m_user);
    // A row never set ("" or "NULL") opens nothing; the main user's own
    // password stands in for it.
    if (i >= 0 && i < passwords.size() && isSet(passwords.at(i)))
        return passwords.at(i) == m_password;
    return m_user == m_loginFile->getInfoBalise(QStringLiteral("UTILISATEUR"))
        && m_password == m_loginFile->getInfoBalise(QStringLiteral("MOTDEPASSE"));
}

void LoginSequence::saveLogin()
{
    m_timer->stop();
    const bool save = m_dialogs->ask(tr("Voulez-vous enregistrer vos informations?"));
    if (save) {
        const QString file = m_work + QLatin1String("CONNEXION.txt");
        m_accountFile->setParamCrypt(file, QStringLiteral("USERLOGIN"), m_user);
        m_accountFile->setParamCrypt(file, QStringLiteral("PASSWORDLOGIN"), m_password);
    }
    m_timer->start();
    logLine(save ? QStringLiteral("SaveLoginUtilisateur=OUI") : QStringLiteral("SaveLoginUtilisateur=NON"));
}

void LoginSequence::removeStaleSideFiles()
{
    // Copies a kill cut short, here and, in local mode, in the account's tree.
    int removed = SideFiles::removeStale(m_work);
    if (m_api->localMode())
        removed += SideFiles::removeStale(TransferPaths::localPath(
            m_api->localPath(), TransferPaths::accountFolder(m_api->accountFolder()), QString()));
    if (removed > 0)
        logLine(QStringLiteral("Copies inachevées retirées: %1").arg(removed));
}

void LoginSequence::forgetRefusedAccount()
{
    if (!m_forgetRefused)
        return;
    const QString connexion = m_work + QLatin1String("CONNEXION.txt");
    QFile file(connexion);
    if (file.open(QIODevice::ReadOnly)) {
        m_heldAccountFile = file.readAll();
        m_holdingAccountFile = true;
        file.close();
    }
    QFile::remove(connexion);
    QFile::remove(m_work + QLatin1String("LoginCrypt.orvex"));
    logLine(QStringLiteral("Connexion refusée: CONNEXION.txt et LoginCrypt.orvex retirés du dossier de travail"));
}

// The account is the user's after all: its file goes back for the next start.
void LoginSequence::restoreAccountFile()
{
    if (!m_holdingAccountFile)
        return;
    QFile file(m_work + QLatin1String("CONNEXION.txt"));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(m_heldAccountFile) == m_heldAccountFile.size()
        && file.flush()) {
        m_holdingAccountFile = false;
        m_heldAccountFile.clear();
    } else {
        logLine(QStringLiteral("Impossible de remettre CONNEXION.txt: ") + file.errorString());
    }
}

void LoginSequence::applyRights()
{
    const auto rows = [this](const char *key) {
        const QString value = m_loginFile->getInfoBalise(QString::fromLatin1(key));
        return value == kNull ? QStringList() : value.split(QLatin1Char('|'));
    };
    const QStringList users = rows("USERLIST");
    const int i = users.indexOf(m_user);
    // Only the account's main user (step 6 let no other unlisted name in)
    // and a listed user typed as an administrator may administer.
    m_administrator = i < 0;
    if (i < 0) {
        m_api->setDoneFlag(4, false);
        m_api->scanFile(QString());
        m_timeout.Init(ScanMs);
        emit signalHideCategories();
        m_step = 23;
        return;
    }
    const QStringList play = rows("PLAYPERMISSION");
    if (i < play.size() && !play.at(i).isEmpty())
        emit signalCategories(play.at(i).split(QLatin1Char(';')));
    // A user without a rights row is granted nothing.
    const QStringList permissions = rows("USERPERMISSION");
    emit signalPermission(i < permissions.size() ? permissions.at(i) : QString());
    const QStringList types = rows("USERTYPE");
    if (i < types.size()) {
        m_userType = types.at(i);
        m_administrator = m_userType == QLatin1String("ADMIN") || m_userType == QLatin1String("ADMINISTRATEUR");
    }
    m_step = 25;
}

QStringList LoginSequence::unpublishedMedia(QStringList *imports, QStringList *removals) const
{
    const QString journal = m_work + QLatin1String("TEMP/INFOMEDIA.orvex");
    QStringList lines;
    if (!QFile::exists(journal))
        return lines;
    ClassParam read;
    const int count = read.getParamCrypt(journal, OperationJournal::countKey(), 0).toInt();
    for (int k = 1; k <= count && k <= 100000; ++k) {
        const QStringList fields = read.getParamCrypt(journal, OperationJournal::recordKey(k), 0).split(QLatin1Char('|'));
        if (fields.size() < 2 || fields.at(1).isEmpty())
            continue;
        const QString path = TransferPaths::printable(fields.at(1));
        if (fields.first() == QLatin1String("AJOUTER")) {
            lines << tr("- import de %1").arg(path);
            if (imports && MediaAlignment::isMediaPath(fields.at(1)))
                imports->append(fields.at(1));
        } else if (fields.first() == QLatin1String("SUPPRIMER")) {
            lines << tr("- suppression de %1").arg(path);
            if (removals && MediaAlignment::isMediaPath(fields.at(1)))
                removals->append(fields.at(1));
        } else if (fields.first() == QLatin1String("PERMISSION")) {
            lines << tr("- autorisations de %1").arg(path);
        }
    }
    return lines;
}

void LoginSequence::prepareLeftover(const QStringList &imports, const QStringList &removals)
{
    static const char *const kinds[3] = {"IMAGE/", "VIDEO/", "TEXT/"};
    for (QStringList &list : m_leftover)
        list.clear();
    for (int k = 0; k < 3; ++k) {
        const QLatin1String folder(kinds[k]);
        // The server may have the file or not: sent again from the local
        // copy, the merge then lists it once.
        for (const QString &path : imports) {
            if (path.startsWith(folder) && QFileInfo(m_work + path).isFile())
                m_leftover[2 * k] << path;
        }
        for (const QString &path : removals) {
            if (path.startsWith(folder))
                m_leftover[2 * k + 1] << path.mid(folder.size());
        }
    }
    // A removal not yet published must not come back from the server.
    for (const QString &path : removals) {
        int i;
        while ((i = m_paths.indexOf(path)) >= 0) {
            m_paths.removeAt(i);
            if (i < m_sums.size())
                m_sums.removeAt(i);
            if (i < m_sizes.size())
                m_sizes.removeAt(i);
        }
    }
    m_leftoverPending = true;
}

void LoginSequence::mediaRunEnded()
{
    if (!m_publishingLeftover)
        return;
    m_publishingLeftover = false;
    // Only what the run was to publish: an import made since waits for its own.
    QStringList unpublished;
    for (const QString &line : unpublishedMedia()) {
        if (m_leftoverLines.contains(line))
            unpublished << line;
    }
    if (unpublished.isEmpty())
        return;
    logLine(QStringLiteral("Journal des médias non publié conservé: ") + unpublished.join(QStringLiteral(", ")));
    const QString text = tr("Ces opérations sur les médias n'ont pas été publiées sur le serveur:") + QLatin1Char('\n')
                         + unpublished.join(QLatin1Char('\n')) + QLatin1Char('\n')
                         + tr("Leur journal et les fichiers importés sont conservés sur ce poste.");
    m_dialogs->message(tr("Médias"), text, false);
}

void LoginSequence::slotLoginUtilisateur()
{
    // Steps that need no wait run on in the same tick, for a few ms at most:
    // 2,000 media files must not take 2,000 x several ticks.
    QElapsedTimer slice;
    slice.start();
    for (;;) {
        const int before = m_step;
        const int media = m_media->downloadStep();
        step();
        const bool moved = m_step != before || m_media->downloadStep() != media;
        if (!moved || !m_timer->isActive() || m_step == 0 || slice.elapsed() >= SliceMs)
            break;
    }
}

bool LoginSequence::unsentOnServer() const
{
    QFile fetched(m_work + QLatin1String("LoginCrypt.orvex"));
    return !m_unsent.isEmpty() && fetched.open(QIODevice::ReadOnly) && fetched.readAll() == m_unsent;
}

LoginSequence::KeptRows LoginSequence::settleKeptRows(bool settle)
{
    KeptChanges kept(KeptLoginRows::path(m_work));
    LoginRows server;
    QString why;
    if (!kept.load(&why)) {
        logLine(why);
        return KeptRows::None;
    }
    if (kept.changes(KeptChanges::LoginRow).isEmpty() || !server.read(m_work + QLatin1String("LoginCrypt.orvex")))
        return KeptRows::None;
    const KeptChanges::Check check =
        kept.check(KeptChanges::LoginRow, [&server](const KeptChanges::Change &c) { return server.state(c.key); });
    const KeptRows rows = check.missing.isEmpty() ? KeptRows::Shown : KeptRows::Missing;
    // Only an administrator's login settles them: another user's leaves
    // them for the next administrator at this console.
    if (!settle)
        return rows;
    QStringList lost;
    for (const KeptChanges::Change &c : check.overtaken)
        lost << LoginRows::lostText(c.key, server.state(c.key));
    kept.drop(check.shown);
    kept.drop(check.overtaken);
    if (!kept.save(&why))
        logLine(why);
    QStringList missing;
    for (const KeptChanges::Change &c : check.missing)
        missing << LoginRows::rowName(c.key);
    if (!missing.isEmpty()) {
        // Put back by an account deployment once the login is over.
        emit signalLoginRowsToSend();
        lost.prepend(tr("le fichier du serveur ne montre plus %1: ces lignes y sont remises")
                         .arg(missing.join(QLatin1String(", "))));
    }
    if (!lost.isEmpty())
        m_dialogs->message(tr("Administration"),
                           tr("Modifications de l'administration faites sur ce poste: %1.")
                               .arg(lost.join(QLatin1String("; "))),
                           false);
    return rows;
}

void LoginSequence::step()
{
    switch (m_step) {
    case 0:
        m_administrator = false;
        m_leftoverPending = false;
        m_api->setDoneFlag(1, false);
        m_media->reset();
        removeStaleSideFiles();
        emit signalMessageSimpleOFF();
        emit signalMessageOnlyOFF();
        m_step = 1;
        break;
    case 1:
        // An administration change that never reached the server: the
        // server's copy replaces the file, so the unsent one is kept aside.
        if (PendingAdminDeploy::isPending(m_work) && m_unsent.isNull()) {
            QFile unsent(m_work + QLatin1String("LoginCrypt.orvex"));
            m_unsent = unsent.open(QIODevice::ReadOnly) ? unsent.readAll() : QByteArray("");
            m_unsentKept = !QFile::exists(PendingAdminDeploy::keptCopy(m_work))
                && QFile::copy(unsent.fileName(), PendingAdminDeploy::keptCopy(m_work));
        }
        m_timeout.Init(LoginFileMs);
        m_step = 2;
        break;
    case 2:
        if (fetch(m_work.left(m_work.size() - 1), QStringLiteral("LoginCrypt.orvex"), QString(), QString()))
            m_step = 3;
        else if (m_timeout.expired())
            ErreurLoginUtilisateur(QStringLiteral("Vérifiez votre connexion internet s.v.p!!!"));
        break;
    case 3:
        m_step = 4;
        break;
    case 4: {
        *m_loginFile = ClassParam();
        m_loginFile->getParamCrypt(m_work + QLatin1String("LoginCrypt.orvex"), QStringList{QStringLiteral("ALL")}, 0);
        if (m_loginFile->getInfoBalise(QStringLiteral("MOTDEPASSE")) == kNull) {
            // The connection worked when the server answered with a file: a
            // page in its place (an HTML error page answered 200) or a
            // damaged copy is the server file's fault.
            const bool arrived = m_api->lastDownloadDamaged()
                || (m_api->lastSucceeded(HttpFileApi::OpDownload)
                    && QFileInfo::exists(m_work + QLatin1String("LoginCrypt.orvex")));
            ErreurLoginUtilisateur(arrived ? unreadableServerFile(QStringLiteral("LoginCrypt.orvex"))
                                   : m_api->lastDownloadTooLarge()
                                   ? HttpFileApi::tooLargeText(QStringLiteral("LoginCrypt.orvex"))
                                   : QStringLiteral("Vérifiez votre connexion internet s.v.p!!!"));
            break;
        }
        const KeptRows rows = settleKeptRows(false);
        if (PendingAdminDeploy::isPending(m_work) && (unsentOnServer() || rows == KeptRows::Shown)) {
            // Killed after it reached the server: only the playlist files may be missing.
            const bool playlists = PendingAdminDeploy::playlistsPending(m_work);
            PendingAdminDeploy::clear(m_work);
            if (m_unsentKept)
                QFile::remove(PendingAdminDeploy::keptCopy(m_work));
            logLine(QStringLiteral("Modification de l'administration déjà sur le serveur"));
            if (playlists)
                m_dialogs->message(tr("Administration"),
                                   tr("La dernière modification de l'administration est sur le serveur, mais les "
                                      "listes de lecture des écrans n'avaient pas été envoyées avant la fermeture: "
                                      "modifiez une liste de lecture dans la page Administration pour les envoyer."),
                                   false);
        } else if (PendingAdminDeploy::isPending(m_work) && rows == KeptRows::Missing) {
            // Still on its way (held by the server when this console was
            // closed) or replaced since: the rows it changed go again.
            PendingAdminDeploy::clear(m_work);
            if (m_unsentKept)
                QFile::remove(PendingAdminDeploy::keptCopy(m_work));
            logLine(QStringLiteral("Modification de l'administration pas encore sur le serveur: renvoyée"));
        } else if (PendingAdminDeploy::isPending(m_work)) {
            PendingAdminDeploy::clear(m_work);
            logLine(QStringLiteral("Modification de l'administration non envoyée: abandonnée"));
            m_dialogs->message(tr("Administration"),
                               tr("La dernière modification de l'administration n'avait pas été envoyée au serveur "
                                  "avant la fermeture: elle n'est pas appliquée, le fichier du serveur est utilisé.\n"
                                  "Le fichier non envoyé est gardé dans %1.")
                                   .arg(QDir::toNativeSeparators(PendingAdminDeploy::keptCopy(m_work))),
                               false);
        }
        m_unsent = QByteArray();
        m_unsentKept = false;
        m_step = 5;
        break;
    }
    case 5: {
        const QString saved = m_accountFile->getInfoBalise(QStringLiteral("USERLOGIN"));
        logLine(QStringLiteral("***Nom du Compte: ") + m_accountName);
        logLine(QStringLiteral("***  Utilisateur: ") + m_user);
        logLine(QStringLiteral("*** Chemin Local: ") + m_localRoot);
        m_typed = false;
        m_savedUser = !m_askAgain && isSet(saved);
        if (m_savedUser) {
            m_user = saved;
        } else {
            m_user = m_dialogs->askText(QLatin1Char('[') + m_accountName + QStringLiteral("] ") + tr("Utilisateur:"),
                                        false);
            m_typed = true;
        }
        m_step = 6;
        break;
    }
    case 6: {
        // A saved name is checked like a typed one: a removed user is refused.
        const QStringList users = m_loginFile->getInfoBalise(QStringLiteral("USERLIST")).split(QLatin1Char('|'));
        if (!users.contains(m_user) && m_user != m_loginFile->getInfoBalise(QStringLiteral("UTILISATEUR"))) {
            // A refused saved login is not tried again: the keyboards ask.
            m_askAgain = m_askAgain || m_savedUser;
            forgetRefusedAccount();
            ErreurLoginUtilisateur(QStringLiteral("Ce nom d'utilisateur n'est pas enregistré!!!"));
            break;
        }
        m_step = 7;
        break;
    }
    case 7: {
        const QString saved = m_accountFile->getInfoBalise(QStringLiteral("PASSWORDLOGIN"));
        m_savedPassword = !m_askAgain && isSet(saved);
        if (m_savedPassword) {
            m_password = saved;
        } else {
            m_password = m_dialogs->askText(tr("Mot de passe:"), true);
            m_typed = true;
        }
        m_step = 8;
        break;
    }
    case 8:
        if (!passwordOk()) {
            m_askAgain = m_askAgain || m_savedUser || m_savedPassword;
            forgetRefusedAccount();
            ErreurLoginUtilisateur(QStringLiteral("Mot de passe non correct!!!"));
            break;
        }
        m_step = 9;
        break;
    case 9:
        restoreAccountFile();
        if (m_typed)
            saveLogin();
        m_step = 10;
        break;
    case 10: {
        restoreAccountFile();
        // The journals stay until a readable media index has arrived.
        const QDir temp(m_work + QLatin1String("TEMP"));
        for (const QString &name : temp.entryList(QDir::Files | QDir::Hidden)) {
            if (name != QLatin1String("INFOMEDIA.orvex") && name != QLatin1String("INFOADMIN.orvex")
                && name != SentMediaRecords::oldFileName(SentMediaRecords::Media)
                && name != SentMediaRecords::oldFileName(SentMediaRecords::Admin)
                && !(name.startsWith(QLatin1String("KEPT-")) && name.endsWith(QLatin1String(".json"))))
                QFile::remove(temp.filePath(name));
        }
        m_step = 11;
        break;
    }
    case 11:
        emit signalUserButton(m_user);
        m_kept.clear();
        m_step = 12;
        break;
    case 12:
        if (fetch(m_work + QLatin1String("TEMP"), QStringLiteral("MEDIA.orvex"), QString(), QString()))
            m_step = 13;
        break;
    case 13: {
        const QString index = m_work + QLatin1String("TEMP/MEDIA.orvex");
        *m_mediaIndex = ClassParam();
        m_indexRead = QFile::exists(index)
            && m_mediaIndex->getParamCrypt(index, QStringList{QStringLiteral("ALL")}, 0)
            && m_mediaIndex->getInfoBalise(QStringLiteral("FILEPATH")) != kNull;
        m_paths.clear();
        m_sums.clear();
        m_sizes.clear();
        if (m_indexRead) {
            // A journal left by a run that did not end is not in this index:
            // it is published once the login is over, never deleted unmerged.
            QStringList imports, removals;
            const QStringList unpublished = unpublishedMedia(&imports, &removals);
            if (unpublished.isEmpty())
                QFile::remove(m_work + QLatin1String("TEMP/INFOMEDIA.orvex"));
            QFile::remove(m_work + QLatin1String("TEMP/INFOADMIN.orvex"));
            m_revisions->getIDfileMedia();
            QFile::copy(index, index + QLatin1Char('-')
                                   + QDateTime::currentDateTime().toString(QStringLiteral("dd-MM-yy-hh-mm-ss")));
            m_paths = m_media->UserToList(m_user, QStringLiteral("FILEPATH"));
            m_sums = m_media->UserToList(m_user, QStringLiteral("FILECHK"));
            m_sizes = m_media->UserToList(m_user, QStringLiteral("FILESIZE"));
            // Published records that a later upload took out of this index
            // are merged again, from the files the server holds.
            const QList<QStringList> lost = SentMediaRecords::confirm(m_work, index);
            const QList<QStringList> lostAdmin = SentMediaRecords::confirm(m_work, index, SentMediaRecords::Admin);
            m_leftoverLines = unpublished;
            if (!unpublished.isEmpty() || !lost.isEmpty() || !lostAdmin.isEmpty()) {
                logLine(QStringLiteral("Journal des médias non publié, publié après la connexion: ")
                        + unpublished.join(QStringLiteral(", "))
                        + QStringLiteral(" (%1 opération(s) publiée(s) absente(s) de l'index)")
                              .arg(lost.size() + lostAdmin.size()));
                prepareLeftover(imports, removals);
            }
            m_kept = m_paths + imports + SentMediaRecords::listedPaths(lost);
        } else {
            logLine(QStringLiteral("Index des médias absent ou illisible: les médias locaux et les journaux sont conservés."));
        }
        emit SignalMediaSize(m_mediaSize);
        m_step = 14;
        break;
    }
    case 14: {
        const QString entry = m_paths.value(0);
        if (m_paths.isEmpty() || entry.isEmpty() || entry == kNull || !MediaAlignment::isMediaPath(entry)
            || !creatable(m_work + entry.section(QLatin1Char('/'), 0, 0), entry.section(QLatin1Char('/'), 1))) {
            if (!m_paths.isEmpty() && !entry.isEmpty() && entry != kNull)
                logLine(QStringLiteral("Entrée de l'index ignorée: ") + TransferPaths::printable(entry));
            m_step = 16;
            break;
        }
        m_folder = entry.section(QLatin1Char('/'), 0, 0);
        m_name = entry.section(QLatin1Char('/'), 1);
        if (!m_sums.isEmpty())
            m_sum = m_sums.first();
        // No more than the index says the file holds.
        m_media->setExpectedSize(m_sizes.value(0).toLongLong());
        emit signalMessageOnlyON(tr("Mise à jour des médias. Veuillez patienter s.v.p..."), 0, 0, false, true);
        m_step = 15;
        break;
    }
    case 15:
        // The download checks the medium against its index checksum itself.
        if (fetch(m_work + m_folder, m_name, m_folder, m_sum))
            m_step = 16;
        break;
    case 16:
        if (m_paths.isEmpty()) {
            m_step = 17;
            break;
        }
        m_paths.removeFirst();
        if (!m_sums.isEmpty())
            m_sums.removeFirst();
        if (!m_sizes.isEmpty())
            m_sizes.removeFirst();
        m_step = 14;
        break;
    case 17:
    case 18:
    case 19:
        if (m_step == 17)
            emit signalMessageOnlyOFF();
        // Never on a keep list that does not come from a downloaded index.
        if (m_indexRead)
            m_media->RemoveLocalFile(m_step == 17 ? QStringLiteral("IMAGE") : m_step == 18 ? QStringLiteral("VIDEO")
                                                                                           : QStringLiteral("TEXT"),
                                     m_kept);
        ++m_step;
        break;
    case 20:
        emit signalMessageOnlyON(tr("Mise à jour des médias. Veuillez patienter s.v.p..."), 0, 0, false, false);
        m_api->setDoneFlag(11, false);
        emit SignalUpdateMediaFile();
        m_step = 21;
        break;
    case 21:
        if (m_api->doneFlag(11))
            m_step = 22;
        break;
    case 22:
        applyRights();
        break;
    case 23:
        if (m_api->doneFlag(4) || m_timeout.expired())
            m_step = 24;
        break;
    case 24:
        if (m_media->checkCreateFolderFtp())
            m_step = 25;
        break;
    case 25:
        // The boxes this console deployed, checked before the pages start
        // their own transfers: a box whose files another console replaced
        // since is told at the end.
        if (!m_checkingBoxes) {
            m_boxCheck->setWorkFolder(m_work);
            m_boxCheck->start();
            m_checkingBoxes = true;
        }
        if (!m_boxCheck->step())
            break;
        m_checkingBoxes = false;
        // The rights are read by now: only an administrator's login settles
        // the rows of the login file this console keeps.
        if (m_administrator)
            settleKeptRows(true);
        // Shown (and the page opened) only once the login has decided.
        emit signalAdministration(m_administrator);
        emit SignalUserLogin(m_user, m_userType);
        emit signalUpdateMedia();
        if (m_leftoverPending) {
            m_leftoverPending = false;
            m_publishingLeftover = true;
            emit signalLeftoverMedia(m_leftover[0], m_leftover[1], m_leftover[2], m_leftover[3], m_leftover[4],
                                     m_leftover[5], true);
        }
        m_step = 26;
        break;
    default:
        m_timer->stop();
        emit signalMessageOnlyOFF();
        emit signalMessageSimpleOFF();
        m_step = 0;
        if (const QString replaced = m_boxCheck->message(); !replaced.isEmpty())
            m_dialogs->message(tr("Déploiement"), replaced, false);
        emit signalFinished();
        break;
    }
}
