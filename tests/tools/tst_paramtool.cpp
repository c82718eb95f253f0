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
    void valueFromStandardInput_data();
    void valueFromStandardInput();
    void errors_data();
    void errors();

private:
    struct Result
    {
        int code;
        QByteArray out;
    };
    Result run(const QStringList &args, const QByteArray &input = QByteArray());
    QString m_tool;
};

void ParamToolTest::initTestCase()
{
    m_tool = qEnvironmentVariable("ZO_BIN_DIR") + "/paramtool";
    QVERIFY2(QFileInfo(m_tool).isExecutable(), qPrintable(m_tool));
}

ParamToolTest::Result ParamToolTest::run(const QStringList &args, const QByteArray &input)
{
    QProcess p;
    p.start(m_tool, args);
    p.write(input);
    p.closeWriteChannel();
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

void ParamToolTest::valueFromStandardInput_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("value");
    // 10,000 serials: longer than one command-line argument may be.
    QByteArray serials;
    for (int i = 0; i < 10000; ++i)
        serials += (i ? "|" : "") + QByteArray("SERIAL-") + QByteArray::number(100000 + i);
    QTest::newRow("value of 10,000 entries") << serials + '\n' << serials;
    QTest::newRow("without a line end") << QByteArray("Hall|Accueil") << QByteArray("Hall|Accueil");
    QTest::newRow("CR LF closes it too") << QByteArray("Hall\r\n") << QByteArray("Hall");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("Latin-1 text") << QByteArray("Entr\xc3\xa9\x65\n") << QByteArray("Entr\xc3\xa9\x65");
}

void ParamToolTest::valueFromStandardInput()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, value);
    QTemporaryDir dir;
    const QString piped = dir.filePath("piped.orvex");
    const QString direct = dir.filePath("direct.orvex");
    QCOMPARE(run({"new", piped}).code, 0);
    QCOMPARE(run({"new", direct}).code, 0);
    QCOMPARE(run({"set", piped, "ID", "3", "PLAYERLIST", "-", "NOM", "x"}, input).code, 0);
    QCOMPARE(run({"get", piped, "PLAYERLIST"}).out, value + '\n');

    // The same bytes as the value given on the command line (when it fits).
    if (value.size() < 100000) {
        QCOMPARE(run({"set", direct, "ID", "3", "PLAYERLIST", QString::fromUtf8(value), "NOM", "x"}).code, 0);
        QFile a(piped), b(direct);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), b.readAll());
    }
}

void ParamToolTest::errors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("get on missing file") << QStringList{"get", "@/missing.orvex", "ID"} << 2
                                         << QByteArray("PB_OPEN\n") << QByteArray();
    QTest::newRow("set on missing file") << QStringList{"set", "@/missing.orvex", "ID", "1"} << 1 << QByteArray()
                                         << QByteArray();
    QTest::newRow("dump on missing file") << QStringList{"dump", "@/missing.orvex"} << 2 << QByteArray()
                                          << QByteArray();
    QTest::newRow("set with a key and no value") << QStringList{"set", "@/missing.orvex", "ID", "1", "NOM"} << 64
                                                 << QByteArray() << QByteArray();
    QTest::newRow("unknown command") << QStringList{"frob", "@/x"} << 64 << QByteArray() << QByteArray();
    QTest::newRow("two values from standard input")
        << QStringList{"set", "@/missing.orvex", "A", "-", "B", "-"} << 64 << QByteArray() << QByteArray();
    QTest::newRow("a line end inside the value from standard input")
        << QStringList{"set", "@/missing.orvex", "A", "-"} << 65 << QByteArray() << QByteArray("Hall\nID=\"9\"\n");
}

void ParamToolTest::errors()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, input);
    QTemporaryDir dir;
    args.replaceInStrings("@", dir.path());
    const Result r = run(args, input);
    QCOMPARE(r.code, code);
    QCOMPARE(r.out, out);
    QVERIFY(!QFileInfo::exists(dir.filePath("missing.orvex")));
}

QTEST_GUILESS_MAIN(ParamToolTest)
#include "tst_paramtool.moc"
