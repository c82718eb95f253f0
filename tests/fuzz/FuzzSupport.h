#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// What every target shares: one application object, a work folder that
// ZOMANAGER_WORKDIR points at, and silence (a parser's debug line per input
// would slow fuzzing down to the terminal's pace).
namespace ZoFuzz {

inline void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}

inline QCoreApplication &app()
{
    static int argc = 1;
    static char name[] = "zofuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *instance = [] {
        // ZO_FUZZ_VERBOSE=1 keeps the messages, to follow a reproducer.
        if (!qEnvironmentVariableIsSet("ZO_FUZZ_VERBOSE"))
            qInstallMessageHandler(quiet);
        return new QCoreApplication(argc, argv);
    }();
    return *instance;
}

inline QString workFolder()
{
    static QTemporaryDir dir;
    static const bool ready = [] {
        QDir(dir.path()).mkpath(QStringLiteral("TEMP"));
        QDir(dir.path()).mkpath(QStringLiteral("LOG"));
        QDir(dir.path()).mkpath(QStringLiteral("DATA"));
        qputenv("ZOMANAGER_WORKDIR", dir.path().toLocal8Bit());
        return true;
    }();
    Q_UNUSED(ready);
    return dir.path();
}

inline QString file(const QString &relative)
{
    return workFolder() + QLatin1Char('/') + relative;
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A property the target checks; a broken one stops the run with the input.
inline void require(bool condition, const char *what)
{
    if (!condition) {
        fprintf(stderr, "property broken: %s\n", what);
        abort();
    }
}

// The Latin-1 text a stored value reads back as: one "?" per character
// Latin-1 cannot hold, a pair of surrogates being one character.
inline QString storedText(const QString &text)
{
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        out.append(c.unicode() < 0x100 ? c : QLatin1Char('?'));
    }
    return out;
}

// Splits the input on a separator byte, keeping empty parts.
inline QList<QByteArray> parts(const uint8_t *data, size_t size, char separator)
{
    return QByteArray(reinterpret_cast<const char *>(data), int(size)).split(separator);
}

// Every byte as one character, NUL included.
inline QString latin1(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.constData(), bytes.size());
}

// The common input shape: one flag byte, then parts separated by 0x1F.
struct FlaggedInput
{
    FlaggedInput(const uint8_t *data, size_t size)
        : valid(size >= 1)
        , flags(valid ? data[0] : 0)
        , parts(valid ? ZoFuzz::parts(data + 1, size - 1, '\x1F') : QList<QByteArray>())
    {
    }
    bool valid;
    quint8 flags;
    QList<QByteArray> parts;
};

} // namespace ZoFuzz
