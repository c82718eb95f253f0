// The large-file upload through doUploadFileHttp and the list upload, against
// the stand-in's pyftpdlib (same tree as the HTTP stand-in) and a scripted
// server that drops the connection half way.

#include "../ftp/FakeFtpServer.h"
#include "HttpFileApi.h"
#include "LargeFileUpload.h"
#include "ListTransfers.h"
#include "QFtp.h"
#include "SequenceFixture.h"
#include "TimeScale.h"
#include "TransferLists.h"

#include <QCryptographicHash>
#include <QLoggingCategory>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTimer>
#include <QtTest>

#include <optional>

namespace {

QStringList g_messages;

void capture(QtMsgType, const QMessageLogContext &, const QString &text)
{
    g_messages << text;
}

QByteArray md5Of(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    QCryptographicHash hash(QCryptographicHash::Md5);
    hash.addData(&file);
    return hash.result().toHex().toUpper();
}

void makeSparse(const QString &path, qint64 size)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("ZOVIDEO-HEAD");
    QVERIFY(file.resize(size));
    file.seek(size - 4);
    file.write("TAIL");
}

quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

class TestLargeFileUpload : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void parseServer_data();
    void parseServer();
    void sizeChoosesThePath_data();
    void sizeChoosesThePath();
    void failureEndsClosed_data();
    void failureEndsClosed();
    void singleUpload_data();
    void singleUpload();
    void passwordNeverShown();

private:
    // Runs FtpPutListFile on VIDEO/<name> into the server's VIDEO folder.
    bool upload(const QString &name, const std::function<void()> &eachTick = {});

    SequenceFixture m_fx;
    HttpFileApi *m_api = nullptr;
    QTimer *m_timer = nullptr;
    LargeFileUpload *m_upload = nullptr;
    ListTransfers *m_lists = nullptr;
    QStringList m_boxes; // "kind: text" of every box the panel would show
    QList<QPointer<QFtp>> m_connections;
};

void TestLargeFileUpload::init()
{
    if (!StandIn::running())
        QSKIP("stand-in not running (server/standin.sh)");
    m_fx.setUp();
    m_api = m_fx.makeApi();
    m_timer = new QTimer(this);
    m_timer->setInterval(10);
    m_upload = new LargeFileUpload(m_api, m_timer, this);
    m_upload->setAccount(qEnvironmentVariable("ZO_FTP_HOST") + ':' + qEnvironmentVariable("ZO_FTP_PORT"),
                         qEnvironmentVariable("ZO_FTP_USER"), qEnvironmentVariable("ZO_FTP_PASS"),
                         "/zolink/zobox/" + m_fx.account());
    m_lists = new ListTransfers(m_api, this);
    m_lists->setFolder("VIDEO");
    m_lists->setDeployBoxes({"BOX1"});
    m_lists->setSelectedBox([] { return QString("BOX1"); });
    m_boxes.clear();
    m_connections.clear();
    connect(m_upload, &LargeFileUpload::signalInformation, this,
            [this](QString title, QString text) { m_boxes << "info " + title + ": " + text; });
    connect(m_upload, &LargeFileUpload::signalConnectError, this, [this](QString text) { m_boxes << "connect: " + text; });
    connect(m_upload, &LargeFileUpload::signalMessageProblem, this, [this](QString text) { m_boxes << "problem: " + text; });
    QDir().mkpath(m_fx.tree(m_fx.account() + "/VIDEO"));
}

void TestLargeFileUpload::cleanup()
{
    delete m_lists;
    delete m_upload;
    delete m_timer;
    m_lists = nullptr;
    m_upload = nullptr;
    m_timer = nullptr;
    m_fx.tearDown();
}

bool TestLargeFileUpload::upload(const QString &name, const std::function<void()> &eachTick)
{
    m_api->lists()->setTransferFiles({name});
    return SequenceFixture::drive(
        [&] {
            if (m_upload->connection() && (m_connections.isEmpty() || m_connections.last() != m_upload->connection()))
                m_connections << m_upload->connection();
            if (eachTick)
                eachTick();
            return m_lists->FtpPutListFile(m_fx.work("VIDEO/"));
        },
        [&] { return m_lists->lastFailed(); }, 60000);
}

