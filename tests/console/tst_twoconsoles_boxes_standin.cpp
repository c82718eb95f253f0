// Two whole consoles on one account on the stand-in deploy one box, one of
// them on a slow link: its list lands after the other console was told its
// success. The console whose list was replaced is told by the box's name at
// its next login, after a restart in the same work folder, without
// selecting the box.
#include "../sync/ParamFixture.h"
#include "../transfer/StandIn.h"
#include "BoxDeployment.h"
#include "BoxFolderDownload.h"
#include "ClassParam.h"
#include "ConsoleDesk.h"
#include "HttpFileApi.h"
#include "KeptChanges.h"
#include "ModalAnswerer.h"
#include "ServerDesk.h"
#include "classPrincipal.h"

#include <QAbstractItemView>
#include <QListWidget>
#include <QMessageBox>
#include <QtTest>

#include <memory>

namespace {

const QString kSuccess = QStringLiteral("Déploiement terminé avec succés!!");

} // namespace

class TwoConsolesBoxesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void replacedListToldAtLogin();

private:
    QString server(const QString &relative = QString()) const { return StandIn::root() + "/" + m_account + "/" + relative; }
    bool start(Desk &d);
    bool select(Desk &d, const QString &serial);
    // Deploys `box` from `d` (every question answered OK) and waits for its end.
    bool deploy(Desk &d, const QString &box);
    // Answers every modal dialog of both consoles and records "desk: text".
    void answer();

    QTemporaryDir m_dir;
    QString m_name;
    QString m_account;
    Desk m_a;
    Desk m_b;
    QTimer m_poll;
    QStringList m_dialogs;
    QString m_box; // the screen ticked in the box choice
};

