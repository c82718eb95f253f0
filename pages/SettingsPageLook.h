#pragma once

#include <QFont>
#include <QList>
#include <QSize>
#include <QString>

class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLayout;
class QPushButton;
class QToolButton;
class QWidget;

// The look shared by the poster settings pages: brand background, "Avenir"
// fonts scaled by FontRatio, back and validate buttons, tool and value
// buttons, the weekday boxes, the preview size, and the modal keyboards,
// keypad, date picker and error box they open.
class SettingsPageLook
{
public:
    // ---- Fonts
    // "Avenir" at trunc(points × FontRatio) (at least 1).
    static QFont font(int points, int weight);
    // A text that grows with the page: `pageHeight / divisor` points, normal weight.
    static QFont heightFont(int pageHeight, int divisor);
    static QFont toolFont();

    // ---- Background and page size
    // The label that holds the brand background (child of `page` when given).
    static QLabel *background(QWidget *page = nullptr);
    // The brand background scaled to (w, h), aspect ratio ignored.
    static void paintBackground(QLabel *background, int width, int height);
    // The page's minimum size becomes (w, h) and its background follows.
    static void fitPage(QWidget *page, QLabel *background, int width, int height);

    // A page's size as the last slotResize gave it; the keyboards open at it.
    struct Geometry {
        int width = 1024;
        int height = 720;
        int rotation = 0;
        QSize preview; // empty until the first resize
    };
    // fitPage, and the geometry the page keeps (preview size included).
    static Geometry resizePage(QWidget *page, QLabel *background, int width, int height, int rotation);

    static bool isPortrait(int rotation) { return rotation == 90 || rotation == -90; }
    // Portrait: W / 8 wide, 1.778 times as high; else W / 3, 1.778 times as wide.
    static QSize previewSize(int pageWidth, int rotation);

    // ---- Buttons and labels
    static QPushButton *backButton();
    static QPushButton *validateButton();
    // Text under the icon, no keyboard focus; the style's icon size unless given.
    static QToolButton *toolButton(const QString &text, const QString &icon, const QSize &iconSize = QSize());
    static QSize largeIcon() { return QSize(70, 70); }
    // A button that shows a value and opens its entry dialog; disabled.
    static QPushButton *valueButton(const QString &text);
    // White text on the page's background.
    static QLabel *title(const QString &text);
    // A "DEBUT" / "FIN" column heading.
    static QLabel *heading(const QString &text, Qt::Alignment alignment);
    // White centred text of a settings field.
    static QLabel *valueField(const QString &text = QString());
    static QFrame *plainFrame();
    // Transparent frame holding `layers` stacked in one centred cell.
    static QFrame *previewFrame(const QList<QLabel *> &layers);

    // ---- Pages with a kind list (widget and touch pages)
    // Their widgets, laid out on the page; the caller fills `settings`, one column.
    struct KindPage {
        QLabel *background;
        QLabel *title;
        QComboBox *kindList;
        QFrame *previewFrame;
        QLabel *preview;
        QFrame *settingsFrame;
        QGridLayout *settings;
        QPushButton *valider;
        QPushButton *retour;
    };
    static KindPage kindPage(QWidget *page);
    // `picture` stretched to `size` in the preview, shown with its frame.
    static void showPreview(const KindPage &page, const QString &picture, const QSize &size);
    // No picture: the frame goes too, or its empty border shows as a dot.
    static void hidePreview(const KindPage &page);
    // A tool button sits at the top of its cell, a value field is centred.
    static void addSetting(QGridLayout *settings, QWidget *widget, int row);
    // Title and kind list above the preview and the settings.
    static QGridLayout *kindGrid(QLabel *title, QComboBox *kinds, QFrame *preview, QFrame *settings);
    // Back and validate side by side, `spacing` apart.
    static QGridLayout *buttonRow(QPushButton *back, QPushButton *validate, int spacing);
    // The page's layout: the background filling it, holding `top` above the
    // back and validate buttons.
    static void layOut(QWidget *page, QLabel *background, QLayout *top, QPushButton *back, QPushButton *validate);

    // ---- Weekdays and on/off ranges
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

    // ---- Modal entry dialogs, frameless
    // The on-screen keyboard; its text when it closed.
    static QString typeText(const QString &title, const QString &text, int width, int height);
    // The numeric keypad; its text when it closed.
    static QString typeNumber(const QString &title, const QString &text, const QString &mask, int width, int height);
    // The date picker; the day chosen, "dd/MM/yyyy".
    static QString pickDate(const QString &title, const QString &date);

    // A modal error box over `page`; true when it was closed by OK.
    static bool showError(QWidget *page, const QString &message);
    // The message of a poster list file that could not be written.
    static QString saveFailure(const QString &file, const QString &why);
};
