#include "InfoValueEdit.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// QLineEdit starts its text this far into its contents rectangle and clips
// it only at the rectangle's edge.
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
    return contents.marginsRemoved(textMargins());
}

QString InfoValueEdit::shownText() const
{
    const int width = textArea().width();
    const QFontMetrics metrics = fontMetrics();
    // What QLineEdit shows but for a pixel or two of its last letter stays.
    if (metrics.horizontalAdvance(text()) <= width)
        return text();
    return metrics.elidedText(text(), Qt::ElideRight, qMax(0, width - TextMargin));
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
    painter.drawText(textArea().adjusted(TextMargin, 0, 0, 0),
                     int(QStyle::visualAlignment(layoutDirection(), alignment())), shown);
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
