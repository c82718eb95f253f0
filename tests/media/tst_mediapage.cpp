#include "AppGlobals.h"
#include "Checksum.h"
#include "ClassMedia.h"
#include "MediaFixture.h"
#include "ModalAnswerer.h"
#include "ZoTestInit.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

// The page driven offscreen: imports through the file-dialog seam, removals,
// text posters from the editor, grants, and what it hands on when left.
class MediaPageTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void refreshListsAndQuotaLine();
    void importPicturesAndVideo();
    void quotaRefusalDropsTheRest();
    void nameTooLongSkipsOne();
    void inUseRefusal();
    void substringNamesNeverTouchEachOther();
    void textPosterAddAndReplace();
    void textPosterSavedTwiceInOneSecond();
    void textPosterSavedAgainUnderItsName();
    void replacedTextSharedWithAnotherPoster();
    void deletedTextStillOnThePoster();
    void grantTwoCategories();
    void infoLineRights_data();
    void infoLineRights();
    void failedDownloadKeepsEntry();
    void journalFailureIsShown();
    void permissionRowWithNulIsNotSent();
    void textPostersWaitForMessages();
    void unsafeTextPosterNameRefused();
    void unrecordedRemovalOrGrantKeepsFile_data();
    void unrecordedRemovalOrGrantKeepsFile();
    void pageLeftDuringImport();
    void importOnFullDisk_data();
    void importOnFullDisk();
    void thumbnailsOnlyForRowsOnScreen();

private:
    void index(const QStringList &paths, const QStringList &sizes, const QStringList &rights);
    void openPage(int quota = 200, const QString &user = "agent", const QString &type = "UTILISATEUR",
                  bool shown = true);
    // The colour at the centre of a row's icon; transparent for the clear icon.
    QRgb iconColour(int row) const;
    void addPictureAnsweringOneBox(QString *className, QString *title, QString *text);
    QListWidget *list(const char *name) const { return m_page->findChild<QListWidget *>(name); }
    void select(const char *listName, const QString &text);
    static QStringList listArg(const QSignalSpy &spy, int call, int arg)
    {
        return spy.at(call).at(arg).toStringList();
    }

    std::unique_ptr<MediaFixture> m_f;
    std::unique_ptr<ClassMedia> m_page;
    QStringList m_chosen;
};

void MediaPageTest::initTestCase()
{
    zoInitWidgetTest();
}

void MediaPageTest::init()
{
    m_f.reset(new MediaFixture);
    ApplicationPath = m_f->work;
    m_chosen.clear();
}

void MediaPageTest::cleanup()
{
    m_page.reset();
    m_f.reset();
}

void MediaPageTest::index(const QStringList &paths, const QStringList &sizes, const QStringList &rights)
{
    QStringList sums;
    for (int i = 0; i < paths.size(); ++i)
        sums << "0123456789ABCDEF0123456789ABCDEF";
    QVERIFY(writeParams(m_f->index(), {{"FILEPATH", paths.join('|')},
                                       {"FILECHK", sums.join('|')},
                                       {"FILESIZE", sizes.join('|')},
                                       {"FILEPATHPERMISSION", rights.join('|')}}));
}

void MediaPageTest::openPage(int quota, const QString &user, const QString &type, bool shown)
{
    m_page.reset(new ClassMedia);
    m_page->setFileChooser([this](int, QWidget *, const QString &) { return m_chosen; });
    m_page->resize(1024, 720);
    if (shown)
        m_page->show();
    QSignalSpy finished(m_page.get(), &ClassMedia::signalUpdateMediaFinish);
    m_page->slotUpdateMediaSize(quota);
    m_page->slotUpdateMediaFile();
    QVERIFY(finished.wait(2000));
    m_page->slotUserLogin(user, type);
}

