// The account and media deployments, box commands and support reports
// against the stand-in, waits scaled by ZOMANAGER_TIME_SCALE.
#include "../transfer/SequenceFixture.h"
#include "../common/ServerMediaTree.h"
#include "AccountDeployment.h"
#include "FullDisk.h"
#include "Checksum.h"
#include "ClassParam.h"
#include "CommandReport.h"
#include "JournalMerge.h"
#include "ListTransfers.h"
#include "LocalWriteError.h"
#include "LoginRows.h"
#include "MediaAlignment.h"
#include "MediaDeployment.h"
#include "MediaLibrary.h"
#include "OperationJournal.h"
#include "ParamFixture.h"
#include "RenameFault.h"
#include "RevisionCounters.h"
#include "SentMediaRecords.h"
#include "TimeScale.h"
#include "TransferLists.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

// Fetched, fetched again just before its upload, sent, read back twice.
const QStringList kIndexRound{"GET /zobox/MEDIA.orvex", "GET /zobox/MEDIA.orvex", "UPLOAD MEDIA.orvex",
                              "GET /zobox/MEDIA.orvex", "GET /zobox/MEDIA.orvex"};
// A media run reads it back once: its records stay kept until a later
// fetch shows them.
const QStringList kMediaIndexRound = kIndexRound.mid(0, 4);

} // namespace

class DeploymentsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void accountDeployment_data();
    void accountDeployment();
    void accountIndexDamaged_data();
    void accountIndexDamaged();
    void folderCallWhileIdle();
    void accountUploadFails();
    void damagedLoginFileNotUploaded_data();
    void damagedLoginFileNotUploaded();
    void indexUploadFailsKeepsJournal_data();
    void indexUploadFailsKeepsJournal();
    void recordJournalledWhileTheIndexGoesUp();
    void closedWithoutReply_data();
    void closedWithoutReply();
    void loginFileReadBack_data();
    void loginFileReadBack();
    void unreadableServerLoginFileKept_data();
    void unreadableServerLoginFileKept();
    void localFileErrorEndsTheRunOnce_data();
    void localFileErrorEndsTheRunOnce();
    void fullDiskEndsTheRun_data();
    void fullDiskEndsTheRun();
    void mediaDeployment();
    void mediaNothingToSend();
    void mediaUploadFails();
    void mediaUploadWaitedForTheNextTick();
    void mediaRunWaitedATickPerStep();
    void mediaFailedRunGoesWithTheNextRun_data();
    void mediaFailedRunGoesWithTheNextRun();
    void mediaIndexFetchFailedMergesAtTheNextHandOn();
    void mediaHandedOnWhileRunningIsNotLost();
    void mediaChangeBeforeTheMergeGoesWithTheRun();
    void mediaUploadNotStored_data();
    void mediaUploadNotStored();
    void mediaOverQuotaAfterAnotherConsole();
    void importNameTakenOnTheServer_data();
    void importNameTakenOnTheServer();
    void mediaLostFromTheIndexLater_data();
    void mediaLostFromTheIndexLater();
    void indexChangedByAnotherConsole_data();
    void indexChangedByAnotherConsole();
    void command_data();
    void command();
    void supportReport_data();
    void supportReport();

private:
    void build();
    static bool waitIdle(const std::function<bool()> &running, int ms = 20000);
    QString server(const QString &relative) const { return m_fx.tree(m_fx.account() + '/' + relative); }
    QStringList requests(qint64 mark) const;
    QStringList mails(qint64 from) const;
    // FILEPATH of the server's index and the files of its media folders.
    QStringList serverIndexed() const;
    QStringList serverFiles() const;
    // The two files the fixture's index lists, on the server.
    void serverHoldsItsIndex();
    // An import waiting in the work folder: its file and its journal record.
    bool journalImport(const QString &path, const QString &sum, int bytes);

    SequenceFixture m_fx;
    QString m_selected = "B1";
    ClassParam m_player;
    ClassParam m_media;
    ClassParam m_login;
    QScopedPointer<ListTransfers> m_lists;
    QScopedPointer<RevisionCounters> m_revisions;
    QScopedPointer<MediaAlignment> m_alignment;
    QScopedPointer<QTimer> m_t1, m_t2, m_t3, m_t4;
    QScopedPointer<AccountDeployment> m_account;
    QScopedPointer<MediaDeployment> m_mediaDeploy;
    QScopedPointer<CommandReport> m_commands;
};

void DeploymentsTest::initTestCase()
{
    ZO_NEED_STANDIN();
    QVERIFY(qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE") >= 10);
}

void DeploymentsTest::init()
{
    m_fx.setUp();
    for (const char *folder : {"B1", "B2", "IMAGE", "VIDEO", "TEXT"})
        QVERIFY(QDir().mkpath(server(folder)));
    QVERIFY(QDir().mkpath(m_fx.tree("ALERTE-ZoManager")));
    QDir().mkpath(m_fx.work("VIDEO"));
    QVERIFY(writeParams(server("MEDIA.orvex"), {{"FILEPATH", "IMAGE/old.png|VIDEO/old.mp4"},
                                                 {"FILECHK", "AAA|BBB"},
                                                 {"FILESIZE", "1|2"},
                                                 {"FILEPATHPERMISSION", "Hall;Bar|Hall"},
                                                 {"ID", "4"}}));
    QVERIFY(writeParams(m_fx.work("LoginCrypt.orvex"), {{"MOTDEPASSE", "Secret12345"},
                                                        {"PLAYERLIST", "B1|B2"},
                                                        {"PLAYERLISTTOPLAYLIST", "PLAYLIST-Matin;PLAYLIST-Soir"},
                                                        {"USERPASSWORD", "canary-7731"}}));
    m_selected = "B1";
}

void DeploymentsTest::cleanup()
{
    m_account.reset();
    m_mediaDeploy.reset();
    m_commands.reset();
    m_lists.reset();
    m_fx.tearDown();
}

void DeploymentsTest::build()
{
    HttpFileApi *api = m_fx.makeApi();
    m_lists.reset(new ListTransfers(api));
    m_lists->setSelectedBox([this] { return m_selected; });
    m_revisions.reset(new RevisionCounters(&m_player, &m_media));
    m_revisions->setWorkFolder(m_fx.work());
    m_alignment.reset(new MediaAlignment(api, &m_login, &m_media));
    m_alignment->setWorkFolder(m_fx.work());
    const auto download = [this](QString local, QString name, QString folder, QString chk) {
        return m_alignment->slotTelechargerFichier(local, name, folder, chk);
    };
    for (auto *timer : {&m_t1, &m_t2, &m_t3, &m_t4}) {
        timer->reset(new QTimer);
        (*timer)->setInterval(5);
    }
    m_account.reset(new AccountDeployment(api, m_lists.data(), m_revisions.data(), &m_login, m_t1.data()));
    m_account->setWorkFolder(m_fx.work());
    m_account->setDownloader(download);
    m_account->setMerge(&JournalMerge::mergeAdmin);
    connect(m_t1.data(), &QTimer::timeout, m_account.data(), &AccountDeployment::slotProcessDeployLogin);
    m_mediaDeploy.reset(new MediaDeployment(api, m_lists.data(), m_t2.data()));
    m_mediaDeploy->setWorkFolder(m_fx.work());
    m_mediaDeploy->setDownloader(download);
    m_mediaDeploy->setMerge(&JournalMerge::mergeMedia);
    m_mediaDeploy->setSelectedBox([this] { return m_selected; });
    connect(m_t2.data(), &QTimer::timeout, m_mediaDeploy.data(), &MediaDeployment::slotProcessDeployMedia);
    m_commands.reset(new CommandReport(api, m_lists.data(), m_t3.data(), m_t4.data()));
    m_commands->setWorkFolder(m_fx.work());
    m_commands->setSelectedBox([this] { return m_selected; });
    connect(m_t3.data(), &QTimer::timeout, m_commands.data(), &CommandReport::slotProcessDeployCommandeTimer);
    connect(m_t4.data(), &QTimer::timeout, m_commands.data(), &CommandReport::slotProcessDeployAlerteTime);
    for (JournalDeployment *machine : {static_cast<JournalDeployment *>(m_account.data()),
                                       static_cast<JournalDeployment *>(m_mediaDeploy.data())})
        connect(m_alignment.data(), &MediaAlignment::signalError, machine, &JournalDeployment::downloadFailed);
    for (QObject *machine : {static_cast<QObject *>(m_account.data()), static_cast<QObject *>(m_mediaDeploy.data()),
                             static_cast<QObject *>(m_commands.data())})
        connect(m_lists.data(), SIGNAL(sequenceFailed(int)), machine, SLOT(sequenceFailed()));
}

bool DeploymentsTest::waitIdle(const std::function<bool()> &running, int ms)
{
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(20);
    while (running() && clock.elapsed() < ms)
        QTest::qWait(5);
    return !running();
}

QStringList DeploymentsTest::requests(qint64 mark) const
{
    QStringList lines;
    for (QString line : SequenceFixture::requests(mark))
        lines << line.remove(m_fx.account() + '/');
    return lines;
}

QStringList DeploymentsTest::mails(qint64 from) const
{
    QFile file(qEnvironmentVariable("ZO_STANDIN_MAILS"));
    if (!file.open(QIODevice::ReadOnly) || !file.seek(from))
        return {};
    QStringList lines;
    for (const QByteArray &line : file.readAll().split('\n'))
        if (!line.isEmpty())
            lines << QString::fromUtf8(line);
    return lines;
}

void DeploymentsTest::accountDeployment_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("expected");
    // The login file: the server's copy before it, the upload, two reads back.
    const QStringList common = QStringList{"GET /zobox/LoginCrypt.orvex", "UPLOAD LoginCrypt.orvex",
                                           "GET /zobox/LoginCrypt.orvex", "GET /zobox/LoginCrypt.orvex"}
        + kIndexRound;
    QTest::newRow("status 0: login file and index") << 0 << common;
    QTest::newRow("status 1: and each box's playlists")
        << 1 << (QStringList(common) << "UPLOAD B1/PLAYLIST.orvex" << "UPLOAD B2/PLAYLIST.orvex");
}

