// zoboxsim: stands in for the signage boxes of an account tree (tests and
// demo). It answers the COMMAND.orvex files that appear in box folders.
#include "BoxSimulator.h"
#include "TimeScale.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Answers COMMAND.orvex in the box folders of ROOT/zo_<account>/ as a box would.\n"
        "Waits are divided by ZOMANAGER_TIME_SCALE."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("root"), QStringLiteral("the zobox tree"));
    const QCommandLineOption account(QStringLiteral("account"), QStringLiteral("only this account folder (zo_name)"),
                                     QStringLiteral("folder"));
    const QCommandLineOption record(QStringLiteral("record"), QStringLiteral("append each command to this file"),
                                    QStringLiteral("file"));
    const QCommandLineOption state(QStringLiteral("state"), QStringLiteral("STATE written in STATUS.orvex (2)"),
                                   QStringLiteral("value"), QStringLiteral("2"));
    const QCommandLineOption delay(QStringLiteral("delay"), QStringLiteral("answer after this many ms (5000)"),
                                   QStringLiteral("ms"), QStringLiteral("5000"));
    const QCommandLineOption interval(QStringLiteral("interval"), QStringLiteral("look every this many ms (1000)"),
                                      QStringLiteral("ms"), QStringLiteral("1000"));
    // The panel counts a box connected while its report is under five
    // minutes old and looks every five minutes: a box reports every minute.
    const QCommandLineOption report(QStringLiteral("report"),
                                    QStringLiteral("every box rewrites STATUS.orvex every this many ms, as a "
                                                   "connected box does; 0: only when asked (60000)"),
                                    QStringLiteral("ms"), QStringLiteral("60000"));
    const QCommandLineOption once(QStringLiteral("once"),
                                  QStringLiteral("answer what is there now and report once, then quit"));
    parser.addOptions({account, record, state, delay, interval, report, once});
    parser.process(app);

    if (parser.positionalArguments().size() != 1 || !QDir(parser.positionalArguments().first()).exists()) {
        std::fputs("zoboxsim: give the zobox tree (an existing folder)\n", stderr);
        return 64;
    }
    BoxSimulator::Options options;
    options.root = parser.positionalArguments().first();
    options.account = parser.value(account);
    options.record = parser.value(record);
    options.state = parser.value(state);
    options.delayMs = parser.isSet(once) ? 0 : TimeScale::ms(parser.value(delay).toInt());
    bool reportOk = false;
    const int reportMs = parser.value(report).toInt(&reportOk);
    if (!reportOk || reportMs < 0) {
        std::fputs("zoboxsim: --report takes a number of ms (0: only when asked)\n", stderr);
        return 64;
    }
    BoxSimulator simulator(options);
    if (parser.isSet(once)) {
        simulator.scan();
        if (reportMs > 0)
            simulator.report();
        return 0;
    }
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &simulator, &BoxSimulator::scan);
    timer.start(qMax(1, TimeScale::ms(qMax(1, parser.value(interval).toInt()))));
    QTimer reports;
    if (reportMs > 0) {
        simulator.report();
        QObject::connect(&reports, &QTimer::timeout, &simulator, &BoxSimulator::report);
        reports.start(qMax(1, TimeScale::ms(reportMs)));
    }
    std::fputs("zoboxsim: watching\n", stdout);
    std::fflush(stdout);
    return app.exec();
}
