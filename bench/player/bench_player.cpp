// Preview speed: time from UpdateZoPlayer to the first frame that shows all
// zones of a 100-poster screen, and the longest event-loop stall while the
// preview plays for 10 s. Goals: under 300 ms and under 50 ms. Then the
// longest block of previewing a 999-poster screen (the call and 3 s of
// play; the scenes log some twenty lines per poster they look at), once
// with most posters due and once with none due (each zone looks at all of
// them every half second). Goal: under 200 ms. `--many-only` runs the
// 999-poster part alone.
#include "ClassParam.h"
#include "ZoPlayer.h"
#include "PlayerSceneView.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QQuickItem>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

const int Posters = 100;
const int ManyPosters = 999;

// `posters` posters in three zones; one in five out of its hours at the
// preview's noon, or all of them when `noneDue`.
bool writeScreen(const QString &work, int posters = Posters, bool noneDue = false)
{
    QDir().mkpath(work + QStringLiteral("DATA"));
    QDir().mkpath(work + QStringLiteral("IMAGE"));
    for (int i = 0; i < 10; ++i) {
        QImage picture(1280, 720, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(i * 36, 160, 200));
        QPainter p(&picture);
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 80));
        p.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("Affiche %1").arg(i));
        p.end();
        if (!picture.save(work + QStringLiteral("IMAGE/p%1.jpg").arg(i)))
            return false;
    }
    QStringList types, delays, images, opacities, zones, starts, ends, empty;
    for (int i = 0; i < posters; ++i) {
        types << QString();
        delays << QStringLiteral("1");
        images << QStringLiteral("IMAGE/p%1.jpg").arg(i % 10);
        opacities << QStringLiteral("100");
        zones << QString::number(i % 3 + 1);
        // One poster in five is out of its hours at the preview's noon.
        const bool out = noneDue || i % 5 == 4;
        starts << (out ? QStringLiteral("18:00:00") : QString());
        ends << (out ? QStringLiteral("20:00:00") : QString());
        empty << QString();
    }
    const QString path = work + QStringLiteral("DATA/PLAYER.orvex");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.close();
    auto j = [](const QStringList &l) { return l.join(QLatin1Char('|')); };
    return ClassParam().setParamsCrypt(path, {{QStringLiteral("SLIDETYPE"), j(types)},
                                              {QStringLiteral("SLIDEDELAY"), j(delays)},
                                              {QStringLiteral("SLIDENAMEIMAGE"), j(images)},
                                              {QStringLiteral("SLIDENAMEVIDEO"), j(empty)},
                                              {QStringLiteral("SLIDENAMETXT"), j(empty)},
                                              {QStringLiteral("SLIDEOPACITY"), j(opacities)},
                                              {QStringLiteral("HEUREDEBUT"), j(starts)},
                                              {QStringLiteral("HEUREFIN"), j(ends)},
                                              {QStringLiteral("NUMEROECRAN"), j(zones)},
                                              {QStringLiteral("CONFIGECRAN"),
                                               QStringLiteral("0-0-50-100|50-0-50-50|50-50-50-50")},
                                              {QStringLiteral("ROTATION2"), QStringLiteral("0")}});
}

bool allZonesShowing(QObject *root)
{
    for (int n = 1; n <= 3; ++n) {
        QObject *zone = root->findChild<QObject *>(QStringLiteral("ecran%1").arg(n));
        QObject *image = zone ? zone->findChild<QObject *>(QStringLiteral("myImage")) : nullptr;
        if (!image || zone->property("opacity").toReal() < 1 || image->property("opacity").toReal() < 1
            || image->property("status").toInt() != 1 /* Image.Ready */)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(qml);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString work = dir.path() + QLatin1Char('/');
    if (!dir.isValid() || !writeScreen(work)) {
        std::fprintf(stderr, "bench_player: cannot prepare the screen\n");
        return 1;
    }
    qputenv("ZOMANAGER_WORKDIR", dir.path().toLocal8Bit());
    // The scenes' console lines would time the terminal, not the preview.
    qputenv("QT_LOGGING_RULES", "*.debug=false");
    const bool manyOnly = app.arguments().contains(QStringLiteral("--many-only"));

    ZoPlayer player;
    player.resize(1280, 800);
    player.slotResize(1280, 800, 0);
    player.show();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 1000)
        app.processEvents(QEventLoop::AllEvents, 50);

    QQuickWindow *window = player.sceneView()->view()->quickWindow();
    QObject *root = player.sceneRoot();
    qint64 firstFrame = manyOnly ? 0 : -1;
    QElapsedTimer clock;
    QObject::connect(window, &QQuickWindow::afterRendering, &player, [&] {
        if (firstFrame < 0 && allZonesShowing(root))
            firstFrame = clock.elapsed();
    }, Qt::DirectConnection);
    clock.start();
    if (!manyOnly)
        player.UpdateZoPlayer();
    while (firstFrame < 0 && clock.elapsed() < 10000)
        app.processEvents(QEventLoop::AllEvents, 5);

    // Longest gap between ticks of a 5 ms timer while the zones rotate.
    qint64 last = -1;
    qint64 worst = 0;
    QTimer tick;
    tick.setInterval(5);
    QElapsedTimer play;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = play.elapsed();
        if (last >= 0)
            worst = qMax(worst, now - last - 5);
        last = now;
    });
    play.start();
    tick.start();
    while (!manyOnly && play.elapsed() < 10000)
        app.processEvents(QEventLoop::AllEvents, 5);

    tick.stop();
    if (!manyOnly) {
        std::printf("preview of %d posters in 3 zones: first frame with all zones %lld ms (goal < 300 ms)\n",
                    Posters, static_cast<long long>(firstFrame));
        std::printf("playing 10 s: longest event-loop stall %lld ms (goal < 50 ms)\n", static_cast<long long>(worst));
        std::fflush(stdout);
    }

    // The longest block from the call on: the call itself, then the gaps
    // between ticks of a 5 ms timer for 3 s of play.
    const auto longestBlock = [&](bool noneDue) {
        player.slotQuitter();
        if (!writeScreen(work, ManyPosters, noneDue))
            return qint64(-1);
        QElapsedTimer clock;
        clock.start();
        player.UpdateZoPlayer();
        qint64 longest = clock.elapsed();
        qint64 previous = clock.elapsed();
        QTimer probe;
        probe.setInterval(5);
        QObject::connect(&probe, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            longest = qMax(longest, now - previous - 5);
            previous = now;
        });
        probe.start();
        while (clock.elapsed() < 3000)
            app.processEvents(QEventLoop::AllEvents, 5);
        return longest;
    };
    for (const bool noneDue : {false, true}) {
        const qint64 block = longestBlock(noneDue);
        std::printf("preview of %d posters (%s): longest block %lld ms (goal < 200 ms; was 211 ms at 1,000 posters, "
                    "seconds at 10,000) %s\n",
                    ManyPosters, noneDue ? "none due" : "four in five due", static_cast<long long>(block),
                    block >= 0 && block < 200 ? "ok" : "OVER");
        std::fflush(stdout);
    }
    return firstFrame < 0 ? 1 : 0;
}
