#include "ClassBox.h"
#include "ModalAnswerer.h"
#include "ZoScreenshot.h"
#include "ZoTestInit.h"
#include "classVersion.h"

#include <QCheckBox>
#include <QLayout>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QtTest>

#include <memory>

// Selection form of ClassBox: category filter, screen list, preselection,
// "Tous", confirm state and the choice handed back.
class SelectionDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void categoryFilter_data();
    void categoryFilter();
    void screenListFollowsCategories_data();
    void screenListFollowsCategories();
    void preselection_data();
    void preselection();
    void allBox();
    void clickRebuildsList();
    void keys_data();
    void keys();
    void boxNumber_data();
    void boxNumber();
    void labels_data();
    void labels();
    void confirmedThroughExec();
    void clickAsItOpens_data();
    void clickAsItOpens();
    void looks();
    void everyBoxShowsItsOwnPicture();

private:
    std::unique_ptr<ClassBox> make(const QString &preselectedCategories, const QString &preselection, int mode = 0);
    QList<QCheckBox *> screenBoxes(ClassBox *box) const;
    QList<QCheckBox *> categoryBoxes(ClassBox *box) const;
    QCheckBox *screenBox(ClassBox *box, const QString &label) const;
    static QStringList texts(const QList<QCheckBox *> &boxes, bool checkedOnly = false);
    static QPushButton *confirmButton(ClassBox *box);

    std::unique_ptr<QWidget> m_host;
    const QStringList m_categories{"Accueil", "Restaurant", "Étages", "Vide"};
    const QStringList m_members{"s1;s2;s3", "s2;s3;s4", "s12;s2", ""};
    const QStringList m_serials{"s1", "s2", "s3", "s4", "s12"};
    const QStringList m_names{"Entrée", "Hall", "Bar", "Cuisine", "Salle 12"};
};

void SelectionDialogTest::initTestCase()
{
    zoInitWidgetTest();
}

void SelectionDialogTest::init()
{
    m_host.reset(new QWidget);
    m_host->setStyleSheet(classVersion().Style());
    m_host->resize(1280, 720);
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host.get()));
}

void SelectionDialogTest::cleanup()
{
    m_host.reset();
}

std::unique_ptr<ClassBox> SelectionDialogTest::make(const QString &preselectedCategories, const QString &preselection,
                                                    int mode)
{
    auto box = std::make_unique<ClassBox>(m_categories, m_members, preselectedCategories, m_serials, m_names,
                                          preselection, 1280, 720, mode, m_host.get());
    box->show();
    return box;
}

QList<QCheckBox *> SelectionDialogTest::screenBoxes(ClassBox *box) const
{
    auto *area = box->findChild<QScrollArea *>(QStringLiteral("zoneEcrans"));
    area->widget()->layout()->activate();
    QList<QCheckBox *> boxes = area->widget()->findChildren<QCheckBox *>();
    std::sort(boxes.begin(), boxes.end(), [](QCheckBox *a, QCheckBox *b) { return a->y() < b->y(); });
    return boxes;
}

QList<QCheckBox *> SelectionDialogTest::categoryBoxes(ClassBox *box) const
{
    auto *area = box->findChild<QScrollArea *>(QStringLiteral("zoneGroupes"));
    return area->widget()->findChildren<QCheckBox *>();
}

QCheckBox *SelectionDialogTest::screenBox(ClassBox *box, const QString &label) const
{
    for (QCheckBox *check : screenBoxes(box)) {
        if (check->text() == label)
            return check;
    }
    return nullptr;
}

QStringList SelectionDialogTest::texts(const QList<QCheckBox *> &boxes, bool checkedOnly)
{
    QStringList out;
    for (QCheckBox *box : boxes) {
        if (!checkedOnly || box->isChecked())
            out.append(box->text());
    }
    return out;
}

QPushButton *SelectionDialogTest::confirmButton(ClassBox *box)
{
    return box->findChild<QPushButton *>(QStringLiteral("valider"));
}

