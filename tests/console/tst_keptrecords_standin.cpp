// Two whole consoles on one account on the stand-in, one of them on a slow
// link: its index upload lands after the other console's change was read
// back and takes that change out of the index. What the other console sent
// is kept in its work folder and merged again, never over a later change of
// the same entry, and never lost to a box deployment or the quota meanwhile.
// The same for the rows of the login file a new box adds.
#include "../sync/ParamFixture.h"
#include "../transfer/StandIn.h"
#include "AccountDeployment.h"
#include "AddBoxProcedure.h"
#include "AdminWidgets.h"
#include "BoxDeployment.h"
#include "BoxFolderDownload.h"
#include "ClassMedia.h"
#include "ClassParam.h"
#include "CopyTree.h"
#include "ListManager.h"
#include "MediaDeployment.h"
#include "MessageOverlay.h"
#include "PageCodes.h"
#include "RevisionCounters.h"
#include "ServerMediaTree.h"
#include "ServerMediaUsage.h"
#include "TwoDesks.h"
#include "ZoManager.h"
#include "classAdmin.h"
#include "classAjoutBox.h"
#include "classPrincipal.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <memory>

class KeptRecordsTest : public QObject, protected TwoDesks
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void boxDroppedByALateLoginUpload_data();
    void boxDroppedByALateLoginUpload();
    void changeDroppedByALateUpload_data();
    void changeDroppedByALateUpload();

private:
    // The box choice ticks 10234 alone, unrecorded.
    bool answerOwn(QDialog *d, Desk *, const QString &) override;
    // A file of `bytes` chosen on the desk's page (0 picture, 1 video); its stored name.
    QString import(Desk &d, int type, const QString &name, int bytes);
    // `slow` leaves its media page with its index upload held by the
    // stand-in; `other` makes its change, which is read back, before it lands.
    bool lateUpload(Desk &slow, const std::function<bool()> &other);
    // The server's index with the entry of `path` given `sum` (kept when
    // empty) and `permission`, added when missing, as another console leaves it.
    bool setIndexEntry(const QString &path, const QString &sum, const QString &permission);
    QString indexValue(const QString &path, const QString &key) const;
    // Deploys to 10234 (OK to every question).
    bool deploy(Desk &d);
};