void DeploymentsTest::accountDeployment()
{
    QFETCH(int, status);
    QFETCH(QStringList, expected);
    QVERIFY(OperationJournal::append(m_fx.work("TEMP/INFOADMIN.orvex"), {"RENOMMER", "Hall", "Entree", ""}));
    build();
    QSignalSpy finished(m_account.data(), &AccountDeployment::signalFinished);
    QSignalSpy deployed(m_account.data(), &AccountDeployment::signalDeployed);
    const qint64 mark = StandIn::mark();
    m_account->start(status);
    QVERIFY(waitIdle([this] { return m_account->running(); }));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(deployed.count(), 1);
    QCOMPARE(deployed.at(0).at(0).toInt(), status);
    QCOMPARE(requests(mark), expected);
    QCOMPARE(SequenceFixture::readFile(server("LoginCrypt.orvex")),
             SequenceFixture::readFile(m_fx.work("LoginCrypt.orvex")));
    ClassParam read;
    QCOMPARE(read.getParamCrypt(server("MEDIA.orvex"), "FILEPATHPERMISSION", 1), QString("Entree;Bar|Entree"));
    QVERIFY(!QFileInfo::exists(m_fx.work("TEMP/INFOADMIN.orvex")));
    if (status == 1) {
        QCOMPARE(read.getParamCrypt(server("B1/PLAYLIST.orvex"), "PLAYLIST", 1), QString("PLAYLIST-Matin|PLAYLIST-Soir"));
        QCOMPARE(read.getParamCrypt(server("B2/PLAYLIST.orvex"), "PLAYLIST", 1), QString(""));
    }
}

void DeploymentsTest::accountIndexDamaged_data()
{
    QTest::addColumn<QByteArray>("index");
    QTest::newRow("index missing on the server") << QByteArray();
    QTest::newRow("index empty") << QByteArray("");
    QTest::newRow("index damaged") << QByteArray("0123456789ABCDEF");
}

void DeploymentsTest::accountIndexDamaged()
{
    QFETCH(QByteArray, index);
    QFile::remove(server("MEDIA.orvex"));
    if (!index.isNull())
        SequenceFixture::writeFile(server("MEDIA.orvex"), index);
    QVERIFY(OperationJournal::append(m_fx.work("TEMP/INFOMEDIA.orvex"), {"AJOUTER", "IMAGE/n.png", "CCC", "Hall", "3"}));
    build();
    QSignalSpy corrupt(m_mediaDeploy.data(), &MediaDeployment::signalCorrupt);
    const qint64 mark = StandIn::mark();
    m_mediaDeploy->start({}, {}, {}, {}, {}, {}, true);
    QVERIFY(waitIdle([this] { return m_mediaDeploy->running(); }));
    QCOMPARE(corrupt.count(), 1);
    QCOMPARE(corrupt.at(0).at(0).toString(), QString("Le fichier media est corrompu (code: indiceDeployMedia) !!"));
    // The journal stays for the next run and nothing was sent.
    QVERIFY(QFileInfo::exists(m_fx.work("TEMP/INFOMEDIA.orvex")));
    QVERIFY(!requests(mark).contains("UPLOAD MEDIA.orvex"));
}

void DeploymentsTest::folderCallWhileIdle()
{
    build();
    m_account->folderOperationEnded();
    QCOMPARE(m_account->step(), 0);
    QVERIFY(!m_account->running());
}

void DeploymentsTest::accountUploadFails()
{
    QVERIFY(OperationJournal::append(m_fx.work("TEMP/INFOADMIN.orvex"), {"RENOMMER", "Hall", "Entree", ""}));
    const QByteArray index = SequenceFixture::readFile(server("MEDIA.orvex"));
    build();
    QVERIFY(StandIn::fault("/zobox/upload.php", "close", m_fx.account(), 3));
    QSignalSpy failed(m_lists.data(), &ListTransfers::sequenceFailed);
    QSignalSpy finished(m_account.data(), &AccountDeployment::signalFinished);
    QSignalSpy deployed(m_account.data(), &AccountDeployment::signalDeployed);
    const qint64 mark = StandIn::mark();
    m_account->start(1);
    QVERIFY(waitIdle([this] { return m_account->running(); }));
    QCOMPARE(failed.count(), 1);
    QCOMPARE(finished.count(), 1);
    // The login file stays pending on the page: nothing reports success.
    QCOMPARE(deployed.count(), 0);
    // It stopped at the login file: no index, no playlists, journal kept.
    QCOMPARE(requests(mark),
             QStringList{"GET /zobox/LoginCrypt.orvex"} + QVector<QString>(3, "UPLOAD LoginCrypt.orvex").toList());
    QCOMPARE(SequenceFixture::readFile(server("MEDIA.orvex")), index);
    QVERIFY(QFileInfo::exists(m_fx.work("TEMP/INFOADMIN.orvex")));
}

void DeploymentsTest::damagedLoginFileNotUploaded_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty login file left by a full disk uploaded") << QByteArray();
    QTest::newRow("login file without MOTDEPASSE uploaded") << QByteArray("unused");
    QTest::newRow("login file with a broken fingerprint uploaded") << QByteArray("broken");
}

void DeploymentsTest::damagedLoginFileNotUploaded()
{
    QFETCH(QByteArray, content);
    if (content == "unused") {
        QVERIFY(writeParams(m_fx.work("LoginCrypt.orvex"), {{"PLAYERLIST", "B1|B2"}}));
    } else if (content == "broken") {
        QByteArray bytes = SequenceFixture::readFile(m_fx.work("LoginCrypt.orvex"));
        bytes[bytes.size() - 4] = bytes.at(bytes.size() - 4) == 'A' ? 'B' : 'A';
        SequenceFixture::writeFile(m_fx.work("LoginCrypt.orvex"), bytes);
    } else {
        SequenceFixture::writeFile(m_fx.work("LoginCrypt.orvex"), content);
    }
    QVERIFY(OperationJournal::append(m_fx.work("TEMP/INFOADMIN.orvex"), {"RENOMMER", "Hall", "Entree", ""}));
    build();
    QSignalSpy finished(m_account.data(), &AccountDeployment::signalFinished);
    QSignalSpy deployed(m_account.data(), &AccountDeployment::signalDeployed);
    QSignalSpy told(m_account.data(), &AccountDeployment::signalInformation);
    const qint64 mark = StandIn::mark();
    m_account->start(1);
    QVERIFY(waitIdle([this] { return m_account->running(); }));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(deployed.count(), 0);
    QCOMPARE(told.count(), 1);
    QVERIFY2(told.first().at(1).toString().contains("LoginCrypt.orvex"), qPrintable(told.first().at(1).toString()));
    QCOMPARE(requests(mark), QStringList());
    QVERIFY(QFileInfo::exists(m_fx.work("TEMP/INFOADMIN.orvex")));
}

void DeploymentsTest::indexUploadFailsKeepsJournal_data()
{
    QTest::addColumn<bool>("admin");
    QTest::addColumn<QString>("permissions");
    QTest::newRow("administration journal deleted before the index went up") << true << "Entree;Bar|Entree";
    QTest::newRow("media journal") << false << "Hall;Bar|Hall|Bar";
}

void DeploymentsTest::indexUploadFailsKeepsJournal()
{
    QFETCH(bool, admin);
    QFETCH(QString, permissions);
    const QString journal = m_fx.work(admin ? "TEMP/INFOADMIN.orvex" : "TEMP/INFOMEDIA.orvex");
    QVERIFY(admin ? OperationJournal::append(journal, {"RENOMMER", "Hall", "Entree", ""})
                  : OperationJournal::append(journal, {"AJOUTER", "IMAGE/n.png", "CCC", "Bar", "3"}));
    // The import's file went up with the run that journalled it.
    SequenceFixture::writeFile(server("IMAGE/n.png"), "n");
    const QByteArray index = SequenceFixture::readFile(server("MEDIA.orvex"));
    build();
    const auto run = [&] {
        if (admin)
            m_account->start(0);
        else
            m_mediaDeploy->start({}, {}, {}, {}, {}, {}, true);
        return waitIdle([&] { return m_account->running() || m_mediaDeploy->running(); });
    };
    QSignalSpy failed(m_lists.data(), &ListTransfers::sequenceFailed);
    QVERIFY(StandIn::fault("/zobox/upload.php", "500", m_fx.account() + "/MEDIA.orvex", 3));
    QVERIFY(run());
    QCOMPARE(failed.count(), 1);
    QCOMPARE(SequenceFixture::readFile(server("MEDIA.orvex")), index);
    QVERIFY(QFileInfo::exists(journal));
    // This console's own index still lists its change (the page removes by it).
    if (!admin)
        QVERIFY(indexedPaths(m_fx.work("TEMP/MEDIA.orvex")).contains("IMAGE/n.png"));
    // The next run sends it.
    QVERIFY(run());
    QCOMPARE(failed.count(), 1);
    QCOMPARE(ClassParam().getParamCrypt(server("MEDIA.orvex"), "FILEPATHPERMISSION", 1), permissions);
    QVERIFY(!QFileInfo::exists(journal));
}

void DeploymentsTest::recordJournalledWhileTheIndexGoesUp()
{
    const QString journal = m_fx.work("TEMP/INFOMEDIA.orvex");
    QVERIFY(OperationJournal::append(journal, {"AJOUTER", "IMAGE/n.png", "CCC", "Bar", "3"}));
    SequenceFixture::writeFile(server("IMAGE/n.png"), "n");
    build();
    QVERIFY(StandIn::fault("/zobox/upload.php", "delay", m_fx.account() + "/MEDIA.orvex", 1, 600));
    m_mediaDeploy->start({}, {}, {}, {}, {}, {}, true);
    QTRY_COMPARE(m_mediaDeploy->step(), 74);
    // The page journals a grant while the merged index is on its way.
    QVERIFY(OperationJournal::append(journal, {"PERMISSION", "IMAGE/n.png", "", "Hall", ""}));
    QVERIFY(waitIdle([this] { return m_mediaDeploy->running(); }));
    QCOMPARE(ClassParam().getParamCrypt(server("MEDIA.orvex"), "FILEPATH", 1), QString("IMAGE/old.png|VIDEO/old.mp4|IMAGE/n.png"));
    // Only the merged record left the journal; the new one waits, numbered 1.
    ClassParam read;
    QVERIFY(read.getParamCrypt(journal, QStringList{"ALL"}, 1));
    QCOMPARE(read.getInfoBalise(OperationJournal::countKey()), QString("1"));
    QCOMPARE(read.getInfoBalise(OperationJournal::recordKey(1)), QString("PERMISSION|IMAGE/n.png||Hall|"));
}

