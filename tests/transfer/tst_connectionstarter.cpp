#include "ConnectionStarter.h"

#include <QToolButton>
#include <QtTest>

class ConnectionStarterTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void firstClickStartsLoginOnce_data();
    void firstClickStartsLoginOnce();
};

void ConnectionStarterTest::initTestCase()
{
    static QTemporaryDir dir;
    qputenv("ZOMANAGER_WORKDIR", dir.path().toUtf8());
    QDir(dir.path()).mkpath("LOG");
}

void ConnectionStarterTest::firstClickStartsLoginOnce_data()
{
    QTest::addColumn<bool>("byStartup");
    QTest::newRow("user's click") << false;
    QTest::newRow("start-up's click") << true;
}

void ConnectionStarterTest::firstClickStartsLoginOnce()
{
    QFETCH(bool, byStartup);
    QToolButton button;
    button.setText("Connecter");
    ConnectionStarter starter;
    starter.attachButton(&button);
    connect(&starter, &ConnectionStarter::signalButtonIcon, &button,
            [&button](const QString &icon) { button.setObjectName(icon); });
    QSignalSpy login(&starter, &ConnectionStarter::signalStartLogin);

    if (byStartup)
        button.click();
    else
        QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(login.count(), 1);
    QCOMPARE(button.objectName(), ":/images/Disconnect.png");

    button.click();
    QTest::mouseClick(&button, Qt::LeftButton);
    starter.startProgram();
    QCOMPARE(login.count(), 1);
    QVERIFY(starter.started());
}

QTEST_MAIN(ConnectionStarterTest)
#include "tst_connectionstarter.moc"
