#include "TypedValue.h"

#include <QCoreApplication>

bool TypedValue::isStorable(const QString &text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('|') || c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return false;
        // The file is Latin-1 text: any other character would be stored as '?'.
        if (c.unicode() > 0xFF)
            return false;
    }
    return true;
}

QString TypedValue::refusal(const QString &field)
{
    return QCoreApplication::translate("TypedValue",
                                       "%1: les caractères | \", les retours à la ligne et les lettres hors "
                                       "de l'alphabet latin ne sont pas acceptés.\n"
                                       "La valeur n'a pas été modifiée.")
        .arg(field);
}

QString TypedValue::millisecondsOf(const QString &seconds)
{
    bool ok = false;
    const qlonglong s = seconds.trimmed().toLongLong(&ok);
    return QString::number(ok ? s * 1000 : 0);
}

QString TypedValue::secondsOf(const QString &milliseconds)
{
    bool ok = false;
    const qlonglong ms = milliseconds.trimmed().toLongLong(&ok);
    return QString::number(ok ? ms / 1000 : 0);
}
