#include "NumCalendar.h"

#include "AppGlobals.h"
#include "InputDialogGuard.h"
#include "KeyStyles.h"
#include "PlatformType.h"

#include <QCalendarWidget>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {
const QString kDateFormat = QStringLiteral("dd/MM/yyyy");
}

NumCalendar::NumCalendar(QDialog *parent)
    : QDialog(parent)
{
    if (isMobilePlatform())
        setMinimumSize(size());
    else
        setMinimumSize(500, 500);

    const QFont font = avenirFont(30, 75);

    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("titre"));
    m_caption->setFont(font);
    // Same caption colour as the keypad: the background picture is dark.
    m_caption->setStyleSheet(QStringLiteral("color: white"));
    m_caption->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    m_caption->setFocusPolicy(Qt::NoFocus);

    m_calendar = new QCalendarWidget(this);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("valider"));
    m_ok->setFont(font);
    m_ok->setCheckable(true);
    m_ok->setAutoDefault(true);
    m_ok->setDefault(true);
    m_ok->setStyleSheet(KeyStyles::key(true, KeyStyles::KeypadHover));
    connect(m_ok, &QPushButton::pressed, this, &QDialog::close);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::close);

    auto *grid = new QGridLayout;
    grid->addWidget(m_caption, 0, 0);
    grid->addWidget(m_calendar, 1, 0);
    grid->addWidget(m_ok, 2, 0);

    auto *background = new QLabel(this);
    const QPixmap picture(QStringLiteral(":/images/BackgroundMessage.png"));
    if (!picture.isNull() && !minimumSize().isEmpty())
        background->setPixmap(picture.scaled(minimumSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    background->setLayout(grid);

    setContentsMargins(0, 0, 0, 0);
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(background);

    new InputDialogGuard(this, [this] { m_cancelled = true; });
}

NumCalendar::~NumCalendar() = default;

void NumCalendar::setChampClavier(QString caption, QString date)
{
    m_caption->setText(caption);
    m_initialDate = date;
    const QDate day = QDate::fromString(date, kDateFormat);
    if (day.isValid())
        m_calendar->setSelectedDate(day);
}

QString NumCalendar::text()
{
    if (m_cancelled)
        return m_initialDate;
    return m_calendar->selectedDate().toString(kDateFormat);
}