void SelectionDialogTest::categoryFilter_data()
{
    QTest::addColumn<QStringList>("categories");
    QTest::addColumn<QStringList>("members");
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<QStringList>("expected");

    const QStringList ab{"A", "B"};
    QTest::newRow("nothing checked") << ab << QStringList{"s1;s2", "s2"} << QStringList{} << QStringList{};
    QTest::newRow("one category") << ab << QStringList{"s1;s2;s3", "s2"} << QStringList{"A"}
                                  << QStringList{"s1", "s2", "s3"};
    QTest::newRow("common screens in the first's order")
        << ab << QStringList{"s1;s2;s3", "s3;s2;s4"} << QStringList{"A", "B"} << QStringList{"s2", "s3"};
    QTest::newRow("largest category is the base")
        << ab << QStringList{"s3;s2", "s4;s2;s3"} << QStringList{"A", "B"} << QStringList{"s2", "s3"};
    QTest::newRow("s1 is not a member of s12")
        << ab << QStringList{"s1;s2", "s12;s2"} << QStringList{"A", "B"} << QStringList{"s2"};
    QTest::newRow("s12 is not a member of s123")
        << ab << QStringList{"s12;s2", "s123;s2;s9"} << QStringList{"A", "B"} << QStringList{"s2"};
    QTest::newRow("empty members entry") << ab << QStringList{"", "s2"} << QStringList{"A"} << QStringList{};
    QTest::newRow("empty entry empties the intersection")
        << ab << QStringList{"", "s2"} << QStringList{"A", "B"} << QStringList{};
    QTest::newRow("trailing separator adds no blank screen")
        << ab << QStringList{"s1;s2;", "s2"} << QStringList{"A"} << QStringList{"s1", "s2"};
    QTest::newRow("category without members entry")
        << ab << QStringList{"s1;s2"} << QStringList{"A", "B"} << QStringList{"s1", "s2"};
}

void SelectionDialogTest::categoryFilter()
{
    QFETCH(QStringList, categories);
    QFETCH(QStringList, members);
    QFETCH(QStringList, checked);
    QFETCH(QStringList, expected);

    auto box = make(QString(), QString());
    QCOMPARE(box->CategoryFilter(categories, members, checked), expected);
}

void SelectionDialogTest::screenListFollowsCategories_data()
{
    QTest::addColumn<QString>("preselected");
    QTest::addColumn<QStringList>("labels");

    QTest::newRow("none") << "" << QStringList{};
    QTest::newRow("Accueil") << "Accueil" << QStringList{"Tous", "Entrée [s1]", "Hall [s2]", "Bar [s3]"};
    QTest::newRow("Accueil and Restaurant") << "Accueil;Restaurant" << QStringList{"Tous", "Hall [s2]", "Bar [s3]"};
    QTest::newRow("Étages holds s12, not s1") << "Accueil;Étages" << QStringList{"Tous", "Hall [s2]"};
    QTest::newRow("empty category") << "Vide" << QStringList{};
    QTest::newRow("unknown name") << "Parking" << QStringList{};
}

void SelectionDialogTest::screenListFollowsCategories()
{
    QFETCH(QString, preselected);
    QFETCH(QStringList, labels);

    auto box = make(preselected, QString());
    QCOMPARE(texts(screenBoxes(box.get())), labels);
    const QStringList expectedChecked =
        preselected.isEmpty() ? QStringList{} : preselected.split(';');
    QStringList checkedCategories = texts(categoryBoxes(box.get()), true);
    for (const QString &name : expectedChecked) {
        if (m_categories.contains(name))
            QVERIFY(checkedCategories.removeOne(name));
    }
    QVERIFY(checkedCategories.isEmpty());
}

