#include "classCalendar.h"

#include "AppGlobals.h"
#include "SettingsPageLook.h"

#include <QCheckBox>
#include <QDebug>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

using Range = PosterSchedule::Range;

namespace {

const char *const SwitchTexts[] = {"Date", "Heure", "Date 2", "Heure 2"};
const char *const ObjectNames[] = {"Date", "Heure", "Date2", "Heure2"};

QString onIcon(Range r)
{
    return PosterSchedule::isDateRange(r) ? QStringLiteral(":/images/DateON.png") : QStringLiteral(":/images/HeureON.png");
}

QString offIcon(Range r)
{
    return PosterSchedule::isDateRange(r) ? QStringLiteral(":/images/DateOFF.png")
                                          : QStringLiteral(":/images/HeureOFF.png");
}

} // namespace

classCalendar::classCalendar(QWidget *parent)
    : QWidget(parent)
    , m_path(ApplicationPath)
{
    setMinimumSize(1024, 720);
    m_background = SettingsPageLook::background(this);

    for (int r = 0; r < PosterSchedule::RangeCount; ++r) {
        const Range range = Range(r);
        const QString empty = PosterSchedule::isDateRange(range) ? PosterSchedule::unpickedDate()
                                                                 : QStringLiteral("00:00:00");
        m_switch[r] = SettingsPageLook::toolButton(QLatin1String(SwitchTexts[r]), offIcon(range));
        m_start[r] = SettingsPageLook::valueButton(empty);
        m_end[r] = SettingsPageLook::valueButton(empty);
        m_start[r]->setObjectName(QStringLiteral("debut%1").arg(QLatin1String(ObjectNames[r])));
        m_end[r]->setObjectName(QStringLiteral("fin%1").arg(QLatin1String(ObjectNames[r])));
    }
    connect(m_switch[PosterSchedule::Dates1], &QToolButton::clicked, this, &classCalendar::slotDate);
    connect(m_switch[PosterSchedule::Hours1], &QToolButton::clicked, this, &classCalendar::slotHeure);
    connect(m_switch[PosterSchedule::Dates2], &QToolButton::clicked, this, &classCalendar::slotDate2);
    connect(m_switch[PosterSchedule::Hours2], &QToolButton::clicked, this, &classCalendar::slotHeure2);
    connect(m_start[PosterSchedule::Dates1], &QPushButton::clicked, this, &classCalendar::slotButtonDateDebut);
    connect(m_end[PosterSchedule::Dates1], &QPushButton::clicked, this, &classCalendar::slotButtonDateFin);
    connect(m_start[PosterSchedule::Hours1], &QPushButton::clicked, this, &classCalendar::slotButtonHeureDebut);
    connect(m_end[PosterSchedule::Hours1], &QPushButton::clicked, this, &classCalendar::slotButtonHeureFin);
    connect(m_start[PosterSchedule::Dates2], &QPushButton::clicked, this, &classCalendar::slotButtonDateDebut2);
    connect(m_end[PosterSchedule::Dates2], &QPushButton::clicked, this, &classCalendar::slotButtonDateFin2);
    connect(m_start[PosterSchedule::Hours2], &QPushButton::clicked, this, &classCalendar::slotButtonHeureDebut2);
    connect(m_end[PosterSchedule::Hours2], &QPushButton::clicked, this, &classCalendar::slotButtonHeureFin2);

    QFrame *dates = rangeFrame(PosterSchedule::Dates1, PosterSchedule::Dates2);
    QFrame *hours = rangeFrame(PosterSchedule::Hours1, PosterSchedule::Hours2);
    static_cast<QGridLayout *>(hours->layout())->addWidget(createHeureJoursGroupBox(), 3, 1, 1, 2);

    auto *settings = new QGridLayout;
    settings->setContentsMargins(5, 5, 5, 5);
    settings->setSpacing(5);
    settings->setColumnStretch(0, 1);
    settings->setColumnStretch(1, 5);
    settings->setColumnStretch(2, 5);
    settings->addWidget(dates, 1, 0, 1, 3);
    settings->addWidget(hours, 2, 0, 1, 3);

    QPushButton *back = SettingsPageLook::backButton();
    QPushButton *validate = SettingsPageLook::validateButton();
    connect(back, &QPushButton::clicked, this, &classCalendar::slotAnnuler);
    connect(validate, &QPushButton::clicked, this, &classCalendar::slotValider);
    QGridLayout *buttons = SettingsPageLook::buttonRow(back, validate, 5);

    auto *main = new QGridLayout(m_background);
    main->setContentsMargins(20, 20, 20, 20);
    main->setSpacing(10);
    main->addLayout(settings, 0, 0);
    main->addLayout(buttons, 1, 0);

    SettingsPageLook::paintBackground(m_background, m_width, m_height);
}

