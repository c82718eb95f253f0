#include "AccountDeployment.h"
#include "AnimationStackedWidget.h"
#include "BoxItemWidget.h"
#include "BoxStatus.h"
#include "ClassParam.h"
#include "ConsoleFixture.h"
#include "MessageOverlay.h"
#include "ModalAnswerer.h"
#include "TimeScale.h"
#include "ZoScreenshot.h"
#include "classPrincipal.h"
#include "classVersion.h"

#include <QComboBox>
#include <QListWidget>
#include <QProcess>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

namespace {

QString seenAgo(int seconds)
{
    return QDateTime::currentDateTime().addSecs(-seconds).toString(BoxStatus::lastSeenFormat());
}

QString icon(const char *name)
{
    return QStringLiteral(":/images/Status/") + QLatin1String(name) + QStringLiteral(".png");
}

} // namespace

// The categories and screens of the control panel on the demo account:
// status icons, their refresh beside a running screen download, renaming.
class TestCategoryPanel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void statusIconsAfterLogin();
    void statusRefreshLeavesTheDownloadRunning();
    void statusRefreshKeepsTheChosenScreen();
    void categoryChangeCancelsTheDownload();
    void rename_data();
    void rename();
    void playlistHasNothingToRename();
    void groupMode();

private:
    void writeStatus(const QString &json);
    QListWidget *list(const char *name) const { return m_panel->findChild<QListWidget *>(QLatin1String(name)); }
    QStringList texts(const char *name) const;
    BoxItemWidget *item(int row) const;
    QToolButton *renameButton() const;
    bool overlayShown() const { return m_panel->messageOverlay()->isVisible(); }
    // Chooses a screen and lets its folder download to the end.
    void chooseScreen(int row);
    QString loginValue(const QString &key) const;

    QTemporaryDir m_dir;
    QString m_work;
    classPrincipal *m_panel = nullptr;
};

void TestCategoryPanel::initTestCase()
{
    zoInitWidgetTest();
    QVERIFY(m_dir.isValid());
    m_work = m_dir.filePath(QStringLiteral("demo"));
    QVERIFY(makeDemoAccount(m_work));

    writeStatus(QStringLiteral(R"({"10234":["%1","0","0"],"10235":["%2","0","1"],"10417":["null","null","null"]})")
                    .arg(seenAgo(20), seenAgo(7200)));

    qputenv("ZOMANAGER_WORKDIR", m_work.toLocal8Bit());
    m_panel = new classPrincipal;
    // The top window's sheet, so the grab looks as the console does.
    m_panel->setStyleSheet(classVersion().Style());
    // The media library page is not here to finish the login's media step.
    connect(m_panel, &classPrincipal::SignalUpdateMediaFile, m_panel, &classPrincipal::slotUpdateMediaFinish);
    m_panel->slotMinimumSize(1280, 800);
    m_panel->show();
    QString box;
    QVERIFY2(waitPanelShown(m_panel, &box), qPrintable(box));
}

void TestCategoryPanel::cleanupTestCase()
{
    delete m_panel;
    qunsetenv("ZOMANAGER_WORKDIR");
}

