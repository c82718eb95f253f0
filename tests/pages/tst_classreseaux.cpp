#include "ModalAnswerer.h"
#include "PagesFixture.h"
#include "classReseaux.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

// The publication page on a screen of three posters: poster 0 has a red
// picture, poster 1 nothing at all, poster 2 a blue picture with a text.
class ClassReseauxTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void publish_data();
    void publish();
    void unpublishedClearsTheKeys();
    void posterWithoutPictureOrTextCannotBePublished();
    void storedChoiceIsShown();
    void unusableFolderDisablesPublication_data();
    void unusableFolderDisablesPublication();
    void refusedLinkFolder_data();
    void refusedLinkFolder();
    void renderOfAnotherPosterRemovesTheOldPicture();
    void screenWithoutPosters();

private:
    static QComboBox *choice(classReseaux &page) { return page.findChild<QComboBox *>("posterChoice"); }
    static QTextEdit *linkBox(classReseaux &page) { return page.findChild<QTextEdit *>("linkBox"); }

    std::unique_ptr<PagesFixture> m_fx;
};

void ClassReseauxTest::initTestCase()
{
    zoInitWidgetTest();
    qputenv("ZOMANAGER_BASE_URL", "https://host.example/");
}

void ClassReseauxTest::init()
{
    m_fx.reset(new PagesFixture);
    QVERIFY(m_fx->picture("IMAGE/red.png", QColor(220, 20, 20)));
    QVERIFY(m_fx->picture("IMAGE/blue.png", QColor(20, 20, 220), QSize(180, 320)));
    QImage text(100, 100, QImage::Format_ARGB32);
    text.fill(Qt::transparent);
    for (int y = 40; y < 60; ++y)
        for (int x = 40; x < 60; ++x)
            text.setPixelColor(x, y, Qt::yellow);
    QVERIFY(text.save(m_fx->path("TEXT/t.png")));
    QVERIFY(m_fx->writePlayer({{"SLIDETYPE", "||"},
                               {"SLIDENAMEIMAGE", "IMAGE/red.png||IMAGE/blue.png"},
                               {"SLIDENAMETXT", "||TEXT/t.png"},
                               {"NOMAFFICHE", "Menu|Vide|Carte"},
                               {"NETWORK", "|"},
                               {"WEBSITE", ""},
                               {"LINKSITE", ""}}));
}

void ClassReseauxTest::cleanup()
{
    m_fx.reset();
}

void ClassReseauxTest::publish_data()
{
    QTest::addColumn<bool>("web");
    QTest::addColumn<bool>("social");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QString>("network");
    QTest::addColumn<QSize>("size");

    QTest::newRow("web site") << true << false << 0 << "SiteWeb|" << QSize(1920, 1080);
    QTest::newRow("social network") << false << true << 0 << "|Facebook" << QSize(1920, 1080);
    QTest::newRow("both, portrait screen") << true << true << 90 << "SiteWeb|Facebook" << QSize(1080, 1920);
    QTest::newRow("web, portrait the other way") << true << false << -90 << "SiteWeb|" << QSize(1080, 1920);
}

void ClassReseauxTest::publish()
{
    QFETCH(bool, web);
    QFETCH(bool, social);
    QFETCH(int, rotation);
    QFETCH(QString, network);
    QFETCH(QSize, size);
    classReseaux page;
    page.slotResize(1280, 800, rotation);
    page.slotUpdateReseaux("shop1", "A1B2C3");
    QCOMPARE(choice(page)->count(), 3);
    QCOMPARE(choice(page)->itemText(1), QStringLiteral("Aucune Image..."));
    choice(page)->setCurrentIndex(2);
    if (web)
        toolButton(page, "Site web")->click();
    if (social)
        toolButton(page, "Facebook")->click();

    QSignalSpy saved(&page, &classReseaux::signalSavePictureTermine);
    QSignalSpy pages(&page, &classReseaux::signalButton);
    page.slotValider();
    QCOMPARE(m_fx->value("WEBSITE"), QStringLiteral("2"));
    QCOMPARE(m_fx->value("LINKSITE"), QStringLiteral("https://host.example/zobox/zo_shop1/LINKS/A1B2C3/index.html"));
    QCOMPARE(m_fx->value("NETWORK"), network);
    QCOMPARE(saved.count(), 1);
    QCOMPARE(pages.count(), 1);

    const QImage picture(m_fx->path("LINKS/Picture.png"));
    QCOMPARE(picture.size(), size);
    // Poster 2's blue portrait picture is centred, its yellow text over the middle.
    QCOMPARE(picture.pixelColor(size.width() / 2, size.height() / 2), QColor(Qt::yellow));
    QCOMPARE(picture.pixelColor(size.width() / 2, size.height() / 2 - size.height() / 4), QColor(20, 20, 220));
    if (size.width() > size.height())
        QCOMPARE(picture.pixelColor(10, size.height() / 2), QColor(Qt::black));
}

