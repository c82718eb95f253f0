#include "ThumbnailLoader.h"

#include <QAtomicInt>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QtTest>

// Thumbnails of files that change while they are made.
class ThumbnailLoaderTest : public QObject
{
    Q_OBJECT

private slots:
    void replacedWhileMadeShowsTheNewPicture_data();
    void replacedWhileMadeShowsTheNewPicture();
};

namespace {

// A plain picture of `size` in `colour`, modified at `modified`.
bool writePicture(const QString &path, const QSize &size, const QColor &colour, const QDateTime &modified)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    if (!image.save(path, "PNG"))
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.setFileTime(modified, QFileDevice::FileModificationTime);
}

QColor centreOf(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace

void ThumbnailLoaderTest::replacedWhileMadeShowsTheNewPicture_data()
{
    QTest::addColumn<bool>("askedWhileMade");
    QTest::addColumn<bool>("olderArrivesFirst");
    QTest::newRow("asked again while made, older picture arrives first") << true << true;
    QTest::newRow("asked again while made, older picture arrives last") << true << false;
    QTest::newRow("asked again once the older picture arrived") << false << true;
}

// A text poster saved again under its name while its thumbnail was made:
// the second request was dropped as already being made, and the old
// picture was kept under the new file's size and time.
void ThumbnailLoaderTest::replacedWhileMadeShowsTheNewPicture()
{
    QFETCH(bool, askedWhileMade);
    QFETCH(bool, olderArrivesFirst);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("poster.png"));
    const QDateTime saved = QDateTime::currentDateTime().addSecs(-60);
    QVERIFY(writePicture(path, QSize(40, 30), Qt::red, saved));

    // Each read waits, once done, until the test lets it hand its picture on.
    QSemaphore read;
    QSemaphore handOn[2];
    QAtomicInt reads;
    ThumbnailLoader loader;
    struct Release {
        QSemaphore *handOn;
        ~Release()
        {
            handOn[0].release(8);
            handOn[1].release(8);
        }
    } release{handOn};
    loader.setAfterRead([&](const QString &) {
        const int n = qMin(1, reads.fetchAndAddOrdered(1));
        read.release();
        handOn[n].acquire();
    });
    QSignalSpy ready(&loader, &ThumbnailLoader::ready);
    const QSize box(32, 32);

    QVERIFY(loader.request(path, box).isNull());
    read.acquire();
    // Saved again, larger, while the old picture is in hand.
    QVERIFY(writePicture(path, QSize(60, 20), Qt::blue, saved.addSecs(30)));
    if (askedWhileMade) {
        QVERIFY(loader.request(path, box).isNull());
        // Made again, not dropped as already being made.
        QCOMPARE(loader.pending(), 2);
        read.acquire();
        const int first = olderArrivesFirst ? 0 : 1;
        handOn[first].release();
        QTRY_COMPARE(loader.pending(), 1);
        handOn[1 - first].release();
        QTRY_COMPARE(loader.pending(), 0);
        // The older picture was never shown.
        QCOMPARE(ready.count(), 1);
    } else {
        handOn[0].release();
        QTRY_COMPARE(loader.pending(), 0);
        handOn[1].release();
        // Stamped as the file it was read from: asked again, made again.
        QVERIFY(loader.request(path, box).isNull());
        QTRY_COMPARE(loader.pending(), 0);
        QCOMPARE(ready.count(), 2);
    }
    QCOMPARE(centreOf(ready.last().at(1).value<QPixmap>()), QColor(Qt::blue));
    const QPixmap kept = loader.request(path, box);
    QVERIFY(!kept.isNull());
    QCOMPARE(centreOf(kept), QColor(Qt::blue));
}

QTEST_MAIN(ThumbnailLoaderTest)
#include "tst_thumbnailloader.moc"
