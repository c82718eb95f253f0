#include "ClassParam.h"
#include "LocalStartup.h"
#include "ParamFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Start-up and login of an account that works on a local folder tree.
class TestLocalStartup : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void readAccount_data();
    void readAccount();
    void readAccountMissingFile();

    void login_data();
    void login();

    void fetchFileReplacesTarget();
    void fetchMediaCopiesAndRefusesUnsafeNames();


private:
    QString serverRoot() const { return m_dir.filePath(QStringLiteral("server/zolink/zobox/")); }
    QString accountFolder() const { return serverRoot() + QStringLiteral("zo_acme"); }
    ParamList validAccount() const;
    void putFile(const QString &path, const QByteArray &content);

    QTemporaryDir m_dir;
};

ParamList TestLocalStartup::validAccount() const
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

void TestLocalStartup::putFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TestLocalStartup::init()
{
    QVERIFY(m_dir.isValid());
    QDir(m_dir.path()).removeRecursively();
    QVERIFY(QDir().mkpath(accountFolder()));
}

void TestLocalStartup::readAccount_data()
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
    QTest::newRow("server mode") << ParamList{{QStringLiteral("MODE"), QStringLiteral("local")}} << false
                                 << QStringLiteral("LOCAL") << QStringLiteral("acme");
    QTest::newRow("account folder leaving LOCALPATH")
        << ParamList{{QStringLiteral("FTPPATH"), QStringLiteral("/zolink/zobox/../../etc")}} << false
        << QStringLiteral("FTPPATH") << QStringLiteral("acme");
    QTest::newRow("LOCALPATH without the account")
        << ParamList{{QStringLiteral("LOCALPATH"), QStringLiteral("/nonexistent/")}} << false
        << QStringLiteral("introuvable") << QStringLiteral("acme");
}

void TestLocalStartup::readAccount()
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

    const LocalStartup::Account account = LocalStartup::readAccount(file);
    QCOMPARE(account.valid, valid);
    QVERIFY2(account.problem.contains(problem), qPrintable(account.problem));
    QCOMPARE(account.problem.isEmpty(), valid);
    QCOMPARE(account.accountName, accountName);
    if (valid) {
        QCOMPARE(account.mediaSize, 500);
        QCOMPARE(account.accountFolder(), QStringLiteral("zo_acme"));
        QCOMPARE(QDir(account.serverFolder()).canonicalPath(), QDir(accountFolder()).canonicalPath());
        QCOMPARE(account.savedUser, QStringLiteral("anna"));
    }
}

void TestLocalStartup::readAccountMissingFile()
{
    const LocalStartup::Account account = LocalStartup::readAccount(m_dir.filePath(QStringLiteral("none.txt")));
    QVERIFY(!account.valid);
    QVERIFY(account.problem.contains(QStringLiteral("CONNEXION.txt")));
}

void TestLocalStartup::login_data()
{
    QTest::addColumn<ParamList>("loginFile");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("permission");

    const ParamList file{{QStringLiteral("UTILISATEUR"), QStringLiteral("owner")},
                         {QStringLiteral("MOTDEPASSE"), QStringLiteral("root-pass")},
                         {QStringLiteral("USERLIST"), QStringLiteral("anna|bob|anna")},
                         {QStringLiteral("USERPASSWORD"), QStringLiteral("secret|bob-pass|other")},
                         {QStringLiteral("USERTYPE"), QStringLiteral("ADMINISTRATEUR|UTILISATEUR")},
                         {QStringLiteral("USERPERMISSION"), QStringLiteral("1111111111111111;60;20")},
                         {QStringLiteral("PLAYPERMISSION"), QStringLiteral("Hall;Bar|Bar")}};

    QTest::newRow("listed user") << file << "anna" << "secret" << QString() << 0 << "1111111111111111;60;20";
    QTest::newRow("first listing counts") << file << "anna" << "other" << "Mot de passe non correct!!!" << -1
                                          << QString();
    QTest::newRow("user without rights row") << file << "bob" << "bob-pass" << QString() << 1 << QString();
    QTest::newRow("listed user typing the main password")
        << file << "bob" << "root-pass" << "Mot de passe non correct!!!" << -1 << QString();
    QTest::newRow("main user") << file << "owner" << "root-pass" << QString() << -1 << QString();
    QTest::newRow("other case") << file << "Anna" << "secret" << "Ce nom d'utilisateur n'est pas enregistré!!!"
                                << -1 << QString();
    QTest::newRow("no saved user") << file << "NULL" << "NULL" << "USERLOGIN" << -1 << QString();
    ParamList noPassword = file;
    noPassword.removeAt(1);
    QTest::newRow("login file without MOTDEPASSE") << noPassword << "anna" << "secret" << "incomplet" << -1
                                                   << QString();
}

