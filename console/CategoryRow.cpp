#include "CategoryRow.h"

QString CategoryRow::playlistCategory()
{
    return QStringLiteral("PLAYLIST");
}

bool CategoryRow::isPlaylist(const QString &entry)
{
    return entry.contains(QLatin1String("PLAYLIST-"));
}

QString CategoryRow::groupOf(const QString &entry, bool *isGrouped)
{
    const int open = entry.indexOf(QLatin1Char('['));
    const int close = open < 0 ? -1 : entry.indexOf(QLatin1Char(']'), open + 1);
    if (isGrouped)
        *isGrouped = close >= 0;
    if (close < 0)
        return QString();
    return entry.mid(open + 1, close - open - 1);
}

CategoryRow CategoryRow::fromEntries(const QStringList &entries)
{
    CategoryRow row;
    for (const QString &entry : entries) {
        if (isPlaylist(entry)) {
            row.m_playlists << entry;
            continue;
        }
        // A stray ';' in the row would otherwise show a nameless category
        // that selects nothing.
        if (entry.isEmpty())
            continue;
        bool grouped = false;
        const QString group = groupOf(entry, &grouped);
        if (grouped) {
            row.m_groupMode = true;
            if (!row.m_groups.contains(group))
                row.m_groups << group;
        }
        if (entry.size() > 20)
            row.m_lastLongLength = entry.size();
        row.m_categories << entry;
    }
    return row;
}

QStringList CategoryRow::groupListEntries() const
{
    QStringList list = m_categories;
    if (hasPlaylists())
        list << playlistCategory();
    return list;
}

QString CategoryRow::memberEntry(const QString &group, const QString &member)
{
    return QLatin1Char('[') + group + QLatin1Char(']') + member;
}

QStringList CategoryRow::membersOf(const QStringList &categories, const QString &group)
{
    const QString prefix = memberEntry(group, QString());
    QStringList members;
    for (const QString &entry : categories) {
        if (entry.startsWith(prefix))
            members << entry.mid(prefix.size());
    }
    return members;
}

int CategoryRow::listPointSize(int panelHeight, float fontRatio) const
{
    if (m_lastLongLength == 0)
        return -1;
    const int divisor = m_lastLongLength <= 30 ? 80 : 100;
    return int(float(panelHeight / divisor) * fontRatio);
}
