#include "TypedValue.h"

#include <QCoreApplication>

bool TypedValue::isStorable(const QString &text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('|') || c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return false;
    }
    return true;
}

QString TypedValue::refusal(const QString &field)
{
    return QCoreApplication::translate("TypedValue",
                                       "%1: les caractères | \" et les retours à la ligne ne sont pas acceptés.\n"
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
