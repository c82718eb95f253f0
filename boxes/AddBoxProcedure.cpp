#include "AddBoxProcedure.h"

#include "AddBoxRules.h"
#include "Checksum.h"
#include "KeptChanges.h"
#include "KeptLoginRows.h"
#include "ClassLog.h"
#include "ClassParam.h"
#include "LocalWriteError.h"
#include "TimeScale.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

namespace {

const QString kTree = QStringLiteral("/zolink/zobox/");
const QString kReports = QStringLiteral("/zolink/zobox/Production/Reports");
const QString kValidation = QStringLiteral("/zolink/zobox/Validation");
const QString kDefault = QStringLiteral("/zolink/zobox/DEFAULT");
const QString kPicture = QStringLiteral("OrvexPaysage-213425.png");
const QString kFtp = QStringLiteral("FTP");

// Operation codes of HttpFileApi::signalTransferEnded.
constexpr int kOpScan = 0;
constexpr int kOpDownload = 1;
constexpr int kOpUpload = 2;
constexpr int kOpCreateDir = 7;

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString slow(const QString &what)
{
    return what + QStringLiteral(" impossible ou le débit internet est trop lent!!!");
}

} // namespace

AddBoxProcedure::AddBoxProcedure(const QString &workFolder, AddBoxPrompts *prompts, QObject *parent)
    : QObject(parent)
    , m_work(workFolder)
    , m_prompts(prompts)
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(TimeScale::ms(TickMs));
    connect(m_timer, &QTimer::timeout, this, &AddBoxProcedure::tick);
}

AddBoxProcedure::~AddBoxProcedure() = default;

void AddBoxProcedure::setEntries(const QString &serial, const QString &code)
{
    m_serial = serial;
    m_code = code;
}

bool AddBoxProcedure::running() const { return m_timer->isActive(); }

QString AddBoxProcedure::passageFolder() const { return m_passage ? m_passage->path() : QString(); }

void AddBoxProcedure::start()
{
    ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("Fonction: slotVisible()"));
    ClassParam login;
    login.getParamCrypt(m_work + QLatin1String("LoginCrypt.orvex"), QStringList{QStringLiteral("ALL")}, 0);
    m_playerList = login.getInfoBalise(QStringLiteral("PLAYERLIST"));
    m_playerListName = login.getInfoBalise(QStringLiteral("PLAYERLISTNAME"));
    m_categoryList = login.getInfoBalise(QStringLiteral("CATEGORYLIST"));
    m_categoryElements = login.getInfoBalise(QStringLiteral("CATEGORYELEMENTS"));
    clearPassage();
    if (m_accountFolder.isEmpty())
        m_accountFolder =
            ClassParam().getParamCrypt(m_work + QLatin1String("CONNEXION.txt"), QStringLiteral("FTPPATH"), 0);
    m_validationSent.clear();
    m_missing.clear();
    m_verified = 0;
    m_step = 0;
    m_timer->start();
}

void AddBoxProcedure::stop()
{
    m_step = 0;
    m_timer->stop();
    clearPassage();
}

void AddBoxProcedure::clearPassage()
{
    // Removes the validation copy and the box files with it.
    m_passage.reset();
}

void AddBoxProcedure::arm() { m_timeout.Init(WaitMs); }

void AddBoxProcedure::request(Wait wait)
{
    // An end reported before this request belongs to another one.
    m_done[wait] = false;
    m_ok[wait] = false;
}

bool AddBoxProcedure::waited(Wait wait, const QString &text)
{
    if (m_done[wait]) {
        m_done[wait] = false;
        if (m_ok[wait])
            return true;
        fail(text);
        return false;
    }
    if (m_timeout.expired())
        fail(text);
    return false;
}

void AddBoxProcedure::fail(const QString &text)
{
    m_step = FailureStep;
    m_prompts->information(kFtp, text);
}

