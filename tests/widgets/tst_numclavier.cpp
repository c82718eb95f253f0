#include "ModalAnswerer.h"
#include "NumCalendar.h"
#include "NumClavier.h"
#include "ZoScreenshot.h"
#include "ZoTestInit.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// Numeric keypad (masks, limits, password echo, closing keeps the line) and
// the date picker (round trip of "dd/MM/yyyy", unreadable dates).
class NumClavierTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void geometry_data();
    void geometry();
    void keys_data();
    void keys();
    void initialValueUnderMask();
    void passwordEcho();
    void closingKeepsTheLine_data();
    void closingKeepsTheLine();
    void calendar_data();
    void calendar();
    void calendarPick();
    void looks();

private:
    static QPushButton *key(QDialog &dialog, const QString &caption);
};

void NumClavierTest::initTestCase()
{
    zoInitWidgetTest();
}

QPushButton *NumClavierTest::key(QDialog &dialog, const QString &caption)
{
    for (QPushButton *button : dialog.findChildren<QPushButton *>()) {
        if (button->text() == caption)
            return button;
    }
    return nullptr;
}

void NumClavierTest::geometry_data()
{
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("1000 x 800") << QSize(1000, 800) << QRect(QPoint(250, 100), QPoint(749, 699));
    QTest::newRow("1280 x 720") << QSize(1280, 720) << QRect(QPoint(320, 90), QPoint(959, 629));
    QTest::newRow("odd sizes") << QSize(1023, 767) << QRect(255, 95, 513, 577);
}

void NumClavierTest::geometry()
{
    QFETCH(QSize, area);
    QFETCH(QRect, geometry);

    NumClavier keypad(1, area.width(), area.height(), nullptr);
    QCOMPARE(keypad.geometry(), geometry);
    QCOMPARE(keypad.minimumSize(), geometry.size());
}

void NumClavierTest::keys_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no mask takes every key") << "" << QStringList{"1", "+", "*", ".", "#", "0"} << "1+*.#0";
    QTest::newRow("backspace") << "" << QStringList{"1", "2", "3", "<--"} << "12";
    QTest::newRow("# refused by a digit mask") << "000;_" << QStringList{"#"} << "";
    QTest::newRow("symbols refused between digits") << "000;_" << QStringList{"4", "+", "2"} << "42";
    QTest::newRow("mask limits the length") << "000;_" << QStringList{"1", "2", "3", "4"} << "123";
    QTest::newRow("display time, four digits") << "0000;_" << QStringList{"1", "2", "0", "0", "9"} << "1200";
    QTest::newRow("time fills around the colon") << "00:00;_" << QStringList{"0", "7", "4", "5"} << "07:45";
    QTest::newRow("postal code") << "00000;_" << QStringList{"7", "5", "0", "0", "1"} << "75001";
}

void NumClavierTest::keys()
{
    QFETCH(QString, mask);
    QFETCH(QStringList, keys);
    QFETCH(QString, expected);

    NumClavier keypad(1, 1280, 720, nullptr);
    keypad.setChampClavier(QStringLiteral("Opacité(%)"), QString(), mask);
    for (const QString &caption : keys) {
        QPushButton *button = key(keypad, caption);
        QVERIFY2(button, qPrintable(caption));
        button->click();
    }
    QCOMPARE(keypad.text(), expected);
}

void NumClavierTest::initialValueUnderMask()
{
    NumClavier keypad(1, 1280, 720, nullptr);
    keypad.setChampClavier(QStringLiteral("Heure de départ"), QStringLiteral("08:30"), QStringLiteral("00:00;_"));
    auto *edit = keypad.findChild<QLineEdit *>();
    QCOMPARE(edit->text(), QStringLiteral("08:30"));
    QCOMPARE(edit->cursorPosition(), 0);
    // Typing overwrites from the start, as the cursor says.
    key(keypad, QStringLiteral("1"))->click();
    QCOMPARE(keypad.text(), QStringLiteral("18:30"));
}

