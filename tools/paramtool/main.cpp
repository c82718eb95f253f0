// paramtool: inspect and edit parameter files from the command line.
#include "ClassParam.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QTextStream>

#include <cstdio>

namespace {

int usage()
{
    std::fputs("usage: paramtool new FILE\n"
               "       paramtool get FILE KEY\n"
               "       paramtool set FILE KEY VALUE [KEY VALUE]...   (VALUE \"-\": read from standard input)\n"
               "       paramtool dump FILE\n",
               stderr);
    return 64;
}

// A value too long for the command line comes on standard input; the line
// end that closes it is not part of it (a value holds none).
bool readValue(QString *value)
{
    QByteArray bytes;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
        bytes.append(buffer, int(n));
    if (std::ferror(stdin))
        return false;
    while (bytes.endsWith('\n') || bytes.endsWith('\r'))
        bytes.chop(1);
    if (bytes.contains('\n') || bytes.contains('\r'))
        return false;
    *value = QString::fromLocal8Bit(bytes);
    return true;
}

void print(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The library's debug traces are for the console's own log, not here.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));

    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage();
    const QString command = args.at(0);
    const QString file = args.at(1);
    ClassParam param;

    if (command == QLatin1String("new") && args.size() == 2) {
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::fprintf(stderr, "paramtool: cannot create %s: %s\n", qPrintable(file), qPrintable(f.errorString()));
            return 1;
        }
        return 0;
    }
    if (command == QLatin1String("get") && args.size() == 3) {
        const QString value = param.getParamCrypt(file, args.at(2), 0);
        print(value + QLatin1Char('\n'));
        return value == QLatin1String("PB_OPEN") ? 2 : 0;
    }
    // Several keys in one write: the same bytes as one set per key.
    if (command == QLatin1String("set") && args.size() >= 4 && args.size() % 2 == 0) {
        QList<QPair<QString, QString>> values;
        bool stdinRead = false;
        for (int i = 2; i < args.size(); i += 2) {
            QString value = args.at(i + 1);
            if (value == QLatin1String("-")) {
                // Standard input holds one value.
                if (stdinRead)
                    return usage();
                stdinRead = true;
                if (!readValue(&value)) {
                    std::fputs("paramtool: the value on standard input cannot be read or holds a line end\n", stderr);
                    return 65;
                }
            }
            values << qMakePair(args.at(i), value);
        }
        if (!param.setParamsCrypt(file, values)) {
            std::fprintf(stderr, "paramtool: cannot write %s\n", qPrintable(file));
            return 1;
        }
        return 0;
    }
    if (command == QLatin1String("dump") && args.size() == 2) {
        if (!param.getParamCrypt(file, QStringList{QStringLiteral("ALL")}, 0)) {
            std::fprintf(stderr, "paramtool: cannot open %s\n", qPrintable(file));
            return 2;
        }
        const QList<QString> keys = param.BALISE.at(0);
        const QList<QString> values = param.BALISE.at(1);
        for (int i = 0; i < keys.size(); ++i)
            print(keys.at(i) + QLatin1String("=\"") + values.value(i) + QLatin1String("\"\n"));
        return 0;
    }
    return usage();
}