void AddBoxProcedure::checkEntries()
{
    emit signalFieldsVisible(false);
    if (AddBoxRules::items(m_playerList).contains(m_serial)) {
        m_step = FailureStep;
        m_prompts->information(kFtp, QStringLiteral("Ce numéro de série est dèjà utilisé sur votre compte!!!"));
        return;
    }
    QString error;
    if (m_serial.size() < AddBoxRules::SerialLength)
        error = QStringLiteral("Erreur sur la taille du numéro de série!!!");
    else if (m_code.size() < AddBoxRules::CodeLength)
        error = QStringLiteral("Erreur sur la taille du code!!!\nLe code compte %1 caractères: chiffres 0 à 9 et "
                               "lettres A à F.")
                    .arg(AddBoxRules::CodeLength);
    if (error.isEmpty()) {
        m_step = 3;
        return;
    }
    if (m_prompts->entryError(error))
        m_step = 0;
}

bool AddBoxProcedure::makeValidationCopy()
{
    m_passage.reset(new QTemporaryDir(QDir(m_work).filePath(QStringLiteral("TEMP/ajoutbox-XXXXXX"))));
    if (!m_passage->isValid()) {
        QDir().mkpath(m_work + QLatin1String("TEMP"));
        m_passage.reset(new QTemporaryDir(QDir(m_work).filePath(QStringLiteral("TEMP/ajoutbox-XXXXXX"))));
    }
    if (!m_passage->isValid())
        return false;
    const QString copy = m_passage->filePath(AddBoxRules::validationName(m_serial, m_code));
    if (!QFile::copy(m_work + QLatin1String("CONNEXION.txt"), copy))
        return false;
    ClassParam param;
    if (!param.getParamCrypt(copy, QStringList{QStringLiteral("ALL")}, 0))
        return false;
    QList<QPair<QString, QString>> blanks;
    const QStringList keys = param.BALISE.value(0);
    for (const QString &key : keys) {
        if (AddBoxRules::isSecretKey(key))
            blanks << qMakePair(key, QString());
    }
    return blanks.isEmpty() || param.setParamsCrypt(copy, blanks);
}

QString AddBoxProcedure::serverLogin() const { return m_passage->filePath(QStringLiteral("LoginCrypt.orvex")); }

void AddBoxProcedure::fetchServerLogin(int waitStep)
{
    QFile::remove(serverLogin());
    request(WaitGet);
    // An empty server folder is the account's own, as for the upload.
    emit signalGetFile(QString(), QStringLiteral("LoginCrypt.orvex"), passageFolder(), QStringLiteral("LoginCrypt.orvex"));
    arm();
    m_step = waitStep;
}

bool AddBoxProcedure::readServerLists()
{
    ClassParam login;
    if (!QFileInfo(serverLogin()).isFile()
        || !login.getParamCrypt(serverLogin(), QStringList{QStringLiteral("ALL")}, 0))
        return false;
    m_playerList = login.getInfoBalise(QStringLiteral("PLAYERLIST"));
    m_playerListName = login.getInfoBalise(QStringLiteral("PLAYERLISTNAME"));
    m_categoryList = login.getInfoBalise(QStringLiteral("CATEGORYLIST"));
    m_categoryElements = login.getInfoBalise(QStringLiteral("CATEGORYELEMENTS"));
    return true;
}

bool AddBoxProcedure::loginFileTakesBox()
{
    const QString trial = m_passage->filePath(QStringLiteral("LoginCrypt-essai.orvex"));
    QFile::remove(trial);
    const bool ok = QFile::copy(serverLogin(), trial) && writeLoginFile(trial);
    QFile::remove(trial);
    return ok;
}

bool AddBoxProcedure::replaceLocalLogin()
{
    // Put in place in one step: a kill leaves the old file or the new one.
    QString why;
    if (LocalWriteError::copy(serverLogin(), m_work + QLatin1String("LoginCrypt.orvex"), &why))
        return true;
    qDebug().noquote() << "AjoutBox: LoginCrypt.orvex: " + why;
    return false;
}

bool AddBoxProcedure::writeLoginFile(const QString &file)
{
    const AddBoxRules::LoginKeys keys = AddBoxRules::addBox(m_playerList, m_playerListName, m_categoryList,
                                                            m_categoryElements, m_category, m_serial);
    ClassParam login;
    QString error;
    const bool ok = login.setParamsCrypt(file,
                                         {{QStringLiteral("PLAYERLIST"), keys.playerList},
                                          {QStringLiteral("PLAYERLISTNAME"), keys.playerListName},
                                          {QStringLiteral("CATEGORYELEMENTS"), keys.categoryElements}},
                                         &error);
    if (!ok)
        qDebug().noquote() << "AjoutBox: LoginCrypt.orvex: " + error;
    return ok;
}

