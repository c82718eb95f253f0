#pragma once

#include <QByteArray>
#include <zlib.h>

// A gzip body, a small fraction of what it inflates to: `head`, `count`
// bytes of `fill`, then `tail`. The best level packs a run about four
// times tighter, the fastest one makes it sooner.
inline QByteArray gzipBomb(const QByteArray &head, qint64 count, const QByteArray &tail = QByteArray(), char fill = ' ',
                           int level = Z_BEST_SPEED)
{
    z_stream stream{};
    if (deflateInit2(&stream, level, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        return QByteArray();
    QByteArray out;
    QByteArray buffer(256 * 1024, Qt::Uninitialized);
    const QByteArray chunk(1024 * 1024, fill);
    auto feedIn = [&](const QByteArray &data, int flush) {
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
        stream.avail_in = uInt(data.size());
        do {
            stream.next_out = reinterpret_cast<Bytef *>(buffer.data());
            stream.avail_out = uInt(buffer.size());
            deflate(&stream, flush);
            out.append(buffer.constData(), buffer.size() - int(stream.avail_out));
        } while (stream.avail_out == 0);
    };
    feedIn(head, Z_NO_FLUSH);
    for (qint64 left = count; left > 0; left -= chunk.size())
        feedIn(left >= chunk.size() ? chunk : chunk.left(int(left)), Z_NO_FLUSH);
    feedIn(tail, Z_FINISH);
    deflateEnd(&stream);
    return out;
}
