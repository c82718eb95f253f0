#include "ScreenCatalog.h"

#include <QHash>

namespace {

const QLatin1String kNull("NULL");

} // namespace

ScreenCatalog::ScreenCatalog(const QList<QList<QString>> &table)
    : m_table(table)
{
}

QString ScreenCatalog::value(const QString &key) const
{
    if (m_table.size() < 2)
        return kNull;
    const int pos = m_table.at(0).indexOf(key);
    if (pos < 0 || pos >= m_table.at(1).size())
        return kNull;
    return m_table.at(1).at(pos);
}

// A missing key would split into one row "NULL" and name a box or a user.
QStringList ScreenCatalog::rows(const QString &key) const
{
    const QString text = value(key);
    if (text == kNull)
        return {};
    return text.split(QLatin1Char('|'));
}

bool ScreenCatalog::permissionEntries(const QString &user, QStringList *entries) const
{
    const int i = rows(QStringLiteral("USERLIST")).indexOf(user);
    const QStringList permissions = rows(QStringLiteral("PLAYPERMISSION"));
    if (i < 0 || i >= permissions.size() || permissions.at(i).isEmpty())
        return false;
    if (entries)
        *entries = permissions.at(i).split(QLatin1Char(';'));
    return true;
}

QString ScreenCatalog::nameOf(const QString &serial) const
{
    const int j = rows(QStringLiteral("PLAYERLIST")).indexOf(serial);
    const QStringList names = rows(QStringLiteral("PLAYERLISTNAME"));
    if (j >= 0 && j < names.size())
        return names.at(j);
    return serial;
}

QList<ScreenCatalog::Screen> ScreenCatalog::screensOf(const QString &category) const
{
    const int k = rows(QStringLiteral("CATEGORYLIST")).indexOf(category);
    const QStringList elements = rows(QStringLiteral("CATEGORYELEMENTS"));
    QList<Screen> screens;
    if (k < 0 || k >= elements.size())
        return screens;
    // The names are looked up once per box, not by a walk of every box.
    const QStringList players = rows(QStringLiteral("PLAYERLIST"));
    const QStringList names = rows(QStringLiteral("PLAYERLISTNAME"));
    QHash<QString, int> index;
    index.reserve(players.size());
    for (int j = players.size() - 1; j >= 0; --j)
        index.insert(players.at(j), j); // the first of two equal serials wins
    const QStringList serials = elements.at(k).split(QLatin1Char(';'));
    for (const QString &serial : serials) {
        if (serial.isEmpty())
            continue;
        const int j = index.value(serial, -1);
        screens.append({serial, j >= 0 && j < names.size() ? names.at(j) : serial});
    }
    return screens;
}

bool ScreenCatalog::renamed(const QString &serial, const QString &newName, QString *nameList) const
{
    const QStringList serials = rows(QStringLiteral("PLAYERLIST"));
    const int j = serial.isEmpty() ? -1 : serials.indexOf(serial);
    if (j < 0)
        return false;
    QStringList names = rows(QStringLiteral("PLAYERLISTNAME"));
    while (names.size() < serials.size())
        names << serials.at(names.size());
    names[j] = newName;
    if (nameList)
        *nameList = names.join(QLatin1Char('|'));
    return true;
}

bool ScreenCatalog::isStorableName(const QString &name)
{
    for (const QChar c : name) {
        // The file is Latin-1 text: anything beyond it would come back as '?'.
        if (c.unicode() > 0xFF || c == QLatin1Char('|') || c == QLatin1Char('"') || c == QLatin1Char('\r')
            || c == QLatin1Char('\n'))
            return false;
    }
    return true;
}
