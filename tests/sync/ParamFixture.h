#pragma once

#include "ClassParam.h"

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

// The same file as a foreign writer could leave it: values as they are, a
// NUL included (the program's own writer refuses one).
inline bool writeForeignParams(const QString &path, const ParamList &values)
{
    QString plain;
    for (const auto &kv : values)
        plain += kv.first + QStringLiteral("=\"") + kv.second + QStringLiteral("\"\r\n");
    plain += QStringLiteral("EMPREINTE=");
    ClassParam param;
    plain += QLatin1Char('"') + param.cryptSha1(plain) + QLatin1Char('"');
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(param.CryptRC4(plain).toLatin1()) > 0;
}

// A whole parameter file of one key NOM = `value`, as plain text (a reader
// takes a file holding the fingerprint line as it is): a transfer's bytes
// that a test can read, and that pass the check of a fetched file.
inline QByteArray paramText(const QString &value)
{
    QString plain = QStringLiteral("NOM=\"") + value + QStringLiteral("\"\r\nEMPREINTE=");
    plain += QLatin1Char('"') + ClassParam().cryptSha1(plain) + QLatin1Char('"');
    return plain.toLatin1();
}
