#include "ClassParam.h"

#include "LocalWriteError.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QVector>

#include <algorithm>

const char *const ClassParam::KeyText = "7C41E0B95D";

namespace {

const QString kFingerprintKey = QStringLiteral("EMPREINTE");
const QString kFingerprintMark = QStringLiteral("EMPREINTE=");

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Non-hex characters are skipped; a lone trailing digit is dropped.
QByteArray decodeHex(const QByteArray &text)
{
    QByteArray out;
    out.reserve(text.size() / 2);
    int high = -1;
    for (char c : text) {
        const int v = hexValue(c);
        if (v < 0)
            continue;
        if (high < 0) {
            high = v;
        } else {
            out.append(char((high << 4) | v));
            high = -1;
        }
    }
    return out;
}

// A key line starts at the text's start or right after a LF. Anchoring the
// search keeps a value that merely contains a key's name from capturing it.
int findKey(const QString &text, const QString &key, int from = 0)
{
    const QString needle = key + QLatin1String("=\"");
    int pos = text.indexOf(needle, from);
    while (pos > 0 && text.at(pos - 1) != QLatin1Char('\n'))
        pos = text.indexOf(needle, pos + 1);
    return pos;
}

QString withoutLineEnds(QString s)
{
    s.remove(QLatin1Char('\r'));
    s.remove(QLatin1Char('\n'));
    return s;
}

// Bytes to text, all of them: the QByteArray overload stops at a NUL.
QString latin1Text(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.constData(), bytes.size());
}

// The Latin-1 bytes of a text, one "?" per character Latin-1 cannot hold:
// a character beyond U+FFFF is one character, not two.
QByteArray latin1Bytes(const QString &text)
{
    // Written through a pointer: a journal write converts its whole text once
    // per record.
    QByteArray out(text.size(), Qt::Uninitialized);
    char *to = out.data();
    const QChar *from = text.constData();
    const QChar *const end = from + text.size();
    for (; from < end; ++from) {
        if (from->isHighSurrogate() && from + 1 < end && (from + 1)->isLowSurrogate()) {
            *to++ = '?';
            ++from;
            continue;
        }
        *to++ = from->unicode() < 0x100 ? char(from->unicode()) : '?';
    }
    out.truncate(int(to - out.constData()));
    return out;
}

// The fingerprint line starts a line; an occurrence inside a value of a
// file written before such values were refused is not it. A mark glued to
// the last key line (a file that had none) is taken when no line holds one.
int findFingerprint(const QString &text, const QString &mark)
{
    int pos = text.indexOf(mark);
    const int first = pos;
    while (pos > 0 && text.at(pos - 1) != QLatin1Char('\n'))
        pos = text.indexOf(mark, pos + 1);
    return pos < 0 ? first : pos;
}

// The text without its fingerprint lines. A valid file has one, last;
// lines after it (a damaged file) stay. `at` gets where the first stood, or -1.
QString withoutFingerprint(QString plain, int *at)
{
    *at = findFingerprint(plain, kFingerprintMark);
    for (int fp = *at; fp >= 0;) {
        // A mark inside a line goes with the rest of that line only: taking
        // its line end too would glue the next key to the text before it.
        const int lf = plain.indexOf(QLatin1Char('\n'), fp);
        const bool lineStart = fp == 0 || plain.at(fp - 1) == QLatin1Char('\n');
        plain.remove(fp, (lf < 0 ? plain.size() : lineStart ? lf + 1 : lf) - fp);
        fp = findFingerprint(plain, kFingerprintMark);
        if (fp > 0 && plain.at(fp - 1) != QLatin1Char('\n'))
            break; // only a glued mark is left: the first was that one
    }
    return plain;
}

