#pragma once

#include <QString>
#include <QStringList>

// The record, in the work folder, of the screens whose box deployment was
// under way when the program was quit: written at the quit in one rename,
// read and removed by the next start, which names them.
class UnfinishedDeployment
{
public:
    static QString path(const QString &workFolder);
    // False when the record could not be written (nothing is left half).
    static bool record(const QString &workFolder, const QStringList &screens);
    // The screens recorded; empty when there is no record.
    static QStringList screens(const QString &workFolder);
    static void clear(const QString &workFolder);
    // The start's message naming them.
    static QString text(const QStringList &screens);
};
