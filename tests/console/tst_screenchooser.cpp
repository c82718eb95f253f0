// The screens list of a group of many boxes: rows at once, their covers in
// slices, a refill that drops the covers still waiting.
#include "BoxItemWidget.h"
#include "BoxStatus.h"
#include "ClassParam.h"
#include "ModalAnswerer.h"
#include "ScreenCatalog.h"
#include "ScreenChooser.h"
#include "ZoTestInit.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWindow>
#include <QToolButton>
#include <QtTest>

namespace {

// A login table of two groups of `count` boxes each.
QList<QList<QString>> loginTable(int count)
{
    QStringList serials, names, shops, depots;
    for (int i = 0; i < 2 * count; ++i) {
        serials << QString::number(5000 + i);
        names << QStringLiteral("Magasin %1").arg(i);
        (i < count ? shops : depots) << serials.last();
    }
    return {{"CATEGORYLIST", "CATEGORYELEMENTS", "PLAYERLIST", "PLAYERLISTNAME"},
            {"Magasins|Entrepots", shops.join(';') + '|' + depots.join(';'), serials.join('|'), names.join('|')}};
}

} // namespace

class ScreenChooserTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void groupOfManyBoxesCoveredInOneSlot();
    void refillDropsTheCoversStillWaiting();
    void renameWritesOnlyANewName_data();
    void renameWritesOnlyANewName();

private:
    // Rows whose cover is in place.
    int covered() const;
    BoxItemWidget *cover(int row) const;

    QScopedPointer<QWidget> m_window;
    ScreenChooser *m_chooser = nullptr;
};

void ScreenChooserTest::initTestCase()
{
    zoInitWidgetTest();
}

void ScreenChooserTest::init()
{
    m_window.reset(new QWidget);
    m_chooser = new ScreenChooser(new QToolButton, new QToolButton, QFont(), QFont(), m_window.data());
    m_window->resize(800, 600);
    m_chooser->resize(800, 600);
    m_window->show();
}

void ScreenChooserTest::cleanup()
{
    m_window.reset();
}

int ScreenChooserTest::covered() const
{
    int n = 0;
    for (int row = 0; row < m_chooser->screensList()->count(); ++row)
        n += cover(row) ? 1 : 0;
    return n;
}

BoxItemWidget *ScreenChooserTest::cover(int row) const
{
    QListWidget *list = m_chooser->screensList();
    return qobject_cast<BoxItemWidget *>(list->itemWidget(list->item(row)));
}

// Every row at once, their covers in slices: building a thousand covers in
// the slot froze the window; each row ends up with its own box's cover and
// all rows share one folder picture.
void ScreenChooserTest::groupOfManyBoxesCoveredInOneSlot()
{
    const int boxes = 150;
    const QString seen = QDateTime::currentDateTime().addSecs(-20).toString(BoxStatus::lastSeenFormat());
    const QStringList statuses{"5000;" + seen + ";0;1", "5149;" + seen + ";1;1"};
    m_chooser->fillScreens("Magasins", ScreenCatalog(loginTable(boxes)), statuses, QFont(), 32);

    QListWidget *list = m_chooser->screensList();
    QCOMPARE(list->count(), boxes);
    QCOMPARE(m_chooser->screenNames()->count(), boxes);
    const int atOnce = covered();
    QVERIFY(atOnce > 0);
    QVERIFY2(atOnce < boxes, "every cover was built in the slot");
    QVERIFY(cover(0));

    QTRY_COMPARE(covered(), boxes);
    for (int row = 0; row < boxes; ++row) {
        QCOMPARE(list->item(row)->text(), QString::number(5000 + row));
        QCOMPARE(cover(row)->name(), QStringLiteral("Magasin %1").arg(row));
        QCOMPARE(m_chooser->screenNames()->item(row)->text(), QStringLiteral("Magasin %1").arg(row));
        QCOMPARE(list->item(row)->icon().cacheKey(), list->item(0)->icon().cacheKey());
    }
    QCOMPARE(cover(0)->iconPaths().size(), 3);
    QCOMPARE(cover(boxes - 1)->iconPaths().size(), 3);
    QCOMPARE(cover(1)->iconPaths().size(), 0);
}

void ScreenChooserTest::refillDropsTheCoversStillWaiting()
{
    const ScreenCatalog catalog(loginTable(120));
    m_chooser->fillScreens("Magasins", catalog, {}, QFont(), 32);
    m_chooser->fillScreens("Entrepots", catalog, {}, QFont(), 32);
    QListWidget *list = m_chooser->screensList();
    QCOMPARE(list->count(), 120);
    QTRY_COMPARE(covered(), 120);
    for (int row = 0; row < 120; ++row)
        QCOMPARE(cover(row)->name(), QStringLiteral("Magasin %1").arg(120 + row));
    // The first group's covers are gone.
    QTRY_COMPARE(list->viewport()->findChildren<BoxItemWidget *>().size(), 120);
}

void ScreenChooserTest::renameWritesOnlyANewName_data()
{
    QTest::addColumn<QString>("how"); // "valider" or "window" (the window manager's close)
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("written");

    QTest::newRow("window close after typing sent the typed name") << "window" << "X" << false;
    QTest::newRow("unchanged name sent again") << "valider" << "" << false;
    QTest::newRow("new name") << "valider" << "X" << true;
}

void ScreenChooserTest::renameWritesOnlyANewName()
{
    QFETCH(QString, how);
    QFETCH(QString, typed);
    QFETCH(bool, written);

    m_chooser->fillScreens("Magasins", ScreenCatalog(loginTable(2)), {}, QFont(), 32);
    m_chooser->screensList()->setCurrentRow(1);
    m_chooser->screenNames()->setCurrentRow(1);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("LoginCrypt.orvex"));
    QFile empty(path);
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    ClassParam login;
    login.BALISE = loginTable(2);

    ModalAnswerer answerer;
    answerer.answer([how, typed](QDialog *d) {
        auto *edit = d->findChild<QLineEdit *>();
        edit->end(false);
        edit->insert(typed);
        if (how == QLatin1String("window"))
            d->windowHandle()->close();
        else
            d->findChild<QPushButton *>(how)->click();
    });
    QString problem;
    const bool renamed = m_chooser->renameCurrentScreen(login, path, 800, 600, &problem);
    QVERIFY(answerer.done());
    QCOMPARE(problem, QString());
    QCOMPARE(renamed, written);
    QCOMPARE(QFileInfo(path).size() > 0, written);
    QCOMPARE(m_chooser->currentScreenName(), written ? QStringLiteral("Magasin 1X") : QStringLiteral("Magasin 1"));
}

QTEST_MAIN(ScreenChooserTest)
#include "tst_screenchooser.moc"