void ClassReseauxTest::unpublishedClearsTheKeys()
{
    QVERIFY(m_fx->writePlayer({{"SLIDETYPE", "|"},
                               {"SLIDENAMEIMAGE", "IMAGE/red.png|"},
                               {"NETWORK", "SiteWeb|"},
                               {"WEBSITE", "0"},
                               {"LINKSITE", "https://old/zobox/zo_a/LINKS/B/index.html"}}));
    classReseaux page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateReseaux("shop1", "A1B2C3");
    QCOMPARE(linkBox(page)->toPlainText(), QStringLiteral("https://old/zobox/zo_a/LINKS/B/index.html"));
    toolButton(page, "Site web")->click();
    QVERIFY(linkBox(page)->isHidden());
    QSignalSpy saved(&page, &classReseaux::signalSavePictureTermine);
    page.slotValider();
    for (const char *key : {"NETWORK", "WEBSITE", "LINKSITE"})
        QCOMPARE(m_fx->value(key), QString());
    QCOMPARE(saved.count(), 0);
    QVERIFY(!QFile::exists(m_fx->path("LINKS/Picture.png")));
}

void ClassReseauxTest::posterWithoutPictureOrTextCannotBePublished()
{
    QVERIFY(m_fx->writePlayer({{"SLIDETYPE", "||"},
                               {"SLIDENAMEIMAGE", "IMAGE/red.png||IMAGE/blue.png"},
                               {"NETWORK", "SiteWeb|Facebook"},
                               {"WEBSITE", "1"},
                               {"LINKSITE", "x"}}));
    classReseaux page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateReseaux("shop1", "A1B2C3");
    QCOMPARE(choice(page)->currentIndex(), 1);
    QVERIFY(!toolButton(page, "Site web")->isEnabled());
    QVERIFY(!toolButton(page, "Facebook")->isEnabled());
    QVERIFY(!linkBox(page)->isEnabled());
    page.slotValider();
    for (const char *key : {"NETWORK", "WEBSITE", "LINKSITE"})
        QCOMPARE(m_fx->value(key), QString());
    // A poster with a picture makes the toggles usable again, with the unique link.
    choice(page)->setCurrentIndex(0);
    QVERIFY(toolButton(page, "Site web")->isEnabled());
    QCOMPARE(linkBox(page)->toPlainText(),
             QStringLiteral("https://host.example/zobox/zo_shop1/LINKS/A1B2C3/index.html"));
}

void ClassReseauxTest::storedChoiceIsShown()
{
    QVERIFY(m_fx->writePlayer({{"SLIDETYPE", "||"},
                               {"SLIDENAMEIMAGE", "IMAGE/red.png||IMAGE/blue.png"},
                               {"NETWORK", "|Facebook"},
                               {"WEBSITE", "2"},
                               {"LINKSITE", "https://host.example/zobox/zo_shop1/LINKS/A1B2C3/index.html"}}));
    classReseaux page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateReseaux("shop1", "A1B2C3");
    QCOMPARE(choice(page)->currentIndex(), 2);
    QCOMPARE(choice(page)->itemText(0), QStringLiteral("Affiche n°1"));
    QVERIFY(linkBox(page)->isHidden());
    QCOMPARE(toolButton(page, "Facebook")->icon().pixmap(32).toImage(),
             QIcon(":/images/FacebookON.png").pixmap(32).toImage());
    // A screen that is not published shows both toggles off again.
    QVERIFY(m_fx->writePlayer({{"SLIDETYPE", "|"}, {"SLIDENAMEIMAGE", "IMAGE/red.png|"}, {"NETWORK", ""}}));
    page.slotUpdateReseaux("shop1", "A1B2C3");
    QCOMPARE(toolButton(page, "Facebook")->icon().pixmap(32).toImage(),
             QIcon(":/images/FacebookOFF.png").pixmap(32).toImage());
}