void TestLargeFileUpload::parseServer_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<bool>("urlForm");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain host keeps 21") << "ftp.example.com" << "ftp.example.com" << 21 << false << true;
    QTest::newRow("host:port") << "127.0.0.1:2261" << "127.0.0.1" << 2261 << false << true;
    QTest::newRow("blanks around") << " host:21 " << "host" << 21 << false << true;
    QTest::newRow("url form") << "ftp://u:p@files.example.com:2100/x" << "files.example.com" << 2100 << true << true;
    QTest::newRow("url form without port") << "FTP://files.example.com" << "files.example.com" << 21 << true << true;
    QTest::newRow("bracketed ipv6 with port") << "[::1]:2121" << "::1" << 2121 << false << true;
    QTest::newRow("bare ipv6 keeps 21") << "::1" << "::1" << 21 << false << true;
    QTest::newRow("port not a number") << "host:ftp" << "host:ftp" << 21 << false << false;
    QTest::newRow("port out of range") << "host:70000" << "host:70000" << 21 << false << false;
    QTest::newRow("empty") << "" << "" << 21 << false << false;
}

void TestLargeFileUpload::parseServer()
{
    QFETCH(QString, value);
    const LargeFileUpload::Server server = LargeFileUpload::parseServer(value);
    QTEST(server.host, "host");
    QTEST(int(server.port), "port");
    QTEST(server.urlForm, "urlForm");
    QTEST(server.valid, "valid");
    QVERIFY(!LargeFileUpload::displayServer("ftp://u:topsecret@h:21/").contains("topsecret"));
}

void TestLargeFileUpload::sizeChoosesThePath_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("overFtp");
    QTest::newRow("128,000,000 bytes over FTP") << qint64(128000000) << true;
    QTest::newRow("127,999,999 bytes over HTTP") << qint64(127999999) << false;
}

void TestLargeFileUpload::sizeChoosesThePath()
{
    QFETCH(qint64, size);
    QFETCH(bool, overFtp);
    makeSparse(m_fx.work("VIDEO/big.mp4"), size);
    QSignalSpy handedOver(m_api, &HttpFileApi::signalEnvoiGrosFichier);
    QSignalSpy putFinished(m_api, &HttpFileApi::signalPutFileFinish);
    QSignalSpy progress(m_api, &HttpFileApi::signalProgress);
    const qint64 mark = StandIn::mark();

    QVERIFY(upload("big.mp4"));
    QVERIFY2(m_boxes.isEmpty(), qPrintable(m_boxes.join('\n')));
    const QString target = m_fx.tree(m_fx.account() + "/VIDEO/big.mp4");
    QCOMPARE(QFileInfo(target).size(), size);
    QCOMPARE(md5Of(target), md5Of(m_fx.work("VIDEO/big.mp4")));
    QCOMPARE(handedOver.count(), overFtp ? 1 : 0);
    QCOMPARE(putFinished.count(), 1);
    QVERIFY(m_api->lastSucceeded(HttpFileApi::OpUpload));
    bool whole = false;
    for (const QList<QVariant> &report : progress)
        whole = whole || report.at(1).toLongLong() >= size; // HTTP counts the multipart body
    QVERIFY(whole);
    const bool posted = SequenceFixture::requests(mark).contains("UPLOAD " + m_fx.account() + "/VIDEO/big.mp4");
    QCOMPARE(posted, !overFtp);
    if (overFtp) {
        QCOMPARE(m_api->statusLabel(), QString("Fichier big.mp4 envoyé."));
        QCOMPARE(m_upload->step(), 0);
        QVERIFY(!m_upload->running());
        QVERIFY(!m_connections.isEmpty());
        // Closed with QUIT, then freed.
        QTRY_VERIFY(m_connections.last().isNull());
        // A tick queued before the end once started the whole upload again.
        m_upload->EnvoiGrosFichier();
        QTest::qWait(50);
        QVERIFY(!m_upload->running());
        QVERIFY(!m_upload->connection());
        QCOMPARE(putFinished.count(), 1);
    }
}

