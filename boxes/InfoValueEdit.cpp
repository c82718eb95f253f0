#include "InfoValueEdit.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// QLineEdit keeps this much room between its contents rectangle and its text.
const int TextMargin = 2;

} // namespace

InfoValueEdit::InfoValueEdit(QWidget *parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &InfoValueEdit::updateTip);
}

QRect InfoValueEdit::textArea() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    return contents.marginsRemoved(textMargins()).adjusted(TextMargin, 0, -TextMargin, 0);
}

QString InfoValueEdit::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, qMax(0, textArea().width()));
}

void InfoValueEdit::updateTip()
{
    const QString whole = text();
    setToolTip(shownText() == whole ? QString() : whole);
}

void InfoValueEdit::paintEvent(QPaintEvent *event)
{
    const QString shown = shownText();
    if (hasFocus() || shown == text() || echoMode() != Normal) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(textArea(), int(QStyle::visualAlignment(layoutDirection(), alignment())), shown);
}

void InfoValueEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    updateTip();
}

void InfoValueEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateTip();
}
