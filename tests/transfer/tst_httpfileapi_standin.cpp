// The HTTP file API against the stand-in server on loopback: what reaches
// the server (its request log), and how replies, faults and hostile names
// are handled.
#include "../sync/ParamFixture.h"
#include "AppGlobals.h"
#include "ClassParam.h"
#include "HttpFileApi.h"
#include "StandIn.h"
#include "TransferLists.h"
#include "TransferSlots.h"

#include <QJsonArray>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRandomGenerator>
#include <QtTest>

namespace {

void writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(data);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString sortedQuery(const QJsonObject &entry)
{
    QStringList pairs;
    const QJsonObject query = entry.value("query").toObject();
    for (auto it = query.begin(); it != query.end(); ++it)
        pairs << it.key() + '=' + it.value().toString();
    pairs.sort();
    return pairs.join('&');
}

QString consoleLog()
{
    QDir logs(qEnvironmentVariable("ZOMANAGER_WORKDIR") + "/LOG");
    QString text;
    for (const QString &name : logs.entryList({"*-OrvexLog.log"}))
        text += QString::fromUtf8(readFile(logs.filePath(name)));
    return text;
}

QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(folder.size());
    files.sort();
    return files;
}

} // namespace

class HttpFileApiStandInTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void urlTable_data();
    void urlTable();
    void scanSorting_data();
    void scanSorting();
    void retriedScanFillsListsOnce();
    void failedDownload_data();
    void failedDownload();
    void uploadAnswered500();
    void statusPollDuringDownload();
    void hostileNames_data();
    void hostileNames();
    void encodedNames_data();
    void encodedNames();
    void sparseFileBelowTheLimitArrivesWhole();
    void stalledReply_data();
    void stalledReply();
    void standInRefusesPathsOutsideItsTree_data();
    void standInRefusesPathsOutsideItsTree();
    void standInListsDotsFirst();

private:
    HttpFileApi *makeApi();
    QString tree(const QString &relative = QString()) const { return StandIn::root() + '/' + relative; }
    QString account() const { return "zo_" + m_name; }
    QString expand(QString text) const { return text.replace("%A", m_name); }

    QScopedPointer<QTemporaryDir> m_dir;
    QString m_work;
    QString m_name;
    QScopedPointer<HttpFileApi> m_api;
};

void HttpFileApiStandInTest::initTestCase()
{
    ZO_NEED_STANDIN();
    static QTemporaryDir logs;
    qputenv("ZOMANAGER_WORKDIR", logs.path().toUtf8());
    QDir(logs.path()).mkpath("LOG");
}

void HttpFileApiStandInTest::init()
{
    static int counter = 0;
    m_name = QString("t%1x%2y").arg(QCoreApplication::applicationPid()).arg(++counter);
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_work = m_dir->filePath("work/");
    for (const char *folder : {"DATA", "TEMP", "IMAGE", "LOG"})
        QDir(m_work).mkpath(folder);
    ApplicationPath = m_work;

    writeFile(tree(account() + "/IMAGE/old.png"), "server picture");
    writeFile(tree(account() + "/BOX1/PLAYER.orvex"), paramText("player"));
    writeFile(tree(account() + "/LoginCrypt.orvex"), paramText("login"));
    QDir().mkpath(tree(account() + "/PLAYLIST-a"));
    QDir().mkpath(tree("Production/Reports"));
    QDir().mkpath(tree("Validation"));
    writeFile(tree(expand("DEFAULT/P%A.orvex")), paramText("default player"));
    writeFile(m_work + "IMAGE/a.png", "local picture");
    writeFile(m_work + expand("TEMP/V%A.orvex"), "validation");
}

void HttpFileApiStandInTest::cleanup()
{
    m_api.reset();
    if (StandIn::running()) {
        StandIn::reset(m_name);
        QDir(tree(account())).removeRecursively();
        QFile::remove(tree(expand("DEFAULT/P%A.orvex")));
        QFile::remove(tree(expand("Validation/V%A.orvex")));
    }
}

