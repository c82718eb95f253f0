#include "AdminFixture.h"
#include "LoginFile.h"
#include "PendingAdminDeploy.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace admintest;

class LoginFileTest : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void rowGrammar_data();
    void rowGrammar();
    void hasItem_data();
    void hasItem();
    void playerToPlaylist_data();
    void playerToPlaylist();
    void boxChooserItems();

    void loadSeedsFirstUser_data();
    void loadSeedsFirstUser();
    void loadWithoutFileHasNoUser();

    void saveWritesOnlyChangedKeys();
    void saveWithoutChangeLeavesDatedCopyOnly();
    void saveKeepsExistingDatedCopy();
    void emptiedListReadsBackAsNoRows();
    void refusedSaveWritesNothing_data();
    void refusedSaveWritesNothing();
    void pendingDeployKeptUntilSent();
    void loadSaveRoundTrip_data();
    void loadSaveRoundTrip();
    void seedHoldingRowSeparator_data();
    void seedHoldingRowSeparator();
    void failedLoadSavesNothing();
    void changedFileIsNotOverwritten();
    void saveKeyWritesAtOnce();

private:
    QString file() const { return m_dir->filePath(LoginFile::FileName); }
    QStringList datedCopies() const
    {
        return QDir(m_dir->path()).entryList({LoginFile::FileName + QStringLiteral("-*")}, QDir::Files);
    }
    QString stored(const QString &key) const { return ClassParam().getParamCrypt(file(), key, 0); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void LoginFileTest::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

void LoginFileTest::rowGrammar_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("splitRows");
    QTest::addColumn<QStringList>("list");

    QTest::newRow("missing key") << "NULL" << 1 << QStringList();
    QTest::newRow("empty value is one empty row") << "" << 1 << QStringList();
    QTest::newRow("two rows") << "a|b" << 2 << QStringList{"a", "b"};
    QTest::newRow("empty rows kept") << "a||" << 3 << QStringList{"a", "", ""};
    QTest::newRow("empty first row lost the rows after it") << "|b" << 2 << QStringList{"", "b"};
    QTest::newRow("NULL first row lost the rows after it") << "NULL|b" << 2 << QStringList{"NULL", "b"};
    QTest::newRow("items stay inside a row") << "x;y|z" << 2 << QStringList{"x;y", "z"};
}

void LoginFileTest::rowGrammar()
{
    QFETCH(QString, value);
    QFETCH(int, splitRows);
    QFETCH(QStringList, list);
    QCOMPARE(LoginFile::splitRows(value).size(), splitRows);
    QCOMPARE(LoginFile::readList(value), list);
    QCOMPARE(LoginFile::isNoRows(value), list.isEmpty());
    if (!list.isEmpty())
        QCOMPARE(LoginFile::joinRows(list), value);
}

void LoginFileTest::hasItem_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("found");

    QTest::newRow("whole item") << "10234;10417" << "10417" << true;
    QTest::newRow("123 is not in 1234") << "1234" << "123" << false;
    QTest::newRow("1234 is not in 12345;5") << "12345;5" << "1234" << false;
    QTest::newRow("case matters") << "abc" << "ABC" << false;
    QTest::newRow("empty row") << "" << "10234" << false;
}

void LoginFileTest::hasItem()
{
    QFETCH(QString, row);
    QFETCH(QString, item);
    QFETCH(bool, found);
    QCOMPARE(LoginFile::hasItem(row, item), found);
}

void LoginFileTest::playerToPlaylist_data()
{
    QTest::addColumn<QStringList>("players");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("elements");
    QTest::addColumn<QString>("value");

    QTest::newRow("two boxes in one playlist, one in none")
        << QStringList{"S1", "S2", "S3"} << QStringList{"PLAYLIST-a"} << QStringList{"S1;S3"}
        << "PLAYLIST-a||PLAYLIST-a";
    QTest::newRow("playlists in name order")
        << QStringList{"S1"} << QStringList{"PLAYLIST-b", "PLAYLIST-a"} << QStringList{"S1", "S2;S1"}
        << "PLAYLIST-b;PLAYLIST-a";
    QTest::newRow("serial 123 not played by a list of 1234")
        << QStringList{"123", "1234"} << QStringList{"PLAYLIST-a"} << QStringList{"1234"} << "|PLAYLIST-a";
    QTest::newRow("elements beyond the names skipped")
        << QStringList{"S1"} << QStringList{"PLAYLIST-a"} << QStringList{"", "S1"} << "";
    QTest::newRow("no boxes") << QStringList() << QStringList{"PLAYLIST-a"} << QStringList{"S1"} << "";
}

