// Revision counters of the poster list file and the media index: how a
// counter reads, the question when another console raised it, and the
// values a deployment to several boxes writes and remembers.
#include "ClassParam.h"
#include "ParamFixture.h"
#include "RevisionCounters.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class RevisionCountersTest : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void counterOf_data();
    void counterOf();
    void downloadRemembersTheCounter_data();
    void downloadRemembersTheCounter();
    void changedByAnotherConsole_data();
    void changedByAnotherConsole();
    void severalBoxes_data();
    void severalBoxes();
    void mediaIndexCounter();

private:
    QString path(const QString &relative) const { return m_work + relative; }
    QString id(const QString &relative) const { return ClassParam().getParamCrypt(path(relative), "ID", 0); }

    QScopedPointer<QTemporaryDir> m_dir;
    QString m_work;
    ClassParam m_player;
    ClassParam m_media;
    QScopedPointer<RevisionCounters> m_counters;
    QStringList m_asked;
    bool m_answer = true;
};

void RevisionCountersTest::init()
{
    m_dir.reset(new QTemporaryDir);
    m_work = m_dir->path() + '/';
    QDir(m_work).mkpath("DATA");
    QDir(m_work).mkpath("TEMP");
    qputenv("ZOMANAGER_WORKDIR", m_dir->path().toUtf8());
    m_player = ClassParam();
    m_media = ClassParam();
    m_counters.reset(new RevisionCounters(&m_player, &m_media));
    m_counters->setWorkFolder(m_work);
    m_asked.clear();
    m_counters->setQuestion([this](const QString &text) {
        m_asked << text;
        return m_answer;
    });
}

void RevisionCountersTest::counterOf_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("counter");
    QTest::newRow("absent") << "NULL" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("not a number") << "abc" << 0;
    QTest::newRow("decimal") << "12" << 12;
    QTest::newRow("leading zero is still base 10") << "010" << 10;
}

void RevisionCountersTest::counterOf()
{
    QFETCH(QString, value);
    QTEST(RevisionCounters::counterOf(value), "counter");
}

void RevisionCountersTest::downloadRemembersTheCounter_data()
{
    QTest::addColumn<QString>("stored"); // "-": no ID key
    QTest::addColumn<int>("remembered");
    QTest::addColumn<QString>("raised");
    QTest::newRow("absent") << "-" << 0 << "1";
    QTest::newRow("empty") << "" << 0 << "1";
    QTest::newRow("abc") << "abc" << 0 << "1";
    QTest::newRow("seven") << "7" << 7 << "8";
}

void RevisionCountersTest::downloadRemembersTheCounter()
{
    QFETCH(QString, stored);
    QFETCH(int, remembered);
    QFETCH(QString, raised);
    ParamList values{{"SLIDETYPE", "IMAGE"}};
    if (stored != "-")
        values << qMakePair(QString("ID"), stored);
    QVERIFY(writeParams(path("DATA/PLAYER.orvex"), values));
    QVERIFY(writeParams(path("PLAYER.orvex"), values)); // the server copy, unchanged

    m_counters->getIDfilePlayer();
    QCOMPARE(m_counters->playerCounter(), remembered);
    QVERIFY(m_counters->checkIDfile(path("PLAYER.orvex"), m_counters->playerCounter()));
    QVERIFY(m_asked.isEmpty());

    m_counters->AjouteIDfilePlayer();
    QCOMPARE(id("DATA/PLAYER.orvex"), raised);
    QCOMPARE(m_counters->playerCounter(), raised.toInt());
    QCOMPARE(ClassParam().getParamCrypt(path("DATA/PLAYER.orvex"), "SLIDETYPE", 1), QString("IMAGE"));
    // The uploaded file is the next fetched copy: no question next time.
    QVERIFY(m_counters->checkIDfile(path("DATA/PLAYER.orvex"), m_counters->playerCounter()));
    QVERIFY(m_asked.isEmpty());
}

