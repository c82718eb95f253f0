#include "ParamTableCache.h"

#include "ClassParam.h"

#include <QFile>

bool ParamTableCache::readAll(ClassParam &store, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        clear();
        return store.getParamCrypt(path, QStringList{QStringLiteral("ALL")}, 0);
    }
    const QByteArray bytes = file.readAll();
    file.close();
    if (m_valid && path == m_path && bytes == m_bytes) {
        store.BALISE = m_table;
        return true;
    }
    clear();
    if (!store.getParamCrypt(path, QStringList{QStringLiteral("ALL")}, 0))
        return false;
    m_path = path;
    m_bytes = bytes;
    m_table = store.BALISE;
    m_valid = true;
    return true;
}

void ParamTableCache::clear()
{
    m_valid = false;
    m_path.clear();
    m_bytes.clear();
    m_table.clear();
}
