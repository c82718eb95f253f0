// The box deployment against the stand-in (and the same tree in local
// mode), waits scaled by ZOMANAGER_TIME_SCALE; the box choice, the revision
// question and the publication page are answered by the test.
#include "../transfer/SequenceFixture.h"
#include "BoxDeployment.h"
#include "BoxFolderDownload.h"
#include "ClassParam.h"
#include "FullDisk.h"
#include "ListTransfers.h"
#include "LocalWriteError.h"
#include "MediaAlignment.h"
#include "ParamFixture.h"
#include "RevisionCounters.h"
#include "SharePage.h"
#include "TimeScale.h"
#include "TransferLists.h"
#include "TransferProgress.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <optional>

class BoxDeploymentTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void deployTwoBoxes_data();
    void deployTwoBoxes();
    void localRunTurnsTheLoopBetweenBoxes();
    void concurrentChange_data();
    void concurrentChange();
    void readBack_data();
    void readBack();
    void fullDiskStopsBeforeSending_data();
    void fullDiskStopsBeforeSending();
    void folderNotLoaded_data();
    void folderNotLoaded();
    void choiceCancelledOrEmpty_data();
    void choiceCancelledOrEmpty();
    void overlayCancelStops();
    void uploadFailures_data();
    void uploadFailures();
    void faultMatrix_data();
    void faultMatrix();
    void localFileErrorEndsTheRunOnce_data();
    void localFileErrorEndsTheRunOnce();
    void sharePage_data();
    void sharePage();
    void shareWithNothingToRender_data();
    void shareWithNothingToRender();

private:
    void build(bool local = false);
    // Runs the deployment until it stops; true when it ended with success.
    bool run(int ms = 20000);
    QString server(const QString &relative) const { return m_fx.tree(m_fx.account() + '/' + relative); }
    QStringList uploads(qint64 mark) const;

    SequenceFixture m_fx;
    QString m_selected = "B1";
    QStringList m_answer{"B1", "B2"};
    bool m_chosen = true;
    bool m_overwrite = true;
    bool m_renders = true;
    int m_questions = 0;
    int m_choices = 0;
    QStringList m_opened;
    ClassParam m_player;
    ClassParam m_media;
    ClassParam m_login;
    QScopedPointer<ListTransfers> m_lists;
    QScopedPointer<RevisionCounters> m_revisions;
    QScopedPointer<MediaAlignment> m_alignment;
    QScopedPointer<QTimer> m_timer;
    QScopedPointer<BoxDeployment> m_deploy;
    QScopedPointer<QSignalSpy> m_done;
    QScopedPointer<QSignalSpy> m_failed;
    QScopedPointer<QSignalSpy> m_errors;
};