void DeploymentsTest::closedWithoutReply_data()
{
    // Each upload and download step of both runs; the server reads the
    // request and closes at once, well before any stall bound.
    QTest::addColumn<bool>("media");
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("match");
    QTest::addColumn<bool>("indexSent");
    const QString upload = "/zobox/upload.php";
    const QString index = "/MEDIA.orvex";
    QTest::newRow("account: login file closed without reply counted as sent") << false << upload << "/LoginCrypt.orvex" << false;
    QTest::newRow("account: index fetch closed without reply") << false << QString() << index << false;
    QTest::newRow("account: merged index closed without reply dropped the journal") << false << upload << "/MEDIA.orvex" << false;
    QTest::newRow("account: playlist closed without reply counted as sent") << false << upload << "/B1/PLAYLIST.orvex" << true;
    QTest::newRow("media: picture closed without reply counted as sent") << true << upload << "/IMAGE/" << false;
    QTest::newRow("media: index fetch closed without reply") << true << QString() << index << false;
    QTest::newRow("media: merged index closed without reply dropped the journal") << true << upload << "/MEDIA.orvex" << false;
}

void DeploymentsTest::closedWithoutReply()
{
    QFETCH(bool, media);
    QFETCH(QString, route);
    QFETCH(QString, match);
    QFETCH(bool, indexSent);
    const QString journal = m_fx.work(media ? "TEMP/INFOMEDIA.orvex" : "TEMP/INFOADMIN.orvex");
    SequenceFixture::writeFile(m_fx.work("IMAGE/new.png"), QByteArray(4000, 'i'));
    QVERIFY(media ? OperationJournal::append(journal, {"AJOUTER", "IMAGE/new.png", "C1", "Hall", "4000"})
                  : OperationJournal::append(journal, {"RENOMMER", "Hall", "Entree", ""}));
    const QByteArray index = SequenceFixture::readFile(server("MEDIA.orvex"));
    const QByteArray login = SequenceFixture::readFile(server("LoginCrypt.orvex"));
    build();
    // Uploads name their folder as "zo_x/"; the index fetch its path.
    const QString target = route.isEmpty() ? '/' + m_fx.account() + match
        : match.startsWith("/IMAGE/") ? match : m_fx.account() + match;
    // Qt itself sends a request again twice when it gets no reply: every try
    // of every sequence step fails.
    QVERIFY(StandIn::fault(route, "hangup", target, 9));
    QSignalSpy failed(m_lists.data(), &ListTransfers::sequenceFailed);
    QSignalSpy deployed(m_account.data(), &AccountDeployment::signalDeployed);
    JournalDeployment *machine = media ? static_cast<JournalDeployment *>(m_mediaDeploy.data())
                                       : static_cast<JournalDeployment *>(m_account.data());
    QSignalSpy corrupt(machine, &JournalDeployment::signalCorrupt);
    QSignalSpy connection(machine, &JournalDeployment::signalErreurConnexion);
    if (media)
        m_mediaDeploy->start({"IMAGE/new.png"}, {}, {}, {}, {}, {}, true);
    else
        m_account->start(1);
    QVERIFY(waitIdle([&] { return m_account->running() || m_mediaDeploy->running(); }));
    StandIn::reset(target);
    // One failure box, no success.
    QCOMPARE(failed.count() + corrupt.count() + connection.count(), 1);
    QCOMPARE(deployed.count(), 0);
    if (!indexSent) {
        QCOMPARE(SequenceFixture::readFile(server("MEDIA.orvex")), index);
        QVERIFY(QFileInfo::exists(journal));
    }
    if (match == "/LoginCrypt.orvex")
        QCOMPARE(SequenceFixture::readFile(server("LoginCrypt.orvex")), login);
}

void DeploymentsTest::loginFileReadBack_data()
{
    // What the server holds once the upload has ended, and how its reads answer.
    // "as sent", "unstored", "other", "on top", "cut", "same box": another
    // console's file, with the box B1 named since
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("fault");  // a fault on the reads back, "" none
    QTest::addColumn<int>("count");      // ... for that many reads
    QTest::addColumn<QString>("text");   // "" for a success
    QTest::newRow("login file answered 200 without being stored counted as sent")
        << "unstored" << "" << 0 << AccountDeployment::loginNotStoredText();
    // The rows this console changed go back on the other's file.
    QTest::newRow("login file replaced by another console right after its upload lost its boxes")
        << "other" << "" << 0 << QString();
    QTest::newRow("box changed by another console right after the upload overwritten or lost unseen")
        << "same box" << "" << 0
        << AccountDeployment::lostRowsText({LoginRows::lostText("PLAYERLIST:B1", "changed")});
    // Another console's save made after this one still holds the change.
    QTest::newRow("another console's file holding the change") << "on top" << "" << 0 << QString();
    QTest::newRow("login file stored without its fingerprint line counted as sent")
        << "cut" << "" << 0 << AccountDeployment::loginDamagedText();
    QTest::newRow("login read-back answered with a page blamed on another administrator")
        << "as sent" << "body" << 3 << AccountDeployment::loginDamagedText();
    QTest::newRow("login read-back answered 500 once told as a connection problem")
        << "as sent" << "500" << 1 << QString();
    QTest::newRow("login read-back answered 500 told as a connection problem")
        << "as sent" << "500" << 3 << AccountDeployment::loginUncheckedText();
    QTest::newRow("login read-back held past the stall limit told as a connection problem")
        << "as sent" << "noanswer" << 3 << AccountDeployment::loginUncheckedText();
}

void DeploymentsTest::loginFileReadBack()
{
    QFETCH(QString, server);
    QFETCH(QString, fault);
    QFETCH(int, count);
    QFETCH(QString, text);
    const QString remote = this->server("LoginCrypt.orvex");
    QVERIFY(writeParams(remote, {{"MOTDEPASSE", "Secret12345"}, {"PLAYERLIST", "B1"}, {"USERNOM", "Old"}}));
    QVERIFY(ClassParam().setParamCrypt(m_fx.work("LoginCrypt.orvex"), "USERNOM", "Old"));
    QVERIFY(OperationJournal::append(m_fx.work("TEMP/INFOADMIN.orvex"), {"RENOMMER", "Hall", "Entree", ""}));
    const QByteArray index = SequenceFixture::readFile(this->server("MEDIA.orvex"));
    const QByteArray before = SequenceFixture::readFile(remote);
    // A silent server is about the stall bound: only then is it shortened.
    std::optional<TimeScale::ShortTimeouts> shorter;
    if (fault == "noanswer")
        shorter.emplace(50);
    build();
    if (server == "unstored")
        QVERIFY(StandIn::fault("/zobox/upload.php", "body", m_fx.account() + "/LoginCrypt.orvex", 1));
    // Held right after the upload, while the server's file changes.
    bool held = false;
    int last = 0;
    connect(m_t1.data(), &QTimer::timeout, this, [&] {
        if (!held && last == 3 && m_account->step() != 3) {
            held = true;
            m_t1->stop();
        }
        last = m_account->step();
    });
    QSignalSpy deployed(m_account.data(), &AccountDeployment::signalDeployed);
    QSignalSpy stored(m_account.data(), &AccountDeployment::signalLoginStored);
    QSignalSpy told(m_account.data(), &AccountDeployment::signalInformation);
    QSignalSpy connection(m_account.data(), &AccountDeployment::signalErreurConnexion);
    m_account->start(0);
    QTRY_VERIFY(held);
    const QByteArray sent = SequenceFixture::readFile(m_fx.work("LoginCrypt.orvex"));
    if (server == "other") {
        QVERIFY(writeParams(remote, {{"MOTDEPASSE", "Secret12345"}, {"PLAYERLIST", "B1|B9"}, {"USERNOM", "Old"}}));
    } else if (server == "same box") {
        QVERIFY(writeParams(remote, {{"MOTDEPASSE", "Secret12345"}, {"PLAYERLIST", "B1"}, {"PLAYERLISTNAME", "Hall"},
                                     {"USERNOM", "Old"}}));
    } else if (server == "on top") {
        QVERIFY(SequenceFixture::readFile(remote) == sent);
        QVERIFY(ClassParam().setParamCrypt(remote, "USERNOM", "Other"));
    } else if (server == "cut") {
        // Every key still there, the fingerprint line (its last 52 characters) lost.
        QCOMPARE(SequenceFixture::readFile(remote), sent);
        SequenceFixture::writeFile(remote, sent.left(sent.size() - 104));
        QCOMPARE(ClassParam().getParamCrypt(remote, "USERPASSWORD", 0), QString("canary-7731"));
        QCOMPARE(ClassParam().getParamCrypt(remote, "USERPASSWORD", 1), QString("FileError"));
    }
    if (!fault.isEmpty())
        QVERIFY(StandIn::fault(QString(), fault, '/' + m_fx.account() + "/LoginCrypt.orvex", count,
                               fault == "noanswer" ? 3000 : 0,
                               "<html><body>Portail: connectez-vous</body></html>"));
    const QByteArray theirs = SequenceFixture::readFile(remote);
    m_t1->start();
    QVERIFY(waitIdle([this] { return m_account->running(); }));
    StandIn::reset('/' + m_fx.account() + "/LoginCrypt.orvex");
    StandIn::reset(m_fx.account() + "/LoginCrypt.orvex");
    QCOMPARE(connection.count(), 0);
    if (server == "other" || server == "same box") {
        // Its file with this console's rows put back (B1 only where the other
        // console left it as it was), sent, read back: the local file too.
        ClassParam read;
        QCOMPARE(read.getParamCrypt(remote, "PLAYERLIST", 0), QString(server == "other" ? "B1|B9|B2" : "B1|B2"));
        QCOMPARE(read.getParamCrypt(remote, "PLAYERLISTNAME", 0), QString(server == "other" ? "||" : "Hall|"));
        QCOMPARE(read.getParamCrypt(remote, "PLAYERLISTTOPLAYLIST", 0),
                 QString(server == "other" ? "PLAYLIST-Matin;PLAYLIST-Soir||" : "|"));
        QCOMPARE(SequenceFixture::readFile(m_fx.work("LoginCrypt.orvex")), SequenceFixture::readFile(remote));
        QCOMPARE(stored.count(), 1);
        QCOMPARE(deployed.count(), 1);
        QCOMPARE(told.count(), text.isEmpty() ? 0 : 1);
        if (!text.isEmpty())
            QCOMPARE(told.first().at(1).toString(), text);
        return;
    }
    // The server's file is left as it is; the local one keeps the change.
    QCOMPARE(SequenceFixture::readFile(remote), server == "unstored" ? before : theirs);
    QCOMPARE(SequenceFixture::readFile(m_fx.work("LoginCrypt.orvex")), sent);
    if (text.isEmpty()) {
        QCOMPARE(told.count(), 0);
        QCOMPARE(stored.count(), 1);
        QCOMPARE(deployed.count(), 1);
        return;
    }
    QCOMPARE(told.count(), 1);
    QCOMPARE(told.first().at(1).toString(), text);
    // No success: the change stays pending with its journal, the index untouched.
    QCOMPARE(stored.count(), 0);
    QCOMPARE(deployed.count(), 0);
    QVERIFY(QFileInfo::exists(m_fx.work("TEMP/INFOADMIN.orvex")));
    QCOMPARE(SequenceFixture::readFile(this->server("MEDIA.orvex")), index);
    QCOMPARE(m_account->loginReference(), QString());
}

