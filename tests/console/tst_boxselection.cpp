#include "AccountDeployment.h"
#include "AnimationStackedWidget.h"
#include "BoxFolderDownload.h"
#include "BoxItemWidget.h"
#include "BoxStatus.h"
#include "BoxStatusPoller.h"
#include "ClassParam.h"
#include "ConsoleFixture.h"
#include "MessageOverlay.h"
#include "ModalAnswerer.h"
#include "RevisionCounters.h"
#include "TimeScale.h"
#include "classPrincipal.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

// Choosing a screen on the demo account in local mode (MODE "LOCAL", as
// scripts/run starts it): the box folder download through the transfer
// layer, its revision counter, the status poll beside it and what a change
// of category does to the poster tools.
class TestBoxSelection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void chooseFetchesExactlyTheFolder();
    void statusPollWaitsForTheDownload();
    void categoryChangeDisablesThePosterTools();
    void noticeFollowsARename();
    void categoryChangeForgetsTheScreen();
    void addScreenSaysWhyItIsGrey();
    void screenChosenDuringTheRenameGotTheLoginFile();

private:
    QListWidget *list(const char *name) const { return m_panel->findChild<QListWidget *>(QLatin1String(name)); }
    QToolButton *button(const QString &caption) const;
    QString server(const QString &relative) const { return m_work + "/server/zolink/zobox/zo_demo/" + relative; }
    bool overlayShown() const { return m_panel->messageOverlay()->isVisible(); }
    void chooseScreen(int row);
    QLabel *notice() const { return m_panel->findChild<QLabel *>(QStringLiteral("noticeLabel")); }
    // The header captions shown for the current poster.
    QStringList scheduleShown() const;
    QMap<QString, QByteArray> filesOf(const QString &folder) const;

    QTemporaryDir m_dir;
    QString m_work;
    classPrincipal *m_panel = nullptr;
};

void TestBoxSelection::initTestCase()
{
    zoInitWidgetTest();
    QVERIFY(m_dir.isValid());
    m_work = m_dir.filePath(QStringLiteral("demo"));
    QVERIFY(makeDemoAccount(m_work));
    // A counter raised by earlier deployments, and a name with dots inside.
    QVERIFY(ClassParam().setParamCrypt(server("10235/PLAYER.orvex"), "ID", "5"));
    QFile dots(server("10235/a..b.png"));
    QVERIFY(dots.open(QIODevice::WriteOnly));
    dots.write("dots inside the name");
    dots.close();

    qputenv("ZOMANAGER_WORKDIR", m_work.toLocal8Bit());
    m_panel = new classPrincipal;
    connect(m_panel, &classPrincipal::SignalUpdateMediaFile, m_panel, &classPrincipal::slotUpdateMediaFinish);
    m_panel->slotMinimumSize(1280, 800);
    m_panel->show();
    QString box;
    QVERIFY2(waitPanelShown(m_panel, &box), qPrintable(box));
    QTRY_VERIFY(!m_panel->statusPoller()->stepIndex());
}

void TestBoxSelection::cleanupTestCase()
{
    delete m_panel;
    qunsetenv("ZOMANAGER_WORKDIR");
}

QToolButton *TestBoxSelection::button(const QString &caption) const
{
    for (QToolButton *b : m_panel->findChildren<QToolButton *>()) {
        if (b->text() == caption)
            return b;
    }
    return nullptr;
}

void TestBoxSelection::chooseScreen(int row)
{
    {
        const QSignalBlocker blocker(list("screensList"));
        list("screensList")->setCurrentRow(-1);
    }
    list("screensList")->setCurrentRow(row);
    QTRY_VERIFY(!m_panel->boxDownload()->running());
    QTRY_VERIFY(list("posterList")->count() > 0 && !overlayShown());
}

QMap<QString, QByteArray> TestBoxSelection::filesOf(const QString &folder) const
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir(folder).entryList(QDir::Files)) {
        QFile file(QDir(folder).filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files.insert(name, file.readAll());
    }
    return files;
}

QStringList TestBoxSelection::scheduleShown() const
{
    QStringList shown;
    for (QLabel *label : m_panel->findChildren<QLabel *>()) {
        const QString text = label->text();
        if ((text == "DATE DE L'AFFICHE" || text == "HEURE DE L'AFFICHE" || text == "ECRAN ALLUME")
            && !label->isHidden())
            shown << text;
    }
    return shown;
}

