#include "classPower.h"

#include "PagePlaceholder.h"

#include <QVBoxLayout>

classPower::classPower(QWidget *parent)
    : QWidget(parent)
{
    m_body = new PagePlaceholder(tr("Alimentation"),
                                 tr("Heures d'allumage et d'extinction de l'écran."), this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_body);
    connect(m_body, &PagePlaceholder::backRequested, this, [this] { emit signalButton(0); });
}

classPower::~classPower() = default;

void classPower::slotResize(int width, int height, int rotation)
{
    m_body->slotResize(width, height, rotation);
}

void classPower::slotCalendarIndice(int indice)
{
    m_poster = indice;
}
