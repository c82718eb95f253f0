#include "CategoryRow.h"
#include "ClassParam.h"
#include "ScreenCatalog.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Keys = QList<QPair<QString, QString>>;

// The lists as ClassParam reads them back from a real login file.
QList<QList<QString>> loginTable(const QTemporaryDir &dir, const Keys &keys)
{
    const QString path = dir.filePath(QStringLiteral("LoginCrypt.orvex"));
    QFile::remove(path);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.close();
    ClassParam param;
    for (const auto &kv : keys)
        param.setParamCrypt(path, kv.first, kv.second);
    param.getParamCrypt(path, QStringList{QStringLiteral("ALL")}, 0);
    return param.BALISE;
}

QStringList serialsOf(const QList<ScreenCatalog::Screen> &screens)
{
    QStringList out;
    for (const auto &s : screens)
        out << s.serial + QLatin1Char('=') + s.name;
    return out;
}

} // namespace

class CategoriesTest : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void row_data();
    void row();
    void membersOf_data();
    void membersOf();
    void listPointSize_data();
    void listPointSize();

    void permissionEntries_data();
    void permissionEntries();
    void screensOf_data();
    void screensOf();
    void renamed_data();
    void renamed();
    void storableName_data();
    void storableName();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void CategoriesTest::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

void CategoriesTest::row_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QStringList>("groupList");
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QStringList>("playlists");
    QTest::addColumn<bool>("groupMode");

    QTest::newRow("plain, grouped and playlist")
        << "Hall;[Etage]Bureau;[Etage]Salle;PLAYLIST-Promo"
        << QStringList{"Hall", "[Etage]Bureau", "[Etage]Salle", "PLAYLIST"} << QStringList{"Etage"}
        << QStringList{"PLAYLIST-Promo"} << true;
    QTest::newRow("no playlist, no PLAYLIST entry")
        << "Hall;Bureau" << QStringList{"Hall", "Bureau"} << QStringList{} << QStringList{} << false;
    QTest::newRow("only playlists") << "PLAYLIST-A;PLAYLIST-B" << QStringList{"PLAYLIST"} << QStringList{}
                                    << QStringList{"PLAYLIST-A", "PLAYLIST-B"} << false;
    QTest::newRow("groups in order of first appearance, once")
        << "[B]x;[A]y;[B]z" << QStringList{"[B]x", "[A]y", "[B]z"} << QStringList{"B", "A"} << QStringList{}
        << true;
    QTest::newRow("group names are case-sensitive")
        << "[Etage]a;[etage]b" << QStringList{"[Etage]a", "[etage]b"} << QStringList{"Etage", "etage"}
        << QStringList{} << true;
    QTest::newRow("closing bracket before opening is no group")
        << "a]b[c" << QStringList{"a]b[c"} << QStringList{} << QStringList{} << false;
    QTest::newRow("empty entries skipped") << ";Hall;;PLAYLIST-P;" << QStringList{"Hall", "PLAYLIST"}
                                           << QStringList{} << QStringList{"PLAYLIST-P"} << false;
}

void CategoriesTest::row()
{
    QFETCH(QString, row);
    const CategoryRow parsed = CategoryRow::fromEntries(row.split(QLatin1Char(';')));
    QTEST(parsed.groupListEntries(), "groupList");
    QTEST(parsed.groups(), "groups");
    QTEST(parsed.playlists(), "playlists");
    QTEST(parsed.groupMode(), "groupMode");
}

void CategoriesTest::membersOf_data()
{
    QTest::addColumn<QStringList>("categories");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("members");

    const QStringList mixed{"Hall", "[Etage]Bureau", "[Etage2]Salle", "Accueil[Etage]", "[Etage]Salle", "PLAYLIST"};
    QTest::newRow("members keep row order") << mixed << "Etage" << QStringList{"Bureau", "Salle"};
    QTest::newRow("group that merely contains another is not a member") << mixed << "Etage2" << QStringList{"Salle"};
    QTest::newRow("unknown group") << mixed << "Cave" << QStringList{};
    QTest::newRow("member entry round-trips")
        << QStringList{CategoryRow::memberEntry("G", "[x]")} << "G" << QStringList{"[x]"};
}

void CategoriesTest::membersOf()
{
    QFETCH(QStringList, categories);
    QFETCH(QString, group);
    QTEST(CategoryRow::membersOf(categories, group), "members");
}

void CategoriesTest::listPointSize_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("expected");

    const QString n20(20, 'a'), n25(25, 'b'), n30(30, 'c'), n31(31, 'd');
    // Panel height 1080, ratio 1.5: 1080/80 = 13 -> 19; 1080/100 = 10 -> 15.
    QTest::newRow("20 characters leave the font") << QStringList{n20} << -1;
    QTest::newRow("25 characters") << QStringList{n25} << 19;
    QTest::newRow("30 characters") << QStringList{n30} << 19;
    QTest::newRow("31 characters") << QStringList{n31} << 15;
    QTest::newRow("last long name decides") << QStringList{n31, n20, n25} << 19;
    QTest::newRow("playlists do not count") << QStringList{"PLAYLIST-" + n31} << -1;
}

void CategoriesTest::listPointSize()
{
    QFETCH(QStringList, entries);
    QTEST(CategoryRow::fromEntries(entries).listPointSize(1080, 1.5f), "expected");
}

