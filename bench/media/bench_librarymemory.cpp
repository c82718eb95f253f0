// Memory held per library picture from login on: the whole console in
// local mode on the demo account with N pictures added to the account's
// library, logged in; the resident size once the login is done (the media
// page not opened) and once the media page has opened and shown its
// thumbnails. Run with N pictures and with none: the difference over N is
// the weight of one picture (bench/librarymemory_bench.sh does both).
//
//   zo_librarymemory_bench DEMO_FOLDER PICTURES CACHE_FOLDER
//   zo_librarymemory_bench --draw PICTURES CACHE_FOLDER
//
// DEMO_FOLDER is a work folder made by tools/make-demo.sh (changed in
// place). Prints "login_kb=", "page_kb=", "listed="; exits 1 on failure.
// --draw only draws the pictures missing from the cache: drawn in the
// measured process they would weigh on its heap.
#include "../../tests/common/ProcessStatus.h"
#include "AnimationStackedWidget.h"
#include "BenchPictures.h"
#include "Checksum.h"
#include "ClassMedia.h"
#include "ClassParam.h"
#include "ZoManager.h"
#include "classPrincipal.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QListWidget>
#include <QTextStream>

#include <cstdio>
#include <functional>

namespace {

QStringList listOf(ClassParam &index, const char *key)
{
    const QString value = index.getInfoBalise(QLatin1String(key));
    return value == QLatin1String("NULL") || value.isEmpty() ? QStringList() : value.split(QLatin1Char('|'));
}

// Adds `count` pictures of the cache to the account's library: the files
// in its IMAGE folder, their entries in its media index.
bool addPictures(const QString &account, const QString &cache, int count)
{
    ClassParam index;
    const QString file = account + QStringLiteral("MEDIA.orvex");
    if (!index.getParamCrypt(file, QStringList{QStringLiteral("ALL")}, 0))
        return false;
    QStringList paths = listOf(index, "FILEPATH"), sums = listOf(index, "FILECHK"),
                sizes = listOf(index, "FILESIZE"), rights = listOf(index, "FILEPATHPERMISSION");
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("bibliotheque-") + benchPictureName(i);
        const QString target = account + QStringLiteral("IMAGE/") + name;
        if (!QFile::copy(cache + QLatin1Char('/') + benchPictureName(i), target))
            return false;
        paths << QStringLiteral("IMAGE/") + name;
        sums << CalculChecksum(target).toUpper();
        sizes << QString::number(QFileInfo(target).size());
        rights << QStringLiteral("ADMINISTRATEUR");
    }
    const QChar bar(QLatin1Char('|'));
    return index.setParamsCrypt(file, {{QStringLiteral("FILEPATH"), paths.join(bar)},
                                       {QStringLiteral("FILECHK"), sums.join(bar)},
                                       {QStringLiteral("FILESIZE"), sizes.join(bar)},
                                       {QStringLiteral("FILEPATHPERMISSION"), rights.join(bar)}});
}

bool waitFor(const std::function<bool()> &done, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void settle(int ms)
{
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
    qputenv("ZOMANAGER_TIME_SCALE", "10");
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(qml);
    qSetMessagePattern(QStringLiteral("%{if-critical}%{message}%{endif}"));
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: zo_librarymemory_bench DEMO_FOLDER|--draw PICTURES CACHE_FOLDER\n");
        return 2;
    }
    const int pictures = args.at(2).toInt();
    if (args.at(1) == QLatin1String("--draw")) {
        drawBenchPictures(args.at(3), pictures);
        return 0;
    }
    const QString work = QDir(args.at(1)).absolutePath() + QLatin1Char('/');
    if (!addPictures(work + QStringLiteral("server/zolink/zobox/zo_demo/"), args.at(3), pictures)) {
        std::fprintf(stderr, "zo_librarymemory_bench: cannot add the pictures to the demo account\n");
        return 1;
    }
    qputenv("ZOMANAGER_WORKDIR", work.toLocal8Bit());

    ZoManager window;
    window.resize(1280, 800);
    window.show();
    auto *panelStack = window.panel()->findChild<QWidget *>(QStringLiteral("panelStack"));
    auto *media = window.findChild<ClassMedia *>();
    auto *images = media->findChild<QListWidget *>(QStringLiteral("listImage"));
    if (!waitFor([&] { return panelStack->isVisible() && images->count() >= pictures; }, 600000)) {
        std::fprintf(stderr, "zo_librarymemory_bench: the login did not end\n");
        return 1;
    }
    settle(1500);
    const qint64 login = processStatusKb("VmRSS:");

    window.slotButtons(3);
    if (!waitFor([&] { return window.stack()->currentWidget() == media && !window.stack()->isSliding(); }, 30000)) {
        std::fprintf(stderr, "zo_librarymemory_bench: the media page did not open\n");
        return 1;
    }
    settle(300);
    waitFor([&] { return media->thumbnailsPending() == 0; }, 120000);
    settle(1500);
    const qint64 page = processStatusKb("VmRSS:");
    std::printf("login_kb=%lld\npage_kb=%lld\nlisted=%d\n", static_cast<long long>(login),
                static_cast<long long>(page), images->count());
    return 0;
}
