#include "ConsoleLogRecord.h"

#include <QCoreApplication>
#include <QList>
#include <QMutex>
#include <QThread>
#include <QTimer>

#include <cstdarg>
#include <cstdio>
#include <sys/time.h>
#include <time.h>

namespace {

const int kColourOffset[] = {1, 1, 3, 2, 7, 4};

// Held lines past this size are written at once.
constexpr int kMaxHeldBytes = 1 << 22;

// Lines kept by ConsoleLogHold: runs of consecutive lines of one stream.
struct Held {
    struct Run {
        FILE *stream;
        QByteArray bytes;
    };
    QMutex mutex;
    int holds = 0;
    int bytes = 0;
    QList<Run> runs;

    void add(FILE *stream, const QByteArray &line)
    {
        if (runs.isEmpty() || runs.last().stream != stream)
            runs.append({stream, QByteArray()});
        runs.last().bytes += line;
        bytes += line.size();
    }
    // Called with the mutex held.
    void writeOut()
    {
        for (const Run &run : qAsConst(runs)) {
            std::fwrite(run.bytes.constData(), 1, size_t(run.bytes.size()), run.stream);
            std::fflush(run.stream);
        }
        runs.clear();
        bytes = 0;
    }
    ~Held()
    {
        // Lines still waiting for their turn when the process ends.
        writeOut();
    }
};

Held &held()
{
    static Held h;
    return h;
}

void release()
{
    Held &h = held();
    QMutexLocker lock(&h.mutex);
    if (--h.holds == 0)
        h.writeOut();
}

QByteArray timeStamp()
{
    timeval tv;
    gettimeofday(&tv, nullptr);
    tm local;
    localtime_r(&tv.tv_sec, &local);
    char buf[32];
    const int n = std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03d ", local.tm_hour, local.tm_min,
                                local.tm_sec, int(tv.tv_usec / 1000));
    return QByteArray(buf, n);
}

bool logFormatted(int level, bool result, const char *format, va_list args)
{
    ConsoleLogRecord record;
    record.level = level;
    va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (size > 0) {
        record.text.resize(size + 1);
        std::vsnprintf(record.text.data(), size_t(size) + 1, format, args);
        record.text.chop(1);
    }
    record.write();
    return result;
}

} // namespace

QByteArray ConsoleLogRecord::line() const
{
    const int colour = kColourOffset[(level >= 0 && level <= 5) ? level : 1];
    QByteArray out = timeStamp();
    out += "\x1b[0;" + QByteArray::number(30 + colour) + 'm';
    out += text;
    out += "\x1b[0m\n";
    return out;
}

void ConsoleLogRecord::write() const
{
    FILE *stream = level > 1 ? stdout : stderr;
    const QByteArray l = line();
    Held &h = held();
    QMutexLocker lock(&h.mutex);
    if (h.holds > 0) {
        h.add(stream, l);
        if (h.bytes >= kMaxHeldBytes)
            h.writeOut();
        return;
    }
    std::fwrite(l.constData(), 1, size_t(l.size()), stream);
    std::fflush(stream);
}

ConsoleLogHold::ConsoleLogHold()
{
    Held &h = held();
    QMutexLocker lock(&h.mutex);
    ++h.holds;
}

ConsoleLogHold::~ConsoleLogHold()
{
    release();
}

void ConsoleLogHold::untilNextTurn()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return;
    Held &h = held();
    {
        QMutexLocker lock(&h.mutex);
        if (h.holds > 0)
            return;
        ++h.holds;
    }
    QTimer::singleShot(0, app, release);
}

void consoleLogLiteral(int level, const QByteArray &message)
{
    ConsoleLogRecord record;
    record.level = level;
    record.text = message;
    record.write();
}

#define ZO_CONSOLE_LOG(name, level, result)                                                                           \
    bool name(const char *format, ...)                                                                                \
    {                                                                                                                 \
        va_list args;                                                                                                 \
        va_start(args, format);                                                                                       \
        const bool r = logFormatted(level, result, format, args);                                                     \
        va_end(args);                                                                                                 \
        return r;                                                                                                     \
    }

ZO_CONSOLE_LOG(consoleLogDebug, 5, true)
ZO_CONSOLE_LOG(consoleLogVerbose, 4, true)
ZO_CONSOLE_LOG(consoleLogInfo, 3, true)
ZO_CONSOLE_LOG(consoleLogWarn, 2, false)
ZO_CONSOLE_LOG(consoleLogError, 1, false)
