#include "SettingsPageLook.h"

#include "AppGlobals.h"
#include "ClassBox.h"
#include "ClassClavier.h"
#include "NumCalendar.h"
#include "NumClavier.h"
#include "PosterSchedule.h"
#include "classVersion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char *const ButtonStyle =
    "QPushButton {border-radius: 2px;border-style: outset;border-width: 1px;border-color: white;"
    "background-color:rgba(32,41,49,80%);}QPushButton:pressed {background-color:rgba(%1,%2,0,80%);}"
    "QPushButton:focus{ background-color: rgba(%1,%2,0,30%)}";

QPushButton *pageButton(const QString &icon, int red, int green, const char *name, const QString &tip)
{
    auto *button = new QPushButton;
    button->setToolTip(tip);
    button->setObjectName(QLatin1String(name));
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(35, 35));
    button->setStyleSheet(QString::fromLatin1(ButtonStyle).arg(red).arg(green));
    return button;
}

// Runs an entry dialog frameless and modal, then deletes it.
template<typename Dialog>
QString runFrameless(Dialog *dialog)
{
    dialog->setWindowFlags(dialog->windowFlags() | Qt::FramelessWindowHint);
    dialog->exec();
    const QString typed = dialog->text();
    delete dialog;
    return typed;
}

} // namespace

QFont SettingsPageLook::font(int points, int weight)
{
    return QFont(QStringLiteral("Avenir"), qMax(1, int(float(points) * FontRatio)), weight);
}

QFont SettingsPageLook::heightFont(int pageHeight, int divisor)
{
    return font(pageHeight / divisor, QFont::Normal);
}

QFont SettingsPageLook::toolFont()
{
    return font(8, QFont::Normal);
}

QLabel *SettingsPageLook::background(QWidget *page)
{
    auto *label = new QLabel(page);
    label->setScaledContents(true);
    label->setMinimumSize(1, 1);
    return label;
}

