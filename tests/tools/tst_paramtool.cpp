#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class ParamToolTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void roundTrip();
    void severalKeysInOneSet();
    void errors_data();
    void errors();

private:
    struct Result
    {
        int code;
        QByteArray out;
    };
    Result run(const QStringList &args);
    QString m_tool;
};

void ParamToolTest::initTestCase()
{
    m_tool = qEnvironmentVariable("ZO_BIN_DIR") + "/paramtool";
    QVERIFY2(QFileInfo(m_tool).isExecutable(), qPrintable(m_tool));
}

ParamToolTest::Result ParamToolTest::run(const QStringList &args)
{
    QProcess p;
    p.start(m_tool, args);
    p.waitForFinished(10000);
    return {p.exitCode(), p.readAllStandardOutput()};
}

void ParamToolTest::roundTrip()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("t.orvex");
    QCOMPARE(run({"new", file}).code, 0);
    QCOMPARE(QFileInfo(file).size(), 0);
    QCOMPARE(run({"set", file, "ID", "3"}).code, 0);
    QCOMPARE(QFileInfo(file).size(), 120);
    QCOMPARE(run({"set", file, "PLAYERNAME", "Hall|Accueil"}).code, 0);

    const Result id = run({"get", file, "ID"});
    QCOMPARE(id.code, 0);
    QCOMPARE(id.out, QByteArray("3\n"));
    QCOMPARE(run({"get", file, "NOPE"}).out, QByteArray("NULL\n"));

    const QList<QByteArray> lines = run({"dump", file}).out.split('\n');
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.at(0), QByteArray("ID=\"3\""));
    QCOMPARE(lines.at(1), QByteArray("PLAYERNAME=\"Hall|Accueil\""));
    QVERIFY(lines.at(2).startsWith("EMPREINTE=\""));
    QCOMPARE(lines.at(2).size(), 52);
}

void ParamToolTest::severalKeysInOneSet()
{
    QTemporaryDir dir;
    const QString one = dir.filePath("one.orvex");
    const QString all = dir.filePath("all.orvex");
    QCOMPARE(run({"new", one}).code, 0);
    QCOMPARE(run({"new", all}).code, 0);
    const QStringList pairs{"ID", "3", "PLAYERNAME", "Hall|Accueil", "EMPTY", "", "ID", "4"};
    for (int i = 0; i < pairs.size(); i += 2)
        QCOMPARE(run({"set", one, pairs.at(i), pairs.at(i + 1)}).code, 0);
    QCOMPARE(run(QStringList{"set", all} + pairs).code, 0);

    QFile a(one), b(all);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(b.readAll(), a.readAll());
    QCOMPARE(run({"get", all, "ID"}).out, QByteArray("4\n"));
}

void ParamToolTest::errors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("out");
    QTest::newRow("get on missing file") << QStringList{"get", "@/missing.orvex", "ID"} << 2 << QByteArray("PB_OPEN\n");
    QTest::newRow("set on missing file") << QStringList{"set", "@/missing.orvex", "ID", "1"} << 1 << QByteArray();
    QTest::newRow("dump on missing file") << QStringList{"dump", "@/missing.orvex"} << 2 << QByteArray();
    QTest::newRow("set with a key and no value") << QStringList{"set", "@/missing.orvex", "ID", "1", "NOM"} << 64
                                                 << QByteArray();
    QTest::newRow("unknown command") << QStringList{"frob", "@/x"} << 64 << QByteArray();
}

void ParamToolTest::errors()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QByteArray, out);
    QTemporaryDir dir;
    args.replaceInStrings("@", dir.path());
    const Result r = run(args);
    QCOMPARE(r.code, code);
    QCOMPARE(r.out, out);
    QVERIFY(!QFileInfo::exists(dir.filePath("missing.orvex")));
}

QTEST_GUILESS_MAIN(ParamToolTest)
#include "tst_paramtool.moc"
