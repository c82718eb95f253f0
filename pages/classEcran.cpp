#include "classEcran.h"

#include "PagePlaceholder.h"

#include <QVBoxLayout>

classEcran::classEcran(QWidget *parent)
    : QWidget(parent)
{
    m_body = new PagePlaceholder(tr("Orientation"),
                                 tr("Orientation de l'écran, résolution et découpage en zones."), this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_body);
    connect(m_body, &PagePlaceholder::backRequested, this, [this] { emit signalButton(0); });
}

classEcran::~classEcran() = default;

void classEcran::slotResize(int width, int height, int rotation)
{
    m_body->slotResize(width, height, rotation);
}

void classEcran::slotUpdateInfoEcran(int AfficheNumero)
{
    m_poster = AfficheNumero;
}