// A key's value left open up to a glued fingerprint mark: a rewrite would
// cut that value at the mark and store what is left of it.
bool valueRunsIntoMark(const QString &plain)
{
    const int fp = findFingerprint(plain, kFingerprintMark);
    if (fp <= 0 || plain.at(fp - 1) == QLatin1Char('\n'))
        return false;
    const int lineStart = plain.lastIndexOf(QLatin1Char('\n'), fp - 1) + 1;
    const int open = plain.indexOf(QLatin1String("=\""), lineStart);
    return open >= 0 && open < fp && !plain.midRef(open + 2, fp - open - 2).contains(QLatin1Char('"'));
}

void endLine(QString &plain)
{
    if (!plain.isEmpty() && !plain.endsWith(QLatin1Char('\n')))
        plain += QLatin1String("\r\n");
}

// Why a key or value cannot be stored so that every reader gets it back;
// empty when it can.
QString unstorable(const QString &key, const QString &value)
{
    const auto breaksLine = [](const QString &s) {
        return s.contains(QChar(0)) || s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
    };
    const auto outsideLatin1 = [](const QString &s) {
        return std::any_of(s.cbegin(), s.cend(), [](QChar c) { return c.unicode() > 0xFF; });
    };
    // A key stored with "?" in place of a character would never be found again.
    if (key.isEmpty() || breaksLine(key) || outsideLatin1(key) || key.contains(QLatin1Char('"'))
        || key.contains(QLatin1Char('=')) || key.contains(kFingerprintKey))
        return QStringLiteral("the key \"%1\" cannot be stored").arg(key);
    if (breaksLine(value))
        return QStringLiteral("the value of %1 holds a line end or NUL character").arg(key);
    if (value.contains(kFingerprintKey))
        return QStringLiteral("the value of %1 holds the text %2").arg(key, kFingerprintKey);
    return QString();
}

void readFailed(const QString &file)
{
    qDebug().noquote() << "qERROR: " + file + " read\n";
}

} // namespace

ClassParam::ClassParam()
{
    InitCryptRC4(QString::fromLatin1(KeyText));
}

void ClassParam::resetTable()
{
    BALISE.clear();
    BALISE.append(m_emptyRow);
    BALISE.append(m_emptyRow);
}

void ClassParam::InitCryptRC4(QString key)
{
    resetTable();
    const QByteArray k = decodeHex(key.toLatin1());
    for (int i = 0; i < 256; ++i)
        m_state[i] = static_cast<unsigned char>(i);
    if (k.isEmpty())
        return;
    int j = 0;
    for (int i = 0; i < 256; ++i) {
        j = (j + m_state[i] + static_cast<unsigned char>(k.at(i % k.size()))) & 0xFF;
        std::swap(m_state[i], m_state[j]);
    }
}

void ClassParam::Init()
{
}

QByteArray ClassParam::rc4(const QByteArray &data) const
{
    unsigned char s[256];
    std::copy(m_state, m_state + 256, s);
    QByteArray out(data.size(), Qt::Uninitialized);
    const unsigned char *in = reinterpret_cast<const unsigned char *>(data.constData());
    unsigned char *o = reinterpret_cast<unsigned char *>(out.data());
    unsigned i = 0, j = 0;
    for (int n = 0; n < data.size(); ++n) {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        o[n] = in[n] ^ s[(s[i] + s[j]) & 0xFF];
    }
    return out;
}

QString ClassParam::CryptRC4(QString text)
{
    return QString::fromLatin1(rc4(latin1Bytes(text)).toHex().toUpper());
}

QString ClassParam::DeCryptRC4(QString hexText)
{
    return QString::fromLatin1(rc4(decodeHex(hexText.toLatin1())).toHex().toUpper());
}

QString ClassParam::cryptSha1(QString text)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(latin1Bytes(text), QCryptographicHash::Sha1).toHex().toUpper());
}

