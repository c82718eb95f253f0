#include "SlicedChecksum.h"

#include <QElapsedTimer>

SlicedChecksum::SlicedChecksum()
    : m_hash(QCryptographicHash::Md5)
{
}

bool SlicedChecksum::start(const QString &path)
{
    m_file.close();
    m_file.setFileName(path);
    m_hash.reset();
    m_result.clear();
    return m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

bool SlicedChecksum::step(int ms)
{
    if (!m_file.isOpen())
        return true;
    QElapsedTimer clock;
    clock.start();
    char block[16384];
    do {
        const qint64 n = m_file.read(block, sizeof block);
        if (n <= 0) {
            // A read error ends it with the hash of what was read.
            m_result = QString::fromLatin1(m_hash.result().toHex().toUpper());
            m_file.close();
            return true;
        }
        m_hash.addData(block, int(n));
    } while (clock.elapsed() < ms);
    return false;
}
