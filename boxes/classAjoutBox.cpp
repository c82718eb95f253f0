#include "classAjoutBox.h"

#include "AppGlobals.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

classAjoutBox::classAjoutBox(QWidget *parent)
    : QWidget(parent)
{
    setStyleSheet(QStringLiteral("background-color:rgba(0,0,0,100%);"));

    m_title = new QLabel(tr("Ajouter un Ecran"));
    m_title->setAlignment(Qt::AlignCenter);
    m_text = new QLabel(tr("Le numéro de série et le code de l'écran se trouvent sur son étiquette."));
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);
    m_close = new QPushButton(QIcon(QStringLiteral(":/images/annuler.png")), QString());
    m_close->setIconSize(QSize(48, 48));
    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);

    m_frame = new QFrame;
    m_frame->setFrameShape(QFrame::StyledPanel);
    auto *frameLayout = new QVBoxLayout(m_frame);
    frameLayout->setContentsMargins(30, 20, 30, 20);
    frameLayout->setSpacing(15);
    frameLayout->addWidget(m_title);
    frameLayout->addWidget(m_text);
    frameLayout->addWidget(m_close, 0, Qt::AlignHCenter);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_frame, 0, 0, Qt::AlignCenter);
    hide();
}

classAjoutBox::~classAjoutBox() = default;

void classAjoutBox::slotResize(int width, int height, int rotation)
{
    Q_UNUSED(rotation)
    setGeometry(0, height / 3, width, height / 3);
    m_title->setFont(QFont(QStringLiteral("Avenir"), qMax(1, int(float(height / 50) * FontRatio)), 75));
    m_text->setFont(QFont(QStringLiteral("Avenir"), qMax(1, int(float(height / 70) * FontRatio)), 50));
}

void classAjoutBox::slotVisible()
{
    show();
    raise();
}

void classAjoutBox::slotListFichier(QStringList Fichiers)
{
    Q_UNUSED(Fichiers)
}

void classAjoutBox::slotPutFileFinish()
{
}

void classAjoutBox::slotMkdirFinish()
{
}

void classAjoutBox::slotGetFileFinish()
{
}

void classAjoutBox::slotPresenceBOX()
{
}

void classAjoutBox::slotSelectionCategory(QString current)
{
    m_category = current;
}