void MediaPageTest::select(const char *listName, const QString &text)
{
    const QList<QListWidgetItem *> found = list(listName)->findItems(text, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    list(listName)->setCurrentItem(found.first());
}

void MediaPageTest::refreshListsAndQuotaLine()
{
    m_f->picture("IMAGE/b.png", 400, 300);
    m_f->picture("IMAGE/A.jpg", 300, 400);
    m_f->bytes("VIDEO/clip.mp4", 10);
    index({"IMAGE/b.png", "IMAGE/A.jpg", "VIDEO/clip.mp4"}, {"1500000", "2600000", ""}, {"", "", ""});
    openPage(200);
    QCOMPARE(list("listImage")->count(), 2);
    QCOMPARE(list("listImage")->item(0)->text(), QString("A.jpg"));
    QCOMPARE(list("listVideo")->count(), 1);
    QCOMPARE(m_page->findChild<QLabel *>("labelQuota")->text(),
             QString::fromUtf8("Espace maximum autorisé: 200Mo\nEspace utilisé: 4Mo"));
    QVERIFY(m_page->findChild<QToolButton *>("btAddImage")->isEnabled());
    QVERIFY(m_page->findChild<QWidget *>("messagePanel")->isHidden());
    // Thumbnails arrive from the workers, scaled into the icon size.
    QTRY_COMPARE(m_page->thumbnailsPending(), 0);
    const QSize icon = list("listImage")->iconSize();
    QCOMPARE(icon, QSize(128, 90));
    const QPixmap thumb = list("listImage")->item(1)->icon().pixmap(icon);
    QVERIFY(!thumb.isNull());
    QCOMPARE(thumb.height(), 90);

    // Resized as the control panel asks.
    m_page->slotResize(1920, 1080, 0);
    QCOMPARE(list("listImage")->iconSize(), QSize(240, 135));
    // The thumbnails follow the new size.
    QTRY_COMPARE(list("listImage")->item(1)->icon().availableSizes().value(0), QSize(240, 135));
    QCOMPARE(m_page->findChild<QToolButton *>("btAddImage")->iconSize(), QSize(54, 54));
    QCOMPARE(m_page->findChild<QWidget *>("quotaBar")->size(), QSize(96, 96));

    // Unknown quota: no division by zero.
    m_page->slotUpdateMediaSize(0);
    QVERIFY(m_page->findChild<QLabel *>("labelQuota")->text().startsWith(QString::fromUtf8("Espace maximum autorisé: 0Mo")));
}

void MediaPageTest::importPicturesAndVideo()
{
    openPage(200);
    QTemporaryDir outside;
    m_chosen = QStringList{m_f->picture(outside.filePath("Vue (mer).png")), m_f->picture(outside.filePath(QString::fromUtf8("été.jpeg")))};
    QSignalSpy added(m_page.get(), &ClassMedia::signalNewMedia);
    QSignalSpy sent(m_page.get(), &ClassMedia::signalMediaToSend);
    QSignalSpy back(m_page.get(), &ClassMedia::signalButton);
    m_page->slotAjouterImage();
    QTRY_VERIFY(!m_page->importing());
    m_chosen = QStringList{m_f->bytes(outside.filePath("clip.mp4"), 1500000)};
    m_page->slotAjouterVideo();
    QTRY_VERIFY(!m_page->importing());

    QCOMPARE(added.count(), 3);
    // "été" keeps its letters in their plain form.
    const QRegularExpression stamped("^(Vue mer|ete)-\\d{6}\\.(png|jpe)$");
    const QString first = added.at(0).at(1).toString();
    const QString second = added.at(1).at(1).toString();
    QVERIFY2(stamped.match(first).hasMatch(), qPrintable(first));
    QVERIFY2(stamped.match(second).hasMatch() && second.endsWith(".jpe"), qPrintable(second));
    QCOMPARE(added.at(2).at(0).toInt(), 1);
    QVERIFY(QFile::exists(m_f->work + "IMAGE/" + first));
    QCOMPARE(list("listImage")->count(), 2);
    QCOMPARE(list("listVideo")->count(), 1);

    const QStringList paths = m_f->indexKey("FILEPATH").split('|');
    QCOMPARE(paths, QStringList({"IMAGE/" + first, "IMAGE/" + second, "VIDEO/" + added.at(2).at(1).toString()}));
    for (const QString &sum : m_f->indexKey("FILECHK").split('|'))
        QVERIFY2(QRegularExpression("^[0-9A-F]{32}$").match(sum).hasMatch(), qPrintable(sum));
    QCOMPARE(m_f->indexKey("FILEPATHPERMISSION"), QString("A;B|A;B|A;B"));
    QVERIFY(m_f->indexKey("FILESIZE").endsWith("|1500000"));
    const QStringList records = m_f->records();
    QCOMPARE(records.size(), 3);
    for (int i = 0; i < 3; ++i)
        QVERIFY2(records.at(i).startsWith("AJOUTER|" + paths.at(i) + "|"), qPrintable(records.at(i)));
    QCOMPARE(m_page->usedMo(), 1);

    // Leaving hands on the six lists once, then goes back to the panel.
    m_page->slotFermer();
    QCOMPARE(sent.count(), 1);
    QCOMPARE(listArg(sent, 0, 0), QStringList({"IMAGE/" + first, "IMAGE/" + second}));
    QCOMPARE(listArg(sent, 0, 2), QStringList({paths.at(2)}));
    for (int arg : {1, 3, 4, 5})
        QVERIFY(listArg(sent, 0, arg).isEmpty());
    QCOMPARE(sent.at(0).at(6).toBool(), false);
    QCOMPARE(back.count(), 1);
    QCOMPARE(back.at(0).at(0).toInt(), 0);
    m_page->slotFermer();
    QCOMPARE(sent.count(), 2);
    for (int arg = 0; arg < 6; ++arg)
        QVERIFY(listArg(sent, 1, arg).isEmpty());
}

void MediaPageTest::quotaRefusalDropsTheRest()
{
    openPage(3);
    QTemporaryDir outside;
    m_chosen = QStringList{m_f->bytes(outside.filePath("v1.mp4"), 1000000), m_f->bytes(outside.filePath("v2.mp4"), 1000000),
                m_f->bytes(outside.filePath("v3.mp4"), 2000000), m_f->bytes(outside.filePath("v4.mp4"), 10)};
    QSignalSpy added(m_page.get(), &ClassMedia::signalNewMedia);
    ModalAnswerer answerer;
    answerer.confirm();
    m_page->slotAjouterVideo();
    QTRY_VERIFY(!m_page->importing());
    QVERIFY(answerer.done());
    QVERIFY(answerer.texts().first().startsWith(QString::fromUtf8("La taille maximum de votre médiathèque a été atteinte")));
    QCOMPARE(added.count(), 2);
    QCOMPARE(m_f->indexKey("FILEPATH").split('|').size(), 2);
    QCOMPARE(m_page->usedMo(), 2);
}

void MediaPageTest::nameTooLongSkipsOne()
{
    openPage(200);
    QTemporaryDir outside;
    m_chosen = QStringList{m_f->picture(outside.filePath("short.png")), m_f->picture(outside.filePath(QString(27, 'x') + ".png")),
                m_f->picture(outside.filePath("after.png"))};
    QSignalSpy added(m_page.get(), &ClassMedia::signalNewMedia);
    ModalAnswerer answerer;
    answerer.confirm();
    m_page->slotAjouterImage();
    QTRY_VERIFY(!m_page->importing());
    QVERIFY(answerer.done());
    QVERIFY(answerer.texts().first().startsWith("Le nom du fichier est trop long"));
    QCOMPARE(added.count(), 2);
}

void MediaPageTest::inUseRefusal()
{
    m_f->picture("IMAGE/used.png");
    m_f->picture("IMAGE/sed.png");
    index({"IMAGE/used.png", "IMAGE/sed.png"}, {"10", "20"}, {"", ""});
    openPage();
    QSignalSpy removed(m_page.get(), &ClassMedia::signalSupprimeMedia);
    ModalAnswerer answerer;
    answerer.confirm();
    select("listImage", "used.png");
    m_page->slotSupprimerImage();
    QVERIFY(answerer.done());
    QCOMPARE(answerer.texts().first(), QString("Le fichier used.png est en cours d'utilisation!!!"));
    QVERIFY(QFile::exists(m_f->work + "IMAGE/used.png"));
    QCOMPARE(removed.count(), 0);
    QVERIFY(!QFile::exists(m_f->journal()));

    // A name that is only part of a poster's picture is free to go.
    select("listImage", "sed.png");
    m_page->slotSupprimerImage();
    QCOMPARE(removed.count(), 1);
    QVERIFY(!QFile::exists(m_f->work + "IMAGE/sed.png"));
    QCOMPARE(m_f->indexKey("FILEPATH"), QString("IMAGE/used.png"));
    QCOMPARE(m_f->records(), QStringList({"SUPPRIMER|IMAGE/sed.png|0123456789ABCDEF0123456789ABCDEF||20"}));
}

void MediaPageTest::substringNamesNeverTouchEachOther()
{
    m_f->picture("IMAGE/aa.png");
    m_f->picture("IMAGE/a.png");
    index({"IMAGE/aa.png", "IMAGE/a.png"}, {"10", "20"}, {"X", "Y"});
    openPage();
    // The info line of a.png is its own, not the one of aa.png listed first.
    select("listImage", "a.png");
    QVERIFY(m_page->findChild<QLabel *>("labelInfoImage")->text().endsWith("Autorisations: Y"));
    m_page->slotSupprimerImage();
    QVERIFY(QFile::exists(m_f->work + "IMAGE/aa.png"));
    QCOMPARE(m_f->indexKey("FILEPATH"), QString("IMAGE/aa.png"));
    QCOMPARE(m_f->indexKey("FILEPATHPERMISSION"), QString("X"));
    QCOMPARE(list("listImage")->count(), 1);

    // Added during the visit, then removed: never uploaded, still removed.
    QSignalSpy sent(m_page.get(), &ClassMedia::signalMediaToSend);
    QTemporaryDir outside;
    m_chosen = QStringList{m_f->picture(outside.filePath("new.png"))};
    m_page->slotAjouterImage();
    QTRY_VERIFY(!m_page->importing());
    const QString stored = list("listImage")->item(1)->text();
    select("listImage", stored);
    m_page->slotSupprimerImage();
    m_page->slotFermer();
    QVERIFY(listArg(sent, 0, 0).isEmpty());
    QCOMPARE(listArg(sent, 0, 1), QStringList({"a.png", stored}));
}

void MediaPageTest::textPosterAddAndReplace()
{
    openPage();
    QSignalSpy sent(m_page.get(), &ClassMedia::signalMediaToSend);
    QSignalSpy removed(m_page.get(), &ClassMedia::signalSupprimeMedia);
    m_f->picture("TEXT/t1.png");
    m_f->bytes("TEXT/t1.txt", 5);
    m_page->slotNewImageTexte("", "t1.png");
    QTRY_COMPARE(sent.count(), 1);
    QCOMPARE(listArg(sent, 0, 4), QStringList({"TEXT/t1.png", "TEXT/t1.txt"}));
    QCOMPARE(m_f->indexKey("FILEPATH"), QString("TEXT/t1.png|TEXT/t1.txt"));

    m_f->picture("TEXT/t2.png");
    m_f->bytes("TEXT/t2.txt", 6);
    m_page->slotNewImageTexte("t1.png", "TEXT/t2.png");
    QTRY_COMPARE(sent.count(), 2);
    QCOMPARE(listArg(sent, 1, 4), QStringList({"TEXT/t2.png", "TEXT/t2.txt"}));
    QCOMPARE(listArg(sent, 1, 5), QStringList({"t1.png", "t1.txt"}));
    QCOMPARE(removed.count(), 1);
    QVERIFY(!QFile::exists(m_f->work + "TEXT/t1.png"));
    QVERIFY(QFile::exists(m_f->work + "TEXT/t1.txt"));
    QCOMPARE(m_f->indexKey("FILEPATH"), QString("TEXT/t2.png|TEXT/t2.txt"));
    QStringList ops;
    for (const QString &r : m_f->records())
        ops << r.section('|', 0, 1);
    QCOMPARE(ops, QStringList({"AJOUTER|TEXT/t1.txt", "AJOUTER|TEXT/t1.png", "AJOUTER|TEXT/t2.txt",
                               "AJOUTER|TEXT/t2.png", "SUPPRIMER|TEXT/t1.png", "SUPPRIMER|TEXT/t1.txt"}));
    // Handed on once: leaving sends nothing about text posters again.
    m_page->slotFermer();
    QVERIFY(listArg(sent, 2, 4).isEmpty() && listArg(sent, 2, 5).isEmpty());
}

void MediaPageTest::textPosterSavedTwiceInOneSecond()
{
    openPage();
    QSignalSpy sent(m_page.get(), &ClassMedia::signalMediaToSend);
    m_f->picture("TEXT/s.png");
    m_f->bytes("TEXT/s.txt", 5);
    m_f->picture("TEXT/u.png");
    m_f->bytes("TEXT/u.txt", 5);
    // Two saves before the machine ran: both are handled, in order.
    m_page->slotNewImageTexte("", "s.png");
    m_page->slotNewImageTexte("s.png", "s.png");
    m_page->slotNewImageTexte("", "u.png");
    QTRY_COMPARE(sent.count(), 2);
    QTest::qWait(300);
    QCOMPARE(sent.count(), 2);
    QVERIFY(QFile::exists(m_f->work + "TEXT/s.png"));
    QCOMPARE(m_f->indexKey("FILEPATH"), QString("TEXT/s.png|TEXT/s.txt|TEXT/u.png|TEXT/u.txt"));
    QStringList ops;
    for (const QString &r : m_f->records())
        ops << r.section('|', 0, 1);
    QCOMPARE(ops, QStringList({"AJOUTER|TEXT/s.txt", "AJOUTER|TEXT/s.png", "SUPPRIMER|TEXT/s.png",
                               "SUPPRIMER|TEXT/s.txt", "AJOUTER|TEXT/s.txt", "AJOUTER|TEXT/s.png",
                               "AJOUTER|TEXT/u.txt", "AJOUTER|TEXT/u.png"}));
    QCOMPARE(list("listText")->count(), 2);
}

// The same picture written again (same name, same second): the index and
// the journal carry the new file's MD5 and size, and it is sent again.
void MediaPageTest::textPosterSavedAgainUnderItsName()
{
    openPage();
    QSignalSpy sent(m_page.get(), &ClassMedia::signalMediaToSend);
    m_f->picture("TEXT/s.png", 64, 48);
    m_f->bytes("TEXT/s.txt", 5);
    m_page->slotNewImageTexte("", "TEXT/s.png");
    QTRY_COMPARE(sent.count(), 1);
    const QString first = m_f->indexKey("FILECHK");

    m_f->picture("TEXT/s.png", 320, 200, Qt::red);
    m_f->bytes("TEXT/s.txt", 9);
    const QString md5 = CalculChecksum(m_f->work + "TEXT/s.png");
    const QString size = QString::number(QFileInfo(m_f->work + "TEXT/s.png").size());
    m_page->slotNewImageTexte("", "TEXT/s.png");
    QTRY_COMPARE(sent.count(), 2);
    QCOMPARE(listArg(sent, 1, 4), QStringList({"TEXT/s.png", "TEXT/s.txt"}));
    QCOMPARE(m_f->indexKey("FILEPATH"), QString("TEXT/s.png|TEXT/s.txt"));
    QVERIFY(m_f->indexKey("FILECHK") != first);
    QCOMPARE(m_f->indexKey("FILECHK").section('|', 0, 0), md5);
    QCOMPARE(m_f->indexKey("FILESIZE"), size + "|9");
    const QStringList records = m_f->records();
    QCOMPARE(records.size(), 6);
    QVERIFY2(records.at(2).startsWith("SUPPRIMER|TEXT/s.png|" + first.section('|', 0, 0)), qPrintable(records.at(2)));
    QVERIFY2(records.at(3).startsWith("SUPPRIMER|TEXT/s.txt|"), qPrintable(records.at(3)));
    QVERIFY2(records.at(4).endsWith("|9") && records.at(4).startsWith("AJOUTER|TEXT/s.txt|"), qPrintable(records.at(4)));
    QVERIFY2(records.at(5).startsWith("AJOUTER|TEXT/s.png|" + md5 + "|"), qPrintable(records.at(5)));
    QCOMPARE(list("listText")->count(), 1);
}

// Saved again under a new stamp while another poster shows the old
// picture: the old file stays for that poster, the edited poster is told to
// move (signalSupprimeMedia), and no alarming box shows.
void MediaPageTest::replacedTextSharedWithAnotherPoster()
{
    QVERIFY(writeParams(m_f->work + "DATA/PLAYER.orvex", {{"SLIDENAMETXT", "TEXT/t1.png|TEXT/t1.png"}}));
    openPage();
    QSignalSpy sent(m_page.get(), &ClassMedia::signalMediaToSend);
    QSignalSpy removed(m_page.get(), &ClassMedia::signalSupprimeMedia);
    m_f->picture("TEXT/t1.png");
    m_f->bytes("TEXT/t1.txt", 5);
    m_page->slotNewImageTexte("", "t1.png");
    QTRY_COMPARE(sent.count(), 1);
    m_f->picture("TEXT/t2.png");
    m_f->bytes("TEXT/t2.txt", 6);
    ModalAnswerer answerer;
    m_page->slotNewImageTexte("t1.png", "TEXT/t2.png");
    QTRY_COMPARE(removed.count(), 1);
    QTest::qWait(200);
    QCOMPARE(answerer.unexpected(), 0);
    QCOMPARE(answerer.texts(), QStringList());
    QCOMPARE(removed.at(0).at(0).toInt(), 2);
    QCOMPARE(removed.at(0).at(1).toString(), QString("t1.png"));
    QVERIFY(QFile::exists(m_f->work + "TEXT/t1.png"));
    QCOMPARE(m_f->indexKey("FILEPATH"), QString("TEXT/t1.png|TEXT/t1.txt|TEXT/t2.png|TEXT/t2.txt"));
    QCOMPARE(list("listText")->count(), 2);
}

// "Supprimer" in the editor while the poster still names its picture: the
// file stays, as for the library's own removal.
void MediaPageTest::deletedTextStillOnThePoster()
{
    QVERIFY(writeParams(m_f->work + "DATA/PLAYER.orvex", {{"SLIDENAMETXT", "|TEXT/t1.png"}}));
    m_f->picture("TEXT/t1.png");
    m_f->bytes("TEXT/t1.txt", 5);
    index({"TEXT/t1.png", "TEXT/t1.txt"}, {"10", "5"}, {"", ""});
    openPage();
    QSignalSpy removed(m_page.get(), &ClassMedia::signalSupprimeMedia);
    ModalAnswerer answerer;
    answerer.confirm();
    m_page->slotSuppImageTexte("t1.png");
    QVERIFY(answerer.done());
    QCOMPARE(answerer.texts(), QStringList{"Le fichier t1.png est en cours d'utilisation!!!"});
    QVERIFY(QFile::exists(m_f->work + "TEXT/t1.png"));
    QCOMPARE(removed.count(), 0);
    QCOMPARE(m_f->indexKey("FILEPATH"), QString("TEXT/t1.png|TEXT/t1.txt"));
    QVERIFY(!QFile::exists(m_f->journal()));
}

void MediaPageTest::grantTwoCategories()
{
    m_f->picture("IMAGE/p.png");
    m_f->bytes("VIDEO/v.mp4", 10);
    index({"IMAGE/p.png", "VIDEO/v.mp4"}, {"10", "10"}, {"ADMINISTRATEUR", "C"});
    openPage(200, "admin", "ADMINISTRATEUR");
    QSignalSpy sent(m_page.get(), &ClassMedia::signalMediaToSend);
    select("listImage", "p.png");
    QVERIFY(m_page->findChild<QToolButton *>("btRightsImage")->isEnabled());

    {
        ModalAnswerer answerer;
        answerer.answer([](QDialog *d) {
            for (QCheckBox *box : d->findChildren<QCheckBox *>()) {
                if (box->text() == "A" || box->text() == "B")
                    box->setChecked(true);
            }
            d->findChild<QAbstractButton *>("valider")->click();
        });
        m_page->slotAjouterPermissionImage();
        QVERIFY(answerer.done());
        QCOMPARE(m_f->indexKey("FILEPATHPERMISSION"), QString("A;B|C"));
        QCOMPARE(m_f->records(), QStringList({"PERMISSION|IMAGE/p.png||A;B|"}));
        QVERIFY(m_page->findChild<QLabel *>("labelInfoImage")->text().endsWith("Autorisations: A-B"));
    }

    // Cancelling changes nothing.
    select("listVideo", "v.mp4");
    ModalAnswerer cancel;
    cancel.cancel();
    m_page->slotAjouterPermissionVideo();
    QVERIFY(cancel.done());
    QCOMPARE(m_f->indexKey("FILEPATHPERMISSION"), QString("A;B|C"));

    // A grant alone is handed on, once.
    m_page->slotFermer();
    m_page->slotFermer();
    QCOMPARE(sent.count(), 2);
    QCOMPARE(sent.at(0).at(6).toBool(), true);
    QCOMPARE(sent.at(1).at(6).toBool(), false);
}

void MediaPageTest::infoLineRights_data()
{
    QTest::addColumn<QString>("rights");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("canDelete");
    QTest::addColumn<bool>("canGrant");
    QTest::newRow("admin file, administrator") << "ADMINISTRATEUR" << "ADMIN" << true << true;
    QTest::newRow("admin file, user") << "ADMINISTRATEUR" << "UTILISATEUR" << false << false;
    QTest::newRow("user file, user") << "A;B" << "UTILISATEUR" << true << false;
}

void MediaPageTest::infoLineRights()
{
    QFETCH(QString, rights);
    QFETCH(QString, type);
    QFETCH(bool, canDelete);
    QFETCH(bool, canGrant);
    m_f->picture("IMAGE/p.png");
    index({"IMAGE/p.png"}, {"999"}, {rights});
    openPage(200, "someone", type);
    select("listImage", "p.png");
    QCOMPARE(m_page->findChild<QToolButton *>("btDeleteImage")->isEnabled(), canDelete);
    QCOMPARE(m_page->findChild<QToolButton *>("btRightsImage")->isEnabled(), canGrant);
    QVERIFY(m_page->findChild<QLabel *>("labelInfoImage")->text().startsWith("Taille du fichier: 0 Ko\n"));
}

// The file is still on the server: the posters that show it keep it.
void MediaPageTest::failedDownloadKeepsEntry()
{
    index({"IMAGE/x.png", "VIDEO/x.png"}, {"3000000", "1000000"}, {"", ""});
    openPage();
    QCOMPARE(m_page->usedMo(), 4);
    m_page->SlotSupprimerFichierParamMedia(m_f->work + "IMAGE/x.png");
    m_page->SlotSupprimerFichierParamMedia("IMAGE/x.png");
    QCOMPARE(m_f->indexKey("FILEPATH"), QString("IMAGE/x.png|VIDEO/x.png"));
    QCOMPARE(m_page->usedMo(), 4);
    QVERIFY(!QFile::exists(m_f->journal()));
}

// Adds one picture chosen outside the work folder; the one box it opens is
// accepted and its class, title and text handed back.
void MediaPageTest::addPictureAnsweringOneBox(QString *className, QString *title, QString *text)
{
    QTemporaryDir outside;
    m_chosen = QStringList{m_f->picture(outside.filePath("p.png"))};
    ModalAnswerer answerer;
    answerer.answer([title](QDialog *d) {
        *title = d->windowTitle();
        d->accept();
    });
    m_page->slotAjouterImage();
    QTRY_VERIFY(!m_page->importing());
    QVERIFY(answerer.done());
    *className = answerer.classNames().value(0);
    *text = answerer.texts().value(0);
}

void MediaPageTest::journalFailureIsShown()
{
    openPage();
    QVERIFY(QDir().mkpath(m_f->journal()));
    QSignalSpy sent(m_page.get(), &ClassMedia::signalMediaToSend);
    QString className, title, text;
    addPictureAnsweringOneBox(&className, &title, &text);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(className, QString("QMessageBox"));
    QVERIFY2(text.contains(m_f->journal()), qPrintable(text));
    // The journal exists but cannot be written: a failed save, not a
    // journal that cannot be created.
    QCOMPARE(title, QString("FTP"));
    // Not journalled: neither indexed, listed nor sent, and the copy goes.
    QCOMPARE(list("listImage")->count(), 0);
    QCOMPARE(m_f->indexKey("FILEPATH"), QString(""));
    QCOMPARE(QDir(m_f->work + "IMAGE").entryList(QDir::Files), QStringList());
    m_page->slotFermer();
    QVERIFY(listArg(sent, 0, 0).isEmpty());
}

// A NUL in the user's row (it comes from the server's login file): neither
// the index nor the journal can hold it, so the file is not sent.
void MediaPageTest::permissionRowWithNulIsNotSent()
{
    QVERIFY(writeForeignParams(m_f->work + "LoginCrypt.orvex",
                                   {{"USERLIST", "agent"}, {"PLAYPERMISSION", QString("A") + QChar(0) + "B"}}));
    openPage();
    QSignalSpy added(m_page.get(), &ClassMedia::signalNewMedia);
    QSignalSpy sent(m_page.get(), &ClassMedia::signalMediaToSend);
    QString className, title, text;
    addPictureAnsweringOneBox(&className, &title, &text);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(title, QString("FTP"));
    QCOMPARE(added.count(), 0);
    QCOMPARE(list("listImage")->count(), 0);
    QCOMPARE(m_f->indexKey("FILEPATH"), QString(""));
    QVERIFY(!QFile::exists(m_f->journal()));
    m_page->slotFermer();
    QVERIFY(listArg(sent, 0, 0).isEmpty());
}

void MediaPageTest::textPostersWaitForMessages()
{
    openPage();
    QVERIFY(QDir().mkpath(m_f->journal()));
    QSignalSpy sent(m_page.get(), &ClassMedia::signalMediaToSend);
    for (const char *name : {"TEXT/s.png", "TEXT/u.png"})
        m_f->picture(name);
    m_f->bytes("TEXT/s.txt", 3);
    m_f->bytes("TEXT/u.txt", 3);
    // Each poster that cannot be journalled opens a box, in order; neither
    // is indexed or sent, and the newer one replaces nothing.
    ModalAnswerer answerer(10, 120);
    for (int i = 0; i < 2; ++i)
        answerer.answer([](QDialog *d) { d->accept(); });
    m_page->slotNewImageTexte("", "s.png");
    m_page->slotNewImageTexte("s.png", "u.png");
    QVERIFY(answerer.waitUntilDone(10000));
    QVERIFY(answerer.done());
    QTest::qWait(300);
    QCOMPARE(answerer.answered(), 2);
    QCOMPARE(sent.count(), 0);
    QCOMPARE(m_f->indexKey("FILEPATH"), QString(""));
    QVERIFY(QFile::exists(m_f->work + "TEXT/s.png"));
}

void MediaPageTest::unsafeTextPosterNameRefused()
{
    openPage();
    QSignalSpy added(m_page.get(), &ClassMedia::signalNewMedia);
    QSignalSpy sent(m_page.get(), &ClassMedia::signalMediaToSend);
    m_f->picture("TEXT/a.png");
    m_page->slotNewImageTexte("", "a|b.png");
    m_page->slotNewImageTexte("", "a\nb.png");
    QTest::qWait(300);
    QCOMPARE(added.count(), 0);
    QCOMPARE(list("listText")->count(), 0);
    QCOMPARE(m_f->indexKey("FILEPATH"), QString(""));
    QVERIFY(!QFile::exists(m_f->journal()));
}

void MediaPageTest::unrecordedRemovalOrGrantKeepsFile_data()
{
    QTest::addColumn<bool>("removal");
    QTest::newRow("removal with an unwritable journal deleted the file and queued it") << true;
    QTest::newRow("grant with an unwritable journal sent the index") << false;
}

void MediaPageTest::unrecordedRemovalOrGrantKeepsFile()
{
    QFETCH(bool, removal);
    m_f->picture("IMAGE/p.png");
    index({"IMAGE/p.png"}, {"10"}, {"C"});
    openPage(200, "admin", "ADMINISTRATEUR");
    QVERIFY(QDir().mkpath(m_f->journal()));
    QSignalSpy sent(m_page.get(), &ClassMedia::signalMediaToSend);
    QSignalSpy removed(m_page.get(), &ClassMedia::signalSupprimeMedia);
    select("listImage", "p.png");
    ModalAnswerer answerer;
    if (!removal) {
        answerer.answer([](QDialog *d) {
            for (QCheckBox *box : d->findChildren<QCheckBox *>())
                box->setChecked(box->text() == "A");
            d->findChild<QAbstractButton *>("valider")->click();
        });
    }
    answerer.answer([](QDialog *d) { d->accept(); });
    if (removal)
        m_page->slotSupprimerImage();
    else
        m_page->slotAjouterPermissionImage();
    QVERIFY(answerer.done());
    QVERIFY2(answerer.texts().last().contains(m_f->journal()), qPrintable(answerer.texts().last()));
    QVERIFY(QFile::exists(m_f->work + "IMAGE/p.png"));
    QCOMPARE(list("listImage")->count(), 1);
    QCOMPARE(removed.count(), 0);
    QCOMPARE(m_f->indexKey("FILEPATH"), QString("IMAGE/p.png"));
    QCOMPARE(m_f->indexKey("FILEPATHPERMISSION"), QString("C"));
    // Leaving the page sends nothing: the server keeps file and entry together.
    m_page->slotFermer();
    QVERIFY(sent.isEmpty() || (listArg(sent, 0, 1).isEmpty() && !sent.at(0).at(6).toBool()));
}

// The back button pressed while the files are copied (the event loop turns
// meanwhile): the page goes once every file is indexed and journalled, and
// hands them all on at once; no second import starts half-way.
void MediaPageTest::pageLeftDuringImport()
{
    openPage();
    QTemporaryDir outside;
    m_chosen = QStringList{m_f->picture(outside.filePath("a.png")), m_f->picture(outside.filePath("b.png")),
                           m_f->picture(outside.filePath("c.png"))};
    int choices = 0;
    m_page->setFileChooser([this, &choices](int, QWidget *, const QString &) {
        ++choices;
        return m_chosen;
    });
    QSignalSpy back(m_page.get(), &ClassMedia::signalButton);
    QStringList journalledWhenSent;
    connect(m_page.get(), &ClassMedia::signalMediaToSend, this, [&] { journalledWhenSent = m_f->records(); });
    bool left = false, overlayShown = false;
    connect(m_page.get(), &ClassMedia::signalNewMedia, this, [&] {
        if (left)
            return;
        left = true;
        overlayShown = m_page->findChild<QWidget *>("messagePanel")->isVisible();
        m_page->slotFermer();
        m_page->slotAjouterImage();
    });
    ModalAnswerer unexpected;
    m_page->slotAjouterImage();
    QTRY_VERIFY(!m_page->importing());

    QVERIFY2(unexpected.done(), qPrintable(unexpected.texts().join(" | ")));
    QVERIFY(overlayShown);
    QCOMPARE(choices, 1);
    QVERIFY(!m_page->importing());
    QVERIFY(m_page->findChild<QWidget *>("messagePanel")->isHidden());
    const QStringList paths = m_f->indexKey("FILEPATH").split('|');
    QCOMPARE(paths.size(), 3);
    // Handed on once, after the journal held every file it names.
    QCOMPARE(journalledWhenSent.size(), 3);
    for (int i = 0; i < 3; ++i)
        QVERIFY2(journalledWhenSent.at(i).startsWith("AJOUTER|" + paths.at(i) + "|"), qPrintable(journalledWhenSent.at(i)));
    QCOMPARE(back.count(), 1);
}

void MediaPageTest::importOnFullDisk_data()
{
    QTest::addColumn<bool>("atTheEnd");
    QTest::newRow("the copy of the second file hits the full disk") << false;
    QTest::newRow("the index hits the full disk once the files are copied") << true;
}

// A file-size limit stands in for a full disk. Either the files that were
// copied are indexed and journalled alike, or none is and no copy stays.
void MediaPageTest::importOnFullDisk()
{
    QFETCH(bool, atTheEnd);
    openPage();
    QTemporaryDir outside;
    m_chosen = QStringList{m_f->picture(outside.filePath("a.png")), m_f->bytes(outside.filePath("b.png"), 40000),
                           m_f->picture(outside.filePath("c.png"))};
    if (atTheEnd)
        m_chosen.removeAt(1);
    const qint64 index = QFileInfo(m_f->index()).size();
    qint64 picture = 0;
    for (const QString &chosen : qAsConst(m_chosen))
        picture = qMax(picture, atTheEnd ? QFileInfo(chosen).size() : 0);
    ModalAnswerer answerer;
    answerer.answer([](QDialog *d) { d->accept(); });

    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit limited = old;
    // Room for the pictures, not for the index with their entries; or room
    // for everything but the big file.
    limited.rlim_cur = atTheEnd ? rlim_t(qMax(index, picture) + 16) : rlim_t(20000);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    m_page->slotAjouterImage();
    QTRY_VERIFY(!m_page->importing());
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join(" | ")));
    const QStringList files = QDir(m_f->work + "IMAGE").entryList(QDir::Files);
    const QString indexed = m_f->indexKey("FILEPATH");
    const QStringList records = m_f->records();
    if (atTheEnd) {
        QVERIFY2(answerer.texts().first().contains(m_f->index()), qPrintable(answerer.texts().first()));
        QCOMPARE(indexed, QString(""));
        QVERIFY(records.isEmpty());
        QCOMPARE(files, QStringList());
        QCOMPARE(list("listImage")->count(), 0);
        return;
    }
    QCOMPARE(answerer.texts().first(), QString("Impossible de copier le fichier"));
    QCOMPARE(files.size(), 2);
    QVERIFY2(files.first().startsWith("a-") && files.last().startsWith("c-"), qPrintable(files.join(',')));
    QCOMPARE(indexed, "IMAGE/" + files.join("|IMAGE/"));
    QCOMPARE(records.size(), 2);
    for (int i = 0; i < 2; ++i)
        QVERIFY2(records.at(i).startsWith("AJOUTER|IMAGE/" + files.at(i) + "|" + CalculChecksum(m_f->work + "IMAGE/" + files.at(i))),
                 qPrintable(records.at(i)));
}

