#include "classCalendar.h"

#include "PagePlaceholder.h"

#include <QVBoxLayout>

classCalendar::classCalendar(QWidget *parent)
    : QWidget(parent)
{
    m_body = new PagePlaceholder(tr("Date/Heure"),
                                 tr("Dates, heures et jours de la semaine où l'affiche est diffusée."), this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_body);
    connect(m_body, &PagePlaceholder::backRequested, this, [this] { emit signalButton(0); });
}

classCalendar::~classCalendar() = default;

void classCalendar::slotResize(int width, int height, int rotation)
{
    m_body->slotResize(width, height, rotation);
}

void classCalendar::slotCalendarIndice(int poster)
{
    m_poster = poster;
}
