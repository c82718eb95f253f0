// Sends the pictures of a work folder's IMAGE/ to the server at
// ZO_STANDIN_URL through the console's media deployment (MediaDeployment on
// its 50 ms timer, ListTransfers, HttpFileApi), then its media index, and
// prints the time.
//
//   zo_mediadeploy_bench <work folder> <account name> [--journal]
//
// --journal: the pictures are first indexed and journalled here as an
// import leaves them (one batch), so that the run merges that journal into
// the server's index and rewrites it.
//
// The account's server folder must hold a MEDIA.orvex. Prints
// "console_ms=<ms>", "files=<n>" and "stall_ms=<longest event-loop block>";
// exits 1 when it did not end with the index read back.
#include "../BenchStart.h"
#include "../StallMeter.h"
#include "ClassParam.h"
#include "HttpFileApi.h"
#include "ListTransfers.h"
#include "MediaAlignment.h"
#include "MediaDeployment.h"
#include "ReadBack.h"
#include "MediaLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

int main(int argc, char **argv)
{
    QTemporaryDir logs;
    qputenv("ZOMANAGER_WORKDIR", logs.path().toUtf8());
    QCoreApplication app(argc, argv);
    benchQuietMessages();
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    const QString base =
        benchStandInUrl(args, 3, "usage: ZO_STANDIN_URL=http://127.0.0.1:18080/ zo_mediadeploy_bench <work> <account>");
    if (base.isEmpty())
        return 2;
    const QString work = QDir(args.at(1)).absolutePath() + '/';
    QDir(work).mkpath("TEMP");

    HttpFileApi api;
    api.setBaseUrl(base);
    api.setWorkFolder(work);
    api.setAccountFolder("/zolink/zobox/zo_" + args.at(2));
    ListTransfers lists(&api);
    ClassParam login, media;
    MediaAlignment alignment(&api, &login, &media);
    alignment.setWorkFolder(work);
    QTimer timer;
    timer.setInterval(50);
    MediaDeployment deploy(&api, &lists, &timer);
    deploy.setWorkFolder(work);
    deploy.setDownloader([&alignment](QString local, QString name, QString folder, QString chk) {
        return alignment.slotTelechargerFichier(local, name, folder, chk);
    });
    QObject::connect(&timer, &QTimer::timeout, &deploy, &MediaDeployment::slotProcessDeployMedia);
    QObject::connect(&lists, &ListTransfers::sequenceFailed, &deploy, &MediaDeployment::sequenceFailed);

    QStringList pictures;
    for (const QString &name : QDir(work + "IMAGE").entryList(QDir::Files, QDir::Name))
        pictures << "IMAGE/" + name;
    if (args.contains(QStringLiteral("--journal"))) {
        MediaLibrary library(work);
        library.load();
        library.beginBatch();
        for (const QString &path : qAsConst(pictures))
            library.add(MediaLibrary::Picture, path, QStringLiteral("bench"), QStringLiteral("ADMINISTRATEUR"));
        if (!library.commitBatch()) {
            QTextStream(stderr) << "the pictures could not be indexed and journalled\n";
            return 1;
        }
    }
    bool ok = true;
    QObject::connect(&deploy, &MediaDeployment::signalFinished, &app, &QCoreApplication::quit);
    QObject::connect(&lists, &ListTransfers::sequenceFailed, [&](int code) {
        QTextStream(stderr) << "transfer failed, code " << code << '\n';
        ok = false;
    });
    QObject::connect(&deploy, &MediaDeployment::signalCorrupt, [&](const QString &text) {
        QTextStream(stderr) << text << '\n';
        ok = false;
    });
    QObject::connect(&deploy, &MediaDeployment::signalErreurConnexion, [&](int code) {
        QTextStream(stderr) << "connection error " << code << '\n';
        ok = false;
    });
    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    stalls.start();
    deploy.start(pictures, {}, {}, {}, {}, {}, true);
    app.exec();
    // The pause between the index's two reads is a wait, not link time.
    const qint64 wait = ReadBack::SecondReadMs;
    out << "console_ms=" << qMax<qint64>(0, clock.elapsed() - wait) << "\nwait_ms=" << wait << "\nfiles=" << pictures.size() << "\nstall_ms=" << stalls.longestMs()
        << '\n';
    return ok ? 0 : 1;
}