QRgb MediaPageTest::iconColour(int row) const
{
    const QSize size = list("listImage")->iconSize();
    return list("listImage")->item(row)->icon().pixmap(size).toImage().pixel(size.width() / 2, size.height() / 2);
}

// A library of thousands of pictures once kept a decoded icon per file from
// the login on: only the rows on screen (and a screenful around) hold one.
void MediaPageTest::thumbnailsOnlyForRowsOnScreen()
{
    QStringList paths, sizes, rights;
    for (int i = 0; i < 60; ++i) {
        const QString path = QString("IMAGE/p%1.png").arg(i, 2, 10, QChar('0'));
        m_f->picture(path, 64, 48, QColor::fromHsv(i * 6, 255, 255));
        paths << path;
        sizes << "100";
        rights << "";
    }
    index(paths, sizes, rights);
    // Filled at login while the page is not shown: no thumbnail at all.
    openPage(200, "agent", "UTILISATEUR", false);
    QTRY_COMPARE(m_page->thumbnailsPending(), 0);
    QCOMPARE(list("listImage")->count(), 60);
    QCOMPARE(qAlpha(iconColour(0)), 0);

    m_page->show();
    QTRY_COMPARE(iconColour(0), QColor::fromHsv(0, 255, 255).rgb());
    QTRY_COMPARE(m_page->thumbnailsPending(), 0);
    QCOMPARE(qAlpha(iconColour(59)), 0);

    list("listImage")->scrollToBottom();
    QTRY_COMPARE(iconColour(59), QColor::fromHsv(59 * 6, 255, 255).rgb());
    QTRY_COMPARE(qAlpha(iconColour(0)), 0);

    // The page left: its rows give their thumbnails back.
    m_page->hide();
    QTRY_COMPARE(qAlpha(iconColour(59)), 0);
}

QTEST_MAIN(MediaPageTest)
#include "tst_mediapage.moc"