void BoxDeploymentTest::initTestCase()
{
    ZO_NEED_STANDIN();
    QVERIFY(qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE") >= 10);
}

void BoxDeploymentTest::init()
{
    m_fx.setUp();
    QDir().mkpath(m_fx.work("LINKS"));
    QVERIFY(QDir().mkpath(server("B1")));
    QVERIFY(QDir().mkpath(server("B2")));
    // Every account has its share folder.
    QVERIFY(QDir().mkpath(server("LINKS")));
    QVERIFY(writeParams(server("B1/PLAYER.orvex"), {{"SLIDETYPE", "IMAGE"}, {"ID", "3"}}));
    QVERIFY(writeParams(server("B2/PLAYER.orvex"), {{"SLIDETYPE", "old player of B2"}}));
    // The edited copy of B1, as downloaded (ID 3) then changed.
    QVERIFY(writeParams(m_fx.work("DATA/PLAYER.orvex"),
                        {{"SLIDETYPE", "IMAGE|IMAGE"},
                         {"SLIDENAMEIMAGE", "IMAGE/a.png|IMAGE/gone.png"},
                         {"SLIDENAMEIMAGECHK", "AAA|BBB"},
                         {"ID", "3"}}));
    SequenceFixture::writeFile(m_fx.work("DATA/Slide1.png"), QByteArray(30000, 's'));
    QVERIFY(writeParams(server("B1/INFO.orvex"), {{"NOM_PROPRIETAIRE", "owner"}}));
    SequenceFixture::writeFile(m_fx.work("DATA/INFO.orvex"), SequenceFixture::readFile(server("B1/INFO.orvex")));
    for (const char *name : {"EVENTS.orvex", "BOX.orvex", "STATUS.orvex", "PLAYLIST.orvex", "COMMAND.orvex"})
        SequenceFixture::writeFile(m_fx.work("DATA/") + name, "not for the box");
    QVERIFY(writeParams(m_fx.work("TEMP/MEDIA.orvex"), {{"FILEPATH", "IMAGE/a.png|VIDEO/v.mp4"}}));
    m_selected = "B1";
    m_answer = QStringList{"B1", "B2"};
    m_chosen = true;
    m_overwrite = true;
    m_renders = true;
    m_questions = 0;
    m_choices = 0;
    m_opened.clear();
}

void BoxDeploymentTest::cleanup()
{
    m_done.reset();
    m_failed.reset();
    m_errors.reset();
    m_deploy.reset();
    m_lists.reset();
    m_fx.tearDown();
}

void BoxDeploymentTest::build(bool local)
{
    HttpFileApi *api = m_fx.makeApi(local);
    m_lists.reset(new ListTransfers(api));
    m_lists->setSelectedBox([this] { return m_selected; });
    m_revisions.reset(new RevisionCounters(&m_player, &m_media));
    m_revisions->setWorkFolder(m_fx.work());
    m_revisions->setQuestion([this](const QString &) {
        ++m_questions;
        return m_overwrite;
    });
    m_revisions->getIDfilePlayer();
    m_alignment.reset(new MediaAlignment(api, &m_login, &m_media));
    m_alignment->setWorkFolder(m_fx.work());
    m_timer.reset(new QTimer);
    m_timer->setInterval(5);
    m_deploy.reset(new BoxDeployment(api, m_lists.data(), m_revisions.data(), &m_player, m_timer.data()));
    BoxDeployment *d = m_deploy.data();
    d->setWorkFolder(m_fx.work());
    d->setAccountName(m_fx.account().mid(3));
    d->setSelectedBox([this] { return m_selected; });
    d->setChooser([this](QStringList *targets) {
        ++m_choices;
        *targets = m_answer;
        return m_chosen;
    });
    d->setDownloader([this](QString local, QString name, QString folder, QString chk) {
        return m_alignment->slotTelechargerFichier(local, name, folder, chk);
    });
    d->setClock([] { return QDateTime(QDate(2026, 12, 10), QTime(9, 5, 7)); });
    d->setOpener([this](const QString &url) { m_opened << url; });
    connect(m_timer.data(), &QTimer::timeout, d, &BoxDeployment::slotProcessDeploy);
    connect(m_lists.data(), &ListTransfers::sequenceFailed, d, &BoxDeployment::sequenceFailed);
    connect(m_alignment.data(), &MediaAlignment::signalError, d, &BoxDeployment::downloadFailed);
    // The publication page: renders the poster (or, with nothing to render,
    // removes the old picture), then reports.
    connect(d, &BoxDeployment::signalUpdateHDImage, d, [this, d](int) {
        if (m_renders)
            SequenceFixture::writeFile(m_fx.work("LINKS/Picture.png"), "rendered poster");
        else
            QFile::remove(m_fx.work("LINKS/Picture.png"));
        d->slotSavePictureTermine();
    });
    m_done.reset(new QSignalSpy(d, &BoxDeployment::signalTermine));
    m_failed.reset(new QSignalSpy(m_lists.data(), &ListTransfers::sequenceFailed));
    m_errors.reset(new QSignalSpy(d, &BoxDeployment::signalError));
}

bool BoxDeploymentTest::run(int ms)
{
    m_deploy->start();
    QElapsedTimer clock;
    clock.start();
    while (m_deploy->running() && clock.elapsed() < ms)
        QTest::qWait(5);
    return !m_deploy->running() && m_done->count() == 1;
}

QStringList BoxDeploymentTest::uploads(qint64 mark) const
{
    QStringList lines;
    for (const QString &line : SequenceFixture::requests(mark))
        if (line.startsWith("UPLOAD "))
            lines << line.mid(7 + m_fx.account().size() + 1);
    return lines;
}

void BoxDeploymentTest::deployTwoBoxes_data()
{
    QTest::addColumn<bool>("local");
    QTest::newRow("stand-in server") << false;
    QTest::newRow("local mode") << true;
}

void BoxDeploymentTest::deployTwoBoxes()
{
    QFETCH(bool, local);
    build(local);
    const qint64 mark = StandIn::mark();
    QVERIFY(run());
    QCOMPARE(m_questions, 0);
    QCOMPARE(m_failed->count(), 0);

    if (!local) {
        QCOMPARE(uploads(mark), (QStringList{"B1/INFO.orvex", "B1/Slide1.png", "B1/PLAYER.orvex",
                                             "B2/Slide1.png", "B2/PLAYER.orvex"}));
    }
    QCOMPARE(SequenceFixture::filesOf(server("B1")).keys(),
             (QStringList{"INFO.orvex", "PLAYER.orvex", "Slide1.png"}));
    QCOMPARE(SequenceFixture::filesOf(server("B2")).keys(), (QStringList{"PLAYER.orvex", "Slide1.png"}));
    QCOMPARE(SequenceFixture::readFile(server("B2/Slide1.png")), QByteArray(30000, 's'));
    // Each box carries the version and its own counter; only the selected
    // box's value is remembered.
    ClassParam read;
    QCOMPARE(read.getParamCrypt(server("B1/PLAYER.orvex"), "VERSION", 0), QString("310"));
    QCOMPARE(read.getParamCrypt(server("B1/PLAYER.orvex"), "ID", 0), QString("4"));
    QCOMPARE(read.getParamCrypt(server("B2/PLAYER.orvex"), "ID", 0), QString("5"));
    QCOMPARE(m_revisions->playerCounter(), 4);
    // The poster whose picture left the media library lost it, in place.
    QCOMPARE(read.getParamCrypt(server("B2/PLAYER.orvex"), "SLIDENAMEIMAGE", 0), QString("IMAGE/a.png|"));
    QCOMPARE(read.getParamCrypt(server("B2/PLAYER.orvex"), "SLIDENAMEIMAGECHK", 0), QString("AAA|"));
    QVERIFY(m_opened.isEmpty());
}

void BoxDeploymentTest::localRunTurnsTheLoopBetweenBoxes()
{
    build(true);
    m_answer.clear();
    for (int i = 1; i <= 12; ++i) {
        const QString box = QStringLiteral("B%1").arg(i);
        QVERIFY(QDir().mkpath(server(box)));
        if (i > 2)
            QVERIFY(writeParams(server(box + "/PLAYER.orvex"), {{"SLIDETYPE", "IMAGE"}, {"ID", "1"}}));
        m_answer << box;
    }
    // Turns of the event loop, and the turn in which each box's list was fetched.
    int turns = 0;
    QTimer turn;
    turn.setInterval(0);
    connect(&turn, &QTimer::timeout, this, [&turns] { ++turns; });
    turn.start();
    QMultiHash<int, QString> fetched;
    m_deploy->setDownloader([&](QString local, QString name, QString folder, QString chk) {
        if (name == QLatin1String("PLAYER.orvex") && !fetched.contains(turns, folder))
            fetched.insert(turns, folder);
        return m_alignment->slotTelechargerFichier(local, name, folder, chk);
    });
    QSignalSpy named(m_deploy.data(), &BoxDeployment::signalDeployBox);
    QVERIFY(run());
    // Regression: in local mode every step ends at once, and the check of
    // all the boxes' lists ran in one turn of the event loop.
    for (const int at : fetched.uniqueKeys())
        QVERIFY2(fetched.values(at).size() == 1, qPrintable(fetched.values(at).join(", ")));
    QCOMPARE(QSet<QString>(fetched.cbegin(), fetched.cend()).size(), 12);
    // The progress names each box as it is checked and as it is sent.
    QStringList boxes;
    for (const QList<QVariant> &args : named) {
        if (!args.at(0).toString().isEmpty())
            boxes << args.at(0).toString();
    }
    QCOMPARE(boxes.count("B7"), 2);
}

void BoxDeploymentTest::concurrentChange_data()
{
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<bool>("serverCopy");
    QTest::addColumn<QString>("counter"); // of the other console's list
    QTest::newRow("OK overwrites") << true << true << "6";
    QTest::newRow("Cancel uploads nothing") << false << true << "6";
    // Counter 0 against 3: asked too, not taken for a failed fetch.
    QTest::newRow("no server copy yet: asked, OK deploys") << true << false << "6";
    // Two consoles raising the same list write the same counter.
    QTest::newRow("another console's list with the same counter overwritten unasked") << false << true << "3";
}

void BoxDeploymentTest::concurrentChange()
{
    QFETCH(bool, overwrite);
    QFETCH(bool, serverCopy);
    QFETCH(QString, counter);
    build();
    // This console fetched B1 when the box was chosen, then edited it.
    const QByteArray edited = SequenceFixture::readFile(m_fx.work("DATA/PLAYER.orvex"));
    SequenceFixture::writeFile(m_fx.work("DATA/PLAYER.orvex"), SequenceFixture::readFile(server("B1/PLAYER.orvex")));
    m_revisions->getIDfilePlayer("B1");
    SequenceFixture::writeFile(m_fx.work("DATA/PLAYER.orvex"), edited);
    // Another console deployed B1 meanwhile.
    QVERIFY(writeParams(server("B1/PLAYER.orvex"), {{"SLIDETYPE", "VIDEO"}, {"ID", counter}}));
    if (!serverCopy)
        QVERIFY(QFile::remove(server("B1/PLAYER.orvex")));
    const QByteArray before = SequenceFixture::readFile(server("B1/PLAYER.orvex"));
    m_overwrite = overwrite;
    const qint64 mark = StandIn::mark();
    QCOMPARE(run(), overwrite);
    QCOMPARE(m_questions, 1);
    if (overwrite) {
        QCOMPARE(uploads(mark).size(), 5);
    } else {
        QCOMPARE(uploads(mark), QStringList{});
        QCOMPARE(SequenceFixture::readFile(server("B1/PLAYER.orvex")), before);
        QCOMPARE(m_done->count(), 0);
    }
}

void BoxDeploymentTest::readBack_data()
{
    QTest::addColumn<QString>("landed"); // what the read-back of B1's list finds
    QTest::newRow("upload answered 200 without storing told as another console's deployment") << "nothing";
    QTest::newRow("another console's list landed right after the send") << "other";
    // Every try of the read-back fails: sent, unchecked, kept for the next check.
    QTest::newRow("read-back held past the stall limit told as a connection error") << "noanswer";
    QTest::newRow("read-back answered 500 told as a connection error") << "500";
    QTest::newRow("read-back answered with an HTML page told as another console's deployment") << "body";
}

void BoxDeploymentTest::readBack()
{
    QFETCH(QString, landed);
    build();
    m_answer = QStringList{"B1"};
    const QByteArray before = SequenceFixture::readFile(server("B1/PLAYER.orvex"));
    if (landed == "nothing")
        QVERIFY(StandIn::fault("/zobox/upload.php", "body", m_fx.account() + "/B1/PLAYER.orvex", 1, 0, "OK"));
    // Replaced between the end of the send and the read-back.
    const QString list = m_fx.account() + "/B1/PLAYER.orvex";
    const bool faulty = landed != "nothing" && landed != "other";
    if (landed == "noanswer")
        m_fx.m_api->setStallTimeout(1000);
    connect(m_fx.m_api.data(), &HttpFileApi::signalTransferEnded, this, [&](int operation, bool ok) {
        if (operation != HttpFileApi::OpUpload || !ok || m_deploy->step() != BoxDeployment::PutList)
            return;
        if (landed == "other")
            QVERIFY(writeParams(server("B1/PLAYER.orvex"), {{"SLIDETYPE", "VIDEO"}, {"ID", "4"}}));
        else if (faulty)
            QVERIFY(StandIn::fault("/zobox/" + list, landed, list, ::ReadBack::Tries, 3000,
                                   "<html><body>Service indisponible</body></html>"));
    });
    QSignalSpy connection(m_deploy.data(), &BoxDeployment::signalErreurConnexion);
    QVERIFY(!run(30000));
    QCOMPARE(m_done->count(), 0);
    QCOMPARE(connection.count(), 0);
    QCOMPARE(m_errors->count(), 1);
    QCOMPARE(m_errors->at(0).at(0).toString(),
             faulty ? BoxDeployment::uncheckedText("B1", landed == "body")
             : landed == "nothing" ? BoxDeployment::notArrivedText("B1") : BoxDeployment::conflictText("B1"));
    if (landed == "nothing")
        QCOMPARE(SequenceFixture::readFile(server("B1/PLAYER.orvex")), before);
    // What was sent stays kept for the next selection or login to check.
    QCOMPARE(m_revisions->sentBoxes(), faulty ? QStringList{"B1"} : QStringList{});
    StandIn::reset(list);
}

void BoxDeploymentTest::fullDiskStopsBeforeSending_data()
{
    QTest::addColumn<QString>("file"); // the local file that cannot be written
    QTest::newRow("full disk: the counter was not written yet the list went out") << "DATA/PLAYER.orvex";
    QTest::newRow("full disk: the server copy's fetch told as a connection problem") << "PLAYER.orvex";
}

void BoxDeploymentTest::fullDiskStopsBeforeSending()
{
    QFETCH(QString, file);
    // No medium to clear: the version and the raised counter make the list longer.
    QVERIFY(writeParams(m_fx.work("DATA/PLAYER.orvex"),
                        {{"SLIDETYPE", "IMAGE"}, {"SLIDENAMEIMAGE", "IMAGE/a.png"}, {"ID", "3"}}));
    // A server copy longer than the room left on the disk.
    if (file == "PLAYER.orvex")
        QVERIFY(writeParams(server("B1/PLAYER.orvex"),
                            {{"SLIDETYPE", "IMAGE"}, {"NOTE", QString(4000, 'n')}, {"ID", "3"}}));
    build();
    const QByteArray before = SequenceFixture::readFile(m_fx.work("DATA/PLAYER.orvex"));
    QSignalSpy connectionError(m_deploy.data(), &BoxDeployment::signalErreurConnexion);
    const qint64 mark = StandIn::mark();
    bool ended = false;
    {
        FullDisk full(before.size());
        QVERIFY(full.isSet());
        ended = run();
    }
    QVERIFY(!ended);
    QCOMPARE(m_done->count(), 0);
    QCOMPARE(connectionError.count(), 0);
    QCOMPARE(uploads(mark), QStringList{});
    QCOMPARE(SequenceFixture::readFile(m_fx.work("DATA/PLAYER.orvex")), before);
    // One box naming the disk and the file.
    QCOMPARE(m_errors->count(), 1);
    const QString text = m_errors->at(0).at(0).toString();
    QVERIFY2(text.contains(m_fx.work(file)) && text.contains(LocalWriteError::diskOf(m_fx.work(file))),
             qPrintable(text));
}

void BoxDeploymentTest::folderNotLoaded_data()
{
    QTest::addColumn<QString>("failing"); // the request of the folder download that fails
    QTest::addColumn<QString>("kind");    // the stand-in's fault on it
    QTest::addColumn<QString>("shown");   // what the refusal names
    const QString html = "<html><body>Portail: connectez-vous</body></html>";
    QTest::newRow("listing failed: deployed nothing and told a success") << "/zobox/json_Cmd.php" << "500"
                                                                         << "HTTP 500";
    QTest::newRow("a file failed: deployed part of the folder") << "/zobox/%1/B1/Slide1.png" << "500" << "HTTP 500";
    // A proxy's answer in the file's place was kept and sent back over the
    // server's good copy, with a success.
    QTest::newRow("INFO.orvex as an HTML page went back over the server's") << "/zobox/%1/B1/INFO.orvex"
                                                                            << "body:" + html << "INFO.orvex";
    QTest::newRow("INFO.orvex gzip'd went back over the server's") << "/zobox/%1/B1/INFO.orvex" << "gzip"
                                                                   << "INFO.orvex";
    QTest::newRow("INFO.orvex cut in half went back with half its keys") << "/zobox/%1/B1/INFO.orvex" << "half"
                                                                         << "INFO.orvex";
    QTest::newRow("INFO.orvex longer than announced went back cut") << "/zobox/%1/B1/INFO.orvex" << "long"
                                                                    << "INFO.orvex";
    QTest::newRow("PLAYER.orvex cut in half lost the screen settings") << "/zobox/%1/B1/PLAYER.orvex" << "half"
                                                                       << "PLAYER.orvex";
    QTest::newRow("PLAYER.orvex as an HTML page was taken for the list") << "/zobox/%1/B1/PLAYER.orvex"
                                                                         << "body:" + html << "PLAYER.orvex";
    // A box's own file has whole key lines, with or without a fingerprint.
    QTest::newRow("STATUS.orvex as an HTML page was taken for the report") << "/zobox/%1/B1/STATUS.orvex"
                                                                           << "body:" + html << "STATUS.orvex";
}

void BoxDeploymentTest::folderNotLoaded()
{
    QFETCH(QString, failing);
    QFETCH(QString, kind);
    QFETCH(QString, shown);
    SequenceFixture::writeFile(server("B1/Slide1.png"), QByteArray(3000, 'p'));
    ParamList info;
    for (int i = 0; i < 20; ++i)
        info << qMakePair(QString("CHAMP%1").arg(i), QString("valeur %1").arg(i));
    QVERIFY(writeParams(server("B1/INFO.orvex"), info));
    QVERIFY(writeForeignParams(server("B1/STATUS.orvex"), {{"STATE", "2"}, {"CONNECT", "1"}}));
    const QByteArray serverInfo = SequenceFixture::readFile(server("B1/INFO.orvex"));
    const QByteArray serverPlayer = SequenceFixture::readFile(server("B1/PLAYER.orvex"));
    build();
    // The box choice's folder download, as the panel wires it.
    TransferProgress progress(m_fx.m_api.data());
    QTimer boxTimer;
    QTimer statusTimer;
    boxTimer.setInterval(10);
    BoxFolderDownload download(m_fx.m_api.data(), m_lists.data(), &progress, m_revisions.data(), &boxTimer,
                               &statusTimer);
    download.setWorkFolder(m_fx.work());
    connect(&boxTimer, &QTimer::timeout, &download, &BoxFolderDownload::slotDownloadFileBox);
    QSignalSpy failed(&download, &BoxFolderDownload::signalFailed);
    const bool body = kind.startsWith("body:");
    QVERIFY(StandIn::fault(failing.arg(m_fx.account()), body ? "body" : kind, m_fx.account() + "/B1", 10, 0,
                           body ? kind.mid(5) : QString()));
    download.start();
    QTRY_VERIFY_WITH_TIMEOUT(!download.running(), 20000);
    QCOMPARE(failed.count(), 1);
    // Nothing damaged is kept.
    if (shown.endsWith(".orvex"))
        QVERIFY(!QFileInfo::exists(m_fx.work("DATA/") + shown));

    // Refused with the load's error before the box choice; nothing is sent.
    const qint64 mark = StandIn::mark();
    QVERIFY(!run());
    QCOMPARE(m_choices, 0);
    QCOMPARE(m_done->count(), 0);
    QCOMPARE(m_errors->count(), 1);
    const QString text = m_errors->at(0).at(0).toString();
    QVERIFY2(text.contains("B1") && text.contains(shown), qPrintable(text));
    QCOMPARE(SequenceFixture::requests(mark), QStringList{});
    QCOMPARE(SequenceFixture::readFile(server("B1/INFO.orvex")), serverInfo);
    QCOMPARE(SequenceFixture::readFile(server("B1/PLAYER.orvex")), serverPlayer);

    // The box chosen again and loaded: it deploys.
    StandIn::reset(m_fx.account() + "/B1");
    download.start();
    QTRY_VERIFY_WITH_TIMEOUT(!download.running(), 20000);
    QCOMPARE(failed.count(), 1);
    QVERIFY(run());
    QCOMPARE(SequenceFixture::readFile(server("B2/Slide1.png")), QByteArray(3000, 'p'));
}

void BoxDeploymentTest::choiceCancelledOrEmpty_data()
{
    QTest::addColumn<bool>("chosen");
    QTest::addColumn<QStringList>("answer");
    QTest::newRow("Cancel") << false << QStringList{"B1"};
    // The form confirms on Return even with its OK button greyed.
    QTest::newRow("no screen ticked: reported a success with nothing sent") << true << QStringList{};
}

void BoxDeploymentTest::choiceCancelledOrEmpty()
{
    QFETCH(bool, chosen);
    QFETCH(QStringList, answer);
    build();
    QSignalSpy overlay(m_deploy.data(), &BoxDeployment::signalMessageOnlyON);
    m_chosen = chosen;
    m_answer = answer;
    const qint64 mark = StandIn::mark();
    QVERIFY(!run());
    QCOMPARE(m_done->count(), 0);
    QCOMPARE(overlay.count(), 0);
    QCOMPARE(SequenceFixture::requests(mark), QStringList{});
}

void BoxDeploymentTest::overlayCancelStops()
{
    build();
    // Held while it fetches the selected box's server copy.
    QVERIFY(StandIn::fault(QString(), "delay", m_fx.account() + "/B1/PLAYER.orvex", 1, 800));
    const qint64 mark = StandIn::mark();
    m_deploy->start();
    QTRY_COMPARE(m_deploy->step(), 2);
    m_deploy->cancel();
    QVERIFY(!m_timer->isActive());
    QVERIFY(!m_deploy->running());
    // The box choice does not open again and nothing goes out.
    QTest::qWait(1200);
    QVERIFY(!m_deploy->running());
    QCOMPARE(uploads(mark), QStringList{});
    QCOMPARE(m_done->count(), 0);
}

void BoxDeploymentTest::uploadFailures_data()
{
    // The upload's URI names the folder, not the file: every try into that
    // folder fails.
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("match");
    QTest::newRow("500 in the first box") << "500" << "/B1/";
    QTest::newRow("500 in the second box") << "500" << "/B2/";
    QTest::newRow("closed connection in the second box") << "close" << "/B2/";
    QTest::newRow("stall in the first box") << "noanswer" << "/B1/";
    QTest::newRow("500 on the share page") << "500" << "/LINKS/";
}

void BoxDeploymentTest::uploadFailures()
{
    QFETCH(QString, kind);
    QFETCH(QString, match);
    build();
    QVERIFY(writeParams(m_fx.work("DATA/PLAYER.orvex"), {{"SLIDETYPE", "IMAGE"}, {"NETWORK", "SiteWeb"}, {"ID", "3"}}));
    m_revisions->getIDfilePlayer();
    const QByteArray before1 = SequenceFixture::readFile(server("B1/PLAYER.orvex"));
    const QByteArray before2 = SequenceFixture::readFile(server("B2/PLAYER.orvex"));
    // A silent server is about the stall bound: only then is it shortened.
    std::optional<TimeScale::ShortTimeouts> shorter;
    if (kind == "noanswer")
        shorter.emplace(50);
    QVERIFY(StandIn::fault("/zobox/upload.php", kind, match, 3, 3000));
    QVERIFY(!run(30000));
    // Stopped, not left waiting (a late re-tick once opened the box choice again).
    QVERIFY(!m_deploy->running());
    QCOMPARE(m_done->count(), 0);
    QCOMPARE(m_failed->count(), 1);
    QVERIFY(!m_timer->isActive());
    // Each box holds its old poster list or the new one, never a part.
    ClassParam read;
    for (const auto &box : {qMakePair(QString("B1"), before1), qMakePair(QString("B2"), before2)}) {
        const QString path = server(box.first + "/PLAYER.orvex");
        QVERIFY2(SequenceFixture::readFile(path) == box.second || read.getParamCrypt(path, "VERSION", 1) == "310",
                 qPrintable(box.first));
    }
    // The failed box did not get its poster list.
    if (match != "/LINKS/")
        QCOMPARE(SequenceFixture::readFile(server(match.mid(1) + "PLAYER.orvex")), match == "/B1/" ? before1 : before2);
}

void BoxDeploymentTest::faultMatrix_data()
{
    // Each request of the run that talks to the server, three ways to fail.
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("kind");
    // "fetch": the selected box's server copy, read before anything goes.
    const QStringList files{"fetch B1/PLAYER.orvex", "B1/INFO.orvex", "B1/Slide1.png", "B1/PLAYER.orvex", "B2/Slide1.png",
                            "B2/PLAYER.orvex", "LINKS/menu/Picture.png", "LINKS/menu/Picture10090507.png",
                            "LINKS/menu/index.html", "LINKS/menu/index10090507.html"};
    for (const QString &file : files)
        for (const QString &kind : {QString("500"), QString("close"), QString("noanswer"), QString("hangup")})
            QTest::newRow(qPrintable((kind == "hangup" ? QString("closed without reply") : kind) + " on " + file))
                << file << kind;
}

void BoxDeploymentTest::faultMatrix()
{
    QFETCH(QString, file);
    QFETCH(QString, kind);
    QVERIFY(writeParams(m_fx.work("DATA/PLAYER.orvex"),
                        {{"SLIDETYPE", "IMAGE"}, {"NETWORK", "SiteWeb;Facebook"}, {"WEBSITE", "0"},
                         {"LINKSITE", "https://x.example/zobox/zo_a/LINKS/menu"}, {"ID", "3"}}));
    build();
    m_revisions->getIDfilePlayer();
    const QByteArray before1 = SequenceFixture::readFile(server("B1/PLAYER.orvex"));
    const QByteArray before2 = SequenceFixture::readFile(server("B2/PLAYER.orvex"));
    const bool fetch = file.startsWith("fetch ");
    const QString target = m_fx.account() + '/' + file.mid(fetch ? 6 : 0);
    QSignalSpy fetchFailed(m_deploy.data(), &BoxDeployment::signalErreurConnexion);
    // A download has no step time-out of its own: the API's stall bound ends it.
    m_fx.m_api->setStallTimeout(1000);
    const qint64 mark = StandIn::mark();
    std::optional<TimeScale::ShortTimeouts> shorter;
    if (kind == "noanswer")
        shorter.emplace(50);
    // Every try of that one request fails.
    // A close without reply comes at once, and Qt sends the request again
    // twice by itself before it gives up.
    const bool hangup = kind == "hangup";
    QVERIFY(StandIn::fault(fetch ? "/zobox/" + target : "/zobox/upload.php", kind, target, hangup ? 9 : 3,
                           hangup ? 0 : 3000));
    QVERIFY(!run(30000));
    QVERIFY(!m_deploy->running());
    QCOMPARE(m_done->count(), 0);
    // One failure box.
    QCOMPARE(m_failed->count() + fetchFailed.count(), 1);
    if (fetch)
        QCOMPARE(uploads(mark), QStringList{});
    ClassParam read;
    for (const auto &box : {qMakePair(QString("B1"), before1), qMakePair(QString("B2"), before2)}) {
        const QString path = server(box.first + "/PLAYER.orvex");
        QVERIFY2(SequenceFixture::readFile(path) == box.second || read.getParamCrypt(path, "VERSION", 1) == "310",
                 qPrintable(box.first));
    }
    StandIn::reset(target);
}

void BoxDeploymentTest::localFileErrorEndsTheRunOnce_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("box");
    // Each once; the copy could not be saved: the box naming file and reason only.
    QTest::newRow("copy cannot be deleted: restarted the login, boxes without end") << true
        << "Erreur: Suppression du fichier impossible";
    QTest::newRow("copy cannot be saved") << false << "FTP: Impossible de sauvegarder le fichier ";
}