void TestCategoryPanel::writeStatus(const QString &json)
{
    QFile file(m_work + QStringLiteral("/server/zolink/zobox/zo_demo/STATUSBOX.json"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(json.toUtf8());
}

QStringList TestCategoryPanel::texts(const char *name) const
{
    QStringList out;
    QListWidget *widget = list(name);
    for (int i = 0; widget && i < widget->count(); ++i)
        out << widget->item(i)->text();
    return out;
}

BoxItemWidget *TestCategoryPanel::item(int row) const
{
    QListWidget *screens = list("screensList");
    return row < screens->count() ? qobject_cast<BoxItemWidget *>(screens->itemWidget(screens->item(row))) : nullptr;
}

QToolButton *TestCategoryPanel::renameButton() const
{
    for (QToolButton *b : m_panel->findChildren<QToolButton *>()) {
        if (b->text() == QStringLiteral("Renommer un Ecran"))
            return b;
    }
    return nullptr;
}

void TestCategoryPanel::chooseScreen(int row)
{
    list("posterList")->clear();
    {
        const QSignalBlocker blocker(list("screensList"));
        list("screensList")->setCurrentRow(-1);
    }
    list("screensList")->setCurrentRow(row);
    QTRY_VERIFY(list("posterList")->count() > 0 && !overlayShown());
}

QString TestCategoryPanel::loginValue(const QString &key) const
{
    return ClassParam().getParamCrypt(m_work + QStringLiteral("/LoginCrypt.orvex"), key, 0);
}

void TestCategoryPanel::statusIconsAfterLogin()
{
    QCOMPARE(texts("groupList"), (QStringList{"Accueil", "Restaurant", "Salles de réunion", "PLAYLIST"}));
    QCOMPARE(texts("screensList"), (QStringList{"10234", "10235"}));
    // The first fill has no status yet; the reply then refills the list.
    QTRY_VERIFY(item(0) && !item(0)->iconPaths().isEmpty());
    QCOMPARE(item(0)->name(), QString("Hall d'entrée"));
    QCOMPARE(item(0)->iconPaths(),
             (QStringList{icon("BoxConnexionON"), icon("BoxEcranON"), icon("BoxMiseAJourON")}));
    QCOMPARE(item(1)->iconPaths(),
             (QStringList{icon("BoxConnexionOFF"), icon("BoxEcranNULL"), icon("BoxMiseAJourOFF")}));

    // Then it waits five minutes before asking again.
    QTimer *relaunch = nullptr;
    for (QTimer *t : m_panel->findChildren<QTimer *>()) {
        if (t->interval() == TimeScale::ms(300000))
            relaunch = t;
    }
    QVERIFY(relaunch);
    QTRY_VERIFY(relaunch->isActive());
}

void TestCategoryPanel::statusRefreshLeavesTheDownloadRunning()
{
    list("screensList")->setCurrentRow(0);
    // Two steps of the download: DATA wiped, "Connexion en cours..." shown.
    m_panel->slotDownloadFileBox();
    m_panel->slotDownloadFileBox();
    QVERIFY(overlayShown());
    QVERIFY(!QFile::exists(m_work + QStringLiteral("/DATA/PLAYER.orvex")));

    // What every status reply does to the list.
    m_panel->SlotUpdateCategorie(list("groupList")->currentItem()->text());

    QTRY_VERIFY(!overlayShown());
    QTRY_COMPARE(texts("posterList"), (QStringList{"Bienvenue", "Café offert", "Horloge"}));
    QVERIFY(QFile::exists(m_work + QStringLiteral("/DATA/PLAYER.orvex")));
    QTRY_VERIFY(list("posterList")->isEnabled());
    QCOMPARE(list("screensList")->currentRow(), 0);
    QVERIFY(renameButton()->isEnabled());
}

void TestCategoryPanel::statusRefreshKeepsTheChosenScreen()
{
    chooseScreen(1);
    // A file a new download would wipe with the rest of DATA.
    QFile marker(m_work + QStringLiteral("/DATA/marker.txt"));
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.close();

    writeStatus(QStringLiteral(R"({"10234":["%1","1","0"],"10235":["%1","0","0"]})").arg(seenAgo(5)));
    m_panel->slotRelanceStatusBoitier();
    QTRY_COMPARE(item(1)->iconPaths(),
                 (QStringList{icon("BoxConnexionON"), icon("BoxEcranON"), icon("BoxMiseAJourON")}));
    QCOMPARE(item(0)->iconPaths().value(1), icon("BoxEcranOFF"));

    QTest::qWait(100);
    QCOMPARE(list("screensList")->currentRow(), 1);
    QCOMPARE(list("screensList")->selectedItems().size(), 1);
    QVERIFY(marker.exists());
    QVERIFY(!overlayShown());
    // Still renamable: the hidden name list follows the restored row.
    QVERIFY(renameButton()->isEnabled());
    QCOMPARE(list("screenNames")->currentRow(), 1);
}

void TestCategoryPanel::categoryChangeCancelsTheDownload()
{
    list("groupList")->setCurrentRow(0);
    list("screensList")->setCurrentRow(0);
    m_panel->slotDownloadFileBox();
    m_panel->slotDownloadFileBox();
    QVERIFY(overlayShown());

    ModalAnswerer answerer;
    list("groupList")->setCurrentRow(1);
    QVERIFY(!overlayShown());
    QVERIFY(list("posterList")->isEnabled());
    QCOMPARE(texts("screensList"), (QStringList{"10417", "10418"}));
    QCOMPARE(list("screensList")->currentRow(), -1);
    QTest::qWait(100);
    QVERIFY(!overlayShown());
    QCOMPARE(answerer.answered() + answerer.unexpected(), 0);
    QVERIFY(!QFile::exists(m_work + QStringLiteral("/DATA/PLAYER.orvex")));
    QVERIFY(!renameButton()->isEnabled());
}

void TestCategoryPanel::rename_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("names");
    QTest::addColumn<bool>("refused");

    const QString before = QStringLiteral("Hall d'entrée|Borne d'accueil|Salle du restaurant|Terrasse|Salle Horizon");
    QTest::newRow("bar would split the rows") << "Borne|2" << before << true;
    QTest::newRow("quote would cut the value") << "Borne \"2\"" << before << true;
    QTest::newRow("renamed") << "Borne du hall"
                             << "Hall d'entrée|Borne du hall|Salle du restaurant|Terrasse|Salle Horizon" << false;
}

void TestCategoryPanel::rename()
{
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    list("groupList")->setCurrentRow(0);
    chooseScreen(1);
    QVERIFY(renameButton()->isEnabled());
    QSignalSpy category(m_panel, &classPrincipal::signalCurrentCategory);
    QSignalSpy deployEnded(m_panel->accountDeployment(), &JournalDeployment::signalFinished);
    QSignalSpy deployed(m_panel->accountDeployment(), &AccountDeployment::signalDeployed);

    ModalAnswerer answerer;
    answerer.enterText(typed);
    if (refused)
        answerer.confirm();
    renameButton()->click();
    QVERIFY(answerer.waitUntilDone());
    QCOMPARE(answerer.texts().first(), QString("Renommer la TV"));

    QTEST(loginValue("PLAYERLISTNAME"), "names");
    if (refused) {
        QVERIFY(answerer.texts().last().contains("Nom refusé"));
        QCOMPARE(category.count(), 0);
        return;
    }
    // The deploy rebuilt the lists from the file and chose the first category.
    QCOMPARE(category.count(), 1);
    QCOMPARE(category.first().first().toString(), QString("Accueil"));
    QCOMPARE(list("groupList")->currentRow(), 0);
    QTRY_VERIFY(item(1) && !item(1)->iconPaths().isEmpty());
    QCOMPARE(item(1)->name(), typed);
    // The new name goes up with the login file under "Connexion en cours...":
    // the grab waits for that band to go.
    QTRY_COMPARE_WITH_TIMEOUT(deployEnded.count(), 1, 60000);
    QCOMPARE(deployed.count(), 1);
    QCOMPARE(answerer.unexpected(), 0);
    QVERIFY(!overlayShown());
    saveScreenshot(m_panel, QStringLiteral("console-categories.png"));
}

void TestCategoryPanel::playlistHasNothingToRename()
{
    list("groupList")->setCurrentRow(3);
    QCOMPARE(texts("screensList"), QStringList{"PLAYLIST-Promo"});
    QVERIFY(item(0)->iconPaths().isEmpty());
    QCOMPARE(item(0)->serialText(), QString());
    chooseScreen(0);
    const QString names = loginValue("PLAYERLISTNAME");

    ModalAnswerer answerer;
    m_panel->slotRenommerBox();
    QTest::qWait(100);
    QCOMPARE(answerer.answered(), 0);
    QCOMPARE(answerer.unexpected(), 0);
    QCOMPARE(loginValue("PLAYERLISTNAME"), names);
}

void TestCategoryPanel::groupMode()
{
    QSignalSpy category(m_panel, &classPrincipal::signalCurrentCategory);
    m_panel->updateCategorie({"Hall", "[Etage]Bureau", "[Etage2]Salle", "[Etage]Salle", "PLAYLIST-Promo"});

    QVERIFY(list("groupList")->isHidden());
    auto *combo = m_panel->findChild<QComboBox *>(QStringLiteral("groupCombo"));
    QVERIFY(combo->isVisible());
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->currentText(), QString("Etage"));
    QListWidget *members = list("groupMembers");
    QVERIFY(members->isVisible());
    QCOMPARE(members->count(), 2);
    QCOMPARE(members->item(0)->text(), QString("Bureau"));
    QCOMPARE(members->item(1)->text(), QString("Salle"));
    QCOMPARE(list("groupList")->count(), 5);
    QCOMPARE(list("groupList")->item(4)->text(), QString("PLAYLIST"));

    members->setCurrentRow(1);
    QCOMPARE(list("groupList")->currentItem()->text(), QString("[Etage]Salle"));
    combo->setCurrentIndex(1);
    QCOMPARE(members->count(), 1);
    QCOMPARE(list("groupList")->currentItem()->text(), QString("[Etage2]Salle"));
    QVERIFY(category.count() >= 2);
    QCOMPARE(category.last().first().toString(), QString("[Etage2]Salle"));
}

QTEST_MAIN(TestCategoryPanel)
#include "tst_categorypanel.moc"
