#pragma once

#include <QByteArray>

// One coloured console line while it is built: level 1 error, 2 warning,
// 3 information, 4 verbose, 5 debug. Levels 0 and 1 go to standard error,
// the others to standard output.
struct ConsoleLogRecord
{
    int level = 3;
    QByteArray text;

    // Time stamp, colour escape, message, reset escape and line feed.
    QByteArray line() const;
    void write() const;
};

bool consoleLogDebug(const char *format, ...) __attribute__((format(printf, 1, 2)));
bool consoleLogVerbose(const char *format, ...) __attribute__((format(printf, 1, 2)));
bool consoleLogInfo(const char *format, ...) __attribute__((format(printf, 1, 2)));
bool consoleLogWarn(const char *format, ...) __attribute__((format(printf, 1, 2)));
bool consoleLogError(const char *format, ...) __attribute__((format(printf, 1, 2)));

// Prints `message` literally (no format expansion) at `level`.
void consoleLogLiteral(int level, const QByteArray &message);

// While one lives, console lines are kept in memory; when the outermost one
// ends they go, in their order, to a writer thread: a scene call that logs
// thousands of lines costs the GUI thread no write at all, and a console
// that reads slowly holds the writer, not the window. Lines logged while
// the writer is busy wait behind its lines; any other line is written at
// once, as without a hold.
class ConsoleLogHold
{
public:
    ConsoleLogHold();
    ~ConsoleLogHold();
    ConsoleLogHold(const ConsoleLogHold &) = delete;
    ConsoleLogHold &operator=(const ConsoleLogHold &) = delete;

    // Keeps the lines of the current event-loop turn, written when control
    // is back in the event loop (QML timers log outside any call). Does
    // nothing inside a hold, or without an application object.
    static void untilNextTurn();
    // Returns once every line handed to the writer is written.
    static void waitWritten();
};