// A file holding the fingerprint key in clear is a plaintext file; its raw
// bytes are taken as Latin-1 so accents survive a rewrite. Reads and writes
// test the same mark: a write that took such a file for cipher text would
// bury its keys under noise.
QString ClassParam::plaintextOf(const QByteArray &raw) const
{
    if (raw.contains("EMPREINTE"))
        return latin1Text(raw);
    return latin1Text(rc4(decodeHex(raw)));
}

bool ClassParam::fingerprintOk(const QString &plain)
{
    // The line a write renews; a bare key name is taken only without one.
    int p = findFingerprint(plain, kFingerprintMark);
    if (p < 0)
        p = plain.indexOf(kFingerprintKey);
    if (p < 0)
        return false;
    QString stored = plain.right(41);
    stored.remove(QLatin1Char('"'));
    stored = withoutLineEnds(stored);
    return stored == cryptSha1(plain.left(p + 10));
}

QString ClassParam::getParamCrypt(QString file, QString key, int check)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        readFailed(file);
        return QStringLiteral("PB_OPEN");
    }
    const QString plain = plaintextOf(f.readAll());
    f.close();

    QString result = QStringLiteral("NULL");
    const int h = findKey(plain, key);
    if (h >= 0) {
        const int start = h + key.size() + 2;
        const int lf = plain.indexOf(QLatin1Char('\n'), h);
        // Through the character after the line's LF, as the format has always read it.
        const int end = lf < 0 ? plain.size() : qMin(plain.size(), lf + 2);
        const QString span = withoutLineEnds(plain.mid(start, end - start));
        const int quote = span.indexOf(QLatin1Char('"'));
        result = quote < 0 ? span : span.left(quote);
    }
    if (check == 1 && !fingerprintOk(plain))
        result = QStringLiteral("FileError");
    return result;
}

bool ClassParam::getParamCrypt(QString file, QStringList keys, int check)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        readFailed(file);
        return false;
    }
    resetTable();
    const QString plain = plaintextOf(f.readAll());
    f.close();

    const QString mark = QStringLiteral("=\"");
    if (!keys.isEmpty() && keys.first() == QLatin1String("ALL")) {
        int open = plain.indexOf(mark);
        while (open >= 0) {
            // The key is its own line's start: a damaged line without a mark
            // before it would otherwise become part of this key's name.
            const int keyStart = open > 0 ? plain.lastIndexOf(QLatin1Char('\n'), open - 1) + 1 : 0;
            const QString k = withoutLineEnds(plain.mid(keyStart, open - keyStart));
            const int valueStart = open + 2;
            const int lf = plain.indexOf(QLatin1Char('\n'), valueStart);
            const int valueEnd = lf < 0 ? plain.size() : lf;
            QString value = plain.mid(valueStart, valueEnd - valueStart);
            value.remove(QLatin1Char('\r'));
            value.chop(1);
            BALISE[0].append(k);
            BALISE[1].append(value);
            if (lf < 0)
                break;
            open = plain.indexOf(mark, lf);
        }
    } else {
        for (const QString &key : qAsConst(keys)) {
            if (!plain.contains(key))
                continue;
            const int h = findKey(plain, key);
            if (h < 0)
                continue;
            const int start = h + key.size() + 2;
            const int lf = plain.indexOf(QLatin1Char('\n'), start);
            QString value = withoutLineEnds(plain.mid(start, (lf < 0 ? plain.size() : lf) - start));
            if (value.endsWith(QLatin1Char('"')))
                value.chop(1);
            BALISE[0].append(key);
            BALISE[1].append(value);
        }
    }
    if (check == 1)
        return fingerprintOk(plain);
    return true;
}

QString ClassParam::getInfoBalise(QString key)
{
    return getInfoBalise(BALISE, key);
}

QString ClassParam::getInfoBalise(QList<QList<QString>> table, QString key)
{
    if (table.size() < 2)
        return QStringLiteral("NULL");
    const int pos = table.at(0).indexOf(key);
    if (pos < 0 || pos >= table.at(1).size())
        return QStringLiteral("NULL");
    return table.at(1).at(pos);
}

