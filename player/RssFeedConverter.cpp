#include "RssFeedConverter.h"

#include <QLocale>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>

namespace {

// Text of the current element, markup inside it included as text.
QString elementText(QXmlStreamReader &xml)
{
    return xml.readElementText(QXmlStreamReader::IncludeChildElements);
}

QStringList readItem(QXmlStreamReader &xml)
{
    QStringList item;
    for (int i = 0; i < RssFeedConverter::FieldCount; ++i)
        item.append(QString());
    while (xml.readNextStartElement()) {
        const QStringRef tag = xml.qualifiedName();
        if (tag == QLatin1String("title")) {
            item[RssFeedConverter::Title] = elementText(xml);
        } else if (tag == QLatin1String("description")) {
            item[RssFeedConverter::Description] = elementText(xml);
        } else if (tag == QLatin1String("pubDate")) {
            item[RssFeedConverter::PubDate] = elementText(xml);
        } else if (tag == QLatin1String("enclosure") || tag == QLatin1String("media:content")) {
            item[RssFeedConverter::Picture] = xml.attributes().value(QLatin1String("url")).toString();
            item[RssFeedConverter::Length] = xml.attributes().value(QLatin1String("length")).toString();
            xml.skipCurrentElement();
        } else {
            xml.skipCurrentElement();
        }
    }
    return item;
}

} // namespace

RssFeedConverter::Feed RssFeedConverter::read(const QByteArray &data, bool *ok)
{
    Feed feed;
    QXmlStreamReader xml(data);
    // Prefixes such as "media:" are read by name, declared or not.
    xml.setNamespaceProcessing(false);
    if (xml.readNextStartElement() && xml.qualifiedName() == QLatin1String("rss")) {
        while (xml.readNextStartElement()) {
            if (xml.qualifiedName() != QLatin1String("channel")) {
                xml.skipCurrentElement();
                continue;
            }
            while (xml.readNextStartElement()) {
                if (xml.qualifiedName() == QLatin1String("image")) {
                    while (xml.readNextStartElement()) {
                        if (xml.qualifiedName() == QLatin1String("url"))
                            feed.channelImage = elementText(xml);
                        else
                            xml.skipCurrentElement();
                    }
                } else if (xml.qualifiedName() == QLatin1String("item")) {
                    feed.items.append(readItem(xml));
                } else {
                    xml.skipCurrentElement();
                }
            }
        }
    }
    // Read to the end so that damage after the items is found too.
    while (!xml.atEnd())
        xml.readNext();
    const bool wellFormed = !xml.hasError() || xml.error() == QXmlStreamReader::NoError;
    if (ok)
        *ok = wellFormed;
    if (!wellFormed)
        return Feed();
    return feed;
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
    return QDateTime::fromString(trimmed, Qt::RFC2822Date);
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
    const QString name = address.section(QLatin1Char('/'), -1).left(60);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || name.endsWith(QLatin1String(".tmp"), Qt::CaseInsensitive)
        || name.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive))
        return QString();
    return name;
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