void TestLocalStartup::login()
{
    QFETCH(ParamList, loginFile);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, problem);
    QFETCH(int, index);
    QFETCH(QString, permission);

    const QString path = m_dir.filePath(QStringLiteral("LoginCrypt.orvex"));
    QVERIFY(writeParams(path, loginFile));
    ClassParam param;
    QVERIFY(param.getParamCrypt(path, QStringList{QStringLiteral("ALL")}, 0));

    const LocalStartup::Login login = LocalStartup::login(param, user, password);
    QVERIFY2(login.problem.contains(problem), qPrintable(login.problem));
    QCOMPARE(login.ok, problem.isEmpty());
    if (!login.ok)
        return;
    QCOMPARE(login.userIndex, index);
    QCOMPARE(login.permissionRow, permission);
    QCOMPARE(login.hasPermissionRow, !permission.isEmpty());
    if (index == 1) {
        QCOMPARE(login.userType, QStringLiteral("UTILISATEUR"));
        QCOMPARE(login.playRow, QStringLiteral("Bar"));
    }
}

void TestLocalStartup::fetchFileReplacesTarget()
{
    QVERIFY(writeParams(m_dir.filePath(QStringLiteral("CONNEXION.txt")), validAccount()));
    const LocalStartup::Account account = LocalStartup::readAccount(m_dir.filePath(QStringLiteral("CONNEXION.txt")));
    QVERIFY(account.valid);
    putFile(accountFolder() + QStringLiteral("/LoginCrypt.orvex"), "new");
    const QString target = m_dir.filePath(QStringLiteral("LoginCrypt.orvex"));
    putFile(target, "old");

    QString problem;
    QVERIFY(LocalStartup::fetchFile(account, QStringLiteral("LoginCrypt.orvex"), target, &problem));
    QFile copied(target);
    QVERIFY(copied.open(QIODevice::ReadOnly));
    QCOMPARE(copied.readAll(), QByteArray("new"));

    // A missing source leaves the old copy whole.
    QVERIFY(!LocalStartup::fetchFile(account, QStringLiteral("MEDIA.orvex"), target, &problem));
    QVERIFY(problem.contains(QStringLiteral("MEDIA.orvex")));
    QVERIFY(!LocalStartup::fetchFile(account, QStringLiteral("../CONNEXION.txt"), target, &problem));
    QVERIFY(QFile::exists(target));
}

void TestLocalStartup::fetchMediaCopiesAndRefusesUnsafeNames()
{
    QVERIFY(writeParams(m_dir.filePath(QStringLiteral("CONNEXION.txt")), validAccount()));
    const LocalStartup::Account account = LocalStartup::readAccount(m_dir.filePath(QStringLiteral("CONNEXION.txt")));
    putFile(accountFolder() + QStringLiteral("/IMAGE/a.jpg"), "picture a");
    putFile(accountFolder() + QStringLiteral("/VIDEO/b.mp4"), "video b");
    putFile(m_dir.filePath(QStringLiteral("server/zolink/zobox/evil.jpg")), "outside");

    const QString work = m_dir.filePath(QStringLiteral("work/"));
    QVERIFY(QDir().mkpath(work + QStringLiteral("IMAGE")));
    QVERIFY(QDir().mkpath(work + QStringLiteral("VIDEO")));
    putFile(work + QStringLiteral("VIDEO/b.mp4"), "stale video");

    const QString index = m_dir.filePath(QStringLiteral("MEDIA.orvex"));
    QVERIFY(writeParams(index, {{QStringLiteral("FILEPATH"),
                                 QStringLiteral("IMAGE/a.jpg|VIDEO/b.mp4|IMAGE/../../evil.jpg|ETC/passwd|IMAGE/"
                                                "missing.jpg|NULL|")},
                                {QStringLiteral("FILECHK"), QStringLiteral("|||||")}}));
    ClassParam media;
    QVERIFY(media.getParamCrypt(index, QStringList{QStringLiteral("ALL")}, 0));

    const QStringList problems = LocalStartup::fetchMedia(account, media, work);
    QCOMPARE(problems, (QStringList{QStringLiteral("IMAGE/../../evil.jpg"), QStringLiteral("ETC/passwd"),
                                    QStringLiteral("IMAGE/missing.jpg")}));
    QFile video(work + QStringLiteral("VIDEO/b.mp4"));
    QVERIFY(video.open(QIODevice::ReadOnly));
    QCOMPARE(video.readAll(), QByteArray("video b"));
    QVERIFY(QFile::exists(work + QStringLiteral("IMAGE/a.jpg")));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("evil.jpg"))));
    QVERIFY(!QFile::exists(work + QStringLiteral("ETC/passwd")));
}

QTEST_GUILESS_MAIN(TestLocalStartup)
#include "tst_localstartup.moc"