void SelectionDialogTest::preselection_data()
{
    QTest::addColumn<QString>("preselection");
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<bool>("confirmEnabled");

    QTest::newRow("empty checks every screen")
        << "" << QStringList{"Salle 12 [s12]", "Hall [s2]"} << true;
    QTest::newRow("current screen by serial") << "s2" << QStringList{"Hall [s2]"} << true;
    QTest::newRow("current screen s1 does not tick s12") << "s1" << QStringList{} << false;
    QTest::newRow("current screen s12") << "s12" << QStringList{"Salle 12 [s12]"} << true;
    QTest::newRow("by display name") << "Hall" << QStringList{"Hall [s2]"} << true;
    QTest::newRow("by whole label") << "Hall [s2]" << QStringList{"Hall [s2]"} << true;
    QTest::newRow("matches nothing") << "s9" << QStringList{} << false;
}

void SelectionDialogTest::preselection()
{
    QFETCH(QString, preselection);
    QFETCH(QStringList, checked);
    QFETCH(bool, confirmEnabled);

    auto box = make(QStringLiteral("Étages"), preselection);
    const QList<QCheckBox *> boxes = screenBoxes(box.get());
    QCOMPARE(texts(boxes.mid(1), true), checked);
    QCOMPARE(confirmButton(box.get())->isEnabled(), confirmEnabled);
}

void SelectionDialogTest::allBox()
{
    auto box = make(QStringLiteral("Accueil"), QStringLiteral("s9"));
    QList<QCheckBox *> boxes = screenBoxes(box.get());
    QCOMPARE(boxes.first()->text(), QStringLiteral("Tous"));
    QVERIFY(!confirmButton(box.get())->isEnabled());

    boxes.first()->click();
    QCOMPARE(texts(boxes, true), texts(boxes));
    QVERIFY(confirmButton(box.get())->isEnabled());

    // Unchecking one screen leaves "Tous" alone.
    boxes.at(2)->click();
    QVERIFY(boxes.first()->isChecked());
    QVERIFY(confirmButton(box.get())->isEnabled());

    boxes.first()->click();
    QCOMPARE(texts(boxes, true), QStringList{});
    QVERIFY(!confirmButton(box.get())->isEnabled());
}

void SelectionDialogTest::clickRebuildsList()
{
    auto box = make(QStringLiteral("Accueil"), QStringLiteral("s3"));
    const QList<QCheckBox *> categories = categoryBoxes(box.get());
    QCheckBox *accueil = categories.at(0);
    QCheckBox *restaurant = categories.at(1);

    screenBox(box.get(), QStringLiteral("Hall [s2]"))->click();
    restaurant->click();
    // Rebuilt: hand-made choices are gone, the preselection is applied again.
    QCOMPARE(texts(screenBoxes(box.get())), (QStringList{"Tous", "Hall [s2]", "Bar [s3]"}));
    QCOMPARE(texts(screenBoxes(box.get()), true), QStringList{"Bar [s3]"});
    QVERIFY(confirmButton(box.get())->isEnabled());

    // An empty list cannot be confirmed with the button, only with Return.
    accueil->click();
    restaurant->click();
    QCOMPARE(screenBoxes(box.get()).size(), 0);
    QVERIFY(!confirmButton(box.get())->isEnabled());
    QTest::keyClick(box.get(), Qt::Key_Return);
    QVERIFY(box->isHidden());
    QCOMPARE(box->text(), 0);
    QCOMPARE(box->BoxNumber(), QStringList());
}

void SelectionDialogTest::keys_data()
{
    QTest::addColumn<QString>("preselection");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<int>("expected");

    QTest::newRow("Return with a screen checked") << "s2" << int(Qt::Key_Return) << true << 0;
    QTest::newRow("Enter with a screen checked") << "s2" << int(Qt::Key_Enter) << true << 0;
    QTest::newRow("Return while confirm is disabled") << "s9" << int(Qt::Key_Return) << true << 0;
    QTest::newRow("Enter while confirm is disabled") << "s9" << int(Qt::Key_Enter) << true << 0;
    QTest::newRow("Escape") << "s2" << int(Qt::Key_Escape) << true << 1;
    QTest::newRow("Escape while confirm is disabled") << "s9" << int(Qt::Key_Escape) << true << 1;
}