void DeploymentsTest::unreadableServerLoginFileKept_data()
{
    QTest::addColumn<QString>("answer"); // "page", "cut"
    QTest::newRow("login check answered with a page copied over the local file") << "page";
    QTest::newRow("login check answered with a copy cut short copied over the local file") << "cut";
}

// The server's copy fetched before an administration upload that is not a
// whole login file never replaces the local one: nothing is sent, the edit
// is kept and the user is told the server's copy could not be read.
void DeploymentsTest::unreadableServerLoginFileKept()
{
    QFETCH(QString, answer);
    const QString remote = server("LoginCrypt.orvex");
    QVERIFY(writeParams(remote, {{"MOTDEPASSE", "Secret12345"}, {"PLAYERLIST", "B1"}, {"USERNOM", "Other"}}));
    const QByteArray whole = SequenceFixture::readFile(remote);
    if (answer == "cut")
        SequenceFixture::writeFile(remote, whole.left(whole.size() / 2));
    const QByteArray serverBefore = SequenceFixture::readFile(remote);
    const QByteArray local = SequenceFixture::readFile(m_fx.work("LoginCrypt.orvex"));
    build();
    // This console read another copy: the server's would be loaded in its place.
    m_account->setLoginReference("0123456789ABCDEF0123456789ABCDEF");
    if (answer == "page")
        QVERIFY(StandIn::fault(QString(), "body", '/' + m_fx.account() + "/LoginCrypt.orvex", 1, 0,
                               "<html><body>Portail: connectez-vous</body></html>"));
    QSignalSpy told(m_account.data(), &AccountDeployment::signalInformation);
    QSignalSpy reloaded(m_account.data(), &AccountDeployment::signalLoginChanged);
    QSignalSpy deployed(m_account.data(), &AccountDeployment::signalDeployed);
    const qint64 mark = StandIn::mark();
    m_account->start(0);
    QVERIFY(waitIdle([this] { return m_account->running(); }));
    StandIn::reset('/' + m_fx.account() + "/LoginCrypt.orvex");
    QCOMPARE(reloaded.count(), 0);
    QCOMPARE(deployed.count(), 0);
    QCOMPARE(told.count(), 1);
    QCOMPARE(told.first().at(1).toString(), AccountDeployment::serverLoginUnreadableText());
    QCOMPARE(SequenceFixture::readFile(m_fx.work("LoginCrypt.orvex")), local);
    QCOMPARE(SequenceFixture::readFile(remote), serverBefore);
    QVERIFY2(!requests(mark).join(' ').contains("UPLOAD"), qPrintable(requests(mark).join(", ")));
}

void DeploymentsTest::localFileErrorEndsTheRunOnce_data()
{
    QTest::addColumn<bool>("admin");
    QTest::newRow("account deployment") << true;
    QTest::newRow("media deployment") << false;
}

void DeploymentsTest::localFileErrorEndsTheRunOnce()
{
    QFETCH(bool, admin);
    const QString journal = m_fx.work(admin ? "TEMP/INFOADMIN.orvex" : "TEMP/INFOMEDIA.orvex");
    QVERIFY(OperationJournal::append(journal, {"SUPPRIMER", "", "", "Hall"}));
    // A folder where the index is fetched to cannot be replaced.
    QVERIFY(QDir().mkpath(m_fx.work("TEMP/MEDIA.orvex")));
    build();
    QSignalSpy boxes(admin ? static_cast<JournalDeployment *>(m_account.data()) : m_mediaDeploy.data(),
                     &JournalDeployment::signalCorrupt);
    const qint64 mark = StandIn::mark();
    if (admin)
        m_account->start(0);
    else
        m_mediaDeploy->start({}, {}, {}, {}, {}, {}, true);
    QVERIFY(waitIdle([this] { return m_account->running() || m_mediaDeploy->running(); }, 5000));
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.at(0).at(0).toString(), QString("Suppression du fichier impossible"));
    QVERIFY(!requests(mark).contains("UPLOAD MEDIA.orvex"));
    QVERIFY(QFileInfo::exists(journal));
}

void DeploymentsTest::fullDiskEndsTheRun_data()
{
    QTest::addColumn<bool>("admin");
    QTest::addColumn<QString>("file");   // the local file that cannot be written
    QTest::addColumn<int>("step");       // the disk fills up at this step (-1: from the start)
    QTest::addColumn<int>("downloads");  // ... once this many downloads of the step ended
    QTest::addColumn<QString>("big");    // a server file longer than the room left
    QTest::addColumn<int>("room");       // bytes a file may take (0: the server's index)
    const QString sent = SentMediaRecords::fileName();
    QTest::newRow("media: index fetched onto a full disk told as a corrupt index")
        << false << "TEMP/MEDIA.orvex" << -1 << 0 << "MEDIA.orvex" << 2000;
    QTest::newRow("media: merged index not written told as a connection problem")
        << false << "TEMP/SEND/MEDIA.orvex" << 72 << 0 << "" << 0;
    QTest::newRow("media: index read back onto a full disk told as a corrupt index")
        << false << "TEMP/CHECK/MEDIA.orvex" << 76 << 0 << "" << 100;
    QTest::newRow("media: sent records not written, the journal emptied unsaid")
        << false << "TEMP/" + sent << 76 << 1 << "" << 100;
    QTest::newRow("account: server's login file fetched onto a full disk told as a connection problem")
        << true << "TEMP/LoginCrypt.orvex" << -1 << 0 << "LoginCrypt.orvex" << 2000;
    QTest::newRow("account: server's newer login file not copied in told as reloaded")
        << true << "LoginCrypt.orvex" << 21 << 1 << "LoginCrypt.orvex" << 2000;
    QTest::newRow("account: login file read back onto a full disk told as a connection problem")
        << true << "TEMP/LoginCrypt.orvex" << 22 << 0 << "" << 100;
    QTest::newRow("account: merged index not written told as a connection problem")
        << true << "TEMP/SEND/MEDIA.orvex" << 6 << 0 << "" << 0;
    QTest::newRow("account: playlist not written told once per box without its disk")
        << true << "TEMP/PLAYLIST.orvex" << 13 << 0 << "" << 100;
}

// A local write that fails ends the run with one box naming the disk and
// the file: no connection error, no success, the journal whole and nothing
// sent after it.
void DeploymentsTest::fullDiskEndsTheRun()
{
    QFETCH(bool, admin);
    QFETCH(QString, file);
    QFETCH(int, step);
    QFETCH(int, downloads);
    QFETCH(QString, big);
    QFETCH(int, room);
    const QString journal = m_fx.work(admin ? "TEMP/INFOADMIN.orvex" : "TEMP/INFOMEDIA.orvex");
    QVERIFY(admin ? OperationJournal::append(journal, {"RENOMMER", "Hall", "Entree", ""})
                  : OperationJournal::append(journal, {"AJOUTER", "IMAGE/n.png", "CCC", "Bar", "3"}));
    SequenceFixture::writeFile(server("IMAGE/n.png"), "n");
    if (big == "MEDIA.orvex")
        QVERIFY(ClassParam().setParamCrypt(server(big), "NOTE", QString(4000, 'n')));
    if (big == "LoginCrypt.orvex") {
        QVERIFY(QFile::copy(m_fx.work(big), server(big)));
        QVERIFY(ClassParam().setParamCrypt(server(big), "NOTE", QString(4000, 'n')));
    }
    const QByteArray journalBefore = SequenceFixture::readFile(journal);
    const QByteArray loginBefore = SequenceFixture::readFile(m_fx.work("LoginCrypt.orvex"));
    build();
    // This console read an older copy: the server's one is to be loaded instead.
    if (step == 21)
        m_account->setLoginReference("0123456789ABCDEF0123456789ABCDEF");
    JournalDeployment *machine = admin ? static_cast<JournalDeployment *>(m_account.data())
                                       : static_cast<JournalDeployment *>(m_mediaDeploy.data());
    const auto now = [&] { return admin ? m_account->step() : m_mediaDeploy->step(); };
    const rlim_t bytes = room > 0 ? rlim_t(room) : rlim_t(QFileInfo(server("MEDIA.orvex")).size());
    std::unique_ptr<FullDisk> full;
    qint64 mark = StandIn::mark();
    const auto fill = [&] {
        if (full)
            return;
        full.reset(new FullDisk(bytes));
        QVERIFY(full->isSet());
        mark = StandIn::mark();
    };
    if (step < 0)
        fill();
    int ended = 0;
    connect(m_fx.m_api.data(), &HttpFileApi::signalTransferEnded, this, [&](int operation, bool ok) {
        if (downloads > 0 && operation == HttpFileApi::OpDownload && ok && now() == step && ++ended == downloads)
            fill();
    });
    // Runs right after each step of the machine, before its next tick.
    connect(admin ? m_t1.data() : m_t2.data(), &QTimer::timeout, this, [&] {
        if (downloads == 0 && now() == step)
            fill();
    });
    QSignalSpy corrupt(machine, &JournalDeployment::signalCorrupt);
    QSignalSpy connection(machine, &JournalDeployment::signalErreurConnexion);
    QSignalSpy told(m_account.data(), &AccountDeployment::signalInformation);
    QSignalSpy reloaded(m_account.data(), &AccountDeployment::signalLoginChanged);
    QSignalSpy deployed(m_account.data(), &AccountDeployment::signalDeployed);
    if (admin)
        m_account->start(1);
    else
        m_mediaDeploy->start({}, {}, {}, {}, {}, {}, true);
    const bool idle = waitIdle([&] { return machine->running(); });
    const bool filled = bool(full);
    full.reset();
    QVERIFY(idle);
    QVERIFY(filled);
    QCOMPARE(connection.count(), 0);
    QCOMPARE(told.count(), 0);
    QCOMPARE(reloaded.count(), 0);
    QCOMPARE(deployed.count(), 0);
    QCOMPARE(corrupt.count(), 1);
    const QString text = corrupt.at(0).at(0).toString();
    QVERIFY2(text.contains(m_fx.work(file)) && text.contains(LocalWriteError::diskOf(m_fx.work(file)))
                 && !text.contains("corrompu"),
             qPrintable(text));
    // Kept whole, unless the index holding its records went up before.
    if (admin && step == 13)
        QVERIFY(!QFileInfo::exists(journal));
    else
        QCOMPARE(SequenceFixture::readFile(journal), journalBefore);
    QCOMPARE(SequenceFixture::readFile(m_fx.work("LoginCrypt.orvex")), loginBefore);
    QVERIFY2(!requests(mark).join(' ').contains("UPLOAD"), qPrintable(requests(mark).join(", ")));
}