void TestBoxSelection::chooseFetchesExactlyTheFolder()
{
    list("groupList")->setCurrentRow(0);
    chooseScreen(0);
    chooseScreen(1);

    QCOMPARE(filesOf(m_work + "/DATA"), filesOf(server("10235")));
    QVERIFY(filesOf(m_work + "/DATA").contains("a..b.png"));
    QCOMPARE(m_panel->revisions()->playerCounter(), 5);
    QCOMPARE(list("posterList")->count(), 1);
    // Through the transfer layer: listed, then each file fetched.
    QVERIFY(WorkDirFixture::mainLogOf(m_work).contains("scanFile->URL:"));
    // Regression: the start-up prompt stayed after the transfers.
    QCOMPARE(m_panel->findChild<QLabel *>(QStringLiteral("statusLine"))->text(), QString());
}

void TestBoxSelection::statusPollWaitsForTheDownload()
{
    list("groupList")->setCurrentRow(0);
    QTRY_VERIFY(!m_panel->statusPoller()->stepIndex());
    QFile status(server("STATUSBOX.json"));
    QVERIFY(status.open(QIODevice::WriteOnly | QIODevice::Truncate));
    const QString now = QDateTime::currentDateTime().toString(BoxStatus::lastSeenFormat());
    status.write(QStringLiteral(R"({"10234":["%1","0","0"],"10235":["%1","1","0"]})").arg(now).toUtf8());
    status.close();

    {
        const QSignalBlocker blocker(list("screensList"));
        list("screensList")->setCurrentRow(-1);
    }
    QSignalSpy layout(m_panel->boxDownload(), &BoxFolderDownload::signalLayout);
    list("screensList")->setCurrentRow(0);
    m_panel->slotDownloadFileBox();
    m_panel->slotDownloadFileBox();
    QVERIFY(m_panel->boxDownload()->running());
    // A poll whose reply lands while the folder downloads.
    m_panel->slotRelanceStatusBoitier();

    QVERIFY(layout.wait(10000));
    QCOMPARE(layout.count(), 1);
    QTRY_COMPARE(m_panel->statusPoller()->stepIndex(), 0);
    auto *second = qobject_cast<BoxItemWidget *>(list("screensList")->itemWidget(list("screensList")->item(1)));
    QVERIFY(second);
    QCOMPARE(second->iconPaths().value(1), QString(":/images/Status/BoxEcranOFF.png"));
    QCOMPARE(list("screensList")->currentRow(), 0);
    QVERIFY(!overlayShown());
    QTRY_VERIFY(list("posterList")->count() > 0);

    // One poll, then the next in five minutes.
    QTimer *relaunch = nullptr;
    for (QTimer *t : m_panel->findChildren<QTimer *>()) {
        if (t->interval() == TimeScale::ms(300000))
            relaunch = t;
    }
    QVERIFY(relaunch);
    QVERIFY(relaunch->isActive());
}

void TestBoxSelection::categoryChangeDisablesThePosterTools()
{
    list("groupList")->setCurrentRow(0);
    chooseScreen(0);
    list("posterList")->setCurrentRow(0);
    QTRY_VERIFY(button("Supprimer")->isEnabled());
    QVERIFY(button("Monter")->isEnabled());

    list("groupList")->setCurrentRow(1);
    // Regression: the previous screen's tools stayed live.
    for (const char *caption : {"Supprimer", "Monter", "Descendre", "Renommer", "Date/Heure", "Visualiser"})
        QVERIFY2(!button(QString::fromUtf8(caption))->isEnabled(), caption);
    QVERIFY(!list("posterList")->isEnabled());

    // A screen of the new category brings them back with its posters.
    chooseScreen(0);
    QTRY_VERIFY(button("Supprimer")->isEnabled());
    // The poster's selection is taken in a few ticks: the list comes back last.
    QTRY_VERIFY(list("posterList")->isEnabled());
    QVERIFY(!list("posterList")->isHidden());
}

