#pragma once

#include "StepTimeout.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

class HttpFileApi;
class QTimer;

// The box-status request machine: asks for the account's status, hands the
// entries of a readable reply to the panel, then waits for the relaunch
// timer. In local mode the reply is read from the account folder instead
// of the server. The two timers belong to the panel.
class BoxStatusPoller : public QObject
{
    Q_OBJECT
public:
    // A request that gets no answer for this long counts as failed.
    static constexpr int ReplyTimeoutMs = 60000;

    BoxStatusPoller(QTimer *stepTimer, QTimer *relaunchTimer, QObject *parent = nullptr);

    void setAccount(const QString &accountName, bool localMode, const QString &localAccountFolder);
    // The server connection used outside local mode.
    void setHttpApi(HttpFileApi *api);

    int stepIndex() const { return m_step; }
    // While this answers true the refresh waits (a box folder download runs).
    void setHoldWhile(std::function<bool()> hold) { m_hold = std::move(hold); }

    // The reply of a local account: STATUSBOX.json of the account folder,
    // else every box folder with the time of its STATUS.orvex as last seen
    // and its visuals up to date once that report names its poster list.
    static QByteArray localReply(const QString &accountFolder);

public slots:
    // One tick of the step timer.
    void step();
    // The relaunch timer fired.
    void relaunch();

signals:
    // A readable reply; the panel replaces its entries and refills the list.
    void entriesReady(QStringList entries);

private slots:
    void transferEnded(int operation, bool ok);

private:
    void request();
    void answer(bool ok, const QByteArray &reply);

    QTimer *m_stepTimer;
    QTimer *m_relaunchTimer;
    QPointer<HttpFileApi> m_api;
    QString m_account;
    QString m_localFolder;
    bool m_local = false;

    int m_step = 0;
    bool m_done = false;
    bool m_ok = false;
    QByteArray m_reply;
    StepTimeout m_waiting;
    std::function<bool()> m_hold;
};
