#include "CommandReport.h"

#include "AccountDeployment.h"
#include "ClassParam.h"
#include "HttpFileApi.h"
#include "ListTransfers.h"
#include "TransferLists.h"
#include "TransferPaths.h"
#include "classVersion.h"

#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

const char *const CommandReport::SupportAddress = "support@zomanager.example.net";
const char *const CommandReport::ReportFolder = "/zolink/zobox/ALERTE-ZoManager";

CommandReport::CommandReport(HttpFileApi *api, ListTransfers *lists, QTimer *commandTimer, QTimer *reportTimer,
                             QObject *parent)
    : QObject(parent)
    , m_api(api)
    , m_lists(lists)
    , m_commandTimer(commandTimer)
    , m_reportTimer(reportTimer)
{
}

bool CommandReport::commandRunning() const
{
    return m_commandTimer->isActive() || m_commandStep != 0;
}

bool CommandReport::reportRunning() const
{
    return m_reportTimer->isActive() || m_reportStep != 0;
}

QString CommandReport::supportAddress()
{
    const QString configured = qEnvironmentVariable("ZOMANAGER_SUPPORT_ADDRESS").trimmed();
    return configured.isEmpty() ? QString::fromLatin1(SupportAddress) : configured;
}

QUrl CommandReport::supportUrl(const QString &base, const QString &version, const QString &file)
{
    // Encoded first: a '&' or '#' in them must stay inside their value.
    const QString name = QString::fromLatin1(QUrl::toPercentEncoding(file));
    const QString address = QString::fromLatin1(QUrl::toPercentEncoding(supportAddress(), "@"));
    return QUrl(base + QLatin1String("zobox/mails.php?emailAdress=") + address
                    + QLatin1String("&Subjet=Probleme version ZoManager ") + version
                    + QStringLiteral("&Msg=Fichier à voir: ") + base + QLatin1String("zobox/ALERTE-ZoManager/") + name,
                QUrl::TolerantMode);
}

void CommandReport::sequenceFailed()
{
    if (commandRunning())
        endCommand();
    // The report stays in LOG/ for another try.
    if (reportRunning())
        endReport();
}

void CommandReport::slotProcessDeployCommande(QString Command)
{
    m_command = Command;
    m_commandTimer->start();
}

void CommandReport::endCommand()
{
    emit signalMessageOnlyOFF();
    m_commandStep = 0;
    m_commandTimer->stop();
}

void CommandReport::noBoxChosen()
{
    // A command file left behind could go out later to another box.
    QFile::remove(m_work + QLatin1String("TEMP/COMMAND.orvex"));
    endCommand();
    emit signalInformation(tr("Commande"), tr("Aucun boîtier n'est choisi: la commande n'a pas été envoyée."));
}

void CommandReport::slotProcessDeployCommandeTimer()
{
    const QString file = m_work + QLatin1String("TEMP/COMMAND.orvex");
    switch (m_commandStep) {
    case 0: {
        emit signalMessageOnlyON(tr("Envoi de la commande en cours..."), 0, 0, false, true);
        // The serial comes from the login file: it must name a folder of this account.
        const QString serial = m_selected ? m_selected() : QString();
        if (serial.isEmpty()) {
            noBoxChosen();
            return;
        }
        if (!TransferPaths::isPlainName(serial)) {
            endCommand();
            emit signalInformation(tr("Commande"), TransferPaths::refusedText(serial));
            return;
        }
        QString error;
        ClassParam param;
        // A stale command file must never go out in place of this one.
        if (!AccountDeployment::CreateFilePlaylist(m_work, QStringLiteral("TEMP/COMMAND.orvex"), &error)
            || !param.setParamCrypt(file, QStringLiteral("COMMANDHTTP"), m_command)) {
            emit signalInformation(tr("CreateFile"), error.isEmpty() ? tr("Impossible d'écrire %1").arg(file) : error);
            endCommand();
            return;
        }
        m_commandStep = 2;
        break;
    }
    case 2: {
        m_api->lists()->clearTransferFiles();
        const QString serial = m_selected ? m_selected() : QString();
        if (serial.isEmpty() || !TransferPaths::isPlainName(serial)) {
            noBoxChosen();
            return;
        }
        m_lists->setFolder(serial);
        m_commandStep = 3;
        break;
    }
    case 3:
        if (m_lists->FtpPutOneFile(file, QStringLiteral("COMMAND.orvex")))
            m_commandStep = 4;
        break;
    case 4:
        endCommand();
        if (m_command == QLatin1String("REBOOT"))
            emit signalTermineReboot();
        break;
    default:
        endCommand();
        break;
    }
}