void CategoriesTest::permissionEntries_data()
{
    QTest::addColumn<QString>("users");
    QTest::addColumn<QString>("permissions");
    QTest::addColumn<QString>("user");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("own row") << "admin|paul" << "A;B|C;PLAYLIST-P" << "paul" << true
                             << QStringList{"C", "PLAYLIST-P"};
    QTest::newRow("first user's empty row no longer blocks the others")
        << "admin|paul" << "|C" << "paul" << true << QStringList{"C"};
    QTest::newRow("own empty row") << "admin|paul" << "A|" << "paul" << false << QStringList{};
    QTest::newRow("row missing") << "admin|paul" << "A" << "paul" << false << QStringList{};
    QTest::newRow("user missing") << "admin|paul" << "A|B" << "marc" << false << QStringList{};
    QTest::newRow("exact user name") << "Paul|paul" << "A|B" << "paul" << true << QStringList{"B"};
}

void CategoriesTest::permissionEntries()
{
    QFETCH(QString, users);
    QFETCH(QString, permissions);
    QFETCH(QString, user);
    const ScreenCatalog catalog(loginTable(*m_dir, {{"USERLIST", users}, {"PLAYPERMISSION", permissions}}));
    QStringList entries{"untouched"};
    QTEST(catalog.permissionEntries(user, &entries), "found");
    QFETCH(bool, found);
    if (found)
        QTEST(entries, "entries");
    else
        QCOMPARE(entries, QStringList{"untouched"});
}

void CategoriesTest::screensOf_data()
{
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QStringList>("screens");

    const Keys full{{"CATEGORYLIST", "Hall|Bureau|Vide"},
                    {"CATEGORYELEMENTS", "S1;S3|S2;S9|"},
                    {"PLAYERLIST", "S1|S2|S3"},
                    {"PLAYERLISTNAME", "Accueil|Bureau"}};
    QTest::newRow("names by serial") << full << "Hall" << QStringList{"S1=Accueil", "S3=S3"};
    QTest::newRow("serial missing from PLAYERLIST keeps its serial")
        << full << "Bureau" << QStringList{"S2=Bureau", "S9=S9"};
    QTest::newRow("empty serial no longer lists the account root") << full << "Vide" << QStringList{};
    QTest::newRow("unknown category") << full << "Cave" << QStringList{};
    QTest::newRow("exact category name") << full << "hall" << QStringList{};
    QTest::newRow("stray separators skipped")
        << Keys{{"CATEGORYLIST", "Hall"}, {"CATEGORYELEMENTS", ";S1;;S2;"}, {"PLAYERLIST", "S1|S2"},
                {"PLAYERLISTNAME", "a|b"}}
        << "Hall" << QStringList{"S1=a", "S2=b"};
    QTest::newRow("absent PLAYERLISTNAME does not name a box NULL")
        << Keys{{"CATEGORYLIST", "Hall"}, {"CATEGORYELEMENTS", "S1"}, {"PLAYERLIST", "S1"}} << "Hall"
        << QStringList{"S1=S1"};
    QTest::newRow("serial listed twice takes its first name")
        << Keys{{"CATEGORYLIST", "Hall"}, {"CATEGORYELEMENTS", "S1;S2"}, {"PLAYERLIST", "S1|S2|S1"},
                {"PLAYERLISTNAME", "a|b|c"}}
        << "Hall" << QStringList{"S1=a", "S2=b"};
    QTest::newRow("row beyond CATEGORYELEMENTS")
        << Keys{{"CATEGORYLIST", "Hall|Bureau"}, {"CATEGORYELEMENTS", "S1"}} << "Bureau" << QStringList{};
}

void CategoriesTest::screensOf()
{
    QFETCH(Keys, keys);
    QFETCH(QString, category);
    const ScreenCatalog catalog(loginTable(*m_dir, keys));
    QTEST(serialsOf(catalog.screensOf(category)), "screens");
}

void CategoriesTest::renamed_data()
{
    QTest::addColumn<QString>("serials");
    QTest::addColumn<QString>("names");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<bool>("done");
    QTest::addColumn<QString>("written");

    QTest::newRow("rename in place") << "S1|S2|S3" << "a|b|c" << "S2" << true << "a|Neuf|c";
    QTest::newRow("short name list was ignored, now padded with serials")
        << "S1|S2|S3" << "a" << "S3" << true << "a|S2|Neuf";
    QTest::newRow("absent name list padded") << "S1|S2" << QString() << "S1" << true << "Neuf|S2";
    QTest::newRow("longer name list kept whole") << "S1" << "a|orphan" << "S1" << true << "Neuf|orphan";
    QTest::newRow("unknown serial") << "S1|S2" << "a|b" << "S7" << false << QString();
    QTest::newRow("playlist has no serial") << "S1|S2" << "a|b" << QString() << false << QString();
}

void CategoriesTest::renamed()
{
    QFETCH(QString, serials);
    QFETCH(QString, names);
    QFETCH(QString, serial);
    Keys keys{{"PLAYERLIST", serials}};
    if (!names.isNull())
        keys.append({"PLAYERLISTNAME", names});
    const ScreenCatalog catalog(loginTable(*m_dir, keys));
    QString written;
    QTEST(catalog.renamed(serial, QStringLiteral("Neuf"), &written), "done");
    QTEST(written, "written");
}

void CategoriesTest::storableName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("storable");

    QTest::newRow("accents") << QString::fromUtf8("Entrée à côté") << true;
    QTest::newRow("semicolon is fine in a name row") << "a;b" << true;
    QTest::newRow("bar splits the rows") << "a|b" << false;
    QTest::newRow("quote cuts the value") << "a\"b" << false;
    QTest::newRow("line end") << "a\nb" << false;
    QTest::newRow("beyond Latin-1") << QString::fromUtf8("Caf\u20AC") << false;
}

void CategoriesTest::storableName()
{
    QFETCH(QString, name);
    QTEST(ScreenCatalog::isStorableName(name), "storable");
}

QTEST_GUILESS_MAIN(CategoriesTest)
#include "tst_categories.moc"
