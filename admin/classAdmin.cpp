#include "classAdmin.h"

#include "PagePlaceholder.h"

#include <QVBoxLayout>

classAdmin::classAdmin(QWidget *parent)
    : QWidget(parent)
{
    m_body = new PagePlaceholder(tr("Administration"),
                                 tr("Utilisateurs, mots de passe et droits, catégories, playlists et écrans "
                                    "du compte."),
                                 this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_body);
    connect(m_body, &PagePlaceholder::backRequested, this, [this] { emit signalButton(0); });
}

classAdmin::~classAdmin() = default;

void classAdmin::slotResize(int width, int height, int rotation)
{
    m_body->slotResize(width, height, rotation);
}

void classAdmin::slotUpdateAdmin(QListWidget *ListDir)
{
    Q_UNUSED(ListDir)
}
