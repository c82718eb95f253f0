// The HTTP file API against a loopback server that misbehaves in the ways a
// broken or hostile host does: every row must end as a failure, promptly,
// with nothing left on disk as if it had arrived and memory kept in bounds.
#include "ClassParam.h"
#include "HttpFileApi.h"
#include "ListTransfers.h"
#include "MediaAlignment.h"
#include "TransferLists.h"
#include "../common/GzipBomb.h"
#include "../common/ProcessStatus.h"

#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

namespace {

enum class Shape {
    CloseWithoutReply,
    CompressedBomb,
    Drip,
    MalformedChunks,
    ShortBody,
    // 300 bytes per second: above the stall floor, hours for a real file.
    SlowWithLength,
    SlowChunked,
    HtmlPage,
    BrokenChunkedStatus,
    // Broken at its first chunk: nothing of the body arrives.
    EmptyBrokenChunkedStatus,
    // Half of the announced length, then nothing until cut().
    HalfThenHold,
    // A few kilobytes of a huge announced length, then nothing.
    HugeAnnounced,
};

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Peak resident memory of this process, in kB.
qint64 peakKb()
{
    return processStatusKb("VmHWM:");
}

// Answers every request with the one fault shape it is set to, once the
// whole request (body included) has arrived.
class HostileHttp : public QTcpServer
{
public:
    Shape shape = Shape::CloseWithoutReply;
    QByteArray bomb;
    int requests = 0;
    // The body HalfThenHold announces; it sends the first half.
    QByteArray file;
    // The length HugeAnnounced announces.
    qint64 announced = 0;

    HostileHttp()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection())
                serve(socket);
        });
    }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1/").arg(serverPort()); }
    // Drops the held connections: the transfer is cut midway.
    void cut()
    {
        for (QTcpSocket *socket : findChildren<QTcpSocket *>())
            socket->abort();
    }

private:
    // Writes `piece` ten times a second: 300 bytes per second for 30 bytes.
    static void every100ms(QTcpSocket *socket, const QByteArray &piece)
    {
        auto *slow = new QTimer(socket);
        connect(slow, &QTimer::timeout, socket, [socket, piece] { socket->write(piece); });
        slow->start(100);
    }

    void serve(QTcpSocket *socket)
    {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto *request = new QByteArray;
        connect(socket, &QObject::destroyed, [request] { delete request; });
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
            *request += socket->readAll();
            const int end = request->indexOf("\r\n\r\n");
            if (end < 0)
                return;
            qint64 length = 0;
            for (const QByteArray &line : request->left(end).split('\n'))
                if (line.toLower().startsWith("content-length:"))
                    length = line.mid(15).trimmed().toLongLong();
            if (request->size() < end + 4 + length)
                return;
            request->clear();
            ++requests;
            answer(socket);
        });
    }

    void answer(QTcpSocket *socket)
    {
        switch (shape) {
        case Shape::CloseWithoutReply:
            socket->disconnectFromHost();
            return;
        case Shape::CompressedBomb:
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Encoding: gzip\r\n"
                          "Content-Length: " + QByteArray::number(bomb.size()) + "\r\n\r\n");
            socket->write(bomb);
            return;
        case Shape::Drip: {
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
            auto *drip = new QTimer(socket);
            connect(drip, &QTimer::timeout, socket, [socket] { socket->write("x"); });
            drip->start(50);
            return;
        }
        case Shape::MalformedChunks:
            // Qt reads a chunk size it cannot parse as the last chunk.
            socket->write("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                          "5\r\nhello\r\nzz\r\n the rest never counted\r\n0\r\n\r\n");
            return;
        case Shape::ShortBody:
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\n" + QByteArray(1000, 'x'));
            socket->disconnectFromHost();
            return;
        case Shape::SlowWithLength:
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
            every100ms(socket, QByteArray(30, 'x'));
            return;
        case Shape::SlowChunked:
            // A folder list that grows for ever, one name per piece.
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nTransfer-Encoding: chunked\r\n\r\n"
                          "9\r\n[\".\",\"..\"\r\n");
            every100ms(socket, "1e\r\n,\"Slide-00000000000000000.png\"\r\n");
            return;
        case Shape::HtmlPage: {
            const QByteArray page = "<!DOCTYPE html>\n<html><head><title>Wi-Fi</title></head>"
                                    "<body>Connectez-vous: {\"a\":[1]}</body></html>\n";
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: "
                          + QByteArray::number(page.size()) + "\r\n\r\n" + page);
            return;
        }
        case Shape::BrokenChunkedStatus: {
            // Qt takes "zz" for the last chunk: the object never closes.
            const QByteArray first = "{\"10234\":[\"2024-05-01 | 1";
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nTransfer-Encoding: chunked\r\n\r\n"
                          + QByteArray::number(first.size(), 16) + "\r\n" + first
                          + "\r\nzz\r\n0:00:00\",\"0\",\"1\"]}\r\n0\r\n\r\n");
            return;
        }
        case Shape::HugeAnnounced:
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(announced) + "\r\n\r\n"
                          + QByteArray(4096, 'k'));
            return;
        case Shape::EmptyBrokenChunkedStatus:
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nTransfer-Encoding: chunked\r\n\r\n"
                          "zz\r\n{\"10234\":[\"2024-05-01 10:00:00\",\"0\",\"1\"]}\r\n0\r\n\r\n");
            return;
        case Shape::HalfThenHold:
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(file.size()) + "\r\n\r\n"
                          + file.left(file.size() / 2));
            return;
        }
    }
};

} // namespace

