#include "AppGlobals.h"
#include "ModalAnswerer.h"
#include "PlayerFixture.h"
#include "PlayerSceneView.h"
#include "RssFeedCache.h"
#include "ZoPlayer.h"
#include "ZoTestInit.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QQuickItem>
#include <QQuickWidget>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QTimer>
#include <QtTest>

// The preview window offscreen: its moment controls, its sizes, the back
// button, and a poster list file reaching the scene's zones.
class TestZoPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void initialMoment();
    void sliderSetsTime_data();
    void sliderSetsTime();
    void typedTimeMovesSlider();
    void weekday_data();
    void weekday();
    void sizes_data();
    void sizes();
    void backResetsSceneFirst();
    void escapeGoesBack();
    void posterListReachesZones();
    void missingPosterListGivesOneZone();
    void sceneThatFailsLeavesAMessage();
    void unsavableFeedShowsOneBox();
    void leftPreviewAsksNothingMore();

private:
    QObject *zone(int n) const;
    QString label() const { return m_player->findChild<QLabel *>(QStringLiteral("playerLabel"))->text(); }
    QSlider *slider() const { return m_player->findChild<QSlider *>(QStringLiteral("playerSlider")); }
    QTimeEdit *timeEdit() const { return m_player->findChild<QTimeEdit *>(QStringLiteral("playerTime")); }
    QDateEdit *dateEdit() const { return m_player->findChild<QDateEdit *>(QStringLiteral("playerDate")); }

    QScopedPointer<QTemporaryDir> m_dir;
    QScopedPointer<ZoPlayer> m_player;
};

void TestZoPlayer::initTestCase()
{
    zoInitWidgetTest();
    Q_INIT_RESOURCE(qml);
}

void TestZoPlayer::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    qputenv("ZOMANAGER_WORKDIR", m_dir->path().toLocal8Bit());
    m_player.reset(new ZoPlayer);
    QVERIFY(m_player->sceneRoot());
}

void TestZoPlayer::cleanup()
{
    m_player.reset();
    qunsetenv("ZOMANAGER_WORKDIR");
}

QObject *TestZoPlayer::zone(int n) const
{
    return m_player->sceneRoot()->findChild<QObject *>(QStringLiteral("ecran%1").arg(n));
}

void TestZoPlayer::initialMoment()
{
    const QDate today = QDate::currentDate();
    QCOMPARE(label(), QStringLiteral(" Date: %1 Heure: 12:00").arg(today.toString(QStringLiteral("dd/MM/yyyy"))));
    QCOMPARE(slider()->value(), 720);
    QCOMPARE(slider()->maximum(), 1439);
    QCOMPARE(timeEdit()->time(), QTime(12, 0));
    QVERIFY(dateEdit()->calendarPopup());
    for (int n = 1; n <= 3; ++n) {
        QCOMPARE(zone(n)->property("playCurrentDate").toString(), today.toString(QStringLiteral("yyyy,MM,dd")));
        QCOMPARE(zone(n)->property("playCurrentTime").toString(), QStringLiteral("12,00,00"));
        QCOMPARE(zone(n)->property("currentdayOfWeek").toString(), QString::number(today.dayOfWeek()));
    }
}

void TestZoPlayer::sliderSetsTime_data()
{
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("scene");
    QTest::newRow("midnight") << 0 << "00:00" << "00,00,00";
    QTest::newRow("quarter to eight") << 465 << "07:45" << "07,45,00";
    QTest::newRow("last minute") << 1439 << "23:59" << "23,59,00";
}

void TestZoPlayer::sliderSetsTime()
{
    QFETCH(int, minutes);
    QFETCH(QString, shown);
    QFETCH(QString, scene);
    slider()->setValue(minutes);
    QCOMPARE(timeEdit()->time().toString(QStringLiteral("hh:mm")), shown);
    QVERIFY(label().endsWith(QStringLiteral(" Heure: ") + shown));
    QCOMPARE(zone(2)->property("playCurrentTime").toString(), scene);
}

void TestZoPlayer::typedTimeMovesSlider()
{
    timeEdit()->setTime(QTime(8, 30, 45));
    QCOMPARE(slider()->value(), 510);
    QCOMPARE(zone(1)->property("playCurrentTime").toString(), QStringLiteral("08,30,00"));
    timeEdit()->setTime(QTime(7, 45));
    QCOMPARE(slider()->value(), 465);
}

void TestZoPlayer::weekday_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("digit");
    QTest::newRow("sunday") << QDate(2020, 1, 12) << "7";
    QTest::newRow("monday") << QDate(2020, 1, 13) << "1";
    QTest::newRow("saturday") << QDate(2026, 12, 12) << "6";
}

