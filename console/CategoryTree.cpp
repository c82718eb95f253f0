#include "CategoryTree.h"

#include "ClassParam.h"

CategoryTree CategoryTree::fromEntries(const QStringList &entries)
{
    CategoryTree tree;
    for (const QString &entry : entries) {
        if (entry.contains(QLatin1String("PLAYLIST-"))) {
            tree.m_playlists << entry;
            continue;
        }
        const QString group = groupOf(entry);
        if (!group.isEmpty() && !tree.m_groups.contains(group))
            tree.m_groups << group;
        tree.m_categories << entry;
    }
    return tree;
}

QString CategoryTree::groupOf(const QString &entry)
{
    const int open = entry.indexOf(QLatin1Char('['));
    if (open < 0)
        return QString();
    const int close = entry.indexOf(QLatin1Char(']'), open + 1);
    if (close < 0)
        return QString();
    return entry.mid(open + 1, close - open - 1);
}

QList<CategoryTree::Screen> CategoryTree::screensOf(const QString &category, ClassParam &loginFile)
{
    const QStringList categories = loginFile.getInfoBalise(QStringLiteral("CATEGORYLIST")).split(QLatin1Char('|'));
    const QStringList elements = loginFile.getInfoBalise(QStringLiteral("CATEGORYELEMENTS")).split(QLatin1Char('|'));
    const QStringList serials = loginFile.getInfoBalise(QStringLiteral("PLAYERLIST")).split(QLatin1Char('|'));
    const QStringList names = loginFile.getInfoBalise(QStringLiteral("PLAYERLISTNAME")).split(QLatin1Char('|'));

    QList<Screen> screens;
    const int k = categories.indexOf(category);
    if (k < 0 || k >= elements.size())
        return screens;
    for (const QString &serial : elements.at(k).split(QLatin1Char(';'))) {
        if (serial.isEmpty())
            continue;
        const int j = serials.indexOf(serial);
        const QString name = j >= 0 && j < names.size() && !names.at(j).isEmpty() ? names.at(j) : serial;
        screens << Screen{serial, name};
    }
    return screens;
}
