#pragma once

#include <QFont>
#include <QSize>
#include <QString>

class QComboBox;
class QFrame;
class QGridLayout;
class QLabel;
class QLayout;
class QPushButton;
class QToolButton;
class QWidget;

// The look shared by the poster settings pages: fonts, background, the back
// and validate buttons, the tool buttons, the preview size, and the modal
// keyboards and error box they open.
class SettingsPageStyle
{
public:
    // The widgets of a page with a kind list (widget and touch pages), laid
    // out on the page; the caller fills `settings`, one column.
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
    // A tool button sits at the top of its cell, a value field is centred.
    static void addSetting(QGridLayout *settings, QWidget *widget, int row);

    // A page's size as the last slotResize gave it; the keyboards open at it.
    struct Geometry {
        int width = 1024;
        int height = 720;
        int rotation = 0;
        QSize preview; // empty until the first resize
    };
    // What each page's slotResize does first: minimum size and background.
    static Geometry resizePage(QWidget *page, QLabel *background, int width, int height, int rotation);
    // `picture` stretched to `size` in the preview label, shown.
    static void showPreview(QLabel *preview, const QString &picture, const QSize &size);

    // "Avenir", the integer part of (pageHeight / divisor) x FontRatio.
    static QFont font(int pageHeight, int divisor);
    static QFont toolFont();

    static QPushButton *validateButton();
    static QPushButton *backButton();
    // Text under a 70x70 icon, no keyboard focus.
    static QToolButton *toolButton(const QString &text, const QString &icon);
    // Transparent frame holding `layers` stacked in one centred cell.
    static QFrame *previewFrame(const QList<QLabel *> &layers);
    static QFrame *plainFrame();
    static QLabel *title(const QString &text);
    // White centred text of a settings field.
    static QLabel *valueField(const QString &text = QString());
    static QLabel *background();
    // Title and kind list above the preview and the settings (widget and
    // touch pages).
    static QGridLayout *kindGrid(QLabel *title, QComboBox *kinds, QFrame *preview, QFrame *settings);
    // The page's layout: the background filling it, holding `top` above the
    // back and validate buttons.
    static void layOut(QWidget *page, QLabel *background, QLayout *top, QPushButton *back, QPushButton *validate);

    // The brand background scaled to the page.
    static void paintBackground(QLabel *background, int width, int height);

    static bool isPortrait(int rotation) { return rotation == 90 || rotation == -90; }
    // Portrait: W / 8 wide, 1.778 times as high; else W / 3, 1.778 times as wide.
    static QSize previewSize(int pageWidth, int rotation);

    // The on-screen keyboard and the numeric keypad, frameless and modal.
    static QString typeText(const QString &title, const QString &text, int width, int height);
    static QString typeNumber(const QString &title, const QString &text, const QString &mask, int width, int height);
    static void showError(QWidget *page, const QString &text);
};