HttpFileApi *HttpFileApiStandInTest::makeApi()
{
    m_api.reset(new HttpFileApi);
    m_api->setBaseUrl(StandIn::url());
    m_api->setWorkFolder(m_work);
    m_api->setAccountFolder("/zolink/zobox/" + account());
    return m_api.data();
}

void HttpFileApiStandInTest::urlTable_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("flag");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<QString>("logged");

    const QString cmd = "/zobox/json_Cmd.php";
    QTest::newRow("scan of the account") << "scan" << QStringList{""} << 4 << "GET" << cmd
                                         << "Cmd_Php=SCANDIR&PathScanDir=zo_%A" << "" << "";
    QTest::newRow("scan of a sub-folder") << "scan" << QStringList{"BOX1"} << 4 << "GET" << cmd
                                          << "Cmd_Php=SCANDIR&PathScanDir=zo_%A/BOX1" << "" << "";
    QTest::newRow("scan of Production/Reports") << "scan" << QStringList{"/zolink/zobox/Production/Reports"} << 4
                                                << "GET" << cmd << "Cmd_Php=SCANDIR&PathScanDir=Production/Reports"
                                                << "Production/Reports" << "";
    QTest::newRow("upload to the account") << "upload" << QStringList{"a.png", "IMAGE/", ""} << 3 << "POST"
                                           << "/zobox/upload.php" << "Upload_Path=zo_%A/" << "" << "";
    QTest::newRow("upload to /IMAGE") << "upload" << QStringList{"a.png", "IMAGE/", "/IMAGE"} << 3 << "POST"
                                      << "/zobox/upload.php" << "Upload_Path=zo_%A/IMAGE/" << "" << "";
    // Built with two slashes after the base; Qt's HTTP layer sends one.
    QTest::newRow("download, double slash") << "download" << QStringList{"", "LoginCrypt.orvex"} << 1 << "GET"
                                            << "/zobox/zo_%A/LoginCrypt.orvex" << "" << ""
                                            << "downloadFileHttp->URL:%M/zobox/zo_%A/LoginCrypt.orvex";
    QTest::newRow("download from a box folder") << "download" << QStringList{"BOX1", "PLAYER.orvex"} << 1 << "GET"
                                                << "/zobox/zo_%A/BOX1/PLAYER.orvex" << "" << ""
                                                << "downloadFileHttp->URL:%M/zobox/zo_%A/BOX1/PLAYER.orvex";
    QTest::newRow("slotGetFile from DEFAULT") << "getFile" << QStringList{"/zolink/zobox/DEFAULT", "P%A.orvex"} << 1
                                              << "GET" << "/zobox/DEFAULT/P%A.orvex" << "" << "" << "";
    QTest::newRow("slotPutFile to Validation") << "putFile" << QStringList{"TEMP/V%A.orvex", "Validation", "V%A.orvex"}
                                               << 3 << "POST" << "/zobox/upload.php" << "Upload_Path=Validation/"
                                               << "V%A.orvex" << "";
    QTest::newRow("delete a file") << "deleteFile" << QStringList{"IMAGE/old.png"} << 6 << "GET" << cmd
                                   << "Cmd_Php=DELETE_FILE&PathFile=zo_%A/IMAGE/old.png" << "" << "";
    QTest::newRow("delete a folder") << "deleteDir" << QStringList{"PLAYLIST-a"} << 9 << "GET" << cmd
                                     << "Cmd_Php=DELETE_DIR&PathDir=zo_%A/PLAYLIST-a" << "" << "";
    QTest::newRow("create a folder") << "createDir" << QStringList{"BOX2"} << 7 << "GET" << cmd
                                     << "Cmd_Php=CREATE_DIR&PathDir=zo_%A/BOX2" << "" << "";
    QTest::newRow("rename") << "rename" << QStringList{"PLAYLIST-a", "PLAYLIST-b"} << 8 << "GET" << cmd
                            << "Cmd_Php=RENAME_DIR_FILE&PathNewName=zo_%A/PLAYLIST-b&PathOldName=zo_%A/PLAYLIST-a"
                            << "" << "";
    QTest::newRow("rename with an empty new path sends nothing") << "rename" << QStringList{"PLAYLIST-a", ""} << -1
                                                                 << "" << "" << "" << "" << "";
    QTest::newRow("account status") << "status" << QStringList{"%A"} << 10 << "GET"
                                    << "/zoconsole/modeles/getSTATUS.php" << "compte=%A" << "" << "";
}

