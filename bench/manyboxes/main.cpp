// The console on a prepared account in local mode (tools/make-demo.sh, grown
// by bench/manyboxes_bench.sh): the longest event-loop block of the start-up
// once the window is built (login, the first group's screens listed with
// their status), of opening the administration page, and of "Déployer" up
// to the box choice shown, with the memory that box choice takes.
//
//   zo_manyboxes_bench <work folder>
//
// Prints "screens=", "build_ms=", "startup_ms=", "startup_block_ms=",
// "startup_kb=", "admin_block_ms=", "deploy_block_ms=",
// "deploy_choice_boxes=" and "deploy_kb="; exits 1 when a stage did not end.
#include "AnimationStackedWidget.h"
#include "BoxDeployment.h"
#include "BoxFolderDownload.h"
#include "ClassBox.h"
#include "FontSubstitutes.h"
#include "ZoManager.h"
#include "classPrincipal.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QPointer>
#include <QTextStream>
#include <QTimer>
#include <QtWebView>

#include <functional>

#include "../../tests/common/ProcessStatus.h"
#include "../StallMeter.h"

namespace {

qint64 residentKb()
{
    return qMax<qint64>(0, processStatusKb("VmRSS:"));
}

// Runs the event loop until `done`; false when `ms` passed first.
bool waitFor(const std::function<bool()> &done, int ms)
{
    QDeadlineTimer deadline(ms);
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired())
            loop.quit();
    });
    poll.start();
    if (!done())
        loop.exec();
    return done();
}

// Calls `onModal` for every dialog that exec() shows (message boxes are
// bands inside the window, not windows of their own), once it runs.
class ModalWatch : public QObject
{
public:
    explicit ModalWatch(std::function<void(QDialog *)> onModal)
        : m_onModal(std::move(onModal))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            auto *dialog = qobject_cast<QDialog *>(watched);
            if (dialog && dialog->testAttribute(Qt::WA_ShowModal)) {
                QPointer<QDialog> shown(dialog);
                QTimer::singleShot(20, this, [this, shown] {
                    if (shown && shown->isVisible())
                        m_onModal(shown);
                });
            }
        }
        return false;
    }

private:
    std::function<void(QDialog *)> m_onModal;
};

void press(QWidget *w, int key)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &down);
}

} // namespace