void KeptRecordsTest::initTestCase()
{
    ZO_NEED_STANDIN();
    QVERIFY(qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE") >= 10);
    QVERIFY(makeDesks("kept"));
    for (const char *box : {"10417", "10418", "10502", "PLAYLIST-Promo"})
        QVERIFY(QDir(server(box)).removeRecursively());
    QVERIFY(startDesks(this));
}

void KeptRecordsTest::cleanupTestCase()
{
    closeDesks();
}

bool KeptRecordsTest::answerOwn(QDialog *d, Desk *, const QString &)
{
    if (!d->findChild<QWidget *>("zoneEcrans"))
        return false;
    for (QCheckBox *c : d->findChildren<QCheckBox *>())
        c->setChecked(c->property("zoItem").toString() == "10234");
    click(d, "valider");
    return true;
}

QString KeptRecordsTest::import(Desk &d, int type, const QString &name, int bytes)
{
    ClassMedia *page = d.window->findChild<ClassMedia *>();
    QFile source(m_dir.filePath(name + (type == 0 ? ".png" : ".mp4")));
    if (!source.open(QIODevice::WriteOnly) || source.write(QByteArray(bytes, name.at(0).toLatin1())) != bytes)
        return QString();
    source.close();
    const QString chosen = source.fileName();
    page->setFileChooser([chosen](int, QWidget *, const QString &) { return QStringList{chosen}; });
    if (type == 0)
        page->slotAjouterImage();
    else
        page->slotAjouterVideo();
    auto *list = page->findChild<QListWidget *>(type == 0 ? "listImage" : "listVideo");
    QString stored;
    QTest::qWaitFor([&] {
        for (int i = 0; i < list->count() && stored.isEmpty(); ++i) {
            if (list->item(i)->text().startsWith(name + '-'))
                stored = list->item(i)->text();
        }
        return !stored.isEmpty() && !page->importPending();
    }, 30000);
    return stored.isEmpty() ? QString() : QString(type == 0 ? "IMAGE/" : "VIDEO/") + stored;
}

bool KeptRecordsTest::lateUpload(Desk &slow, const std::function<bool()> &other)
{
    const QString indexUpload = m_account + "/MEDIA.orvex";
    if (!StandIn::fault("/zobox/upload.php", "delay", indexUpload, 1, 5000))
        return false;
    MediaDeployment *run = slow.panel()->mediaDeployment();
    slow.window->findChild<ClassMedia *>()->findChild<QAbstractButton *>("btBack")->click();
    const bool sending = QTest::qWaitFor([run] { return run->step() == MediaDeployment::PutIndex; }, 30000);
    const bool done = sending && other();
    const bool over = QTest::qWaitFor([&] {
        return !run->running() && ModalAnswerer::openDialogs().isEmpty();
    }, 30000);
    StandIn::reset(indexUpload);
    if (!sending || !done || !over)
        qWarning() << "late upload:" << sending << done << over << m_dialogs;
    return sending && done && over;
}

QString KeptRecordsTest::indexValue(const QString &path, const QString &key) const
{
    ClassParam index;
    index.getParamCrypt(server("MEDIA.orvex"), QStringList{"ALL"}, 0);
    const int at = index.getInfoBalise("FILEPATH").split('|').indexOf(path);
    return at < 0 ? QString() : index.getInfoBalise(key).split('|').value(at);
}

bool KeptRecordsTest::setIndexEntry(const QString &path, const QString &sum, const QString &permission)
{
    return rewriteServerIndex([&](const QString &key, QStringList &rows, const QStringList &paths) {
        const int at = paths.indexOf(path);
        const QString value = key == "FILEPATH" ? path
            : key == "FILECHK"                  ? sum
            : key == "FILESIZE"                 ? QString::number(QFileInfo(server(path)).size())
            : key == "FILEPATHPERMISSION"       ? permission
                                                : QString();
        if (!value.isEmpty() && at < 0)
            rows << value;
        else if (!value.isEmpty() && (key != "FILECHK" || !sum.isEmpty()))
            rows[at] = value;
    });
}

bool KeptRecordsTest::deploy(Desk &d)
{
    d.panel()->slotDeploiement();
    return QTest::qWaitFor([&] {
        return !d.panel()->boxDeployment()->running() && !d.panel()->mediaDeployment()->running()
            && ModalAnswerer::openDialogs().isEmpty();
    }, 60000);
}

void KeptRecordsTest::boxDroppedByALateLoginUpload_data()
{
    QTest::addColumn<QString>("slowBox"); // added by A, whose login upload is held
    QTest::addColumn<QString>("box");     // added by B meanwhile
    QTest::newRow("two boxes added at once, one login upload held: the other box missing, both told success")
        << "10998" << "10999";
}

// A and B add a box each at once; the server holds A's login upload 6 s,
// past B's read-back, and it lands without B's box. B keeps its box's rows
// until a fetch shows them: its next login (the add ends the program) says
// the box is missing and puts it back.
void KeptRecordsTest::boxDroppedByALateLoginUpload()
{
    QFETCH(QString, slowBox);
    QFETCH(QString, box);
    const QString code = "1A2B3C4D5E";
    // The service's shared folders: factory records, templates, validation.
    const QString shared = m_a.work + "/server/zolink/zobox/";
    for (const char *folder : {"DEFAULT", "Production"})
        QVERIFY(copyTree(shared + folder + "/", StandIn::root() + "/" + folder + "/"));
    const QString reports = StandIn::root() + "/Production/Reports/";
    QVERIFY(QDir().mkpath(StandIn::root() + "/Validation"));
    for (const QString &serial : {slowBox, box}) {
        QVERIFY(QFile::exists(reports + serial + "_" + code + ".orvex")
                || QFile::copy(reports + "10999_" + code + ".orvex", reports + serial + "_" + code + ".orvex"));
        QFile::remove(StandIn::root() + "/Validation/ZOVALIDATE_" + serial + "_" + code + ".orvex");
    }
    const auto boxes = [this] {
        return ClassParam().getParamCrypt(server("LoginCrypt.orvex"), "PLAYERLIST", 0).split('|');
    };
    const auto addBox = [code](Desk &d, const QString &serial) -> AddBoxProcedure * {
        QToolButton *add = nullptr;
        for (QToolButton *b : d.panel()->findChildren<QToolButton *>()) {
            if (b->text() == "Ajouter un Ecran")
                add = b;
        }
        auto *dialog = d.panel()->findChild<classAjoutBox *>();
        if (!add || !dialog)
            return nullptr;
        add->click();
        if (!QTest::qWaitFor([dialog] { return dialog->procedure()->step() == 1; }, 10000))
            return nullptr;
        dialog->serialField()->setText(serial);
        dialog->codeField()->setText(code);
        QMetaObject::invokeMethod(dialog->findChild<QObject *>("valider"), "click");
        return dialog->procedure();
    };
    // Each success box ends the program: its quit is taken here.
    const auto added = [this](int count) {
        const bool over = QTest::qWaitFor(
            [&] { return m_dialogs.filter("Création terminée avec succés").size() == count; }, 60000);
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
        return over;
    };
    m_dialogs.clear();
    QVERIFY(StandIn::fault("/zobox/upload.php", "delay", "LoginCrypt.orvex", 1, 6000));
    AddBoxProcedure *slow = addBox(m_a, slowBox);
    QVERIFY(slow);
    QTRY_VERIFY_WITH_TIMEOUT(slow->step() == 39, 60000);
    AddBoxProcedure *fast = addBox(m_b, box);
    QVERIFY(fast);
    QVERIFY2(added(1), qPrintable(m_dialogs.join(" / ")));
    QCOMPARE(slow->step(), 39); // still held
    QVERIFY2(added(2), qPrintable(m_dialogs.join(" / ")));
    QVERIFY2(!boxes().contains(box), qPrintable(boxes().join(',')));

    // B starts again: its box is put back, and it is told.
    m_dialogs.clear();
    m_b.window.reset();
    QVERIFY(startDesk(m_b, true));
    QTRY_VERIFY_WITH_TIMEOUT(boxes().contains(box) && !m_b.panel()->accountDeployment()->running(), 30000);
    QVERIFY2(boxes().contains(slowBox), qPrintable(boxes().join(',')));
    const QString seen = m_dialogs.join(" / ");
    QVERIFY2(seen.contains("l'écran " + box) && seen.contains("ces lignes y sont remises"), qPrintable(seen));
    m_a.window.reset();
    QVERIFY(startDesk(m_a));
    for (const QString &serial : {slowBox, box})
        QFile::remove(StandIn::root() + "/Validation/ZOVALIDATE_" + serial + "_" + code + ".orvex");
}

void KeptRecordsTest::changeDroppedByALateUpload_data()
{
    // What B (or A) changed, which A's (or B's) slow index upload drops.
    QTest::addColumn<QString>("change");
    QTest::newRow("index upload dropped a picture: a box deployment in the gap took it off the poster") << "poster";
    QTest::newRow("import dropped by a late upload, the quota filled meanwhile: its published file was deleted")
        << "quota";
    QTest::newRow("kept removal took out the newer file of the name another console sent") << "removal";
    QTest::newRow("category rename undone by a late index upload stayed undone after a restart") << "rename";
    QTest::newRow("picture told sent when a late index upload landed between its two reads") << "between";
}

void KeptRecordsTest::changeDroppedByALateUpload()
{
    QFETCH(QString, change);
    m_dialogs.clear();
    ClassParam read;
    if (change == "poster") {
        // B's picture, on B's first poster of 10234, is published; A's slow
        // upload drops it from the index; B deploys the box.
        QVERIFY(select(m_b, "10234"));
        QVERIFY(openMedia(m_a));
        QVERIFY(!import(m_a, 1, "Lent", 3000).isEmpty());
        QVERIFY(openMedia(m_b));
        const QString picture = import(m_b, 0, "Affiche", 5000);
        QVERIFY(!picture.isEmpty());
        const QString player = m_b.work + "/DATA/PLAYER.orvex";
        QStringList posters = read.getParamCrypt(player, "SLIDENAMEIMAGE", 0).split('|');
        posters[0] = picture;
        QVERIFY(ClassParam().setParamCrypt(player, "SLIDENAMEIMAGE", posters.join('|')));
        QVERIFY(lateUpload(m_a, [&] { return leaveMedia(m_b); }));
        QVERIFY2(m_dialogs.isEmpty(), qPrintable(m_dialogs.join(" / ")));
        QVERIFY(QFile::exists(server(picture)));
        QVERIFY(!indexedPaths(server("MEDIA.orvex")).contains(picture));

        QVERIFY(deploy(m_b));
        QVERIFY2(m_dialogs.contains("B: Déploiement terminé avec succés!!"), qPrintable(m_dialogs.join(" / ")));
        QCOMPARE(read.getParamCrypt(server("10234/PLAYER.orvex"), "SLIDENAMEIMAGE", 0).split('|').value(0), picture);
        // And the index has it again.
        QTRY_VERIFY_WITH_TIMEOUT(indexedPaths(server("MEDIA.orvex")).contains(picture), 20000);
        QTRY_VERIFY(!m_b.panel()->mediaDeployment()->running());
        QVERIFY(removeFromServer("IMAGE/Affiche-"));
        QVERIFY(removeFromServer("VIDEO/Lent-"));
    } else if (change == "quota") {
        // B's video of 2 Mo is published, A's slow upload drops it; A then
        // publishes 2 Mo more, within the quota of 3 as the index counts it.
        QVERIFY(restartWithQuota(3));
        QVERIFY(openMedia(m_a));
        QVERIFY(!import(m_a, 1, "Petit", 1000).isEmpty());
        QVERIFY(openMedia(m_b));
        const QString mine = import(m_b, 1, "Quota", 2000000);
        QVERIFY(!mine.isEmpty());
        QVERIFY(lateUpload(m_a, [&] { return leaveMedia(m_b); }));
        QVERIFY(!indexedPaths(server("MEDIA.orvex")).contains(mine));
        QVERIFY(openMedia(m_a));
        QVERIFY(!import(m_a, 1, "Grand", 2000000).isEmpty());
        QVERIFY(leaveMedia(m_a));
        QVERIFY2(m_dialogs.isEmpty(), qPrintable(m_dialogs.join(" / ")));

        QVERIFY(visitMedia(m_b));
        const QString seen = m_dialogs.join(" / ");
        QVERIFY2(QFile::exists(server(mine)), qPrintable(seen));
        QVERIFY(indexedPaths(server("MEDIA.orvex")).contains(mine));
        QVERIFY2(m_dialogs.size() == 1 && m_dialogs.first() == "B: " + MediaDeployment::overQuotaKeptText({mine}),
                 qPrintable(seen));
        QVERIFY(removeFromServer("VIDEO/Quota-"));
        QVERIFY(removeFromServer("VIDEO/Grand-"));
        QVERIFY(removeFromServer("VIDEO/Petit-"));
        QVERIFY(restartWithQuota(500));
    } else if (change == "removal") {
        // A removes its video; B's slow upload lists it again; another
        // console then sends a newer file of that name.
        QVERIFY(openMedia(m_a));
        const QString old = import(m_a, 1, "Vieux", 3000);
        QVERIFY(!old.isEmpty());
        QVERIFY(leaveMedia(m_a));
        QVERIFY(openMedia(m_b));
        QVERIFY(!import(m_b, 1, "Lent", 3000).isEmpty());
        ClassMedia *pageA = openMedia(m_a);
        QVERIFY(pageA);
        auto *list = pageA->findChild<QListWidget *>("listVideo");
        list->setCurrentItem(list->findItems(old.section('/', 1), Qt::MatchExactly).value(0));
        QVERIFY(list->currentItem());
        pageA->slotSupprimerVideo();
        QVERIFY(lateUpload(m_b, [&] { return leaveMedia(m_a); }));
        QVERIFY(indexedPaths(server("MEDIA.orvex")).contains(old));
        QFile newer(server(old));
        QVERIFY(newer.open(QIODevice::WriteOnly) && newer.write(QByteArray(2000, 'n')) == 2000);
        newer.close();
        QVERIFY(setIndexEntry(old, "NEWERSUM", "ADMINISTRATEUR"));

        QVERIFY(visitMedia(m_a));
        QVERIFY2(m_dialogs.isEmpty(), qPrintable(m_dialogs.join(" / ")));
        QCOMPARE(indexValue(old, "FILECHK"), QString("NEWERSUM"));
        QVERIFY(removeFromServer("VIDEO/Vieux-"));
        QVERIFY(removeFromServer("VIDEO/Lent-"));
    } else if (change == "between") {
        // B's picture is read back once; A's slow upload lands before B's
        // second read, which must see it and merge B's picture again.
        QVERIFY(openMedia(m_a));
        const QString slow = import(m_a, 1, "Tardif", 3000);
        QVERIFY(!slow.isEmpty());
        QVERIFY(openMedia(m_b));
        const QString picture = import(m_b, 0, "Entre", 5000);
        QVERIFY(!picture.isEmpty());
        MediaDeployment *runA = m_a.panel()->mediaDeployment();
        MediaDeployment *runB = m_b.panel()->mediaDeployment();
        bool held = false;
        bool released = false;
        runB->holdSecondRead([&] {
            held = true;
            return !released;
        });
        const bool late = lateUpload(m_a, [&] {
            m_b.window->findChild<ClassMedia *>()->findChild<QAbstractButton *>("btBack")->click();
            const bool landed = QTest::qWaitFor([&] { return held || !runB->running(); }, 30000)
                && QTest::qWaitFor([&] { return !runA->running(); }, 30000);
            released = true;
            return landed && QTest::qWaitFor([&] {
                return m_b.window->stack()->currentIndex() == 0 && !runB->running()
                    && ModalAnswerer::openDialogs().isEmpty();
            }, 30000);
        });
        runB->holdSecondRead(nullptr);
        QVERIFY(late);
        const QStringList indexed = indexedPaths(server("MEDIA.orvex"));
        QVERIFY2(indexed.contains(picture), qPrintable(m_dialogs.join(" / ")));
        QVERIFY(indexed.contains(slow));
        QVERIFY2(m_dialogs.isEmpty(), qPrintable(m_dialogs.join(" / ")));
        QVERIFY(removeFromServer("IMAGE/Entre-"));
        QVERIFY(removeFromServer("VIDEO/Tardif-"));
    } else {
        // A renames the category Restaurant, which a picture is granted to,
        // while B's slow upload is on its way; A quits after its success.
        const QString granted = indexedPaths(server("MEDIA.orvex")).value(0);
        QVERIFY(setIndexEntry(granted, QString(), "Restaurant;Accueil"));
        QVERIFY(openMedia(m_b));
        QVERIFY(!import(m_b, 1, "Lent", 3000).isEmpty());
        classAdmin *page = nullptr;
        for (QToolButton *b : m_a.panel()->findChildren<QToolButton *>()) {
            if (b->text() == "Administration" && !b->isHidden())
                b->click();
        }
        page = m_a.window->findChild<classAdmin *>();
        QVERIFY(page && page->isVisible());
        page->widgets()->categoriesList->setCurrentRow(1);
        QCOMPARE(page->widgets()->categoriesList->currentItem()->text(), QString("Restaurant"));
        m_typing = QStringList{"Cantine"};
        page->widgets()->actions.at(10)->click();
        QTRY_VERIFY(!page->listManager()->busy() && ModalAnswerer::openDialogs().isEmpty());
        QVERIFY(lateUpload(m_b, [&] {
            QSignalSpy finished(m_a.panel()->accountDeployment(), &JournalDeployment::signalFinished);
            page->widgets()->validate->click();
            return QTest::qWaitFor([&] {
                return finished.count() > 0 && !m_a.panel()->accountDeployment()->running()
                    && ModalAnswerer::openDialogs().isEmpty();
            }, 30000) && indexValue(granted, "FILEPATHPERMISSION") == "Cantine;Accueil";
        }));
        QCOMPARE(indexValue(granted, "FILEPATHPERMISSION"), QString("Restaurant;Accueil"));
        m_a.window.reset();
        m_dialogs.clear();
        QVERIFY(startDesk(m_a));
        QVERIFY2(m_dialogs.filter("A: ").isEmpty(), qPrintable(m_dialogs.join(" / ")));
        QCOMPARE(indexValue(granted, "FILEPATHPERMISSION"), QString("Cantine;Accueil"));
        QVERIFY(removeFromServer("VIDEO/Lent-"));
    }
}

QTEST_MAIN(KeptRecordsTest)
#include "tst_keptrecords_standin.moc"
