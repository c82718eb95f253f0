#pragma once

#include "RssFeedConverter.h"

#include <QElapsedTimer>
#include <QXmlStreamReader>

class QIODevice;

// Reads a feed a slice at a time: a feed of several megabytes would hold
// the window for longer than a frame if read in one go. The same reading
// as RssFeedConverter::read, token by token, with the newest items kept as
// they come (so that a feed of many small items takes no more memory than
// the items kept).
class RssFeedReader
{
public:
    // keepNewest 0: every item, in document order; else the `keepNewest`
    // newest, oldest first, as RssFeedConverter::newest gives them.
    explicit RssFeedReader(QIODevice *device, int keepNewest = 0);
    explicit RssFeedReader(const QByteArray &data, int keepNewest = 0);

    // Reads until the document ends or `budgetNs` has passed (0: no
    // limit); true once the whole document is read.
    bool readSlice(qint64 budgetNs = 0);
    bool atEnd() const { return m_finished; }
    // Meaningful once atEnd(): false when the text is not well-formed XML.
    bool wellFormed() const { return m_finished && !m_xml.hasError(); }
    RssFeedConverter::Feed feed() const;

private:
    struct Kept
    {
        bool dated;
        qint64 key;
        QStringList item;
    };
    void token();
    void itemDone();

    QXmlStreamReader m_xml;
    int m_keep;
    bool m_finished = false;
    int m_depth = 0;
    bool m_isRss = false;
    bool m_inChannel = false;
    bool m_inImage = false;
    bool m_inItem = false;
    // Element whose text is being gathered: -1 none, -2 the channel
    // image's url, else the item field.
    int m_capture = -1;
    int m_captureDepth = 0;
    QString m_text;
    QString m_channelImage;
    QStringList m_item;
    QList<QStringList> m_items;
    QList<Kept> m_newest;
};
