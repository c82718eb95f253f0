#include "../sync/ParamFixture.h"
#include "AnimationStackedWidget.h"
#include "ClassMedia.h"
#include "ClassParam.h"
#include "ConsoleFixture.h"
#include "ModalAnswerer.h"
#include "OperationJournal.h"
#include "PendingAdminDeploy.h"
#include "ZoScreenshot.h"
#include "ZoManager.h"
#include "classPrincipal.h"
#include "classVersion.h"

#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QAbstractButton>
#include <QToolButton>
#include <QtTest>

// The top window: page codes, the way back from every page, the quit
// question and the fit of the pages to the window.
class TestZoManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void pageCodes_data();
    void pageCodes();
    void otherCodesDoNothing_data();
    void otherCodesDoNothing();
    void quitQuestion_data();
    void quitQuestion();
    void quitNamesUnsentAdministrationChange();
    void quitPostedDuringImport();
    void pagesFollowTheWindowSize();
    void titleAndWorkFolders();

private:
    QScopedPointer<WorkDirFixture> m_work;
    ZoManager *m_window = nullptr;
};

void TestZoManager::initTestCase()
{
    zoInitWidgetTest();
    // The quit test closes the window; that must not end the test's loop.
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestZoManager::init()
{
    m_work.reset(new WorkDirFixture);
    QVERIFY(m_work->isValid());
    m_window = new ZoManager;
    stopStartup(m_window->panel());
    m_window->resize(1280, 800);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestZoManager::cleanup()
{
    delete m_window;
    m_window = nullptr;
    m_work.reset();
}

void TestZoManager::pageCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("page");

    QTest::newRow("0 control panel") << 0 << 0 << "classPrincipal";
    QTest::newRow("1 information") << 1 << 2 << "classInfo";
    QTest::newRow("2 status") << 2 << 3 << "classStatistiques";
    QTest::newRow("3 media library") << 3 << 4 << "ClassMedia";
    QTest::newRow("4 text editor") << 4 << 5 << "TextEditSimple";
    QTest::newRow("5 player preview") << 5 << 13 << "ZoPlayer";
    QTest::newRow("6 administration") << 6 << 1 << "classAdmin";
    QTest::newRow("7 schedule") << 7 << 6 << "classCalendar";
    QTest::newRow("8 publication") << 8 << 8 << "classReseaux";
    QTest::newRow("10 support report") << 10 << 10 << "ClassAlerte";
    QTest::newRow("11 widget poster") << 11 << 9 << "classWidget";
    QTest::newRow("12 orientation") << 12 << 11 << "classEcran";
    QTest::newRow("13 touch") << 13 << 12 << "classTactile";
    QTest::newRow("14 power") << 14 << 7 << "classPower";
}

void TestZoManager::pageCodes()
{
    QFETCH(int, code);
    QFETCH(int, index);
    QFETCH(QString, page);

    AnimationStackedWidget *stack = m_window->stack();
    QCOMPARE(stack->count(), 14);
    QSignalSpy initVideo(m_window, &ZoManager::signalInitVideo);
    QSignalSpy alerte(m_window, &ZoManager::signalUpdateInfoAlerte);

    m_window->slotButtons(code);
    // The report page is filled before it slides in.
    QCOMPARE(alerte.count(), code == 10 ? 1 : 0);
    if (code == 10)
        QCOMPARE(stack->currentIndex(), 0);

    QTRY_COMPARE(stack->currentIndex(), index);
    QTRY_VERIFY(!stack->isSliding());
    QCOMPARE(QString::fromLatin1(stack->currentWidget()->metaObject()->className()), page);
    QCOMPARE(initVideo.count(), code == 0 ? 1 : 0);
    saveScreenshot(m_window, QStringLiteral("console-page-%1.png").arg(page));
    if (code == 0)
        return;

    // A placeholder's "Retour" tool button, a built page's icon-only back
    // button (by name or accessible name), or the editor's "Quitter".
    const QStringList backNames{QStringLiteral("retour"), QStringLiteral("back"), QStringLiteral("btBack")};
    QAbstractButton *back = nullptr;
    for (QAbstractButton *button : stack->currentWidget()->findChildren<QAbstractButton *>()) {
        if (button->text() == QLatin1String("Retour") || button->text() == QLatin1String("Quitter")
            || button->accessibleName() == QLatin1String("Retour")
            || backNames.contains(button->objectName()))
            back = button;
    }
    QVERIFY(back);
    // Nothing was typed: the editor leaves without a question.
    ModalAnswerer answerer;
    back->click();
    QVERIFY(answerer.waitUntilDone());
    QVERIFY(answerer.done());
    QTRY_COMPARE(stack->currentIndex(), 0);
    QCOMPARE(initVideo.count(), 1);
}

void TestZoManager::otherCodesDoNothing_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("-1") << -1;
    QTest::newRow("15") << 15;
    QTest::newRow("100") << 100;
}

