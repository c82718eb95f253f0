// What one console changed in a shared file: kept across a restart, judged
// against each fetched copy, never lost to a damaged or unwritable file.
#include "KeptChanges.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>
#include <csignal>

using Change = KeptChanges::Change;
Q_DECLARE_METATYPE(KeptChanges::Change)
Q_DECLARE_METATYPE(KeptChanges::Verdict)

namespace {

Change change(KeptChanges::Kind kind, const QString &key, const QString &before, const QString &after,
              const QStringList &extra = {})
{
    Change c;
    c.kind = kind;
    c.key = key;
    c.before = before;
    c.after = after;
    c.extra = extra;
    return c;
}

} // namespace

class KeptChangesTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void judge_data();
    void judge();
    void restart_data();
    void restart();
    void keepHoldsFirstState();
    void check();
    void damagedFileSetAside();
    void failedSaveKeepsFile();

private:
    QTemporaryDir *m_dir = nullptr;
    QString m_work;
};

void KeptChangesTest::init()
{
    delete m_dir;
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_work = m_dir->path() + QLatin1Char('/');
    QVERIFY(QDir(m_work).mkpath(QStringLiteral("TEMP")));
}

void KeptChangesTest::judge_data()
{
    QTest::addColumn<Change>("kept");
    QTest::addColumn<QString>("fetched");
    QTest::addColumn<KeptChanges::Verdict>("verdict");
    const Change list = change(KeptChanges::BoxFile, "10001/PLAYER.orvex", "OLD", "SENT", {"7"});
    QTest::newRow("box list shown") << list << QString("SENT") << KeptChanges::Shown;
    QTest::newRow("box list never landed") << list << QString("OLD") << KeptChanges::Missing;
    QTest::newRow("box list replaced by another console") << list << QString("OTHER") << KeptChanges::Overtaken;
    QTest::newRow("box folder gone") << list << QString() << KeptChanges::Overtaken;
    const Change added = change(KeptChanges::LoginRow, "USER:anna", QString(), "anna;x;1");
    QTest::newRow("added user listed") << added << QString("anna;x;1") << KeptChanges::Shown;
    QTest::newRow("added user dropped by a late upload") << added << QString() << KeptChanges::Missing;
    QTest::newRow("empty row is not an absent row") << change(KeptChanges::LoginRow, "RIGHT:bob", QString(), "")
                                                    << QString("") << KeptChanges::Shown;
    QTest::newRow("absent row is not an empty row") << change(KeptChanges::LoginRow, "RIGHT:bob", QString(), "")
                                                    << QString() << KeptChanges::Missing;
    const Change removed = change(KeptChanges::MediaRecord, "TEXT/x.png", "Hall", QString());
    QTest::newRow("removal shown") << removed << QString() << KeptChanges::Shown;
    QTest::newRow("removal undone by a late upload") << removed << QString("Hall") << KeptChanges::Missing;
    QTest::newRow("newer file of that name not removed again") << removed << QString("Bar") << KeptChanges::Overtaken;
}

void KeptChangesTest::judge()
{
    QFETCH(Change, kept);
    QFETCH(QString, fetched);
    QFETCH(KeptChanges::Verdict, verdict);
    QCOMPARE(KeptChanges::judge(kept, fetched), verdict);
}

void KeptChangesTest::restart_data()
{
    QTest::addColumn<QList<Change>>("kept");
    QTest::newRow("nothing kept") << QList<Change>{};
    QTest::newRow("one of each kind, absent states and separators")
        << QList<Change>{change(KeptChanges::BoxFile, "10001/INFO.orvex", "a", "b", {"12", "x|y"}),
                         change(KeptChanges::LoginRow, "USER:anna", QString(), "anna|Anna;x;\n1"),
                         change(KeptChanges::MediaRecord, "IMAGE/é.png", "", QString(),
                                {"SUPPRIMER", "IMAGE/é.png", "C", "Hall", "3"})};
}

void KeptChangesTest::restart()
{
    QFETCH(QList<Change>, kept);
    const QString path = KeptChanges::path(m_work, QStringLiteral("PLAYER.orvex"));
    QCOMPARE(path, m_work + QStringLiteral("TEMP/KEPT-PLAYER.orvex.json"));
    {
        KeptChanges desk(path);
        QVERIFY(desk.load());
        for (const Change &c : kept)
            desk.keep(c);
        QString error;
        QVERIFY2(desk.save(&error), qPrintable(error));
    }
    QCOMPARE(QFile::exists(path), !kept.isEmpty());
    QVERIFY(!QFile::exists(path + QLatin1String(".new")));
    KeptChanges again(path);
    QVERIFY(again.load());
    QCOMPARE(again.changes(), kept);
}

