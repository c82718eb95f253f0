// Times one upload or download through QFtp, for bench/ftp_bench.sh.
// Usage: bench_ftp put|get LOCAL REMOTE [--active]
// The server comes from ZO_FTP_HOST, ZO_FTP_PORT, ZO_FTP_USER, ZO_FTP_PASS.

#include "QFtp.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4 || (args.at(1) != QLatin1String("put") && args.at(1) != QLatin1String("get"))) {
        std::fprintf(stderr, "usage: bench_ftp put|get LOCAL REMOTE [--active]\n");
        return 2;
    }
    const bool upload = args.at(1) == QLatin1String("put");
    const QString host = qEnvironmentVariable("ZO_FTP_HOST", QStringLiteral("127.0.0.1"));
    const quint16 port = quint16(qEnvironmentVariableIntValue("ZO_FTP_PORT"));

    QFile local(args.at(2));
    if (!local.open(upload ? QIODevice::ReadOnly : QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "bench_ftp: %s: %s\n", qPrintable(local.fileName()), qPrintable(local.errorString()));
        return 1;
    }

    QFtp ftp;
    if (args.contains(QLatin1String("--active")))
        ftp.setTransferMode(QFtp::Active);
    ftp.connectToHost(host, port ? port : 21);
    ftp.login(qEnvironmentVariable("ZO_FTP_USER"), qEnvironmentVariable("ZO_FTP_PASS"));
    const int transfer = upload ? ftp.put(&local, args.at(3)) : ftp.get(args.at(3), &local);
    ftp.close();

    QElapsedTimer timer;
    qint64 elapsed = -1;
    QString failure;
    QObject::connect(&ftp, &QFtp::commandStarted, [&](int id) {
        if (id == transfer)
            timer.start();
    });
    QObject::connect(&ftp, &QFtp::commandFinished, [&](int id, bool error) {
        if (id == transfer)
            elapsed = timer.elapsed();
        if (error && failure.isEmpty())
            failure = ftp.errorString();
    });
    QObject::connect(&ftp, &QFtp::done, &app, [&](bool) { app.quit(); });
    app.exec();

    if (!failure.isEmpty() || elapsed < 0) {
        std::fprintf(stderr, "bench_ftp: %s\n", qPrintable(failure.isEmpty() ? QStringLiteral("no transfer") : failure));
        return 1;
    }
    local.close();
    std::printf("%s %lld bytes in %lld ms\n", upload ? "put" : "get", static_cast<long long>(local.size()),
                static_cast<long long>(elapsed));
    return 0;
}
