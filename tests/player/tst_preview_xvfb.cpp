#include "PlayerFixture.h"
#include "PlayerSceneView.h"
#include "ZoPlayer.h"
#include "ZoScreenshot.h"
#include "ZoTestInit.h"

#include <QQuickItem>
#include <QQuickWidget>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

// A two-zone preview on a real X server: a picture at 50 % on the left, an
// evening poster on the right that shows only once the slider reaches its
// hours. The pixels of the rendered scene are checked, and both states are
// saved as screenshots.
class TestPreviewXvfb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void twoZonesBeforeAndInSchedule();

private:
    // Mean brightness (0..255) of a rectangle of the rendered scene.
    static double brightness(const QImage &image, const QRect &rect);
    QRect zoneRect(int n) const;
    QRect pictureRect(int n, const QSize &picture) const;

    QTemporaryDir m_dir;
    QScopedPointer<ZoPlayer> m_player;
};

void TestPreviewXvfb::initTestCase()
{
    zoInitWidgetTest();
    Q_INIT_RESOURCE(qml);
    QVERIFY(m_dir.isValid());
    const QString images = qEnvironmentVariable("ZO_SOURCE_DIR") + QStringLiteral("/demo/zolink/zobox/zo_demo/IMAGE/");
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("IMAGE"))));
    for (const QString &name : {QStringLiteral("promo-cafe.jpg"), QStringLiteral("salle-horizon.jpg")})
        QVERIFY(QFile::copy(images + name, m_dir.filePath(QStringLiteral("IMAGE/") + name)));
    QVERIFY(writePlayerFile(m_dir.path(), {
                                              {QStringLiteral("SLIDETYPE"), QStringLiteral("|")},
                                              {QStringLiteral("SLIDEDELAY"), QStringLiteral("30|30")},
                                              {QStringLiteral("SLIDENAMEIMAGE"),
                                               QStringLiteral("IMAGE/promo-cafe.jpg|IMAGE/salle-horizon.jpg")},
                                              {QStringLiteral("SLIDENAMEVIDEO"), QStringLiteral("|")},
                                              {QStringLiteral("SLIDENAMETXT"), QStringLiteral("|")},
                                              {QStringLiteral("SLIDEOPACITY"), QStringLiteral("50|100")},
                                              {QStringLiteral("DATEDEBUT"), QStringLiteral("|")},
                                              {QStringLiteral("DATEFIN"), QStringLiteral("|")},
                                              {QStringLiteral("HEUREDEBUT"), QStringLiteral("|18:00:00")},
                                              {QStringLiteral("HEUREFIN"), QStringLiteral("|22:00:00")},
                                              {QStringLiteral("JOURSSEMAINE"), QStringLiteral("|")},
                                              {QStringLiteral("NUMEROECRAN"), QStringLiteral("1|2")},
                                              {QStringLiteral("CONFIGECRAN"), QStringLiteral("0-0-50-100|50-0-50-100")},
                                              {QStringLiteral("ROTATION2"), QStringLiteral("0")},
                                              {QStringLiteral("ECRANLARGEUR"), QStringLiteral("-1")},
                                              {QStringLiteral("ECRANHAUTEUR"), QStringLiteral("-1")},
                                          }));
}

double TestPreviewXvfb::brightness(const QImage &image, const QRect &rect)
{
    double sum = 0;
    int count = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); y += 2) {
        for (int x = r.left(); x <= r.right(); x += 2) {
            const QColor c = image.pixelColor(x, y);
            sum += (c.red() + c.green() + c.blue()) / 3.0;
            ++count;
        }
    }
    return count ? sum / count : 0;
}

QRect TestPreviewXvfb::zoneRect(int n) const
{
    auto *zone = m_player->sceneRoot()->findChild<QQuickItem *>(QStringLiteral("ecran%1").arg(n));
    return zone->mapRectToScene(QRectF(0, 0, zone->width(), zone->height())).toAlignedRect();
}

// Where a picture of the given size lands in zone n (fitted, centred).
QRect TestPreviewXvfb::pictureRect(int n, const QSize &picture) const
{
    const QRect zone = zoneRect(n);
    const QSize fitted = picture.scaled(zone.size(), Qt::KeepAspectRatio);
    QRect r(QPoint(0, 0), fitted);
    r.moveCenter(zone.center());
    return r.adjusted(3, 3, -3, -3);
}

void TestPreviewXvfb::twoZonesBeforeAndInSchedule()
{
    qputenv("ZOMANAGER_WORKDIR", m_dir.path().toLocal8Bit());
    m_player.reset(new ZoPlayer);
    m_player->resize(1280, 800);
    m_player->slotResize(1280, 800, 0);
    m_player->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_player.data()));
    m_player->UpdateZoPlayer();
    QQuickWidget *view = m_player->sceneView()->view();
    QTRY_COMPARE(view->size(), QSize(365, 205));

    const QImage promo(m_dir.filePath(QStringLiteral("IMAGE/promo-cafe.jpg")));
    const QImage evening(m_dir.filePath(QStringLiteral("IMAGE/salle-horizon.jpg")));
    const double promoFull = brightness(promo.scaled(pictureRect(1, promo.size()).size()), promo.scaled(pictureRect(1, promo.size()).size()).rect());

    // Midday: the evening poster is out of its hours, its zone stays black
    // once the status badge has gone.
    auto *badge = m_player->sceneRoot()->findChild<QQuickItem *>(QStringLiteral("myStatus"));
    QTRY_COMPARE_WITH_TIMEOUT(badge->opacity(), 0.0, 4000);
    QTest::qWait(300);
    QImage frame = view->grabFramebuffer();
    QVERIFY(saveScreenshot(m_player.data(), QStringLiteral("preview-two-zones-midday.png")));
    const double left = brightness(frame, pictureRect(1, promo.size()));
    QVERIFY2(qAbs(left - promoFull / 2) < promoFull * 0.15,
             qPrintable(QStringLiteral("left %1, picture %2").arg(left).arg(promoFull)));
    QVERIFY2(brightness(frame, zoneRect(2)) < 3, qPrintable(QString::number(brightness(frame, zoneRect(2)))));

    // 19:00: the right zone's next check plays the evening poster.
    m_player->findChild<QSlider *>(QStringLiteral("playerSlider"))->setValue(19 * 60);
    auto *rightImage = m_player->sceneRoot()->findChild<QQuickItem *>(QStringLiteral("ecran2"))
                           ->findChild<QQuickItem *>(QStringLiteral("myImage"));
    QTRY_COMPARE_WITH_TIMEOUT(rightImage->opacity(), 1.0, 2000);
    QTest::qWait(300);
    frame = view->grabFramebuffer();
    QVERIFY(saveScreenshot(m_player.data(), QStringLiteral("preview-two-zones-evening.png")));
    const QImage eveningShown = evening.scaled(pictureRect(2, evening.size()).size());
    const double right = brightness(frame, pictureRect(2, evening.size()));
    QVERIFY2(qAbs(right - brightness(eveningShown, eveningShown.rect())) < 25,
             qPrintable(QStringLiteral("right %1").arg(right)));
    QVERIFY2(qAbs(brightness(frame, pictureRect(1, promo.size())) - left) < 10, "the left zone keeps its picture");
    m_player.reset();
    qunsetenv("ZOMANAGER_WORKDIR");
}

QTEST_MAIN(TestPreviewXvfb)
#include "tst_preview_xvfb.moc"
