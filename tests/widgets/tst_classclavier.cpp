#include "ClassClavier.h"
#include "ModalAnswerer.h"
#include "ZoScreenshot.h"
#include "ZoTestInit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

// On-screen keyboard: typing through its keys on every page, the physical
// keys, ESC and OK, password echo and the length limit.
class ClassClavierTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void typing_data();
    void typing();
    void symbolPage();
    void shiftOnSymbolPage();
    void closing_data();
    void closing();
    void defaults();
    void passwordMode();
    void geometry();
    void maxLength();
    void looks();

private:
    static QPushButton *key(ClassClavier &keyboard, const QString &caption);
    static QLineEdit *field(ClassClavier &keyboard) { return keyboard.findChild<QLineEdit *>(); }
    static QString captions(ClassClavier &keyboard, const QString &letters);
};

void ClassClavierTest::initTestCase()
{
    zoInitWidgetTest();
}

// A key by caption, or by object name when written "#name".
QPushButton *ClassClavierTest::key(ClassClavier &keyboard, const QString &caption)
{
    if (caption.startsWith(QLatin1Char('#')))
        return keyboard.findChild<QPushButton *>(caption.mid(1));
    for (QPushButton *button : keyboard.findChildren<QPushButton *>()) {
        if (button->text() == caption)
            return button;
    }
    return nullptr;
}

// Captions of the keys at the given letter-page positions ('.' and ',' are
// the two punctuation keys), read in the order given.
QString ClassClavierTest::captions(ClassClavier &keyboard, const QString &letters)
{
    QString out;
    for (QChar c : letters) {
        const int index = c == '.' ? 26 : (c == ',' ? 27 : c.unicode() - 'a');
        auto *button = keyboard.findChild<QPushButton *>(QStringLiteral("touche%1").arg(index));
        out += button ? button->text() : QStringLiteral("?");
    }
    return out;
}

void ClassClavierTest::typing_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("selectionLength");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("expected");

    QTest::newRow("letters") << "" << 0 << 0 << QStringList{"a", "z", "e", "r"} << "azer";
    QTest::newRow("shift gives capitals") << "" << 0 << 0 << QStringList{"#majuscules", "B", "#majuscules", "o", "n"}
                                          << "Bon";
    QTest::newRow("punctuation") << "" << 0 << 0 << QStringList{"a", ".", "b", ","} << "a.b,";
    QTest::newRow("symbols") << "" << 0 << 0 << QStringList{"#chiffres", "1", "@", "_", "\\", "*", "'", "\""}
                             << "1@_\\*'\"";
    QTest::newRow("back to letters") << "" << 0 << 0 << QStringList{"#chiffres", "0", "#chiffres", "a", "."} << "0a.";
    QTest::newRow("space at the cursor, not at the end") << "ab" << 1 << 0 << QStringList{"espace"} << "a b";
    QTest::newRow("letter at the cursor") << "ac" << 1 << 0 << QStringList{"b"} << "abc";
    QTest::newRow("backspace before the cursor") << "abc" << 2 << 0 << QStringList{"<--"} << "ac";
    QTest::newRow("backspace removes the selection") << "abcdef" << 1 << 3 << QStringList{"<--"} << "aef";
    QTest::newRow("a key replaces the selection") << "abcdef" << 1 << 3 << QStringList{"x"} << "axef";
}

void ClassClavierTest::typing()
{
    QFETCH(QString, initial);
    QFETCH(int, cursor);
    QFETCH(int, selectionLength);
    QFETCH(QStringList, keys);
    QFETCH(QString, expected);

    ClassClavier keyboard(1280, 800, nullptr, 1);
    keyboard.setTextClavier(QStringLiteral("Nom du compte:"), initial);
    QLineEdit *edit = field(keyboard);
    if (selectionLength > 0)
        edit->setSelection(cursor, selectionLength);
    else
        edit->setCursorPosition(cursor);
    for (const QString &caption : keys) {
        QPushButton *button = key(keyboard, caption);
        QVERIFY2(button, qPrintable(caption));
        button->click();
    }
    QCOMPARE(keyboard.text(), expected);
}

void ClassClavierTest::symbolPage()
{
    ClassClavier keyboard(1280, 800, nullptr, 1);
    const QString order = QStringLiteral("azertyuiopqsdfghjklmwxcvbn.,");
    QCOMPARE(captions(keyboard, order), order);

    key(keyboard, QStringLiteral("#chiffres"))->click();
    QCOMPARE(captions(keyboard, QStringLiteral("azertyuiop")), QStringLiteral("1234567890"));
    QCOMPARE(captions(keyboard, QStringLiteral("qsdfghjklm")), QStringLiteral("-/:;(){}%@"));
    QCOMPARE(captions(keyboard, QStringLiteral("wxcvbn.,")), QStringLiteral("_#?!'\"\\*"));
    // The digits key now names the letter page it leads back to.

    QCOMPARE(keyboard.findChild<QPushButton *>(QStringLiteral("chiffres"))->text(), QStringLiteral("ABC"));
    keyboard.findChild<QPushButton *>(QStringLiteral("chiffres"))->click();
    QCOMPARE(captions(keyboard, order), order);
    QCOMPARE(key(keyboard, QStringLiteral("#chiffres"))->text(), QStringLiteral("123"));
}