void TestBoxSelection::noticeFollowsARename()
{
    list("groupList")->setCurrentRow(0);
    chooseScreen(1);
    auto *notice = m_panel->findChild<QLabel *>(QStringLiteral("noticeLabel"));
    QVERIFY(notice->text().contains(QStringLiteral("Borne d'accueil")));

    ModalAnswerer answerer;
    answerer.enterText(QStringLiteral("Borne du hall"));
    button("Renommer un Ecran")->click();
    QVERIFY(answerer.waitUntilDone());
    // The list is rebuilt on the first category and no screen is chosen:
    // the new name shows in the list, the notice names nothing.
    QListWidget *screens = list("screensList");
    const QList<QListWidgetItem *> renamed = screens->findItems(QStringLiteral("10235"), Qt::MatchExactly);
    QCOMPARE(renamed.size(), 1);
    auto *item = qobject_cast<BoxItemWidget *>(screens->itemWidget(renamed.first()));
    QVERIFY(item);
    QCOMPARE(item->name(), QStringLiteral("Borne du hall"));
    QCOMPARE(screens->currentRow(), -1);
    // Regression: the notice named the renamed screen with no row selected,
    // and "Renommer un Ecran" stayed enabled for a click that did nothing.
    QVERIFY2(notice->text().isEmpty(), qPrintable(notice->text()));
    QVERIFY(!button("Renommer un Ecran")->isEnabled());
    QTRY_VERIFY(!m_panel->boxDownload()->running());
    QVERIFY(!button("Renommer un Ecran")->isEnabled());
    // The rename's login upload ends here, not in the next test.
    QTRY_VERIFY(!m_panel->accountDeployment()->running());
    QVERIFY2(answerer.done(), qPrintable(answerer.texts().join('|')));
}

void TestBoxSelection::categoryChangeForgetsTheScreen()
{
    list("groupList")->setCurrentRow(0);
    chooseScreen(0);
    list("posterList")->setCurrentRow(0);
    QTRY_VERIFY(button("Supprimer")->isEnabled());
    QVERIFY(notice()->text().contains(QStringLiteral("10234")));
    QVERIFY(scheduleShown().contains("ECRAN ALLUME"));
    QVERIFY(button("Renommer un Ecran")->isEnabled());

    list("groupList")->setCurrentRow(1);
    // Regression: the notice and the header kept the old screen's name,
    // hours, days and "ECRAN ALLUME" with no screen chosen.
    QCOMPARE(list("screensList")->currentRow(), -1);
    QVERIFY2(notice()->text().isEmpty(), qPrintable(notice()->text()));
    QCOMPARE(scheduleShown(), QStringList());
    QVERIFY(!button("Renommer un Ecran")->isEnabled());
}

void TestBoxSelection::addScreenSaysWhyItIsGrey()
{
    list("groupList")->setCurrentRow(0);
    chooseScreen(0);
    QToolButton *add = button("Ajouter un Ecran");
    QVERIFY(!add->isEnabled());
    // Regression: grey until the restart with nothing saying why.
    QVERIFY2(add->toolTip().contains(QStringLiteral("redémarr")), qPrintable(add->toolTip()));
}

void TestBoxSelection::screenChosenDuringTheRenameGotTheLoginFile()
{
    list("groupList")->setCurrentRow(0);
    chooseScreen(0);
    // The rename's login upload held once it has taken the transfer list.
    AccountDeployment *run = m_panel->accountDeployment();
    const QMetaObject::Connection hold = connect(run->timer(), &QTimer::timeout, this, [run] {
        if (run->step() == 20)
            run->timer()->stop();
    });
    ModalAnswerer answerer;
    answerer.enterText(QStringLiteral("Hall principal"));
    button("Renommer un Ecran")->click();
    QVERIFY(answerer.waitUntilDone());
    QTRY_VERIFY(!run->timer()->isActive());
    disconnect(hold);
    QCOMPARE(run->step(), 20);

    // A screen chosen meanwhile: its download waits for the upload.
    QSignalSpy ticks(m_panel->boxDownload()->timer(), &QTimer::timeout);
    list("screensList")->setCurrentRow(0);
    QTRY_VERIFY(!m_panel->boxDownload()->running() || ticks.count() >= 20);
    run->timer()->start();
    QTRY_VERIFY(!run->running() && !m_panel->boxDownload()->running());

    // Regression: the login file went into the chosen box's folder and the
    // read-back told the change as not stored.
    QVERIFY(!QFile::exists(server("10234/LoginCrypt.orvex")));
    const QString names = ClassParam().getParamCrypt(server("LoginCrypt.orvex"), QStringLiteral("PLAYERLISTNAME"), 1);
    QVERIFY2(names.contains(QStringLiteral("Hall principal")), qPrintable(names));
    QCOMPARE(filesOf(m_work + "/DATA"), filesOf(server("10234")));
    QVERIFY2(answerer.done(), qPrintable(answerer.texts().join('|')));
}

QTEST_MAIN(TestBoxSelection)
#include "tst_boxselection.moc"
