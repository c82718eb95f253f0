#include "ClassBox.h"
#include "ModalAnswerer.h"
#include "ScreenChoiceModel.h"
#include "ZoScreenshot.h"
#include "ZoTestInit.h"
#include "classVersion.h"

#include <QCheckBox>
#include <QLayout>
#include <QListView>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QtTest>

#include <memory>

// Selection form of ClassBox: category filter, screen list, preselection,
// "Tous", confirm state and the choice handed back.

namespace {

// A row of the screen list, driven as the user does: clicks on the row.
class ScreenRow
{
public:
    ScreenRow(QAbstractItemView *view, int row)
        : m_view(view)
        , m_index(view->model()->index(row, 0))
    {
    }
    QString text() const { return m_index.data().toString(); }
    bool isChecked() const { return m_index.data(Qt::CheckStateRole).toInt() == Qt::Checked; }
    QString serial() const { return m_index.data(ScreenChoiceModel::SerialRole).toString(); }
    QRect rect() const
    {
        m_view->scrollTo(m_index);
        return m_view->visualRect(m_index);
    }
    // As QAbstractButton::click(): the change a click makes, without the events.
    void click() const { setChecked(!isChecked()); }
    // A click of the mouse on the row.
    void mouseClick() const
    {
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, rect().center());
    }
    void setChecked(bool checked) const
    {
        m_view->model()->setData(m_index, checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    }
    // The tick picture of the row, as drawn.
    QImage picture() const
    {
        const QRect row = rect();
        return m_view->viewport()->grab(QRect(row.topLeft(), QSize(row.height(), row.height()))).toImage();
    }

private:
    QAbstractItemView *m_view;
    QPersistentModelIndex m_index;
};

} // namespace

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
    QList<ScreenRow> screenBoxes(ClassBox *box) const;
    QList<QCheckBox *> categoryBoxes(ClassBox *box) const;
    std::unique_ptr<ScreenRow> screenBox(ClassBox *box, const QString &label) const;
    template<typename Box>
    static QStringList texts(const QList<Box> &boxes, bool checkedOnly = false);
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

QList<ScreenRow> SelectionDialogTest::screenBoxes(ClassBox *box) const
{
    auto *view = box->findChild<QListView *>(QStringLiteral("zoneEcrans"));
    QList<ScreenRow> rows;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        rows.append(ScreenRow(view, row));
    return rows;
}

QList<QCheckBox *> SelectionDialogTest::categoryBoxes(ClassBox *box) const
{
    auto *area = box->findChild<QScrollArea *>(QStringLiteral("zoneGroupes"));
    return area->widget()->findChildren<QCheckBox *>();
}

std::unique_ptr<ScreenRow> SelectionDialogTest::screenBox(ClassBox *box, const QString &label) const
{
    for (const ScreenRow &row : screenBoxes(box)) {
        if (row.text() == label)
            return std::make_unique<ScreenRow>(row);
    }
    return nullptr;
}

namespace {

const QCheckBox &boxOf(QCheckBox *box)
{
    return *box;
}

const ScreenRow &boxOf(const ScreenRow &row)
{
    return row;
}

} // namespace

template<typename Box>
QStringList SelectionDialogTest::texts(const QList<Box> &boxes, bool checkedOnly)
{
    QStringList out;
    for (const Box &box : boxes) {
        if (!checkedOnly || boxOf(box).isChecked())
            out.append(boxOf(box).text());
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
    const QList<ScreenRow> boxes = screenBoxes(box.get());
    QCOMPARE(texts(boxes.mid(1), true), checked);
    QCOMPARE(confirmButton(box.get())->isEnabled(), confirmEnabled);
}

void SelectionDialogTest::allBox()
{
    // Clicks of the mouse, once the form is open long enough to take them.
    const int before = QApplication::doubleClickInterval();
    auto restore = qScopeGuard([before] { QApplication::setDoubleClickInterval(before); });
    QApplication::setDoubleClickInterval(0);
    auto box = make(QStringLiteral("Accueil"), QStringLiteral("s9"));
    QList<ScreenRow> boxes = screenBoxes(box.get());
    QCOMPARE(boxes.first().text(), QStringLiteral("Tous"));
    QVERIFY(!confirmButton(box.get())->isEnabled());

    boxes.first().mouseClick();
    QCOMPARE(texts(boxes, true), texts(boxes));
    QVERIFY(confirmButton(box.get())->isEnabled());

    // Unchecking one screen leaves "Tous" alone.
    boxes.at(2).mouseClick();
    QVERIFY(!boxes.at(2).isChecked());
    QVERIFY(boxes.first().isChecked());
    QVERIFY(confirmButton(box.get())->isEnabled());

    boxes.first().mouseClick();
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
        QVERIFY(box->findChild<QListView *>(QStringLiteral("zoneEcrans"))->isHidden());
        QVERIFY(confirmButton(box.get())->isEnabled());
    }
    for (const QString &label : click) {
        QCheckBox *check = nullptr;
        for (QCheckBox *candidate : categoryBoxes(box.get()))
            check = candidate->text() == label ? candidate : check;
        const std::unique_ptr<ScreenRow> row = screenBox(box.get(), label);
        QVERIFY2(check || row, qPrintable(label));
        if (check)
            check->click();
        else
            row->click();
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
        auto *view = d->findChild<QListView *>(QStringLiteral("zoneEcrans"));
        for (int row = 0; row < view->model()->rowCount(); ++row) {
            const ScreenRow screen(view, row);
            if (screen.text() == QLatin1String("Hall [s2]"))
                screen.click();
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
    const std::unique_ptr<ScreenRow> bar = screenBox(box.get(), QStringLiteral("Bar [s3]"));
    QVERIFY(bar && !bar->isChecked());
    bar->mouseClick();
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
    const QList<ScreenRow> screens = screenBoxes(box.get());
    QCOMPARE(texts(screens), (QStringList{"Tous", "Entrée [s1]", "Hall [s2]", "Bar [s3]"}));
    QVERIFY(!screens.at(0).isChecked() && !screens.at(1).isChecked() && screens.at(2).isChecked());
    QCOMPARE(screens.at(3).picture(), screens.at(1).picture());
    QVERIFY(screens.at(0).picture() != screens.at(1).picture());
    QVERIFY(screens.at(2).picture() != screens.at(1).picture());

    const QList<QCheckBox *> categories = categoryBoxes(box.get());
    QVERIFY(categories.at(0)->isChecked() && !categories.at(1)->isChecked());
    QVERIFY(picture(categories.at(0)) != picture(categories.at(1)));
    QVERIFY(picture(categories.at(1)).scaled(75, 75) != screens.at(1).picture().scaled(75, 75));
    screens.at(1).setChecked(true);
    QCOMPARE(screens.at(1).picture(), screens.at(2).picture());
}

QTEST_MAIN(SelectionDialogTest)
#include "tst_selectiondialog.moc"
