#include "classReseaux.h"

#include "PagePlaceholder.h"

#include <QVBoxLayout>

classReseaux::classReseaux(QWidget *parent)
    : QWidget(parent)
{
    m_body = new PagePlaceholder(tr("Réseaux"),
                                 tr("Publication de l'affiche sur un site web ou un réseau social."), this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_body);
    connect(m_body, &PagePlaceholder::backRequested, this, [this] { emit signalButton(0); });
}

classReseaux::~classReseaux() = default;

void classReseaux::slotResize(int width, int height, int rotation)
{
    m_body->slotResize(width, height, rotation);
}

void classReseaux::slotUpdateReseaux(QString NomDuCompte, QString Dossier)
{
    m_account = NomDuCompte;
    m_folder = Dossier;
}

void classReseaux::slotUpdateHDImage(int index)
{
    Q_UNUSED(index)
    // No share picture to compose yet; tell the deployment it may go on.
    emit signalSavePictureTermine();
}