void BoxDeploymentTest::localFileErrorEndsTheRunOnce()
{
    QFETCH(bool, folder);
    QFETCH(QString, box);
    build();
    // A folder in the server copy's place cannot be deleted; a link into a
    // missing folder cannot be written through.
    if (folder)
        QVERIFY(QDir().mkpath(m_fx.work("PLAYER.orvex")));
    else
        QVERIFY(QFile::link(m_fx.work("no-such-folder/PLAYER.orvex"), m_fx.work("PLAYER.orvex")));
    QStringList boxes;
    connect(m_deploy.data(), &BoxDeployment::signalError, this, [&](QString text) { boxes << "Erreur: " + text; });
    connect(m_alignment.data(), &MediaAlignment::signalMessage, this,
            [&](QString title, QString text, bool) { boxes << title + ": " + text; });
    const qint64 mark = StandIn::mark();
    QVERIFY(!run(5000));
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes.first().startsWith(box), qPrintable(boxes.first()));
    QCOMPARE(m_done->count(), 0);
    QCOMPARE(SequenceFixture::requests(mark), QStringList{});
}

void BoxDeploymentTest::shareWithNothingToRender_data()
{
    QTest::addColumn<QString>("network");
    QTest::newRow("web page: uploaded a missing picture, type 8") << "SiteWeb";
    QTest::newRow("social network") << "SiteWeb;Facebook";
}

