#include "ClassAlerte.h"
#include "CommandReport.h"
#include "ConsoleFixture.h"
#include "ModalAnswerer.h"
#include "ZoManager.h"
#include "classPrincipal.h"

#include <QNetworkProxy>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolButton>
#include <QtTest>

// A support report from the demo account in local mode. Every request for a
// host other than the loopback goes through a recording proxy (Qt sends
// loopback requests direct), so its log lists what would leave the machine.
class TestAlertLocal : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void localAlertLeftTheMachine();

private:
    QTemporaryDir m_dir;
    QString m_work;
    QTcpServer m_proxy;
    QStringList m_requests;
    ZoManager *m_window = nullptr;
};

void TestAlertLocal::initTestCase()
{
    zoInitWidgetTest();
    QVERIFY(m_proxy.listen(QHostAddress::LocalHost));
    connect(&m_proxy, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_proxy.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                if (!socket->canReadLine())
                    return;
                m_requests << QString::fromLatin1(socket->readLine()).trimmed();
                socket->write("HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                socket->disconnectFromHost();
            });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, "127.0.0.1", m_proxy.serverPort()));

    m_work = m_dir.filePath("demo");
    QVERIFY(makeDemoAccount(m_work));
    qputenv("ZOMANAGER_WORKDIR", m_work.toLocal8Bit());
    m_window = new ZoManager;
    m_window->resize(1280, 800);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QVERIFY(waitScreenListed(m_window->panel(), "10234"));
    QVERIFY(m_window->panel()->localMode());
}

void TestAlertLocal::cleanupTestCase()
{
    delete m_window;
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    qunsetenv("ZOMANAGER_WORKDIR");
}

void TestAlertLocal::localAlertLeftTheMachine()
{
    QToolButton *alertButton = nullptr;
    for (QToolButton *b : m_window->panel()->findChildren<QToolButton *>()) {
        if (b->text() == "Alerte")
            alertButton = b;
    }
    QVERIFY(alertButton && alertButton->isEnabled());
    alertButton->click();
    auto *page = m_window->findChild<ClassAlerte *>();
    QTRY_VERIFY(page->isVisible());
    {
        ModalAnswerer keyboard;
        keyboard.enterText("Ecran noir");
        page->slotMessage();
        QVERIFY(keyboard.done());
    }
    const QString name = QDate::currentDate().toString("yy-MM-dd") + "-URGENT-MessageAlerte-demo.log";
    const QString copy = m_work + "/server/zolink/zobox/ALERTE-ZoManager/" + name;

    m_requests.clear();
    ModalAnswerer answerer;
    bool copied = false;
    answerer.answer(
        [&](QDialog *d) {
            copied = QFileInfo(copy).isFile();
            d->accept();
        },
        "ok");
    page->findChild<QPushButton *>("valider")->click();
    QVERIFY(answerer.waitUntilDone(30000));
    QTRY_VERIFY(!m_window->panel()->commandReport()->reportRunning());
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join('\n')));
    // A request that went out was logged before its failure could show a box.
    QVERIFY2(m_requests.isEmpty(), qPrintable(m_requests.join('\n')));
    // Told where the report is, and that nobody was mailed.
    QCOMPARE(answerer.texts(), QStringList{"Mode local: le rapport a été écrit sur cet ordinateur:\n" + QDir::cleanPath(copy)
                                           + "\nLe support n'a pas été prévenu (aucun envoi en mode local)."});
    QVERIFY(copied);
    QFile report(copy);
    QVERIFY(report.open(QIODevice::ReadOnly));
    QVERIFY(report.readAll().contains("Message: Ecran noir"));
    QVERIFY(!QFileInfo::exists(m_work + "/LOG/" + name));
}

QTEST_MAIN(TestAlertLocal)
#include "tst_alertlocal.moc"
