#include "SlicedCopy.h"

#include <QElapsedTimer>

bool SlicedCopy::start(const QString &from, const QString &to)
{
    m_in.close();
    m_out.close();
    m_ok = false;
    m_copied = 0;
    m_in.setFileName(from);
    if (!m_in.open(QIODevice::ReadOnly))
        return false;
    m_total = m_in.size();
    m_out.setFileName(to);
    if (!m_out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        m_in.close();
        return false;
    }
    m_block.resize(1 << 16);
    return true;
}

bool SlicedCopy::step(int ms)
{
    if (!m_out.isOpen())
        return true;
    QElapsedTimer clock;
    clock.start();
    do {
        const qint64 n = m_in.read(m_block.data(), m_block.size());
        if (n == 0) {
            m_in.close();
            m_out.close();
            if (m_out.error() != QFileDevice::NoError) {
                m_out.remove();
                return true;
            }
            m_ok = true;
            return true;
        }
        if (n < 0 || m_out.write(m_block.constData(), n) != n) {
            fail();
            return true;
        }
        m_copied += n;
    } while (clock.elapsed() < ms);
    return false;
}

void SlicedCopy::fail()
{
    m_in.close();
    m_out.close();
    m_out.remove();
}