void LoginFileTest::playerToPlaylist()
{
    QFETCH(QStringList, players);
    QFETCH(QStringList, names);
    QFETCH(QStringList, elements);
    QFETCH(QString, value);
    const QStringList rows = LoginFile::playerToPlaylist(players, names, elements);
    QCOMPARE(rows.size(), players.size());
    QCOMPARE(LoginFile::joinRows(rows), value);
}

void LoginFileTest::boxChooserItems()
{
    QCOMPARE(LoginFile::boxChooserItems({"10234", "10235", "10417"}, {"Hall", "Borne"}),
             (QStringList{"10234(Hall)", "10235(Borne)"}));
}

void LoginFileTest::loadSeedsFirstUser_data()
{
    QTest::addColumn<ParamList>("values");
    QTest::addColumn<QStringList>("screens");
    QTest::addColumn<QStringList>("expected"); // "KEY=rows joined"

    QTest::newRow("account keys only, two screens")
        << kAccountOnly << QStringList{"S1", "S2"}
        << QStringList{"USERLIST=alice", "USERTYPE=ADMIN", "USERPASSWORD=Secret12345",
                       "USERPERMISSION=1111111111111111;60;20", "USERNOM=", "USEREMAIL=", "USERTELEPHONE=",
                       "PLAYERLIST=S1|S2", "PLAYERLISTNAME=S1|S2", "CATEGORYLIST=", "PLAYLISTNAME=",
                       "FILTRESLIST=", "PLAYPERMISSION="};
    QTest::newRow("three users, no USERNOM: only row 0 seeded")
        << (kAccountOnly + ParamList{{"USERLIST", "a|b|c"}, {"USERTYPE", "|UTILISATEUR|UTILISATEUR"}})
        << QStringList()
        << QStringList{"USERLIST=a|b|c", "USERNOM=", "USERTYPE=ADMIN|UTILISATEUR|UTILISATEUR"};
    QTest::newRow("more types than users: not seeded")
        << (kAccountOnly + ParamList{{"USERLIST", "a"}, {"USERTYPE", "|UTILISATEUR"}}) << QStringList()
        << QStringList{"USERLIST=a", "USERTYPE=|UTILISATEUR"};
    QTest::newRow("boxes of the file win over the screens")
        << (kAccountOnly + ParamList{{"PLAYERLIST", "B1"}, {"CATEGORYLIST", "Hall"}}) << QStringList{"S1", "S2"}
        << QStringList{"PLAYERLIST=B1", "PLAYERLISTNAME=", "CATEGORYLIST=Hall"};
}

void LoginFileTest::loadSeedsFirstUser()
{
    QFETCH(ParamList, values);
    QFETCH(QStringList, screens);
    QFETCH(QStringList, expected);
    QVERIFY(writeParams(file(), values));
    LoginFile login(file());
    QVERIFY(login.load(screens));
    for (const QString &line : expected) {
        const QString key = line.section(QLatin1Char('='), 0, 0);
        int l = 0;
        while (l < LoginFile::ListCount && LoginFile::keyName(LoginFile::List(l)) != key)
            ++l;
        QVERIFY2(l < LoginFile::ListCount, qPrintable(key));
        QCOMPARE(key + QLatin1Char('=') + LoginFile::joinRows(login.list(LoginFile::List(l))), line);
    }
}

