#include "BoxItemWidget.h"

#include "BoxStatus.h"

#include <QGridLayout>
#include <QHash>
#include <QLabel>
#include <QPixmap>

namespace {

// The few status pictures at the list's icon size, shared by every row: a
// copy scaled for each row of a thousand boxes holds megabytes.
QPixmap statusPicture(const QString &path, int side)
{
    static QHash<QPair<QString, int>, QPixmap> scaled;
    const QPair<QString, int> key(path, side);
    auto it = scaled.constFind(key);
    if (it == scaled.constEnd()) {
        if (scaled.size() > 64)
            scaled.clear();
        it = scaled.insert(key, QPixmap(path).scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    return it.value();
}

QGridLayout *grid()
{
    auto *layout = new QGridLayout;
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    return layout;
}

} // namespace

BoxItemWidget::BoxItemWidget(const QString &name, const QString &serial, const QString &status,
                             const QFont &nameFont, int iconSize, const QDateTime &now, QWidget *parent)
    : QWidget(parent)
{
    auto *outer = new QGridLayout(this);
    outer->setContentsMargins(2, 2, 2, 2);
    outer->setSpacing(2);
    QGridLayout *left = grid();
    QGridLayout *right = grid();

    m_name = new QLabel(name);
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setFont(nameFont);
    m_serial = new QLabel(serial.isEmpty() ? QString() : tr("Numéro de série N°") + serial);
    m_serial->setObjectName(QStringLiteral("serial"));
    QFont small = nameFont;
    if (nameFont.pointSize() > 0)
        small.setPointSize(qMax(1, nameFont.pointSize() * 2 / 3));
    m_serial->setFont(small);
    left->addWidget(m_name, 0, 0, Qt::AlignCenter);
    left->addWidget(m_serial, 1, 0, Qt::AlignHCenter | Qt::AlignTop);
    left->setRowStretch(0, 3);
    left->setRowStretch(1, 1);

    const BoxStatus::Indicators shown = BoxStatus::indicators(status, now);
    if (shown.shown) {
        const BoxStatus::Indicator columns[] = {shown.connection, shown.screen, shown.update};
        for (int c = 0; c < 3; ++c) {
            auto *icon = new QLabel;
            if (!columns[c].icon.isEmpty()) {
                icon->setPixmap(statusPicture(columns[c].icon, iconSize));
            }
            auto *caption = new QLabel(columns[c].caption);
            caption->setFont(small);
            right->addWidget(icon, 0, c, Qt::AlignCenter);
            right->addWidget(caption, 1, c, Qt::AlignHCenter | Qt::AlignTop);
            m_captions << caption;
            m_iconPaths << columns[c].icon;
        }
    }

    outer->addLayout(left, 0, 0);
    outer->addLayout(right, 0, 1);
}

QString BoxItemWidget::name() const
{
    return m_name->text();
}

QString BoxItemWidget::serialText() const
{
    return m_serial->text();
}

QStringList BoxItemWidget::captions() const
{
    QStringList out;
    for (const QLabel *label : m_captions)
        out << label->text();
    return out;
}
