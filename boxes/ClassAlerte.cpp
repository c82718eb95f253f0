#include "ClassAlerte.h"

#include "PagePlaceholder.h"

#include <QVBoxLayout>

ClassAlerte::ClassAlerte(QWidget *parent)
    : QWidget(parent)
{
    m_body = new PagePlaceholder(tr("Alerte"), tr("Message et journaux de l'application envoyés au support."), this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_body);
    connect(m_body, &PagePlaceholder::backRequested, this, [this] { emit signalButton(0); });
}

ClassAlerte::~ClassAlerte() = default;

void ClassAlerte::slotResize(int width, int height, int rotation)
{
    m_body->slotResize(width, height, rotation);
}

void ClassAlerte::slotUpdateInfoAlerte()
{
}

void ClassAlerte::slotUserLogin(QString User, QString Type)
{
    m_userName = User;
    m_userType = Type;
}
