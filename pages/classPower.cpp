#include "classPower.h"

#include "AppGlobals.h"
#include "PosterSchedule.h"
#include "SettingsPageLook.h"

#include <QCheckBox>
#include <QDebug>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace {

const QString OnIcon = QStringLiteral(":/images/PowerON.png");
const QString OffIcon = QStringLiteral(":/images/PowerOFF.png");
const QString StartTitle = QStringLiteral("Heure démarrage de l'écran");
const QString StopTitle = QStringLiteral("Heure d'arrêt de l'écran");

} // namespace

classPower::classPower(QWidget *parent)
    : QWidget(parent)
    , m_path(ApplicationPath)
{
    setMinimumSize(1024, 720);
    m_background = SettingsPageLook::background(this);

    auto *inner = new QGridLayout;
    inner->setContentsMargins(5, 5, 5, 5);
    inner->setSpacing(5);
    inner->setColumnStretch(0, 1);
    inner->setColumnStretch(1, 2);
    inner->setColumnStretch(2, 2);
    for (const char *text : {"DEBUT", "FIN"}) {
        QLabel *label = SettingsPageLook::heading(QLatin1String(text), Qt::AlignHCenter | Qt::AlignBottom);
        inner->addWidget(label, 0, m_headings.size() + 1);
        m_headings.append(label);
    }
    for (int s = 0; s < PowerSchedule::SlotCount; ++s) {
        m_switch[s] = SettingsPageLook::toolButton(s == 0 ? QStringLiteral("Alimentation")
                                                            : QStringLiteral("Alimentation 2"),
                                                     OffIcon);
        m_start[s] = SettingsPageLook::valueButton(QStringLiteral("00:00"));
        m_stop[s] = SettingsPageLook::valueButton(QStringLiteral("00:00"));
        m_start[s]->setObjectName(QStringLiteral("demarrage%1").arg(s + 1));
        m_stop[s]->setObjectName(QStringLiteral("arret%1").arg(s + 1));
        inner->addWidget(m_switch[s], s + 1, 0, Qt::AlignTop);
        inner->addWidget(m_start[s], s + 1, 1);
        inner->addWidget(m_stop[s], s + 1, 2);
    }
    inner->addWidget(createPowerJoursGroupBox(), 3, 1, 1, 2);
    // Spare height goes above the headings and below the weekdays.
    inner->setRowStretch(0, 1);
    inner->setRowStretch(4, 1);
    connect(m_switch[0], &QToolButton::clicked, this, &classPower::slotPower);
    connect(m_switch[1], &QToolButton::clicked, this, &classPower::slotPower2);
    connect(m_start[0], &QPushButton::clicked, this, &classPower::slotButtonPowerDebut);
    connect(m_stop[0], &QPushButton::clicked, this, &classPower::slotButtonPowerFin);
    connect(m_start[1], &QPushButton::clicked, this, &classPower::slotButtonPowerDebut2);
    connect(m_stop[1], &QPushButton::clicked, this, &classPower::slotButtonPowerFin2);
    // Only a click by the user counts as choosing the weekdays anew.
    for (QCheckBox *box : qAsConst(m_jours))
        connect(box, &QCheckBox::clicked, this, [this] { m_loaded.daysEdited = true; });

    auto *settings = new QGridLayout;
    settings->setColumnStretch(0, 1);
    settings->setColumnStretch(1, 5);
    settings->setColumnStretch(2, 5);
    settings->addLayout(inner, 0, 0, 1, 3);

    QPushButton *back = SettingsPageLook::backButton();
    QPushButton *validate = SettingsPageLook::validateButton();
    connect(back, &QPushButton::clicked, this, &classPower::slotAnnuler);
    connect(validate, &QPushButton::clicked, this, &classPower::slotValider);

    auto *main = new QGridLayout(m_background);
    main->setContentsMargins(20, 20, 20, 20);
    main->setSpacing(10);
    main->addLayout(settings, 0, 0, 1, 2);
    main->addWidget(back, 1, 0);
    main->addWidget(validate, 1, 1);

    SettingsPageLook::paintBackground(m_background, m_width, m_height);
}

classPower::~classPower() = default;

QString classPower::file() const
{
    return m_path + QStringLiteral("DATA/PLAYER.orvex");
}

QGroupBox *classPower::createPowerJoursGroupBox()
{
    m_joursGroup = SettingsPageLook::weekdayGroup(&m_jours);
    return m_joursGroup;
}

void classPower::InitPowerJoursGroupBox()
{
    SettingsPageLook::uncheckAll(m_jours);
}

QString classPower::transListJoursToString(QList<QCheckBox *> boxes)
{
    return PosterSchedule::daysOf(SettingsPageLook::checkedStates(boxes));
}

