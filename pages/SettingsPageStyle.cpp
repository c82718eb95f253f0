#include "SettingsPageStyle.h"

#include "AppGlobals.h"
#include "ClassBox.h"
#include "ClassClavier.h"
#include "NumClavier.h"
#include "classVersion.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString buttonStyle(const char *rgb)
{
    return QStringLiteral("QPushButton {border-radius: 2px;border-style: outset;border-width: 1px;border-color: "
                          "white;background-color:rgba(32,41,49,80%);}QPushButton:pressed "
                          "{background-color:rgba(%1,80%);}QPushButton:focus{ background-color: rgba(%1,30%)}")
        .arg(QLatin1String(rgb));
}

QPushButton *pushButton(const char *icon, const char *rgb, const char *name)
{
    auto *button = new QPushButton;
    button->setObjectName(QLatin1String(name));
    button->setIcon(QIcon(QLatin1String(icon)));
    button->setIconSize(QSize(35, 35));
    button->setStyleSheet(buttonStyle(rgb));
    return button;
}

} // namespace

QFont SettingsPageStyle::font(int pageHeight, int divisor)
{
    return QFont(QStringLiteral("Avenir"), qMax(1, int(float(pageHeight / divisor) * FontRatio)), QFont::Normal);
}

QFont SettingsPageStyle::toolFont()
{
    return QFont(QStringLiteral("Avenir"), qMax(1, int(8 * FontRatio)), QFont::Normal);
}

QPushButton *SettingsPageStyle::validateButton()
{
    return pushButton(":/images/valider.png", "0,255,0", "valider");
}

QPushButton *SettingsPageStyle::backButton()
{
    return pushButton(":/images/Retour.png", "255,0,0", "retour");
}

QToolButton *SettingsPageStyle::toolButton(const QString &text, const QString &icon)
{
    auto *button = new QToolButton;
    button->setText(text);
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(70, 70));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFont(toolFont());
    return button;
}

QFrame *SettingsPageStyle::previewFrame(const QList<QLabel *> &layers)
{
    QFrame *frame = plainFrame();
    frame->setStyleSheet(QStringLiteral("background-color: rgba(0,0,0,0%); color:transparent;"));
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    for (QLabel *layer : layers) {
        layer->setAlignment(Qt::AlignCenter);
        grid->addWidget(layer, 0, 0, Qt::AlignCenter);
    }
    return frame;
}

QLabel *SettingsPageStyle::valueField(const QString &text)
{
    auto *label = new QLabel(text);
    label->setStyleSheet(QStringLiteral("color:white;background-color:transparent;"));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QLabel *SettingsPageStyle::background()
{
    auto *label = new QLabel;
    label->setScaledContents(true);
    label->setMinimumSize(1, 1);
    return label;
}

QGridLayout *SettingsPageStyle::kindGrid(QLabel *title, QComboBox *kinds, QFrame *preview, QFrame *settings)
{
    auto *top = new QGridLayout;
    top->setContentsMargins(20, 20, 20, 20);
    top->setSpacing(20);
    top->addWidget(title, 0, 0, Qt::AlignRight);
    top->addWidget(kinds, 0, 1);
    top->addWidget(preview, 1, 0, Qt::AlignCenter);
    top->addWidget(settings, 1, 1);
    return top;
}

void SettingsPageStyle::layOut(QWidget *page, QLabel *background, QLayout *top, QPushButton *back,
                               QPushButton *validate)
{
    auto *buttons = new QGridLayout;
    buttons->setContentsMargins(5, 5, 5, 5);
    buttons->setSpacing(20);
    buttons->addWidget(back, 0, 0);
    buttons->addWidget(validate, 0, 1);
    auto *grid = new QGridLayout(background);
    grid->setContentsMargins(20, 20, 20, 20);
    grid->setSpacing(20);
    grid->addLayout(top, 0, 0);
    grid->addLayout(buttons, 1, 0);
    auto *outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(background);
}

QFrame *SettingsPageStyle::plainFrame()
{
    auto *frame = new QFrame;
    frame->setFrameShape(QFrame::NoFrame);
    frame->setAutoFillBackground(false);
    return frame;
}

QLabel *SettingsPageStyle::title(const QString &text)
{
    auto *label = new QLabel(text);
    label->setStyleSheet(QStringLiteral("color:white;border:none;background-color:transparent;"));
    return label;
}

void SettingsPageStyle::paintBackground(QLabel *background, int width, int height)
{
    background->setPixmap(QPixmap(classVersion().BackgroundColor())
                              .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    background->adjustSize();
}

QSize SettingsPageStyle::previewSize(int pageWidth, int rotation)
{
    if (isPortrait(rotation)) {
        const int w = pageWidth / 8;
        return QSize(w, int(w * 1.778));
    }
    const int w = pageWidth / 3;
    return QSize(w, int(w / 1.778));
}

QString SettingsPageStyle::typeText(const QString &title, const QString &text, int width, int height)
{
    auto *keyboard = new ClassClavier(width, height, nullptr, 1);
    keyboard->setWindowFlags(keyboard->windowFlags() | Qt::FramelessWindowHint);
    keyboard->setTextClavier(title, text);
    keyboard->exec();
    const QString typed = keyboard->text();
    delete keyboard;
    return typed;
}

QString SettingsPageStyle::typeNumber(const QString &title, const QString &text, const QString &mask, int width,
                                      int height)
{
    auto *keypad = new NumClavier(1, width, height, nullptr);
    keypad->setWindowFlags(keypad->windowFlags() | Qt::FramelessWindowHint);
    keypad->setChampClavier(title, text, mask);
    keypad->exec();
    const QString typed = keypad->text();
    delete keypad;
    return typed;
}

void SettingsPageStyle::showError(QWidget *page, const QString &text)
{
    auto *box = new ClassBox(text, ClassBox::Error, page->width(), page->height(), page);
    box->exec();
    delete box;
}

SettingsPageStyle::KindPage SettingsPageStyle::kindPage(QWidget *page)
{
    KindPage parts;
    parts.background = background();
    parts.title = title(QCoreApplication::translate("classWidget", "Sélectionnez le type de Widget:"));
    parts.kindList = new QComboBox;
    parts.kindList->setObjectName(QStringLiteral("kindList"));
    parts.preview = new QLabel;
    parts.previewFrame = previewFrame({parts.preview});
    parts.settingsFrame = plainFrame();
    parts.settings = new QGridLayout(parts.settingsFrame);
    parts.valider = validateButton();
    parts.retour = backButton();
    layOut(page, parts.background, kindGrid(parts.title, parts.kindList, parts.previewFrame, parts.settingsFrame),
           parts.retour, parts.valider);
    return parts;
}

void SettingsPageStyle::addSetting(QGridLayout *settings, QWidget *widget, int row)
{
    const bool button = qobject_cast<QToolButton *>(widget) != nullptr;
    settings->addWidget(widget, row, 0, button ? Qt::AlignTop : Qt::AlignHCenter | Qt::AlignVCenter | Qt::AlignTop);
}

SettingsPageStyle::Geometry SettingsPageStyle::resizePage(QWidget *page, QLabel *background, int width, int height,
                                                          int rotation)
{
    page->setMinimumSize(width, height);
    paintBackground(background, width, height);
    Geometry g;
    g.width = width;
    g.height = height;
    g.rotation = rotation;
    g.preview = previewSize(width, rotation);
    return g;
}

void SettingsPageStyle::showPreview(QLabel *preview, const QString &picture, const QSize &size)
{
    preview->setPixmap(QPixmap(picture).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    preview->show();
}