classCalendar::~classCalendar() = default;

QFrame *classCalendar::rangeFrame(Range first, Range second)
{
    QFrame *frame = SettingsPageLook::plainFrame();
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(5, 5, 5, 5);
    grid->setSpacing(5);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 2);
    for (const char *text : {"DEBUT", "FIN"}) {
        QLabel *label = SettingsPageLook::heading(QLatin1String(text), Qt::AlignLeft | Qt::AlignBottom);
        grid->addWidget(label, 0, m_headings.size() % 2 + 1);
        m_headings.append(label);
    }
    int row = 1;
    for (const Range r : {first, second}) {
        grid->addWidget(m_switch[r], row, 0, Qt::AlignTop);
        grid->addWidget(m_start[r], row, 1);
        grid->addWidget(m_end[r], row, 2);
        ++row;
    }
    // Spare height goes above the headings and below the last row.
    grid->setRowStretch(0, 1);
    grid->setRowStretch(4, 1);
    return frame;
}

QString classCalendar::file() const
{
    return m_path + QStringLiteral("DATA/PLAYER.orvex");
}

QGroupBox *classCalendar::createHeureJoursGroupBox()
{
    m_joursGroup = SettingsPageLook::weekdayGroup(&m_jours);
    return m_joursGroup;
}

void classCalendar::InitHeureJoursGroupBox()
{
    SettingsPageLook::uncheckAll(m_jours);
}

QString classCalendar::transListJoursToString(QList<QCheckBox *> boxes)
{
    return PosterSchedule::daysOf(SettingsPageLook::checkedStates(boxes));
}

void classCalendar::HeureCheckBoxUpdate(QString days)
{
    SettingsPageLook::checkDays(m_jours, days);
}

void classCalendar::setRangeOn(Range range, bool on)
{
    m_on[range] = on;
    SettingsPageLook::showSwitch(m_switch[range], m_start[range], m_end[range], on, onIcon(range), offIcon(range));
}

void classCalendar::toggle(Range range)
{
    const bool on = !m_on[range];
    setRangeOn(range, on);
    // The weekdays belong to the first hour range.
    if (!on && range == PosterSchedule::Hours1)
        InitHeureJoursGroupBox();
}

void classCalendar::slotDate() { toggle(PosterSchedule::Dates1); }
void classCalendar::slotHeure() { toggle(PosterSchedule::Hours1); }
void classCalendar::slotDate2() { toggle(PosterSchedule::Dates2); }
void classCalendar::slotHeure2() { toggle(PosterSchedule::Hours2); }

void classCalendar::pickDate(QPushButton *target, const QString &title)
{
    target->setText(SettingsPageLook::pickDate(title, target->text()));
}

void classCalendar::typeHour(QPushButton *target, const QString &title)
{
    const QString typed = SettingsPageLook::typeNumber(title, target->text(), QStringLiteral("00:00:00;_"),
                                                       m_width, m_height);
    const QString hour = PosterSchedule::typedTime(typed, PosterSchedule::timeFormat());
    if (!hour.isEmpty())
        target->setText(hour);
}

