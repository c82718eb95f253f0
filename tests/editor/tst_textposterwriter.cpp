#include "TextPosterWriter.h"

#include <QtTest>

// The pair of files of a save: both written, or neither with a message.
class TestTextPosterWriter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void writesBoth();
    void replacesEarlierText();
    void failure_data();
    void failure();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_work;
    QImage m_picture;
};

void TestTextPosterWriter::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_work = m_dir->path() + QLatin1Char('/');
    QVERIFY(QDir().mkpath(m_work + QStringLiteral("TEXT")));
    m_picture = QImage(64, 36, QImage::Format_ARGB32);
    m_picture.fill(Qt::transparent);
    m_picture.setPixel(3, 4, qRgba(255, 255, 255, 255));
}

void TestTextPosterWriter::writesBoth()
{
    TextPosterWriter writer(m_work);
    const QString html = QStringLiteral("<p>Été <b>Promo</b></p>");
    QVERIFY(writer.write(QStringLiteral("Promo-101500"), m_picture, html));
    QVERIFY(writer.error().isEmpty());
    const QImage back(m_work + QStringLiteral("TEXT/Promo-101500.png"));
    QCOMPARE(back.size(), QSize(64, 36));
    QVERIFY(back.hasAlphaChannel());
    QCOMPARE(qAlpha(back.pixel(0, 0)), 0);
    QCOMPARE(back.pixel(3, 4), qRgba(255, 255, 255, 255));
    QFile text(m_work + QStringLiteral("TEXT/Promo-101500.txt"));
    QVERIFY(text.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(text.readAll()), html);
}

void TestTextPosterWriter::replacesEarlierText()
{
    TextPosterWriter writer(m_work);
    QVERIFY(writer.writeText(QStringLiteral("Promo-101500"), QStringLiteral("a much longer first text")));
    QVERIFY(writer.writeText(QStringLiteral("Promo-101500"), QStringLiteral("short")));
    QFile text(m_work + QStringLiteral("TEXT/Promo-101500.txt"));
    QVERIFY(text.open(QIODevice::ReadOnly));
    QCOMPARE(text.readAll(), QByteArray("short"));
}

void TestTextPosterWriter::failure_data()
{
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<QString>("named");
    // A folder in the way of a file makes that write fail, even as root.
    QTest::newRow("picture cannot be written") << "TEXT/Promo-101500.png" << "TEXT/Promo-101500.png";
    QTest::newRow("text cannot be written, picture taken back") << "TEXT/Promo-101500.txt"
                                                                << "TEXT/Promo-101500.txt";
    QTest::newRow("no TEXT folder") << "TEXT" << "TEXT/Promo-101500.png";
}

void TestTextPosterWriter::failure()
{
    QFETCH(QString, blocked);
    QFETCH(QString, named);
    if (blocked == QLatin1String("TEXT")) {
        QVERIFY(QDir(m_work + QStringLiteral("TEXT")).removeRecursively());
        QFile file(m_work + QStringLiteral("TEXT"));
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(QDir().mkpath(m_work + blocked));
    }
    TextPosterWriter writer(m_work);
    QVERIFY(!writer.write(QStringLiteral("Promo-101500"), m_picture, QStringLiteral("<p>x</p>")));
    QVERIFY2(writer.error().startsWith(QStringLiteral("Impossible de sauvegarder le fichier ") + named + ": "),
             qPrintable(writer.error()));
    QVERIFY(writer.error().endsWith(QLatin1Char('.')));
    QVERIFY(writer.error().size() > QStringLiteral("Impossible de sauvegarder le fichier : .").size() + named.size());
    // Nothing half-saved stays behind.
    for (const char *ext : {".png", ".txt"}) {
        const QFileInfo left(m_work + QStringLiteral("TEXT/Promo-101500") + QLatin1String(ext));
        QVERIFY2(!left.isFile(), qPrintable(left.filePath()));
    }
}

QTEST_GUILESS_MAIN(TestTextPosterWriter)
#include "tst_textposterwriter.moc"
