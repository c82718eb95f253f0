#pragma once

#include "ParamFileBatch.h"
#include "ParamTableCache.h"

#include <QString>

class ClassParam;

// The settings pages' view of DATA/PLAYER.orvex: the whole file read into a
// ClassParam table, and writes of several keys as one atomic write
// (ParamFileBatch), refused until the file was read whole, after which the
// table is read again.
class PosterFileTable
{
public:
    using Values = ParamFileBatch::Values;

    PosterFileTable(ClassParam &store, const QString &workFolder);

    QString path() const;

    // Reads every key (parsed again only when the file changed). False when the file cannot be opened or deciphers to
    // no key at all (damaged); the table is then emptied, so no other
    // screen's values linger, and writes are refused until the next load.
    bool load();
    bool isLoaded() const { return m_loaded; }

    // A key's value in the table; "NULL" when absent.
    QString value(const QString &key) const;
    int posterCount() const;

    // False, and the file untouched, when it was not loaded or cannot be
    // replaced; errorString() then says why.
    bool write(const Values &values);

    QString errorString() const { return m_error; }

private:
    ClassParam &m_store;
    QString m_workFolder;
    ParamTableCache m_table;
    bool m_loaded = false;
    QString m_error;
};
