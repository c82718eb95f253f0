#include "BoxStatus.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("classPrincipal", text);
}

QString icon(const char *name)
{
    return QStringLiteral(":/images/Status/") + QLatin1String(name) + QStringLiteral(".png");
}

// JSON null reads "null" like the quoted text the boxes usually send.
QString fieldText(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        return QStringLiteral("null");
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Double:
        return QString::number(value.toDouble(), 'g', 15);
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    default:
        return QString();
    }
}

} // namespace

QString BoxStatus::lastSeenFormat()
{
    return QStringLiteral("yyyy-MM-dd | hh:mm:ss");
}

QStringList BoxStatus::parseReply(const QByteArray &reply, bool *ok)
{
    if (ok)
        *ok = true;
    if (reply.trimmed().isEmpty())
        return {};

    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(reply, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        // A notice before the object or text after it: the character
        // transform still reads the entries.
        const QStringList entries = transformReply(QString::fromUtf8(reply));
        if (ok)
            *ok = !entries.isEmpty();
        return entries;
    }

    QStringList entries;
    const QJsonObject boxes = doc.object();
    for (auto it = boxes.constBegin(); it != boxes.constEnd(); ++it) {
        QStringList fields{it.key()};
        if (it.value().isArray()) {
            const QJsonArray values = it.value().toArray();
            for (const QJsonValue &v : values)
                fields << fieldText(v);
        } else {
            fields << fieldText(it.value());
        }
        entries << fields.join(QLatin1Char(';'));
    }
    return entries;
}

QStringList BoxStatus::transformReply(const QString &reply)
{
    // Only the object is read: a notice before it or text after it goes.
    const int open = reply.indexOf(QLatin1Char('{'));
    const int close = reply.lastIndexOf(QLatin1Char('}'));
    if (open < 0 || close < open)
        return {};
    QString text = reply.mid(open, close - open + 1);
    text.remove(QLatin1Char('"')).remove(QLatin1Char('{')).remove(QLatin1Char('}'));
    QStringList entries;
    for (QString part : text.split(QLatin1Char(']'))) {
        if (part.startsWith(QLatin1Char(',')))
            part.remove(0, 1);
        part.replace(QLatin1String(":["), QLatin1String(";")).replace(QLatin1Char(','), QLatin1Char(';'));
        // Each entry is a serial and its values.
        if (part.trimmed().isEmpty() || !part.contains(QLatin1Char(';')))
            continue;
        entries << part;
    }
    return entries;
}

QString BoxStatus::entryFor(const QStringList &entries, const QString &serial)
{
    for (const QString &entry : entries) {
        if (entry.section(QLatin1Char(';'), 0, 0) == serial)
            return entry;
    }
    return QString();
}

QHash<QString, QString> BoxStatus::entriesBySerial(const QStringList &entries)
{
    QHash<QString, QString> bySerial;
    bySerial.reserve(entries.size());
    for (const QString &entry : entries) {
        const QString serial = entry.section(QLatin1Char(';'), 0, 0);
        if (!bySerial.contains(serial))
            bySerial.insert(serial, entry);
    }
    return bySerial;
}

BoxStatus::Indicators BoxStatus::indicators(const QString &entry, const QDateTime &now)
{
    Indicators out;
    if (entry.isEmpty())
        return out;
    out.shown = true;
    out.connection.caption = tr("Connecté");
    out.screen.caption = tr("Ecran allumé");
    out.update.caption = tr("Mise à jour OK");

    const QStringList fields = entry.split(QLatin1Char(';'));
    if (fields.size() != 4)
        return out;
    const QString &lastSeen = fields.at(1);
    const QString &screen = fields.at(2);
    const QString &update = fields.at(3);
    const QLatin1String null("null");

    if (lastSeen == null) {
        out.connection = {icon("BoxConnexionNULL"), QString()};
        out.screen = {icon("BoxEcranNULL"), QString()};
    } else {
        const QDateTime last = QDateTime::fromString(lastSeen, lastSeenFormat());
        if (last.isValid() && now < last.addSecs(OnlineSeconds)) {
            out.connection = {icon("BoxConnexionON"), tr("Connecté")};
            if (screen == null)
                out.screen = {icon("BoxEcranNULL"), QString()};
            else if (screen == QLatin1String("0"))
                out.screen = {icon("BoxEcranON"), tr("Ecran allumé")};
            else
                out.screen = {icon("BoxEcranOFF"), tr("Ecran éteint")};
        } else {
            // An unreadable date is shown as not connected, without a date.
            const QString when = last.isValid() ? last.toString(QStringLiteral("dd/MM/yyyy à hh:mm:ss")) : QString();
            out.connection = {icon("BoxConnexionOFF"), when};
            out.screen = {icon("BoxEcranNULL"), QString()};
        }
    }

    if (update == null)
        out.update = {icon("BoxMiseAJourNULL"), QString()};
    else if (update == QLatin1String("0"))
        out.update = {icon("BoxMiseAJourON"), tr("Visuels à jour")};
    else
        out.update = {icon("BoxMiseAJourOFF"), tr("Visuels non à jour")};
    return out;
}
