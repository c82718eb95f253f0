// Downloads one file of the account folder at ZO_STANDIN_URL through the
// console's download path (HttpFileApi::downloadFileHttp) and prints what it
// cost the process: time, peak memory above the idle figure, and the
// longest the event loop went without turning.
//
//   zo_httpdownload_bench <name> [account folder, default zo_bench]
//
// Prints "console_ms=", "bytes=", "idle_kb=", "peak_kb=" and "stall_ms=";
// exits 1 when the download failed.
#include "../BenchStart.h"
#include "../../tests/common/ProcessStatus.h"
#include "HttpFileApi.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    const QString base = benchStandInUrl(args, 2,
                                         "usage: ZO_STANDIN_URL=http://127.0.0.1:18080/ zo_httpdownload_bench <name> [account folder]");
    if (base.isEmpty())
        return 2;

    HttpFileApi api;
    api.setBaseUrl(base);
    api.setWorkFolder(work.path() + '/');
    api.setAccountFolder("/zolink/zobox/" + args.value(2, QStringLiteral("zo_bench")));
    QObject::connect(&api, &HttpFileApi::signalGetFileFinish, &app, &QCoreApplication::quit);

    // The loop's pulse: the longest gap between two 5 ms ticks, less 5 ms.
    QElapsedTimer pulse;
    qint64 longest = 0;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = qMax(longest, pulse.restart() - 5);
    });

    const QString target = work.path() + '/' + args.at(1);
    if (!api.openTransferFile(target)) {
        err << "cannot write " << target << '\n';
        return 2;
    }
    // Everything is set up: the figure the download is measured against.
    resetPeakResident();
    const qint64 idle = processStatusKb("VmRSS:");

    QElapsedTimer clock;
    clock.start();
    pulse.start();
    tick.start();
    api.downloadFileHttp(QString(), args.at(1));
    if (!api.doneFlag(1))
        app.exec();
    const qint64 ms = clock.elapsed();
    tick.stop();

    out << "console_ms=" << ms << '\n';
    out << "bytes=" << QFileInfo(target).size() << '\n';
    out << "idle_kb=" << idle << '\n';
    out << "peak_kb=" << processStatusKb("VmHWM:") << '\n';
    out << "stall_ms=" << longest << '\n';
    if (!api.lastSucceeded(HttpFileApi::OpDownload)) {
        err << "download failed\n";
        return 1;
    }
    return 0;
}
