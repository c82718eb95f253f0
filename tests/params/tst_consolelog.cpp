#include "ConsoleLogRecord.h"
#include "LC_QMLLogger.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QtTest>

#include <cstdio>
#include <unistd.h>

namespace {

// Runs `f` with stdout and stderr sent to files; returns what each got.
template <typename F>
QPair<QByteArray, QByteArray> captured(F f)
{
    QTemporaryFile out, err;
    out.open();
    err.open();
    std::fflush(stdout);
    std::fflush(stderr);
    const int savedOut = dup(1), savedErr = dup(2);
    dup2(out.handle(), 1);
    dup2(err.handle(), 2);
    f();
    std::fflush(stdout);
    std::fflush(stderr);
    dup2(savedOut, 1);
    dup2(savedErr, 2);
    close(savedOut);
    close(savedErr);
    out.seek(0);
    err.seek(0);
    return {out.readAll(), err.readAll()};
}

QByteArray expectedLinePattern(int colour, const QByteArray &message)
{
    return "^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d \x1b\\[0;" + QByteArray::number(30 + colour) + "m"
           + QRegularExpression::escape(QString::fromUtf8(message)).toUtf8() + "\x1b\\[0m\n$";
}

} // namespace

class ConsoleLogTest : public QObject
{
    Q_OBJECT
private slots:
    void levelFunctions_data();
    void levelFunctions();
    void qmlLogger_data();
    void qmlLogger();
    void oneInstanceForAllContexts();
};

void ConsoleLogTest::levelFunctions_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("colour");
    QTest::addColumn<bool>("toStderr");
    QTest::addColumn<bool>("result");
    QTest::newRow("debug blue stdout") << 5 << 4 << false << true;
    QTest::newRow("verbose white stdout") << 4 << 7 << false << true;
    QTest::newRow("info green stdout") << 3 << 2 << false << true;
    QTest::newRow("warn yellow stdout") << 2 << 3 << false << false;
    QTest::newRow("error red stderr") << 1 << 1 << true << false;
}

void ConsoleLogTest::levelFunctions()
{
    QFETCH(int, level);
    QFETCH(int, colour);
    QFETCH(bool, toStderr);
    QFETCH(bool, result);
    bool r = !result;
    const auto streams = captured([&] {
        switch (level) {
        case 5: r = consoleLogDebug("Chemin Fichier: %s %d%%", "/a", 7); break;
        case 4: r = consoleLogVerbose("Chemin Fichier: %s %d%%", "/a", 7); break;
        case 3: r = consoleLogInfo("Chemin Fichier: %s %d%%", "/a", 7); break;
        case 2: r = consoleLogWarn("Chemin Fichier: %s %d%%", "/a", 7); break;
        default: r = consoleLogError("Chemin Fichier: %s %d%%", "/a", 7); break;
        }
    });
    QCOMPARE(r, result);
    const QByteArray got = toStderr ? streams.second : streams.first;
    QVERIFY((toStderr ? streams.first : streams.second).isEmpty());
    QVERIFY2(QRegularExpression(QString::fromUtf8(expectedLinePattern(colour, "Chemin Fichier: /a 7%")))
                 .match(QString::fromUtf8(got))
                 .hasMatch(),
             got.constData());
}

void ConsoleLogTest::qmlLogger_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("colour");
    QTest::addColumn<bool>("toStderr");
    QTest::addColumn<bool>("result");
    QTest::newRow("percent sign kept") << "info" << "100% %s %d" << 2 << false << true;
    QTest::newRow("empty message") << "verbose" << "" << 7 << false << true;
    QTest::newRow("warn on stdout") << "warn" << "w" << 3 << false << false;
    QTest::newRow("error") << "error" << "boom" << 1 << true << false;
    QTest::newRow("critical same as error") << "critical" << "boom" << 1 << true << false;
}

void ConsoleLogTest::qmlLogger()
{
    QFETCH(QString, method);
    QFETCH(QString, message);
    QFETCH(int, colour);
    QFETCH(bool, toStderr);
    QFETCH(bool, result);
    bool r = !result;
    const auto streams = captured([&] {
        QMetaObject::invokeMethod(LC_QMLLogger::instance(), method.toLatin1().constData(), Qt::DirectConnection,
                                  Q_RETURN_ARG(bool, r), Q_ARG(QString, message));
    });
    QCOMPARE(r, result);
    const QByteArray got = toStderr ? streams.second : streams.first;
    QVERIFY2(QRegularExpression(QString::fromUtf8(expectedLinePattern(colour, message.toUtf8())))
                 .match(QString::fromUtf8(got))
                 .hasMatch(),
             got.constData());
}

void ConsoleLogTest::oneInstanceForAllContexts()
{
    QQmlEngine engine;
    QQmlContext a(engine.rootContext()), b(engine.rootContext());
    LC_QMLLogger::registerObject(&a);
    LC_QMLLogger::registerObject(&b);
    QCOMPARE(a.contextProperty("logger").value<QObject *>(), LC_QMLLogger::instance());
    QCOMPARE(b.contextProperty("logger").value<QObject *>(), LC_QMLLogger::instance());
}

QTEST_GUILESS_MAIN(ConsoleLogTest)
#include "tst_consolelog.moc"
