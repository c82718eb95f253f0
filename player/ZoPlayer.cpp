#include "ZoPlayer.h"

#include "PagePlaceholder.h"

#include <QVBoxLayout>

ZoPlayer::ZoPlayer(QWidget *parent)
    : QWidget(parent)
{
    m_body = new PagePlaceholder(tr("Visualiser"), tr("Aperçu de l'écran choisi, zone par zone."), this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_body);
    connect(m_body, &PagePlaceholder::backRequested, this, [this] { emit signalButton(0); });
}

ZoPlayer::~ZoPlayer() = default;

void ZoPlayer::UpdateZoPlayer()
{
}

void ZoPlayer::slotResize(int width, int height, int rotation)
{
    m_body->slotResize(width, height, rotation);
}