void BoxDeploymentTest::shareWithNothingToRender()
{
    QFETCH(QString, network);
    // The shared poster is a video: the publication page renders nothing.
    QVERIFY(writeParams(m_fx.work("DATA/PLAYER.orvex"),
                        {{"SLIDETYPE", "VIDEO"}, {"NETWORK", network}, {"WEBSITE", "0"},
                         {"LINKSITE", "https://x.example/zobox/zo_a/LINKS/menu"}, {"ID", "3"}}));
    SequenceFixture::writeFile(m_fx.work("LINKS/Picture.png"), "picture of another screen");
    m_renders = false;
    build();
    const qint64 mark = StandIn::mark();
    QVERIFY(run());
    QCOMPARE(m_failed->count(), 0);
    // One box naming the share picture; no share file went, DATA/ did.
    QCOMPARE(m_errors->count(), 1);
    QVERIFY2(m_errors->at(0).at(0).toString().contains(m_fx.work("LINKS/Picture.png")),
             qPrintable(m_errors->at(0).at(0).toString()));
    for (const QString &line : uploads(mark))
        QVERIFY2(!line.startsWith("LINKS/"), qPrintable(line));
    QCOMPARE(SequenceFixture::filesOf(server("LINKS/menu")).keys(), QStringList{});
    QVERIFY(m_opened.isEmpty());
    QCOMPARE(ClassParam().getParamCrypt(server("B2/PLAYER.orvex"), "VERSION", 0), QString("310"));
}

