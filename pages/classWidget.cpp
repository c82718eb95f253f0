#include "classWidget.h"

#include "PagePlaceholder.h"

#include <QVBoxLayout>

classWidget::classWidget(QWidget *parent)
    : QWidget(parent)
{
    m_body = new PagePlaceholder(tr("Affiches spéciales"),
                                 tr("Météo, flux RSS, horloge, compteur de likes ou page web à la place "
                                    "d'une image."),
                                 this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_body);
    connect(m_body, &PagePlaceholder::backRequested, this, [this] { emit signalButton(0); });
}

classWidget::~classWidget() = default;

void classWidget::slotResize(int width, int height, int rotation)
{
    m_body->slotResize(width, height, rotation);
}

void classWidget::slotUpdateWidget(int poster)
{
    m_poster = poster;
}