void AddBoxProcedure::sendLoginRows()
{
    m_loginBase = contentOf(serverLogin());
    const QString before = m_passage->filePath(QStringLiteral("LoginCrypt-avant.orvex"));
    QFile::remove(before);
    if (!QFile::copy(serverLogin(), before) || !writeLoginFile(serverLogin()) || !keepLoginRows(before)
        || !replaceLocalLogin()) {
        fail(QStringLiteral("Mise à jour du fichier LoginCrypt.orvex impossible!!!"));
        return;
    }
    m_loginSent = contentOf(serverLogin());
    request(WaitPut);
    emit signalPutFile(m_work + QLatin1String("LoginCrypt.orvex"), QString(), QStringLiteral("LoginCrypt.orvex"));
    arm();
    m_step = 39;
}

bool AddBoxProcedure::keepLoginRows(const QString &before)
{
    // Kept before the upload, as the account deployment keeps its own: a
    // later upload of another console that takes the box out is seen, and
    // the rows put back, at the next administrator's login or save.
    QString file;
    QString why;
    if (!KeptLoginRows::keep(m_work, before, serverLogin(), &file, &why, &m_keptRows)) {
        qDebug().noquote() << "AjoutBox: " + file + ": " + why;
        return false;
    }
    return true;
}

void AddBoxProcedure::dropKeptBox()
{
    // Told not registered: the rows of this box are not put back later.
    KeptChanges kept(KeptLoginRows::path(m_work));
    if (!kept.load() || m_keptRows.isEmpty())
        return;
    for (const QString &key : qAsConst(m_keptRows))
        kept.drop(KeptChanges::LoginRow, key);
    kept.save();
}

void AddBoxProcedure::checkReadBack()
{
    const QByteArray now = contentOf(serverLogin());
    if (readServerLists() && AddBoxRules::items(m_playerList).contains(m_serial)) {
        if (++m_readBacks < LoginReadBacks) {
            m_step = LoginReadAgainStep;
            return;
        }
        // Another console's file made on this one: this console holds it too.
        if (now != m_loginSent && !replaceLocalLogin()) {
            fail(QStringLiteral("Mise à jour du fichier LoginCrypt.orvex impossible!!!"));
            return;
        }
        emit signalLoginStored(CalculChecksum(m_work + QLatin1String("LoginCrypt.orvex")));
        m_step = FinalStep;
        return;
    }
    const bool unchanged = now == m_loginBase;
    ClassLog().log(QStringLiteral("OrvexLog"), unchanged ? QStringLiteral("LoginCrypt.orvex relu: non enregistré")
                                                         : QStringLiteral("LoginCrypt.orvex relu: remplacé"));
    if (!unchanged && ++m_rounds < LoginRounds) {
        // The box's rows go again, on the file another console sent.
        sendLoginRows();
        return;
    }
    // This console holds what the server holds: the box may be added again.
    replaceLocalLogin();
    dropKeptBox();
    fail(unchanged ? QStringLiteral("Le serveur n'a pas enregistré le fichier LoginCrypt.orvex: le boîtier n'est "
                                    "pas inscrit sur le compte!!!")
                   : QStringLiteral("Le fichier LoginCrypt.orvex du serveur a été remplacé à chaque envoi par un "
                                    "autre administrateur: le boîtier n'est pas inscrit sur le compte!!!"));
}

