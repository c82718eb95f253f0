// Uploads one file to the server at ZO_STANDIN_URL through the console's
// upload path (HttpFileApi::doUploadFileHttp) and prints the time it took.
//
//   zo_http_bench <file> [account folder, default zo_bench]
//
// Prints "console_ms=<ms>"; exits 1 when the upload failed.
#include "../BenchStart.h"
#include "HttpFileApi.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char **argv)
{
    // The API's logs go to a throw-away work folder.
    QTemporaryDir work;
    qputenv("ZOMANAGER_WORKDIR", work.path().toUtf8());
    QCoreApplication app(argc, argv);
    benchQuietMessages();

    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    const QString base = benchStandInUrl(args, 2, 
                                           "usage: ZO_STANDIN_URL=http://127.0.0.1:18080/ zo_http_bench <file> [account folder]");
    if (base.isEmpty())
        return 2;
    const QFileInfo file(args.at(1));
    if (!file.isFile()) {
        err << "no such file: " << args.at(1) << '\n';
        return 2;
    }

    HttpFileApi api;
    api.setBaseUrl(base);
    api.setWorkFolder(work.path() + '/');
    api.setAccountFolder("/zolink/zobox/" + args.value(2, QStringLiteral("zo_bench")));
    QObject::connect(&api, &HttpFileApi::signalPutFileFinish, &app, &QCoreApplication::quit);
    QObject::connect(&api, &HttpFileApi::signalEnvoiGrosFichier, &app, [&] {
        err << "file of 128,000,000 bytes or more: it would go by FTP\n";
        app.exit(2);
    });

    QElapsedTimer clock;
    clock.start();
    api.doUploadFileHttp(file.fileName(), file.absolutePath() + '/', QString());
    if (!api.doneFlag(3) && app.exec() == 2)
        return 2;
    const qint64 ms = clock.elapsed();

    out << "console_ms=" << ms << '\n';
    if (api.doneFlag(2)) {
        err << "upload failed\n";
        return 1;
    }
    return 0;
}