int main(int argc, char **argv)
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(qml);
    if (qEnvironmentVariableIsEmpty("ZOMANAGER_TIME_SCALE"))
        qputenv("ZOMANAGER_TIME_SCALE", "10");
    QtWebView::initialize();
    QApplication app(argc, argv);
    qSetMessagePattern(QStringLiteral("%{if-critical}%{message}%{endif}"));
    installFontSubstitutes();
    QTextStream out(stdout);
    if (app.arguments().size() < 2) {
        QTextStream(stderr) << "usage: zo_manyboxes_bench <work folder>\n";
        return 2;
    }
    qputenv("ZOMANAGER_WORKDIR", app.arguments().at(1).toLocal8Bit());

    // Modal boxes of the start-up are answered with OK; the box choice is
    // measured, then cancelled.
    QElapsedTimer choiceClock;
    qint64 choiceKb = 0;
    int choiceBoxes = -1;
    bool deployAll = false;
    ModalWatch answerer([&](QDialog *modal) {
        if (auto *box = qobject_cast<ClassBox *>(modal); box && deployAll) {
            // Every screen ticked through "Tous", then confirmed.
            deployAll = false;
            if (auto *screens = box->findChild<QAbstractItemView *>(QStringLiteral("zoneEcrans")))
                screens->model()->setData(screens->model()->index(0, 0), Qt::Checked, Qt::CheckStateRole);
            if (auto *confirm = box->findChild<QAbstractButton *>(QStringLiteral("valider")))
                confirm->click();
            return;
        }
        if (auto *box = qobject_cast<ClassBox *>(modal); box && choiceClock.isValid() && choiceBoxes < 0) {
            choiceKb = residentKb();
            // The screens of the choice, "Tous" aside.
            const auto *screens = box->findChild<QAbstractItemView *>(QStringLiteral("zoneEcrans"));
            choiceBoxes = screens ? qMax(0, screens->model()->rowCount() - 1) : 0;
            press(modal, Qt::Key_Escape);
            return;
        }
        press(modal, Qt::Key_Return);
    });

    // The window's pages are built whatever the account; then the login,
    // the first group's screens and their status.
    QElapsedTimer clock;
    clock.start();
    ZoManager window;
    const qint64 built = clock.elapsed();
    StallMeter meter;
    meter.start();
    window.resize(1920, 1080);
    window.show();
    classPrincipal *panel = window.panel();
    auto *stack = panel->findChild<AnimationStackedWidget *>(QStringLiteral("panelStack"));
    auto *screens = panel->findChild<QListWidget *>(QStringLiteral("screensList"));
    if (!waitFor([&] { return stack->isVisible() && screens->count() > 0; }, 120000)) {
        QTextStream(stderr) << "the panel did not show its screens\n";
        return 1;
    }
    // The first status reply fills the list again.
    waitFor([] { return false; }, 1500);
    out << "screens=" << screens->count() << "\nbuild_ms=" << built << "\nstartup_ms=" << clock.elapsed()
        << "\nstartup_block_ms=" << qRound64(meter.longestMs()) << "\nstartup_kb=" << residentKb() << Qt::endl;

    meter.start();
    panel->slotAdministration();
    if (!waitFor([&] { return window.stack()->currentIndex() == 1 && !window.stack()->isSliding(); }, 60000)) {
        QTextStream(stderr) << "the administration page did not show\n";
        return 1;
    }
    waitFor([] { return false; }, 300);
    out << "admin_block_ms=" << qRound64(meter.longestMs()) << Qt::endl;
    window.slotButtons(0);
    waitFor([&] { return window.stack()->currentIndex() == 0 && !window.stack()->isSliding(); }, 60000);

    screens->setCurrentRow(0);
    waitFor([] { return false; }, 100);
    if (!waitFor([&] { return !panel->boxDownload()->running(); }, 60000)) {
        QTextStream(stderr) << "the screen was not downloaded\n";
        return 1;
    }
    waitFor([] { return false; }, 500);
    const qint64 before = residentKb();
    meter.start();
    choiceClock.start();
    panel->slotDeploiement();
    if (!waitFor([&] { return choiceBoxes >= 0 && !panel->boxDeployment()->running(); }, 60000)) {
        QTextStream(stderr) << "the box choice did not show\n";
        return 1;
    }
    out << "deploy_block_ms=" << qRound64(meter.longestMs()) << "\ndeploy_choice_boxes=" << choiceBoxes
        << "\ndeploy_kb=" << (choiceKb - before) << Qt::endl;

    // The same deployment to every screen of the group (local mode: each
    // step ends at once), once the choice is confirmed.
    waitFor([] { return false; }, 300);
    int named = 0;
    QObject::connect(panel->boxDeployment(), &BoxDeployment::signalDeployBox, [&](const QString &box) {
        if (!box.isEmpty())
            ++named;
    });
    deployAll = true;
    panel->slotDeploiement();
    if (!waitFor([&] { return !deployAll; }, 60000)) {
        QTextStream(stderr) << "the box choice did not show\n";
        return 1;
    }
    meter.start();
    QElapsedTimer runClock;
    runClock.start();
    if (!waitFor([&] { return !panel->boxDeployment()->running(); }, 600000)) {
        QTextStream(stderr) << "the deployment to every screen did not end\n";
        return 1;
    }
    out << "deploy_all_block_ms=" << qRound64(meter.longestMs()) << "\ndeploy_all_ms=" << runClock.elapsed()
        << "\ndeploy_all_named=" << named << Qt::endl;
    return 0;
}
