// Parameter-file and checksum figures, each beside a reference measured in
// the same run: reading every key against reading one, and CalculChecksum
// against md5sum on the same files.
#include "Checksum.h"
#include "ClassParam.h"
#include "OperationJournal.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

const char *const kPosterKeys[] = {
    "SLIDETYPE", "WIDGETMETEO", "WIDGETRSS", "WIDGETHEURE", "WIDGETLIKESFACEBOOK", "WIDGETSITEWEB", "SLIDEDELAY",
    "SLIDENAMEIMAGE", "SLIDENAMEIMAGECHK", "SLIDENAMEVIDEO", "SLIDENAMEVIDEOCHK", "SLIDENAMETXT", "SLIDENAMETXTCHK",
    "SLIDEOPACITY", "DATEDEBUT", "HEUREDEBUT", "DATEFIN", "HEUREFIN", "NOMAFFICHE", "DATEDEBUT1", "HEUREDEBUT1",
    "DATEFIN1", "HEUREFIN1", "JOURSSEMAINE", "JOURSSEMAINE1", "NUMEROECRAN"};

// Best of `rounds` runs of `work`, in milliseconds.
double bestOf(int rounds, const std::function<void()> &work)
{
    double best = 1e300;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

void row(const char *what, double ms, const char *refName, double refMs, double target)
{
    const double ratio = ms / refMs;
    std::printf("%-44s %10.3f ms   %-22s %10.3f ms   ratio %5.2f  (target <= %.2f) %s\n", what, ms, refName, refMs, ratio,
                target, ratio <= target ? "ok" : "MISSED");
}

void md5sum(const QStringList &files)
{
    // xargs keeps the command line short for thousands of files.
    QProcess p;
    p.setProgram(QStringLiteral("xargs"));
    p.setArguments({QStringLiteral("-0"), QStringLiteral("md5sum")});
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start();
    for (const QString &f : files) {
        p.write(QFile::encodeName(f));
        p.write("\0", 1);
    }
    p.closeWriteChannel();
    p.waitForFinished(-1);
}

void writeFile(const QString &path, qint64 size, quint32 seed)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    QByteArray block(1 << 20, '\0');
    quint32 x = seed | 1;
    for (char &c : block) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = char(x);
    }
    for (qint64 left = size; left > 0; left -= block.size())
        f.write(block.constData(), std::min<qint64>(left, block.size()));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    QTemporaryDir dir(QDir::tempPath() + "/zo-bench-XXXXXX");
    const bool quick = app.arguments().contains(QStringLiteral("--quick"));

    // A poster list of 100 posters, 26 per-poster keys.
    const QString posters = dir.filePath("PLAYER.orvex");
    QFile(posters).open(QIODevice::WriteOnly);
    ClassParam param;
    for (const char *key : kPosterKeys) {
        QStringList values;
        for (int i = 0; i < 100; ++i)
            values << QStringLiteral("IMAGE/affiche-%1-%2.jpg").arg(i).arg(key);
        param.setParamCrypt(posters, QString::fromLatin1(key), values.join('|'));
    }
    std::printf("poster list: %lld bytes\n\n", QFileInfo(posters).size());

    const int reads = 200;
    const double one = bestOf(5, [&] {
        for (int i = 0; i < reads; ++i)
            param.getParamCrypt(posters, QStringLiteral("NUMEROECRAN"), 0);
    }) / reads;
    const double all = bestOf(5, [&] {
        for (int i = 0; i < reads; ++i)
            param.getParamCrypt(posters, QStringList{QStringLiteral("ALL")}, 0);
    }) / reads;
    row("read ALL, 100 posters x 26 keys", all, "read one key", one, 2.0);

    const QString small = dir.filePath("small.orvex");
    QFile(small).open(QIODevice::WriteOnly);
    const double writes = bestOf(1, [&] {
        for (int i = 0; i < 1000; ++i)
            param.setParamCrypt(small, QStringLiteral("KEY%1").arg(i % 20), QString::number(i));
    });
    std::printf("%-44s %10.3f ms   (%.3f ms per write)\n\n", "1,000 single-key writes (20-key file)", writes,
                writes / 1000);

    // The media journal as an import or a deployment writes it: every
    // record in one write, and a rewrite of the whole journal.
    const auto records = [](int n) {
        QList<QStringList> list;
        for (int i = 0; i < n; ++i)
            list << QStringList{QStringLiteral("AJOUTER"), QStringLiteral("IMAGE/campagne-%1.jpg").arg(i),
                                QStringLiteral("0123456789ABCDEF0123456789ABCDEF"), QStringLiteral("1920x1080"),
                                QString::number(200000 + i)};
        return list;
    };
    double journal[2] = {};
    const int sizes[2] = {1000, 5000};
    for (int k = 0; k < 2; ++k) {
        const QList<QStringList> list = records(sizes[k]);
        journal[k] = bestOf(3, [&] {
            const QString path = dir.filePath(QStringLiteral("INFOMEDIA-%1.orvex").arg(sizes[k]));
            QFile::remove(path);
            OperationJournal::appendAll(path, list);
        });
    }
    std::printf("%-44s %10.3f ms\n", "media journal, 1,000 records in one write", journal[0]);
    row("media journal, 5,000 records in one write", journal[1], "1,000 records", journal[0], 6.0);
    const QList<QStringList> five = records(5000);
    const double rewrite = bestOf(3, [&] { OperationJournal::rewrite(dir.filePath("INFOMEDIA-5000.orvex"), five); });
    const double read = bestOf(3, [&] { OperationJournal::records(dir.filePath("INFOMEDIA-5000.orvex")); });
    row("media journal, rewrite of 5,000 records", rewrite, "reading them back", read, 6.0);
    std::printf("\n");

    const qint64 bigSize = quick ? (32ll << 20) : (256ll << 20);
    const QString big = dir.filePath("big.mp4");
    writeFile(big, bigSize, 7);
    QStringList many;
    const int count = quick ? 256 : 2048;
    for (int i = 0; i < count; ++i) {
        many << dir.filePath(QStringLiteral("m%1.jpg").arg(i));
        writeFile(many.last(), 128 << 10, quint32(i + 11));
    }
    // Warm the page cache so both sides read from memory.
    CalculChecksum(big);
    md5sum({big});

    const double ownBig = bestOf(3, [&] { CalculChecksum(big); });
    const double refBig = bestOf(3, [&] { md5sum({big}); });
    row(qPrintable(QStringLiteral("CalculChecksum, one %1 MiB file").arg(bigSize >> 20)), ownBig, "md5sum", refBig, 1.15);

    const double ownMany = bestOf(3, [&] {
        for (const QString &f : many)
            CalculChecksum(f);
    });
    const double refMany = bestOf(3, [&] { md5sum(many); });
    row(qPrintable(QStringLiteral("CalculChecksum, %1 files of 128 KiB").arg(count)), ownMany, "md5sum", refMany, 1.15);
    return 0;
}
