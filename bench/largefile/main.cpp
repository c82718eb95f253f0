// Uploads one file of 128,000,000 bytes or more through the console's path
// (HttpFileApi::doUploadFileHttp handing it to LargeFileUpload, over FTP)
// and prints the time it took.
//
//   zo_largefile_bench <file> <account folder> <server folder>
//   (with ZO_FTP_HOST, ZO_FTP_PORT, ZO_FTP_USER and ZO_FTP_PASS set)
//
// Prints "console_ms=<ms>"; exits 1 when the upload failed.
#include "../BenchStart.h"
#include "HttpFileApi.h"
#include "LargeFileUpload.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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
    const QFileInfo file(args.value(1));
    if (args.size() < 4 || !file.isFile() || qEnvironmentVariable("ZO_FTP_PORT").isEmpty()) {
        err << "usage: ZO_FTP_HOST=.. ZO_FTP_PORT=.. ZO_FTP_USER=.. ZO_FTP_PASS=.. "
               "zo_largefile_bench <file> <account folder> <server folder>\n";
        return 2;
    }

    HttpFileApi api;
    api.setWorkFolder(work.path() + '/');
    api.setAccountFolder("/zolink/zobox/" + args.at(2));
    QTimer timer;
    timer.setInterval(10);
    LargeFileUpload upload(&api, &timer);
    upload.setAccount(qEnvironmentVariable("ZO_FTP_HOST") + ':' + qEnvironmentVariable("ZO_FTP_PORT"),
                      qEnvironmentVariable("ZO_FTP_USER"), qEnvironmentVariable("ZO_FTP_PASS"),
                      "/zolink/zobox/" + args.at(2));
    QObject::connect(&api, &HttpFileApi::signalTransferEnded, &app, &QCoreApplication::quit);
    const auto report = [&](QString text) {
        err << text << '\n';
    };
    QObject::connect(&upload, &LargeFileUpload::signalInformation, &app, [&](QString, QString text) { report(text); });
    QObject::connect(&upload, &LargeFileUpload::signalConnectError, &app, report);
    QObject::connect(&upload, &LargeFileUpload::signalMessageProblem, &app, report);

    QElapsedTimer clock;
    clock.start();
    api.doUploadFileHttp(file.fileName(), file.absolutePath() + '/', args.at(3));
    if (!upload.running()) {
        err << "file under 128,000,000 bytes: it would go by HTTP\n";
        return 2;
    }
    app.exec();
    const qint64 ms = clock.elapsed();

    out << "console_ms=" << ms << '\n';
    if (api.doneFlag(2)) {
        err << "upload failed\n";
        return 1;
    }
    return 0;
}
