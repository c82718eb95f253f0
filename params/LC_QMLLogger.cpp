#include "LC_QMLLogger.h"

#include "ConsoleLogRecord.h"

#include <QQmlContext>

namespace {

bool linesPerTurn = false;

void logLine(int level, const QString &message)
{
    if (linesPerTurn)
        ConsoleLogHold::untilNextTurn();
    consoleLogLiteral(level, message.toLocal8Bit());
}

} // namespace

LC_QMLLogger::LC_QMLLogger()
    : QObject(nullptr)
{
}

LC_QMLLogger::~LC_QMLLogger() = default;

LC_QMLLogger *LC_QMLLogger::instance()
{
    static LC_QMLLogger logger;
    return &logger;
}

void LC_QMLLogger::registerObject(QQmlContext *context)
{
    LC_QMLLogger *logger = instance();
    if (context)
        context->setContextProperty(QStringLiteral("logger"), logger);
}

void LC_QMLLogger::setLinesPerTurn(bool on)
{
    linesPerTurn = on;
}

void LC_QMLLogger::debug(QString message)
{
    logLine(5, message);
}

bool LC_QMLLogger::verbose(QString message)
{
    logLine(4, message);
    return true;
}

bool LC_QMLLogger::info(QString message)
{
    logLine(3, message);
    return true;
}

bool LC_QMLLogger::warn(QString message)
{
    logLine(2, message);
    return false;
}

bool LC_QMLLogger::error(QString message)
{
    logLine(1, message);
    return false;
}

bool LC_QMLLogger::critical(QString message)
{
    logLine(1, message);
    return false;
}