void ClassReseauxTest::unusableFolderDisablesPublication_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("slash") << "../A1";
    QTest::newRow("backslash") << "A\\1";
    QTest::newRow("angle bracket") << "<b>";
    QTest::newRow("quote") << "A\"1";
    QTest::newRow("dot dot") << "..";
    QTest::newRow("dot") << ".";
}

void ClassReseauxTest::unusableFolderDisablesPublication()
{
    QFETCH(QString, folder);
    QVERIFY(m_fx->writePlayer({{"SLIDETYPE", "|"}, {"SLIDENAMEIMAGE", "IMAGE/red.png|"}, {"NETWORK", "SiteWeb|"},
                               {"WEBSITE", "0"}, {"LINKSITE", "kept"}}));
    const QByteArray before = m_fx->playerBytes();
    classReseaux page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateReseaux("shop1", folder);
    QVERIFY(!toolButton(page, "Site web")->isEnabled());
    QVERIFY(!toolButton(page, "Facebook")->isEnabled());
    QVERIFY(!linkBox(page)->toPlainText().contains("LINKS"));

    ModalAnswerer answerer;
    answerer.confirm();
    QSignalSpy pages(&page, &classReseaux::signalButton);
    page.slotValider();
    QVERIFY(answerer.waitUntilDone());
    QVERIFY(answerer.done());
    QCOMPARE(m_fx->playerBytes(), before);
    QCOMPARE(pages.count(), 0);
}

void ClassReseauxTest::refusedLinkFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("pipe") << "A|B";
    QTest::newRow("carriage return") << "A\rB";
    QTest::newRow("line feed") << "A\nB";
}

void ClassReseauxTest::refusedLinkFolder()
{
    QFETCH(QString, folder);
    const QByteArray before = m_fx->playerBytes();
    classReseaux page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateReseaux("shop1", folder);
    toolButton(page, "Site web")->click();
    ModalAnswerer answerer;
    answerer.confirm();
    page.slotValider();
    QVERIFY(answerer.waitUntilDone());
    QVERIFY(answerer.done());
    QVERIFY(answerer.texts().last().contains("ne sont pas acceptés"));
    QCOMPARE(m_fx->playerBytes(), before);
    QVERIFY(!QFile::exists(m_fx->path("LINKS/Picture.png")));
}

void ClassReseauxTest::renderOfAnotherPosterRemovesTheOldPicture()
{
    QVERIFY(m_fx->picture("LINKS/Picture.png", Qt::green));
    classReseaux page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateReseaux("shop1", "A1B2C3");
    QSignalSpy saved(&page, &classReseaux::signalSavePictureTermine);
    page.slotUpdateHDImage(1);
    QCOMPARE(saved.count(), 1);
    QVERIFY(!QFile::exists(m_fx->path("LINKS/Picture.png")));
    page.slotUpdateHDImage(7);
    QCOMPARE(saved.count(), 2);
    QVERIFY(!QFile::exists(m_fx->path("LINKS/Picture.png")));
    page.slotUpdateHDImage(0);
    QCOMPARE(QImage(m_fx->path("LINKS/Picture.png")).pixelColor(960, 540), QColor(220, 20, 20));

    // The deployment may ask a page that no screen choice has filled yet.
    classReseaux unfilled;
    unfilled.slotUpdateHDImage(2);
    QCOMPARE(QImage(m_fx->path("LINKS/Picture.png")).pixelColor(960, 540), QColor(Qt::yellow));
}

void ClassReseauxTest::screenWithoutPosters()
{
    QVERIFY(m_fx->writePlayer({{"SLIDETYPE", ""}, {"NETWORK", "|"}}));
    const QByteArray before = m_fx->playerBytes();
    classReseaux page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateReseaux("shop1", "A1B2C3");
    QCOMPARE(choice(page)->count(), 0);
    toolButton(page, "Site web")->click();
    QSignalSpy pages(&page, &classReseaux::signalButton);
    page.slotValider();
    QCOMPARE(m_fx->playerBytes(), before);
    QCOMPARE(pages.count(), 1);
}

QTEST_MAIN(ClassReseauxTest)
#include "tst_classreseaux.moc"