// Steps 14 to 37: a request on the even step, its wait on the odd one.
void AddBoxProcedure::transferStep()
{
    struct Item {
        bool get;
        QString name;
        QString text;
    };
    static const QStringList templates{QStringLiteral("PLAYER.orvex"), QStringLiteral("INFO.orvex"),
                                       QStringLiteral("STATUS.orvex"), QStringLiteral("STAT.orvex")};
    QList<Item> items{{true, QStringLiteral("BOX.orvex"), slow(QStringLiteral("Téléchargement du fichier compte"))},
                      {false, QStringLiteral("BOX.orvex"), slow(QStringLiteral("Envoi du fichier Box.orvex"))}};
    for (const QString &name : templates) {
        items << Item{true, name, slow(QStringLiteral("Téléchargement du fichier ") + name)}
              << Item{false, name, slow(QStringLiteral("Envoi du fichier ") + name)};
    }
    items << Item{true, kPicture, slow(QStringLiteral("Téléchargement du fichier ") + kPicture)}
          << Item{false, kPicture, slow(QStringLiteral("Envoi du fichier ") + kPicture)};

    const int item = (m_step - 14) / 2;
    const Item &it = items.at(item);
    const bool picture = it.name == kPicture;
    const QString local = picture ? m_work + QLatin1String("IMAGE") : passageFolder();
    if ((m_step - 14) % 2 == 0) {
        if (it.get) {
            QDir().mkpath(local);
            request(WaitGet);
            if (item == 0)
                emit signalGetFile(kReports, AddBoxRules::pairName(m_serial, m_code) + QLatin1String(".orvex"),
                                   local, it.name);
            else
                emit signalGetFile(picture ? kDefault + QLatin1String("/IMAGE") : kDefault, it.name, local, it.name);
        } else {
            request(WaitPut);
            emit signalPutFile(local + QLatin1Char('/') + it.name, picture ? QStringLiteral("IMAGE") : m_serial,
                               it.name);
        }
        arm();
        ++m_step;
        return;
    }
    if (waited(it.get ? WaitGet : WaitPut, it.text))
        ++m_step;
    // Every file sent: the server must hold each before the box is listed.
    if (m_step == 38)
        m_step = VerifyListStep;
}

QList<AddBoxProcedure::SentFile> AddBoxProcedure::sentFiles() const
{
    const QString box = m_accountFolder + QLatin1Char('/') + m_serial;
    QList<SentFile> files;
    for (const char *name : {"BOX.orvex", "PLAYER.orvex", "INFO.orvex", "STATUS.orvex", "STAT.orvex"})
        files << SentFile{box, QLatin1String(name), m_passage->filePath(QLatin1String(name))};
    files << SentFile{m_accountFolder + QLatin1String("/IMAGE"), kPicture, m_work + QLatin1String("IMAGE/") + kPicture};
    // Its local copy went once sent: compared with what went up.
    files << SentFile{kValidation, AddBoxRules::validationName(m_serial, m_code), QString()};
    return files;
}

void AddBoxProcedure::checkListing()
{
    m_missing.clear();
    for (const SentFile &file : sentFiles()) {
        if (file.folder.endsWith(QLatin1Char('/') + m_serial) && !m_listing.contains(file.name))
            m_missing << file.name;
    }
    m_verified = 0;
    m_step = VerifyFileStep;
}

void AddBoxProcedure::readBackStep()
{
    const QList<SentFile> files = sentFiles();
    if (m_verified >= files.size()) {
        if (m_missing.isEmpty())
            m_step = 38;
        else
            failMissing();
        return;
    }
    const SentFile &file = files.at(m_verified);
    if (m_missing.contains(file.name)) {
        ++m_verified;
        return;
    }
    const QString folder = m_passage->filePath(QStringLiteral("relu"));
    QDir().mkpath(folder);
    QFile::remove(folder + QLatin1Char('/') + file.name);
    request(WaitGet);
    emit signalGetFile(file.folder, file.name, folder, file.name);
    arm();
    m_step = VerifyFileWaitStep;
}

void AddBoxProcedure::checkReadBackFile()
{
    const SentFile file = sentFiles().at(m_verified);
    if (!m_done[WaitGet]) {
        if (m_timeout.expired())
            fail(slow(QStringLiteral("Relecture du fichier ") + file.name));
        return;
    }
    m_done[WaitGet] = false;
    // A file the server does not have, or not as it was sent.
    const QString copy = m_passage->filePath(QStringLiteral("relu/") + file.name);
    const QByteArray sent = file.local.isEmpty() ? m_validationSent : contentOf(file.local);
    if (!m_ok[WaitGet] || !QFileInfo(copy).isFile() || contentOf(copy) != sent)
        m_missing << file.name;
    ++m_verified;
    m_step = VerifyFileStep;
}

