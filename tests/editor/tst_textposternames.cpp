#include "PosterArea.h"
#include "TextPosterNames.h"

#include <QtTest>

// Names and geometry of a text poster, without widgets.
class TestTextPosterNames : public QObject
{
    Q_OBJECT

private slots:
    void fromEntry_data();
    void fromEntry();
    void offeredName_data();
    void offeredName();
    void cleanName_data();
    void cleanName();
    void replacedPicture_data();
    void replacedPicture();
    void stamp();
    void posterArea_data();
    void posterArea();
};

void TestTextPosterNames::fromEntry_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("textFile");
    QTest::newRow("stamped") << "TEXT/Promo-093012.png" << "Promo-093012" << "TEXT/Promo-093012.txt";
    QTest::newRow("empty entry is a new poster") << "" << "Texte" << ".txt";
    QTest::newRow("dot inside the name: last dot counts") << "TEXT/a.b-093012.png" << "a.b-093012"
                                                          << "TEXT/a.b-093012.txt";
    QTest::newRow("no extension") << "TEXT/Promo" << "Promo" << "TEXT/Promo.txt";
    QTest::newRow("no folder: still read from TEXT/") << "Promo-093012.png" << "Promo-093012" << "TEXT/Promo-093012.txt";
    QTest::newRow("server entry outside the work folder") << "../../notes.txt" << "Texte" << "";
    QTest::newRow("server entry in another folder") << "TEXT/../IMAGE/a.png" << "Texte" << "";
    QTest::newRow("server entry in a subfolder of TEXT") << "TEXT/sub/a.png" << "Texte" << "";
}

void TestTextPosterNames::fromEntry()
{
    QFETCH(QString, entry);
    QFETCH(QString, name);
    QFETCH(QString, textFile);
    QCOMPARE(TextPosterNames::nameFromEntry(entry), name);
    if (!entry.isEmpty())
        QCOMPARE(TextPosterNames::textFileOfEntry(entry), textFile);
}

void TestTextPosterNames::offeredName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("offered");
    QTest::newRow("stamp dropped") << "Promo-093012" << "Promo";
    QTest::newRow("new poster") << "Texte" << "Texte";
    QTest::newRow("short name kept whole") << "A-B" << "A-B";
    QTest::newRow("seven characters kept") << "Ab-cdef" << "Ab-cdef";
    QTest::newRow("only the last dash") << "Summer-sale-093012" << "Summer-sale";
    QTest::newRow("long name without dash") << "Soldesdhiver" << "Soldesdhiver";
}

void TestTextPosterNames::offeredName()
{
    QFETCH(QString, name);
    QFETCH(QString, offered);
    QCOMPARE(TextPosterNames::offeredName(name), offered);
}

void TestTextPosterNames::cleanName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("clean");
    QTest::newRow("plain") << "Promo" << "Promo";
    QTest::newRow("accents and spaces kept") << "Été 2026" << "Été 2026";
    QTest::newRow("folder escape") << "../../LoginCrypt" << "LoginCrypt";
    QTest::newRow("backslash and colon") << "C:\\x" << "Cx";
    QTest::newRow("list separators") << "a|b;c" << "abc";
    QTest::newRow("quote") << "\"Promo\"" << "Promo";
    QTest::newRow("dot would cut the name on reading") << "a.b" << "ab";
    QTest::newRow("control characters") << QStringLiteral("Pro\nmo\t\x01") << "Promo";
    QTest::newRow("only forbidden characters") << "/..;" << "";
    QTest::newRow("spaces only") << "   " << "";
}

void TestTextPosterNames::cleanName()
{
    QFETCH(QString, typed);
    QFETCH(QString, clean);
    QCOMPARE(TextPosterNames::cleanName(typed), clean);
}

void TestTextPosterNames::replacedPicture_data()
{
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stem");
    QTest::addColumn<QString>("old");
    QTest::newRow("same name replaces") << "Promo-093012" << "Promo" << "Promo-101500" << "Promo-093012.png";
    QTest::newRow("other name keeps the earlier") << "Promo-093012" << "Soldes" << "Soldes-101500" << "";
    QTest::newRow("new poster") << "Texte" << "Texte" << "Texte-101500" << "";
    QTest::newRow("same second never retires the new file") << "Promo-101500" << "Promo" << "Promo-101500" << "";
    QTest::newRow("short previous name") << "A-B" << "A" << "A-101500" << "";
}

void TestTextPosterNames::replacedPicture()
{
    QFETCH(QString, previous);
    QFETCH(QString, name);
    QFETCH(QString, stem);
    QFETCH(QString, old);
    QCOMPARE(TextPosterNames::replacedPicture(previous, name, stem), old);
}

void TestTextPosterNames::stamp()
{
    QCOMPARE(TextPosterNames::stampSuffix(QTime(10, 15, 0)), QStringLiteral("-101500"));
    QCOMPARE(TextPosterNames::stampSuffix(QTime(23, 5, 9)), QStringLiteral("-230509"));
    QCOMPARE(TextPosterNames::pictureEntry(QStringLiteral("Promo-101500")), QStringLiteral("TEXT/Promo-101500.png"));
}

void TestTextPosterNames::posterArea_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<int>("bar"); // -1: one icon high
    QTest::newRow("landscape, limited by the width") << 1280 << 800 << 0 << 32 << QSize(1280, 763) << -1;
    QTest::newRow("portrait 90") << 1280 << 800 << 90 << 32 << QSize(429, 763) << -1;
    QTest::newRow("portrait -90") << 1280 << 800 << -90 << 32 << QSize(429, 763) << -1;
    QTest::newRow("landscape, limited by the height") << 1920 << 1000 << 0 << 48 << QSize(1683, 947) << -1;
    QTest::newRow("other rotation is landscape") << 1280 << 800 << 180 << 32 << QSize(1280, 763) << -1;
    QTest::newRow("area ran below a bar taller than its icons") << 1280 << 720 << 0 << 32 << QSize(1152, 648) << 72;
    QTest::newRow("portrait under a 74-pixel bar") << 1366 << 768 << 90 << 34 << QSize(390, 694) << 74;
}

void TestTextPosterNames::posterArea()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, rotation);
    QFETCH(int, icon);
    QFETCH(QSize, area);
    QFETCH(int, bar);
    const PosterArea a = PosterArea::fit(w, h, rotation, bar);
    QCOMPARE(a.iconSize, icon);
    QCOMPARE(QSize(a.width, a.height), area);
}

QTEST_APPLESS_MAIN(TestTextPosterNames)
#include "tst_textposternames.moc"
