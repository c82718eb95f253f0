#include "TextEditSimple.h"

#include "PagePlaceholder.h"

#include <QVBoxLayout>

TextEditSimple::TextEditSimple(QWidget *parent)
    : QWidget(parent)
{
    m_body = new PagePlaceholder(tr("Editeur de texte"),
                                 tr("Texte de l'affiche posé sur une image ou une vidéo de fond."), this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_body);
    connect(m_body, &PagePlaceholder::backRequested, this, [this] { emit signalButton(0); });
}

TextEditSimple::~TextEditSimple() = default;

void TextEditSimple::slotResize(int width, int height, int rotation)
{
    m_body->slotResize(width, height, rotation);
}

void TextEditSimple::slotGetString(QStringList ListInfoSlide)
{
    m_slide = ListInfoSlide;
}
