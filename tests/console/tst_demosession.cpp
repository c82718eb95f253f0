#include "AnimationStackedWidget.h"
#include "ClassParam.h"
#include "ConsoleFixture.h"
#include "MessageOverlay.h"
#include "ModalAnswerer.h"
#include "ZoManager.h"
#include "ZoScreenshot.h"
#include "classPrincipal.h"

#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QToolButton>
#include <QtTest>

// The console started on the demo account in local mode: start-up, login,
// categories and screens, and the download of a chosen screen.
class TestDemoSession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void loginListsTheAccount();
    void refusedStart_data();
    void refusedStart();

private:
    bool makeDemo(const QString &folder);
    QStringList texts(const QString &listName) const;
    QToolButton *button(const QString &text) const;
    void startWindow(const QString &folder);

    QTemporaryDir m_dir;
    ZoManager *m_window = nullptr;
};

void TestDemoSession::initTestCase()
{
    zoInitWidgetTest();
    QVERIFY(m_dir.isValid());
}

void TestDemoSession::cleanup()
{
    delete m_window;
    m_window = nullptr;
    qunsetenv("ZOMANAGER_WORKDIR");
}

bool TestDemoSession::makeDemo(const QString &folder)
{
    return makeDemoAccount(folder);
}

void TestDemoSession::startWindow(const QString &folder)
{
    qputenv("ZOMANAGER_WORKDIR", folder.toLocal8Bit());
    m_window = new ZoManager;
    m_window->resize(1280, 800);
    m_window->show();
}

QStringList TestDemoSession::texts(const QString &listName) const
{
    QStringList result;
    auto *list = m_window->panel()->findChild<QListWidget *>(listName);
    for (int i = 0; list && i < list->count(); ++i)
        result << list->item(i)->text();
    return result;
}

QToolButton *TestDemoSession::button(const QString &text) const
{
    for (QToolButton *b : m_window->panel()->findChildren<QToolButton *>()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

void TestDemoSession::loginListsTheAccount()
{
    const QString work = m_dir.filePath(QStringLiteral("demo"));
    QVERIFY(makeDemo(work));
    startWindow(work);
    auto *stack = m_window->panel()->findChild<AnimationStackedWidget *>(QStringLiteral("panelStack"));
    QVERIFY(stack);

    QString box;
    QVERIFY2(waitPanelShown(m_window->panel(), &box, 20000), qPrintable(box));
    QVERIFY(!m_window->panel()->messageOverlay()->isVisible());
    QCOMPARE(texts(QStringLiteral("groupList")),
             (QStringList{"Accueil", "Restaurant", "Salles de réunion", "PLAYLIST"}));
    QCOMPARE(texts(QStringLiteral("screensList")), (QStringList{"10234", "10235"}));
    QCOMPARE(button(QStringLiteral("demo"))->text(), QStringLiteral("demo"));

    // An administrator in local mode: everything but publishing and widgets.
    for (QToolButton *b : m_window->panel()->rightsButtons()) {
        const bool serverOnly = b->text() == QStringLiteral("Réseaux") || b->text() == QStringLiteral("Spéciales");
        QVERIFY2(b->isHidden() == serverOnly, qPrintable(b->text()));
    }
    QVERIFY(button(QStringLiteral("Tactile"))->isHidden());
    QVERIFY(!button(QStringLiteral("Administration"))->isHidden());

    QVERIFY(QFile::exists(work + QStringLiteral("/LoginCrypt.orvex")));
    QVERIFY(QFile::exists(work + QStringLiteral("/TEMP/MEDIA.orvex")));
    QVERIFY(QFile::exists(work + QStringLiteral("/IMAGE/bienvenue.jpg")));
    QTest::qWait(200);
    saveScreenshot(m_window, QStringLiteral("console-demo-panel.png"));

    // Choosing a screen brings its folder into DATA and lists its posters.
    auto *screens = m_window->panel()->findChild<QListWidget *>(QStringLiteral("screensList"));
    screens->setCurrentRow(0);
    QTRY_COMPARE_WITH_TIMEOUT(texts(QStringLiteral("posterList")),
                              (QStringList{"Bienvenue", "Café offert", "Horloge"}), 5000);
    for (const char *file : {"PLAYER.orvex", "PLAYLIST.orvex", "BOX.orvex", "INFO.orvex", "STATUS.orvex"})
        QVERIFY2(QFile::exists(work + QStringLiteral("/DATA/") + QLatin1String(file)), file);
    QTRY_COMPARE(stack->currentIndex(), 1);
    QTRY_VERIFY(!stack->isSliding());
    QVERIFY(!m_window->panel()->messageOverlay()->isVisible());
    QVERIFY(m_window->panel()->findChild<QLabel *>()->isVisible());
    saveScreenshot(m_window, QStringLiteral("console-demo-posters.png"));

    // Another category lists its own screens; the playlists have theirs.
    m_window->panel()->slotSwitch();
    QTRY_COMPARE(stack->currentIndex(), 0);
    auto *groups = m_window->panel()->findChild<QListWidget *>(QStringLiteral("groupList"));
    groups->setCurrentRow(1);
    QCOMPARE(texts(QStringLiteral("screensList")), (QStringList{"10417", "10418"}));
    groups->setCurrentRow(3);
    QCOMPARE(texts(QStringLiteral("screensList")), (QStringList{"PLAYLIST-Promo"}));
}

void TestDemoSession::refusedStart_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");

    QTest::newRow("wrong saved password") << "PASSWORDLOGIN" << "oops" << "Mot de passe non correct!!!";
    QTest::newRow("unknown saved user") << "USERLOGIN" << "mallory" << "Ce nom d'utilisateur n'est pas enregistré!!!";
}

void TestDemoSession::refusedStart()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, message);

    const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-'));
    const QString work = m_dir.filePath(tag);
    QVERIFY(makeDemo(work));
    QVERIFY(ClassParam().setParamCrypt(work + QStringLiteral("/CONNEXION.txt"), key, value));

    // Refused, then asked on the keyboards (never logged in as the main
    // user), typed right, and not saved.
    ModalAnswerer answerer;
    answerer.grabAs(QStringLiteral("console-refused-%1.png").arg(key.toLower())).confirm();
    answerer.enterText(QStringLiteral("demo")).enterText(QStringLiteral("demo")).cancel();
    startWindow(work);
    QVERIFY(answerer.waitUntilDone(30000));
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join('\n')));
    QVERIFY2(answerer.texts().first().contains(message), qPrintable(answerer.texts().first()));
    QCOMPARE(answerer.classNames().mid(1, 2), (QStringList{"ClassClavier", "ClassClavier"}));

    auto *stack = m_window->panel()->findChild<AnimationStackedWidget *>(QStringLiteral("panelStack"));
    QTRY_VERIFY_WITH_TIMEOUT(stack->isVisible(), 20000);
    QCOMPARE(texts(QStringLiteral("screensList")), (QStringList{"10234", "10235"}));
    QCOMPARE(ClassParam().getParamCrypt(work + QStringLiteral("/CONNEXION.txt"), key, 0), value);
}

QTEST_MAIN(TestDemoSession)
#include "tst_demosession.moc"
