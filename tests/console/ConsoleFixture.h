#pragma once

#include "ClassParam.h"
#include "ModalAnswerer.h"
#include "ZoTestInit.h"

#include <QByteArray>
#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

// A fresh work folder for each test: ZOMANAGER_WORKDIR points at it, so the
// panel makes its folders and writes its logs there.
class WorkDirFixture
{
public:
    WorkDirFixture() { qputenv("ZOMANAGER_WORKDIR", m_dir.path().toLocal8Bit()); }
    ~WorkDirFixture() { qunsetenv("ZOMANAGER_WORKDIR"); }

    bool isValid() const { return m_dir.isValid(); }
    QString path(const QString &relative = QString()) const { return m_dir.path() + QLatin1Char('/') + relative; }

    // Today's lines of the main log.
    QByteArray mainLog() const { return mainLogOf(path(QString())); }

    static QByteArray mainLogOf(const QString &workFolder)
    {
        const QDir logs(workFolder + QStringLiteral("/LOG"));
        QByteArray all;
        for (const QString &name : logs.entryList({QStringLiteral("*-OrvexLog.log")}, QDir::Files)) {
            QFile file(logs.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                all += file.readAll();
        }
        return all;
    }

private:
    QTemporaryDir m_dir;
};

// The panel starts its start-up machine when built; a test that is not about
// start-up stops it so that no account check runs under it.
inline void stopStartup(QWidget *panel)
{
    for (QTimer *timer : panel->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (timer->isActive() && timer->interval() == 1)
            timer->stop();
    }
}

// Waits until the panel's page stack shows after the start-up. A box opened
// meanwhile (a refused login, say) is cancelled and its text goes to `box`:
// the test fails with it instead of blocking on it.
inline bool waitPanelShown(QWidget *panel, QString *box, int ms = 30000)
{
    ModalAnswerer boxes;
    auto *stack = panel->findChild<QWidget *>(QStringLiteral("panelStack"));
    const bool ended = QTest::qWaitFor([&] { return (stack && stack->isVisible()) || boxes.unexpected() > 0; }, ms);
    *box = boxes.texts().join(QStringLiteral(" | "));
    return ended && boxes.done() && stack->isVisible();
}

// Waits until the panel's screen list holds `serial` (after a login).
inline bool waitScreenListed(QWidget *panel, const QString &serial, int ms = 20000)
{
    auto *screens = panel->findChild<QListWidget *>(QStringLiteral("screensList"));
    return screens && QTest::qWaitFor([&] { return !screens->findItems(serial, Qt::MatchExactly).isEmpty(); }, ms);
}

// Prepares the bundled demo account in `folder`: a copy of the one made once
// per run (ZO_DEMO_DIR, tests registered with DEMO) with LOCALPATH moved to
// the copy, else a run of tools/make-demo.sh (also for a demo of a feed
// address of its own, ZO_DEMO_FEED_URL). False (with the reason logged) when
// it could not.
inline bool makeDemoAccount(const QString &folder)
{
    const QString made = qEnvironmentVariable("ZO_DEMO_DIR");
    if (!made.isEmpty() && qEnvironmentVariableIsEmpty("ZO_DEMO_FEED_URL")) {
        if (!QFileInfo::exists(made + QStringLiteral("/CONNEXION.txt"))) {
            qWarning().noquote() << "no demo account in" << made << "(made by the test demo_account)";
            return false;
        }
        const QString target = QFileInfo(folder).absoluteFilePath();
        QDirIterator it(made, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString copy = target + path.mid(made.size());
            const bool ok = it.fileInfo().isDir() ? QDir().mkpath(copy)
                                                  : QDir().mkpath(QFileInfo(copy).path()) && QFile::copy(path, copy);
            if (!ok) {
                qWarning().noquote() << "cannot copy" << path << "to" << copy;
                return false;
            }
        }
        // The only value that names the folder; the rest is the same bytes.
        ClassParam connexion;
        return connexion.setParamCrypt(target + QStringLiteral("/CONNEXION.txt"), QStringLiteral("LOCALPATH"),
                                       target + QStringLiteral("/server/zolink/zobox/"));
    }
    QProcess script;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PARAMTOOL"), qEnvironmentVariable("ZO_BIN_DIR") + QStringLiteral("/paramtool"));
    script.setProcessEnvironment(env);
    script.start(QStringLiteral("bash"),
                 {qEnvironmentVariable("ZO_SOURCE_DIR") + QStringLiteral("/tools/make-demo.sh"), folder});
    if (!script.waitForFinished(-1) || script.exitStatus() != QProcess::NormalExit || script.exitCode() != 0) {
        qWarning().noquote() << script.readAllStandardError();
        return false;
    }
    return true;
}
