#include "ClassClavier.h"
#include "ModalAnswerer.h"
#include "NumCalendar.h"
#include "NumClavier.h"
#include "ZoTestInit.h"

#include <QCalendarWidget>
#include <QPushButton>
#include <QTableView>
#include <QWindow>
#include <QtTest>

#include <memory>

// Every keyboard and keypad that changes data, opened as the console opens
// it: closed by the window manager it hands back the former value, and the
// second click of the double click that opened it types nothing.
class KeyboardClosingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void windowCloseCancels_data();
    void windowCloseCancels();
    void openingClickIgnored_data();
    void openingClickIgnored();

private:
    void addRows();
};

namespace {

enum Kind { Keyboard, PasswordKeyboard, Keypad, PasswordKeypad, DatePicker };

std::unique_ptr<QDialog> make(int kind, const QString &caption, const QString &value, const QString &mask)
{
    switch (kind) {
    case Keyboard:
    case PasswordKeyboard: {
        auto keyboard = std::make_unique<ClassClavier>(1280, 800, nullptr, kind == Keyboard ? 1 : 0);
        keyboard->setTextClavier(caption, value);
        return keyboard;
    }
    case Keypad:
    case PasswordKeypad: {
        auto keypad = std::make_unique<NumClavier>(kind == Keypad ? 1 : 0, 1280, 800, nullptr);
        keypad->setChampClavier(caption, value, mask);
        return keypad;
    }
    default: {
        auto picker = std::make_unique<NumCalendar>(nullptr);
        picker->setChampClavier(caption, value);
        return picker;
    }
    }
}

QString answerOf(QDialog *d)
{
    if (auto *keyboard = qobject_cast<ClassClavier *>(d))
        return keyboard->text();
    if (auto *keypad = qobject_cast<NumClavier *>(d))
        return keypad->text();
    return static_cast<NumCalendar *>(d)->text();
}

// Where the pointer lands on the dialog: the key "p" of a keyboard, "8" of
// a keypad, a day other than the chosen one on the calendar.
QPair<QWidget *, QPoint> target(QDialog *d)
{
    if (auto *calendar = d->findChild<QCalendarWidget *>()) {
        auto *view = calendar->findChild<QTableView *>();
        const QModelIndex day = view->model()->index(5, 5);
        return {view->viewport(), view->visualRect(day).center()};
    }
    const QString caption = qobject_cast<ClassClavier *>(d) ? QStringLiteral("p") : QStringLiteral("8");
    for (QPushButton *key : d->findChildren<QPushButton *>()) {
        if (key->text() == caption)
            return {key, key->rect().center()};
    }
    return {nullptr, QPoint()};
}

void type(QDialog *d)
{
    if (auto *calendar = d->findChild<QCalendarWidget *>()) {
        calendar->setSelectedDate(QDate(2025, 1, 31));
        return;
    }
    const QPair<QWidget *, QPoint> key = target(d);
    static_cast<QPushButton *>(key.first)->click();
}

} // namespace

void KeyboardClosingTest::initTestCase()
{
    zoInitWidgetTest();
}

void KeyboardClosingTest::addRows()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("mask");

    QTest::newRow("poster rename keyboard") << int(Keyboard) << "Renommer l'affiche:" << "Bienvenue" << "";
    QTest::newRow("screen rename keyboard") << int(Keyboard) << "Renommer la TV" << "Hall d'entrée" << "";
    QTest::newRow("add-user keyboard") << int(Keyboard) << "Ajouter un nom d'utilisateur" << "" << "";
    QTest::newRow("text poster name keyboard") << int(Keyboard) << "Entrer le nom du fichier:" << "Promo" << "";
    QTest::newRow("alert message keyboard") << int(Keyboard) << "Message :" << "Écran noir" << "";
    QTest::newRow("new password keyboard") << int(PasswordKeyboard) << "Nouveau mot de passe:" << "" << "";
    QTest::newRow("power stop keypad") << int(Keypad) << "Heure arrêt de l'écran" << "22:30" << "00:00;_";
    QTest::newRow("manual width keypad") << int(Keypad) << "Largeur (px)" << "1920" << "0000;_";
    QTest::newRow("display time keypad") << int(Keypad) << "Temps de diffusion (s)" << "15" << "0000;_";
    QTest::newRow("user limit keypad") << int(Keypad) << "Temps maximum" << "120" << "000;_";
    QTest::newRow("box password keypad") << int(PasswordKeypad) << "Mot de passe" << "" << "";
    QTest::newRow("date picker") << int(DatePicker) << "Date de départ" << "05/11/2024" << "";
}

void KeyboardClosingTest::windowCloseCancels_data()
{
    addRows();
}

// Alt+F4 after typing: "Hall d'entréeX" was sent to the server at once.
void KeyboardClosingTest::windowCloseCancels()
{
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QFETCH(QString, value);
    QFETCH(QString, mask);

    ModalAnswerer answerer;
    QString typed;
    answerer.answer([&typed](QDialog *d) {
        type(d);
        typed = answerOf(d);
        d->windowHandle()->close();
    });
    std::unique_ptr<QDialog> dialog = make(kind, caption, value, mask);
    const QString shown = answerOf(dialog.get());
    dialog->setWindowFlags(Qt::FramelessWindowHint);
    dialog->exec();
    QVERIFY(answerer.done());
    QVERIFY(typed != shown);
    QCOMPARE(answerOf(dialog.get()), shown);
    if (auto *keyboard = qobject_cast<ClassClavier *>(dialog.get()))
        QVERIFY(keyboard->isCancelled());
}

void KeyboardClosingTest::openingClickIgnored_data()
{
    addRows();
}

// "Renommer" double-clicked gave "Bienvenuep"; the manual width field
// opened holding "8".
void KeyboardClosingTest::openingClickIgnored()
{
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QFETCH(QString, value);
    QFETCH(QString, mask);

    const int before = QApplication::doubleClickInterval();
    auto restore = qScopeGuard([before] { QApplication::setDoubleClickInterval(before); });
    std::unique_ptr<QDialog> dialog = make(kind, caption, value, mask);
    const QString shown = answerOf(dialog.get());
    dialog->setWindowFlags(Qt::FramelessWindowHint);

    // However slow the machine, the click lands within the interval.
    QApplication::setDoubleClickInterval(600000);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QPair<QWidget *, QPoint> key = target(dialog.get());
    QVERIFY(key.first);
    QTest::mouseClick(key.first, Qt::LeftButton, Qt::NoModifier, key.second);
    QCOMPARE(answerOf(dialog.get()), shown);

    // Past the interval the same click types.
    QApplication::setDoubleClickInterval(0);
    QTest::mouseClick(key.first, Qt::LeftButton, Qt::NoModifier, key.second);
    QVERIFY(answerOf(dialog.get()) != shown);
}

QTEST_MAIN(KeyboardClosingTest)
#include "tst_keyboardclosing.moc"