void RevisionCountersTest::changedByAnotherConsole_data()
{
    QTest::addColumn<QString>("fetched"); // "-": cannot be read
    QTest::addColumn<int>("remembered");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asked");
    QTest::newRow("raised elsewhere, OK") << "5" << 4 << true << true;
    QTest::newRow("raised elsewhere, Cancel") << "5" << 4 << false << true;
    QTest::newRow("unreadable copy, remembered 0") << "-" << 0 << false << false;
    QTest::newRow("unreadable copy, remembered 3") << "-" << 3 << false << true;
}

void RevisionCountersTest::changedByAnotherConsole()
{
    QFETCH(QString, fetched);
    QFETCH(int, remembered);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    if (fetched != "-")
        QVERIFY(writeParams(path("PLAYER.orvex"), {{"ID", fetched}}));
    m_answer = answer;

    const bool goOn = m_counters->checkIDfile(path("PLAYER.orvex"), remembered);
    QCOMPARE(goOn, answer || !asked);
    QCOMPARE(m_asked, asked ? QStringList{RevisionCounters::questionText()} : QStringList{});
    QCOMPARE(RevisionCounters::questionText(),
             QString("Le fichier d'origine a été modifié par un autre utilisateur. Voulez-vous continuer?"));
}

void RevisionCountersTest::severalBoxes_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("selectedIndex"); // -1: not among the targets
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<int>("remembered");
    QTest::newRow("selected box first") << "4" << 0 << QStringList{"5", "6", "7"} << 5;
    QTest::newRow("selected box last") << "4" << 2 << QStringList{"5", "6", "7"} << 7;
    // Regression: the last value was remembered, and the next deployment
    // asked about a conflict that did not exist.
    QTest::newRow("selected box in the middle") << "4" << 1 << QStringList{"5", "6", "7"} << 6;
    QTest::newRow("selected box not a target") << "4" << -1 << QStringList{"5", "6", "7"} << 4;
    QTest::newRow("no counter: every box gets 1") << "-" << 2 << QStringList{"1", "1", "1"} << 1;
}

void RevisionCountersTest::severalBoxes()
{
    QFETCH(QString, stored);
    QFETCH(int, selectedIndex);
    QFETCH(QStringList, sent);
    QFETCH(int, remembered);
    QVERIFY(writeParams(path("DATA/PLAYER.orvex"),
                        stored == "-" ? ParamList{{"SLIDETYPE", "IMAGE"}} : ParamList{{"ID", stored}}));
    m_counters->getIDfilePlayer();

    QStringList uploaded;
    for (int box = 0; box < 3; ++box) {
        m_counters->AjouteIDfilePlayer(box == selectedIndex);
        uploaded << id("DATA/PLAYER.orvex"); // what this box receives
        if (box == selectedIndex)
            QVERIFY(QFile::copy(path("DATA/PLAYER.orvex"), path("PLAYER.orvex")));
    }
    QCOMPARE(uploaded, sent);
    QCOMPARE(m_counters->playerCounter(), remembered);
    // The selected box's server copy passes the next check without a question.
    if (selectedIndex >= 0)
        QVERIFY(m_counters->checkIDfile(path("PLAYER.orvex"), m_counters->playerCounter()));
    QVERIFY(m_asked.isEmpty());
}

void RevisionCountersTest::mediaIndexCounter()
{
    QVERIFY(writeParams(path("TEMP/MEDIA.orvex"), {{"ID", "9"}, {"LISTIMAGE", "a.png"}}));
    m_counters->getIDfileMedia();
    QCOMPARE(m_counters->mediaCounter(), 9);
    m_counters->AjouteIDfileMedia();
    QCOMPARE(id("TEMP/MEDIA.orvex"), QString("10"));
    QCOMPARE(m_counters->mediaCounter(), 10);
    QCOMPARE(m_counters->playerCounter(), 0);
}

QTEST_GUILESS_MAIN(RevisionCountersTest)
#include "tst_revisioncounters.moc"
