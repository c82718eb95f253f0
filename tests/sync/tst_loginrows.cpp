// The login file as rows: what one console's save changed, put back on
// another console's copy without touching that console's own rows.
#include "LoginRows.h"
#include "ParamFixture.h"

#include <QTemporaryDir>
#include <QtTest>

class LoginRowsTest : public QObject
{
    Q_OBJECT
private slots:
    void putBackOnAnotherCopy_data();
    void putBackOnAnotherCopy();

private:
    QTemporaryDir m_dir;
};

namespace {

const ParamList kBase{{"MOTDEPASSE", "Secret12345"},
                      {"USERLIST", "anna|bob"},
                      {"USERPERMISSION", "1111;60;20|0000;60;20"},
                      {"USERPASSWORD", "pa|pb"},
                      {"PLAYERLIST", "10001|10002"},
                      {"PLAYERLISTNAME", "Hall|Bar"}};

// `base` with `key` set to `value` (appended when it is not there).
ParamList with(ParamList base, const QString &key, const QString &value)
{
    for (auto &kv : base) {
        if (kv.first == key) {
            kv.second = value;
            return base;
        }
    }
    base.append(qMakePair(key, value));
    return base;
}

} // namespace

void LoginRowsTest::putBackOnAnotherCopy_data()
{
    QTest::addColumn<ParamList>("ours");   // this console's save of kBase
    QTest::addColumn<QStringList>("rows"); // the rows it changed
    QTest::addColumn<ParamList>("theirs"); // another console's save of kBase
    QTest::addColumn<ParamList>("merged"); // theirs with our rows put back
    const ParamList newUser =
        with(with(with(kBase, "USERLIST", "anna|bob|carla"), "USERPERMISSION", "1111;60;20|0000;60;20|1010;30;10"),
             "USERPASSWORD", "pa|pb|pc");
    const ParamList newBox = with(with(kBase, "PLAYERLIST", "10001|10002|10003"), "PLAYERLISTNAME", "Hall|Bar|Cour");
    QTest::newRow("a user added while another console changed a right lost the user")
        << newUser << QStringList{"USERLIST:carla"} << with(kBase, "USERPERMISSION", "1111;60;20|0110;60;20")
        << with(with(with(kBase, "USERLIST", "anna|bob|carla"), "USERPERMISSION",
                     "1111;60;20|0110;60;20|1010;30;10"),
                "USERPASSWORD", "pa|pb|pc");
    QTest::newRow("a right changed while another console added a box lost the right")
        << with(kBase, "USERPERMISSION", "1111;60;20|0001;60;20") << QStringList{"USERLIST:bob"} << newBox
        << with(newBox, "USERPERMISSION", "1111;60;20|0001;60;20");
    QTest::newRow("a box removed came back with another console's user")
        << with(with(kBase, "PLAYERLIST", "10002"), "PLAYERLISTNAME", "Bar") << QStringList{"PLAYERLIST:10001"}
        << newUser << with(with(newUser, "PLAYERLIST", "10002"), "PLAYERLISTNAME", "Bar");
    QTest::newRow("the account password changed was lost with another console's box")
        << with(kBase, "MOTDEPASSE", "Autre54321") << QStringList{"MOTDEPASSE"} << newBox
        << with(newBox, "MOTDEPASSE", "Autre54321");
}

void LoginRowsTest::putBackOnAnotherCopy()
{
    QFETCH(ParamList, ours);
    QFETCH(QStringList, rows);
    QFETCH(ParamList, theirs);
    QFETCH(ParamList, merged);
    const QString base = m_dir.filePath("base.orvex");
    const QString mine = m_dir.filePath("ours.orvex");
    const QString other = m_dir.filePath("theirs.orvex");
    const QString expected = m_dir.filePath("merged.orvex");
    QVERIFY(writeParams(base, kBase) && writeParams(mine, ours) && writeParams(other, theirs)
            && writeParams(expected, merged));
    LoginRows before;
    LoginRows saved;
    LoginRows server;
    QVERIFY(before.read(base) && saved.read(mine) && server.read(other));
    QCOMPARE(LoginRows::changed(before, saved), rows);
    for (const QString &key : rows) {
        // Only rows the other console left as they were go back.
        QVERIFY(server.state(key) == before.state(key) && server.state(key).isNull() == before.state(key).isNull());
        server.setState(key, saved.state(key));
    }
    QVERIFY(server.write(other));
    LoginRows result;
    LoginRows wanted;
    QVERIFY(result.read(other) && wanted.read(expected));
    QCOMPARE(LoginRows::changed(result, wanted), QStringList());
    QCOMPARE(result.keys(), wanted.keys());
}

QTEST_GUILESS_MAIN(LoginRowsTest)
#include "tst_loginrows.moc"