void BoxDeploymentTest::sharePage_data()
{
    QTest::addColumn<QString>("network");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("shared");
    QTest::addColumn<bool>("refused");
    const QStringList plain{"Picture.png", "index.html"};
    const QStringList stamped{"Picture.png", "Picture10090507.png", "index.html", "index10090507.html"};
    QTest::newRow("web page only") << "SiteWeb" << "menu" << plain << false;
    QTest::newRow("social network: stamped copies") << "SiteWeb;Facebook" << "menu" << stamped << false;
    QTest::newRow("link folder breaking out of the page") << "Facebook" << "x<script>" << QStringList{} << true;
    QTest::newRow("link folder climbing up") << "Facebook" << ".." << QStringList{} << true;
    // The parameter file ends a value at its first quote: the folder reads empty.
    QTest::newRow("quote in the link: cut by the parameter file") << "Facebook" << "\"><script>" << stamped << false;
}

void BoxDeploymentTest::sharePage()
{
    QFETCH(QString, network);
    QFETCH(QString, folder);
    QFETCH(QStringList, shared);
    QFETCH(bool, refused);
    QVERIFY(writeParams(m_fx.work("DATA/PLAYER.orvex"),
                        {{"SLIDETYPE", "IMAGE"}, {"NETWORK", network}, {"WEBSITE", "0"},
                         {"LINKSITE", "https://x.example/zobox/zo_a/LINKS/" + folder}, {"ID", "3"}}));
    // An older stamped copy of last month at the same time.
    SequenceFixture::writeFile(m_fx.work("LINKS/index10090507.html"), "last month");
    build();
    QVERIFY(run());
    QCOMPARE(m_errors->count(), refused ? 1 : 0);
    // The DATA deployment went on in any case.
    QVERIFY(QFileInfo::exists(server("B2/PLAYER.orvex")));
    if (refused) {
        QCOMPARE(QDir(server("LINKS")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
        QVERIFY(m_opened.isEmpty());
        return;
    }
    const QString link = SharePage::linkFolderOf(ClassParam().getParamCrypt(m_fx.work("DATA/PLAYER.orvex"), "LINKSITE", 0));
    QCOMPARE(link, folder.startsWith('"') ? QString() : folder);
    const QString shareFolder = "LINKS/" + link + (link.isEmpty() ? "" : "/");
    QCOMPARE(SequenceFixture::filesOf(server(shareFolder)).keys(), shared);
    const QByteArray page = SequenceFixture::readFile(server(shareFolder + "index.html"));
    QVERIFY(page.contains("zobox/" + m_fx.account().toUtf8() + "/LINKS/" + link.toUtf8() + "/index10090507.html"));
    QVERIFY(!page.contains("\"><script>"));
    if (shared.size() == 4) {
        QCOMPARE(SequenceFixture::readFile(server(shareFolder + "index10090507.html")), page);
        QCOMPARE(m_opened.size(), 1);
        QVERIFY(m_opened.first().endsWith("zobox/" + m_fx.account() + "/LINKS/" + link + "/index10090507.html"));
    } else {
        QVERIFY(m_opened.isEmpty());
    }
}

QTEST_GUILESS_MAIN(BoxDeploymentTest)
#include "tst_boxdeployment_standin.moc"