void CommandReport::slotProcessDeployAlerte(QString FileAlerte)
{
    m_report = FileAlerte;
    m_reportStep = 0;
    m_reportTimer->start();
}

void CommandReport::endReport()
{
    emit signalMessageOnlyOFF();
    m_reportTimer->stop();
    m_reportStep = 0;
}

void CommandReport::endLocalReport()
{
    // Local mode keeps everything on this machine: no mail request, the
    // report stays in the local tree where the upload put it.
    const QString copy = TransferPaths::localUploadPath(
        m_api->localPath(), TransferPaths::accountFolder(m_api->accountFolder()), QLatin1String(ReportFolder), m_report);
    endReport();
    if (!QFileInfo(copy).isFile()) {
        emit signalInformation(tr("Alerte"), tr("Le rapport n'a pas été trouvé dans %1").arg(copy) + QLatin1Char('\n')
                                                + tr("Veuillez recommencer s.v.p..."));
        return;
    }
    QFile::remove(m_work + QLatin1String("LOG/") + m_report);
    emit signalInformation(tr("Alerte"), tr("Mode local: le rapport a été écrit sur cet ordinateur:") + QLatin1Char('\n')
                                            + copy + QLatin1Char('\n')
                                            + tr("Le support n'a pas été prévenu (aucun envoi en mode local)."));
}

void CommandReport::slotProcessDeployAlerteTime()
{
    switch (m_reportStep) {
    case 0:
        emit signalMessageOnlyON(tr("Connexion en cours..."), 0, 0, false, true);
        m_api->lists()->clearTransferFiles();
        m_lists->setFolder(QLatin1String(ReportFolder));
        m_reportStep = 1;
        break;
    case 1:
        if (m_lists->FtpPutOneFile(m_work + QLatin1String("LOG/") + m_report, m_report))
            m_reportStep = 2;
        break;
    case 2: {
        if (m_api->localMode()) {
            endLocalReport();
            break;
        }
        if (!m_mail)
            m_mail = new QNetworkAccessManager(this);
        // Only whether the script answered is looked at, not what it says.
        QNetworkReply *reply = m_mail->get(
            QNetworkRequest(supportUrl(m_api->baseUrl(), classVersion().Version(), m_report)));
        const int run = ++m_mailRun;
        m_mailOutcome = 0;
        connect(reply, &QNetworkReply::finished, this, [this, reply, run] {
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            if (run == m_mailRun)
                m_mailOutcome = reply->error() == QNetworkReply::NoError && status < 400 ? 1 : 2;
            reply->deleteLater();
        });
        m_mailWait.Init(20000);
        m_reportStep = 3;
        break;
    }
    case 3:
        if (m_mailOutcome == 0 && !m_mailWait.expired())
            break;
        ++m_mailRun;
        endReport();
        // Support was not told: no success, and the report stays in LOG/.
        if (m_mailOutcome != 1) {
            emit signalInformation(tr("Alerte"), tr("Le support n'a pas pu être prévenu!!!") + QLatin1Char('\n')
                                                    + tr("Veuillez recommencer s.v.p..."));
            break;
        }
        QFile::remove(m_work + QLatin1String("LOG/") + m_report);
        emit signalTermineAlerte();
        break;
    default:
        endReport();
        break;
    }
}
