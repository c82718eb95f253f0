#include "AnimationStackedWidget.h"
#include "DemoWindow.h"
#include "ModalAnswerer.h"
#include "PosterPanel.h"
#include "ZoManager.h"
#include "ZoScreenshot.h"
#include "classPrincipal.h"

#include <QCryptographicHash>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

// The demo account in local mode on a real X server: a screen is chosen, a
// poster added, given a picture and an opacity typed on the keypad, and the
// box's poster list file says so.
class TestPostersXvfb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void newPosterGetsPictureAndOpacity();

private:
    QString paramtool(const QString &key) const;
    QToolButton *button(const QString &text) const;
    void click(QListWidget *list, const QString &row);

    DemoWindow m_demo;
    QString m_work;
    ZoManager *m_window = nullptr;
};

void TestPostersXvfb::initTestCase()
{
    QVERIFY(m_demo.prepare());
    m_work = m_demo.work();
}

QString TestPostersXvfb::paramtool(const QString &key) const
{
    QProcess tool;
    tool.start(qEnvironmentVariable("ZO_BIN_DIR") + QStringLiteral("/paramtool"),
               {QStringLiteral("get"), m_work + QStringLiteral("/DATA/PLAYER.orvex"), key});
    tool.waitForFinished(10000);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

QToolButton *TestPostersXvfb::button(const QString &text) const
{
    for (QToolButton *b : m_window->panel()->findChildren<QToolButton *>()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

void TestPostersXvfb::click(QListWidget *list, const QString &row)
{
    const QList<QListWidgetItem *> items = list->findItems(row, Qt::MatchExactly);
    QVERIFY2(items.size() == 1, qPrintable(row));
    list->scrollToItem(items.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items.first()).center());
}

void TestPostersXvfb::newPosterGetsPictureAndOpacity()
{
    QVERIFY(m_demo.showFirstScreen());
    m_window = m_demo.window();
    classPrincipal *panel = m_window->panel();
    auto *posters = panel->findChild<QListWidget *>(QStringLiteral("posterList"));
    PosterPanel *p = panel->posterPanel();

    QToolButton *add = button(QStringLiteral("Ajouter"));
    QTRY_VERIFY(add->isEnabled());
    QTest::mouseClick(add, Qt::LeftButton);
    QTRY_COMPARE(posters->count(), 4);
    QCOMPARE(posters->currentRow(), 3);
    QTRY_VERIFY(!p->selectionPending());

    click(p->imageList(), QStringLiteral("bienvenue.jpg"));
    QTRY_COMPARE(p->imageList()->currentItem()->text(), QStringLiteral("bienvenue.jpg"));
    QVERIFY(!p->opacityButton()->isHidden());

    ModalAnswerer answerer;
    answerer.grabAs(QStringLiteral("posters-opacity-keypad.png")).enterText(QStringLiteral("50"));
    QTest::mouseClick(p->opacityButton(), Qt::LeftButton);
    QVERIFY(answerer.waitUntilDone());
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join(QLatin1Char('\n'))));
    QCOMPARE(p->opacityButton()->text(), QStringLiteral("50%"));

    const QStringList opacity = paramtool(QStringLiteral("SLIDEOPACITY")).split(QLatin1Char('|'));
    QCOMPARE(opacity, (QStringList{"100", "100", "100", "50"}));
    QCOMPARE(paramtool(QStringLiteral("SLIDENAMEIMAGE")).split(QLatin1Char('|')).value(3),
             QStringLiteral("IMAGE/bienvenue.jpg"));
    QFile picture(m_work + QStringLiteral("/IMAGE/bienvenue.jpg"));
    QVERIFY(picture.open(QIODevice::ReadOnly));
    QCOMPARE(paramtool(QStringLiteral("SLIDENAMEIMAGECHK")).split(QLatin1Char('|')).value(3),
             QString::fromLatin1(QCryptographicHash::hash(picture.readAll(), QCryptographicHash::Md5).toHex().toUpper()));
    QCOMPARE(paramtool(QStringLiteral("NOMAFFICHE")).split(QLatin1Char('|')).value(3), QStringLiteral("Affiche n°4"));

    QTest::qWait(500);
    QVERIFY(saveScreenshot(m_window, QStringLiteral("posters-panel.png")));
}

QTEST_MAIN(TestPostersXvfb)
#include "tst_posters_xvfb.moc"