void TestZoPlayer::weekday()
{
    QFETCH(QDate, date);
    QFETCH(QString, digit);
    dateEdit()->setDate(date);
    QCOMPARE(zone(3)->property("currentdayOfWeek").toString(), digit);
    QCOMPARE(zone(3)->property("playCurrentDate").toString(), date.toString(QStringLiteral("yyyy,MM,dd")));
    QVERIFY(label().startsWith(QStringLiteral(" Date: ") + date.toString(QStringLiteral("dd/MM/yyyy"))));
}

void TestZoPlayer::sizes_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QSize>("preview");
    QTest::newRow("landscape") << 1920 << 1080 << 0 << QSize(548, 308);
    QTest::newRow("portrait 90") << 1920 << 1080 << 90 << QSize(404, 720);
    QTest::newRow("portrait -90") << 1280 << 800 << -90 << QSize(299, 533);
    QTest::newRow("180 as landscape") << 1920 << 1080 << 180 << QSize(548, 308);
}

void TestZoPlayer::sizes()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, rotation);
    QFETCH(QSize, preview);
    m_player->slotResize(w, h, rotation);
    QCOMPARE(m_player->minimumSize(), QSize(w, h));
    QCOMPARE(m_player->sceneView()->maximumSize(), preview);
    QCOMPARE(m_player->sceneRoot()->property("width").toInt(), preview.width());
    QCOMPARE(m_player->sceneRoot()->property("height").toInt(), preview.height());
    QCOMPARE(m_player->findChild<QLabel *>(QStringLiteral("playerLabel"))->font().pointSize(),
             qMax(1, int(float(h / 80) * FontRatio)));
    QVERIFY(!m_player->findChild<QLabel *>(QStringLiteral("playerContainer"))->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(dateEdit()->minimumWidth(), 180);
    QCOMPARE(timeEdit()->minimumHeight(), 50);
}

void TestZoPlayer::backResetsSceneFirst()
{
    QVERIFY(writePlayerFile(m_dir->path(), threePostersTwoZones()));
    m_player->UpdateZoPlayer();
    QCOMPARE(zone(2)->property("opacity").toReal(), 1.0);
    QList<qreal> opacityAtSignal;
    connect(m_player.data(), &ZoPlayer::signalButton, this,
            [&] { opacityAtSignal << zone(1)->property("opacity").toReal() << zone(2)->property("opacity").toReal(); });
    QSignalSpy button(m_player.data(), &ZoPlayer::signalButton);
    QTest::mouseClick(m_player->findChild<QPushButton *>(QStringLiteral("playerBack")), Qt::LeftButton);
    QCOMPARE(button.count(), 1);
    QCOMPARE(button.at(0).at(0).toInt(), 0);
    QCOMPARE(opacityAtSignal, (QList<qreal>{0.0, 0.0}));
    QCOMPARE(zone(1)->property("index").toInt(), 0);
}

void TestZoPlayer::escapeGoesBack()
{
    m_player->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_player.data()));
    QSignalSpy button(m_player.data(), &ZoPlayer::signalButton);
    QTest::keyClick(m_player.data(), Qt::Key_Escape);
    QCOMPARE(button.count(), 1);
    QVERIFY(m_player->isVisible());
}

void TestZoPlayer::posterListReachesZones()
{
    QVERIFY(writePlayerFile(m_dir->path(), threePostersTwoZones()));
    m_player->UpdateZoPlayer();
    const QString work = m_dir->path() + QLatin1Char('/');
    auto url = [&work](const QString &name) { return QUrl::fromLocalFile(work + name).toString(); };

    QObject *z1 = zone(1);
    QObject *z2 = zone(2);
    QCOMPARE(z1->property("playlistImage").toStringList(), QStringList{url("IMAGE/left.png")});
    QCOMPARE(z1->property("playlistVideo").toStringList(), QStringList{url("VIDEO/clip.mp4")});
    QCOMPARE(z1->property("playlistOpacity").toStringList(), QStringList{"50"});
    QCOMPARE(z2->property("playlistType").toStringList(), (QStringList{"WIDGETMETEO", "WIDGETRSS"}));
    QCOMPARE(z2->property("playlistDateDebut").toStringList(), (QStringList{"2019,12,25", "NULL"}));
    QCOMPARE(z2->property("playlistTimeFin").toStringList(), (QStringList{"12,00,00", "NULL"}));
    QCOMPARE(z2->property("playlistDayOfWeek").toStringList(), (QStringList{"135", "NULL"}));
    QCOMPARE(z2->property("playlistMeteoZip").toStringList(), (QStringList{"75001", ""}));
    QCOMPARE(z2->property("playlistRssAdress").toStringList(),
             (QStringList{"", url("RSS/sitecom-news-feedphpid3.xml")}));
    QCOMPARE(m_player->rssFeeds(), QStringList{"http://www.site.com/news/feed.php?id=3"});
    QVERIFY(QFileInfo(work + QStringLiteral("RSS")).isDir());

    auto *item2 = qobject_cast<QQuickItem *>(z2);
    QCOMPARE(item2->opacity(), 1.0);
    QCOMPARE(item2->x(), item2->width());
    QCOMPARE(zone(3)->property("opacity").toReal(), 0.0);
    // Both zones started: their first poster is open.
    QCOMPARE(z1->findChild<QObject *>(QStringLiteral("myImage"))->property("opacity").toReal(), 0.5);

    // A second refresh with the same file gives the scene the same lists.
    m_player->UpdateZoPlayer();
    QCOMPARE(z2->property("playlistType").toStringList(), (QStringList{"WIDGETMETEO", "WIDGETRSS"}));
    QCOMPARE(zone(1)->property("playlistImage").toStringList(), QStringList{url("IMAGE/left.png")});
}

