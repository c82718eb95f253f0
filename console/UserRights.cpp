#include "UserRights.h"

#include <QStringList>

namespace {

// A limit that is not a whole number, or is negative, grants nothing.
int limitOf(const QString &field)
{
    bool ok = false;
    const int value = field.toInt(&ok, 10);
    return ok && value > 0 ? value : 0;
}

} // namespace

UserRights UserRights::fromRow(const QString &row, bool localMode, const QString &productType)
{
    UserRights rights;
    const QStringList fields = row.split(QLatin1Char(';'));
    const QString flags = fields.at(0);

    const int count = qMin(flags.size(), int(ButtonCount));
    for (int i = 0; i < count; ++i) {
        if (flags.at(i) != QLatin1Char('1'))
            continue;
        if (localMode) {
            // Publishing and widget posters need the server.
            rights.m_visible[i] = i != Reseaux && i != Speciales;
        } else {
            rights.m_showTactile = true;
            rights.m_visible[i] = !(i == Editer && productType == QLatin1String("android"));
        }
    }

    if (fields.size() >= 2) {
        rights.m_hasMaxDisplayTime = true;
        rights.m_maxDisplayTime = limitOf(fields.at(1));
    }
    if (fields.size() >= 3) {
        rights.m_hasMaxPosters = true;
        rights.m_maxPosters = limitOf(fields.at(2));
    }
    return rights;
}