void TestZoManager::otherCodesDoNothing()
{
    QFETCH(int, code);
    QSignalSpy initVideo(m_window, &ZoManager::signalInitVideo);
    QSignalSpy alerte(m_window, &ZoManager::signalUpdateInfoAlerte);

    m_window->slotButtons(code);
    QVERIFY(!m_window->stack()->isSliding());
    QTest::qWait(100);
    QCOMPARE(m_window->stack()->currentIndex(), 0);
    QCOMPARE(initVideo.count(), 0);
    QCOMPARE(alerte.count(), 0);
    QVERIFY(m_window->isVisible());
}

void TestZoManager::quitQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("byCode");
    QTest::addColumn<int>("key"); // 0: the answer's button is clicked

    QTest::newRow("Quitter, yes") << int(QMessageBox::Yes) << true << 0;
    QTest::newRow("Quitter, no") << int(QMessageBox::No) << true << 0;
    QTest::newRow("close button, yes") << int(QMessageBox::Yes) << false << 0;
    QTest::newRow("close button, no") << int(QMessageBox::No) << false << 0;
    QTest::newRow("Return on the question ended the program") << int(QMessageBox::No) << true << int(Qt::Key_Return);
    QTest::newRow("Enter on the question ended the program") << int(QMessageBox::No) << false << int(Qt::Key_Enter);
    QTest::newRow("Escape on the question keeps the program") << int(QMessageBox::No) << true << int(Qt::Key_Escape);
}

void TestZoManager::quitQuestion()
{
    QFETCH(int, answer);
    QFETCH(bool, byCode);
    QFETCH(int, key);

    ModalAnswerer answerer;
    answerer.grabAs(QStringLiteral("console-quit-question.png"));
    if (key)
        answerer.pressKey(Qt::Key(key));
    else
        answerer.answer([answer](QDialog *d) {
            qobject_cast<QMessageBox *>(d)->button(QMessageBox::StandardButton(answer))->click();
        });
    if (byCode)
        m_window->slotButtons(9);
    else
        m_window->close();

    QVERIFY(answerer.done());
    QVERIFY(answerer.texts().first().contains(QStringLiteral("Voulez-vous vraiment quitter?")));
    const bool quits = answer == int(QMessageBox::Yes);
    QCOMPARE(m_window->isVisible(), !quits);
    QCOMPARE(m_work->mainLog().contains(
                 "*********************** FERMETURE DU PROGRAMME *****************************"),
             quits);
}

void TestZoManager::quitNamesUnsentAdministrationChange()
{
    QVERIFY(PendingAdminDeploy::mark(m_work->path()));
    ModalAnswerer answerer;
    answerer.answer([](QDialog *d) { qobject_cast<QMessageBox *>(d)->button(QMessageBox::No)->click(); });
    m_window->close();
    QVERIFY(answerer.done());
    QVERIFY2(answerer.texts().first().contains(QStringLiteral("modification de l'administration n'a pas été envoyée")),
             qPrintable(answerer.texts().first()));
    QVERIFY(m_window->isVisible());
}