void DeploymentsTest::mediaDeployment()
{
    serverHoldsItsIndex();
    SequenceFixture::writeFile(m_fx.work("IMAGE/new.png"), QByteArray(4000, 'i'));
    SequenceFixture::writeFile(m_fx.work("VIDEO/new.mp4"), QByteArray(9000, 'v'));
    QVERIFY(OperationJournal::append(m_fx.work("TEMP/INFOMEDIA.orvex"), {"SUPPRIMER", "IMAGE/old.png", "", "", ""}));
    QVERIFY(OperationJournal::append(m_fx.work("TEMP/INFOMEDIA.orvex"), {"SUPPRIMER", "VIDEO/old.mp4", "", "", ""}));
    QVERIFY(OperationJournal::append(m_fx.work("TEMP/INFOMEDIA.orvex"), {"AJOUTER", "IMAGE/new.png", "C1", "Hall", "4000"}));
    QVERIFY(OperationJournal::append(m_fx.work("TEMP/INFOMEDIA.orvex"), {"AJOUTER", "VIDEO/new.mp4", "C2", "Bar", "9000"}));
    build();
    const qint64 mark = StandIn::mark();
    m_mediaDeploy->start({"IMAGE/new.png"}, {"old.png"}, {"VIDEO/new.mp4"}, {"old.mp4"}, {}, {}, true);
    QVERIFY(waitIdle([this] { return m_mediaDeploy->running(); }));
    // The imports' names are made sure of before they go up.
    QCOMPARE(requests(mark), (QStringList{"DELETE_FILE IMAGE/old.png", "DELETE_FILE VIDEO/old.mp4", "SCANDIR IMAGE",
                                          "SCANDIR VIDEO", "UPLOAD IMAGE/new.png", "UPLOAD VIDEO/new.mp4",
                                          "SCANDIR IMAGE", "SCANDIR VIDEO"} + kMediaIndexRound));
    QCOMPARE(SequenceFixture::readFile(server("VIDEO/new.mp4")), QByteArray(9000, 'v'));
    ClassParam read;
    QCOMPARE(read.getParamCrypt(server("MEDIA.orvex"), "FILEPATH", 1), QString("IMAGE/new.png|VIDEO/new.mp4"));
    QCOMPARE(read.getParamCrypt(server("MEDIA.orvex"), "FILECHK", 1), QString("C1|C2"));
    QCOMPARE(read.getParamCrypt(server("MEDIA.orvex"), "FILEPATHPERMISSION", 1), QString("Hall|Bar"));
    QVERIFY(!QFileInfo::exists(m_fx.work("TEMP/INFOMEDIA.orvex")));
}

void DeploymentsTest::mediaNothingToSend()
{
    build();
    const qint64 mark = StandIn::mark();
    m_mediaDeploy->start({}, {}, {}, {}, {}, {}, false);
    QVERIFY(!m_mediaDeploy->running());
    QTest::qWait(50);
    QCOMPARE(requests(mark), QStringList{});
}

void DeploymentsTest::mediaUploadFails()
{
    SequenceFixture::writeFile(m_fx.work("IMAGE/new.png"), QByteArray(4000, 'i'));
    QVERIFY(OperationJournal::append(m_fx.work("TEMP/INFOMEDIA.orvex"), {"AJOUTER", "IMAGE/new.png", "C1", "Hall", "4000"}));
    const QByteArray before = SequenceFixture::readFile(server("MEDIA.orvex"));
    build();
    QVERIFY(StandIn::fault("/zobox/upload.php", "500", "/IMAGE/", 3));
    QSignalSpy failed(m_lists.data(), &ListTransfers::sequenceFailed);
    m_mediaDeploy->start({"IMAGE/new.png"}, {}, {}, {}, {}, {}, true);
    QVERIFY(waitIdle([this] { return m_mediaDeploy->running(); }));
    QCOMPARE(failed.count(), 1);
    // The index does not name a file the server lacks; the journal waits.
    QCOMPARE(SequenceFixture::readFile(server("MEDIA.orvex")), before);
    QVERIFY(QFileInfo::exists(m_fx.work("TEMP/INFOMEDIA.orvex")));
}

// The end of an upload brings the machine's next tick forward: with a
// timer of a minute, the step after the uploads still comes at once, and
// the timer keeps its interval.
void DeploymentsTest::mediaUploadWaitedForTheNextTick()
{
    SequenceFixture::writeFile(m_fx.work("IMAGE/new.png"), QByteArray(4000, 'i'));
    build();
    m_t2->setInterval(60000);
    QSignalSpy ended(m_fx.m_api.data(), &HttpFileApi::signalTransferEnded);
    m_mediaDeploy->start({"IMAGE/new.png"}, {}, {}, {}, {}, {}, false);
    // The first steps by hand, the timer held, up to the upload sent; the
    // listing of the imports' folder before it is answered meanwhile.
    m_t2->stop();
    QTRY_VERIFY_WITH_TIMEOUT((m_mediaDeploy->slotProcessDeployMedia(),
                              !ended.isEmpty() || m_fx.m_api->requestsInFlight() > 0), 20000);
    QCOMPARE(m_mediaDeploy->step(), 43);
    m_t2->start();
    QVERIFY(ended.wait(10000));
    QTRY_VERIFY(m_mediaDeploy->step() > 43);
    QCOMPARE(SequenceFixture::readFile(server("IMAGE/new.png")), QByteArray(4000, 'i'));
    // Steps that move on go at once; the run over, the timer has its minute again.
    QVERIFY(waitIdle([this] { return m_mediaDeploy->running(); }));
    QCOMPARE(m_t2->interval(), 60000);
    m_t2->stop();
}

// Only the steps that wait for a transfer keep the timer's pace: with a
// timer of ten minutes, a whole run (its folder listing, index fetches,
// upload and read-back) ends after its first tick.
void DeploymentsTest::mediaRunWaitedATickPerStep()
{
    QVERIFY(journalImport("IMAGE/new.png", "C1", 4000));
    build();
    m_t2->setInterval(600000);
    m_mediaDeploy->start({"IMAGE/new.png"}, {}, {}, {}, {}, {}, true);
    m_mediaDeploy->slotProcessDeployMedia();
    // Far below the timer's interval: the row fails on a tick, not on load.
    QTRY_VERIFY_WITH_TIMEOUT(!m_mediaDeploy->running(), 120000);
    QVERIFY(serverIndexed().contains("IMAGE/new.png"));
    QCOMPARE(m_t2->interval(), 600000);
}

QStringList DeploymentsTest::serverIndexed() const
{
    return indexedPaths(server("MEDIA.orvex"), 1);
}

QStringList DeploymentsTest::serverFiles() const
{
    return mediaFilesBelow(m_fx.tree(m_fx.account()));
}

void DeploymentsTest::serverHoldsItsIndex()
{
    SequenceFixture::writeFile(server("IMAGE/old.png"), "x");
    SequenceFixture::writeFile(server("VIDEO/old.mp4"), "y");
}

bool DeploymentsTest::journalImport(const QString &path, const QString &sum, int bytes)
{
    SequenceFixture::writeFile(m_fx.work(path), QByteArray(bytes, path.at(path.indexOf('/') + 1).toLatin1()));
    return OperationJournal::append(m_fx.work("TEMP/INFOMEDIA.orvex"),
                                    {"AJOUTER", path, sum, "Hall", QString::number(bytes)});
}

void DeploymentsTest::mediaFailedRunGoesWithTheNextRun_data()
{
    QTest::addColumn<bool>("removedMeanwhile");
    QTest::newRow("failed upload journalled but never sent again") << false;
    QTest::newRow("failed upload removed before the next run") << true;
}

// A run whose upload gave up keeps its lists: the next hand-on sends them
// with its own, so the index the server gets names what its folders hold.
void DeploymentsTest::mediaFailedRunGoesWithTheNextRun()
{
    QFETCH(bool, removedMeanwhile);
    const QString journal = m_fx.work("TEMP/INFOMEDIA.orvex");
    serverHoldsItsIndex();
    SequenceFixture::writeFile(m_fx.work("VIDEO/clip.mp4"), QByteArray(5000, 'v'));
    SequenceFixture::writeFile(m_fx.work("IMAGE/late.png"), QByteArray(3000, 'l'));
    QVERIFY(OperationJournal::append(journal, {"AJOUTER", "VIDEO/clip.mp4", "C1", "Hall", "5000"}));
    build();
    QVERIFY(StandIn::fault("/zobox/upload.php", "500", "/VIDEO/", 3));
    QSignalSpy failed(m_lists.data(), &ListTransfers::sequenceFailed);
    m_mediaDeploy->start({}, {}, {"VIDEO/clip.mp4"}, {}, {}, {}, false);
    QVERIFY(waitIdle([this] { return m_mediaDeploy->running(); }));
    QCOMPARE(failed.count(), 1);
    QVERIFY(!QFileInfo::exists(server("VIDEO/clip.mp4")));
    QVERIFY(QFileInfo::exists(journal));

    if (removedMeanwhile) {
        QVERIFY(QFile::remove(m_fx.work("VIDEO/clip.mp4")));
        QVERIFY(OperationJournal::append(journal, {"SUPPRIMER", "VIDEO/clip.mp4", "C1", "Hall", "5000"}));
        m_mediaDeploy->start({}, {}, {}, {"clip.mp4"}, {}, {}, false);
        QVERIFY(waitIdle([this] { return m_mediaDeploy->running(); }));
    }
    QVERIFY(OperationJournal::append(journal, {"AJOUTER", "IMAGE/late.png", "C2", "Hall", "3000"}));
    const qint64 mark = StandIn::mark();
    m_mediaDeploy->start({"IMAGE/late.png"}, {}, {}, {}, {}, {}, false);
    QVERIFY(waitIdle([this] { return m_mediaDeploy->running(); }));
    QCOMPARE(failed.count(), 1);
    QVERIFY(!QFileInfo::exists(journal));
    if (!removedMeanwhile) {
        QCOMPARE(requests(mark), (QStringList{"SCANDIR IMAGE", "SCANDIR VIDEO", "UPLOAD IMAGE/late.png",
                                              "UPLOAD VIDEO/clip.mp4", "SCANDIR IMAGE", "SCANDIR VIDEO"}
                                  + kMediaIndexRound));
        QCOMPARE(SequenceFixture::readFile(server("VIDEO/clip.mp4")), QByteArray(5000, 'v'));
    }
    QCOMPARE(serverIndexed(), serverFiles());
}

