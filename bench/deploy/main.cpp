// Deploys a work folder's DATA/ to two boxes of the server at ZO_STANDIN_URL
// through the console's box deployment (BoxDeployment on its 50 ms timer,
// ListTransfers, HttpFileApi) and prints the time.
//
//   zo_deploy_bench <work folder> <account name> <box1> <box2>
//
// The work folder holds DATA/ (PLAYER.orvex and the media) and TEMP/MEDIA.orvex.
// Prints "console_ms=<ms>", the time without the read-back's wait between
// its two reads of each box (ReadBack::SecondReadMs a box, a fixed pause
// that no link makes shorter), and "wait_ms=<ms>", that wait; exits 1 when
// it did not end with success.
#include "../BenchStart.h"
#include "BoxDeployment.h"
#include "ClassParam.h"
#include "HttpFileApi.h"
#include "ListTransfers.h"
#include "MediaAlignment.h"
#include "ReadBack.h"
#include "RevisionCounters.h"
#include "TimeScale.h"

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
    const QString base = benchStandInUrl(
        args, 5, "usage: ZO_STANDIN_URL=http://127.0.0.1:18080/ zo_deploy_bench <work> <account> <box1> <box2>");
    if (base.isEmpty())
        return 2;
    const QString work = QDir(args.at(1)).absolutePath() + '/';
    const QString box = args.at(3);

    HttpFileApi api;
    api.setBaseUrl(base);
    api.setWorkFolder(work);
    api.setAccountFolder("/zolink/zobox/zo_" + args.at(2));
    ListTransfers lists(&api);
    lists.setSelectedBox([box] { return box; });
    ClassParam player, media, login;
    RevisionCounters revisions(&player, &media);
    revisions.setWorkFolder(work);
    revisions.getIDfilePlayer();
    // Each run starts from empty box folders: the counter question says go on.
    revisions.setQuestion([](const QString &) { return true; });
    MediaAlignment alignment(&api, &login, &media);
    alignment.setWorkFolder(work);
    QTimer timer;
    timer.setInterval(50);
    BoxDeployment deploy(&api, &lists, &revisions, &player, &timer);
    deploy.setWorkFolder(work);
    deploy.setAccountName(args.at(2));
    deploy.setSelectedBox([box] { return box; });
    const QStringList targets{args.at(3), args.at(4)};
    deploy.setChooser([targets](QStringList *chosen) {
        *chosen = targets;
        return true;
    });
    deploy.setDownloader([&alignment](QString local, QString name, QString folder, QString chk) {
        return alignment.slotTelechargerFichier(local, name, folder, chk);
    });
    QObject::connect(&timer, &QTimer::timeout, &deploy, &BoxDeployment::slotProcessDeploy);
    QObject::connect(&lists, &ListTransfers::sequenceFailed, &deploy, &BoxDeployment::sequenceFailed);

    bool ok = false;
    QObject::connect(&deploy, &BoxDeployment::signalTermine, [&] { ok = true; });
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!deploy.running())
            app.quit();
    });
    QElapsedTimer clock;
    clock.start();
    deploy.start();
    watch.start();
    app.exec();
    const qint64 elapsed = clock.elapsed();
    const qint64 wait = qint64(targets.size()) * TimeScale::ms(ReadBack::SecondReadMs);
    out << "console_ms=" << qMax<qint64>(0, elapsed - wait) << '\n' << "wait_ms=" << wait << '\n';
    return ok ? 0 : 1;
}