void classCalendar::slotButtonDateDebut() { pickDate(m_start[PosterSchedule::Dates1], QStringLiteral("Date de départ")); }
void classCalendar::slotButtonDateFin() { pickDate(m_end[PosterSchedule::Dates1], QStringLiteral("Date de fin")); }
void classCalendar::slotButtonDateDebut2() { pickDate(m_start[PosterSchedule::Dates2], QStringLiteral("Date de départ")); }
void classCalendar::slotButtonDateFin2() { pickDate(m_end[PosterSchedule::Dates2], QStringLiteral("Date de fin")); }
void classCalendar::slotButtonHeureDebut() { typeHour(m_start[PosterSchedule::Hours1], QStringLiteral("Heure de départ")); }
void classCalendar::slotButtonHeureFin() { typeHour(m_end[PosterSchedule::Hours1], QStringLiteral("Heure de fin")); }
void classCalendar::slotButtonHeureDebut2() { typeHour(m_start[PosterSchedule::Hours2], QStringLiteral("Heure de départ")); }
void classCalendar::slotButtonHeureFin2() { typeHour(m_end[PosterSchedule::Hours2], QStringLiteral("Heure de fin")); }

PosterSchedule::State classCalendar::state() const
{
    PosterSchedule::State s;
    for (int r = 0; r < PosterSchedule::RangeCount; ++r) {
        s.ranges[r].on = m_on[r];
        s.ranges[r].start = m_start[r]->text();
        s.ranges[r].end = m_end[r]->text();
    }
    s.days = PosterSchedule::daysOf(SettingsPageLook::checkedStates(m_jours));
    return s;
}

void classCalendar::display(const PosterSchedule::State &s)
{
    for (int r = 0; r < PosterSchedule::RangeCount; ++r) {
        m_start[r]->setText(s.ranges[r].start);
        m_end[r]->setText(s.ranges[r].end);
        setRangeOn(Range(r), s.ranges[r].on);
    }
    InitHeureJoursGroupBox();
    HeureCheckBoxUpdate(s.days);
}

void classCalendar::slotCalendarIndice(int indice)
{
    if (indice == -1)
        return;
    m_indice = indice;
    if (!m_param.getParamCrypt(file(), QStringList{QStringLiteral("ALL")}, 0))
        qDebug() << "classCalendar: cannot read" << file();
    display(PosterSchedule::loaded(state(), [this](const QString &key) { return m_param.getInfoBalise(key); }, indice));
}

bool classCalendar::SaveInfo()
{
    const PosterSchedule::State s = state();
    const QString refusal = PosterSchedule::refusal(s);
    if (!refusal.isEmpty()) {
        SettingsPageLook::showError(this, refusal);
        return false;
    }
    const PosterSchedule::Values values =
        PosterSchedule::writes(s, [this](const QString &key) { return m_param.getInfoBalise(key); }, m_indice);
    if (values.isEmpty())
        return true;
    QString why;
    if (!m_param.setParamsCrypt(file(), values, &why)) {
        SettingsPageLook::showError(this, SettingsPageLook::saveFailure(file(), why));
        return false;
    }
    // Keys the repair created are in the file now, not yet in the table.
    m_param.getParamCrypt(file(), QStringList{QStringLiteral("ALL")}, 0);
    return true;
}

void classCalendar::slotValider()
{
    if (!SaveInfo())
        return;
    emit signalUpdateSlide();
    emit signalButton(0);
}

void classCalendar::slotAnnuler()
{
    emit signalButton(0);
}

void classCalendar::slotResize(int w, int h, int rotation)
{
    Q_UNUSED(rotation)
    const int height = this->height();
    const QFont buttons = SettingsPageLook::font(height / 45, 50);
    const QFont headings = SettingsPageLook::font(height / 75, 50);
    const QFont days = SettingsPageLook::font(height / 100, 50);
    m_width = w;
    m_height = h;
    SettingsPageLook::fitPage(this, m_background, w, h);
    const int icon = this->height() / 15;
    for (int r = 0; r < PosterSchedule::RangeCount; ++r) {
        m_switch[r]->setIconSize(QSize(icon, icon));
        m_start[r]->setFont(buttons);
        m_end[r]->setFont(buttons);
    }
    for (QLabel *label : qAsConst(m_headings))
        label->setFont(headings);
    for (QCheckBox *box : qAsConst(m_jours))
        box->setFont(days);
    m_joursGroup->setFont(days);
    SettingsPageLook::sizeWeekdays(m_joursGroup, height / 40);
}
