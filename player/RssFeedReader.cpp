#include "RssFeedReader.h"

#include <QIODevice>

namespace {
const int CaptureImage = -2;
const int CaptureNone = -1;
} // namespace

RssFeedReader::RssFeedReader(QIODevice *device, int keepNewest)
    : m_xml(device)
    , m_keep(keepNewest)
{
    // Prefixes such as "media:" are read by name, declared or not.
    m_xml.setNamespaceProcessing(false);
}

RssFeedReader::RssFeedReader(const QByteArray &data, int keepNewest)
    : m_xml(data)
    , m_keep(keepNewest)
{
    m_xml.setNamespaceProcessing(false);
}

bool RssFeedReader::readSlice(qint64 budgetNs)
{
    QElapsedTimer clock;
    clock.start();
    // Read to the end even past the items, so that damage there is found.
    while (!m_finished) {
        m_xml.readNext();
        if (m_xml.hasError() || m_xml.atEnd()) {
            m_finished = true;
            break;
        }
        token();
        if (budgetNs > 0 && clock.nsecsElapsed() >= budgetNs)
            break;
    }
    return m_finished;
}

void RssFeedReader::token()
{
    switch (m_xml.tokenType()) {
    case QXmlStreamReader::StartElement: {
        ++m_depth;
        if (m_capture != CaptureNone)
            break;
        const QStringRef tag = m_xml.qualifiedName();
        if (m_depth == 1) {
            m_isRss = tag == QLatin1String("rss");
        } else if (!m_isRss) {
            break;
        } else if (m_depth == 2) {
            m_inChannel = tag == QLatin1String("channel");
        } else if (m_depth == 3 && m_inChannel) {
            m_inImage = tag == QLatin1String("image");
            m_inItem = tag == QLatin1String("item");
            if (m_inItem) {
                m_item.clear();
                for (int i = 0; i < RssFeedConverter::FieldCount; ++i)
                    m_item.append(QString());
            }
        } else if (m_depth == 4 && m_inImage) {
            if (tag == QLatin1String("url"))
                m_capture = CaptureImage;
        } else if (m_depth == 4 && m_inItem) {
            if (tag == QLatin1String("title"))
                m_capture = RssFeedConverter::Title;
            else if (tag == QLatin1String("description"))
                m_capture = RssFeedConverter::Description;
            else if (tag == QLatin1String("pubDate"))
                m_capture = RssFeedConverter::PubDate;
            else if (tag == QLatin1String("enclosure") || tag == QLatin1String("media:content")) {
                m_item[RssFeedConverter::Picture] = m_xml.attributes().value(QLatin1String("url")).toString();
                m_item[RssFeedConverter::Length] = m_xml.attributes().value(QLatin1String("length")).toString();
            }
        }
        if (m_capture != CaptureNone) {
            m_captureDepth = m_depth;
            m_text.clear();
        }
        break;
    }
    case QXmlStreamReader::Characters:
    case QXmlStreamReader::EntityReference:
        if (m_capture != CaptureNone)
            m_text += m_xml.text();
        break;
    case QXmlStreamReader::EndElement:
        if (m_capture != CaptureNone) {
            if (m_depth == m_captureDepth) {
                if (m_capture == CaptureImage)
                    m_channelImage = m_text;
                else
                    m_item[m_capture] = m_text;
                m_capture = CaptureNone;
                m_text.clear();
            }
        } else if (m_depth == 3 && m_inItem) {
            itemDone();
            m_inItem = false;
        } else if (m_depth == 3) {
            m_inImage = false;
        } else if (m_depth == 2) {
            m_inChannel = false;
        }
        --m_depth;
        break;
    default:
        break;
    }
}

void RssFeedReader::itemDone()
{
    if (m_keep <= 0) {
        m_items.append(m_item);
        return;
    }
    // The order of newest(): undated first, then by date; the later of two
    // equal ones after the earlier.
    const QDateTime date = RssFeedConverter::itemDate(m_item.value(RssFeedConverter::PubDate));
    const Kept kept{date.isValid(), date.isValid() ? date.toMSecsSinceEpoch() : 0, m_item};
    auto before = [](const Kept &a, const Kept &b) {
        if (a.dated != b.dated)
            return !a.dated;
        return a.dated && a.key < b.key;
    };
    if (m_newest.size() >= m_keep && before(kept, m_newest.first()))
        return;
    int at = m_newest.size();
    while (at > 0 && before(kept, m_newest.at(at - 1)))
        --at;
    m_newest.insert(at, kept);
    if (m_newest.size() > m_keep)
        m_newest.removeFirst();
}

RssFeedConverter::Feed RssFeedReader::feed() const
{
    RssFeedConverter::Feed feed;
    if (!wellFormed())
        return feed;
    feed.isRss = m_isRss;
    feed.channelImage = m_channelImage;
    if (m_keep <= 0) {
        feed.items = m_items;
    } else {
        for (const Kept &kept : m_newest)
            feed.items.append(kept.item);
    }
    return feed;
}
