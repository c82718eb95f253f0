#include "ConsoleLogRecord.h"
#include "LC_QMLLogger.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QtTest>

#include <cstdio>
#include <functional>
#include <memory>
#include <unistd.h>

namespace {

// Runs `f` with stdout and stderr sent to the files open at `out` and `err`.
template <typename F>
void redirected(int out, int err, F f)
{
    std::fflush(stdout);
    std::fflush(stderr);
    const int savedOut = dup(1), savedErr = dup(2);
    dup2(out, 1);
    dup2(err, 2);
    f();
    std::fflush(stdout);
    std::fflush(stderr);
    dup2(savedOut, 1);
    dup2(savedErr, 2);
    close(savedOut);
    close(savedErr);
}

// Runs `f` with stdout and stderr sent to files; returns what each got.
template <typename F>
QPair<QByteArray, QByteArray> captured(F f)
{
    QTemporaryFile out, err;
    out.open();
    err.open();
    redirected(out.handle(), err.handle(), f);
    out.seek(0);
    err.seek(0);
    return {out.readAll(), err.readAll()};
}

// Runs `f` with stdout and stderr sent to one file; `f` gets a function
// that says what the file holds so far.
template <typename F>
QByteArray capturedTogether(F f)
{
    QTemporaryFile both;
    both.open();
    const QString name = both.fileName();
    redirected(both.handle(), both.handle(), [&] {
        f([name] {
            std::fflush(stdout);
            std::fflush(stderr);
            QFile file(name);
            file.open(QIODevice::ReadOnly);
            return file.readAll();
        });
    });
    both.seek(0);
    return both.readAll();
}

QByteArray linePattern(int colour, const QByteArray &message)
{
    return "\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d \x1b\\[0;" + QByteArray::number(30 + colour) + "m"
           + QRegularExpression::escape(QString::fromUtf8(message)).toUtf8() + "\x1b\\[0m\n";
}

QByteArray expectedLinePattern(int colour, const QByteArray &message)
{
    return "^" + linePattern(colour, message) + "$";
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
    void heldLinesKeepTheirOrder_data();
    void heldLinesKeepTheirOrder();
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

void ConsoleLogTest::heldLinesKeepTheirOrder_data()
{
    QTest::addColumn<bool>("perTurn");
    QTest::newRow("held by a scene call") << false;
    QTest::newRow("held until the event loop's next turn") << true;
}

// Held lines of both streams and both faces come out in the order they were
// logged, byte for byte, once the hold ends (from the writer thread); none
// before.
void ConsoleLogTest::heldLinesKeepTheirOrder()
{
    QFETCH(bool, perTurn);
    QByteArray whileHeld = "not read";
    const QByteArray got = capturedTogether([&](const std::function<QByteArray()> &soFar) {
        LC_QMLLogger::setLinesPerTurn(perTurn);
        {
            std::unique_ptr<ConsoleLogHold> hold(perTurn ? nullptr : new ConsoleLogHold);
            LC_QMLLogger::instance()->info(QStringLiteral("un"));
            consoleLogError("deux %d", 2);
            consoleLogDebug("trois");
            LC_QMLLogger::instance()->error(QStringLiteral("quatre"));
            LC_QMLLogger::instance()->verbose(QStringLiteral("cinq"));
            whileHeld = soFar();
        }
        if (perTurn)
            QCoreApplication::processEvents();
        // Behind the held lines, whether the writer is done with them or not.
        consoleLogWarn("six");
        ConsoleLogHold::waitWritten();
        LC_QMLLogger::setLinesPerTurn(false);
    });
    QCOMPARE(whileHeld, QByteArray());
    const QByteArray expected = "^" + linePattern(2, "un") + linePattern(1, "deux 2") + linePattern(4, "trois")
                                + linePattern(1, "quatre") + linePattern(7, "cinq") + linePattern(3, "six") + "$";
    QVERIFY2(QRegularExpression(QString::fromUtf8(expected)).match(QString::fromUtf8(got)).hasMatch(), got.constData());
}

QTEST_GUILESS_MAIN(ConsoleLogTest)
#include "tst_consolelog.moc"