Q_DECLARE_METATYPE(Shape)

class HostileHttpTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void failsWithNothingLeft_data();
    void failsWithNothingLeft();
    void cutMidwayKeepsTheLocalCopy_data();
    void cutMidwayKeepsTheLocalCopy();
    void overlongAnnouncementFailsAtOnce_data();
    void overlongAnnouncementFailsAtOnce();

private:
    QTemporaryDir m_logs;
    QScopedPointer<QTemporaryDir> m_dir;
    QByteArray m_bomb;
};

void HostileHttpTest::initTestCase()
{
    qputenv("ZOMANAGER_WORKDIR", m_logs.path().toUtf8());
    QDir(m_logs.path()).mkpath("LOG");
    // 1 GB once inflated.
    m_bomb = gzipBomb(QByteArray(), qint64(1) << 30, QByteArray(), '\0', Z_BEST_COMPRESSION);
    QVERIFY(m_bomb.size() > 0 && m_bomb.size() < 4 * 1024 * 1024);
}

void HostileHttpTest::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    QDir(m_dir->path()).mkpath("work/TEMP");
    // Each row measures its own peak.
    resetPeakResident();
}

void HostileHttpTest::failsWithNothingLeft_data()
{
    QTest::addColumn<Shape>("shape");
    QTest::addColumn<int>("operation");
    const int up = HttpFileApi::OpUpload;
    const int down = HttpFileApi::OpDownload;
    QTest::newRow("close without reply counted as uploaded") << Shape::CloseWithoutReply << up;
    QTest::newRow("close without reply counted as downloaded") << Shape::CloseWithoutReply << down;
    QTest::newRow("close without reply counted as a folder list") << Shape::CloseWithoutReply << int(HttpFileApi::OpScan);
    QTest::newRow("compressed bomb inflated in memory as a download") << Shape::CompressedBomb << down;
    QTest::newRow("compressed bomb inflated in memory as a status answer") << Shape::CompressedBomb
                                                                            << int(HttpFileApi::OpStatus);
    QTest::newRow("drip held the download for ever") << Shape::Drip << down;
    QTest::newRow("malformed chunks counted as a whole download") << Shape::MalformedChunks << down;
    QTest::newRow("announced length not reached") << Shape::ShortBody << down;
    QTest::newRow("300 B/s download with its length held for hours") << Shape::SlowWithLength << down;
    QTest::newRow("300 B/s chunked folder list never ended") << Shape::SlowChunked << int(HttpFileApi::OpScan);
    QTest::newRow("HTML page taken for the boxes' status") << Shape::HtmlPage << int(HttpFileApi::OpStatus);
    QTest::newRow("broken chunked body taken for the boxes' status") << Shape::BrokenChunkedStatus
                                                                     << int(HttpFileApi::OpStatus);
    QTest::newRow("empty body of a broken chunked stream taken for the boxes' status")
        << Shape::EmptyBrokenChunkedStatus << int(HttpFileApi::OpStatus);
}

