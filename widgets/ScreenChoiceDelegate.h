#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

// Draws a row of the box choice as the choice's check boxes look: a large
// folder picture (its own for "Tous"), ticked or not, then the label in
// white, on a grey gradient under the pointer. A click anywhere on the row,
// or Space on the current row, ticks or unticks it.
class ScreenChoiceDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit ScreenChoiceDelegate(QObject *parent = nullptr);

    // Side of the square tick picture.
    static constexpr int kIndicator = 75;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

private:
    QPixmap picture(bool all, bool checked) const;

    // Screens unticked and ticked, then "Tous" unticked and ticked.
    QPixmap m_pictures[4];
};