void TestLargeFileUpload::failureEndsClosed_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("box"); // start of the one box shown by the upload ("" = none)
    QTest::newRow("wrong password") << "password" << "big.mp4" << "info FTP: ";
    QTest::newRow("server down") << "down" << "big.mp4"
                                 << "connect: " + LargeFileUpload::connectErrorText();
    QTest::newRow("missing folder") << "folder" << "big.mp4" << "";
    QTest::newRow("name Latin-1 cannot hold") << "" << QString::fromUtf8("vidéo€.mp4")
                                              << "problem: " + LargeFileUpload::messageProblemText();
    QTest::newRow("connection dropped half way") << "drop" << "big.mp4"
                                                 << "problem: " + LargeFileUpload::messageProblemText();
    QTest::newRow("data connection cut short then 226 shown as sent")
        << "cut" << "big.mp4" << "problem: " + LargeFileUpload::messageProblemText();
    QTest::newRow("server reading 2 KB/s held the upload for hours")
        << "slow" << "big.mp4"
        << "problem: " + LargeFileUpload::messageProblemText() + "\n" + TransferDeadline::tooSlowText();
}

void TestLargeFileUpload::failureEndsClosed()
{
    QFETCH(QString, fault);
    QFETCH(QString, name);
    QFETCH(QString, box);
    makeSparse(m_fx.work("VIDEO/" + name), 128000000);
    const QString server = qEnvironmentVariable("ZO_FTP_HOST") + ':' + qEnvironmentVariable("ZO_FTP_PORT");
    const QString path = "/zolink/zobox/" + m_fx.account();
    QScopedPointer<FakeFtpServer> fake;
    std::optional<TimeScale::ShortTimeouts> shorter;
    std::function<void()> eachTick;
    if (fault == "password") {
        m_upload->setAccount(server, qEnvironmentVariable("ZO_FTP_USER"), "wrong-password", path);
    } else if (fault == "down") {
        m_upload->setAccount("127.0.0.1:" + QString::number(closedPort()), "u", "p", path);
    } else if (fault == "folder") {
        QDir(m_fx.tree(m_fx.account() + "/VIDEO")).removeRecursively();
        // Three unconfirmed folder changes: the try time-out is the subject.
        shorter.emplace(10);
    } else if (fault == "cut") {
        // The server keeps a part and says the transfer went well.
        fake.reset(new FakeFtpServer);
        fake->replies.insert("CWD", "250 OK.\r\n");
        fake->cutStoreAt = 1024 * 1024;
        m_upload->setAccount("127.0.0.1:" + QString::number(fake->port()), "u", "p", path);
    } else if (fault == "slow") {
        fake.reset(new FakeFtpServer);
        fake->replies.insert("CWD", "250 OK.\r\n");
        fake->readBytesPerSecond = 2048;
        m_upload->setAccount("127.0.0.1:" + QString::number(fake->port()), "u", "p", path);
        // The row is about the put's deadline: 0.5 s plus 128 MB at 64 MB/s.
        m_upload->setDeadline(TransferDeadline{500, 64 * 1000 * 1000});
    } else if (fault == "drop") {
        fake.reset(new FakeFtpServer);
        fake->replies.insert("CWD", "250 OK.\r\n");
        m_upload->setAccount("127.0.0.1:" + QString::number(fake->port()), "u", "p", path);
        eachTick = [&fake] {
            if (fake->stored.size() > 16 * 1024 * 1024 && fake->dataSocket()) {
                // No 226: the control connection goes first.
                fake->closeControl();
                fake->closeData();
            }
        };
    }
    QSignalSpy failed(m_lists, &ListTransfers::sequenceFailed);
    QSignalSpy putFinished(m_api, &HttpFileApi::signalPutFileFinish);
    QElapsedTimer clock;
    clock.start();

    QVERIFY(!upload(name, eachTick));
    QVERIFY2(clock.elapsed() < 30000, "the failure took too long");
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed.at(0).at(0).toInt(), 4);
    if (box.isEmpty()) {
        QVERIFY2(m_boxes.isEmpty(), qPrintable(m_boxes.join('\n')));
    } else {
        QCOMPARE(m_boxes.size(), 1);
        QVERIFY2(m_boxes.at(0).startsWith(box), qPrintable(m_boxes.at(0)));
    }
    QCOMPARE(putFinished.count(), 0);
    QVERIFY(!m_api->lastSucceeded(HttpFileApi::OpUpload));
    QVERIFY(!m_api->statusLabel().contains("envoyé"));
    // A connection that failed does not stay announced as under way.
    if (fault == "down" || fault == "password")
        QCOMPARE(m_api->statusLabel(), QString("Connecter sur le serveur"));
    QCOMPARE(m_upload->step(), 0);
    QVERIFY(!m_upload->running());
    QVERIFY(!m_upload->connection());
    for (const QPointer<QFtp> &connection : m_connections)
        QTRY_VERIFY(connection.isNull());
    QVERIFY(!QFile::exists(m_fx.tree(m_fx.account() + "/VIDEO/" + name)) || fault == "drop" || fault == "cut");
    if (fault == "drop" || fault == "cut")
        QTRY_VERIFY(fake->dataConnections == 1);
}

