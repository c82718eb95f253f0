// Two whole consoles on one account on the stand-in deploy one box, one of
// them on a slow link: its list lands after the other console was told its
// success. The console whose list was replaced is told by the box's name at
// its next login, after a restart in the same work folder, without
// selecting the box.
#include "BoxDeployment.h"
#include "HttpFileApi.h"
#include "KeptChanges.h"
#include "TwoDesks.h"
#include "classPrincipal.h"

#include <QtTest>

namespace {

const QString kSuccess = QStringLiteral("Déploiement terminé avec succés!!");

} // namespace

class TwoConsolesBoxesTest : public QObject, protected TwoDesks
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void replacedListToldAtLogin();

private:
    bool start(Desk &d) { return startDesk(d); }
    bool select(Desk &d, const QString &serial) { return TwoDesks::select(d, serial) && mark(d); }
    // Deploys `box` from `d` (every question answered OK) and waits for its end.
    bool deploy(Desk &d, const QString &box);
    // The box choice ticks m_box alone, unrecorded.
    bool answerOwn(QDialog *d, Desk *, const QString &) override
    {
        if (!tickScreens(d, [this](const QString &serial) { return serial == m_box; }))
            return false;
        click(d, "valider");
        return true;
    }

    QString m_box; // the screen ticked in the box choice
};

void TwoConsolesBoxesTest::initTestCase()
{
    ZO_NEED_STANDIN();
    QVERIFY(qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE") >= 10);
    QVERIFY(makeDesks("boxes"));
    QVERIFY(startDesks(this));
}

void TwoConsolesBoxesTest::cleanupTestCase()
{
    closeDesks();
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
