#include "RssFeedConverter.h"

#include "RssFeedReader.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamWriter>

#include <algorithm>

namespace {

// The zone names of RFC 822 as offsets in minutes; the military letters
// other than "Z" carry no reliable sign and read as UTC. CET and CEST are
// common enough in French feeds to be read too.
int namedZoneMinutes(const QString &zone, bool *known)
{
    static const QHash<QString, int> zones = {
        {QStringLiteral("UT"), 0},          {QStringLiteral("UTC"), 0},         {QStringLiteral("GMT"), 0},
        {QStringLiteral("Z"), 0},           {QStringLiteral("EST"), -5 * 60},   {QStringLiteral("EDT"), -4 * 60},
        {QStringLiteral("CST"), -6 * 60},   {QStringLiteral("CDT"), -5 * 60},   {QStringLiteral("MST"), -7 * 60},
        {QStringLiteral("MDT"), -6 * 60},   {QStringLiteral("PST"), -8 * 60},   {QStringLiteral("PDT"), -7 * 60},
        {QStringLiteral("CET"), 60},        {QStringLiteral("CEST"), 2 * 60},
    };
    const QString upper = zone.toUpper();
    *known = true;
    if (zones.contains(upper))
        return zones.value(upper);
    if (upper.size() == 1 && upper != QLatin1String("J"))
        return 0;
    *known = false;
    return 0;
}

// "... 08:00:00 EST" as "... 08:00:00 -0500", which the RFC 2822 reader
// takes; it would ignore the name and read the time as UTC.
QString withNumericZone(const QString &text)
{
    static const QRegularExpression named(QStringLiteral("\\s([A-Za-z]{1,4})$"));
    const QRegularExpressionMatch match = named.match(text);
    if (!match.hasMatch())
        return text;
    bool known = false;
    const int minutes = namedZoneMinutes(match.captured(1), &known);
    if (!known)
        return text;
    const int offset = qAbs(minutes);
    return text.left(match.capturedStart(0)) + QStringLiteral(" %1%2%3")
                                                   .arg(minutes < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                                                   .arg(offset / 60, 2, 10, QLatin1Char('0'))
                                                   .arg(offset % 60, 2, 10, QLatin1Char('0'));
}

const QStringList PictureSuffixes = {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                     QStringLiteral("gif"), QStringLiteral("bmp"), QStringLiteral("webp")};

QString localFileName(const QString &address)
{
    if (address.isEmpty())
        return QString();
    const QUrl url(address);
    return url.isLocalFile() ? QFileInfo(url.toLocalFile()).fileName() : QString();
}

} // namespace

RssFeedConverter::Feed RssFeedConverter::read(const QByteArray &data, bool *ok)
{
    RssFeedReader reader(data);
    reader.readSlice();
    if (ok)
        *ok = reader.wellFormed();
    return reader.feed();
}

QDateTime RssFeedConverter::itemDate(const QString &pubDate)
{
    const QString trimmed = pubDate.trimmed();
    if (trimmed.isEmpty())
        return QDateTime();
    QString text = trimmed;
    const bool paris = text.contains(QLatin1String(" +0100"));
    text.remove(QStringLiteral(" +0100"));
    QDateTime date = QLocale(QLocale::English).toDateTime(text, QStringLiteral("ddd, dd MMM yyyy hh:mm:ss"));
    if (date.isValid()) {
        date.setOffsetFromUtc(paris ? 3600 : 0);
        return date;
    }
    return QDateTime::fromString(withNumericZone(trimmed), Qt::RFC2822Date);
}

QList<QStringList> RssFeedConverter::newest(const QList<QStringList> &items, int count)
{
    struct Keyed
    {
        qint64 key;
        bool dated;
        int position;
    };
    QVector<Keyed> keyed;
    keyed.reserve(items.size());
    for (int i = 0; i < items.size(); ++i) {
        const QDateTime date = itemDate(items.at(i).value(PubDate));
        keyed.append({date.isValid() ? date.toMSecsSinceEpoch() : 0, date.isValid(), i});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        if (a.dated != b.dated)
            return !a.dated;
        return a.dated && a.key < b.key;
    });
    QList<QStringList> result;
    for (int i = qMax(0, keyed.size() - count); i < keyed.size(); ++i)
        result.append(items.at(keyed.at(i).position));
    return result;
}

QString RssFeedConverter::pictureFileName(const QString &address)
{
    // Feeds of different sites often publish the same name ("photo.jpg"):
    // the copy is named after the whole address.
    const QString last = address.section(QLatin1Char('/'), -1);
    const QUrl url(address);
    if (!url.hasQuery() && !url.hasFragment()
        && (last.isEmpty() || last == QLatin1String(".") || last == QLatin1String("..")))
        return QString();
    const QString suffix = QFileInfo(url.path()).suffix().toLower();
    return QString::fromLatin1(QCryptographicHash::hash(address.toUtf8(), QCryptographicHash::Md5).toHex().toUpper())
           + (PictureSuffixes.contains(suffix) ? QLatin1Char('.') + suffix : QString());
}

QStringList RssFeedConverter::localPictures(const QByteArray &convertedFeed)
{
    const Feed feed = read(convertedFeed);
    QStringList names;
    const QString channel = localFileName(feed.channelImage);
    if (!channel.isEmpty())
        names.append(channel);
    for (const QStringList &item : feed.items) {
        const QString name = localFileName(item.value(Picture));
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

QByteArray RssFeedConverter::write(const QString &channelImage, const QList<QStringList> &items)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    xml.writeStartElement(QStringLiteral("rss"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.0"));
    xml.writeStartElement(QStringLiteral("channel"));
    xml.writeStartElement(QStringLiteral("image"));
    xml.writeTextElement(QStringLiteral("url"), channelImage);
    xml.writeEndElement();
    for (const QStringList &item : items) {
        xml.writeStartElement(QStringLiteral("item"));
        xml.writeTextElement(QStringLiteral("title"), item.value(Title));
        xml.writeTextElement(QStringLiteral("description"), item.value(Description));
        xml.writeTextElement(QStringLiteral("pubDate"), item.value(PubDate));
        xml.writeEmptyElement(QStringLiteral("enclosure"));
        xml.writeAttribute(QStringLiteral("url"), item.value(Picture));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    // Auto-formatting starts a document without a declaration with a newline.
    if (out.startsWith('\n'))
        out.remove(0, 1);
    return out;
}