void HostileHttpTest::failsWithNothingLeft()
{
    QFETCH(Shape, shape);
    QFETCH(int, operation);
    HostileHttp server;
    server.shape = shape;
    server.bomb = m_bomb;
    const QString work = m_dir->filePath("work/");
    HttpFileApi api;
    api.setWorkFolder(work);
    api.setAccountFolder("/zolink/zobox/zo_acc");
    api.setBaseUrl(server.base());
    // The drip row is about the progress bound: shortened. Elsewhere the
    // default bound is far beyond what the row may take.
    if (shape == Shape::Drip)
        api.setStallTimeout(1000);
    // The slow rows are about the deadline: 1 s plus 64 KB/s, so 2.5 s for
    // the announced 100,000 bytes, 1 s for a reply of unknown length.
    const bool slow = shape == Shape::SlowWithLength || shape == Shape::SlowChunked;
    if (slow)
        api.setDeadline(TransferDeadline{1000, 64 * 1024});
    QSignalSpy ended(&api, &HttpFileApi::signalTransferEnded);
    const qint64 peakBefore = peakKb();

    const QString target = work + "TEMP/MEDIA.orvex";
    switch (operation) {
    case HttpFileApi::OpUpload: {
        QFile source(work + "PLAYER.orvex");
        QVERIFY(source.open(QIODevice::WriteOnly));
        source.write(QByteArray(20000, 'p'));
        source.close();
        api.doUploadFileHttp("PLAYER.orvex", work, "B1");
        break;
    }
    case HttpFileApi::OpDownload:
        QVERIFY(api.openTransferFile(target));
        api.downloadFileHttp("", "MEDIA.orvex");
        break;
    case HttpFileApi::OpScan:
        api.scanFile("B1");
        break;
    default:
        api.statusCompte("acc");
        break;
    }
    QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 30000);
    QCOMPARE(ended.at(0).at(0).toInt(), operation);
    QCOMPARE(ended.at(0).at(1).toBool(), false);
    QVERIFY(!api.lastSucceeded(operation));
    QVERIFY(server.requests >= 1);
    if (operation == HttpFileApi::OpUpload)
        QVERIFY(api.doneFlag(2) && api.doneFlag(3));
    if (operation == HttpFileApi::OpDownload) {
        QVERIFY(api.doneFlag(1));
        QVERIFY(!QFile::exists(target));
    }
    if (operation == HttpFileApi::OpStatus)
        QVERIFY(api.statusText().isEmpty());
    if (operation == HttpFileApi::OpScan)
        QVERIFY(api.lists()->transferFiles().isEmpty());
    // Said plainly, not only in the log.
    if (slow)
        QCOMPARE(api.statusLabel(), TransferDeadline::tooSlowText());
    // Nothing is left as if it had arrived, no side file either.
    QCOMPARE(QDir(work + "TEMP").entryList(QDir::Files | QDir::Hidden), QStringList());
    if (peakBefore > 0)
        QVERIFY2(peakKb() - peakBefore < 64 * 1024,
                 qPrintable(QString("peak grew by %1 kB").arg(peakKb() - peakBefore)));
}

void HostileHttpTest::cutMidwayKeepsTheLocalCopy_data()
{
    QTest::addColumn<QString>("via");
    QTest::newRow("login file download cut midway emptied the local copy") << "login";
    QTest::newRow("box file download cut midway emptied the local copy") << "box";
}

