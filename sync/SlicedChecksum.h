#pragma once

#include <QCryptographicHash>
#include <QFile>
#include <QString>

// The MD5 of a file (as CalculChecksum gives it: 32 upper-case hex digits)
// computed a slice at a time, so that a large video does not hold the event
// loop for its whole read.
class SlicedChecksum
{
public:
    SlicedChecksum();
    // False when the file cannot be opened; the result is then empty.
    bool start(const QString &path);
    // Reads for about `ms`; true once the whole file is hashed (or it was
    // never opened).
    bool step(int ms = 5);
    QString result() const { return m_result; }

private:
    QFile m_file;
    QCryptographicHash m_hash;
    QString m_result;
};