void AddBoxProcedure::failMissing()
{
    ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("Ajout du boîtier: absents du serveur: ")
                                                   + m_missing.join(QStringLiteral(", ")));
    fail(QStringLiteral("Le serveur n'a pas enregistré: %1. Le boîtier n'est pas inscrit sur le compte: refaites "
                        "le même ajout pour le compléter!!!")
             .arg(m_missing.join(QStringLiteral(", "))));
}

void AddBoxProcedure::tick()
{
    // A modal box inside a tick runs an event loop: no step meanwhile.
    if (m_inTick)
        return;
    m_inTick = true;
    struct Reset {
        bool &flag;
        ~Reset() { flag = false; }
    } reset{m_inTick};

    switch (m_step) {
    case 0:
        emit signalFieldsVisible(true);
        m_validate = false;
        m_step = 1;
        break;
    case 1:
        emit signalMessage(QStringLiteral("Veuillez entrer le numéro de série et le code associé..."));
        if (m_validate)
            m_step = 2;
        break;
    case 2:
        checkEntries();
        break;
    case 3:
        emit signalMessage(QStringLiteral("Veuillez patienter,svp..."));
        request(WaitList);
        emit signalGetListFile(QStringLiteral("Production/Reports"));
        arm();
        m_step = 4;
        break;
    case 4:
        if (waited(WaitList, slow(QStringLiteral("Téléchargement de la liste")))) {
            m_pairFound = false;
            m_step = 5;
        }
        break;
    case 5:
        if (AddBoxRules::pairListed(m_listing, AddBoxRules::pairName(m_serial, m_code))) {
            m_pairFound = true;
            m_step = 6;
        } else if (m_prompts->entryError(QStringLiteral("Validation impossible, veuillez vérifier les données, svp..."))) {
            m_step = 0;
        }
        break;
    case 6:
        emit signalMessage(QStringLiteral("Validation terminée avec succès..."));
        emit signalClearListFile();
        m_step = 7;
        break;
    case 7:
        if (makeValidationCopy())
            m_step = 8;
        else
            fail(QStringLiteral("Copie du fichier de connexion impossible!!!"));
        break;
    case 8:
        // The box joins the server's login file, not this console's copy of
        // it: another console may have changed it since the login.
        fetchServerLogin(LoginCheckStep);
        break;
    case LoginCheckStep:
        if (!waited(WaitGet, QStringLiteral("Lecture du fichier LoginCrypt.orvex du serveur impossible ou le débit "
                                            "internet est trop lent: rien n'a été envoyé!!!")))
            break;
        if (!readServerLists() || !loginFileTakesBox())
            fail(QStringLiteral("Le fichier LoginCrypt.orvex ne peut pas recevoir ce boîtier (fichier endommagé ou "
                                "illisible): rien n'a été envoyé!!!"));
        else if (AddBoxRules::items(m_playerList).contains(m_serial))
            fail(QStringLiteral("Ce numéro de série est dèjà utilisé sur votre compte!!!"));
        else
            m_step = 9;
        break;
    case 9: {
        const QString name = AddBoxRules::validationName(m_serial, m_code);
        m_validationSent = contentOf(m_passage->filePath(name));
        request(WaitPut);
        emit signalPutFile(m_passage->filePath(name), QStringLiteral("Validation"), name);
        arm();
        m_step = 10;
        break;
    }
    case 10: {
        const bool ended = m_done[WaitPut];
        if (waited(WaitPut, slow(QStringLiteral("Téléchargement du fichier de validation"))))
            m_step = 11;
        if (ended || m_step == FailureStep)
            QFile::remove(m_passage->filePath(AddBoxRules::validationName(m_serial, m_code)));
        break;
    }
    case 11:
        emit signalMessage(QStringLiteral("Validation terminée avec succès..."));
        request(WaitMkdir);
        emit signalMkdir(m_serial);
        arm();
        m_step = 12;
        break;
    case 12:
        if (waited(WaitMkdir, slow(QStringLiteral("Création du dossier compte"))))
            m_step = 13;
        break;
    case 13:
        emit signalMessage(QStringLiteral("Création du boîtier en cours..."));
        m_step = 14;
        break;
    case VerifyListStep: {
        emit signalMessage(QStringLiteral("Vérification du boîtier sur le serveur..."));
        QString folder = m_accountFolder + QLatin1Char('/') + m_serial;
        if (folder.startsWith(kTree))
            folder = folder.mid(kTree.size());
        request(WaitList);
        emit signalGetListFile(folder);
        arm();
        m_step = VerifyListWaitStep;
        break;
    }
    case VerifyListWaitStep:
        if (waited(WaitList, slow(QStringLiteral("Lecture du dossier du boîtier"))))
            checkListing();
        break;
    case VerifyFileStep:
        readBackStep();
        break;
    case VerifyFileWaitStep:
        checkReadBackFile();
        break;
    case 38:
        // Fetched again: the box files took a while, another console may
        // have saved the login file meanwhile.
        m_rounds = 0;
        m_keptRows.clear();
        fetchServerLogin(LoginWriteStep);
        break;
    case LoginWriteStep: {
        if (!waited(WaitGet, slow(QStringLiteral("Lecture du fichier LoginCrypt.orvex du serveur"))))
            break;
        const bool read = readServerLists();
        if (read && AddBoxRules::items(m_playerList).contains(m_serial))
            fail(QStringLiteral("Ce numéro de série est dèjà utilisé sur votre compte!!!"));
        else if (!read)
            fail(QStringLiteral("Mise à jour du fichier LoginCrypt.orvex impossible!!!"));
        else
            sendLoginRows();
        break;
    }
    case 39: {
        const bool answered = m_done[WaitPut];
        if (waited(WaitPut, slow(QStringLiteral("Envoi du fichier LoginCrypt.orvex")))) {
            m_readBacks = 0;
            fetchServerLogin(LoginReadBackStep);
        } else if (answered && m_step == FailureStep) {
            // Refused: not stored. An upload with no answer may still land:
            // its rows stay kept for the next login to check.
            dropKeptBox();
        }
        break;
    }
    case LoginReadBackStep:
        if (waited(WaitGet, QStringLiteral("Lecture du fichier LoginCrypt.orvex du serveur impossible ou le débit "
                                           "internet est trop lent: l'ajout du boîtier n'est pas confirmé!!!")))
            checkReadBack();
        break;
    case LoginReadAgainStep:
        // A tick later: an upload another console started earlier may land late.
        fetchServerLogin(LoginReadBackStep);
        break;
    case FinalStep:
        m_timer->stop();
        clearPassage();
        m_prompts->finished();
        break;
    case FailureStep:
        m_prompts->information(kFtp, QStringLiteral("Echec de l'ajout du boîtier sur le compte!!!"));
        stop();
        emit signalFieldsVisible(false);
        break;
    default:
        if (m_step >= 14 && m_step <= 37)
            transferStep();
        break;
    }
}

