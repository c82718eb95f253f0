#include "classTactile.h"

#include "PagePlaceholder.h"

#include <QVBoxLayout>

classTactile::classTactile(QWidget *parent)
    : QWidget(parent)
{
    m_body = new PagePlaceholder(tr("Tactile"),
                                 tr("Application web tactile affichée par l'écran et son délai de retour."), this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_body);
    connect(m_body, &PagePlaceholder::backRequested, this, [this] { emit signalButton(0); });
}

classTactile::~classTactile() = default;

void classTactile::slotResize(int width, int height, int rotation)
{
    m_body->slotResize(width, height, rotation);
}

void classTactile::slotUpdateWidget(int NumeroAffiche)
{
    m_poster = NumeroAffiche;
}