void LoginFileTest::loadWithoutFileHasNoUser()
{
    LoginFile login(file());
    QVERIFY(!login.load({"S1"}));
    QVERIFY(login.list(LoginFile::UserList).isEmpty());
    // Nothing but what the file gave: no boxes from the screens either.
    QVERIFY(login.list(LoginFile::PlayerList).isEmpty());
}

void LoginFileTest::saveWritesOnlyChangedKeys()
{
    QVERIFY(writeParams(file(), kAccountOnly + ParamList{{"USERLIST", "alice"},
                                                         {"PLAYLISTNAME", "PLAYLIST-a"},
                                                         {"PLAYLISTELEMENTS", ""}}));
    LoginFile login(file());
    QVERIFY(login.load({"S1", "S2"}));
    login.list(LoginFile::PlaylistElements) = QStringList{"S2"};
    login.updatePlayerToPlaylist();
    const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7));
    const LoginFile::SaveResult result = login.save(when);
    QVERIFY2(result.ok, qPrintable(result.error));
    QVERIFY(result.changed);
    QVERIFY(result.deployStatus);
    QVERIFY(!result.writtenKeys.contains("USERLIST"));
    QVERIFY(!result.writtenKeys.contains("PLAYLISTNAME"));
    QVERIFY(result.writtenKeys.contains("PLAYLISTELEMENTS"));
    QCOMPARE(stored("PLAYLISTELEMENTS"), QStringLiteral("S2"));
    QCOMPARE(stored("PLAYERLISTTOPLAYLIST"), QStringLiteral("|PLAYLIST-a"));
    QCOMPARE(stored("USERPERMISSION"), LoginFile::FirstUserRights);
    QCOMPARE(stored("MOTDEPASSE"), QStringLiteral("Secret12345"));

    // The copy holds the file as it was before the write.
    QCOMPARE(datedCopies(), QStringList{"LoginCrypt.orvex-04-03-26-05-06-07"});
    QCOMPARE(ClassParam().getParamCrypt(result.copyPath, QStringLiteral("PLAYLISTELEMENTS"), 0), QString());
    QCOMPARE(ClassParam().getParamCrypt(result.copyPath, QStringLiteral("PLAYERLIST"), 0), QStringLiteral("NULL"));

    // A second save finds nothing to write.
    const LoginFile::SaveResult again = login.save(when.addSecs(1));
    QVERIFY(again.ok);
    QVERIFY(!again.changed);
    QVERIFY(!again.deployStatus);
}

void LoginFileTest::saveWithoutChangeLeavesDatedCopyOnly()
{
    QVERIFY(writeParams(file(), kAccountOnly));
    LoginFile first(file());
    first.load({"S1"});
    QVERIFY(first.save(QDateTime(QDate(2026, 1, 1), QTime(1, 0))).changed);
    const QByteArray before = bytes(file());

    LoginFile login(file());
    login.load({"S9"}); // the file's boxes win: nothing differs
    const LoginFile::SaveResult result = login.save(QDateTime(QDate(2026, 1, 1), QTime(2, 0)));
    QVERIFY(result.ok);
    QVERIFY(result.writtenKeys.isEmpty());
    QCOMPARE(bytes(file()), before);
    QCOMPARE(datedCopies().size(), 2);
    QCOMPARE(bytes(result.copyPath), before);
}

void LoginFileTest::saveKeepsExistingDatedCopy()
{
    QVERIFY(writeParams(file(), kAccountOnly));
    const QDateTime when(QDate(2026, 1, 1), QTime(1, 0));
    const QString copy = m_dir->filePath(LoginFile::datedCopyName(when));
    QFile older(copy);
    QVERIFY(older.open(QIODevice::WriteOnly));
    older.write("older copy");
    older.close();
    LoginFile login(file());
    login.load({});
    const LoginFile::SaveResult result = login.save(when);
    QVERIFY(result.ok);
    QVERIFY(result.copyPath.isEmpty());
    QCOMPARE(bytes(copy), QByteArray("older copy"));
}

