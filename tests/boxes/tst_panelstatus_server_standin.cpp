// The demo boxes in the panel's screens list, logged in against the
// stand-in under the customers' zone: a box that has just reported reads
// "Connecté", since its last-seen time is written in local time as a box
// writes it and read back as local time by the panel.
#include "../console/ServerDemo.h"
#include "BoxItemWidget.h"

#include <QListWidget>
#include <QtTest>

class PanelStatusServerTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void demoBoxesConnected();

private:
    ServerDemo m_demo;
};

void PanelStatusServerTest::initTestCase()
{
    ZO_NEED_STANDIN();
    QVERIFY(m_demo.prepare(QStringLiteral("pst")));
    QVERIFY(m_demo.start());
}

void PanelStatusServerTest::cleanupTestCase()
{
    m_demo.stop();
}

void PanelStatusServerTest::demoBoxesConnected()
{
    // The demo's box folders were just copied: each STATUS.orvex is seconds old.
    auto *screens = m_demo.panel()->findChild<QListWidget *>(QStringLiteral("screensList"));
    QVERIFY(screens);
    auto boxes = [screens] {
        QList<BoxItemWidget *> items;
        for (int i = 0; i < screens->count(); ++i) {
            auto *item = qobject_cast<BoxItemWidget *>(screens->itemWidget(screens->item(i)));
            if (item && !item->serialText().isEmpty())
                items.append(item);
        }
        return items;
    };
    auto firstCaptions = [&boxes] {
        QStringList captions;
        for (BoxItemWidget *item : boxes())
            captions.append(item->captions().value(0, QStringLiteral("<no status>")));
        return captions;
    };
    QTRY_VERIFY_WITH_TIMEOUT(!boxes().isEmpty() && !boxes().first()->captions().isEmpty(), 30000);
    const QStringList connected(QVector<QString>(boxes().size(), QStringLiteral("Connecté")).toList());
    QTRY_COMPARE_WITH_TIMEOUT(firstCaptions(), connected, 30000);
    QVERIFY(saveScreenshot(m_demo.window(), QStringLiteral("panel-server-status.png")));
}

QTEST_MAIN(PanelStatusServerTest)
#include "tst_panelstatus_server_standin.moc"
