#include "FetchedFileCheck.h"

#include "ClassParam.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace {

// An enciphered file is one run of hexadecimal digits, two per byte; a
// line end after it is let pass.
bool hexRun(const QByteArray &raw)
{
    const QByteArray text = raw.trimmed();
    if (text.size() % 2 != 0)
        return false;
    for (const char c : text) {
        const bool digit = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        if (!digit)
            return false;
    }
    return true;
}

} // namespace

FetchedFileCheck::Kind FetchedFileCheck::kindOf(const QString &localName)
{
    const QString name = QFileInfo(localName).fileName();
    if (name == QLatin1String("BOX.orvex") || name == QLatin1String("STATUS.orvex")
        || name == QLatin1String("STAT.orvex") || name == QLatin1String("CONNEXION.txt")
        || name.startsWith(QLatin1String("ZOVALIDATE_")))
        return Kind::KeyLines;
    // The box's event log is plain text despite its extension.
    if (name == QLatin1String("EVENTS.orvex"))
        return Kind::None;
    if (name.endsWith(QLatin1String(".orvex")))
        return Kind::Fingerprint;
    return Kind::None;
}

bool FetchedFileCheck::wholeKeyLines(const QString &plain)
{
    static const QRegularExpression keyLine(QStringLiteral("^[^=\"\\x00-\\x1F]+=\"[^\\x00-\\x1F]*\"$"));
    QStringList lines = plain.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        const bool last = i == lines.size() - 1;
        // Every line but the last ends with CR LF; the last one has no line end.
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (last && line.isEmpty())
            break;
        if (!keyLine.match(line).hasMatch())
            return false;
    }
    return true;
}

QString FetchedFileCheck::problem(const QString &path, const QString &localName)
{
    const QString name = localName.isEmpty() ? QFileInfo(path).fileName() : QFileInfo(localName).fileName();
    const Kind kind = kindOf(name);
    if (kind == Kind::None)
        return QString();
    // Read as the parameter-file reader reads it.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1 illisible: %2").arg(name, file.errorString());
    const QByteArray raw = file.readAll();
    file.close();
    const bool plainText = raw.contains("EMPREINTE");
    if (!plainText && !hexRun(raw))
        return QStringLiteral("%1 endommagé: la réponse n'est pas un fichier de paramètres").arg(name);
    if (kind == Kind::Fingerprint) {
        ClassParam reader;
        if (!reader.getParamCrypt(path, QStringList{QStringLiteral("ALL")}, 1))
            return QStringLiteral("%1 endommagé: son empreinte ne correspond pas à son contenu").arg(name);
        return QString();
    }
    ClassParam reader;
    const QString plain = plainText ? QString::fromLatin1(raw)
                                    : QString::fromLatin1(QByteArray::fromHex(
                                          reader.DeCryptRC4(QString::fromLatin1(raw.trimmed())).toLatin1()));
    if (!wholeKeyLines(plain))
        return QStringLiteral("%1 endommagé: son contenu n'est pas une suite de clés").arg(name);
    return QString();
}