void NumClavierTest::passwordEcho()
{
    NumClavier keypad(0, 1280, 720, nullptr);
    keypad.setChampClavier(QStringLiteral("Mot de passe"), QString(), QString());
    for (const char *caption : {"2", "0", "2", "4"})
        key(keypad, QLatin1String(caption))->click();
    auto *edit = keypad.findChild<QLineEdit *>();
    QCOMPARE(edit->echoMode(), QLineEdit::Password);
    QVERIFY(!edit->displayText().contains(QLatin1String("2024")));
    QCOMPARE(keypad.text(), QStringLiteral("2024"));
}

void NumClavierTest::closingKeepsTheLine_data()
{
    QTest::addColumn<int>("key");

    QTest::newRow("OK key") << 0;
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void NumClavierTest::closingKeepsTheLine()
{
    QFETCH(int, key);

    // There is no cancel: whatever the line holds is the answer.
    ModalAnswerer answerer;
    answerer.answer([key](QDialog *d) {
        NumClavierTest::key(*d, QStringLiteral("<--"))->click();
        NumClavierTest::key(*d, QStringLiteral("9"))->click();
        if (key == 0)
            NumClavierTest::key(*d, QStringLiteral("OK"))->click();
        else
            QTest::keyClick(d->findChild<QLineEdit *>(), Qt::Key(key));
    });
    auto *keypad = new NumClavier(1, 1280, 720, nullptr);
    keypad->setChampClavier(QStringLiteral("Temps de diffusion (s)"), QStringLiteral("15"), QString());
    keypad->findChild<QLineEdit *>()->end(false);
    keypad->setWindowFlags(Qt::FramelessWindowHint);
    keypad->exec();
    QCOMPARE(keypad->text(), QStringLiteral("19"));
    delete keypad;
    QVERIFY(answerer.done());
}

void NumClavierTest::calendar_data()
{
    QTest::addColumn<QString>("preselected");
    QTest::addColumn<QString>("expected");

    const QString today = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    QTest::newRow("valid date") << "05/11/2024" << "05/11/2024";
    QTest::newRow("leap day") << "29/02/2024" << "29/02/2024";
    QTest::newRow("no such day") << "29/02/2023" << today;
    QTest::newRow("other format") << "2024-11-05" << today;
    QTest::newRow("empty") << "" << today;
}

void NumClavierTest::calendar()
{
    QFETCH(QString, preselected);
    QFETCH(QString, expected);

    ModalAnswerer answerer;
    answerer.confirm();
    auto *picker = new NumCalendar(nullptr);
    picker->setChampClavier(QStringLiteral("Date de départ"), preselected);
    picker->setWindowFlags(Qt::FramelessWindowHint);
    picker->exec();
    QCOMPARE(picker->text(), expected);
    delete picker;
    QVERIFY(answerer.done());
    QCOMPARE(answerer.texts(), QStringList{QStringLiteral("Date de départ")});
}

void NumClavierTest::calendarPick()
{
    ModalAnswerer answerer;
    answerer.pickDate(QDate(2025, 1, 31));
    NumCalendar picker(nullptr);
    QVERIFY(picker.minimumSize().width() >= 500 && picker.minimumSize().height() >= 500);
    picker.setChampClavier(QStringLiteral("Date de fin"), QStringLiteral("05/11/2024"));
    picker.exec();
    QCOMPARE(picker.text(), QStringLiteral("31/01/2025"));
    QVERIFY(answerer.done());
}

void NumClavierTest::looks()
{
    NumClavier keypad(1, 1280, 720, nullptr);
    keypad.setChampClavier(QStringLiteral("Heure démarrage de l'écran"), QStringLiteral("07:30"),
                           QStringLiteral("00:00;_"));
    keypad.setWindowFlags(Qt::FramelessWindowHint);
    keypad.show();
    QVERIFY(QTest::qWaitForWindowExposed(&keypad));
    QVERIFY(saveScreenshot(&keypad, QStringLiteral("keypad.png")));

    // The console runs on French systems; the calendar follows the locale.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    NumCalendar picker(nullptr);
    picker.setChampClavier(QStringLiteral("Date de départ"), QStringLiteral("05/11/2024"));
    picker.setWindowFlags(Qt::FramelessWindowHint);
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QVERIFY(saveScreenshot(&picker, QStringLiteral("calendar.png")));
    QLocale::setDefault(saved);
}

QTEST_MAIN(NumClavierTest)
#include "tst_numclavier.moc"
