#include "ClassParam.h"
#include "AccountFile.h"
#include "ParamFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The account connection file and the start-up checks.
class TestAccountFile : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void readAccount_data();
    void readAccount();
    void readAccountMissingFile();

    void accountNames_data();
    void accountNames();


private:
    QString serverRoot() const { return m_dir.filePath(QStringLiteral("server/zolink/zobox/")); }
    QString accountFolder() const { return serverRoot() + QStringLiteral("zo_acme"); }
    ParamList validAccount() const;
    void putFile(const QString &path, const QByteArray &content);

    QTemporaryDir m_dir;
};

ParamList TestAccountFile::validAccount() const
{
    return {{QStringLiteral("MODE"), QStringLiteral("LOCAL")},
            {QStringLiteral("MEDIASIZE"), QStringLiteral("500")},
            {QStringLiteral("TYPECOMPTE"), QStringLiteral("ADMIN")},
            {QStringLiteral("FTPPATH"), QStringLiteral("/zolink/zobox/zo_acme")},
            {QStringLiteral("COMPTEADMIN"), QStringLiteral("acme")},
            {QStringLiteral("COMPTEUSER"), QStringLiteral("acme-user")},
            {QStringLiteral("LOCALPATH"), serverRoot()},
            {QStringLiteral("USERLOGIN"), QStringLiteral("anna")},
            {QStringLiteral("PASSWORDLOGIN"), QStringLiteral("secret")}};
}

void TestAccountFile::putFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TestAccountFile::init()
{
    QVERIFY(m_dir.isValid());
    QDir(m_dir.path()).removeRecursively();
    QVERIFY(QDir().mkpath(accountFolder()));
}

void TestAccountFile::readAccount_data()
{
    QTest::addColumn<ParamList>("changes");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("accountName");

    QTest::newRow("valid") << ParamList{} << true << QString() << QStringLiteral("acme");
    QTest::newRow("user account reads COMPTEUSER")
        << ParamList{{QStringLiteral("TYPECOMPTE"), QStringLiteral("UTILISATEUR")}} << true << QString()
        << QStringLiteral("acme-user");
    QTest::newRow("admin in lower case reads COMPTEUSER")
        << ParamList{{QStringLiteral("TYPECOMPTE"), QStringLiteral("admin")}} << true << QString()
        << QStringLiteral("acme-user");
    QTest::newRow("empty name taken from FTPPATH")
        << ParamList{{QStringLiteral("COMPTEADMIN"), QString()}} << true << QString() << QStringLiteral("acme");
    QTest::newRow("quota 0") << ParamList{{QStringLiteral("MEDIASIZE"), QStringLiteral("0")}} << false
                             << QStringLiteral("MEDIASIZE") << QStringLiteral("acme");
    QTest::newRow("quota -1") << ParamList{{QStringLiteral("MEDIASIZE"), QStringLiteral("-1")}} << false
                              << QStringLiteral("MEDIASIZE") << QStringLiteral("acme");
    QTest::newRow("quota not a number") << ParamList{{QStringLiteral("MEDIASIZE"), QStringLiteral("beaucoup")}}
                                        << false << QStringLiteral("MEDIASIZE") << QStringLiteral("acme");
    QTest::newRow("empty FTPPATH") << ParamList{{QStringLiteral("FTPPATH"), QString()}} << false
                                   << QStringLiteral("FTPPATH") << QStringLiteral("acme");
    QTest::newRow("quota absent") << ParamList{{QStringLiteral("MEDIASIZE"), QStringLiteral("NULL")}} << false
                                  << QStringLiteral("MEDIASIZE") << QStringLiteral("acme");
    QTest::newRow("quota 500 in server mode")
        << ParamList{{QStringLiteral("MODE"), QStringLiteral("local")}, {QStringLiteral("LOCALPATH"), "/nonexistent/"}}
        << true << QString() << QStringLiteral("acme");
    QTest::newRow("account folder leaving LOCALPATH")
        << ParamList{{QStringLiteral("FTPPATH"), QStringLiteral("/zolink/zobox/../../etc")}} << false
        << QStringLiteral("FTPPATH") << QStringLiteral("acme");
    QTest::newRow("LOCALPATH without the account")
        << ParamList{{QStringLiteral("LOCALPATH"), QStringLiteral("/nonexistent/")}} << false
        << QStringLiteral("introuvable") << QStringLiteral("acme");
}

void TestAccountFile::readAccount()
{
    QFETCH(ParamList, changes);
    QFETCH(bool, valid);
    QFETCH(QString, problem);
    QFETCH(QString, accountName);

    ParamList values = validAccount();
    for (const auto &change : changes) {
        for (auto &kv : values) {
            if (kv.first == change.first)
                kv.second = change.second;
        }
    }
    const QString file = m_dir.filePath(QStringLiteral("CONNEXION.txt"));
    QVERIFY(writeParams(file, values));

    const AccountFile account = AccountFile::read(file);
    QCOMPARE(account.valid, valid);
    QVERIFY2(account.problem.contains(problem), qPrintable(account.problem));
    QCOMPARE(account.problem.isEmpty(), valid);
    QCOMPARE(account.accountName, accountName);
    if (valid) {
        QCOMPARE(account.mediaSize, 500);
        QCOMPARE(account.accountFolder(), QStringLiteral("zo_acme"));
        if (account.localMode)
            QCOMPARE(QDir(account.serverFolder()).canonicalPath(), QDir(accountFolder()).canonicalPath());
    }
}

void TestAccountFile::readAccountMissingFile()
{
    const AccountFile account = AccountFile::read(m_dir.filePath(QStringLiteral("none.txt")));
    QVERIFY(!account.valid);
    QVERIFY(account.problem.contains(QStringLiteral("CONNEXION.txt")));
}

void TestAccountFile::accountNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("letters and digits") << "Acme42" << true;
    QTest::newRow("dash and underscore") << "le-port_2" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("dots") << ".." << false;
    QTest::newRow("query character") << "a&b" << false;
    QTest::newRow("blank") << "a b" << false;
    QTest::newRow("accent") << "café" << false;
}

void TestAccountFile::accountNames()
{
    QFETCH(QString, name);
    QTEST(AccountFile::isAccountName(name), "accepted");
}

QTEST_GUILESS_MAIN(TestAccountFile)
#include "tst_accountfile.moc"
