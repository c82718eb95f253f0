#include "QRPainter.h"
#include "QRWidget.h"

#include <QPainter>
#include <QSignalSpy>
#include <QtTest>
#include <qrcodegen/qrcodegen.hpp>

// The QR widget's cached picture (when it is rendered again, its size and
// place) and the module geometry of the painter.
class TestQRWidget : public QObject
{
    Q_OBJECT

private slots:
    void renderOncePerData_data();
    void renderOncePerData();
    void emptyDataPaintsNothing();
    void pictureSideAndPlace();
    void resizeSlack_data();
    void resizeSlack();
    void moduleGeometry();
    void textTooLongPaintsNothing();
    void asciiRows();
};

void TestQRWidget::renderOncePerData_data()
{
    QTest::addColumn<QStringList>("data");
    QTest::addColumn<int>("renders");
    QTest::newRow("same data twice") << QStringList{"https://a.b/c", "https://a.b/c"} << 1;
    QTest::newRow("two texts") << QStringList{"https://a.b/c", "https://a.b/d"} << 2;
    QTest::newRow("back to the first") << QStringList{"x", "y", "x"} << 3;
}

void TestQRWidget::renderOncePerData()
{
    QFETCH(QStringList, data);
    QFETCH(int, renders);
    QRWidget widget;
    widget.resize(200, 200);
    QSignalSpy redraw(&widget, &QRWidget::qrRedraw);
    for (const QString &d : data) {
        widget.setQRData(d);
        // The picture matches at once, before any paint event.
        QCOMPARE(widget.qrPixmap()->size(), QSize(200, 200));
    }
    widget.grab();
    QCOMPARE(redraw.count(), renders);
    QCOMPARE(widget.toolTip(), data.last());
}

void TestQRWidget::emptyDataPaintsNothing()
{
    QRWidget widget;
    widget.resize(100, 100);
    QSignalSpy redraw(&widget, &QRWidget::qrRedraw);
    widget.setQRData(QString());
    widget.grab();
    QCOMPARE(redraw.count(), 0);
    QVERIFY(widget.qrPixmap()->isNull());
}

// 400 x 300: a 300-pixel picture painted at (50, 0).
void TestQRWidget::pictureSideAndPlace()
{
    QRWidget widget;
    widget.resize(400, 300);
    widget.setQRData(QStringLiteral("https://www.facebook.com/orvex"));
    QCOMPARE(widget.qrPixmap()->size(), QSize(300, 300));
    const QImage shot = widget.grab().toImage();
    const QImage picture = widget.qrPixmap()->toImage();
    QCOMPARE(shot.copy(50, 0, 300, 300).convertToFormat(QImage::Format_RGB32),
             picture.convertToFormat(QImage::Format_RGB32));
    // Left of the picture lies the widget's own background, not the white margin.
    QVERIFY(shot.pixelColor(49, 150) != QColor(Qt::white));
    QCOMPARE(shot.pixelColor(50, 150), QColor(Qt::white));
}

void TestQRWidget::resizeSlack_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("renders");
    QTest::addColumn<int>("pictureSide");
    QTest::newRow("308: within 10 px, stretched") << 308 << 0 << 300;
    QTest::newRow("290: within 10 px") << 290 << 0 << 300;
    QTest::newRow("312: rendered again") << 312 << 1 << 312;
    QTest::newRow("150: rendered again") << 150 << 1 << 150;
}

void TestQRWidget::resizeSlack()
{
    QFETCH(int, side);
    QFETCH(int, renders);
    QFETCH(int, pictureSide);
    QRWidget widget;
    widget.resize(300, 300);
    widget.setQRData(QStringLiteral("https://www.facebook.com/orvex"));
    QSignalSpy redraw(&widget, &QRWidget::qrRedraw);
    widget.resize(side, side);
    const QImage shot = widget.grab().toImage();
    QCOMPARE(redraw.count(), renders);
    QCOMPARE(widget.qrPixmap()->width(), pictureSide);
    // Stretched or not, the picture covers the whole square.
    QCOMPARE(shot.pixelColor(side - 1, side - 1), QColor(Qt::white));
    QCOMPARE(shot.pixelColor(side - 1, 0), QColor(Qt::white));
}

// A 25-module symbol in a 270-pixel picture: 10-pixel modules, a 10-pixel
// white margin, each module where the encoder puts it.
void TestQRWidget::moduleGeometry()
{
    const QString text = QStringLiteral("https://zo.net/abcd");
    const auto code = qrcodegen::QrCode::encodeText(text.toUtf8().constData(), qrcodegen::QrCode::Ecc::MEDIUM);
    QCOMPARE(code.getSize(), 25);

    QImage image(270, 270, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QCOMPARE(paintQR(painter, QSize(400, 270), text, QColor(59, 89, 152), Qt::white), 25);
    painter.end();

    const QColor dark(59, 89, 152);
    for (int i = 0; i < 270; ++i) {
        for (const QPoint &p : {QPoint(i, 0), QPoint(i, 9), QPoint(0, i), QPoint(9, i), QPoint(i, 260),
                                QPoint(i, 269), QPoint(260, i), QPoint(269, i)})
            QVERIFY2(image.pixelColor(p) == QColor(Qt::white), qPrintable(QStringLiteral("margin at %1,%2")
                                                                               .arg(p.x())
                                                                               .arg(p.y())));
    }
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 25; ++x) {
            const QColor expected = code.getModule(x, y) ? dark : QColor(Qt::white);
            // Both corners of the module, not only its centre.
            QCOMPARE(image.pixelColor((x + 1) * 10, (y + 1) * 10), expected);
            QCOMPARE(image.pixelColor((x + 1) * 10 + 9, (y + 1) * 10 + 9), expected);
        }
    }
}

void TestQRWidget::textTooLongPaintsNothing()
{
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^QR code not made"));
    QCOMPARE(paintQR(painter, image.size(), QString(8000, QLatin1Char('x')), Qt::black, Qt::white), 0);
    painter.end();
    QCOMPARE(image.pixelColor(50, 50), QColor(Qt::white));
}

void TestQRWidget::asciiRows()
{
    const QString text = asciiQR(QStringLiteral("hello"), QStringLiteral("#"), QStringLiteral("."));
    const QStringList rows = text.split(QLatin1Char('\n'));
    QCOMPARE(rows.first(), QString()); // each row follows a line feed
    QCOMPARE(rows.size(), 22);         // version 1: 21 rows
    QCOMPARE(rows.at(1).left(7), QStringLiteral("#######"));
    QCOMPARE(rows.at(2).left(7), QStringLiteral("#.....#"));
}

QTEST_MAIN(TestQRWidget)
#include "tst_qrwidget.moc"
