#include "ListManager.h"
#include "LoginFile.h"
#include "RowItems.h"
#include "UserRecordEditor.h"

#include <QtTest>

class RowItemsTest : public QObject
{
    Q_OBJECT
private slots:
    void rowItems_data();
    void rowItems();
    void everywhere();
    void cleaning_data();
    void cleaning();
    void password_data();
    void password();
    void randomPassword();
};

void RowItemsTest::rowItems_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("add to an empty row") << "add" << QStringList{""} << 0 << QStringList{"PLAYLIST-a"}
                                         << QStringList{"PLAYLIST-a"};
    QTest::newRow("add PLAYLIST-a beside PLAYLIST-ab") << "add" << QStringList{"PLAYLIST-ab"} << 0
                                                       << QStringList{"PLAYLIST-a"}
                                                       << QStringList{"PLAYLIST-ab;PLAYLIST-a"};
    QTest::newRow("add S1 beside S10") << "add" << QStringList{"S10"} << 0 << QStringList{"S1"}
                                       << QStringList{"S10;S1"};
    QTest::newRow("add an item already there") << "add" << QStringList{"Hall;PLAYLIST-a"} << 0
                                               << QStringList{"PLAYLIST-a"} << QStringList{"Hall;PLAYLIST-a"};
    QTest::newRow("add past the end appends a row") << "add" << QStringList{"a"} << 1 << QStringList{"b"}
                                                    << QStringList{"a", "b"};
    QTest::newRow("add an empty item") << "add" << QStringList{"a"} << 0 << QStringList{""} << QStringList{"a"};
    QTest::newRow("add without a current row") << "add" << QStringList{"a"} << -1 << QStringList{"b"}
                                               << QStringList{"a"};
    QTest::newRow("remove the first of two") << "remove" << QStringList{"S1;S1"} << 0 << QStringList{"S1"}
                                             << QStringList{"S1"};
    QTest::newRow("remove S1 leaves S10") << "remove" << QStringList{"S10;S1"} << 0 << QStringList{"S1"}
                                          << QStringList{"S10"};
    QTest::newRow("remove past the end") << "remove" << QStringList{"S1"} << 3 << QStringList{"S1"}
                                         << QStringList{"S1"};
    QTest::newRow("replace keeps the playlists first")
        << "replace" << QStringList{"PLAYLIST-a;Hall;PLAYLIST-b"} << 0 << QStringList{"Lobby", "Bar"}
        << QStringList{"PLAYLIST-a;PLAYLIST-b;Lobby;Bar"};
    QTest::newRow("replace with nothing keeps the playlists")
        << "replace" << QStringList{"PLAYLIST-a;Hall;PLAYLIST-b"} << 0 << QStringList{}
        << QStringList{"PLAYLIST-a;PLAYLIST-b"};
    QTest::newRow("replace whole row") << "replacewhole" << QStringList{"S1"} << 0 << QStringList{"S2", "S3"}
                                       << QStringList{"S2;S3"};
    QTest::newRow("replace whole row with nothing") << "replacewhole" << QStringList{"S1"} << 0 << QStringList{}
                                                    << QStringList{""};
    QTest::newRow("select") << "select" << QStringList{"a;b", ""} << 0 << QStringList{} << QStringList{"a", "b"};
    QTest::newRow("select an empty row") << "select" << QStringList{"a;b", ""} << 1 << QStringList{}
                                         << QStringList{""};
    QTest::newRow("select no row") << "select" << QStringList{"a;b"} << -1 << QStringList{} << QStringList{};
}

void RowItemsTest::rowItems()
{
    QFETCH(QString, operation);
    QFETCH(QStringList, list);
    QFETCH(int, row);
    QFETCH(QStringList, items);
    QFETCH(QStringList, expected);
    QStringList result;
    if (operation == "add")
        result = RowItems::addQStringList(list, row, items.value(0));
    else if (operation == "remove")
        result = RowItems::RemoveQStringList(list, row, items.value(0));
    else if (operation == "replace")
        result = RowItems::ReplaceQStringList(list, row, items, LoginFile::PlaylistPrefix);
    else if (operation == "replacewhole")
        result = RowItems::ReplaceQStringList(list, row, items, QString());
    else
        result = RowItems::selectQStringList(list, row);
    QCOMPARE(result, expected);
}

void RowItemsTest::everywhere()
{
    const QStringList rows = {"Hall;PLAYLIST-Promo;Hall2", "Hall", ""};
    const QStringList renamed = RowItems::renameEverywhere(rows, "Hall", "Entree");
    QCOMPARE(renamed, (QStringList{"Entree;PLAYLIST-Promo;Hall2", "Entree", ""}));
    QCOMPARE(RowItems::removeEverywhere(renamed, "PLAYLIST-Promo"), (QStringList{"Entree;Hall2", "Entree", ""}));
    QCOMPARE(RowItems::removeEverywhere(renamed, "Entree"), (QStringList{"PLAYLIST-Promo;Hall2", "", ""}));
}

void RowItemsTest::cleaning_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");

    QTest::newRow("playlist accents and punctuation") << "playlist" << QString::fromUtf8("Été 24!") << "t 24";
    QTest::newRow("playlist cleaned to nothing") << "playlist" << QString::fromUtf8("éé") << "";
    QTest::newRow("playlist separators") << "playlist" << "a;b|c\"d\r\n" << "abcd";
    QTest::newRow("category separators") << "name" << "a;b|c" << "abc";
    QTest::newRow("name quotes and line breaks") << "name" << "O\"Neil\r\nJr" << "ONeilJr";
    QTest::newRow("typed keeps separators") << "typed" << "a;b|\"c\n" << "a;b|c";
}

void RowItemsTest::cleaning()
{
    QFETCH(QString, kind);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    if (kind == "playlist")
        QCOMPARE(LoginFile::cleanPlaylistName(typed), stored);
    else if (kind == "name")
        QCOMPARE(LoginFile::cleanName(typed), stored);
    else
        QCOMPARE(LoginFile::cleanTyped(typed), stored);
}

void RowItemsTest::password_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("ten lower-case") << "abcdefghij" << false;
    QTest::newRow("ten, one upper-case") << "Abcdefghij" << true;
    QTest::newRow("eleven upper-case") << "ABCDEFGHIJK" << false;
    QTest::newRow("nine characters") << "Abcdefghi" << false;
    QTest::newRow("long with digits") << "Abcdefghij0123456789" << true;
    QTest::newRow("row separator refused") << "Abcdefghij|" << false;
    QTest::newRow("quote was dropped from the stored password") << "Accueil\"2025x" << false;
    QTest::newRow("line break refused") << "Accueil2025x\n" << false;
    QTest::newRow("carriage return refused") << "Accueil\r2025x" << false;
}

void RowItemsTest::password()
{
    QFETCH(QString, password);
    QFETCH(bool, accepted);
    QCOMPARE(UserRecordEditor::VerificationMotdePasse(password), accepted);
}

void RowItemsTest::randomPassword()
{
    const QRegularExpression shape(QStringLiteral("^[A-Za-z0-9]{12}$"));
    QSet<QString> seen;
    for (int i = 0; i < 50; ++i) {
        const QString p = ListManager::GetRandomString();
        QVERIFY2(shape.match(p).hasMatch(), qPrintable(p));
        seen.insert(p);
    }
    QCOMPARE(seen.size(), 50);
}

QTEST_GUILESS_MAIN(RowItemsTest)
#include "tst_rowitems.moc"
