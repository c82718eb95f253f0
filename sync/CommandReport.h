#pragma once

#include <QObject>
#include <QString>
#include "StepTimeout.h"
#include <functional>

class HttpFileApi;
class ListTransfers;
class QNetworkAccessManager;
class QTimer;

// Two small machines for other pages: a box command written into
// TEMP/COMMAND.orvex and uploaded into the selected box's folder, and a
// support report of LOG/ uploaded into the server's report folder with a
// request to the server's mail script. Widget-free; the timers are the
// panel's (50 ms and 10 ms).
class CommandReport : public QObject
{
    Q_OBJECT
public:
    // The built-in support address (a reserved example domain: the service
    // configures its own through ZOMANAGER_SUPPORT_ADDRESS).
    static const char *const SupportAddress;
    static QString supportAddress();
    static const char *const ReportFolder;

    CommandReport(HttpFileApi *api, ListTransfers *lists, QTimer *commandTimer, QTimer *reportTimer,
                  QObject *parent = nullptr);

    void setWorkFolder(const QString &folder) { m_work = folder; }
    void setSelectedBox(std::function<QString()> selected) { m_selected = std::move(selected); }

    int commandStep() const { return m_commandStep; }
    int reportStep() const { return m_reportStep; }
    bool commandRunning() const;
    bool reportRunning() const;

    // The mail script's request for a report file.
    static QUrl supportUrl(const QString &base, const QString &version, const QString &file);

public slots:
    void slotProcessDeployCommande(QString Command);
    void slotProcessDeployCommandeTimer();
    void slotProcessDeployAlerte(QString FileAlerte);
    void slotProcessDeployAlerteTime();
    void sequenceFailed();

signals:
    void signalMessageOnlyON(QString text, double overall, double file, bool bars, bool spin);
    void signalMessageOnlyOFF();
    // "Commande envoyée!!! ..." after a REBOOT arrived.
    void signalTermineReboot();
    // "Envoi du rapport terminé!!! ..." after the report arrived.
    void signalTermineAlerte();
    void signalInformation(QString title, QString text);

private:
    void endCommand();
    // Tells the user and leaves no command file.
    void noBoxChosen();
    void endReport();
    void endLocalReport();

    HttpFileApi *m_api;
    ListTransfers *m_lists;
    QTimer *m_commandTimer;
    QTimer *m_reportTimer;
    QNetworkAccessManager *m_mail = nullptr;
    QString m_work;
    std::function<QString()> m_selected;

    int m_commandStep = 0;
    int m_reportStep = 0;
    QString m_command;
    QString m_report;
    // The mail request's outcome: 0 waiting, 1 answered, 2 failed; a
    // reply of an earlier report (older run number) is ignored.
    int m_mailOutcome = 0;
    int m_mailRun = 0;
    StepTimeout m_mailWait;
};
