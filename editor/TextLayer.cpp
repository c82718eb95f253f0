#include "TextLayer.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPainter>
#include <QTextCodec>
#include <QTextDocument>
#include <QTextEdit>

void TextLayer::paint(QImage &target, const QTextEdit *edit, const QWidget *frame, const QRect &source)
{
    if (target.isNull() || source.width() < 1 || source.height() < 1)
        return;
    const QWidget *viewport = edit->viewport();
    const QPoint origin = viewport->mapTo(frame, QPoint(0, 0));
    QPainter painter(&target);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    // Drawing the document itself at the target's scale keeps letters sharp
    // where a grab of the screen would be stretched.
    painter.scale(qreal(target.width()) / source.width(), qreal(target.height()) / source.height());
    painter.translate(-source.topLeft());
    painter.setClipRect(source);
    painter.translate(origin);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = edit->palette();
    context.palette.setColor(QPalette::Text, Qt::white);
    context.clip = QRectF(0, 0, viewport->width(), viewport->height());
    edit->document()->documentLayout()->draw(&painter, context);
}

bool TextLayer::load(QTextEdit *edit, const QString &path)
{
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    QTextCodec *codec = QTextCodec::codecForHtml(data, QTextCodec::codecForName("ISO 8859-1"));
    const QString str = codec->toUnicode(data);
    if (Qt::mightBeRichText(str))
        edit->setHtml(str);
    else
        edit->setPlainText(QString::fromLocal8Bit(data));
    return true;
}