// The file went up but the index could not be fetched: the journal waits,
// and the next hand-on, even an empty one, merges it.
void DeploymentsTest::mediaIndexFetchFailedMergesAtTheNextHandOn()
{
    const QString journal = m_fx.work("TEMP/INFOMEDIA.orvex");
    serverHoldsItsIndex();
    QVERIFY(journalImport("IMAGE/a.png", "C1", 3000));
    build();
    const QString index = '/' + m_fx.account() + "/MEDIA.orvex";
    QVERIFY(StandIn::fault(QString(), "500", index, 3));
    QSignalSpy corrupt(m_mediaDeploy.data(), &MediaDeployment::signalCorrupt);
    m_mediaDeploy->start({"IMAGE/a.png"}, {}, {}, {}, {}, {}, false);
    QVERIFY(waitIdle([this] { return m_mediaDeploy->running(); }));
    QVERIFY(StandIn::reset(index));
    QCOMPARE(corrupt.count(), 1);
    QVERIFY(QFileInfo::exists(server("IMAGE/a.png")));
    QVERIFY(QFileInfo::exists(journal));

    const qint64 mark = StandIn::mark();
    m_mediaDeploy->start({}, {}, {}, {}, {}, {}, false);
    QVERIFY(waitIdle([this] { return m_mediaDeploy->running(); }));
    QCOMPARE(requests(mark), QStringList{"SCANDIR IMAGE"} + kMediaIndexRound);
    QVERIFY(!QFileInfo::exists(journal));
    QCOMPARE(serverIndexed(), serverFiles());
}

void DeploymentsTest::mediaHandedOnWhileRunningIsNotLost()
{
    for (const char *name : {"a.png", "b.png", "c.png"})
        SequenceFixture::writeFile(m_fx.work(QString("IMAGE/") + name), QByteArray(3000, name[0]));
    build();
    const qint64 mark = StandIn::mark();
    m_mediaDeploy->start({"IMAGE/a.png"}, {}, {}, {}, {}, {}, true);
    QTRY_VERIFY(requests(mark).contains("UPLOAD IMAGE/a.png"));
    // Handed on while the first run goes on; c.png is removed before it went.
    m_mediaDeploy->start({"IMAGE/b.png", "IMAGE/c.png"}, {}, {}, {}, {}, {}, true);
    m_mediaDeploy->start({}, {"c.png"}, {}, {}, {}, {}, true);
    QVERIFY(waitIdle([this] { return m_mediaDeploy->running(); }));
    QCOMPARE(requests(mark), (QStringList{"SCANDIR IMAGE", "UPLOAD IMAGE/a.png"} + kMediaIndexRound
                              + QStringList{"DELETE_FILE IMAGE/c.png", "SCANDIR IMAGE", "UPLOAD IMAGE/b.png"}
                              + kMediaIndexRound));
    QVERIFY(!QFileInfo::exists(server("IMAGE/c.png")));
}

void DeploymentsTest::mediaChangeBeforeTheMergeGoesWithTheRun()
{
    SequenceFixture::writeFile(m_fx.work("IMAGE/a.png"), QByteArray(3000, 'a'));
    build();
    const qint64 mark = StandIn::mark();
    // A grant journalled once the upload is over, before the merge, is
    // merged by this run: no second run.
    bool handed = false;
    const QMetaObject::Connection hook =
        connect(m_fx.m_api.data(), &HttpFileApi::signalTransferEnded, this, [&](int operation, bool) {
            if (operation != HttpFileApi::OpUpload || handed)
                return;
            handed = true;
            m_mediaDeploy->start({}, {}, {}, {}, {}, {}, true);
        });
    m_mediaDeploy->start({"IMAGE/a.png"}, {}, {}, {}, {}, {}, true);
    QVERIFY(waitIdle([this] { return m_mediaDeploy->running(); }));
    disconnect(hook);
    QVERIFY(handed);
    QCOMPARE(requests(mark), (QStringList{"SCANDIR IMAGE", "UPLOAD IMAGE/a.png"} + kMediaIndexRound));
}

void DeploymentsTest::mediaUploadNotStored_data()
{
    QTest::addColumn<QString>("lost"); // the import whose upload is answered 200 and not stored
    QTest::newRow("picture answered 200 without storing was published") << "IMAGE/new.png";
    QTest::newRow("video answered 200 without storing was published") << "VIDEO/new.mp4";
}

// A proxy or a full disk that still answers: the index publishes only what
// the server's folders hold; the rest stays in the journal, is named, and
// goes again with the next hand-on.
void DeploymentsTest::mediaUploadNotStored()
{
    QFETCH(QString, lost);
    const QString journal = m_fx.work("TEMP/INFOMEDIA.orvex");
    serverHoldsItsIndex();
    QVERIFY(journalImport("IMAGE/new.png", "C1", 4000));
    QVERIFY(journalImport("VIDEO/new.mp4", "C2", 9000));
    const QStringList picture{"AJOUTER", "IMAGE/new.png", "C1", "Hall", "4000"};
    const QStringList video{"AJOUTER", "VIDEO/new.mp4", "C2", "Hall", "9000"};
    build();
    const QString match = m_fx.account() + '/' + lost;
    QVERIFY(StandIn::fault("/zobox/upload.php", "body", match, 3));
    QSignalSpy corrupt(m_mediaDeploy.data(), &MediaDeployment::signalCorrupt);
    m_mediaDeploy->start({"IMAGE/new.png"}, {}, {"VIDEO/new.mp4"}, {}, {}, {}, true);
    QVERIFY(waitIdle([this] { return m_mediaDeploy->running(); }));
    QVERIFY(StandIn::reset(match));
    QVERIFY(!QFileInfo::exists(server(lost)));
    QCOMPARE(corrupt.count(), 1);
    QCOMPARE(corrupt.at(0).at(0).toString(), MediaDeployment::notStoredText({lost}));
    // The other import is published; the lost one is not, and waits.
    QCOMPARE(serverIndexed(), serverFiles());
    QCOMPARE(serverIndexed().size(), 3);
    QCOMPARE(OperationJournal::records(journal), QList<QStringList>{lost == picture.at(1) ? picture : video});

    const qint64 mark = StandIn::mark();
    m_mediaDeploy->start({}, {}, {}, {}, {}, {}, false);
    QVERIFY(waitIdle([this] { return m_mediaDeploy->running(); }));
    QCOMPARE(corrupt.count(), 1);
    QCOMPARE(requests(mark).mid(0, 2), (QStringList{"SCANDIR " + lost.section('/', 0, 0), "UPLOAD " + lost}));
    QVERIFY(!QFileInfo::exists(journal));
    QCOMPARE(serverIndexed(), serverFiles());
    QCOMPARE(serverIndexed().size(), 4);
}

// Another console published a video after this one's import was counted:
// the import no longer fits and leaves the server again.
void DeploymentsTest::mediaOverQuotaAfterAnotherConsole()
{
    const QString journal = m_fx.work("TEMP/INFOMEDIA.orvex");
    serverHoldsItsIndex();
    SequenceFixture::writeFile(server("VIDEO/theirs.mp4"), "z");
    QVERIFY(writeParams(server("MEDIA.orvex"), {{"FILEPATH", "IMAGE/old.png|VIDEO/old.mp4|VIDEO/theirs.mp4"},
                                                 {"FILECHK", "AAA|BBB|CCC"},
                                                 {"FILESIZE", "1|2|2000000"},
                                                 {"FILEPATHPERMISSION", "Hall;Bar|Hall|Hall"},
                                                 {"ID", "5"}}));
    QVERIFY(journalImport("VIDEO/mine.mp4", "C1", 2000000));
    build();
    m_mediaDeploy->setQuotaRule(&MediaLibrary::fitsQuota);
    m_mediaDeploy->setQuota(3);
    QSignalSpy corrupt(m_mediaDeploy.data(), &MediaDeployment::signalCorrupt);
    m_mediaDeploy->start({}, {}, {"VIDEO/mine.mp4"}, {}, {}, {}, true);
    QVERIFY(waitIdle([this] { return m_mediaDeploy->running(); }));
    QCOMPARE(corrupt.count(), 1);
    QCOMPARE(corrupt.at(0).at(0).toString(), MediaDeployment::overQuotaText({"VIDEO/mine.mp4"}));
    QVERIFY(!QFileInfo::exists(server("VIDEO/mine.mp4")));
    QCOMPARE(serverIndexed(), serverFiles());
    QVERIFY(!QFileInfo::exists(journal));
}

void DeploymentsTest::importNameTakenOnTheServer_data()
{
    QTest::addColumn<QString>("path");     // the import, stored under the second it was made
    QTest::addColumn<QString>("theirs");   // what the server holds under that name
    QTest::addColumn<QStringList>("taken"); // other names the server holds
    QTest::addColumn<QString>("sentAs");
    // Another console imported a file of the same name in the same second.
    QTest::newRow("picture of the same name another console published was replaced on the server")
        << "IMAGE/photo-101010.png" << "published" << QStringList() << "IMAGE/photo-101011.png";
    QTest::newRow("picture of the same name another console was still sending was replaced on the server")
        << "IMAGE/photo-235959.png" << "unpublished" << QStringList{"IMAGE/photo-000000.png"}
        << "IMAGE/photo-000001.png";
    QTest::newRow("video of the same name another console published was replaced on the server")
        << "VIDEO/clip-101010.mp4" << "published" << QStringList() << "VIDEO/clip-101011.mp4";
    // Sent by this console before it was killed: the import itself.
    QTest::newRow("file of the name already the import's own: sent under another name")
        << "IMAGE/photo-101010.png" << "own" << QStringList() << "IMAGE/photo-101010.png";
}

