#include "PosterEntries.h"

namespace {

const QString kNull = QStringLiteral("NULL");

QStringList split(const QString &stored)
{
    if (stored == kNull)
        return QStringList();
    return stored.split(QLatin1Char('|'), Qt::KeepEmptyParts);
}

} // namespace

QStringList PosterEntries::padded(const QString &stored, int posterCount)
{
    QStringList list = split(stored);
    while (list.size() < posterCount)
        list.append(QString());
    return list;
}

QString PosterEntries::entry(const QString &stored, int index)
{
    const QStringList list = split(stored);
    return index >= 0 && index < list.size() ? list.at(index) : kNull;
}

bool PosterEntries::replaced(const QString &stored, int posterCount, int index, const QString &value, QString *out)
{
    QStringList list = padded(stored, posterCount);
    if (index < 0 || index >= list.size())
        return false;
    list[index] = value;
    *out = list.join(QLatin1Char('|'));
    return true;
}

int PosterEntries::count(const QString &slideTypes)
{
    return split(slideTypes).size();
}