void SelectionDialogTest::keys()
{
    QFETCH(QString, preselection);
    QFETCH(int, key);
    QFETCH(bool, closes);
    QFETCH(int, expected);

    auto box = make(QStringLiteral("Accueil"), preselection);
    QTest::keyClick(box.get(), Qt::Key(key));
    QCOMPARE(box->isHidden(), closes);
    QCOMPARE(box->text(), expected);
}

void SelectionDialogTest::boxNumber_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("click");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("screens, one checked") << 0 << QStringList{"Bar [s3]"} << QStringList{"s3"};
    QTest::newRow("screens, all without Tous") << 0 << QStringList{"Tous"} << QStringList{"s1", "s2", "s3"};
    QTest::newRow("screens, none") << 0 << QStringList{} << QStringList{};
    QTest::newRow("categories") << 1 << QStringList{"Restaurant", "Vide"}
                                << QStringList{"Accueil", "Restaurant", "Vide"};
    QTest::newRow("categories, none") << 1 << QStringList{"Accueil"} << QStringList{};
}

void SelectionDialogTest::boxNumber()
{
    QFETCH(int, mode);
    QFETCH(QStringList, click);
    QFETCH(QStringList, expected);

    auto box = make(QStringLiteral("Accueil"), QStringLiteral("s9"), mode);
    if (mode == 1) {
        QVERIFY(box->findChild<QScrollArea *>(QStringLiteral("zoneEcrans"))->isHidden());
        QVERIFY(confirmButton(box.get())->isEnabled());
    }
    for (const QString &label : click) {
        QCheckBox *check = nullptr;
        for (QCheckBox *candidate : categoryBoxes(box.get()) + screenBoxes(box.get()))
            check = candidate->text() == label ? candidate : check;
        QVERIFY2(check, qPrintable(label));
        check->click();
    }
    QCOMPARE(box->BoxNumber(), expected);
    if (mode == 1)
        QVERIFY(confirmButton(box.get())->isEnabled());
}

void SelectionDialogTest::labels_data()
{
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("label");

    QTest::newRow("known screen") << "s2" << "Hall [s2]";
    QTest::newRow("unknown serial") << "s9" << " [s9]";
    QTest::newRow("serial without a name") << "s5" << " [s5]";
}

void SelectionDialogTest::labels()
{
    QFETCH(QString, serial);
    QFETCH(QString, label);

    auto box = make(QString(), QString());
    const QStringList serials = m_serials + QStringList{"s5"};
    QCOMPARE(box->transPlayerToName(serial, serials, m_names), label);
    QCOMPARE(box->transNameToPlayer(label), serial);
    QCOMPARE(box->transNameToPlayer(QStringLiteral("Accueil [12345]")), QStringLiteral("12345"));
    // A name with brackets of its own keeps the serial readable.
    QCOMPARE(box->transNameToPlayer(QStringLiteral("Salle [B] [s7]")), QStringLiteral("s7"));
}

void SelectionDialogTest::confirmedThroughExec()
{
    // A name with '&' shows as typed and comes back unchanged.
    const QStringList categories{"Ventes & Marketing"};
    const QStringList members{"s1;s2"};

    ModalAnswerer answerer;
    answerer.answer([](QDialog *d) {
        auto *area = d->findChild<QScrollArea *>(QStringLiteral("zoneEcrans"));
        const auto boxes = area->widget()->findChildren<QCheckBox *>();
        for (QCheckBox *check : boxes) {
            if (check->text() == QLatin1String("Hall [s2]"))
                check->click();
        }
        d->findChild<QPushButton *>(QStringLiteral("valider"))->click();
    });
    auto *box = new ClassBox(categories, members, QStringLiteral("Ventes & Marketing"), m_serials, m_names,
                             QStringLiteral("s1"), 1280, 720, 0, m_host.get());
    QCOMPARE(texts(categoryBoxes(box)), QStringList{"Ventes && Marketing"});
    box->exec();
    QVERIFY(answerer.done());
    QCOMPARE(box->text(), 0);
    QCOMPARE(box->BoxNumber(), (QStringList{"s1", "s2"}));
    delete box;

    // Category mode hands the names back without the display escaping.
    ClassBox groups(categories, members, QStringLiteral("Ventes & Marketing"), m_serials, m_names, QString(), 1280,
                    720, 1, m_host.get());
    QCOMPARE(groups.BoxNumber(), categories);
}

