#include "../console/ConsoleFixture.h"
#include "AdminWidgets.h"
#include "AnimationStackedWidget.h"
#include "ZoManager.h"
#include "ZoScreenshot.h"
#include "classAdmin.h"
#include "classPrincipal.h"
#include "ModalAnswerer.h"

#include <QCheckBox>

#include <QComboBox>
#include <QListWidget>
#include <QtTest>

// The demo account in local mode on a real X server: the panel's
// "Administration" button opens the page on the account's login file; each
// sub-page is grabbed for review.
class TestAdminXvfb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void subPagesOfTheDemoAccount();

private:
    void showSubPage(classAdmin *admin, int index, const QString &png);

    QTemporaryDir m_dir;
    QString m_work;
    std::unique_ptr<ZoManager> m_window;
};

void TestAdminXvfb::initTestCase()
{
    zoInitWidgetTest();
    Q_INIT_RESOURCE(qml);
    QVERIFY(m_dir.isValid());
    m_work = m_dir.filePath(QStringLiteral("demo"));
    QVERIFY(makeDemoAccount(m_work));
}

void TestAdminXvfb::showSubPage(classAdmin *admin, int index, const QString &png)
{
    AnimationStackedWidget *stack = admin->widgets()->stack;
    const QList<void (classAdmin::*)()> pages = {&classAdmin::slotPageUtilisateur, &classAdmin::slotPageCategorie,
                                                 &classAdmin::slotPagePlaylist};
    (admin->*pages.at(index))();
    QTRY_COMPARE(stack->currentIndex(), index);
    QTRY_VERIFY(!stack->isSliding());
    QTest::qWait(300);
    QVERIFY(saveScreenshot(m_window.get(), png));
}

void TestAdminXvfb::subPagesOfTheDemoAccount()
{
    qputenv("ZOMANAGER_WORKDIR", m_work.toLocal8Bit());
    m_window.reset(new ZoManager);
    m_window->resize(1280, 800);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    classPrincipal *panel = m_window->panel();
    auto *panelStack = panel->findChild<AnimationStackedWidget *>(QStringLiteral("panelStack"));
    QTRY_VERIFY_WITH_TIMEOUT(panelStack && panelStack->isVisible(), 30000);

    auto *admin = m_window->findChild<classAdmin *>();
    QVERIFY(admin);
    panel->slotAdministration();
    QTRY_VERIFY(admin->isVisible());
    const auto sliding = [this] {
        for (AnimationStackedWidget *s : m_window->findChildren<AnimationStackedWidget *>()) {
            if (s->isSliding())
                return true;
        }
        return false;
    };
    QTRY_VERIFY(!sliding());
    AdminWidgets *ui = admin->widgets();
    QCOMPARE(ui->usersList->count(), 2);
    QCOMPARE(ui->boxChooser->count(), 5);
    QTRY_VERIFY(!ui->stack->isSliding());

    showSubPage(admin, 0, QStringLiteral("admin-users.png"));
    ui->usersList->setCurrentRow(1);
    QTest::qWait(100);
    QVERIFY(saveScreenshot(m_window.get(), QStringLiteral("admin-users-second.png")));
    showSubPage(admin, 1, QStringLiteral("admin-categories.png"));
    showSubPage(admin, 2, QStringLiteral("admin-playlists.png"));

    // The selection forms of "Sélectionnez le/les groupe(s)" and "Numéro de
    // série", grabbed and cancelled: nothing changes.
    ModalAnswerer answerer;
    const auto grabWith = [](const QString &group, const QString &png) {
        return [group, png](QDialog *d) {
            for (QCheckBox *c : d->findChildren<QCheckBox *>()) {
                if (c->text() == group && !c->isChecked())
                    c->click();
            }
            QTest::qWait(200);
            saveScreenshot(d, png);
            d->findChild<QAbstractButton *>(QStringLiteral("annuler"))->click();
        };
    };
    answerer.answer(grabWith(QStringLiteral("Rez-de-chaussée"), QStringLiteral("admin-serials-form.png")));
    admin->slotListSerial(1);
    ui->usersList->setCurrentRow(1);
    answerer.answer(grabWith(QString(), QStringLiteral("admin-groups-form.png")));
    admin->slotListSerial(0);
    QVERIFY(answerer.waitUntilDone());
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join(QLatin1Char('\n'))));
    QCOMPARE(admin->loginFile().list(LoginFile::PlaylistElements), QStringList{"10234;10417"});
}

QTEST_MAIN(TestAdminXvfb)
#include "tst_admin_xvfb.moc"