void KeptChangesTest::keepHoldsFirstState()
{
    KeptChanges desk(KeptChanges::path(m_work, QStringLiteral("LoginCrypt.orvex")));
    desk.keep(change(KeptChanges::LoginRow, "USER:anna", QString(), "anna;1"));
    desk.keep(change(KeptChanges::LoginRow, "USER:anna", "anna;1", "anna;2"));
    // Not yet shown: the server still holds no anna as far as this console knows.
    QCOMPARE(desk.find(KeptChanges::LoginRow, "USER:anna"), change(KeptChanges::LoginRow, "USER:anna", QString(), "anna;2"));
    desk.replace(change(KeptChanges::LoginRow, "USER:anna", "anna;2", "anna;3"));
    QCOMPARE(desk.find(KeptChanges::LoginRow, "USER:anna").before, QString("anna;2"));
    QVERIFY(desk.find(KeptChanges::BoxFile, "USER:anna").key.isEmpty());
    desk.drop(KeptChanges::LoginRow, "USER:anna");
    QVERIFY(desk.isEmpty());
}

void KeptChangesTest::check()
{
    KeptChanges desk(KeptChanges::path(m_work, QStringLiteral("MEDIA.orvex")));
    const Change shown = change(KeptChanges::MediaRecord, "IMAGE/a.png", QString(), "Hall");
    const Change lost = change(KeptChanges::MediaRecord, "IMAGE/b.png", QString(), "Hall");
    const Change overtaken = change(KeptChanges::MediaRecord, "IMAGE/c.png", "Hall", "Bar");
    const Change otherKind = change(KeptChanges::LoginRow, "IMAGE/a.png", "x", "y");
    for (const Change &c : {shown, lost, overtaken, otherKind})
        desk.keep(c);
    const QHash<QString, QString> fetched{{"IMAGE/a.png", "Hall"}, {"IMAGE/c.png", "Entree"}};
    const KeptChanges::Check found = desk.check(KeptChanges::MediaRecord, [&](const Change &c) {
        return fetched.value(c.key);
    });
    QCOMPARE(found.shown, QList<Change>{shown});
    QCOMPARE(found.missing, QList<Change>{lost});
    QCOMPARE(found.overtaken, QList<Change>{overtaken});
    // Settling is the caller's: the check itself drops nothing.
    QCOMPARE(desk.changes().size(), 4);
    desk.drop(found.shown);
    QCOMPARE(desk.changes(), (QList<Change>{lost, overtaken, otherKind}));
}

void KeptChangesTest::damagedFileSetAside()
{
    const QString path = KeptChanges::path(m_work, QStringLiteral("PLAYER.orvex"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[{\"kind\":\"file\",\"key\":\"10001/PLAY");
    file.close();
    KeptChanges desk(path);
    QString error;
    QVERIFY(!desk.load(&error));
    QVERIFY2(error.contains(path + QLatin1String(".damaged")), qPrintable(error));
    QVERIFY(desk.isEmpty());
    QVERIFY(QFile::exists(path + QLatin1String(".damaged")));
    QVERIFY(!QFile::exists(path));
}

void KeptChangesTest::failedSaveKeepsFile()
{
    const QString path = KeptChanges::path(m_work, QStringLiteral("PLAYER.orvex"));
    KeptChanges desk(path);
    desk.keep(change(KeptChanges::BoxFile, "10001/PLAYER.orvex", "a", "b"));
    QVERIFY(desk.save());
    // A full disk: the kept file stays as it was.
    desk.keep(change(KeptChanges::BoxFile, "10002/PLAYER.orvex", QString(QChar('x')).repeated(4096), "c"));
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = 64;
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    QString error;
    const bool saved = desk.save(&error);
    setrlimit(RLIMIT_FSIZE, &old);
    QVERIFY(!saved);
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(path + QLatin1String(".new")));
    KeptChanges again(path);
    QVERIFY(again.load());
    QCOMPARE(again.changes().size(), 1);
}

QTEST_GUILESS_MAIN(KeptChangesTest)
#include "tst_keptchanges.moc"