void HostileHttpTest::cutMidwayKeepsTheLocalCopy()
{
    QFETCH(QString, via);
    HostileHttp server;
    server.shape = Shape::HalfThenHold;
    server.file = QByteArray(64 * 1024, 'n');
    const QString work = m_dir->filePath("work/");
    HttpFileApi api;
    api.setWorkFolder(work);
    api.setAccountFolder("/zolink/zobox/zo_acc");
    api.setBaseUrl(server.base());
    QSignalSpy ended(&api, &HttpFileApi::signalTransferEnded);

    // What a kill during the transfer leaves is what the disk holds then.
    const QByteArray old(48 * 1024, 'o');
    const QString local = via == "login" ? work + "LoginCrypt.orvex" : work + "DATA/PLAYER.orvex";
    QDir().mkpath(QFileInfo(local).path());
    QFile file(local);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(old);
    file.close();

    ClassParam login, index;
    MediaAlignment alignment(&api, &login, &index);
    ListTransfers lists(&api);
    bool fetched = false; // the login's wait for its file is over
    auto tick = [&] {
        if (via == "login" && !fetched)
            fetched = alignment.slotTelechargerFichier(work.left(work.size() - 1), "LoginCrypt.orvex", {}, {});
    };
    if (via == "box") {
        lists.setFolder("10234");
        api.lists()->setTransferFiles({"PLAYER.orvex"});
        QVERIFY(lists.downloadFile(work + "DATA/", true));
    }
    // Half of the file is on disk (Qt reports no progress this early) and
    // the server holds the rest.
    const QDir folder = QFileInfo(local).dir();
    auto halfLanded = [&] {
        for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden)) {
            if (contentOf(folder.filePath(name)) == server.file.left(server.file.size() / 2))
                return true;
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT((tick(), halfLanded()), 30000);
    QCOMPARE(contentOf(local), old);

    server.cut();
    QTRY_COMPARE_WITH_TIMEOUT((tick(), ended.count()), 1, 30000);
    QCOMPARE(ended.at(0).at(1).toBool(), false);
    QTRY_VERIFY_WITH_TIMEOUT((tick(), fetched || via != "login"), 30000);
    // The failure reads as before: no file, no side file.
    QCOMPARE(folder.entryList({"*LoginCrypt*", "*PLAYER*"}, QDir::Files | QDir::Hidden), QStringList());
}

void HostileHttpTest::overlongAnnouncementFailsAtOnce_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("announced");
    // The deadline grows with the announced length: these held the transfer
    // for about 36 minutes and 73 hours.
    QTest::newRow("parameter file announced as 32 MiB held the login for half an hour")
        << "LoginCrypt.orvex" << qint64(32) * 1024 * 1024;
    QTest::newRow("medium without an index size announced as 4 GiB held for days")
        << "v.mp4" << qint64(4) * 1024 * 1024 * 1024;
}

// Fails as soon as the length is announced, says so, leaves no file.
void HostileHttpTest::overlongAnnouncementFailsAtOnce()
{
    QFETCH(QString, name);
    QFETCH(qint64, announced);
    HostileHttp server;
    server.shape = Shape::HugeAnnounced;
    server.announced = announced;
    const QString work = m_dir->filePath("work/");
    QDir(work).mkpath("VIDEO");
    HttpFileApi api;
    api.setWorkFolder(work);
    api.setAccountFolder("/zolink/zobox/zo_acc");
    api.setBaseUrl(server.base());
    QSignalSpy ended(&api, &HttpFileApi::signalTransferEnded);

    ClassParam login, index;
    MediaAlignment alignment(&api, &login, &index);
    // The account's quota: 500 Mo.
    alignment.setQuotaBytes(500000000);
    const bool medium = name == "v.mp4";
    if (medium)
        alignment.setExpectedSize(0); // the index gives no size
    const QString folder = medium ? work + "VIDEO" : work.left(work.size() - 1);
    bool fetched = false;
    QTRY_VERIFY_WITH_TIMEOUT(fetched = fetched
                                 || alignment.slotTelechargerFichier(folder, name, medium ? "VIDEO" : "",
                                                                     medium ? "0123456789ABCDEF0123456789ABCDEF" : ""),
                             30000);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(1).toBool(), false);
    QCOMPARE(api.statusLabel(), HttpFileApi::tooLargeText(name));
    QCOMPARE(api.lastFailure(HttpFileApi::OpDownload), HttpFileApi::tooLargeText(name));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QTEST_GUILESS_MAIN(HostileHttpTest)
#include "tst_hostilehttp.moc"
