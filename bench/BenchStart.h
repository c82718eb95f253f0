#pragma once

#include <QCoreApplication>
#include <QTextStream>

// Shared start of the stand-in benchmarks: only warnings reach the screen.
inline void benchQuietMessages()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg && type != QtInfoMsg)
            QTextStream(stderr) << message << '\n';
    });
}

// ZO_STANDIN_URL, or empty after printing `usage` when it or the arguments
// are missing.
inline QString benchStandInUrl(const QStringList &args, int needed, const char *usage)
{
    const QString base = qEnvironmentVariable("ZO_STANDIN_URL");
    if (args.size() < needed || base.isEmpty()) {
        QTextStream(stderr) << usage << '\n';
        return QString();
    }
    return base;
}
