#include "BoxItemWidget.h"
#include "BoxStatus.h"
#include "ZoTestInit.h"

#include <QLabel>
#include <QPixmap>
#include <QtTest>

class BoxItemWidgetTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void item_data();
    void item();
    void rowsOfOneStatusScaledTheirPicturesEach();
};

void BoxItemWidgetTest::initTestCase()
{
    zoInitWidgetTest();
}

void BoxItemWidgetTest::item_data()
{
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("serialText");
    QTest::addColumn<int>("indicators");

    const QString seen = QDateTime::currentDateTime().addSecs(-20).toString(BoxStatus::lastSeenFormat());
    QTest::newRow("box with status") << "ZB100" << "ZB100;" + seen + ";0;1"
                                     << QString::fromUtf8("Numéro de série N°ZB100") << 3;
    QTest::newRow("box before the first status reply")
        << "ZB100" << QString() << QString::fromUtf8("Numéro de série N°ZB100") << 0;
    QTest::newRow("playlist shows its name only") << QString() << QString() << QString() << 0;
}

void BoxItemWidgetTest::item()
{
    QFETCH(QString, serial);
    QFETCH(QString, status);
    QFETCH(int, indicators);
    BoxItemWidget item(QStringLiteral("Accueil"), serial, status, QFont(), 48);

    QCOMPARE(item.name(), QString("Accueil"));
    QTEST(item.serialText(), "serialText");
    QCOMPARE(item.iconPaths().size(), indicators);
    QCOMPARE(item.findChildren<QLabel *>().size(), 2 + 2 * indicators);
    if (indicators == 0)
        return;
    QCOMPARE(item.captions(), (QStringList{QString::fromUtf8("Connecté"), QString::fromUtf8("Ecran allumé"),
                                           QString::fromUtf8("Visuels non à jour")}));
#ifdef ZO_HAVE_RESOURCES
    // Every indicator picture exists and is scaled into the icon square.
    int pictures = 0;
    for (QLabel *label : item.findChildren<QLabel *>()) {
        const QPixmap pixmap = label->pixmap(Qt::ReturnByValue);
        if (pixmap.isNull())
            continue;
        ++pictures;
        QVERIFY(pixmap.width() <= 48 && pixmap.height() <= 48);
        QVERIFY(pixmap.width() == 48 || pixmap.height() == 48);
    }
    QCOMPARE(pictures, 3);
#endif
}

// A thousand rows held three scaled pictures each: rows showing the same
// indicators at one size share them.
void BoxItemWidgetTest::rowsOfOneStatusScaledTheirPicturesEach()
{
#ifdef ZO_HAVE_RESOURCES
    const QString seen = QDateTime::currentDateTime().addSecs(-20).toString(BoxStatus::lastSeenFormat());
    const auto pictures = [](const BoxItemWidget &item) {
        QList<qint64> keys;
        for (QLabel *label : item.findChildren<QLabel *>()) {
            const QPixmap pixmap = label->pixmap(Qt::ReturnByValue);
            if (!pixmap.isNull())
                keys << pixmap.cacheKey();
        }
        std::sort(keys.begin(), keys.end());
        return keys;
    };
    BoxItemWidget first(QStringLiteral("Accueil"), "ZB1", "ZB1;" + seen + ";0;1", QFont(), 48);
    BoxItemWidget second(QStringLiteral("Hall"), "ZB2", "ZB2;" + seen + ";0;1", QFont(), 48);
    QCOMPARE(pictures(first).size(), 3);
    QCOMPARE(pictures(second), pictures(first));
#else
    QSKIP("no compiled-in pictures");
#endif
}

QTEST_MAIN(BoxItemWidgetTest)
#include "tst_boxitemwidget.moc"
