#pragma once

#include <QObject>
#include <QString>

class QQmlContext;

// The QML scenes' "logger": each method prints one coloured console line.
class LC_QMLLogger : public QObject
{
    Q_OBJECT
public:
    static LC_QMLLogger *instance();
    static void registerObject(QQmlContext *context);
    // Lines of one event-loop turn written together once control is back
    // in the loop (a scene that logs per poster), rather than one by one.
    static void setLinesPerTurn(bool on);
    ~LC_QMLLogger() override;

    Q_INVOKABLE void debug(QString message);
    Q_INVOKABLE bool verbose(QString message);
    Q_INVOKABLE bool info(QString message);
    Q_INVOKABLE bool warn(QString message);
    Q_INVOKABLE bool error(QString message);
    Q_INVOKABLE bool critical(QString message);

private:
    LC_QMLLogger();
};
