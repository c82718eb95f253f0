#pragma once

#include <QString>
#include <QStringList>

// Entry rules and login-file edits of the add-a-box procedure, free of widgets.
class AddBoxRules
{
public:
    static constexpr int SerialLength = 5;
    static constexpr int CodeLength = 10;

    // Patterns of the serial and code fields (case-sensitive).
    static QString serialPattern();
    static QString codePattern();

    // S + "_" + C, and the validation file "ZOVALIDATE_" + S + "_" + C + ".orvex".
    static QString pairName(const QString &serial, const QString &code);
    static QString validationName(const QString &serial, const QString &code);

    // Whether a production listing holds the pair (".orvex" removed, exact).
    static bool pairListed(const QStringList &names, const QString &pair);

    // A list value split on "|"; the placeholders "" and "NULL" read as no item.
    static QStringList items(const QString &value);

    struct LoginKeys {
        QString playerList;
        QString playerListName;
        QString categoryElements;
    };
    // The three login-file values once `serial` joins the account: box
    // list, names (padded or cut to the box list first) and the row of `category`
    // (the first row when the category is unknown; none when it has no row).
    static LoginKeys addBox(const QString &playerList, const QString &playerListName, const QString &categoryList,
                            const QString &categoryElements, const QString &category, const QString &serial);

    // Keys of the account connection file blanked in the validation copy.
    static bool isSecretKey(const QString &key);
};
