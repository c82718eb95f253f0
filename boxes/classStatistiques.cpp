#include "classStatistiques.h"

#include "PagePlaceholder.h"

#include <QVBoxLayout>

classStatistiques::classStatistiques(QWidget *parent)
    : QWidget(parent)
{
    m_body = new PagePlaceholder(tr("Statistiques"), tr("État de l'écran choisi et commandes à distance."), this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_body);
    connect(m_body, &PagePlaceholder::backRequested, this, [this] { emit signalButton(0); });
}

classStatistiques::~classStatistiques() = default;

void classStatistiques::slotResize(int width, int height, int rotation)
{
    m_body->slotResize(width, height, rotation);
}

void classStatistiques::slotStatusEstAJour()
{
}