bool ClassParam::setParamCrypt(QString file, QString key, QString value)
{
    // The value is not logged: the login file holds passwords.
    qDebug().noquote() << "setParamCrypt: BALISE:" + key;
    return setParamsCrypt(file, {qMakePair(key, value)});
}

// One key set on the plaintext, fingerprint renewed, as a write of that key
// alone would leave it.
QString ClassParam::applyKey(QString plain, const QString &key, const QString &value)
{
    const QString head = key + QLatin1String("=\"");
    const int h = findKey(plain, key);
    if (h < 0) {
        int fp = -1;
        plain = withoutFingerprint(plain, &fp);
        // A key glued to a last line without line end could not be found again.
        endLine(plain);
        plain += head + value + QLatin1String("\"\r\n") + kFingerprintMark;
    } else {
        // The line as it stands, without the CR of its line end. A line that
        // lost its closing quote is rewritten whole, quote included: dropping
        // its last character as the quote would leave the new value open.
        const int start = h + head.size();
        const int lf = plain.indexOf(QLatin1Char('\n'), start);
        int lineEnd = lf < 0 ? plain.size() : lf;
        if (lineEnd > start && plain.at(lineEnd - 1) == QLatin1Char('\r'))
            --lineEnd;
        const QString line = plain.mid(start, lineEnd - start);
        const bool closed = line.endsWith(QLatin1Char('"'));
        const QString from = head + (closed ? line.chopped(1) : line);
        const QString to = head + value + (closed ? QString() : QStringLiteral("\""));
        plain.replace(h, from.size(), to);

        // Later lines of the same key holding the same old value follow, on
        // key lines only: a plain text replacement would also rewrite a
        // longer key ending with this one ("XID" for "ID").
        int pos = findKey(plain, key, h + to.size());
        while (pos >= 0) {
            int next = pos + 1;
            if (plain.midRef(pos, from.size()) == from) {
                plain.replace(pos, from.size(), to);
                next = pos + to.size();
            }
            pos = findKey(plain, key, next);
        }

        int fp = -1;
        plain = withoutFingerprint(plain, &fp);
        // The mark stays where the old one stood unless lines followed it.
        if (fp >= 0 && plain.size() > fp)
            endLine(plain);
        plain += kFingerprintMark;
    }
    plain += QLatin1Char('"') + cryptSha1(plain) + QLatin1Char('"');
    // What reading the written file back gives: characters outside Latin-1 become "?".
    return latin1Text(latin1Bytes(plain));
}

