#pragma once

#include "ClassParam.h"

#include <QCryptographicHash>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>

using ParamList = QList<QPair<QString, QString>>;

// Writes a parameter file holding `values`, in order; replaces `path`.
inline bool writeParams(const QString &path, const ParamList &values)
{
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.close();
    ClassParam param;
    for (const auto &kv : values) {
        if (!param.setParamCrypt(path, kv.first, kv.second))
            return false;
    }
    return true;
}

// Writes the Latin-1 lines (`KEY="value"` CR LF each) as a peer would have
// stored them, fingerprint and cipher included: values ClassParam itself
// refuses to write (a NUL) can come from the server this way.
inline bool writeStoredParams(const QString &path, const QByteArray &lines)
{
    const QByteArray head = lines + "EMPREINTE=";
    const QByteArray plain =
        head + '"' + QCryptographicHash::hash(head, QCryptographicHash::Sha1).toHex().toUpper() + '"';
    const QByteArray key = QByteArray::fromHex("7C41E0B95D");
    unsigned char s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<unsigned char>(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + static_cast<unsigned char>(key[i % key.size()])) % 256;
        std::swap(s[i], s[j]);
    }
    QByteArray cipher = plain;
    for (int n = 0, i = 0, j = 0; n < cipher.size(); ++n) {
        i = (i + 1) % 256;
        j = (j + s[i]) % 256;
        std::swap(s[i], s[j]);
        cipher[n] = char(cipher[n] ^ s[(s[i] + s[j]) % 256]);
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(cipher.toHex().toUpper()) > 0;
}
