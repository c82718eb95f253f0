#include "ScreenChoiceDelegate.h"

#include "ScreenChoiceModel.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Between the picture and the label, and left and right of the row.
constexpr int kSpacing = 4;
constexpr int kMargin = 7;

} // namespace

ScreenChoiceDelegate::ScreenChoiceDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
    const char *paths[4] = {":/images/dir2.png", ":/images/dirBlue.png", ":/images/All.png", ":/images/All-blue.png"};
    // Scaled once: thousands of rows share four pictures.
    for (int i = 0; i < 4; ++i) {
        const QPixmap picture(QLatin1String(paths[i]));
        if (!picture.isNull())
            m_pictures[i] = picture.scaled(kIndicator, kIndicator, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
}

QPixmap ScreenChoiceDelegate::picture(bool all, bool checked) const
{
    return m_pictures[(all ? 2 : 0) + (checked ? 1 : 0)];
}

void ScreenChoiceDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    painter->save();
    if (option.state & QStyle::State_MouseOver) {
        QLinearGradient hover(option.rect.topLeft(), option.rect.bottomLeft());
        hover.setColorAt(0, QColor(0x61, 0x61, 0x61));
        hover.setColorAt(0.5, QColor(0x50, 0x50, 0x50));
        hover.setColorAt(0.6, QColor(0x43, 0x43, 0x43));
        hover.setColorAt(1, QColor(0x65, 0x65, 0x65));
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(hover);
        painter->drawRoundedRect(option.rect, 3, 3);
    }
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    const QRect tick(option.rect.left() + kMargin, option.rect.top() + (option.rect.height() - kIndicator) / 2,
                     kIndicator, kIndicator);
    painter->drawPixmap(tick, picture(index.data(ScreenChoiceModel::AllRole).toBool(), checked));
    const QRect text = option.rect.adjusted(kMargin + kIndicator + kSpacing, 0, -kMargin, 0);
    painter->setFont(option.font);
    painter->setPen(Qt::white);
    const QString label = option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, text.width());
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, label);
    painter->restore();
}

QSize ScreenChoiceDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int textWidth = option.fontMetrics.horizontalAdvance(index.data().toString());
    return QSize(2 * kMargin + kIndicator + kSpacing + textWidth, qMax(kIndicator, option.fontMetrics.height()));
}

bool ScreenChoiceDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                                       const QModelIndex &index)
{
    if (!(index.flags() & Qt::ItemIsUserCheckable) || !(index.flags() & Qt::ItemIsEnabled))
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // The release ticks, as a check box's does; a double click ticks
        // twice, as it does on a check box.
        return static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton || !option.rect.contains(mouse->pos()))
            return false;
        break;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Select)
            return false;
        break;
    }
    default:
        return false;
    }
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}