namespace {

// The keys set on the plaintext in one pass, as applyKey() one key after
// the other would leave them, fingerprint mark last and not yet signed: a
// journal of thousands of records is written in one pass, not one pass of
// the whole text per key. Only for an empty text or one of whole lines
// whose one fingerprint line is last; false for any other, which then
// goes key by key.
bool applyKeysAtOnce(QString *plain, const QList<QPair<QString, QString>> &values)
{
    const QString &text = *plain;
    int fp = -1;
    if (!text.isEmpty()) {
        fp = findFingerprint(text, kFingerprintMark);
        if (fp < 0 || (fp > 0 && text.at(fp - 1) != QLatin1Char('\n')) || text.indexOf(QLatin1Char('\n'), fp) >= 0
            || text.indexOf(kFingerprintKey) != fp || text.indexOf(kFingerprintKey, fp + 1) >= 0)
            return false;
    }
    // Lines with their line ends, and where each key starts one.
    QStringList lines;
    QHash<QString, QVector<int>> byKey;
    const QString quote = QStringLiteral("=\"");
    for (int start = 0; start < fp;) {
        const int end = text.indexOf(QLatin1Char('\n'), start) + 1;
        lines << text.mid(start, end - start);
        const int q = lines.last().indexOf(quote);
        if (q > 0)
            byKey[lines.last().left(q)].append(lines.size() - 1);
        start = end;
    }
    for (const auto &kv : values) {
        const QString head = kv.first + quote;
        const QString value = latin1Text(latin1Bytes(kv.second));
        QVector<int> &at = byKey[kv.first];
        if (at.isEmpty()) {
            lines << head + value + QLatin1String("\"\r\n");
            at.append(lines.size() - 1);
            continue;
        }
        // The first line's value as it stands, without the CR of its line end.
        const QString &first = lines.at(at.first());
        int lineEnd = first.size() - 1;
        if (lineEnd > head.size() && first.at(lineEnd - 1) == QLatin1Char('\r'))
            --lineEnd;
        const QString line = first.mid(head.size(), lineEnd - head.size());
        const bool closed = line.endsWith(QLatin1Char('"'));
        const QString from = head + (closed ? line.chopped(1) : line);
        const QString to = head + value + (closed ? QString() : QStringLiteral("\""));
        lines[at.first()] = to + first.mid(from.size());
        for (int i = 1; i < at.size(); ++i) {
            if (lines.at(at.at(i)).startsWith(from))
                lines[at.at(i)] = to + lines.at(at.at(i)).mid(from.size());
        }
    }
    *plain = lines.join(QString()) + kFingerprintMark;
    return true;
}

} // namespace

bool ClassParam::setParamsCrypt(QString file, QList<QPair<QString, QString>> values, QString *error)
{
    for (const auto &kv : qAsConst(values)) {
        const QString why = unstorable(kv.first, kv.second);
        if (!why.isEmpty()) {
            qDebug().noquote() << "setParamCrypt: " + file + " not written: " + why;
            if (error)
                *error = why;
            return false;
        }
    }

    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        readFailed(file);
        if (error)
            *error = in.errorString();
        return false;
    }
    QString plain = plaintextOf(in.readAll());
    in.close();
    if (valueRunsIntoMark(plain)) {
        const QString why = QStringLiteral("%1 is damaged: a value runs into its fingerprint").arg(file);
        qDebug().noquote() << "setParamCrypt: " + why;
        if (error)
            *error = why;
        return false;
    }

    // Intermediate fingerprints stay in on purpose: on a damaged file the
    // next key's old value may run into them, exactly as key by key.
    if (!values.isEmpty() && applyKeysAtOnce(&plain, values)) {
        plain += QLatin1Char('"') + cryptSha1(plain) + QLatin1Char('"');
    } else {
        for (const auto &kv : qAsConst(values))
            plain = applyKey(plain, kv.first, kv.second);
    }

    const QByteArray cipher = rc4(latin1Bytes(plain)).toHex().toUpper();
    qDebug().noquote() << "PATH FILE:" + file;

    // write() only buffers and this Qt's commit() misses a failed flush: on
    // a full disk the empty temporary would replace the file. Flush first.
    QSaveFile out(file);
    QString why;
    if (!out.open(QIODevice::WriteOnly) || out.write(cipher) != cipher.size() || !out.flush()) {
        why = LocalWriteError::reason(out);
        out.cancelWriting();
    } else if (!out.commit()) {
        why = out.errorString();
    } else {
        QFile back(file);
        if (!back.open(QIODevice::ReadOnly) || back.readAll() != cipher)
            why = QStringLiteral("%1 does not read back as written").arg(file);
    }
    if (!why.isEmpty()) {
        qDebug().noquote() << "setParamCrypt: " + file + " not written: " + why;
        if (error)
            *error = why;
        return false;
    }
    for (const auto &kv : qAsConst(values)) {
        const int inTable = BALISE.isEmpty() ? -1 : BALISE.at(0).indexOf(kv.first);
        if (inTable >= 0 && BALISE.size() > 1 && inTable < BALISE.at(1).size())
            BALISE[1][inTable] = kv.second;
    }
    return true;
}
