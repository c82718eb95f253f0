#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class ClassParam;

// The table of a parameter file's list read ("ALL") kept with the bytes it
// was parsed from: while the file holds the same bytes, reading it again is
// a comparison instead of a decipherment and a parse.
class ParamTableCache
{
public:
    // Fills store.BALISE as getParamCrypt(path, {"ALL"}, 0) does, with the
    // same result; a file that cannot be opened leaves the table as it was.
    bool readAll(ClassParam &store, const QString &path);
    void clear();

private:
    QString m_path;
    QByteArray m_bytes;
    QList<QList<QString>> m_table;
    bool m_valid = false;
};
