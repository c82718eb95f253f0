#pragma once

#include <QList>
#include <QPair>
#include <QString>

class ClassParam;

// Sets several keys of one parameter file with a single atomic write (see
// ClassParam::setParamsCrypt) and keeps the store's table of the last list
// read in step, new keys included.
class ParamFileBatch
{
public:
    using Values = QList<QPair<QString, QString>>;

    explicit ParamFileBatch(ClassParam &store);

    // False when the file cannot be read or replaced; the file is then
    // untouched and errorString() says why.
    bool write(const QString &file, const Values &values);

    QString errorString() const { return m_error; }

private:
    ClassParam &m_store;
    QString m_error;
};
