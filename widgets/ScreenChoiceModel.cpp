#include "ScreenChoiceModel.h"

ScreenChoiceModel::ScreenChoiceModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

void ScreenChoiceModel::setScreens(QVector<Screen> screens)
{
    beginResetModel();
    m_screens = std::move(screens);
    m_all = false;
    m_checked = 0;
    for (const Screen &screen : qAsConst(m_screens))
        m_checked += screen.checked ? 1 : 0;
    endResetModel();
    emit checksChanged();
}

void ScreenChoiceModel::setAllChecked(bool checked)
{
    if (m_screens.isEmpty())
        return;
    m_all = checked;
    for (Screen &screen : m_screens)
        screen.checked = checked;
    m_checked = checked ? m_screens.size() : 0;
    // One change for every row: the view repaints what it shows.
    emit dataChanged(index(0), index(m_screens.size()), {Qt::CheckStateRole});
    emit checksChanged();
}

QStringList ScreenChoiceModel::checkedSerials() const
{
    QStringList serials;
    serials.reserve(m_checked);
    for (const Screen &screen : m_screens) {
        if (screen.checked)
            serials.append(screen.serial);
    }
    return serials;
}

int ScreenChoiceModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || m_screens.isEmpty() ? 0 : m_screens.size() + 1;
}

QVariant ScreenChoiceModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() > m_screens.size())
        return QVariant();
    const bool all = index.row() == 0;
    switch (role) {
    case Qt::DisplayRole:
        return all ? tr("Tous") : m_screens.at(index.row() - 1).label;
    case Qt::CheckStateRole:
        return (all ? m_all : m_screens.at(index.row() - 1).checked) ? Qt::Checked : Qt::Unchecked;
    case SerialRole:
        return all ? QString() : m_screens.at(index.row() - 1).serial;
    case AllRole:
        return all;
    default:
        return QVariant();
    }
}

bool ScreenChoiceModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || index.row() > m_screens.size())
        return false;
    const bool checked = value.toInt() == Qt::Checked;
    if (index.row() == 0) {
        // "Tous" sets every screen; unticking one screen leaves it alone.
        if (checked != m_all)
            setAllChecked(checked);
        return true;
    }
    Screen &screen = m_screens[index.row() - 1];
    if (screen.checked == checked)
        return true;
    screen.checked = checked;
    m_checked += checked ? 1 : -1;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit checksChanged();
    return true;
}

Qt::ItemFlags ScreenChoiceModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsUserCheckable;
}