void ClassClavierTest::shiftOnSymbolPage()
{
    ClassClavier keyboard(1280, 800, nullptr, 1);
    auto *digits = keyboard.findChild<QPushButton *>(QStringLiteral("chiffres"));
    auto *shift = keyboard.findChild<QPushButton *>(QStringLiteral("majuscules"));
    digits->click();
    shift->click();
    // Letters come back in the new case; the punctuation keys and the
    // digits key stay as the symbol page left them.
    QCOMPARE(captions(keyboard, QStringLiteral("azerty")), QStringLiteral("AZERTY"));
    QCOMPARE(captions(keyboard, QStringLiteral(".,")), QStringLiteral("\\*"));
    QCOMPARE(shift->text(), QStringLiteral("abc"));
    QCOMPARE(digits->text(), QStringLiteral("ABC"));

    digits->click();
    QCOMPARE(digits->text(), QStringLiteral("123"));
    QCOMPARE(captions(keyboard, QStringLiteral("azerty.,")), QStringLiteral("AZERTY.,"));
}

void ClassClavierTest::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("okChecked");
    QTest::addColumn<bool>("cancelled");

    QTest::newRow("OK key") << "valider" << "Salon 2" << true << false;
    QTest::newRow("ESC key restores") << "annuler" << "Salon" << false << true;
    QTest::newRow("Return keeps the edit") << "Return" << "Salon 2" << false << false;
    QTest::newRow("Enter keeps the edit") << "Enter" << "Salon 2" << false << false;
    QTest::newRow("physical Escape keeps the edit") << "Escape" << "Salon 2" << false << true;
    QTest::newRow("window closed kept the typed text") << "window" << "Salon" << false << true;
}

void ClassClavierTest::closing()
{
    QFETCH(QString, how);
    QFETCH(QString, expected);
    QFETCH(bool, okChecked);
    QFETCH(bool, cancelled);

    ModalAnswerer answerer;
    answerer.answer([how](QDialog *d) {
        auto *edit = d->findChild<QLineEdit *>();
        edit->end(false);
        edit->insert(QStringLiteral(" 2"));
        if (how == QLatin1String("Return"))
            QTest::keyClick(edit, Qt::Key_Return);
        else if (how == QLatin1String("Enter"))
            QTest::keyClick(edit, Qt::Key_Enter);
        else if (how == QLatin1String("Escape"))
            QTest::keyClick(edit, Qt::Key_Escape);
        else if (how == QLatin1String("window"))
            d->windowHandle()->close();
        else
            d->findChild<QPushButton *>(how)->click();
    });

    auto *keyboard = new ClassClavier(1280, 800, nullptr, 1);
    keyboard->setTextClavier(QStringLiteral("Renommer la TV"), QStringLiteral("Salon"));
    keyboard->setWindowFlags(Qt::FramelessWindowHint);
    keyboard->exec();
    QCOMPARE(keyboard->text(), expected);
    QCOMPARE(keyboard->isBoutonOkCheck(), okChecked);
    QCOMPARE(keyboard->isCancelled(), cancelled);
    delete keyboard;
    QVERIFY(answerer.done());
    QCOMPARE(answerer.texts(), QStringList{QStringLiteral("Renommer la TV")});
}

void ClassClavierTest::defaults()
{
    ClassClavier keyboard(1280, 800, nullptr, 1);
    QCOMPARE(keyboard.findChild<QLabel *>(QStringLiteral("titre"))->text(), QStringLiteral("Nom :"));
    QCOMPARE(keyboard.text(), QStringLiteral("edit ici"));
    keyboard.slotAnnuler();
    QCOMPARE(keyboard.text(), QString());
}

void ClassClavierTest::passwordMode()
{
    ClassClavier keyboard(1280, 800, nullptr, 0);
    keyboard.setTextClavier(QStringLiteral("Mot de passe:"), QString());
    QCOMPARE(field(keyboard)->echoMode(), QLineEdit::Password);
    for (const char *caption : {"s", "e", "c", "#chiffres", "1"})
        key(keyboard, QLatin1String(caption))->click();
    QCOMPARE(keyboard.text(), QStringLiteral("sec1"));
    QVERIFY(!field(keyboard)->displayText().contains(QLatin1String("sec")));

    ClassClavier plain(1280, 800, nullptr, 1);
    QCOMPARE(field(plain)->echoMode(), QLineEdit::Normal);
}

void ClassClavierTest::geometry()
{
    ClassClavier keyboard(1280, 800, nullptr, 1);
    QCOMPARE(keyboard.geometry(), QRect(160, 100, 960, 600));
    QCOMPARE(keyboard.minimumSize(), QSize(960, 600));
}

void ClassClavierTest::maxLength()
{
    ClassClavier keyboard(1280, 800, nullptr, 1);
    keyboard.setTextClavier(QStringLiteral("Entrer le nom du fichier:"), QStringLiteral("abc"), 4);
    field(keyboard)->end(false);
    for (const char *caption : {"d", "e", "espace", "f"})
        key(keyboard, QLatin1String(caption))->click();
    QCOMPARE(keyboard.text(), QStringLiteral("abcd"));
    QTest::keyClicks(field(keyboard), QStringLiteral("xyz"));
    QCOMPARE(keyboard.text(), QStringLiteral("abcd"));
}

void ClassClavierTest::looks()
{
    ClassClavier keyboard(1280, 800, nullptr, 1);
    keyboard.setTextClavier(QStringLiteral("Renommer l'affiche:"), QStringLiteral("Promotion été"));
    keyboard.setWindowFlags(Qt::FramelessWindowHint);
    keyboard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&keyboard));
    QVERIFY(saveScreenshot(&keyboard, QStringLiteral("keyboard-letters.png")));
    key(keyboard, QStringLiteral("123"))->click();
    QVERIFY(saveScreenshot(&keyboard, QStringLiteral("keyboard-symbols.png")));
}

QTEST_MAIN(ClassClavierTest)
#include "tst_classclavier.moc"
