#pragma once

// A work folder, an account on the stand-in tree and an HttpFileApi on it,
// for the step machines built on the transfer layer. The same tree serves
// local mode: LOCALPATH is the stand-in's zobox folder.

#include "AppGlobals.h"
#include "HttpFileApi.h"
#include "StandIn.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <functional>

class SequenceFixture
{
public:
    void setUp()
    {
        static int counter = 0;
        m_name = QString("q%1x%2y").arg(QCoreApplication::applicationPid()).arg(++counter);
        m_dir.reset(new QTemporaryDir);
        m_work = m_dir->filePath("work/");
        for (const char *folder : {"DATA", "TEMP", "IMAGE", "LOG"})
            QDir(m_work).mkpath(folder);
        ApplicationPath = m_work;
        qputenv("ZOMANAGER_WORKDIR", m_dir->path().toUtf8());
        QDir().mkpath(tree(account()));
    }

    void tearDown()
    {
        m_api.reset();
        if (StandIn::running()) {
            StandIn::reset(QString());
            QDir(tree(account())).removeRecursively();
        }
    }

    HttpFileApi *makeApi(bool local = false)
    {
        m_api.reset(new HttpFileApi);
        m_api->setBaseUrl(StandIn::url());
        m_api->setWorkFolder(m_work);
        m_api->setAccountFolder("/zolink/zobox/" + account());
        if (local)
            m_api->setLocalMode(true, StandIn::root() + '/');
        return m_api.data();
    }

    QString tree(const QString &relative = QString()) const { return StandIn::root() + '/' + relative; }
    QString account() const { return "zo_" + m_name; }
    QString work(const QString &relative = QString()) const { return m_work + relative; }

    static void writeFile(const QString &path, const QByteArray &data)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(data);
    }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // name -> bytes of every plain file of `folder`.
    static QMap<QString, QByteArray> filesOf(const QString &folder)
    {
        QMap<QString, QByteArray> files;
        for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
            files.insert(name, readFile(QDir(folder).filePath(name)));
        return files;
    }

    // Calls `tick` every millisecond until it returns true or `stop` does;
    // false when neither happened within `ms`.
    static bool drive(const std::function<bool()> &tick, const std::function<bool()> &stop, int ms = 20000)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            if (tick())
                return true;
            if (stop && stop())
                return false;
            QTest::qWait(1);
        }
        return false;
    }

    // "CMD target" lines of this process's requests logged after `mark`
    // (its accounts, the shared DEFAULT folder and any text of `shared`): a
    // late line of another test does not count.
    static QStringList requests(qint64 mark, int count = 0, const QStringList &shared = {})
    {
        QStringList lines;
        const QString mine = QString("zo_q%1x").arg(QCoreApplication::applicationPid());
        QList<QJsonObject> entries;
        QDeadlineTimer deadline(3000);
        do {
            entries.clear();
            for (const QJsonObject &entry : StandIn::entries(mark, QString(), 0, 0)) {
                const QByteArray text = QJsonDocument(entry).toJson(QJsonDocument::Compact);
                bool sharedFolder = text.contains("/DEFAULT/");
                for (const QString &folder : shared)
                    sharedFolder = sharedFolder || text.contains(folder.toUtf8());
                if (text.contains(mine.toUtf8()) || sharedFolder)
                    entries << entry;
            }
            if (entries.size() >= count)
                break;
            QThread::msleep(20);
        } while (!deadline.hasExpired());
        for (const QJsonObject &entry : entries) {
            const QJsonObject query = entry.value("query").toObject();
            const QString route = entry.value("route").toString();
            if (route.startsWith("/_standin"))
                continue;
            if (route == "/zobox/json_Cmd.php") {
                const QString cmd = query.value("Cmd_Php").toString();
                QString target = query.value(cmd == "SCANDIR" ? "PathScanDir"
                                             : cmd == "DELETE_FILE" ? "PathFile"
                                             : cmd == "RENAME_DIR_FILE" ? "PathOldName" : "PathDir").toString();
                if (cmd == "RENAME_DIR_FILE")
                    target += " " + query.value("PathNewName").toString();
                // The server ignores empty segments.
                lines << cmd + " " + target.replace("//", "/");
            } else if (route == "/zobox/upload.php") {
                lines << "UPLOAD " + query.value("Upload_Path").toString()
                             + entry.value("upload").toObject().value("name").toString();
            } else {
                lines << entry.value("method").toString() + " " + route;
            }
        }
        return lines;
    }

    QScopedPointer<QTemporaryDir> m_dir;
    QString m_work;
    QString m_name;
    QScopedPointer<HttpFileApi> m_api;
};
