// A console killed during a media deployment leaves its media journal and
// its imported files; the next start publishes them: the server's index
// then lists exactly the server's media, once each, and the journal goes
// only after that. A publication that fails keeps the journal and says so.
#include "../sync/ParamFixture.h"
#include "Checksum.h"
#include "JournalMerge.h"
#include "MediaDeployment.h"
#include "ModalAnswerer.h"
#include "OperationJournal.h"
#include "ServerDemo.h"
#include "SentMediaRecords.h"
#include "ServerMediaTree.h"

#include <QtTest>

class TestKilledMediaRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void leftoverJournalPublished_data();
    void leftoverJournalPublished();
};

void TestKilledMediaRun::initTestCase()
{
    ZO_NEED_STANDIN();
}

void TestKilledMediaRun::leftoverJournalPublished_data()
{
    QTest::addColumn<QString>("killed");
    QTest::newRow("import killed before its upload was lost at the next login") << "before upload";
    QTest::newRow("import killed before the index went up stayed an orphan") << "before index";
    QTest::newRow("import killed before the journal went was listed twice") << "before journal";
    QTest::newRow("removal killed before the server deletion came back") << "removal";
    QTest::newRow("publication refused at the next login told nothing") << "refused";
    // Published and read back, then another console's late index upload
    // left it out: only the run's kept records know of it.
    QTest::newRow("import a late upload took out of the index stayed out at the next login") << "sent";
}

void TestKilledMediaRun::leftoverJournalPublished()
{
    QFETCH(QString, killed);
    ServerDemo demo;
    QVERIFY(demo.prepare(QStringLiteral("kmr")));
    const QStringList before = indexedPaths(demo.server("MEDIA.orvex"));
    QVERIFY(!before.isEmpty());

    const QString imported = "IMAGE/imported-" + QString::number(QCoreApplication::applicationPid()) + ".png";
    const QByteArray bytes = "picture imported by the killed console";
    const QString journal = demo.work("TEMP/INFOMEDIA.orvex");
    QVERIFY(QDir().mkpath(demo.work("TEMP")));
    QVERIFY(QDir().mkpath(demo.work("IMAGE")));
    QString removed;
    if (killed == "removal") {
        removed = before.first();
        QVERIFY(OperationJournal::appendAll(journal, {{"SUPPRIMER", removed, "", "", ""}}));
    } else {
        QFile file(demo.work(imported));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        const QStringList record{"AJOUTER", imported, CalculChecksum(demo.work(imported)), "ADMINISTRATEUR",
                                 QString::number(bytes.size())};
        QVERIFY(killed == "sent" ? SentMediaRecords::rewrite(demo.work(), SentMediaRecords::Media, {record})
                                 : OperationJournal::appendAll(journal, {record}));
        if (killed != "before upload" && killed != "refused")
            QVERIFY(QFile::copy(demo.work(imported), demo.server(imported)));
        if (killed == "before journal") {
            const QString copy = demo.work("TEMP/index-copy.orvex");
            QVERIFY(QFile::copy(demo.server("MEDIA.orvex"), copy));
            QVERIFY(QFile::copy(journal, journal + ".keep"));
            QVERIFY(JournalMerge::mergeMedia(copy, journal + ".keep"));
            QVERIFY(QFile::remove(demo.server("MEDIA.orvex")) && QFile::copy(copy, demo.server("MEDIA.orvex")));
            QVERIFY(indexedPaths(demo.server("MEDIA.orvex")).contains(imported));
        }
    }
    if (killed == "refused")
        QVERIFY(StandIn::fault("/zobox/upload.php", "500", demo.account() + "/IMAGE", 30));

    ModalAnswerer answerer;
    if (killed == "refused")
        answerer.confirm().confirm();
    QVERIFY(demo.start());
    MediaDeployment *run = demo.panel()->mediaDeployment();
    QTRY_VERIFY_WITH_TIMEOUT(!run->running(), 60000);
    QVERIFY(answerer.waitUntilDone(60000));
    StandIn::reset(demo.account() + "/IMAGE");

    const QStringList served = mediaFilesBelow(demo.server());
    const QStringList listed = indexedPaths(demo.server("MEDIA.orvex"));
    if (killed == "refused") {
        QVERIFY2(answerer.texts().join('\n').contains(imported), qPrintable(answerer.texts().join(" ## ")));
        QVERIFY(QFile::exists(journal));
        QVERIFY(QFile::exists(demo.work(imported)));
        QVERIFY(!listed.contains(imported));
        QCOMPARE(listed, before);
        return;
    }
    QCOMPARE(answerer.unexpected(), 0);
    QVERIFY2(!QFile::exists(journal), "the journal went before its records reached the server");
    // The index lists exactly the server's media, each once.
    QCOMPARE(listed, served);
    if (killed == "removal") {
        QVERIFY(!served.contains(removed));
        QVERIFY(!QFile::exists(demo.work(removed)));
    } else {
        QVERIFY(listed.contains(imported));
        QFile file(demo.server(imported));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }
}

QTEST_MAIN(TestKilledMediaRun)
#include "tst_killedmediarun_server.moc"
