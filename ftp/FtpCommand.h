#pragma once

#include "QFtp.h"

#include <QByteArray>
#include <QStringList>

#include <memory>

class QIODevice;

// One queued operation of a QFtp: its kind, the protocol lines it sends and
// its data (an owned copy of the caller's bytes, or a device it does not own).
class FtpCommand
{
public:
    FtpCommand(QFtp::Command cmd, const QStringList &raw, const QByteArray &ba);
    FtpCommand(QFtp::Command cmd, const QStringList &raw, QIODevice *dev = nullptr);
    ~FtpCommand();

    FtpCommand(const FtpCommand &) = delete;
    FtpCommand &operator=(const FtpCommand &) = delete;

    // True when a line holds CR or LF anywhere but its own "\r\n" ending:
    // such a line would smuggle a second command onto the wire.
    static bool holdsLineBreak(const QStringList &lines);
    // A NUL would end the argument early on many servers: the command
    // would act on another name than the one asked for.
    static bool holdsNul(const QStringList &lines);
    // Every character of the lines has a Latin-1 byte.
    static bool fitsLatin1(const QStringList &lines);

    const int id;
    const QFtp::Command command;
    QStringList rawCmds;
    QByteArray *ba() const { return m_ba.get(); }
    QIODevice *dev() const { return m_dev; }
    bool isByteArray() const { return m_ba != nullptr; }

private:
    static int nextId();

    std::unique_ptr<QByteArray> m_ba;
    QIODevice *m_dev = nullptr;
};
