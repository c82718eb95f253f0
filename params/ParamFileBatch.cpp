#include "ParamFileBatch.h"

#include "ClassParam.h"

namespace {

// A key the file did not have yet: readers of the table must see it too,
// or a later per-poster write would pad from "NULL" and drop this one.
void addToTable(ClassParam &store, const QString &key, const QString &value)
{
    while (store.BALISE.size() < 2)
        store.BALISE.append(QList<QString>());
    if (store.BALISE.at(0).contains(key))
        return;
    const int fp = store.BALISE.at(0).indexOf(QStringLiteral("EMPREINTE"));
    const int at = fp >= 0 && fp <= store.BALISE.at(1).size() ? fp : store.BALISE.at(0).size();
    if (at > store.BALISE.at(1).size())
        return;
    store.BALISE[0].insert(at, key);
    store.BALISE[1].insert(at, value);
}

} // namespace

ParamFileBatch::ParamFileBatch(ClassParam &store)
    : m_store(store)
{
}

bool ParamFileBatch::write(const QString &file, const Values &values)
{
    m_error.clear();
    if (!m_store.setParamsCrypt(file, values, &m_error))
        return false;
    for (const auto &kv : values)
        addToTable(m_store, kv.first, kv.second);
    return true;
}