void TestLargeFileUpload::singleUpload_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("code"); // 0: sent
    QTest::newRow("sent") << qEnvironmentVariable("ZO_FTP_PASS") << 0;
    QTest::newRow("wrong password: code 8 at once") << "wrong-password" << 8;
}

void TestLargeFileUpload::singleUpload()
{
    QFETCH(QString, password);
    QFETCH(int, code);
    m_upload->setAccount(qEnvironmentVariable("ZO_FTP_HOST") + ':' + qEnvironmentVariable("ZO_FTP_PORT"),
                         qEnvironmentVariable("ZO_FTP_USER"), password, "/zolink/zobox/" + m_fx.account());
    makeSparse(m_fx.work("VIDEO/one.mp4"), 128000000);
    QSignalSpy failed(m_lists, &ListTransfers::sequenceFailed);
    QSignalSpy handedOver(m_api, &HttpFileApi::signalEnvoiGrosFichier);

    const bool sent = SequenceFixture::drive([&] { return m_lists->FtpPutOneFile(m_fx.work("VIDEO/one.mp4"), "one.mp4"); },
                                             [&] { return m_lists->lastFailed(); }, 60000);
    QCOMPARE(sent, code == 0);
    // One try only: a failed FTP upload has shown its box already.
    QCOMPARE(handedOver.count(), 1);
    QCOMPARE(failed.count(), code == 0 ? 0 : 1);
    if (code) {
        QCOMPARE(failed.at(0).at(0).toInt(), code);
        QCOMPARE(m_boxes.size(), 1);
    } else {
        QCOMPARE(QFileInfo(m_fx.tree(m_fx.account() + "/VIDEO/one.mp4")).size(), qint64(128000000));
    }
}

void TestLargeFileUpload::passwordNeverShown()
{
    const QString password = qEnvironmentVariable("ZO_FTP_PASS") + "-Xq7";
    m_upload->setAccount(qEnvironmentVariable("ZO_FTP_HOST") + ':' + qEnvironmentVariable("ZO_FTP_PORT"),
                         qEnvironmentVariable("ZO_FTP_USER"), password, "/zolink/zobox/" + m_fx.account());
    makeSparse(m_fx.work("VIDEO/big.mp4"), 128000000);
    g_messages.clear();
    QLoggingCategory::setFilterRules("zo.ftp.debug=true");
    const QtMessageHandler previous = qInstallMessageHandler(capture);
    const bool ok = upload("big.mp4");
    qInstallMessageHandler(previous);
    QVERIFY(!ok);
    QStringList seen = g_messages + m_boxes;
    seen << m_api->statusLabel();
    for (const QString &name : QDir(m_fx.work("LOG")).entryList(QDir::Files))
        seen << QString::fromUtf8(SequenceFixture::readFile(m_fx.work("LOG/") + name));
    QVERIFY(!seen.join('\n').isEmpty());
    QVERIFY2(!seen.join('\n').contains(password), "the FTP password was shown or logged");
}

QTEST_GUILESS_MAIN(TestLargeFileUpload)
#include "tst_largefileupload_standin.moc"