void TwoConsolesBoxesTest::initTestCase()
{
    ZO_NEED_STANDIN();
    QVERIFY(qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE") >= 10);
    zoInitWidgetTest();
    Q_INIT_RESOURCE(qml);
    m_name = QString("boxes%1").arg(QCoreApplication::applicationPid());
    m_account = "zo_" + m_name;
    m_a.name = "A";
    m_b.name = "B";
    for (Desk *d : {&m_a, &m_b}) {
        d->work = m_dir.filePath(d->name);
        QVERIFY(makeServerDesk(d->work, m_name));
    }
    QVERIFY(copyServerAccount(m_a.work, server()));
    connect(&m_poll, &QTimer::timeout, this, &TwoConsolesBoxesTest::answer);
    m_poll.start(10);
    qputenv("ZOMANAGER_BASE_URL", StandIn::url().toUtf8());
    QVERIFY(start(m_a));
    QVERIFY(start(m_b));
}

void TwoConsolesBoxesTest::cleanupTestCase()
{
    m_poll.stop();
    m_a.window.reset();
    m_b.window.reset();
    qunsetenv("ZOMANAGER_WORKDIR");
    qunsetenv("ZOMANAGER_BASE_URL");
    if (StandIn::running() && !m_account.isEmpty())
        QDir(server()).removeRecursively();
}

bool TwoConsolesBoxesTest::start(Desk &d)
{
    return startServerConsole(d.window, d.work);
}

void TwoConsolesBoxesTest::answer()
{
    const QList<QDialog *> open = ModalAnswerer::openDialogs();
    if (open.isEmpty())
        return;
    // The innermost dialog is the one whose loop runs.
    QPointer<QDialog> guard(open.last());
    if (guard->property("answering").toBool())
        return;
    guard->setProperty("answering", true);
    QTimer::singleShot(30, this, [this, guard] {
        if (!guard || guard->isHidden())
            return;
        QDialog *d = guard.data();
        QString who = "?";
        for (Desk *k : {&m_a, &m_b}) {
            for (QWidget *w = d; k->window && w; w = w->parentWidget()) {
                if (w == k->window.get())
                    who = k->name;
            }
        }
        if (auto *screens = d->findChild<QAbstractItemView *>("zoneEcrans")) {
            QAbstractItemModel *model = screens->model();
            for (int row = 0; row < model->rowCount(); ++row) {
                const QModelIndex index = model->index(row, 0);
                const QString serial = index.data(Qt::UserRole).toString();
                if (!serial.isEmpty())
                    model->setData(index, serial == m_box ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
            }
        } else {
            m_dialogs << who + ": " + ModalAnswerer::dialogText(d);
        }
        if (auto *box = qobject_cast<QMessageBox *>(d))
            box->buttons().value(0)->click();
        else if (auto *ok = d->findChild<QAbstractButton *>("valider"))
            ok->click();
        else
            d->reject();
    });
}

bool TwoConsolesBoxesTest::select(Desk &d, const QString &serial)
{
    QListWidget *groups = d.panel()->findChild<QListWidget *>("groupList");
    QListWidget *screens = d.panel()->findChild<QListWidget *>("screensList");
    for (int g = 0; g < groups->count(); ++g) {
        groups->setCurrentRow(g);
        QTest::qWait(50);
        const QList<QListWidgetItem *> found = screens->findItems(serial, Qt::MatchExactly);
        if (found.isEmpty())
            continue;
        QSignalSpy arrived(d.panel()->boxDownload(), &BoxFolderDownload::signalArrived);
        screens->setCurrentItem(found.first());
        return QTest::qWaitFor([&] { return arrived.count() > 0 && !d.panel()->boxDownload()->running(); }, 40000)
            && ClassParam().setParamCrypt(d.work + "/DATA/PLAYER.orvex", "MARK", d.name);
    }
    return false;
}

bool TwoConsolesBoxesTest::deploy(Desk &d, const QString &box)
{
    m_box = box;
    d.panel()->slotDeploiement();
    return QTest::qWaitFor([&] {
        return !d.panel()->boxDeployment()->running() && ModalAnswerer::openDialogs().isEmpty();
    }, 60000);
}

void TwoConsolesBoxesTest::replacedListToldAtLogin()
{
    QVERIFY(select(m_a, "10234"));
    QVERIFY(select(m_b, "10234"));
    m_dialogs.clear();
    // Once A's list is on its way, B deploys the box and is told its
    // success; then A's upload, held by the stand-in, lands over B's list.
    const QString list = m_account + "/10234/PLAYER.orvex";
    bool held = false;
    bool otherDeployed = false;
    const QMetaObject::Connection hold =
        connect(m_a.panel()->httpFileApi(), &HttpFileApi::signalStatusLabel, this, [&](const QString &text) {
            if (held || text != "Envoi du fichier PLAYER.orvex...")
                return;
            held = true;
            otherDeployed = deploy(m_b, "10234") && StandIn::fault("/zobox/upload.php", "delay", list, 1, 800);
        });
    QVERIFY(deploy(m_a, "10234"));
    disconnect(hold);
    QVERIFY(held && otherDeployed);
    QCOMPARE(m_dialogs, (QStringList{"B: " + kSuccess, "A: " + kSuccess}));
    QCOMPARE(ClassParam().getParamCrypt(server("10234/PLAYER.orvex"), "MARK", 0), QString("A"));

    // B quits and starts again in its work folder: told at its login, by
    // the box's name, once.
    m_b.window.reset();
    QVERIFY(start(m_b));
    QCOMPARE(m_dialogs.size(), 3);
    QCOMPARE(m_dialogs.last(), "B: " + BoxFolderDownload::replacedHead("10234", "PLAYER.orvex") + ".");
    // Told: nothing left for the selection to tell again.
    QVERIFY(!QFile::exists(KeptChanges::path(m_b.work + "/", "BOXES")));
    QVERIFY(select(m_b, "10234"));
    QCOMPARE(m_dialogs.size(), 3);
    StandIn::reset("/10234/");
}

QTEST_MAIN(TwoConsolesBoxesTest)
#include "tst_twoconsoles_boxes_standin.moc"