void AddBoxProcedure::slotListFichier(QStringList Fichiers)
{
    m_listing.clear();
    for (int i = 0; i < Fichiers.size(); ++i) {
        qDebug().noquote() << "Fichiers: n°" + QString::number(i) + "->" + Fichiers.at(i);
        m_listing << Fichiers.at(i);
    }
    m_done[WaitList] = true;
    m_ok[WaitList] = true;
}

void AddBoxProcedure::slotPutFileFinish()
{
    m_done[WaitPut] = true;
    m_ok[WaitPut] = true;
}

void AddBoxProcedure::slotMkdirFinish()
{
    m_done[WaitMkdir] = true;
    m_ok[WaitMkdir] = true;
}

void AddBoxProcedure::slotGetFileFinish()
{
    m_done[WaitGet] = true;
    m_ok[WaitGet] = true;
}

void AddBoxProcedure::slotPresenceBOX() { m_presence = true; }

void AddBoxProcedure::slotSelectionCategory(QString current) { m_category = current; }

void AddBoxProcedure::slotValider() { m_validate = true; }

void AddBoxProcedure::slotTransferEnded(int operation, bool ok)
{
    // Follows the end signal of the same transfer.
    switch (operation) {
    case kOpScan: m_ok[WaitList] = ok; break;
    case kOpDownload: m_ok[WaitGet] = ok; break;
    case kOpUpload: m_ok[WaitPut] = ok; break;
    case kOpCreateDir: m_ok[WaitMkdir] = ok; break;
    default: break;
    }
}
