// Runs the console's login (LoginSequence on its 1 ms timer, saved login)
// against the account at ZO_STANDIN_URL into a work folder that already
// holds some of the media, and prints the total time, the time spent in
// checksums and the longest gap of the event loop (a 1 ms probe timer).
//
//   zo_mediaalign_bench <account folder> <work folder>
//
// Prints "console_ms=", "checksum_ms=", "stall_ms=", "files="; exits 1 on failure.
#include "../BenchStart.h"
#include "Checksum.h"
#include "ClassParam.h"
#include "HttpFileApi.h"
#include "LoginSequence.h"
#include "MediaAlignment.h"
#include "RevisionCounters.h"
#include "SessionDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>

namespace {

// The saved login needs no dialog; any other one is a failure.
class NoDialogs : public SessionDialogs
{
public:
    bool failed = false;
    QString askText(const QString &, bool) override { failed = true; return QString(); }
    bool ask(const QString &) override { return false; }
    void error(const QString &text) override
    {
        QTextStream(stderr) << "login error: " << text << '\n';
        failed = true;
        QCoreApplication::exit(1);
    }
    void message(const QString &, const QString &text, bool) override { QTextStream(stderr) << text << '\n'; }
    QString openFile(const QString &, const QString &, const QString &) override { return QString(); }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchQuietMessages();
    const QStringList args = app.arguments();
    const QString base = benchStandInUrl(args, 3,
                                         "usage: ZO_STANDIN_URL=http://127.0.0.1:18080/ zo_mediaalign_bench <account folder> <work folder>");
    if (base.isEmpty())
        return 2;
    const QString work = QDir(args.at(2)).absolutePath() + '/';
    qputenv("ZOMANAGER_WORKDIR", work.toUtf8());

    HttpFileApi api;
    api.setBaseUrl(base);
    api.setWorkFolder(work);
    api.setAccountFolder("/zolink/zobox/" + args.at(1));
    ClassParam login;
    ClassParam media;
    ClassParam account;
    account.getParamCrypt(work + "CONNEXION.txt", QStringList{"ALL"}, 0);
    MediaAlignment alignment(&api, &login, &media);
    alignment.setWorkFolder(work);
    RevisionCounters revisions(&login, &media);
    revisions.setWorkFolder(work);
    NoDialogs dialogs;
    QTimer timer;
    timer.setInterval(1);
    LoginSequence sequence(&api, &alignment, &revisions, &login, &media, &account, &dialogs, &timer);
    sequence.setWorkFolder(work);
    sequence.setAccount(args.at(1).mid(3), QString(), 100);
    QObject::connect(&timer, &QTimer::timeout, &sequence, &LoginSequence::slotLoginUtilisateur);
    QObject::connect(&sequence, &LoginSequence::SignalUpdateMediaFile, &sequence, &LoginSequence::slotUpdateMediaFinish);
    QObject::connect(&sequence, &LoginSequence::signalFinished, &app, &QCoreApplication::quit);

    // The event loop's longest gap.
    QTimer probe;
    probe.setInterval(1);
    QElapsedTimer gap;
    qint64 stall = 0;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        stall = qMax(stall, gap.restart());
    });

    QElapsedTimer clock;
    clock.start();
    gap.start();
    probe.start();
    timer.start();
    const int code = app.exec();
    const qint64 total = clock.elapsed();
    probe.stop();

    // The checksums the run computed: every current file once, every
    // downloaded one once more.
    QElapsedTimer sums;
    sums.start();
    int files = 0;
    for (const char *folder : {"IMAGE", "VIDEO", "TEXT"}) {
        for (const QString &name : QDir(work + folder).entryList(QDir::Files)) {
            CalculChecksum(work + folder + "/" + name);
            ++files;
        }
    }
    QTextStream out(stdout);
    out << "console_ms=" << total << "\nchecksum_ms=" << sums.elapsed() << "\nstall_ms=" << stall << "\nfiles=" << files
        << '\n';
    return code == 0 && !dialogs.failed ? 0 : 1;
}
