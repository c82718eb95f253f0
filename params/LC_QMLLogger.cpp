#include "LC_QMLLogger.h"

#include "ConsoleLogRecord.h"

#include <QQmlContext>

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

void LC_QMLLogger::debug(QString message)
{
    consoleLogLiteral(5, message.toLocal8Bit());
}

bool LC_QMLLogger::verbose(QString message)
{
    consoleLogLiteral(4, message.toLocal8Bit());
    return true;
}

bool LC_QMLLogger::info(QString message)
{
    consoleLogLiteral(3, message.toLocal8Bit());
    return true;
}

bool LC_QMLLogger::warn(QString message)
{
    consoleLogLiteral(2, message.toLocal8Bit());
    return false;
}

bool LC_QMLLogger::error(QString message)
{
    consoleLogLiteral(1, message.toLocal8Bit());
    return false;
}

bool LC_QMLLogger::critical(QString message)
{
    consoleLogLiteral(1, message.toLocal8Bit());
    return false;
}
