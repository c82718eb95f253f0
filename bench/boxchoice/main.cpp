// The box choice with thousands of screens in one group: the time from
// asking for it to its first picture, and the time "Tous" takes to tick
// and untick every screen, picture included.
//
//   zo_boxchoice_bench [screens ...]   (default: 1000 5000)
//
// Prints one line per size, beside the goal of 200 ms.

#include "ClassBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include <cstdio>

namespace {

double msSince(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

// The time a click on the first row (Tous) takes until the form is drawn again.
double clickAll(ClassBox &box, QAbstractItemView *view)
{
    const QRect row = view->visualRect(view->model()->index(0, 0));
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    box.grab();
    return msSince(clock);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Q_INIT_RESOURCE(resources);
    QApplication app(argc, argv);
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.append(QString::fromLocal8Bit(argv[i]).toInt());
    if (sizes.isEmpty())
        sizes = {1000, 5000};

    for (int count : qAsConst(sizes)) {
        QStringList serials, names;
        for (int i = 1; i <= count; ++i) {
            serials.append(QString::number(200000 + i));
            names.append(QStringLiteral("Magasin %1").arg(i));
        }
        const QStringList categories{QStringLiteral("Magasins"), QStringLiteral("Accueil")};
        const QStringList members{serials.join(QLatin1Char(';')), serials.mid(0, 2).join(QLatin1Char(';'))};

        // Nothing preselected: the screen the choice was asked from is none of them.
        QElapsedTimer clock;
        clock.start();
        ClassBox box(categories, members, QStringLiteral("Magasins"), serials, names, QStringLiteral("0"), 1920,
                     1080, 0, nullptr);
        box.show();
        QCoreApplication::processEvents();
        box.grab();
        const double open = msSince(clock);

        // The second click of a double click that opened it is not an answer:
        // the clicks come later.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        auto *view = box.findChild<QAbstractItemView *>(QStringLiteral("zoneEcrans"));
        auto *confirm = box.findChild<QPushButton *>(QStringLiteral("valider"));
        if (!view || !confirm || view->model()->rowCount() != count + 1 || confirm->isEnabled()) {
            std::fprintf(stderr, "zo_boxchoice_bench: the choice of %d screens is not as expected\n", count);
            return 1;
        }
        const double tick = clickAll(box, view);
        const int ticked = box.BoxNumber().size();
        const bool enabled = confirm->isEnabled();
        const double untick = clickAll(box, view);
        if (ticked != count || !enabled || !box.BoxNumber().isEmpty() || confirm->isEnabled()) {
            std::fprintf(stderr, "zo_boxchoice_bench: \"Tous\" did not tick the %d screens\n", count);
            return 1;
        }
        const double worst = qMax(open, qMax(tick, untick));
        std::printf("box choice of %5d screens: opened and drawn %7.1f ms, \"Tous\" ticked %6.1f ms, unticked %6.1f ms"
                    "  (goal: 200 ms or less) %s\n",
                    count, open, tick, untick, worst <= 200 ? "ok" : "OVER");
        box.close();
    }
    return 0;
}
