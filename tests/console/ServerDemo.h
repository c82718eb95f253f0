#pragma once

// The demo account served by the stand-in under an account name of its own,
// and the top window logged in on it as the administrator "demo" (server
// mode, over HTTP; large files by FTP to the stand-in's pyftpdlib). Needs a running stand-in (ZO_NEED_STANDIN first).

#include "../transfer/StandIn.h"
#include "AnimationStackedWidget.h"
#include "ClassParam.h"
#include "ConsoleFixture.h"
#include "ZoManager.h"
#include "classPrincipal.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class ServerDemo
{
public:
    ~ServerDemo() { stop(); }

    // Demo account locally and on the stand-in as zo_<prefix><pid>.
    bool prepare(const QString &prefix)
    {
        zoInitWidgetTest();
        Q_INIT_RESOURCE(qml);
        m_work = m_dir.filePath(QStringLiteral("demo"));
        if (!m_dir.isValid() || !makeDemoAccount(m_work))
            return false;
        const QString name = prefix + QString::number(QCoreApplication::applicationPid());
        m_account = QStringLiteral("zo_") + name;
        QDir(server()).removeRecursively();
        const QString source = m_work + QStringLiteral("/server/zolink/zobox/zo_demo/");
        QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString target = server(path.mid(source.size()));
            if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(path, target))
                return false;
        }
        ClassParam connexion;
        const QString file = m_work + QStringLiteral("/CONNEXION.txt");
        for (const auto &kv : QList<QPair<QString, QString>>{{"MODE", "SERVEUR"},
                                                             {"FTPPATH", "/zolink/zobox/" + m_account},
                                                             {"COMPTEADMIN", name},
                                                             {"USERLOGIN", "demo"},
                                                             {"PASSWORDLOGIN", "demo"},
                                                             {"FTPSERVEUR", ftpServer()},
                                                             {"FTPLOGIN", qEnvironmentVariable("ZO_FTP_USER")},
                                                             {"FTPPASSWORD", qEnvironmentVariable("ZO_FTP_PASS")}}) {
            if (!connexion.setParamCrypt(file, kv.first, kv.second))
                return false;
        }
        return true;
    }

    // The stand-in's pyftpdlib, as the account file names it ("host:port").
    static QString ftpServer()
    {
        return qEnvironmentVariable("ZO_FTP_HOST") + QLatin1Char(':') + qEnvironmentVariable("ZO_FTP_PORT");
    }

    // The top window at 1280x800, logged in; true once the panel shows.
    bool start()
    {
        qputenv("ZOMANAGER_WORKDIR", m_work.toLocal8Bit());
        qputenv("ZOMANAGER_BASE_URL", StandIn::url().toUtf8());
        m_window.reset(new ZoManager);
        m_window->resize(1280, 800);
        m_window->show();
        QString box;
        if (!waitPanelShown(panel(), &box, 40000)) {
            qWarning().noquote() << "the panel did not show:" << box;
            return false;
        }
        return !panel()->localMode();
    }

    void stop()
    {
        m_window.reset();
        qunsetenv("ZOMANAGER_WORKDIR");
        qunsetenv("ZOMANAGER_BASE_URL");
        if (!m_account.isEmpty() && StandIn::running())
            QDir(server()).removeRecursively();
        m_account.clear();
    }

    ZoManager *window() const { return m_window.get(); }
    classPrincipal *panel() const { return m_window->panel(); }
    QString account() const { return m_account; }
    QString work(const QString &relative = QString()) const { return m_work + QLatin1Char('/') + relative; }
    QString server(const QString &relative = QString()) const
    {
        return StandIn::root() + QLatin1Char('/') + m_account + QLatin1Char('/') + relative;
    }

private:
    QTemporaryDir m_dir;
    QString m_work;
    QString m_account;
    std::unique_ptr<ZoManager> m_window;
};