// An import whose name the server already holds for another file is sent
// under the next free name: the other console's file stays whole, and this
// console's file, index, journal and posters name the import's new name.
void DeploymentsTest::importNameTakenOnTheServer()
{
    QFETCH(QString, path);
    QFETCH(QString, theirs);
    QFETCH(QStringList, taken);
    QFETCH(QString, sentAs);
    const bool video = path.startsWith("VIDEO/");
    const QString name = path.section('/', 1);
    const QByteArray mine(4000, 'm');
    const QByteArray other = theirs == "own" ? mine : QByteArray(3000, 'o');
    serverHoldsItsIndex();
    SequenceFixture::writeFile(m_fx.work(path), mine);
    const QString sum = CalculChecksum(m_fx.work(path));
    QVERIFY(OperationJournal::append(m_fx.work("TEMP/INFOMEDIA.orvex"), {"AJOUTER", path, sum, "Hall", "4000"}));
    QVERIFY(writeParams(m_fx.work("TEMP/MEDIA.orvex"), {{"FILEPATH", "IMAGE/old.png|VIDEO/old.mp4|" + path},
                                                         {"FILECHK", "AAA|BBB|" + sum},
                                                         {"FILESIZE", "1|2|4000"},
                                                         {"FILEPATHPERMISSION", "Hall;Bar|Hall|Hall"}}));
    // A poster of the screen being edited already shows the import.
    const QString posterKey = video ? "SLIDENAMEVIDEO" : "SLIDENAMEIMAGE";
    QVERIFY(QDir().mkpath(m_fx.work("DATA")));
    QVERIFY(writeParams(m_fx.work("DATA/PLAYER.orvex"), {{"SLIDETYPE", "|"}, {posterKey, "|" + path}}));
    SequenceFixture::writeFile(server(path), other);
    for (const QString &file : taken)
        SequenceFixture::writeFile(server(file), "t");
    const QString otherSum = CalculChecksum(server(path));
    if (theirs == "published")
        QVERIFY(writeParams(server("MEDIA.orvex"), {{"FILEPATH", "IMAGE/old.png|VIDEO/old.mp4|" + path},
                                                     {"FILECHK", "AAA|BBB|" + otherSum},
                                                     {"FILESIZE", "1|2|3000"},
                                                     {"FILEPATHPERMISSION", "Hall;Bar|Hall|Hall"},
                                                     {"ID", "5"}}));
    build();
    QSignalSpy renamed(m_mediaDeploy.data(), &MediaDeployment::signalMediaRenamed);
    QSignalSpy corrupt(m_mediaDeploy.data(), &MediaDeployment::signalCorrupt);
    const QStringList added{path};
    m_mediaDeploy->start(video ? QStringList() : added, {}, video ? added : QStringList(), {}, {}, {}, true);
    QVERIFY(waitIdle([this] { return m_mediaDeploy->running(); }));
    QCOMPARE(corrupt.count(), 0);

    // The other console's file is whole; the import is on the server once.
    QCOMPARE(SequenceFixture::readFile(server(path)), other);
    QCOMPARE(SequenceFixture::readFile(server(sentAs)), mine);
    ClassParam read;
    const QStringList paths = read.getParamCrypt(server("MEDIA.orvex"), "FILEPATH", 1).split('|');
    const QStringList sums = read.getParamCrypt(server("MEDIA.orvex"), "FILECHK", 1).split('|');
    QCOMPARE(paths.count(sentAs), 1);
    QCOMPARE(sums.value(paths.indexOf(sentAs)), sum);
    if (theirs == "published")
        QCOMPARE(sums.value(paths.indexOf(path)), otherSum);
    QVERIFY(!QFileInfo::exists(m_fx.work("TEMP/INFOMEDIA.orvex")));
    // This console knows the import by the name the server holds it under.
    QCOMPARE(SequenceFixture::readFile(m_fx.work(sentAs)), mine);
    QCOMPARE(QFileInfo::exists(m_fx.work(path)), sentAs == path);
    QCOMPARE(read.getParamCrypt(m_fx.work("TEMP/MEDIA.orvex"), "FILEPATH", 0), paths.join('|'));
    QCOMPARE(read.getParamCrypt(m_fx.work("DATA/PLAYER.orvex"), posterKey, 0), "|" + sentAs);
    if (sentAs == path) {
        QCOMPARE(renamed.count(), 0);
    } else {
        QCOMPARE(renamed.count(), 1);
        QCOMPARE(renamed.at(0), (QVariantList{video ? 1 : 0, name, sentAs.section('/', 1)}));
    }
}

void DeploymentsTest::mediaLostFromTheIndexLater_data()
{
    QTest::addColumn<bool>("removed"); // the other console removed the file too
    QTest::newRow("import dropped by another console's late index upload stayed out of the index") << false;
    QTest::newRow("import another console removed came back in the index") << true;
}

// After a run was read back, another console's index that went up late
// leaves this run's import out. The next fetch of the index (a visit of the
// media page) finds it missing, and the next hand-on merges it again when
// the server still holds its file.
void DeploymentsTest::mediaLostFromTheIndexLater()
{
    QFETCH(bool, removed);
    const QString journal = m_fx.work("TEMP/INFOMEDIA.orvex");
    serverHoldsItsIndex();
    QVERIFY(journalImport("IMAGE/a.png", "C1", 3000));
    build();
    m_mediaDeploy->start({"IMAGE/a.png"}, {}, {}, {}, {}, {}, false);
    QVERIFY(waitIdle([this] { return m_mediaDeploy->running(); }));
    QVERIFY(serverIndexed().contains("IMAGE/a.png"));
    QVERIFY(!QFileInfo::exists(journal));

    SequenceFixture::writeFile(server("IMAGE/o.png"), "o");
    QVERIFY(writeParams(server("MEDIA.orvex"), {{"FILEPATH", "IMAGE/old.png|VIDEO/old.mp4|IMAGE/o.png"},
                                                 {"FILECHK", "AAA|BBB|OOO"},
                                                 {"FILESIZE", "1|2|1"},
                                                 {"FILEPATHPERMISSION", "Hall;Bar|Hall|Hall"},
                                                 {"ID", "9"}}));
    if (removed)
        QVERIFY(QFile::remove(server("IMAGE/a.png")));
    const QString fetched = m_fx.work("TEMP/QUOTA-MEDIA.orvex");
    QVERIFY(QFile::copy(server("MEDIA.orvex"), fetched));
    m_mediaDeploy->serverIndexFetched(fetched);
    m_mediaDeploy->start({}, {}, {}, {}, {}, {}, false);
    QVERIFY(waitIdle([this] { return m_mediaDeploy->running(); }));
    QCOMPARE(serverIndexed(), serverFiles());
    QCOMPARE(serverIndexed().contains("IMAGE/a.png"), !removed);
    QCOMPARE(serverIndexed().contains("IMAGE/o.png"), true);
    // A removed file is done with; a merged one waits for the next fetch.
    QCOMPARE(QFileInfo::exists(SentMediaRecords::path(m_fx.work())), !removed);
}

void DeploymentsTest::indexChangedByAnotherConsole_data()
{
    QTest::addColumn<bool>("admin");
    QTest::addColumn<QString>("when"); // "fetched": once, between the fetch and the merge;
                                       // "sent": once, right after the upload; "always": after each upload;
                                       // "unread": no change, the read-back answered 500
                                       // (each try); "unanswered": not answered within
                                       // the stall bound; "garbled": a page in its place;
                                       // "holding": once after the upload, holding this run's change too;
                                       // "unstored": each index upload answered 200, nothing stored;
                                       // "replaced": as "fetched", and what a kill leaves as the
                                       // fresh copy takes the index's place
    QTest::newRow("media: another console's index between the fetch and the upload was overwritten")
        << false << "fetched";
    QTest::newRow("media: index replaced right after the upload counted as done") << false << "sent";
    QTest::newRow("media: index replaced after every upload counted as done") << false << "always";
    QTest::newRow("media: index not read back counted as done; merged again, its entry doubled")
        << false << "unread";
    QTest::newRow("media: read-back held past the stall bound told as a damaged index") << false << "unanswered";
    QTest::newRow("media: read-back answered by a page told as a damaged index") << false << "garbled";
    QTest::newRow("media: a read-back holding this run's change merged and sent again") << false << "holding";
    QTest::newRow("media: index upload that never arrived told as another user's change") << false << "unstored";
    // A kill where the server's newer copy is put in place.
    QTest::newRow("media: local index removed before its fresh copy was renamed in, lost to a kill")
        << false << "replaced";
    QTest::newRow("account: another console's index between the fetch and the upload was overwritten")
        << true << "fetched";
    QTest::newRow("account: index replaced after every upload counted as done") << true << "always";
    QTest::newRow("account: index upload that never arrived told as another user's change") << true << "unstored";
    QTest::newRow("account: read-back answered 500 told as a damaged index") << true << "unread";
}

