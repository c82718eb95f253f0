#include "ClassMedia.h"

#include "PagePlaceholder.h"

#include <QTimer>
#include <QVBoxLayout>

ClassMedia::ClassMedia(QWidget *parent)
    : QWidget(parent)
{
    m_body = new PagePlaceholder(tr("Médiathèque"), tr("Images, vidéos et textes du compte, dans la limite de son "
                                                       "espace de stockage."),
                                 this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_body);
    connect(m_body, &PagePlaceholder::backRequested, this, [this] { emit signalButton(0); });
}

ClassMedia::~ClassMedia() = default;

void ClassMedia::slotResize(int width, int height, int rotation)
{
    m_body->slotResize(width, height, rotation);
}

void ClassMedia::slotUpdateMediaFile()
{
    // The login waits for the answer; give it from the event loop as a real
    // refresh would.
    QTimer::singleShot(0, this, [this] { emit signalUpdateMediaFinish(); });
}

void ClassMedia::slotUpdateMediaSize(int size)
{
    m_mediaSize = size;
}

void ClassMedia::slotUserLogin(QString User, QString Type)
{
    m_userName = User;
    m_userType = Type;
}

void ClassMedia::slotFirstFileSize()
{
}

void ClassMedia::SlotSupprimerFichierParamMedia(QString CheminMedia)
{
    Q_UNUSED(CheminMedia)
}

void ClassMedia::slotNewImageTexte(QString oldName, QString Name)
{
    Q_UNUSED(oldName)
    Q_UNUSED(Name)
}

void ClassMedia::slotSuppImageTexte(QString Name)
{
    Q_UNUSED(Name)
}