void HttpFileApiStandInTest::urlTable()
{
    QFETCH(QString, op);
    QFETCH(QStringList, args);
    QFETCH(int, flag);
    QFETCH(QString, method);
    QFETCH(QString, needle);
    QFETCH(QString, logged);
    for (QString &arg : args)
        arg = expand(arg);

    HttpFileApi *api = makeApi();
    TransferSlots transfers(api);
    const qint64 mark = StandIn::mark();

    if (op == "scan") {
        api->scanFile(args.at(0));
    } else if (op == "upload") {
        api->doUploadFileHttp(args.at(0), m_work + args.at(1), args.at(2));
    } else if (op == "download") {
        QVERIFY(api->openTransferFile(m_work + "DATA/" + args.at(1)));
        api->downloadFileHttp(args.at(0), args.at(1));
    } else if (op == "getFile") {
        transfers.slotGetFile(args.at(0), args.at(1), m_work + "TEMP", args.at(1));
    } else if (op == "putFile") {
        transfers.slotPutFile(m_work + args.at(0), args.at(1), args.at(2));
    } else if (op == "deleteFile") {
        api->deleteFileHttp(args.at(0));
    } else if (op == "deleteDir") {
        api->deleteDirHttp(args.at(0));
    } else if (op == "createDir") {
        api->createDirHttp(args.at(0));
    } else if (op == "rename") {
        api->renameDirFileHttp(args.at(0), args.at(1));
    } else if (op == "status") {
        api->statusCompte(args.at(0));
    }

    const QString match = needle.isEmpty() ? m_name : expand(needle);
    if (flag < 0) {
        QCOMPARE(api->requestsInFlight(), 0);
        QVERIFY(!api->doneFlag(8));
        QVERIFY(StandIn::entries(mark, match, 0, 300).isEmpty());
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(api->doneFlag(flag), 10000);
    QVERIFY(!api->doneFlag(2));

    const QList<QJsonObject> entries = StandIn::entries(mark, match, 1);
    QCOMPARE(entries.size(), 1);
    const QJsonObject entry = entries.first();
    QCOMPARE(entry.value("method").toString(), method);
    QFETCH(QString, path);
    QCOMPARE(entry.value("path").toString(), expand(path));
    QFETCH(QString, query);
    QStringList expected = expand(query).split('&', Qt::SkipEmptyParts);
    expected.sort();
    QCOMPARE(sortedQuery(entry), expected.join('&'));
    QCOMPARE(entry.value("status").toInt(), 200);
    if (method == "POST")
        QCOMPARE(entry.value("upload").toObject().value("name").toString(), args.at(op == "putFile" ? 2 : 0));
    if (!logged.isEmpty()) {
        const QString mask = "//****" + QUrl(StandIn::url()).host() + '/';
        QVERIFY2(consoleLog().contains(expand(logged).replace("%M", mask)), qPrintable(logged));
    }
}

void HttpFileApiStandInTest::scanSorting_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("whole reply") << "";
    QTest::newRow("reply in two pieces") << "split";
}

