#include "BoxStatusPoller.h"
#include "HttpFileApi.h"

#include <QDir>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// The box-status request machine, without the panel: where the reply comes
// from, what reaches the panel, and the five-minute rhythm.
class TestBoxStatusPoller : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void local_data();
    void local();
    void cycleWaitsForTheRelaunch();
    void refreshWaitsForTheDownload();
    void http_data();
    void http();
    void noServerConnection();

private:
    // Lets the machine run until it is back at rest.
    void runCycle();
    void makeBox(const QString &name, bool withStatus);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTimer> m_step;
    std::unique_ptr<QTimer> m_relaunch;
    std::unique_ptr<BoxStatusPoller> m_poller;
};

void TestBoxStatusPoller::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    qputenv("ZOMANAGER_WORKDIR", m_dir->path().toLocal8Bit());
    QDir(m_dir->path()).mkpath(QStringLiteral("LOG"));
    QDir(m_dir->path()).mkpath(QStringLiteral("zo_demo"));
    m_step.reset(new QTimer);
    m_step->setInterval(10);
    m_relaunch.reset(new QTimer);
    m_relaunch->setInterval(300000);
    m_poller.reset(new BoxStatusPoller(m_step.get(), m_relaunch.get()));
    connect(m_step.get(), &QTimer::timeout, m_poller.get(), &BoxStatusPoller::step);
    m_poller->setAccount(QStringLiteral("demo"), true, m_dir->filePath(QStringLiteral("zo_demo")));
}

void TestBoxStatusPoller::runCycle()
{
    m_step->start();
    QTRY_VERIFY_WITH_TIMEOUT(!m_step->isActive(), 10000);
    QCOMPARE(m_poller->stepIndex(), 0);
}

void TestBoxStatusPoller::makeBox(const QString &name, bool withStatus)
{
    const QString folder = m_dir->filePath(QStringLiteral("zo_demo/") + name);
    QVERIFY(QDir().mkpath(folder));
    if (withStatus) {
        QFile status(folder + QStringLiteral("/STATUS.orvex"));
        QVERIFY(status.open(QIODevice::WriteOnly));
    }
}

void TestBoxStatusPoller::local_data()
{
    QTest::addColumn<QByteArray>("fixed");
    QTest::addColumn<int>("signals");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("fixed reply") << QByteArray(R"({"B1":["null","1","0"]})") << 1 << QStringList{"B1;null;1;0"};
    QTest::newRow("unreadable reply keeps the last icons") << QByteArray("<html>oops") << 0 << QStringList{};
    QTest::newRow("box folders with their STATUS time")
        << QByteArray() << 1 << QStringList{"B1;<STATUS time>;0;1", "B2;null;null;1"};
}

void TestBoxStatusPoller::local()
{
    QFETCH(QByteArray, fixed);
    QFETCH(QStringList, entries);
    makeBox(QStringLiteral("B1"), true);
    makeBox(QStringLiteral("B2"), false);
    makeBox(QStringLiteral("IMAGE"), false);
    makeBox(QStringLiteral("old.bak"), false);
    if (!fixed.isEmpty()) {
        QFile file(m_dir->filePath(QStringLiteral("zo_demo/STATUSBOX.json")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(fixed);
    }
    QSignalSpy ready(m_poller.get(), &BoxStatusPoller::entriesReady);
    runCycle();
    QTEST(int(ready.count()), "signals");
    if (ready.isEmpty())
        return;
    const QDateTime written = QFileInfo(m_dir->filePath(QStringLiteral("zo_demo/B1/STATUS.orvex"))).lastModified();
    entries.replaceInStrings(QStringLiteral("<STATUS time>"), written.toString(QStringLiteral("yyyy-MM-dd | hh:mm:ss")));
    QCOMPARE(ready.first().first().toStringList(), entries);
}

void TestBoxStatusPoller::cycleWaitsForTheRelaunch()
{
    runCycle();
    QVERIFY(!m_step->isActive());
    QVERIFY(m_relaunch->isActive());
    QCOMPARE(m_relaunch->interval(), 300000);

    m_poller->relaunch();
    QVERIFY(!m_relaunch->isActive());
    QVERIFY(m_step->isActive());
    // The request itself stops the relaunch timer again.
    m_step->stop();
    m_relaunch->start();
    m_poller->step();
    QVERIFY(!m_relaunch->isActive());
}

void TestBoxStatusPoller::refreshWaitsForTheDownload()
{
    QFile file(m_dir->filePath(QStringLiteral("zo_demo/STATUSBOX.json")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"B1":["null","1","0"]})");
    file.close();
    bool downloading = true;
    m_poller->setHoldWhile([&] { return downloading; });
    QSignalSpy ready(m_poller.get(), &BoxStatusPoller::entriesReady);
    m_step->start();
    QTRY_COMPARE(m_poller->stepIndex(), 2);
    QTest::qWait(50);
    QCOMPARE(ready.count(), 0);

    // Regression: a relaunch during the wait refreshed with the old reply.
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(R"({"B1":["null","0","0"]})");
    file.close();
    m_poller->relaunch();
    downloading = false;
    QTRY_VERIFY(!m_step->isActive());
    QCOMPARE(ready.count(), 1);
    QCOMPARE(ready.first().first().toStringList(), QStringList{"B1;null;0;0"});
}

void TestBoxStatusPoller::http_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("signals");

    const QByteArray body = R"({"B1":["null","0","0"],"B2":["null","1","1"]})";
    QTest::newRow("status reply") << QByteArray("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: "
                                                + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body)
                                  << 1;
    QTest::newRow("server error") << QByteArray("HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\n"
                                                "Connection: close\r\n\r\n")
                                  << 0;
}

void TestBoxStatusPoller::http()
{
    QFETCH(QByteArray, reply);
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    QByteArray request;
    connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket *socket = server.nextPendingConnection();
        connect(socket, &QTcpSocket::readyRead, [&, socket] {
            request += socket->readAll();
            if (request.contains("\r\n\r\n")) {
                socket->write(reply);
                socket->disconnectFromHost();
            }
        });
    });

    HttpFileApi api;
    api.setWorkFolder(m_dir->path() + QLatin1Char('/'));
    api.setBaseUrl(QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort()));
    m_poller->setAccount(QStringLiteral("demo"), false, QString());
    m_poller->setHttpApi(&api);
    QSignalSpy ready(m_poller.get(), &BoxStatusPoller::entriesReady);
    runCycle();

    QVERIFY2(request.startsWith("GET /zoconsole/modeles/getSTATUS.php?compte=demo "), request.constData());
    QTEST(int(ready.count()), "signals");
    if (!ready.isEmpty())
        QCOMPARE(ready.first().first().toStringList(), (QStringList{"B1;null;0;0", "B2;null;1;1"}));
    QVERIFY(m_relaunch->isActive());
}

void TestBoxStatusPoller::noServerConnection()
{
    m_poller->setAccount(QStringLiteral("demo"), false, QString());
    QSignalSpy ready(m_poller.get(), &BoxStatusPoller::entriesReady);
    runCycle();
    QCOMPARE(ready.count(), 0);
    QVERIFY(m_relaunch->isActive());
}

QTEST_GUILESS_MAIN(TestBoxStatusPoller)
#include "tst_boxstatuspoller.moc"
