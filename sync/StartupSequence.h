#pragma once

#include "AccountFile.h"
#include "StepTimeout.h"

#include <QObject>
#include <QString>

class ClassParam;
class HttpFileApi;
class QTimer;
class SessionDialogs;
class TransferSlots;

// The start-up machine on the panel's 1 ms start-up timer: waits under the
// splash, reads CONNEXION.txt and, when it is valid, asks the panel to press
// "Connecter". Otherwise the user picks a copy of the file, or names the
// account and its server copy ConnexionCrypt.orvex is downloaded.
class StartupSequence : public QObject
{
    Q_OBJECT
public:
    static constexpr int DesktopWaitMs = 7000;
    static constexpr int MobileWaitMs = 15000;

    StartupSequence(HttpFileApi *api, TransferSlots *transferSlots, ClassParam *accountFile, SessionDialogs *dialogs,
                    QTimer *timer, QObject *parent = nullptr);

    void setWorkFolder(const QString &folder) { m_work = folder; }
    int stepIndex() const { return m_step; }
    const AccountFile &account() const { return m_account; }
    // CONNEXION.txt is the server copy fetched by the typed account name.
    bool fetchedByName() const { return m_fetchedByName; }

    static QString missingFileText();

public slots:
    void slotCheckFile();
    // The user button: removes CONNEXION.txt (and, on request, the local
    // media folders), then asks the program to end.
    void SlotSupprimerCompte();

signals:
    void signalMessageOnlyON(QString text, double overall, double file, bool bars, bool spin);
    // The file was read: the panel hands its values to the transfer layer.
    void signalAccountRead();
    // A valid file: the panel clicks "Connecter".
    void signalConnect();
    // The account was removed: the program ends.
    void signalQuit();

private:
    HttpFileApi *m_api;
    TransferSlots *m_slots;
    ClassParam *m_accountFile;
    SessionDialogs *m_dialogs;
    QTimer *m_timer;
    QString m_work;
    int m_step = 0;
    QString m_name;
    bool m_fetchedByName = false;
    AccountFile m_account;
    StepTimeout m_timeout;
};