// The window closed while an import copies its files: the question says
// so, the import stops between two files and the work folder is whole: the
// files copied are indexed and journalled, the others never copied.
void TestZoManager::quitPostedDuringImport()
{
    QTemporaryDir outside;
    QStringList chosen;
    for (const QString &name : {QStringLiteral("a.mp4"), QString(60, QLatin1Char('n')) + ".mp4",
                                QStringLiteral("c.mp4"), QStringLiteral("d.mp4")}) {
        QFile file(outside.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(300000, 'v'));
        chosen << file.fileName();
    }
    // The account's index as the login left it: no file yet.
    QVERIFY(QDir().mkpath(m_work->path("TEMP")));
    QVERIFY(writeParams(m_work->path("TEMP/MEDIA.orvex"), {{"FILEPATH", ""}, {"FILECHK", ""}, {"FILESIZE", ""},
                                                          {"FILEPATHPERMISSION", ""}}));
    auto *media = m_window->findChild<ClassMedia *>();
    media->slotUpdateMediaSize(1000);
    media->setFileChooser([chosen](int, QWidget *, const QString &) { return chosen; });
    ModalAnswerer answerer;
    // The box refusing the long name comes between two files: the window's
    // close is posted from it.
    answerer.answer([this](QDialog *d) {
        QMetaObject::invokeMethod(m_window, "close", Qt::QueuedConnection);
        d->accept();
    });
    answerer.answer([](QDialog *d) { qobject_cast<QMessageBox *>(d)->button(QMessageBox::Yes)->click(); });
    media->slotAjouterVideo();
    QTRY_VERIFY(!m_window->isVisible());

    QVERIFY(answerer.done());
    QVERIFY(answerer.texts().first().startsWith("Le nom du fichier est trop long"));
    QVERIFY2(answerer.texts().last().contains(QStringLiteral("Un import de médias est en cours")),
             qPrintable(answerer.texts().last()));
    QVERIFY(!media->importing());
    const QStringList copied = QDir(m_work->path("VIDEO")).entryList(QDir::Files);
    QCOMPARE(copied.size(), 1);
    QVERIFY(copied.first().startsWith("a-"));
    QCOMPARE(ClassParam().getParamCrypt(m_work->path("TEMP/MEDIA.orvex"), "FILEPATH", 1), "VIDEO/" + copied.first());
    const QString journal = m_work->path("TEMP/INFOMEDIA.orvex");
    QCOMPARE(ClassParam().getParamCrypt(journal, OperationJournal::countKey(), 1), "1");
    const QString record = ClassParam().getParamCrypt(journal, OperationJournal::recordKey(1), 1);
    QVERIFY2(record.startsWith("AJOUTER|VIDEO/" + copied.first() + "|"), qPrintable(record));
}

void TestZoManager::pagesFollowTheWindowSize()
{
    QCOMPARE(m_window->minimumSize(), QSize(1024, 720));
    m_window->resize(1200, 760);
    QTRY_COMPARE(m_window->panel()->size(), QSize(1200, 760));
    QCOMPARE(m_window->stack()->geometry(), QRect(0, 0, 1200, 760));
    QCOMPARE(m_window->panel()->minimumSize(), QSize(1200, 760));
    QCOMPARE(m_window->panel()->maximumSize(), QSize(1200, 760));

    m_window->resize(800, 600);
    QCOMPARE(m_window->size(), QSize(1024, 720));
}

void TestZoManager::titleAndWorkFolders()
{
    QCOMPARE(m_window->windowTitle(), classVersion().TitreFenetre());
    for (const char *name : {"DATA", "TEMP", "VIDEO", "IMAGE", "LINKS", "TEXT", "LOG"})
        QVERIFY2(QFileInfo(m_work->path(QString::fromLatin1(name))).isDir(), name);
}

QTEST_MAIN(TestZoManager)
#include "tst_zomanager.moc"