void TestZoPlayer::missingPosterListGivesOneZone()
{
    m_player->UpdateZoPlayer();
    auto *z1 = qobject_cast<QQuickItem *>(zone(1));
    QCOMPARE(z1->opacity(), 1.0);
    QCOMPARE(z1->width(), m_player->sceneRoot()->property("width").toReal());
    QCOMPARE(zone(2)->property("opacity").toReal(), 0.0);
    QCOMPARE(z1->property("playlistType").toStringList(), QStringList{"NULL"});
    QCOMPARE(z1->property("playlistImage").toStringList(), QStringList{""});
}

void TestZoPlayer::sceneThatFailsLeavesAMessage()
{
    PlayerSceneView view;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Preview scene not loaded")));
    QVERIFY(!view.load(QUrl(QStringLiteral("qrc:///qml/NoSuchScene.qml"))));
    QVERIFY(!view.root());
    QVERIFY(!view.errorText().isEmpty());
    view.show();
    auto *message = view.findChild<QLabel *>(QStringLiteral("playerSceneMessage"));
    QVERIFY(message->isVisible());
    QVERIFY(message->text().contains(QStringLiteral("aperçu")));
    QVERIFY(!view.call({QStringLiteral("init"), {}}));
    QVERIFY(!view.setRootSize(10, 10));
}

void TestZoPlayer::unsavableFeedShowsOneBox()
{
    // A file where the cache folder should be: no feed file can be made.
    QVERIFY(writePlayerFile(m_dir->path(), {
                                               {QStringLiteral("SLIDETYPE"), QStringLiteral("WIDGETRSS|WIDGETRSS")},
                                               {QStringLiteral("SLIDEDELAY"), QStringLiteral("5|5")},
                                               {QStringLiteral("SLIDERSSADRESSE"),
                                                QStringLiteral("http://127.0.0.1:9/a.xml|http://127.0.0.1:9/b.xml")},
                                           }));
    QFile blocker(m_dir->filePath(QStringLiteral("RSS")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ModalAnswerer answerer;
    answerer.grabAs(QStringLiteral("preview-rss-save-failed.png")).confirm();
    QSignalSpy cycles(m_player->rssCache(), &RssFeedCache::cycleFinished);
    m_player->UpdateZoPlayer();
    QVERIFY(cycles.wait(5000));
    QVERIFY(answerer.waitUntilDone());
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join(QLatin1Char('\n'))));
    QCOMPARE(answerer.answered(), 1);
    QVERIFY(answerer.texts().first().startsWith(QStringLiteral("Impossible de sauvegarder le fichier ")));
    QCOMPARE(m_player->rssCache()->refreshTimer()->interval(), RssFeedCache::RetryMs);
}

void TestZoPlayer::leftPreviewAsksNothingMore()
{
    QVERIFY(writePlayerFile(m_dir->path(), {
                                               {QStringLiteral("SLIDETYPE"), QStringLiteral("WIDGETRSS")},
                                               {QStringLiteral("SLIDEDELAY"), QStringLiteral("5")},
                                               {QStringLiteral("SLIDERSSADRESSE"), QStringLiteral("http://127.0.0.1:9/a.xml")},
                                           }));
    QFile blocker(m_dir->filePath(QStringLiteral("RSS")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ModalAnswerer answerer;
    answerer.confirm();
    QSignalSpy cycles(m_player->rssCache(), &RssFeedCache::cycleFinished);
    m_player->UpdateZoPlayer();
    QVERIFY(cycles.wait(5000));
    QVERIFY(answerer.waitUntilDone());
    // The same screen shown again: the user knows already.
    m_player->UpdateZoPlayer();
    QVERIFY(cycles.wait(5000));
    m_player->slotQuitter();
    QVERIFY(!m_player->rssCache()->stepTimer()->isActive());
    QVERIFY(!m_player->rssCache()->refreshTimer()->isActive());
    QCOMPARE(answerer.answered(), 1);
    QCOMPARE(answerer.unexpected(), 0);
}

QTEST_MAIN(TestZoPlayer)
#include "tst_zoplayer.moc"
