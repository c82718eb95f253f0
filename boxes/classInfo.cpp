#include "classInfo.h"

#include "PagePlaceholder.h"

#include <QVBoxLayout>

classInfo::classInfo(QWidget *parent)
    : QWidget(parent)
{
    m_body = new PagePlaceholder(tr("Informations"),
                                 tr("Fiche de l'écran choisi: fabrication, propriétaire et emplacement."), this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_body);
    connect(m_body, &PagePlaceholder::backRequested, this, [this] { emit signalButton(0); });
}

classInfo::~classInfo() = default;

void classInfo::slotResize(int width, int height, int rotation)
{
    m_body->slotResize(width, height, rotation);
}

void classInfo::AfficheINFO()
{
}
