#pragma once

#include <QFont>
#include <QList>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QToolButton;
class QWidget;

// The widgets and dialogs that the settings pages share: brand background,
// "Avenir" fonts scaled by FontRatio, back and validate buttons, on/off
// range buttons, value buttons, the weekday boxes, the keypad, the date
// picker and the error box.
class SettingsPageLook
{
public:
    // "Avenir" at trunc(points × FontRatio) (at least 1).
    static QFont font(int points, int weight);

    // The brand background scaled to (w, h), aspect ratio ignored.
    static void paintBackground(QLabel *background, int width, int height);
    // The page's minimum size becomes (w, h) and its background follows.
    static void fitPage(QWidget *page, QLabel *background, int width, int height);

    static QPushButton *backButton();
    static QPushButton *validateButton();

    // On/off button: text under the icon, no keyboard focus.
    static QToolButton *switchButton(const QString &text, const QString &icon);
    // A button that shows a value and opens its entry dialog; disabled.
    static QPushButton *valueButton(const QString &text);
    // A centred "DEBUT" / "FIN" column heading.
    static QLabel *heading(const QString &text, Qt::Alignment alignment);

    // "Sélectionnez les jours" with Lundi..Dimanche in one row.
    static QGroupBox *weekdayGroup(QList<QCheckBox *> *boxes);
    // Check boxes whose indicator shows on the dark background, `size` pixels.
    static void sizeWeekdays(QGroupBox *group, int size);
    static QList<bool> checkedStates(const QList<QCheckBox *> &boxes);
    static void uncheckAll(const QList<QCheckBox *> &boxes);
    // Checks the boxes a weekday set names; checked boxes stay checked.
    static void checkDays(const QList<QCheckBox *> &boxes, const QString &days);
    // An on/off button's icon and its two value buttons' state.
    static void showSwitch(QToolButton *button, QPushButton *start, QPushButton *end, bool on, const QString &onIcon,
                           const QString &offIcon);

    // The numeric keypad, frameless and modal; its text when it closed.
    static QString typeOnKeypad(const QString &title, const QString &value, const QString &mask, int width,
                                int height);
    // The date picker, frameless and modal; the day chosen, "dd/MM/yyyy".
    static QString pickDate(const QString &title, const QString &date);

    // A modal error box over `page`; true when it was closed by OK.
    static bool showError(QWidget *page, const QString &message);
    // The message of a poster list file that could not be written.
    static QString saveFailure(const QString &file, const QString &why);
};