void HttpFileApiStandInTest::scanSorting()
{
    QFETCH(QString, fault);
    for (const char *folder : {"IMAGE", "5C0A2B", "BOXB", "zo_sub"})
        QDir().mkpath(tree(account() + "/SCAN/" + folder));
    writeFile(tree(account() + "/SCAN/Slide1.png"), "s");
    writeFile(tree(account() + "/SCAN/a.b"), "a");
    writeFile(tree(account() + "/SCAN/README"), "r");
    const QString index = m_work + "TEMP/MEDIA.orvex";
    writeFile(index, QByteArray());
    QVERIFY(ClassParam().setParamCrypt(index, "5C0A2B", "Accueil"));
    if (!fault.isEmpty())
        QVERIFY(StandIn::fault("/zobox/json_Cmd.php", fault, m_name, 1, 300));

    HttpFileApi *api = makeApi();
    QSignalSpy listed(api, &HttpFileApi::signalListFichier);
    QSignalSpy presence(api, &HttpFileApi::signalPresenceBox);
    const qint64 mark = StandIn::mark();
    api->scanFile("SCAN");
    QTRY_VERIFY_WITH_TIMEOUT(api->doneFlag(4), 10000);

    const TransferLists *lists = api->lists();
    QCOMPARE(lists->boxList(), QStringList({"5C0A2B", "BOXB", "README"}));
    QCOMPARE(lists->boxNameList(), QStringList({"Accueil", " ", " "}));
    QCOMPARE(lists->transferFiles(), QStringList({"Slide1.png", "a.b"}));
    QCOMPARE(lists->slideNames(), QStringList({"Slide1.png"}));
    QCOMPARE(presence.count(), 3);
    QCOMPARE(listed.count(), 1);
    QCOMPARE(listed.at(0).at(0).toStringList(), lists->transferFiles());
    if (!fault.isEmpty())
        QCOMPARE(StandIn::entries(mark, m_name, 1).value(0).value("fault").toString(), fault);
}

void HttpFileApiStandInTest::retriedScanFillsListsOnce()
{
    // Regression: the late reply of the first try appended every name again.
    writeFile(tree(account() + "/BOX1/a.png"), "a");
    QVERIFY(StandIn::fault("/zobox/json_Cmd.php", "delay", m_name, 1, 800));
    HttpFileApi *api = makeApi();
    QSignalSpy listed(api, &HttpFileApi::signalListFichier);

    api->scanFile("BOX1");
    QTest::qWait(100);
    api->scanFile("BOX1");
    QTRY_VERIFY_WITH_TIMEOUT(api->doneFlag(4), 10000);
    QTest::qWait(1200);

    QCOMPARE(api->lists()->transferFiles(), QStringList({"PLAYER.orvex", "a.png"}));
    QCOMPARE(listed.count(), 1);
    QCOMPARE(api->requestsInFlight(), 0);
}

void HttpFileApiStandInTest::failedDownload_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("onServer");
    QTest::newRow("missing on the server (404)") << "" << false;
    QTest::newRow("server error (500)") << "500" << true;
    QTest::newRow("connection closed mid-body") << "close" << true;
}

void HttpFileApiStandInTest::failedDownload()
{
    QFETCH(QString, fault);
    QFETCH(bool, onServer);
    if (onServer)
        writeFile(tree(account() + "/IMAGE/x.png"), QByteArray(200000, 'x'));
    if (!fault.isEmpty())
        QVERIFY(StandIn::fault(expand("/zobox/zo_%A/IMAGE/x.png"), fault, QString()));

    HttpFileApi *api = makeApi();
    QSignalSpy got(api, &HttpFileApi::signalGetFileFinish);
    QSignalSpy removed(api, &HttpFileApi::signalSupprimerFichier);
    writeFile(m_work + "IMAGE/x.png", "older copy");
    QVERIFY(api->openTransferFile(m_work + "IMAGE/x.png"));
    api->setStatusLabel("Téléchargement du fichier x.png...");
    api->downloadFileHttp("IMAGE", "x.png");
    QTRY_VERIFY_WITH_TIMEOUT(api->doneFlag(1), 10000);

    QVERIFY(!QFile::exists(m_work + "IMAGE/x.png"));
    QCOMPARE(got.count(), 1);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.at(0).at(0).toString(), "IMAGE/x.png");
    QCOMPARE(api->statusLabel(), "Téléchargement du fichier x.png...");
    QCOMPARE(api->retryCounter(), 0);
}

void HttpFileApiStandInTest::uploadAnswered500()
{
    QVERIFY(StandIn::fault("/zobox/upload.php", "500", m_name));
    HttpFileApi *api = makeApi();
    QSignalSpy put(api, &HttpFileApi::signalPutFileFinish);
    api->setRetryCounter(1);

    api->doUploadFileHttp("a.png", m_work + "IMAGE/", "/IMAGE");
    QTRY_VERIFY_WITH_TIMEOUT(api->doneFlag(3), 10000);

    QVERIFY(api->doneFlag(2));
    QCOMPARE(put.count(), 1);
    QCOMPARE(api->retryCounter(), 0);
    QCOMPARE(api->statusLabel(), "Envoi du fichier a.png...");
    QVERIFY(!QFile::exists(tree(account() + "/IMAGE/a.png")));
    QVERIFY(QFile::exists(m_work + "IMAGE/a.png"));
}