void LoginFileTest::emptiedListReadsBackAsNoRows()
{
    QVERIFY(writeParams(file(), kAccountOnly + ParamList{{"CATEGORYLIST", "Hall|Bar"}, {"CATEGORYELEMENTS", "S1|"}}));
    LoginFile login(file());
    login.load({"S1"});
    login.list(LoginFile::CategoryList).clear();
    login.list(LoginFile::CategoryElements).clear();
    QVERIFY(login.save().ok);
    QCOMPARE(stored("CATEGORYLIST"), QString());
    QCOMPARE(stored("CATEGORYELEMENTS"), QString());
    LoginFile again(file());
    again.load({});
    QVERIFY(again.list(LoginFile::CategoryList).isEmpty());
}

void LoginFileTest::refusedSaveWritesNothing_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("missing file") << "missing";
    QTest::newRow("empty file") << "empty";
    QTest::newRow("no account password") << "nopassword";
    QTest::newRow("read-only file") << "readonly";
}

void LoginFileTest::refusedSaveWritesNothing()
{
    QFETCH(QString, damage);
    QVERIFY(writeParams(file(), kAccountOnly));
    LoginFile login(file());
    login.load({"S1"});
    if (damage == "missing") {
        QVERIFY(QFile::remove(file()));
    } else if (damage == "empty") {
        QFile f(file());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    } else if (damage == "nopassword") {
        QVERIFY(writeParams(file(), {{"UTILISATEUR", "alice"}}));
    } else {
        QVERIFY(QFile::setPermissions(file(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    }
    const QByteArray before = bytes(file());

    const LoginFile::SaveResult result = login.save();
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QVERIFY(!result.changed);
    QVERIFY(!result.deployStatus);
    QCOMPARE(login.pendingDeploy(), -1);
    QCOMPARE(bytes(file()), before);
    QCOMPARE(QFile::exists(file()), damage != "missing");
    QVERIFY(datedCopies().isEmpty());
}

void LoginFileTest::pendingDeployKeptUntilSent()
{
    QVERIFY(writeParams(file(), kAccountOnly));
    LoginFile login(file());
    login.load({"S1"});
    login.updatePlayerToPlaylist();
    QVERIFY(!PendingAdminDeploy::isPending(m_dir->path()));
    QVERIFY(login.save().deployStatus);
    // On disk too: a quit before the deployment does not lose it.
    QVERIFY(PendingAdminDeploy::isPending(m_dir->path()));
    // A later save without edits writes nothing, yet the first one is unsent.
    QVERIFY(!login.save().changed);
    QCOMPARE(login.requestDeploy(), 1);
    // The deployment failed: asked again, the same status goes out.
    QCOMPARE(login.pendingDeploy(), 1);
    QCOMPARE(login.requestDeploy(), 1);
    // A deployment without the playlists leaves them pending.
    login.deploySucceeded(0);
    QCOMPARE(login.pendingDeploy(), 1);
    QVERIFY(PendingAdminDeploy::isPending(m_dir->path()));
    login.deploySucceeded(1);
    QCOMPARE(login.pendingDeploy(), -1);
    QVERIFY(!PendingAdminDeploy::isPending(m_dir->path()));

    login.list(LoginFile::UserNom)[0] = QStringLiteral("Alice");
    QVERIFY(login.save().changed);
    QCOMPARE(login.requestDeploy(), 0);
    // Saved again after the request: that deployment may not hold it.
    login.list(LoginFile::UserNom)[0] = QStringLiteral("Alice B");
    QVERIFY(login.save().changed);
    login.deploySucceeded(0);
    QCOMPARE(login.pendingDeploy(), 0);
    QCOMPARE(login.requestDeploy(), 0);
    login.deploySucceeded(0);
    QCOMPARE(login.pendingDeploy(), -1);
}

namespace {

// Every key of the login file, consistent with itself, so that a load and a
// save without edits have nothing to write.
ParamList fullFile(const ParamList &changes, const QStringList &without = {})
{
    ParamList values = kAccount;
    for (const auto &kv : changes) {
        bool found = false;
        for (auto &v : values) {
            if (v.first == kv.first) {
                v.second = kv.second;
                found = true;
            }
        }
        if (!found)
            values.append(kv);
    }
    ParamList kept;
    for (const auto &kv : values) {
        if (!without.contains(kv.first))
            kept.append(kv);
    }
    return kept;
}

} // namespace

void LoginFileTest::loadSaveRoundTrip_data()
{
    QTest::addColumn<ParamList>("values");
    QTest::addColumn<QStringList>("without");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("box in the second category left its category")
        << fullFile({{"CATEGORYELEMENTS", "|10001"}}) << QStringList() << "CATEGORYELEMENTS"
        << QStringList{"", "10001"};
    QTest::newRow("user lost the category granted after the administrator's empty row")
        << fullFile({{"PLAYPERMISSION", "|Hall"}}) << QStringList() << "PLAYPERMISSION" << QStringList{"", "Hall"};
    QTest::newRow("users after an unnamed first user lost without a main user")
        << fullFile({{"USERLIST", "|anna"}}) << QStringList{"UTILISATEUR"} << "USERLIST"
        << QStringList{"", "anna"};
    QTest::newRow("boxes lost their playlists after an empty first playlist")
        << fullFile({{"PLAYLISTNAME", "PLAYLIST-a|PLAYLIST-promo"},
                     {"PLAYLISTELEMENTS", "|S1"},
                     {"PLAYERLISTTOPLAYLIST", "PLAYLIST-promo||"}})
        << QStringList() << "PLAYLISTELEMENTS" << QStringList{"", "S1"};
    QTest::newRow("NULL rows kept where they stand")
        << fullFile({{"FILTRESLIST", "Rez|Etage"}, {"FILTRESELEMENTS", "NULL|S1"}}) << QStringList()
        << "FILTRESELEMENTS" << QStringList{"NULL", "S1"};
    QTest::newRow("companion lists shorter than their names")
        << fullFile({{"CATEGORYELEMENTS", "S1"}, {"PLAYERLISTNAME", "Entrée"}, {"USERPERMISSION", "1111111111111111;60;20"}})
        << QStringList() << "PLAYERLISTNAME" << QStringList{"Entrée"};
    QTest::newRow("rows of items kept whole")
        << fullFile({{"PLAYPERMISSION", "Hall;PLAYLIST-promo|Bar;Hall"}, {"CATEGORYELEMENTS", "S1;S2|S3;S1"}})
        << QStringList() << "CATEGORYELEMENTS" << QStringList{"S1;S2", "S3;S1"};
    QTest::newRow("empty values stay empty")
        << fullFile({{"FILTRESLIST", ""}, {"FILTRESELEMENTS", ""}}) << QStringList() << "FILTRESLIST"
        << QStringList();
}

void LoginFileTest::loadSaveRoundTrip()
{
    QFETCH(ParamList, values);
    QFETCH(QStringList, without);
    QFETCH(QString, key);
    QFETCH(QStringList, rows);
    QVERIFY(writeParams(file(), fullFile(values, without)));
    const QByteArray before = bytes(file());
    LoginFile login(file());
    QVERIFY(login.load({"ignored"}));
    QCOMPARE(login.list(LoginFile::listOf(key)), rows);
    const LoginFile::SaveResult result = login.save();
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.writtenKeys, QStringList());
    QCOMPARE(bytes(file()), before);
}

void LoginFileTest::seedHoldingRowSeparator_data()
{
    QTest::addColumn<ParamList>("values");
    QTest::addColumn<QStringList>("screens");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");

    QTest::newRow("main password with '|' became two passwords")
        << ParamList{{"UTILISATEUR", "alice"}, {"MOTDEPASSE", "ab|cd"}, {"TYPECOMPTE", "ADMINISTRATEUR"}}
        << QStringList{"S1"} << "USERPASSWORD" << "NULL";
    QTest::newRow("main user with '|' became two users")
        << ParamList{{"UTILISATEUR", "al|ice"}, {"MOTDEPASSE", "Secret12345"}, {"TYPECOMPTE", "ADMINISTRATEUR"}}
        << QStringList{"S1"} << "USERLIST" << "";
    QTest::newRow("account type with '|' became two types")
        << ParamList{{"UTILISATEUR", "alice"}, {"MOTDEPASSE", "Secret12345"}, {"TYPECOMPTE", "ADMIN|X"}}
        << QStringList{"S1"} << "USERTYPE" << "NULL";
    QTest::newRow("screen named with '|' shifted the later boxes")
        << kAccountOnly << QStringList{"Entree|Saly", "S2"} << "PLAYERLIST" << "EntreeSaly|S2";
}

void LoginFileTest::seedHoldingRowSeparator()
{
    QFETCH(ParamList, values);
    QFETCH(QStringList, screens);
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QVERIFY(writeParams(file(), values));
    LoginFile login(file());
    QVERIFY(login.load(screens));
    QVERIFY(login.save().ok);
    QCOMPARE(this->stored(key), stored);
}

void LoginFileTest::failedLoadSavesNothing()
{
    LoginFile login(file());
    QVERIFY(!login.load({"S1"}));
    for (int l = 0; l < LoginFile::ListCount; ++l)
        QVERIFY2(login.list(LoginFile::List(l)).isEmpty(), qPrintable(LoginFile::keyName(LoginFile::List(l))));
    // The file arrives afterwards (the login downloads it): not overwritten.
    QVERIFY(writeParams(file(), kAccount));
    const QByteArray before = bytes(file());
    const LoginFile::SaveResult result = login.save();
    QVERIFY(!result.ok);
    QVERIFY(!result.changed);
    QCOMPARE(bytes(file()), before);
    QCOMPARE(login.pendingDeploy(), -1);
    QVERIFY(login.reload());
    QCOMPARE(login.list(LoginFile::UserList), (QStringList{"alice", "bob"}));
}

void LoginFileTest::changedFileIsNotOverwritten()
{
    QVERIFY(writeParams(file(), kAccount));
    LoginFile login(file());
    QVERIFY(login.load({}));
    login.list(LoginFile::UserNom)[1] = QStringLiteral("Robert");
    // A screen renamed on the panel meanwhile.
    QVERIFY(ClassParam().setParamCrypt(file(), "PLAYERLISTNAME", "Hall|Borne|Bar"));
    const QByteArray before = bytes(file());
    const LoginFile::SaveResult result = login.save();
    QVERIFY(!result.ok);
    QVERIFY(result.stale);
    QCOMPARE(bytes(file()), before);
    QVERIFY(datedCopies().isEmpty());
    QVERIFY(login.reload());
    QCOMPARE(login.list(LoginFile::PlayerListName).value(0), QStringLiteral("Hall"));
    login.list(LoginFile::UserNom)[1] = QStringLiteral("Robert");
    QVERIFY(login.save().ok);
    QCOMPARE(stored("USERNOM"), QStringLiteral("Alice A|Robert"));
    QCOMPARE(stored("PLAYERLISTNAME"), QStringLiteral("Hall|Borne|Bar"));
    // Its own writes do not make the file look changed to it.
    login.list(LoginFile::UserNom)[0] = QStringLiteral("Alice");
    QVERIFY(login.save().ok);
}

void LoginFileTest::saveKeyWritesAtOnce()
{
    QVERIFY(writeParams(file(), kAccount));
    LoginFile login(file());
    QVERIFY(login.load({}));
    const LoginFile::SaveResult result = login.saveKey("USERNOM", {"Alice", "Bob"});
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.writtenKeys, QStringList{"USERNOM"});
    QCOMPARE(stored("USERNOM"), QStringLiteral("Alice|Bob"));
    QCOMPARE(login.list(LoginFile::UserNom), (QStringList{"Alice", "Bob"}));
    QVERIFY(datedCopies().isEmpty());
    QCOMPARE(login.pendingDeploy(), 0);
    QVERIFY(!login.saveKey("MOTDEPASSE", {"x"}).ok);
    QCOMPARE(stored("MOTDEPASSE"), QStringLiteral("Secret12345"));
}

QTEST_GUILESS_MAIN(LoginFileTest)
#include "tst_loginfile.moc"
