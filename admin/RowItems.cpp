#include "RowItems.h"

namespace {

const QLatin1Char kSep(';');

bool exists(const QStringList &list, int row)
{
    return row >= 0 && row < list.size();
}

} // namespace

QStringList RowItems::selectQStringList(const QStringList &list, int row)
{
    return exists(list, row) ? list.at(row).split(kSep) : QStringList();
}

QStringList RowItems::addQStringList(QStringList list, int row, const QString &item)
{
    if (item.isEmpty() || row < 0)
        return list;
    if (!exists(list, row)) {
        list.append(item);
        return list;
    }
    QStringList items = list.at(row).split(kSep);
    // An empty row must not leave a leading ";".
    if (items.first().isEmpty())
        items.removeFirst();
    if (!items.contains(item))
        items.append(item);
    list[row] = items.join(kSep);
    return list;
}

QStringList RowItems::RemoveQStringList(QStringList list, int row, const QString &item)
{
    if (!exists(list, row))
        return list;
    QStringList items = list.at(row).split(kSep);
    items.removeOne(item);
    list[row] = items.join(kSep);
    return list;
}

QStringList RowItems::ReplaceQStringList(QStringList list, int row, const QStringList &items, const QString &keep)
{
    if (row < 0)
        return list;
    if (!exists(list, row)) {
        list.append(items.join(kSep));
        return list;
    }
    QStringList result;
    if (!keep.isEmpty()) {
        for (const QString &item : list.at(row).split(kSep)) {
            if (item.contains(keep))
                result.append(item);
        }
    }
    list[row] = (result + items).join(kSep);
    return list;
}

QStringList RowItems::renameEverywhere(QStringList list, const QString &name, const QString &newName)
{
    for (QString &row : list) {
        QStringList items = row.split(kSep);
        for (QString &item : items) {
            if (item == name)
                item = newName;
        }
        row = items.join(kSep);
    }
    return list;
}

QStringList RowItems::removeEverywhere(QStringList list, const QString &name)
{
    for (QString &row : list) {
        QStringList items = row.split(kSep);
        items.removeAll(name);
        row = items.join(kSep);
    }
    return list;
}
