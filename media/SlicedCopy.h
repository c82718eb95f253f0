#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Copies a file a slice at a time, so that a large video does not hold the
// event loop for its whole copy. Never overwrites: a target that exists
// makes it fail. A copy that fails leaves no partial target behind. A plain
// read and write: QFile::copy goes through a temporary file, which costs
// more than the copy itself on a busy file system.
class SlicedCopy
{
public:
    // False when the source cannot be read or the target cannot be made.
    bool start(const QString &from, const QString &to);
    // Copies for about `ms`; true once the copy ended (see ok()).
    bool step(int ms = 5);
    bool ok() const { return m_ok; }
    qint64 copied() const { return m_copied; }
    qint64 total() const { return m_total; }
    // Stops a copy under way and removes its target.
    void abandon() { fail(); }

private:
    void fail();

    QFile m_in;
    QFile m_out;
    QByteArray m_block;
    qint64 m_copied = 0;
    qint64 m_total = 0;
    bool m_ok = false;
};
