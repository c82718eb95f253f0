// The box simulator (zoboxsim --once) on a tree of its own: what each
// command leaves in the box folder and in the record.
#include "../sync/ParamFixture.h"
#include "ClassParam.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class BoxSimTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void answers_data();
    void answers();
    void otherAccountsAreLeftAlone();
    void reports_data();
    void reports();

private:
    QString box(const QString &account, const QString &name = QString()) const
    {
        return m_dir->filePath(account + "/B1/" + name);
    }
    bool command(const QString &account, const QString &word) const
    {
        QFile empty(box(account, "COMMAND.orvex"));
        return empty.open(QIODevice::WriteOnly) && ClassParam().setParamCrypt(box(account, "COMMAND.orvex"),
                                                                               "COMMANDHTTP", word);
    }
    QStringList run(const QStringList &extra = {}) const
    {
        QProcess sim;
        sim.start(qEnvironmentVariable("ZO_BIN_DIR") + "/zoboxsim",
                  QStringList{m_dir->path(), "--once", "--record", m_dir->filePath("record.txt")} + extra);
        if (!sim.waitForFinished(10000) || sim.exitCode() != 0)
            return {"zoboxsim failed"};
        QFile record(m_dir->filePath("record.txt"));
        return record.open(QIODevice::ReadOnly) ? QString::fromUtf8(record.readAll()).split('\n', Qt::SkipEmptyParts)
                                                : QStringList();
    }
    static QByteArray bytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QScopedPointer<QTemporaryDir> m_dir;
};

void BoxSimTest::init()
{
    m_dir.reset(new QTemporaryDir);
    for (const char *account : {"zo_a", "zo_b"})
        QVERIFY(QDir().mkpath(box(account)));
}

void BoxSimTest::answers_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("player");
    QTest::addColumn<QString>("event");
    QTest::addColumn<QString>("print"); // "<player>": the poster list's; "<none>": no STATUS.orvex
    QTest::newRow("UPLOADEVENTS") << "UPLOADEVENTS" << true << "Envoi des événements demandé" << "<player>";
    QTest::newRow("UPLOADEVENTS without a poster list") << "UPLOADEVENTS" << false
                                                        << "Envoi des événements demandé" << "NULL";
    QTest::newRow("REBOOT") << "REBOOT" << true << "Redémarrage demandé" << "<none>";
    QTest::newRow("STOPHDMI") << "STOPHDMI" << true << "Commande reçue: STOPHDMI" << "<none>";
}

void BoxSimTest::answers()
{
    QFETCH(QString, word);
    QFETCH(bool, player);
    QFETCH(QString, event);
    QFETCH(QString, print);
    if (player)
        QVERIFY(writeParams(box("zo_a", "PLAYER.orvex"), {{"SLIDETYPE", "IMAGE"}}));
    QFile earlier(box("zo_a", "EVENTS.orvex"));
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier line\n");
    earlier.close();
    QVERIFY(command("zo_a", word));

    QCOMPARE(run({"--state", "1"}), QStringList{"zo_a/B1 " + word});
    QVERIFY(!QFile::exists(box("zo_a", "COMMAND.orvex")));
    const QStringList lines = QString::fromUtf8(bytes(box("zo_a", "EVENTS.orvex"))).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.first(), QStringLiteral("earlier line"));
    QVERIFY2(lines.last().endsWith(" | " + event), qPrintable(lines.last()));
    if (print == "<none>") {
        QVERIFY(!QFile::exists(box("zo_a", "STATUS.orvex")));
    } else {
        ClassParam status;
        QVERIFY(status.getParamCrypt(box("zo_a", "STATUS.orvex"), QStringList{"ALL"}, 0));
        QCOMPARE(status.getInfoBalise("STATE"), QStringLiteral("1"));
        const QString expected = print == "<player>"
            ? ClassParam().getParamCrypt(box("zo_a", "PLAYER.orvex"), QString("EMPREINTE"), 0) : print;
        QCOMPARE(status.getInfoBalise("EMPREINTE"), expected);
        QVERIFY(status.getInfoBalise("CONNECT") != "NULL");
    }
    // Answered once: a second look finds nothing to do.
    QCOMPARE(run().size(), 1);
}

void BoxSimTest::otherAccountsAreLeftAlone()
{
    QVERIFY(command("zo_a", "REBOOT"));
    QVERIFY(command("zo_b", "REBOOT"));
    QCOMPARE(run({"--account", "zo_b"}), QStringList{"zo_b/B1 REBOOT"});
    QVERIFY(QFile::exists(box("zo_a", "COMMAND.orvex")));
}

void BoxSimTest::reports_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("reported");
    // The panel shows a box connected while its STATUS.orvex is recent.
    QTest::newRow("demo boxes went not connected: no report unasked") << QStringList{} << true;
    QTest::newRow("reports only when asked") << QStringList{"--report", "0"} << false;
}

void BoxSimTest::reports()
{
    QFETCH(QStringList, options);
    QFETCH(bool, reported);
    QVERIFY(writeParams(box("zo_a", "BOX.orvex"), {{"NUMEROSERIE", "B1"}}));
    QVERIFY(writeParams(box("zo_a", "PLAYER.orvex"), {{"SLIDETYPE", "IMAGE"}}));
    QVERIFY(writeParams(box("zo_a", "STATUS.orvex"), {{"STATE", "0"}, {"CONNECT", "1"}}));
    const QDateTime longAgo(QDate(2020, 1, 1), QTime(8, 0));
    {
        QFile status(box("zo_a", "STATUS.orvex"));
        QVERIFY(status.open(QIODevice::ReadWrite));
        QVERIFY(status.setFileTime(longAgo, QFileDevice::FileModificationTime));
    }
    // A playlist folder has no factory record: no box reports there.
    const QString playlist = m_dir->filePath("zo_a/PLAYLIST-Promo/");
    QVERIFY(QDir().mkpath(playlist));
    QVERIFY(writeParams(playlist + "INFO.orvex", {{"NOM_POSITION", "Promo"}}));

    QCOMPARE(run(options), QStringList());
    QCOMPARE(QFileInfo(box("zo_a", "STATUS.orvex")).lastModified() > longAgo, reported);
    QVERIFY(!QFile::exists(playlist + "STATUS.orvex"));
    ClassParam status;
    QVERIFY(status.getParamCrypt(box("zo_a", "STATUS.orvex"), QStringList{"ALL"}, 0));
    if (reported) {
        QCOMPARE(status.getInfoBalise("STATE"), QStringLiteral("2"));
        QCOMPARE(status.getInfoBalise("EMPREINTE"),
                 ClassParam().getParamCrypt(box("zo_a", "PLAYER.orvex"), QString("EMPREINTE"), 0));
        QVERIFY(status.getInfoBalise("CONNECT") != "1");
    } else {
        QCOMPARE(status.getInfoBalise("CONNECT"), QStringLiteral("1"));
    }
}

QTEST_GUILESS_MAIN(BoxSimTest)
#include "tst_boxsim.moc"