void HttpFileApiStandInTest::statusPollDuringDownload()
{
    QByteArray big(4 * 1024 * 1024, Qt::Uninitialized);
    for (char &c : big)
        c = char(QRandomGenerator::global()->bounded(256));
    writeFile(tree(account() + "/BOX1/big.bin"), big);
    const QByteArray status = R"({"BOX1":["2024-01-02 | 10:00:00","0","1"]})";
    writeFile(tree(account() + "/STATUSBOX.json"), status);
    QVERIFY(StandIn::fault(expand("/zobox/zo_%A/BOX1/big.bin"), "split", QString(), 1, 600));

    HttpFileApi *api = makeApi();
    QList<int> ended;
    connect(api, &HttpFileApi::signalTransferEnded, this, [&ended](int op, bool) { ended << op; });
    QSignalSpy removed(api, &HttpFileApi::signalSupprimerFichier);
    QVERIFY(api->openTransferFile(m_work + "DATA/big.bin"));
    api->downloadFileHttp("BOX1", "big.bin");
    QTest::qWait(100);
    api->statusCompte(m_name);

    QTRY_VERIFY_WITH_TIMEOUT(api->doneFlag(1) && api->doneFlag(10), 15000);
    QCOMPARE(ended, QList<int>({HttpFileApi::OpStatus, HttpFileApi::OpDownload}));
    QCOMPARE(api->statusText(), QString::fromUtf8(status));
    QCOMPARE(removed.count(), 0);
    QVERIFY(readFile(m_work + "DATA/big.bin") == big);
}

void HttpFileApiStandInTest::hostileNames_data()
{
    QTest::addColumn<bool>("injected");
    QTest::newRow("names in the scan reply") << true;
    QTest::newRow("names on the server's disk") << false;
}

void HttpFileApiStandInTest::hostileNames()
{
    QFETCH(bool, injected);
    const QString folder = tree(account() + "/BOX1/");
    writeFile(folder + "ok.png", "fine");
    if (injected) {
        const QJsonArray names = {".", "..", "../../evil.png", "/tmp/evil.png", "..\\evil.png",
                                  QString("a\x01" "b.png"), "..", "ok.png"};
        QVERIFY(StandIn::fault("/zobox/json_Cmd.php", "body", m_name, 1, 0,
                               QString::fromUtf8(QJsonDocument(names).toJson(QJsonDocument::Compact))));
    } else {
        for (const QString &name : {QString("..\\evil.png"), QString("a\x01" "b.png"), QString("c\nd.png"),
                                    QString("a..b.png")})
            writeFile(folder + name, "hostile");
    }
    const QStringList before = filesBelow(m_dir->path());

    HttpFileApi *api = makeApi();
    api->scanFile("BOX1");
    QTRY_VERIFY_WITH_TIMEOUT(api->doneFlag(4), 10000);
    // Regression: "a..b.png" is a plain name and was dropped.
    const QStringList expected = injected ? QStringList{"ok.png"} : QStringList{"PLAYER.orvex", "a..b.png", "ok.png"};
    QCOMPARE(api->lists()->transferFiles(), expected);

    // What a box folder download does with each listed name.
    for (const QString &name : api->lists()->transferFiles()) {
        QVERIFY(api->openTransferFile(m_work + "DATA/" + name));
        api->downloadFileHttp("BOX1", name);
        QTRY_VERIFY_WITH_TIMEOUT(api->doneFlag(1), 10000);
    }
    QStringList added = filesBelow(m_dir->path());
    for (const QString &file : before)
        added.removeOne(file);
    QStringList wanted;
    for (const QString &name : expected)
        wanted << "/work/DATA/" + name;
    QCOMPARE(added, wanted);
    QVERIFY(!QFile::exists(m_dir->filePath("../evil.png")));
    QVERIFY(!QFile::exists("/tmp/evil.png"));
}

