#include "StartupSequence.h"

#include "ClassLog.h"
#include "ClassParam.h"
#include "HttpFileApi.h"
#include "SessionDialogs.h"
#include "TransferSlots.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTimer>

StartupSequence::StartupSequence(HttpFileApi *api, TransferSlots *transferSlots, ClassParam *accountFile,
                                 SessionDialogs *dialogs, QTimer *timer, QObject *parent)
    : QObject(parent)
    , m_api(api)
    , m_slots(transferSlots)
    , m_accountFile(accountFile)
    , m_dialogs(dialogs)
    , m_timer(timer)
{
}

QString StartupSequence::missingFileText()
{
    return tr("Le fichier de connexion du compte n'est pas installé ou il est invalide.\n"
              "Veuillez entrer le nom du compte.");
}

void StartupSequence::slotCheckFile()
{
    const QString connexion = m_work + QLatin1String("CONNEXION.txt");
    switch (m_step) {
    case 0: {
        emit signalMessageOnlyON(tr("Démarrage du programme..."), 0, 0, false, false);
        ClassLog().log(QStringLiteral("OrvexLog"),
                       QStringLiteral("*********************** DEMARRAGE DU PROGRAMME *****************************"));
        const QString product = QSysInfo::productType();
        const bool mobile = product == QLatin1String("android") || product == QLatin1String("ios");
        m_timeout.InitWait(mobile ? MobileWaitMs : DesktopWaitMs);
        m_step = 1;
        break;
    }
    case 1:
        if (!m_timeout.expired())
            return;
        m_account = AccountFile::read(connexion);
        *m_accountFile = ClassParam();
        m_accountFile->getParamCrypt(connexion, QStringList{QStringLiteral("ALL")}, 0);
        emit signalAccountRead();
        m_step = 2;
        break;
    case 2:
        if (m_account.valid) {
            m_timer->stop();
            emit signalConnect();
            return;
        }
        m_timer->stop();
        ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("Fichier de connexion refusé: ") + m_account.problem);
        m_dialogs->error(m_account.problem + QLatin1String("\n\n") + missingFileText());
        m_timer->start();
        m_step = 3;
        break;
    case 3: {
        m_timer->stop();
        QFile::remove(connexion);
        if (m_dialogs->ask(tr("Avez-vous un fichier de connexion du compte?"))) {
            m_step = 100;
        } else {
            // The server copy comes from the server, never from LOCALPATH.
            m_api->setLocalMode(false, QString());
            m_name = m_dialogs->askText(tr("Nom du compte:"), false);
            // The name becomes part of server paths.
            while (!m_name.isEmpty() && !AccountFile::isAccountName(m_name))
                m_name = m_dialogs->askText(tr("Nom du compte:"), false);
            m_step = m_name.isEmpty() ? 0 : 4;
            m_fetchedByName = !m_name.isEmpty();
        }
        m_timer->start();
        break;
    }
    case 4:
        m_slots->slotGetFile(QStringLiteral("/zolink/zobox/zo_") + m_name, QStringLiteral("ConnexionCrypt.orvex"),
                             m_work.left(m_work.size() - 1), QStringLiteral("CONNEXION.txt"));
        m_step = 5;
        break;
    case 5:
        if (m_api->doneFlag(1))
            m_step = 0;
        break;
    case 100: {
        m_timer->stop();
        m_fetchedByName = false;
        const QString chosen = m_dialogs->openFile(tr("Choisissez le fichier de connexion du compte"), m_work,
                                                   tr("Fichiers Orvex(*.orvex)"));
        if (!chosen.isEmpty() && !QFile::copy(chosen, connexion))
            m_dialogs->message(QStringLiteral("Erreur"), QStringLiteral("Impossible de copier le fichier"), true);
        m_step = 0;
        m_timer->start();
        break;
    }
    default:
        m_step = 0;
        break;
    }
}

void StartupSequence::SlotSupprimerCompte()
{
    ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("Fonction: SlotSupprimerCompte()"));
    if (!m_dialogs->ask(tr("Voulez-vous supprimer le compte?")))
        return;
    QFile::remove(m_work + QLatin1String("CONNEXION.txt"));
    if (m_dialogs->ask(tr("Voulez-vous supprimer tous les fichiers médias?"))) {
        for (const char *folder : {"DATA", "TEMP", "IMAGE", "VIDEO", "TEXT"})
            QDir(m_work + QLatin1String(folder)).removeRecursively();
    }
    m_dialogs->message(tr("Redémarrage"),
                       tr("Vous devez redémarrer l'application. Au prochain démarrage, chargez de nouveau le fichier "
                          "de connexion du compte."),
                       false);
    emit signalQuit();
}
