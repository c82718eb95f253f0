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