void HttpFileApiStandInTest::encodedNames_data()
{
    QTest::addColumn<QString>("name");
    // Regression: unencoded, this name deleted the whole account folder.
    QTest::newRow("query keys in a name") << "x&Cmd_Php=DELETE_DIR&PathDir=zo_%A";
    QTest::newRow("accents, blank, percent, plus, hash") << "été 50%+1#.png";
    QTest::newRow("semicolon, equals, question mark") << "a;b=c?d.png";
}

void HttpFileApiStandInTest::encodedNames()
{
    QFETCH(QString, name);
    name = expand(name);
    const QByteArray content = "named " + name.toUtf8();
    writeFile(m_work + "IMAGE/" + name, content);
    writeFile(tree(account() + "/IMAGE/keep.png"), "keep");
    HttpFileApi *api = makeApi();
    const qint64 mark = StandIn::mark();

    api->doUploadFileHttp(name, m_work + "IMAGE/", "/IMAGE");
    QTRY_VERIFY_WITH_TIMEOUT(api->doneFlag(3), 10000);
    QVERIFY(!api->doneFlag(2));
    QCOMPARE(readFile(tree(account() + "/IMAGE/" + name)), content);

    QVERIFY(api->openTransferFile(m_work + "DATA/copy"));
    api->downloadFileHttp("IMAGE", name);
    QTRY_VERIFY_WITH_TIMEOUT(api->doneFlag(1), 10000);
    QCOMPARE(readFile(m_work + "DATA/copy"), content);

    api->deleteFileHttp("IMAGE/" + name);
    QTRY_VERIFY_WITH_TIMEOUT(api->doneFlag(6), 10000);
    QVERIFY(!QFile::exists(tree(account() + "/IMAGE/" + name)));
    QVERIFY(QFile::exists(tree(account() + "/IMAGE/keep.png")));
    QVERIFY(QFile::exists(tree(account() + "/LoginCrypt.orvex")));

    const QList<QJsonObject> entries = StandIn::entries(mark, m_name, 3);
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries.at(0).value("upload").toObject().value("name").toString(), name);
    QCOMPARE(entries.at(2).value("query").toObject().value("PathFile").toString(), account() + "/IMAGE/" + name);
}

void HttpFileApiStandInTest::sparseFileBelowTheLimitArrivesWhole()
{
    QDir(m_work).mkpath("VIDEO");
    QDir().mkpath(tree(account() + "/VIDEO"));
    QFile big(m_work + "VIDEO/big.mp4");
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(HttpFileApi::LargeFileBytes - 1));
    big.close();

    HttpFileApi *api = makeApi();
    QSignalSpy ftp(api, &HttpFileApi::signalEnvoiGrosFichier);
    QSignalSpy put(api, &HttpFileApi::signalPutFileFinish);
    const qint64 mark = StandIn::mark();
    api->doUploadFileHttp("big.mp4", m_work + "VIDEO/", "/VIDEO");
    // A real event loop: QTRY's 10 ms naps would throttle the upload feed.
    QVERIFY(put.wait(60000));
    QVERIFY(api->doneFlag(3));

    QVERIFY(!api->doneFlag(2));
    QCOMPARE(ftp.count(), 0);
    const QJsonObject upload = StandIn::entries(mark, m_name, 1).value(0).value("upload").toObject();
    QCOMPARE(upload.value("size").toVariant().toLongLong(), HttpFileApi::LargeFileBytes - 1);
    QCOMPARE(QFileInfo(tree(account() + "/VIDEO/big.mp4")).size(), HttpFileApi::LargeFileBytes - 1);
}

void HttpFileApiStandInTest::stalledReply_data()
{
    QTest::addColumn<bool>("download");
    QTest::newRow("scan") << false;
    QTest::newRow("download") << true;
}

