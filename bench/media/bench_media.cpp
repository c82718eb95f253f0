// Opening the media library on 500 pictures of 1920x1080 (time to the first
// thumbnail and to all of them, longest event-loop stall) and importing 100
// pictures beside `cp` + `md5sum` of the same files.
//
//   bench_media [--pictures N] [--imports M] [--cache DIR]
//
// The pictures are drawn once into the cache folder (default: a folder
// beside the program) and reused by later runs.

#include "AppGlobals.h"
#include "ClassMedia.h"
#include "ClassParam.h"
#include "ThumbnailLoader.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLinearGradient>
#include <QListWidget>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>

#include <cstdio>

namespace {

QString pictureName(int i)
{
    return QStringLiteral("photo-%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
}

void drawPictures(const QString &folder, int count)
{
    QDir().mkpath(folder);
    QThreadPool pool;
    for (int i = 0; i < count; ++i) {
        const QString path = folder + QLatin1Char('/') + pictureName(i);
        if (QFileInfo::exists(path))
            continue;
        pool.start([path, i] {
            QImage image(1920, 1080, QImage::Format_RGB32);
            QPainter p(&image);
            QLinearGradient g(0, 0, 1920, 1080);
            g.setColorAt(0, QColor::fromHsv((i * 37) % 360, 200, 230));
            g.setColorAt(1, QColor::fromHsv((i * 37 + 150) % 360, 220, 70));
            p.fillRect(image.rect(), g);
            p.setPen(Qt::white);
            p.setFont(QFont(QStringLiteral("DejaVu Sans"), 120, QFont::Bold));
            p.drawText(image.rect(), Qt::AlignCenter, QString::number(i));
            p.end();
            image.save(path + QStringLiteral(".part"), "JPG", 90);
            QFile::rename(path + QStringLiteral(".part"), path);
        });
    }
    pool.waitForDone();
}

bool writeIndex(const QString &file, const QStringList &paths, const QStringList &sizes)
{
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.close();
    QStringList sums, rights;
    for (int i = 0; i < paths.size(); ++i) {
        sums << QStringLiteral("0123456789ABCDEF0123456789ABCDEF");
        rights << QString();
    }
    ClassParam param;
    return param.setParamsCrypt(file, {{QStringLiteral("FILEPATH"), paths.join(QLatin1Char('|'))},
                                       {QStringLiteral("FILECHK"), sums.join(QLatin1Char('|'))},
                                       {QStringLiteral("FILESIZE"), sizes.join(QLatin1Char('|'))},
                                       {QStringLiteral("FILEPATHPERMISSION"), rights.join(QLatin1Char('|'))},
                                       {QStringLiteral("ID"), QStringLiteral("1")}});
}

// Longest gap between ticks of a 1 ms timer, beyond its interval.
class StallMeter : public QObject
{
public:
    StallMeter()
    {
        m_timer.setInterval(1);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_longest = qMax(m_longest, now - m_last);
            m_last = now;
        });
    }
    void start()
    {
        m_longest = 0;
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }
    double longestMs() const { return double(m_longest) / 1e6; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

double runShell(const QString &script)
{
    QElapsedTimer t;
    t.start();
    QProcess sh;
    sh.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
    sh.waitForFinished(-1);
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    qSetMessagePattern(QStringLiteral("%{if-warning}%{message}%{endif}%{if-critical}%{message}%{endif}"));

    int pictures = 500;
    int imports = 100;
    QString cache = QCoreApplication::applicationDirPath() + QStringLiteral("/media-pictures");
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--pictures"))
            pictures = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1String("--imports"))
            imports = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1String("--cache"))
            cache = args.at(i + 1);
    }
    const int drawn = qMax(pictures, imports);
    std::printf("drawing %d pictures of 1920x1080 into %s (once)\n", drawn, qPrintable(cache));
    std::fflush(stdout);
    drawPictures(cache, drawn);

    QTemporaryDir dir;
    const QString work = dir.path() + QLatin1Char('/');
    for (const char *sub : {"TEMP", "IMAGE", "VIDEO", "TEXT", "DATA"})
        QDir().mkpath(work + QLatin1String(sub));
    QStringList paths, sizes;
    for (int i = 0; i < pictures; ++i) {
        const QString name = pictureName(i);
        QFile::link(cache + QLatin1Char('/') + name, work + QStringLiteral("IMAGE/") + name);
        paths << QStringLiteral("IMAGE/") + name;
        sizes << QString::number(QFileInfo(cache + QLatin1Char('/') + name).size());
    }
    if (!writeIndex(work + QStringLiteral("TEMP/MEDIA.orvex"), paths, sizes)) {
        std::fprintf(stderr, "bench_media: cannot write the media index\n");
        return 1;
    }
    ApplicationPath = work;

    // --- Opening the page ----------------------------------------------------
    ClassMedia page;
    page.resize(1280, 800);
    page.slotResize(1280, 800, 0);
    page.show();
    QCoreApplication::processEvents();
    auto *loader = page.findChild<ThumbnailLoader *>();
    auto *list = page.findChild<QListWidget *>(QStringLiteral("listImage"));
    QElapsedTimer clock;
    qint64 first = -1, listed = -1;
    int delivered = 0;
    QObject::connect(loader, &ThumbnailLoader::ready, [&] {
        if (first < 0)
            first = clock.nsecsElapsed();
        ++delivered;
    });
    QObject::connect(&page, &ClassMedia::signalUpdateMediaFinish, [&] { listed = clock.nsecsElapsed(); });
    StallMeter stalls;
    stalls.start();
    clock.start();
    page.slotUpdateMediaSize(100000);
    page.slotUpdateMediaFile();
    while (listed < 0 || page.thumbnailsPending() > 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    const qint64 all = clock.nsecsElapsed();
    const double openStall = stalls.longestMs();
    std::printf("\nopening the library on %d pictures (%d listed, %d thumbnails)\n", pictures, list->count(), delivered);
    std::printf("  list shown (refresh done)   %8.1f ms\n", double(listed) / 1e6);
    std::printf("  first thumbnail             %8.1f ms\n", double(first) / 1e6);
    std::printf("  all thumbnails              %8.1f ms\n", double(all) / 1e6);
    std::printf("  longest event-loop stall    %8.1f ms  (goal: 50 ms or less) %s\n", openStall,
                openStall <= 50 ? "ok" : "OVER");

    // Opening again: the thumbnails are kept.
    clock.restart();
    listed = -1;
    stalls.start();
    page.slotUpdateMediaFile();
    while (listed < 0 || page.thumbnailsPending() > 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    std::printf("  opening again (kept)        %8.1f ms, longest stall %.1f ms\n", double(clock.nsecsElapsed()) / 1e6,
                stalls.longestMs());

    // --- Importing: best of three runs each ---------------------------------
    page.slotUserLogin(QStringLiteral("bench"), QStringLiteral("UTILISATEUR"));
    double importMs = 1e12, shellMs = 1e12;
    int imported = 0;
    for (int run = 0; run < 3; ++run) {
        QTemporaryDir source;
        QStringList chosen;
        for (int i = 0; i < imports; ++i) {
            const QString name = QStringLiteral("run%1-%2.jpg").arg(run).arg(i, 3, 10, QLatin1Char('0'));
            QFile::copy(cache + QLatin1Char('/') + pictureName(i), source.filePath(name));
            chosen << source.filePath(name);
        }
        page.setFileChooser([&chosen](int, QWidget *, const QString &) { return chosen; });
        runShell(QStringLiteral("cat %1/* > /dev/null").arg(source.path()));
        const int before = QDir(work + QStringLiteral("IMAGE")).entryList(QDir::Files).size();
        clock.restart();
        page.slotAjouterImage();
        importMs = qMin(importMs, double(clock.nsecsElapsed()) / 1e6);
        imported = QDir(work + QStringLiteral("IMAGE")).entryList(QDir::Files).size() - before;
        // Let the thumbnails of this run finish before the next one.
        while (page.thumbnailsPending() > 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);

        QTemporaryDir target;
        shellMs = qMin(shellMs, runShell(QStringLiteral("cp %1/* %2/ && md5sum %2/* > /dev/null")
                                             .arg(source.path(), target.path())));
    }
    std::printf("\nimporting %d pictures (%d imported per run; best of 3 runs)\n", imports, imported);
    std::printf("  console                     %8.1f ms\n", importMs);
    std::printf("  cp + md5sum                 %8.1f ms\n", shellMs);
    std::printf("  ratio                       %8.2f  (goal: 2 or less) %s\n", importMs / shellMs,
                importMs <= 2 * shellMs ? "ok" : "OVER");
    return 0;
}
