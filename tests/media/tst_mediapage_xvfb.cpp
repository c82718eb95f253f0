#include "AppGlobals.h"
#include "ClassMedia.h"
#include "MediaFixture.h"
#include "ZoScreenshot.h"
#include "ZoTestInit.h"
#include "classVersion.h"

#include <QLabel>
#include <QLinearGradient>
#include <QListWidget>
#include <QPainter>
#include <QtTest>

// The page on a real X server, with thumbnails, the video list and the
// quota line, saved as media-page.png.
class MediaPageXvfbTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { zoInitWidgetTest(); }
    void pageWithThumbnails();
};

namespace {

void drawPicture(const QString &path, int i)
{
    QImage image(1280, 720, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 1280, 720);
    g.setColorAt(0, QColor::fromHsv((i * 47) % 360, 180, 230));
    g.setColorAt(1, QColor::fromHsv((i * 47 + 120) % 360, 200, 90));
    p.fillRect(image.rect(), g);
    p.setBrush(QColor(255, 255, 255, 120));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPoint(300 + i * 80, 360), 220, 220);
    p.setPen(Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"), 90, QFont::Bold);
    p.setFont(font);
    p.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Affiche %1").arg(i + 1));
    p.end();
    image.save(path, "JPG", 85);
}

} // namespace

void MediaPageXvfbTest::pageWithThumbnails()
{
    MediaFixture f;
    ApplicationPath = f.work;
    const QStringList pictures = {"Accueil-091512.jpg", "Menu du jour-101003.jpg", "Promo ete-111213.jpg",
                                  "Salle Horizon-121314.jpg", "Horaires-131415.jpg", "Evenement-141516.jpg"};
    QStringList paths, sizes, rights;
    for (int i = 0; i < pictures.size(); ++i) {
        drawPicture(f.work + "IMAGE/" + pictures.at(i), i);
        paths << "IMAGE/" + pictures.at(i);
        sizes << QString::number(QFileInfo(f.work + "IMAGE/" + pictures.at(i)).size());
        rights << (i % 2 ? "Accueil;Restaurant" : "ADMINISTRATEUR");
    }
    for (const char *video : {"Bande annonce-080910.mp4", "Visite virtuelle-091011.mp4"}) {
        f.bytes("VIDEO/" + QString(video), 100);
        paths << "VIDEO/" + QString(video);
        sizes << "18500000";
        rights << "ADMINISTRATEUR";
    }
    QStringList sums;
    for (int i = 0; i < paths.size(); ++i)
        sums << "0123456789ABCDEF0123456789ABCDEF";
    QVERIFY(writeParams(f.index(), {{"FILEPATH", paths.join('|')},
                                    {"FILECHK", sums.join('|')},
                                    {"FILESIZE", sizes.join('|')},
                                    {"FILEPATHPERMISSION", rights.join('|')}}));

    ClassMedia page;
    // As the top window styles it.
    page.setStyleSheet(classVersion().Style());
    page.resize(1280, 800);
    page.slotResize(1280, 800, 0);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QSignalSpy finished(&page, &ClassMedia::signalUpdateMediaFinish);
    page.slotUpdateMediaSize(200);
    page.slotUpdateMediaFile();
    QVERIFY(finished.wait(3000));
    page.slotUserLogin("demo", "ADMINISTRATEUR");
    QTRY_COMPARE(page.thumbnailsPending(), 0);
    auto *images = page.findChild<QListWidget *>("listImage");
    images->setCurrentRow(1);
    page.findChild<QListWidget *>("listVideo")->setCurrentRow(0);
    QTest::qWait(200);

    QCOMPARE(images->count(), 6);
    QVERIFY(!images->item(0)->icon().isNull());
    QCOMPARE(page.findChild<QLabel *>("labelQuota")->text(),
             QString::fromUtf8("Espace maximum autorisé: 200Mo\nEspace utilisé: 37Mo"));
    QVERIFY(saveScreenshot(&page, "media-page.png"));
}

QTEST_MAIN(MediaPageXvfbTest)
#include "tst_mediapage_xvfb.moc"