// Another console's index reaches the server while this run is between its
// fetch and its upload, or just after the upload: both changes end up in
// the index, or the run says so and keeps its journal.
void DeploymentsTest::indexChangedByAnotherConsole()
{
    QFETCH(bool, admin);
    QFETCH(QString, when);
    const QString journal = m_fx.work(admin ? "TEMP/INFOADMIN.orvex" : "TEMP/INFOMEDIA.orvex");
    QVERIFY(admin ? OperationJournal::append(journal, {"RENOMMER", "Hall", "Entree", ""})
                  : OperationJournal::append(journal, {"AJOUTER", "IMAGE/n.png", "CCC", "Bar", "3"}));
    SequenceFixture::writeFile(server("IMAGE/n.png"), "n");
    build();
    JournalDeployment *machine = admin ? static_cast<JournalDeployment *>(m_account.data())
                                       : static_cast<JournalDeployment *>(m_mediaDeploy.data());
    QTimer *timer = admin ? m_t1.data() : m_t2.data();
    const auto step = [&] { return admin ? m_account->step() : m_mediaDeploy->step(); };
    // The machine's steps: index fetched (merge next), index sent (read-back next).
    const int fetched = admin ? 6 : 72;
    const int sent = admin ? 9 : 76;
    int others = 0;
    bool journalAtReadBack = false;
    const auto otherConsole = [&] {
        ++others;
        // "holding": merged on this run's upload, as a console that started just after.
        const bool holding = when == "holding";
        QVERIFY(writeParams(server("MEDIA.orvex"),
                            {{"FILEPATH", "IMAGE/old.png|VIDEO/old.mp4|IMAGE/o" + QString::number(others) + ".png"
                                              + (holding ? "|IMAGE/n.png" : "")},
                             {"FILECHK", QString("AAA|BBB|OOO") + (holding ? "|CCC" : "")},
                             {"FILESIZE", QString("1|2|9") + (holding ? "|3" : "")},
                             {"FILEPATHPERMISSION", QString("Hall;Bar|Hall|Hall") + (holding ? "|Bar" : "")},
                             {"ID", QString::number(10 + others)}}));
    };
    int previous = 0;
    // Runs right after each step of the machine, before its next tick.
    QMetaObject::Connection hook = connect(timer, &QTimer::timeout, this, [&] {
        const int now = step();
        if (now != previous && now == fetched && (when == "fetched" || when == "replaced") && others == 0)
            otherConsole();
        if (now != previous && now == sent) {
            journalAtReadBack = journalAtReadBack || QFileInfo::exists(journal);
            if (when == "always" || ((when == "sent" || when == "holding") && others == 0))
                otherConsole();
            const QString readBack = '/' + m_fx.account() + "/MEDIA.orvex";
            if (when == "unread")
                QVERIFY(StandIn::fault(QString(), "500", readBack, 3));
            if (when == "unanswered")
                QVERIFY(StandIn::fault(QString(), "noanswer", readBack, 3, 1500));
            if (when == "garbled")
                QVERIFY(StandIn::fault(QString(), "body", readBack, 3, 0, "<html><body>Portail</body></html>"));
        }
        previous = now;
    });
    // From the check that finds the other console's index on: the local
    // index is never missing, whenever the process dies.
    QMetaObject::Connection arm = connect(m_fx.m_api.data(), &HttpFileApi::signalTransferEnded, this,
                                          [&](int operation, bool ok) {
        if (when == "replaced" && others == 1 && operation == HttpFileApi::OpDownload && ok)
            RenameFault::armedName = "TEMP/MEDIA.orvex";
    });
    int replaced = 0;
    QStringList lost;
    RenameFault::witness = [&](const char *) {
        ++replaced;
        if (!QFileInfo::exists(m_fx.work("TEMP/MEDIA.orvex")))
            lost << QString("replace %1").arg(replaced);
    };
    const QString indexUpload = m_fx.account() + "/MEDIA.orvex";
    // Only the row about it waits for the stall bound.
    if (when == "unanswered")
        m_fx.m_api->setStallTimeout(500);
    if (when == "unstored")
        QVERIFY(StandIn::fault("/zobox/upload.php", "body", indexUpload, 9));
    QSignalSpy corrupt(machine, &JournalDeployment::signalCorrupt);
    QSignalSpy finished(machine, &JournalDeployment::signalFinished);
    QSignalSpy deployed(m_account.data(), &AccountDeployment::signalDeployed);
    const qint64 mark = StandIn::mark();
    const auto run = [&] {
        if (admin)
            m_account->start(0);
        else
            m_mediaDeploy->start({}, {}, {}, {}, {}, {}, true);
        return waitIdle([&] { return machine->running(); });
    };
    QVERIFY(run());
    disconnect(hook);
    disconnect(arm);
    RenameFault::armedName = nullptr;
    RenameFault::witness = nullptr;
    QCOMPARE(replaced > 0, when == "replaced");
    QCOMPARE(lost, QStringList());
    StandIn::reset('/' + m_fx.account() + "/MEDIA.orvex");
    StandIn::reset(indexUpload);
    QCOMPARE(finished.count(), 1);
    // The index went up once, whatever the other console sent meanwhile.
    if (when == "holding" || when == "unstored")
        QCOMPARE(requests(mark).count("UPLOAD MEDIA.orvex"), 1);
    const QString ours = admin ? (others ? "Entree;Bar|Entree|Entree" : "Entree;Bar|Entree")
                               : others ? "Hall;Bar|Hall|Hall|Bar" : "Hall;Bar|Hall|Bar";
    const QString paths = "IMAGE/old.png|VIDEO/old.mp4" + (others ? "|IMAGE/o" + QString::number(others) + ".png" : "");
    ClassParam read;
    const bool failed = when == "always" || when == "unstored";
    const bool unchecked = when == "unread" || when == "unanswered" || when == "garbled";
    if (unchecked) {
        // Sent, so not kept as unsent: kept until a fetch shows the server's
        // index holds it (the next one here), and said so.
        QCOMPARE(corrupt.count(), 1);
        QCOMPARE(corrupt.at(0).at(0).toString(), JournalDeployment::uncheckedText(when == "garbled"));
        QVERIFY(!QFileInfo::exists(journal));
        const QString kept = SentMediaRecords::path(m_fx.work());
        QVERIFY(QFileInfo::exists(kept));
        const QString fetched = m_fx.work("TEMP/QUOTA-MEDIA.orvex");
        QFile::remove(fetched);
        QVERIFY(QFile::copy(server("MEDIA.orvex"), fetched));
        m_mediaDeploy->serverIndexFetched(fetched);
        QVERIFY(!QFileInfo::exists(kept));
    }
    if (failed) {
        // No end announced as done; the journal waits and the next run sends it.
        QCOMPARE(corrupt.count(), 1);
        QCOMPARE(corrupt.at(0).at(0).toString(),
                 when == "always" ? JournalDeployment::indexChangedText() : JournalDeployment::notArrivedText());
        QCOMPARE(deployed.count(), 0);
        QVERIFY(QFileInfo::exists(journal));
        if (when == "always")
            QCOMPARE(read.getParamCrypt(server("MEDIA.orvex"), "FILEPATHPERMISSION", 1), QString("Hall;Bar|Hall|Hall"));
        if (when == "unstored")
            QCOMPARE(read.getParamCrypt(server("MEDIA.orvex"), "FILEPATHPERMISSION", 1), QString("Hall;Bar|Hall"));
        QVERIFY(run());
    }
    QCOMPARE(corrupt.count(), failed || unchecked ? 1 : 0);
    QCOMPARE(deployed.count(), admin ? 1 : 0);
    QVERIFY(!QFileInfo::exists(journal));
    QCOMPARE(read.getParamCrypt(server("MEDIA.orvex"), "FILEPATH", 1), admin ? paths : paths + "|IMAGE/n.png");
    QCOMPARE(read.getParamCrypt(server("MEDIA.orvex"), "FILEPATHPERMISSION", 1), ours);
    // Raised above the other console's counter, unless its index was kept.
    QCOMPARE(read.getParamCrypt(server("MEDIA.orvex"), "ID", 1),
             QString::number(when == "holding" ? 10 + others : others ? 11 + others : when == "unstored" || unchecked ? 5 : 6));
    // Its journal was there until the index was read back.
    QVERIFY(journalAtReadBack);
}

void DeploymentsTest::command_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("sent");
    QTest::newRow("REBOOT: confirmed") << "REBOOT" << "B1" << true;
    QTest::newRow("UPLOADEVENTS: no confirmation") << "UPLOADEVENTS" << "B1" << true;
    QTest::newRow("no box selected: nothing said and TEMP/COMMAND.orvex left behind") << "REBOOT" << "" << false;
}

void DeploymentsTest::command()
{
    QFETCH(QString, word);
    QFETCH(QString, box);
    QFETCH(bool, sent);
    m_selected = box;
    build();
    QSignalSpy reboot(m_commands.data(), &CommandReport::signalTermineReboot);
    QSignalSpy told(m_commands.data(), &CommandReport::signalInformation);
    const qint64 mark = StandIn::mark();
    m_commands->slotProcessDeployCommande(word);
    QVERIFY(waitIdle([this] { return m_commands->commandRunning(); }));
    QCOMPARE(requests(mark), sent ? QStringList{"UPLOAD B1/COMMAND.orvex"} : QStringList{});
    QCOMPARE(reboot.count(), sent && word == "REBOOT" ? 1 : 0);
    QCOMPARE(told.count(), sent ? 0 : 1);
    if (!sent)
        QVERIFY2(told.first().at(1).toString().contains("Aucun boîtier"), qPrintable(told.first().at(1).toString()));
    ClassParam read;
    QCOMPARE(read.getParamCrypt(m_fx.work("TEMP/COMMAND.orvex"), "COMMANDHTTP", 1), sent ? word : "PB_OPEN");
    if (sent)
        QCOMPARE(read.getParamCrypt(server("B1/COMMAND.orvex"), "COMMANDHTTP", 1), word);
}

void DeploymentsTest::supportReport_data()
{
    QTest::addColumn<bool>("fails");
    QTest::newRow("sent, mailed and removed") << false;
    QTest::newRow("upload refused: the report stays") << true;
}

void DeploymentsTest::supportReport()
{
    QFETCH(bool, fails);
    const QString name = "26-12-10-Ecran noir-MessageAlerte-" + m_fx.account().mid(3) + ".log";
    SequenceFixture::writeFile(m_fx.work("LOG/") + name, "the screen stays black");
    build();
    if (fails)
        QVERIFY(StandIn::fault("/zobox/upload.php", "500", "ALERTE-ZoManager", 3));
    QSignalSpy done(m_commands.data(), &CommandReport::signalTermineAlerte);
    const qint64 mails0 = QFileInfo(qEnvironmentVariable("ZO_STANDIN_MAILS")).size();
    const qint64 mark = StandIn::mark();
    m_commands->slotProcessDeployAlerte(name);
    QVERIFY(waitIdle([this] { return m_commands->reportRunning(); }));
    QCOMPARE(done.count(), fails ? 0 : 1);
    QCOMPARE(QFileInfo::exists(m_fx.work("LOG/") + name), fails);
    if (fails)
        return;
    QCOMPARE(SequenceFixture::readFile(m_fx.tree("ALERTE-ZoManager/") + name), QByteArray("the screen stays black"));
    // The mail request: logged by the stand-in with its raw, percent-encoded query.
    QList<QJsonObject> entries;
    QTRY_VERIFY(!(entries = StandIn::entries(mark, "mails.php", 1)).isEmpty());
    const QString raw = QString::fromUtf8(QJsonDocument(entries.first()).toJson(QJsonDocument::Compact));
    QVERIFY2(raw.contains("Ecran%20noir") || raw.contains("Ecran%2520noir"), qPrintable(raw));
    QTRY_COMPARE(mails(mails0).size(), 1);
    const QJsonObject mail = QJsonDocument::fromJson(mails(mails0).first().toUtf8()).object();
    QCOMPARE(mail.value("emailAdress").toString(), QString(CommandReport::SupportAddress));
    QVERIFY(mail.value("Subjet").toString().startsWith("Probleme version ZoManager V"));
    QVERIFY(mail.value("Msg").toString().startsWith("Fichier à voir: " + StandIn::url()));
    QVERIFY(mail.value("Msg").toString().endsWith("zobox/ALERTE-ZoManager/" + name));
    QVERIFY(!raw.contains("canary-7731"));
}

QTEST_GUILESS_MAIN(DeploymentsTest)
#include "tst_deployments_standin.moc"
