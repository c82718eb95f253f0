#pragma once

#include <QString>
#include <QStringList>

// Operations on the ";" items of one row of a login-file list. Pure: the
// list comes in by value and the edited copy is returned. Items are always
// compared whole ("S1" is not in "S10").
class RowItems
{
public:
    // The items of `row`; none for a row outside the list.
    static QStringList selectQStringList(const QStringList &list, int row);
    // Appends `item` to the row unless it is there already; a row just past
    // the end is added. An empty item or a negative row changes nothing.
    static QStringList addQStringList(QStringList list, int row, const QString &item);
    // Removes the first item equal to `item`.
    static QStringList RemoveQStringList(QStringList list, int row, const QString &item);
    // The row becomes its items containing `keep` (none for an empty
    // `keep`), then `items`; a row past the end is added.
    static QStringList ReplaceQStringList(QStringList list, int row, const QStringList &items, const QString &keep);

    // In every row, the items equal to `name` renamed, or dropped.
    static QStringList renameEverywhere(QStringList list, const QString &name, const QString &newName);
    static QStringList removeEverywhere(QStringList list, const QString &name);
};