void SettingsPageLook::paintBackground(QLabel *background, int width, int height)
{
    const QPixmap picture(classVersion().BackgroundColor());
    background->setPixmap(picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    background->adjustSize();
}

void SettingsPageLook::fitPage(QWidget *page, QLabel *background, int width, int height)
{
    page->setMinimumSize(width, height);
    paintBackground(background, width, height);
}

SettingsPageLook::Geometry SettingsPageLook::resizePage(QWidget *page, QLabel *background, int width, int height,
                                                        int rotation)
{
    fitPage(page, background, width, height);
    Geometry g;
    g.width = width;
    g.height = height;
    g.rotation = rotation;
    g.preview = previewSize(width, rotation);
    return g;
}

QSize SettingsPageLook::previewSize(int pageWidth, int rotation)
{
    if (isPortrait(rotation)) {
        const int w = pageWidth / 8;
        return QSize(w, int(w * 1.778));
    }
    const int w = pageWidth / 3;
    return QSize(w, int(w / 1.778));
}

QPushButton *SettingsPageLook::backButton()
{
    return pageButton(QStringLiteral(":/images/Retour.png"), 255, 0, "retour", QStringLiteral("Retour"));
}

QPushButton *SettingsPageLook::validateButton()
{
    return pageButton(QStringLiteral(":/images/valider.png"), 0, 255, "valider", QStringLiteral("Valider"));
}

QToolButton *SettingsPageLook::toolButton(const QString &text, const QString &icon, const QSize &iconSize)
{
    auto *button = new QToolButton;
    button->setText(text);
    button->setIcon(QIcon(icon));
    if (iconSize.isValid())
        button->setIconSize(iconSize);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFont(toolFont());
    button->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QPushButton *SettingsPageLook::valueButton(const QString &text)
{
    auto *button = new QPushButton(text);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setEnabled(false);
    return button;
}

QLabel *SettingsPageLook::title(const QString &text)
{
    auto *label = new QLabel(text);
    label->setStyleSheet(QStringLiteral("color:white;border:none;background-color:transparent;"));
    return label;
}

QLabel *SettingsPageLook::heading(const QString &text, Qt::Alignment alignment)
{
    QLabel *label = title(text);
    label->setAlignment(alignment);
    return label;
}

QLabel *SettingsPageLook::valueField(const QString &text)
{
    QLabel *label = title(text);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QFrame *SettingsPageLook::plainFrame()
{
    auto *frame = new QFrame;
    frame->setFrameShape(QFrame::NoFrame);
    frame->setAutoFillBackground(false);
    return frame;
}

QFrame *SettingsPageLook::previewFrame(const QList<QLabel *> &layers)
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

SettingsPageLook::KindPage SettingsPageLook::kindPage(QWidget *page)
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

void SettingsPageLook::showPreview(const KindPage &page, const QString &picture, const QSize &size)
{
    page.preview->setPixmap(QPixmap(picture).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    page.preview->show();
    page.previewFrame->show();
}

void SettingsPageLook::hidePreview(const KindPage &page)
{
    page.preview->hide();
    page.previewFrame->hide();
}

void SettingsPageLook::addSetting(QGridLayout *settings, QWidget *widget, int row)
{
    const bool button = qobject_cast<QToolButton *>(widget) != nullptr;
    settings->addWidget(widget, row, 0, button ? Qt::AlignTop : Qt::AlignHCenter | Qt::AlignVCenter | Qt::AlignTop);
}

QGridLayout *SettingsPageLook::kindGrid(QLabel *title, QComboBox *kinds, QFrame *preview, QFrame *settings)
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

QGridLayout *SettingsPageLook::buttonRow(QPushButton *back, QPushButton *validate, int spacing)
{
    auto *buttons = new QGridLayout;
    buttons->setContentsMargins(5, 5, 5, 5);
    buttons->setSpacing(spacing);
    buttons->addWidget(back, 0, 0);
    buttons->addWidget(validate, 0, 1);
    return buttons;
}

void SettingsPageLook::layOut(QWidget *page, QLabel *background, QLayout *top, QPushButton *back,
                              QPushButton *validate)
{
    QGridLayout *buttons = buttonRow(back, validate, 20);
    auto *grid = new QGridLayout(background);
    grid->setContentsMargins(20, 20, 20, 20);
    grid->setSpacing(20);
    grid->addLayout(top, 0, 0);
    grid->addLayout(buttons, 1, 0);
    auto *outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(background);
}

QGroupBox *SettingsPageLook::weekdayGroup(QList<QCheckBox *> *boxes)
{
    auto *group = new QGroupBox(QStringLiteral("Sélectionnez les jours"));
    group->setAlignment(Qt::AlignHCenter);
    group->setFont(font(10, 50));
    auto *row = new QHBoxLayout(group);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    const char *const days[] = {"Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi", "Dimanche"};
    for (const char *day : days) {
        auto *box = new QCheckBox(QString::fromUtf8(day));
        box->setFont(font(10, 50));
        row->addWidget(box, 132);
        boxes->append(box);
    }
    group->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    sizeWeekdays(group, 18);
    return group;
}

void SettingsPageLook::sizeWeekdays(QGroupBox *group, int size)
{
    group->setStyleSheet(QStringLiteral("QCheckBox::indicator {width: %1px; height: %1px; border: 1px solid white;"
                                        " border-radius: 3px; background-color: rgba(0,0,0,40%);}"
                                        "QCheckBox::indicator:checked {background-color: rgba(0,128,255,100%);"
                                        " image: url(:/images/valider.png);}")
                             .arg(qMax(12, size)));
}

QList<bool> SettingsPageLook::checkedStates(const QList<QCheckBox *> &boxes)
{
    QList<bool> checked;
    for (const QCheckBox *box : boxes)
        checked.append(box->isChecked());
    return checked;
}

void SettingsPageLook::uncheckAll(const QList<QCheckBox *> &boxes)
{
    for (QCheckBox *box : boxes)
        box->setChecked(false);
}

void SettingsPageLook::checkDays(const QList<QCheckBox *> &boxes, const QString &days)
{
    const QList<bool> checked = PosterSchedule::checksOf(days);
    for (int i = 0; i < boxes.size(); ++i) {
        if (checked.value(i))
            boxes.at(i)->setChecked(true);
    }
}

void SettingsPageLook::showSwitch(QToolButton *button, QPushButton *start, QPushButton *end, bool on,
                                  const QString &onIcon, const QString &offIcon)
{
    button->setIcon(QIcon(on ? onIcon : offIcon));
    start->setEnabled(on);
    end->setEnabled(on);
}

QString SettingsPageLook::typeText(const QString &title, const QString &text, int width, int height)
{
    auto *keyboard = new ClassClavier(width, height, nullptr, 1);
    keyboard->setTextClavier(title, text);
    return runFrameless(keyboard);
}

QString SettingsPageLook::typeNumber(const QString &title, const QString &text, const QString &mask, int width,
                                     int height)
{
    auto *keypad = new NumClavier(1, width, height, nullptr);
    keypad->setChampClavier(title, text, mask);
    return runFrameless(keypad);
}

QString SettingsPageLook::pickDate(const QString &title, const QString &date)
{
    auto *picker = new NumCalendar(nullptr);
    picker->setChampClavier(title, date);
    return runFrameless(picker);
}

bool SettingsPageLook::showError(QWidget *page, const QString &message)
{
    auto *box = new ClassBox(message, ClassBox::Error, page->width(), page->height(), page);
    box->exec();
    const bool confirmed = box->text() == 0;
    delete box;
    return confirmed;
}

QString SettingsPageLook::saveFailure(const QString &file, const QString &why)
{
    return QStringLiteral("Impossible de sauvegarder le fichier %1: %2.").arg(QDir::toNativeSeparators(file), why);
}