void classPower::PowerCheckBoxUpdate(QString days)
{
    SettingsPageLook::checkDays(m_jours, days);
}

void classPower::setSlotOn(int slot, bool on)
{
    m_on[slot] = on;
    SettingsPageLook::showSwitch(m_switch[slot], m_start[slot], m_stop[slot], on, OnIcon, OffIcon);
}

void classPower::toggle(int slot)
{
    const bool on = !m_on[slot];
    setSlotOn(slot, on);
    if (!on && slot == 0)
        InitPowerJoursGroupBox();
}

void classPower::slotPower() { toggle(0); }
void classPower::slotPower2() { toggle(1); }

void classPower::typeTime(QPushButton *target, const QString &title, const QString &value)
{
    const QString typed = SettingsPageLook::typeNumber(title, value, QStringLiteral("00:00;_"), m_width, m_height);
    const QString time = PosterSchedule::typedTime(typed, PowerSchedule::timeFormat());
    if (!time.isEmpty())
        target->setText(time);
}

// The stop keypad opens on the slot's start time.
void classPower::slotButtonPowerDebut() { typeTime(m_start[0], StartTitle, m_start[0]->text()); }
void classPower::slotButtonPowerFin() { typeTime(m_stop[0], StopTitle, m_start[0]->text()); }
void classPower::slotButtonPowerDebut2() { typeTime(m_start[1], StartTitle, m_start[1]->text()); }
void classPower::slotButtonPowerFin2() { typeTime(m_stop[1], StopTitle, m_start[1]->text()); }

void classPower::slotCalendarIndice(int indice)
{
    if (indice == -1)
        return;
    if (!m_param.getParamCrypt(file(), QStringList{QStringLiteral("ALL")}, 0))
        qDebug() << "classPower: cannot read" << file();
    PowerSchedule::State current = m_loaded;
    for (int s = 0; s < PowerSchedule::SlotCount; ++s) {
        current.times[s].on = m_on[s];
        current.times[s].start = m_start[s]->text();
        current.times[s].stop = m_stop[s]->text();
    }
    m_loaded = PowerSchedule::loaded(current, m_param.getInfoBalise(PowerSchedule::key(0)),
                                     m_param.getInfoBalise(PowerSchedule::key(1)));
    for (int s = 0; s < PowerSchedule::SlotCount; ++s) {
        m_start[s]->setText(m_loaded.times[s].start);
        m_stop[s]->setText(m_loaded.times[s].stop);
        setSlotOn(s, m_loaded.times[s].on);
    }
    InitPowerJoursGroupBox();
    PowerCheckBoxUpdate(m_loaded.days);
}

bool classPower::SaveInfo()
{
    PowerSchedule::State s = m_loaded;
    for (int i = 0; i < PowerSchedule::SlotCount; ++i) {
        s.times[i].on = m_on[i];
        s.times[i].start = m_start[i]->text();
        s.times[i].stop = m_stop[i]->text();
    }
    s.days = transListJoursToString(m_jours);
    const QString refusal = PowerSchedule::refusal(s);
    if (!refusal.isEmpty()) {
        SettingsPageLook::showError(this, refusal);
        return false;
    }
    QString why;
    if (!m_param.setParamsCrypt(file(), PowerSchedule::writes(s), &why)) {
        SettingsPageLook::showError(this, SettingsPageLook::saveFailure(file(), why));
        return false;
    }
    return true;
}

void classPower::slotValider()
{
    if (!SaveInfo())
        return;
    emit signalUpdateSlide();
    emit signalButton(0);
}

void classPower::slotAnnuler()
{
    emit signalButton(0);
}

void classPower::slotResize(int w, int h, int rotation)
{
    Q_UNUSED(rotation)
    m_width = w;
    m_height = h;
    SettingsPageLook::fitPage(this, m_background, w, h);
    const int height = this->height();
    for (int s = 0; s < PowerSchedule::SlotCount; ++s) {
        m_switch[s]->setIconSize(QSize(height / 15, height / 15));
        m_start[s]->setFont(SettingsPageLook::font(height / 45, 50));
        m_stop[s]->setFont(SettingsPageLook::font(height / 45, 50));
    }
    for (QLabel *label : qAsConst(m_headings))
        label->setFont(SettingsPageLook::font(height / 75, 50));
    for (QCheckBox *box : qAsConst(m_jours))
        box->setFont(SettingsPageLook::font(height / 100, 50));
    m_joursGroup->setFont(SettingsPageLook::font(height / 100, 50));
    SettingsPageLook::sizeWeekdays(m_joursGroup, height / 40);
}
