#include "BoxStatusPoller.h"

#include "BoxFiles.h"
#include "BoxStatus.h"
#include "ClassParam.h"
#include "ClassLog.h"
#include "HttpFileApi.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

namespace {

void note(const QString &text)
{
    qWarning().noquote() << text;
    ClassLog().log(QStringLiteral("OrvexLog"), text);
}

// As a box reports it: "0" once it runs the poster list of its folder (its
// report carries that list's fingerprint), "1" while it does not.
QString updateState(const QString &boxFolder)
{
    const QString key = QStringLiteral("EMPREINTE");
    ClassParam reader;
    const QString running = reader.getParamCrypt(boxFolder + QStringLiteral("/STATUS.orvex"), key, 0);
    const QString list = reader.getParamCrypt(boxFolder + QStringLiteral("/PLAYER.orvex"), key, 0);
    return BoxFiles::sameFingerprint(running, BoxFiles::cleanFingerprint(list)) ? QStringLiteral("0")
                                                                                : QStringLiteral("1");
}

} // namespace

BoxStatusPoller::BoxStatusPoller(QTimer *stepTimer, QTimer *relaunchTimer, QObject *parent)
    : QObject(parent)
    , m_stepTimer(stepTimer)
    , m_relaunchTimer(relaunchTimer)
{
}

void BoxStatusPoller::setAccount(const QString &accountName, bool localMode, const QString &localAccountFolder)
{
    m_account = accountName;
    m_local = localMode;
    m_localFolder = localAccountFolder;
}

void BoxStatusPoller::setHttpApi(HttpFileApi *api)
{
    if (m_api)
        disconnect(m_api, nullptr, this, nullptr);
    m_api = api;
    if (m_api)
        connect(m_api, &HttpFileApi::signalTransferEnded, this, &BoxStatusPoller::transferEnded);
}

void BoxStatusPoller::step()
{
    switch (m_step) {
    case 0:
        m_relaunchTimer->stop();
        m_step = 1;
        m_done = false;
        m_waiting.Init(ReplyTimeoutMs);
        request();
        break;
    case 1:
        if (!m_done) {
            if (!m_waiting.expired())
                return;
            answer(false, QByteArray());
            note(QStringLiteral("Etat des boitiers: pas de réponse"));
        }
        m_step = 2;
        break;
    case 2: {
        // The refresh would cut the download short.
        if (m_hold && m_hold())
            return;
        m_step = 3;
        if (!m_ok)
            break;
        bool readable = false;
        const QStringList entries = BoxStatus::parseReply(m_reply, &readable);
        // An unreadable reply keeps the icons of the last good one.
        if (!readable) {
            note(QStringLiteral("Etat des boitiers: réponse illisible: ") + QString::fromUtf8(m_reply.left(200)));
            break;
        }
        emit entriesReady(entries);
        break;
    }
    default:
        m_step = 0;
        m_relaunchTimer->start();
        m_stepTimer->stop();
        break;
    }
}

void BoxStatusPoller::relaunch()
{
    // A reply taken before a download held the refresh may be old: ask again.
    m_step = 0;
    m_relaunchTimer->stop();
    m_stepTimer->start();
}

void BoxStatusPoller::request()
{
    if (m_local) {
        answer(true, localReply(m_localFolder));
    } else if (m_api) {
        m_api->statusCompte(m_account);
    } else {
        note(QStringLiteral("Etat des boitiers: pas de connexion au serveur"));
        answer(false, QByteArray());
    }
}

void BoxStatusPoller::transferEnded(int operation, bool ok)
{
    if (operation != HttpFileApi::OpStatus || m_step != 1 || m_done)
        return;
    if (!ok)
        note(QStringLiteral("Etat des boitiers: la requête a échoué"));
    answer(ok, m_api ? m_api->statusText().toUtf8() : QByteArray());
}

void BoxStatusPoller::answer(bool ok, const QByteArray &reply)
{
    m_done = true;
    m_ok = ok;
    m_reply = reply;
}

QByteArray BoxStatusPoller::localReply(const QString &accountFolder)
{
    const QDir dir(accountFolder);
    QFile fixed(dir.filePath(QStringLiteral("STATUSBOX.json")));
    if (fixed.open(QIODevice::ReadOnly))
        return fixed.readAll();

    static const QStringList mediaFolders{QStringLiteral("IMAGE"), QStringLiteral("VIDEO"), QStringLiteral("TEXT"),
                                          QStringLiteral("LINKS")};
    QJsonObject boxes;
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (name.contains(QLatin1Char('.')) || mediaFolders.contains(name))
            continue;
        const QFileInfo status(dir.filePath(name + QStringLiteral("/STATUS.orvex")));
        const QString seen = status.exists() ? status.lastModified().toString(BoxStatus::lastSeenFormat())
                                             : QStringLiteral("null");
        boxes.insert(name, QJsonArray{seen, status.exists() ? QStringLiteral("0") : QStringLiteral("null"),
                                      updateState(dir.filePath(name))});
    }
    return QJsonDocument(boxes).toJson(QJsonDocument::Compact);
}
