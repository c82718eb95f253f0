#include "AnimationStackedWidget.h"
#include "ClassMedia.h"
#include "../console/ConsoleFixture.h"
#include "MediaFixture.h"
#include "ModalAnswerer.h"
#include "ZoManager.h"
#include "ZoScreenshot.h"
#include "classPrincipal.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QtTest>

// The page inside the top window on the demo account: filled by the login,
// told the user, and its changes reach the control panel's media lists.
class MediaDemoTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { QVERIFY2(m_boxes.done(), qPrintable(m_boxes.texts().join(" | "))); }
    void cleanupTestCase() { QVERIFY2(m_boxes.done(), qPrintable(m_boxes.texts().join(" | "))); }
    void loginFillsPageAndChangesReachPanel();

private:
    // Boxes that no step expects: cancelled, their text fails the test.
    ModalAnswerer m_boxes;
    static QStringList texts(QListWidget *list)
    {
        QStringList result;
        for (int i = 0; list && i < list->count(); ++i)
            result << list->item(i)->text();
        return result;
    }

    QTemporaryDir m_dir;
};

void MediaDemoTest::initTestCase()
{
    zoInitWidgetTest();
    QVERIFY(m_dir.isValid());
}

void MediaDemoTest::loginFillsPageAndChangesReachPanel()
{
    const QString work = m_dir.filePath(QStringLiteral("demo"));
    QVERIFY(makeDemoAccount(work));
    qputenv("ZOMANAGER_WORKDIR", work.toLocal8Bit());
    ZoManager window;
    window.resize(1280, 800);
    window.show();
    auto *panelStack = window.panel()->findChild<AnimationStackedWidget *>(QStringLiteral("panelStack"));
    QTRY_VERIFY_WITH_TIMEOUT(panelStack->isVisible(), 20000);

    auto *media = window.findChild<ClassMedia *>();
    QVERIFY(media);
    auto *pictures = media->findChild<QListWidget *>(QStringLiteral("listImage"));
    QVERIFY(texts(pictures).contains(QStringLiteral("bienvenue.jpg")));
    QCOMPARE(texts(media->findChild<QListWidget *>(QStringLiteral("listVideo"))).size(),
             QDir(work + QStringLiteral("/VIDEO")).entryList(QDir::Files).size());
    QVERIFY(media->findChild<QLabel *>(QStringLiteral("labelQuota"))->text().startsWith(QString::fromUtf8("Espace maximum autorisé: 500Mo\n")));
    // The login told the page who is there: an administrator may grant.
    pictures->setCurrentRow(0);
    QVERIFY(media->findChild<QAbstractButton *>(QStringLiteral("btRightsImage"))->isEnabled());

    window.slotButtons(3);
    QTRY_COMPARE(window.stack()->currentWidget(), static_cast<QWidget *>(media));
    QTRY_VERIFY(media->thumbnailsPending() == 0);

    // An import is listed by the panel at once, a removal taken out of it.
    QTemporaryDir outside;
    MediaFixture f;
    const QStringList chosen{f.picture(outside.filePath(QStringLiteral("Nouveau.png")), 320, 180)};
    media->setFileChooser([chosen](int, QWidget *, const QString &) { return chosen; });
    media->slotAjouterImage();
    QTRY_VERIFY(!media->importing());
    auto *panelPictures = window.panel()->findChild<QListWidget *>(QStringLiteral("listeImages"));
    QString stored;
    for (const QString &name : texts(pictures)) {
        if (name.startsWith(QStringLiteral("Nouveau-")))
            stored = name;
    }
    QVERIFY(!stored.isEmpty());
    QVERIFY(texts(panelPictures).contains(stored));
    QTRY_VERIFY(media->thumbnailsPending() == 0);
    saveScreenshot(&window, QStringLiteral("media-demo-page.png"));

    pictures->setCurrentItem(pictures->findItems(stored, Qt::MatchExactly).first());
    media->slotSupprimerImage();
    QVERIFY(!texts(panelPictures).contains(stored));
    QVERIFY(!QFile::exists(work + QStringLiteral("/IMAGE/") + stored));

    // Leaving hands the lists to the panel and slides back to it.
    QSignalSpy sent(media, &ClassMedia::signalMediaToSend);
    media->findChild<QAbstractButton *>(QStringLiteral("btBack"))->click();
    QCOMPARE(sent.count(), 1);
    QVERIFY(sent.at(0).at(0).toStringList().isEmpty());
    QCOMPARE(sent.at(0).at(1).toStringList(), QStringList{stored});
    QTRY_COMPARE(window.stack()->currentIndex(), 0);
    qunsetenv("ZOMANAGER_WORKDIR");
}

QTEST_MAIN(MediaDemoTest)
#include "tst_mediademo.moc"
