#include "FtpCommand.h"

#include <QAtomicInt>

namespace {
QBasicAtomicInt commandIdCounter = Q_BASIC_ATOMIC_INITIALIZER(1);
}

int FtpCommand::nextId()
{
    return commandIdCounter.fetchAndAddRelaxed(1);
}

FtpCommand::FtpCommand(QFtp::Command cmd, const QStringList &raw, const QByteArray &ba)
    : id(nextId())
    , command(cmd)
    , rawCmds(raw)
    , m_ba(new QByteArray(ba))
{
}

FtpCommand::FtpCommand(QFtp::Command cmd, const QStringList &raw, QIODevice *dev)
    : id(nextId())
    , command(cmd)
    , rawCmds(raw)
    , m_dev(dev)
{
}

FtpCommand::~FtpCommand() = default;

bool FtpCommand::holdsLineBreak(const QStringList &lines)
{
    for (const QString &line : lines) {
        const QStringRef body = line.endsWith(QLatin1String("\r\n")) ? line.leftRef(line.size() - 2) : line.midRef(0);
        if (body.contains(QLatin1Char('\r')) || body.contains(QLatin1Char('\n')))
            return true;
    }
    return false;
}

bool FtpCommand::holdsNul(const QStringList &lines)
{
    for (const QString &line : lines) {
        if (line.contains(QChar(0)))
            return true;
    }
    return false;
}

bool FtpCommand::fitsLatin1(const QStringList &lines)
{
    for (const QString &line : lines) {
        for (const QChar c : line) {
            if (c.unicode() > 0xff)
                return false;
        }
    }
    return true;
}
