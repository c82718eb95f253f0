#include "AddBoxRules.h"

QString AddBoxRules::serialPattern() { return QStringLiteral("[0-9]{5}"); }

QString AddBoxRules::codePattern() { return QStringLiteral("[0-9A-F]{10}"); }

QString AddBoxRules::pairName(const QString &serial, const QString &code)
{
    return serial + QLatin1Char('_') + code;
}

QString AddBoxRules::validationName(const QString &serial, const QString &code)
{
    return QLatin1String("ZOVALIDATE_") + pairName(serial, code) + QLatin1String(".orvex");
}

bool AddBoxRules::pairListed(const QStringList &names, const QString &pair)
{
    for (const QString &name : names) {
        if (QString(name).remove(QStringLiteral(".orvex"), Qt::CaseSensitive) == pair)
            return true;
    }
    return false;
}

QStringList AddBoxRules::items(const QString &value)
{
    if (value.isEmpty() || value == QLatin1String("NULL"))
        return {};
    return value.split(QLatin1Char('|'));
}

AddBoxRules::LoginKeys AddBoxRules::addBox(const QString &playerList, const QString &playerListName,
                                           const QString &categoryList, const QString &categoryElements,
                                           const QString &category, const QString &serial)
{
    QStringList serials = items(playerList);
    QStringList names = items(playerListName);
    // Row i of the names belongs to box i: the list is made as long as the
    // box list first, or the new box would take another row's name.
    while (names.size() < serials.size())
        names << QString();
    names = names.mid(0, serials.size());
    serials << serial;
    names << serial;

    const QStringList categories = items(categoryList);
    QStringList rows = categoryElements == QLatin1String("NULL") ? QStringList() : categoryElements.split(QLatin1Char('|'));
    if (categoryElements.isEmpty() && categories.isEmpty())
        rows.clear();
    const int index = qMax(0, categories.indexOf(category));
    if (index < rows.size()) {
        const QString row = rows.at(index);
        rows[index] = row.isEmpty() || row == QLatin1String("NULL") ? serial : row + QLatin1Char(';') + serial;
    }
    return {serials.join(QLatin1Char('|')), names.join(QLatin1Char('|')), rows.join(QLatin1Char('|'))};
}

bool AddBoxRules::isSecretKey(const QString &key)
{
    return key.contains(QLatin1String("PASSWORD"), Qt::CaseInsensitive)
        || key.contains(QLatin1String("MOTDEPASSE"), Qt::CaseInsensitive);
}
