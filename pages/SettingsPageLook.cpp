#include "SettingsPageLook.h"

#include "AppGlobals.h"
#include "ClassBox.h"
#include "NumCalendar.h"
#include "NumClavier.h"
#include "PosterSchedule.h"
#include "classVersion.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

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

} // namespace

QFont SettingsPageLook::font(int points, int weight)
{
    return QFont(QStringLiteral("Avenir"), qMax(1, int(float(points) * FontRatio)), weight);
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

QPushButton *SettingsPageLook::backButton()
{
    return pageButton(QStringLiteral(":/images/Retour.png"), 255, 0, "retour", QStringLiteral("Retour"));
}

QPushButton *SettingsPageLook::validateButton()
{
    return pageButton(QStringLiteral(":/images/valider.png"), 0, 255, "valider", QStringLiteral("Valider"));
}

QToolButton *SettingsPageLook::switchButton(const QString &text, const QString &icon)
{
    auto *button = new QToolButton;
    button->setText(text);
    button->setIcon(QIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFont(font(8, 50));
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

QLabel *SettingsPageLook::heading(const QString &text, Qt::Alignment alignment)
{
    auto *label = new QLabel(text);
    label->setAlignment(alignment);
    label->setStyleSheet(QStringLiteral("color: white;"));
    return label;
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

QString SettingsPageLook::typeOnKeypad(const QString &title, const QString &value, const QString &mask, int width,
                                       int height)
{
    auto *keypad = new NumClavier(1, width, height, nullptr);
    keypad->setChampClavier(title, value, mask);
    keypad->setWindowFlags(Qt::FramelessWindowHint);
    keypad->exec();
    const QString typed = keypad->text();
    delete keypad;
    return typed;
}

QString SettingsPageLook::pickDate(const QString &title, const QString &date)
{
    auto *picker = new NumCalendar(nullptr);
    picker->setChampClavier(title, date);
    picker->setWindowFlags(Qt::FramelessWindowHint);
    picker->exec();
    const QString picked = picker->text();
    delete picker;
    return picked;
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
