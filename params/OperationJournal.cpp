#include "OperationJournal.h"

#include "ClassParam.h"

#include <QCoreApplication>
#include <QFile>

QString OperationJournal::countKey()
{
    return QStringLiteral("NBOPERATION");
}

QString OperationJournal::recordKeyPrefix()
{
    return QStringLiteral("OPERATION n\u00B0");
}

QString OperationJournal::recordKey(int number)
{
    return recordKeyPrefix() + QString::number(number);
}

bool OperationJournal::append(const QString &path, const QStringList &fields, QString *error)
{
    if (!QFile::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            if (error)
                *error = QCoreApplication::translate("OperationJournal", "Impossible de créer le fichier %1: %2.")
                             .arg(path, file.errorString());
            return false;
        }
        file.close();
    }

    ClassParam journal;
    const QString count = journal.getParamCrypt(path, countKey(), 0);
    // "NULL", "0" and anything that is not a number all start over at 1.
    const int number = qMax(count.toInt(), 0) + 1;
    // Counter and record in one write: a failure leaves neither.
    QString why;
    const bool written = journal.setParamsCrypt(
        path, {qMakePair(countKey(), QString::number(number)), qMakePair(recordKey(number), fields.join(QLatin1Char('|')))},
        &why);
    if (!written && error)
        *error = QCoreApplication::translate("OperationJournal", "Impossible d'écrire le fichier %1: %2.").arg(path, why);
    return written;
}
