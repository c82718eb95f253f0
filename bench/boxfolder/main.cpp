// Downloads one box folder of the server at ZO_STANDIN_URL into a fresh
// DATA folder through the console's box folder download (BoxFolderDownload
// on its 10 ms timer, ListTransfers, HttpFileApi) and prints the time.
//
//   zo_boxfolder_bench <account folder> <box folder>
//
// Prints "console_ms=<ms>" and "files=<n>"; exits 1 when it failed.
#include "BoxFolderDownload.h"
#include "ClassParam.h"
#include "../BenchStart.h"
#include "HttpFileApi.h"
#include "ListTransfers.h"
#include "RevisionCounters.h"
#include "TransferProgress.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

int main(int argc, char **argv)
{
    QTemporaryDir work;
    qputenv("ZOMANAGER_WORKDIR", work.path().toUtf8());
    QCoreApplication app(argc, argv);
    benchQuietMessages();
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    const QString base = benchStandInUrl(args, 3, 
                                           "usage: ZO_STANDIN_URL=http://127.0.0.1:18080/ zo_boxfolder_bench <account folder> <box folder>");
    if (base.isEmpty())
        return 2;
    const QString folder = work.path() + '/';
    QDir(folder).mkpath("DATA");
    QDir(folder).mkpath("LOG");

    HttpFileApi api;
    api.setBaseUrl(base);
    api.setWorkFolder(folder);
    api.setAccountFolder("/zolink/zobox/" + args.at(1));
    ListTransfers lists(&api);
    const QString box = args.at(2);
    lists.setSelectedBox([box] { return box; });
    TransferProgress progress(&api);
    ClassParam player;
    ClassParam media;
    RevisionCounters revisions(&player, &media);
    revisions.setWorkFolder(folder);
    QTimer boxTimer;
    boxTimer.setInterval(10);
    QTimer statusTimer;
    BoxFolderDownload download(&api, &lists, &progress, &revisions, &boxTimer, &statusTimer);
    download.setWorkFolder(folder);
    QObject::connect(&boxTimer, &QTimer::timeout, &download, &BoxFolderDownload::slotDownloadFileBox);

    bool ok = false;
    QObject::connect(&download, &BoxFolderDownload::signalLayout, [&] {
        ok = true;
        app.quit();
    });
    QObject::connect(&download, &BoxFolderDownload::signalFailed, &app, &QCoreApplication::quit);
    QElapsedTimer clock;
    clock.start();
    download.start();
    app.exec();
    const qint64 ms = clock.elapsed();
    const int files = QDir(folder + "DATA").entryList(QDir::Files).size();
    out << "console_ms=" << ms << "\nfiles=" << files << '\n';
    return ok ? 0 : 1;
}