void HttpFileApiStandInTest::stalledReply()
{
    QFETCH(bool, download);
    const QString path = download ? expand("/zobox/zo_%A/BOX1/PLAYER.orvex") : QString("/zobox/json_Cmd.php");
    QVERIFY(StandIn::fault(path, "noanswer", download ? QString() : m_name, 1, 4000));

    HttpFileApi *api = makeApi();
    api->setStallTimeout(500);
    QSignalSpy listed(api, &HttpFileApi::signalListFichier);
    QSignalSpy removed(api, &HttpFileApi::signalSupprimerFichier);
    QElapsedTimer clock;
    clock.start();
    if (download) {
        QVERIFY(api->openTransferFile(m_work + "DATA/PLAYER.orvex"));
        api->downloadFileHttp("BOX1", "PLAYER.orvex");
    } else {
        api->scanFile("BOX1");
    }
    const int flag = download ? 1 : 4;
    QTRY_VERIFY_WITH_TIMEOUT(api->doneFlag(flag), 3000);
    QVERIFY(clock.elapsed() < 3000);
    if (download) {
        QCOMPARE(removed.count(), 1);
        QVERIFY(!QFile::exists(m_work + "DATA/PLAYER.orvex"));
    } else {
        QCOMPARE(listed.count(), 1);
        QVERIFY(listed.at(0).at(0).toStringList().isEmpty());
    }
}

void HttpFileApiStandInTest::standInRefusesPathsOutsideItsTree_data()
{
    QTest::addColumn<QString>("request");
    QTest::newRow("scan above the tree") << "/zobox/json_Cmd.php?Cmd_Php=SCANDIR&PathScanDir=zo_%A/../../..";
    QTest::newRow("delete the tree itself") << "/zobox/json_Cmd.php?Cmd_Php=DELETE_DIR&PathDir=zo_%A/..";
    QTest::newRow("rename out of the tree")
        << "/zobox/json_Cmd.php?Cmd_Php=RENAME_DIR_FILE&PathOldName=zo_%A/BOX1&PathNewName=../BOX1";
    QTest::newRow("upload above the tree") << "/zobox/upload.php?Upload_Path=../";
    QTest::newRow("static file above the tree") << "/zobox/zo_%A/../../../etc/passwd";
    QTest::newRow("encoded dots") << "/zobox/%2E%2E/%2E%2E/etc/passwd";
    QTest::newRow("dot-dot segment that stays inside was served")
        << "/zobox/json_Cmd.php?Cmd_Php=SCANDIR&PathScanDir=zo_%A/BOX1/../BOX1";
    QTest::newRow("dot-dot file path inside the tree was served") << "/zobox/zo_%A/BOX1/../BOX1/PLAYER.orvex";
    QTest::newRow("link leading out of the tree") << "/zobox/json_Cmd.php?Cmd_Php=SCANDIR&PathScanDir=zo_%A/link";
    QTest::newRow("file through a link") << "/zobox/zo_%A/link/passwd";
}

void HttpFileApiStandInTest::standInRefusesPathsOutsideItsTree()
{
    QFETCH(QString, request);
    QVERIFY(QFile::link("/etc", tree(account() + "/link")));
    const QStringList before = filesBelow(StandIn::root() + "/" + account());
    QCOMPARE(StandIn::rawGet(expand(request)), 403);
    QCOMPARE(filesBelow(StandIn::root() + "/" + account()), before);
}

void HttpFileApiStandInTest::standInListsDotsFirst()
{
    // Regression: scandir sorts "-a.png" before ".", and a client that drops
    // the first two entries lost it.
    writeFile(tree(account() + "/BOX1/-a.png"), "x");
    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.get(QNetworkRequest(
        QUrl(StandIn::url() + "zobox/json_Cmd.php?Cmd_Php=SCANDIR&PathScanDir=" + account() + "/BOX1")));
    QSignalSpy done(reply, &QNetworkReply::finished);
    QVERIFY(done.wait(5000));
    const QJsonArray names = QJsonDocument::fromJson(reply->readAll()).array();
    reply->deleteLater();
    QCOMPARE(names.size(), 4);
    QCOMPARE(names.at(0).toString(), QString("."));
    QCOMPARE(names.at(1).toString(), QString(".."));
    QCOMPARE(names.at(2).toString(), QString("-a.png"));
}

QTEST_GUILESS_MAIN(HttpFileApiStandInTest)
#include "tst_httpfileapi_standin.moc"