void SelectionDialogTest::clickAsItOpens_data()
{
    QTest::addColumn<int>("interval"); // double-click interval, ms
    QTest::addColumn<bool>("answers");
    // The form opens under the pointer of the double click that asked for it.
    QTest::newRow("second click of a double click answered the form") << 600000 << false;
    QTest::newRow("click after the double-click interval") << 0 << true;
}

void SelectionDialogTest::clickAsItOpens()
{
    QFETCH(int, interval);
    QFETCH(bool, answers);
    const int before = QApplication::doubleClickInterval();
    auto restore = qScopeGuard([before] { QApplication::setDoubleClickInterval(before); });
    QApplication::setDoubleClickInterval(interval);
    auto box = make(QStringLiteral("Accueil"), QStringLiteral("s2"));
    QCheckBox *bar = screenBox(box.get(), QStringLiteral("Bar [s3]"));
    QVERIFY(bar && !bar->isChecked());
    QTest::mouseClick(bar, Qt::LeftButton);
    QCOMPARE(bar->isChecked(), answers);
    QTest::mouseClick(confirmButton(box.get()), Qt::LeftButton);
    QCOMPARE(box->isHidden(), answers);
    QCOMPARE(box->text(), answers ? 0 : 1);
    // Keys are no clicks: Escape still answers at once.
    if (!answers) {
        QTest::keyClick(box.get(), Qt::Key_Escape);
        QVERIFY(box->isHidden());
    }
}

void SelectionDialogTest::looks()
{
    {
        auto box = make(QStringLiteral("Accueil;Restaurant"), QStringLiteral("s2"), 1);
        QCoreApplication::processEvents();
        QVERIFY(saveScreenshot(box.get(), QStringLiteral("selection-single.png")));
    }
    auto box = make(QStringLiteral("Accueil"), QStringLiteral("s2"), 0);
    QCoreApplication::processEvents();
    QVERIFY(saveScreenshot(box.get(), QStringLiteral("selection-multi.png")));
}

// The pictures come from style sheets set once on the two frames: "Tous",
// the screens and the categories keep their own, checked or not.
void SelectionDialogTest::everyBoxShowsItsOwnPicture()
{
    auto box = make(QStringLiteral("Accueil"), QStringLiteral("s2"), 0);
    QCoreApplication::processEvents();
    const auto picture = [](QCheckBox *check) {
        const int side = check->height();
        return check->grab(QRect(0, 0, side, side)).toImage();
    };
    const QList<QCheckBox *> screens = screenBoxes(box.get());
    QCOMPARE(texts(screens), (QStringList{"Tous", "Entrée [s1]", "Hall [s2]", "Bar [s3]"}));
    QVERIFY(!screens.at(0)->isChecked() && !screens.at(1)->isChecked() && screens.at(2)->isChecked());
    QCOMPARE(picture(screens.at(3)), picture(screens.at(1)));
    QVERIFY(picture(screens.at(0)) != picture(screens.at(1)));
    QVERIFY(picture(screens.at(2)) != picture(screens.at(1)));

    const QList<QCheckBox *> categories = categoryBoxes(box.get());
    QVERIFY(categories.at(0)->isChecked() && !categories.at(1)->isChecked());
    QVERIFY(picture(categories.at(0)) != picture(categories.at(1)));
    QVERIFY(picture(categories.at(1)) != picture(screens.at(1)));
    screens.at(1)->setChecked(true);
    QCOMPARE(picture(screens.at(1)), picture(screens.at(2)));
}

QTEST_MAIN(SelectionDialogTest)
#include "tst_selectiondialog.moc"
