// The login's check of the boxes this console deployed, against the stand-in
// (and the same tree in local mode): what the server shows is settled, what
// another console replaced is told once by box, and a fetch that fails or
// brings a damaged copy keeps the record and tells nothing.
#include "../transfer/SequenceFixture.h"
#include "BoxFolderDownload.h"
#include "Checksum.h"
#include "ClassParam.h"
#include "MediaAlignment.h"
#include "ParamFixture.h"
#include "RevisionCounters.h"
#include "SentBoxesCheck.h"

#include <QtTest>

class SentBoxesCheckTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { m_fx.tearDown(); }
    void check_data();
    void check();

private:
    QString server(const QString &relative) const { return m_fx.tree(m_fx.account() + '/' + relative); }

    SequenceFixture m_fx;
};

void SentBoxesCheckTest::initTestCase()
{
    ZO_NEED_STANDIN();
}

void SentBoxesCheckTest::check_data()
{
    QTest::addColumn<bool>("local");
    QTest::addColumn<QString>("server"); // B1 on the server: "mine", "list" or "info" (another console's)
    QTest::addColumn<QString>("fault");  // of the fetch of B1's PLAYER.orvex
    QTest::addColumn<QString>("told");
    const QString list = BoxFolderDownload::replacedHead("B1", "PLAYER.orvex") + '.';
    QTest::newRow("list replaced by another console") << false << "list" << "" << list;
    QTest::newRow("local mode: list replaced by another console") << true << "list" << "" << list;
    QTest::newRow("owner record replaced by another console")
        << false << "info" << "" << BoxFolderDownload::replacedHead("B1", "INFO.orvex") + '.';
    QTest::newRow("both shown: settled, nothing told") << false << "mine" << "" << "";
    QTest::newRow("fetch answered 500: kept, nothing told") << false << "list" << "500" << "";
    QTest::newRow("fetch held past the stall limit: kept, nothing told") << false << "list" << "noanswer" << "";
    QTest::newRow("HTML page in the list's place: kept, not told as another console's") << false << "mine" << "body"
                                                                                         << "";
}

void SentBoxesCheckTest::check()
{
    QFETCH(bool, local);
    QFETCH(QString, server);
    QFETCH(QString, fault);
    QFETCH(QString, told);
    m_fx.setUp();
    HttpFileApi *api = m_fx.makeApi(local);
    api->setStallTimeout(1000);
    // What this console sent to B2 then B1, and what another console's would be.
    const QString sent = m_fx.work("sent/");
    QDir().mkpath(sent);
    QVERIFY(writeParams(sent + "PLAYER.orvex", {{"MARK", "B"}, {"ID", "4"}}));
    QVERIFY(writeParams(sent + "INFO.orvex", {{"OWNER", "B"}}));
    QVERIFY(writeParams(sent + "other-PLAYER.orvex", {{"MARK", "A"}, {"ID", "5"}}));
    QVERIFY(writeParams(sent + "other-INFO.orvex", {{"OWNER", "A"}}));
    ClassParam player;
    ClassParam media;
    ClassParam login;
    RevisionCounters revisions(&player, &media);
    revisions.setWorkFolder(m_fx.work());
    const QList<RevisionCounters::Sent> files{{"PLAYER.orvex", QString(), CalculChecksum(sent + "PLAYER.orvex")},
                                              {"INFO.orvex", QString(), CalculChecksum(sent + "INFO.orvex")}};
    QString error;
    QVERIFY(revisions.keepSent("B2", 4, files, &error));
    QVERIFY(revisions.keepSent("B1", 4, files, &error));
    for (const char *box : {"B1", "B2"}) {
        for (const char *name : {"PLAYER.orvex", "INFO.orvex"}) {
            const bool other = QString(box) == "B1" && server == (QString(name) == "INFO.orvex" ? "info" : "list");
            QDir().mkpath(this->server(box));
            QVERIFY(QFile::copy(sent + (other ? "other-" : "") + name, this->server(QString(box) + '/' + name)));
        }
    }
    const QString target = m_fx.account() + "/B1/PLAYER.orvex";
    if (!fault.isEmpty())
        QVERIFY(StandIn::fault("/zobox/" + target, fault, target, 1, 3000, "<html><body>Erreur</body></html>"));

    MediaAlignment alignment(api, &login, &media);
    alignment.setWorkFolder(m_fx.work());
    SentBoxesCheck check(api, &revisions);
    check.setWorkFolder(m_fx.work());
    check.setDownloader([&](QString folder, QString name, QString box, QString sum) {
        return alignment.slotTelechargerFichier(folder, name, box, sum);
    });
    check.start();
    QVERIFY(check.running());
    QVERIFY(SequenceFixture::drive([&] { return check.step(); }, nullptr));
    QCOMPARE(check.message(), told);
    // B2 showed what was sent: settled. B1 stays kept while unchecked.
    QCOMPARE(revisions.sentBoxes(), fault.isEmpty() ? QStringList{} : QStringList{"B1"});
    RevisionCounters restarted(&player, &media);
    restarted.setWorkFolder(m_fx.work());
    QCOMPARE(restarted.sentBoxes(), revisions.sentBoxes());
    QVERIFY(!QFileInfo::exists(m_fx.work("TEMP/SENTCHECK")));
}

QTEST_GUILESS_MAIN(SentBoxesCheckTest)
#include "tst_sentboxescheck_standin.moc"
