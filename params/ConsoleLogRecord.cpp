#include "ConsoleLogRecord.h"

#include <QCoreApplication>
#include <QList>
#include <QThread>
#include <QTimer>

#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <thread>
#include <sys/time.h>
#include <time.h>

namespace {

const int kColourOffset[] = {1, 1, 3, 2, 7, 4};

// Lines handed to the writer past this size make the next hand-on wait:
// a console that reads slower than the scenes log is not outrun forever.
constexpr qint64 kMaxQueuedBytes = qint64(16) << 20;

struct Run {
    FILE *stream;
    QByteArray bytes;
};

void writeRun(const Run &run)
{
    std::fwrite(run.bytes.constData(), 1, size_t(run.bytes.size()), run.stream);
    std::fflush(run.stream);
}

// Appends a line to runs of consecutive lines of one stream.
void addTo(QList<Run> &runs, FILE *stream, const QByteArray &line)
{
    if (runs.isEmpty() || runs.last().stream != stream)
        runs.append({stream, QByteArray()});
    runs.last().bytes += line;
}

// Lines kept by ConsoleLogHold, and the writer thread they are handed to
// when the hold ends: a console (a terminal) that reads slowly holds the
// writer, not the GUI thread. A line logged while the writer has lines to
// write waits behind them; otherwise it is written at once, as always.
struct Held {
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable written;
    int holds = 0;
    QList<Run> runs;
    QList<Run> queue;
    qint64 queued = 0;
    bool writing = false;
    bool stopping = false;
    std::thread writer;

    bool idle() const { return queue.isEmpty() && !writing; }

    // Called with the mutex held.
    void handOn(std::unique_lock<std::mutex> &lock, QList<Run> lines)
    {
        for (Run &run : lines) {
            queued += run.bytes.size();
            if (!queue.isEmpty() && queue.last().stream == run.stream)
                queue.last().bytes += run.bytes;
            else
                queue.append(std::move(run));
        }
        if (!writer.joinable())
            writer = std::thread([this] { writeQueue(); });
        wake.notify_one();
        written.wait(lock, [this] { return queued < kMaxQueuedBytes; });
    }

    void writeQueue()
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return !queue.isEmpty() || stopping; });
            if (queue.isEmpty())
                return;
            const Run run = queue.takeFirst();
            writing = true;
            lock.unlock();
            writeRun(run);
            lock.lock();
            writing = false;
            queued -= run.bytes.size();
            written.notify_all();
        }
    }

    ~Held()
    {
        // Lines still held or queued when the process ends are written.
        std::unique_lock<std::mutex> lock(mutex);
        if (!writer.joinable()) {
            for (const Run &run : qAsConst(runs))
                writeRun(run);
            return;
        }
        queue.append(runs);
        stopping = true;
        wake.notify_one();
        lock.unlock();
        writer.join();
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
    std::unique_lock<std::mutex> lock(h.mutex);
    if (--h.holds > 0 || h.runs.isEmpty())
        return;
    QList<Run> lines;
    lines.swap(h.runs);
    h.handOn(lock, std::move(lines));
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
    std::unique_lock<std::mutex> lock(h.mutex);
    if (h.holds > 0) {
        addTo(h.runs, stream, l);
        return;
    }
    if (!h.idle()) {
        h.handOn(lock, {{stream, l}});
        return;
    }
    writeRun({stream, l});
}

ConsoleLogHold::ConsoleLogHold()
{
    Held &h = held();
    std::lock_guard<std::mutex> lock(h.mutex);
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
        std::lock_guard<std::mutex> lock(h.mutex);
        if (h.holds > 0)
            return;
        ++h.holds;
    }
    QTimer::singleShot(0, app, release);
}

void ConsoleLogHold::waitWritten()
{
    Held &h = held();
    std::unique_lock<std::mutex> lock(h.mutex);
    h.written.wait(lock, [&h] { return h.idle(); });
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
