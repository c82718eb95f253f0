#include "OperationJournal.h"

#include "ClassParam.h"

#include <QCoreApplication>
#include <QFile>

#include <limits>

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

namespace {

QString failure(const QString &path, const QString &why)
{
    return QCoreApplication::translate("OperationJournal", "Impossible de créer le fichier %1: %2.").arg(path, why);
}

// A counter made only of digits that no int holds once raised.
bool counterAtLimit(const QString &count)
{
    bool ok = false;
    const qlonglong value = count.toLongLong(&ok);
    if (ok)
        return value >= std::numeric_limits<int>::max();
    if (count.isEmpty())
        return false;
    for (const QChar c : count) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

bool OperationJournal::append(const QString &path, const QStringList &fields, QString *error)
{
    if (!QFile::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            if (error)
                *error = failure(path, file.errorString());
            return false;
        }
        file.close();
    }

    ClassParam journal;
    const QString count = journal.getParamCrypt(path, countKey(), 0);
    if (counterAtLimit(count)) {
        if (error)
            *error = failure(path, QCoreApplication::translate("OperationJournal", "le compteur %1 ne peut plus augmenter (%2)")
                                       .arg(countKey(), count));
        return false;
    }
    // "NULL", "0" and anything that is not a number all start over at 1.
    const int number = qMax(count.toInt(), 0) + 1;
    // One write for both keys (the same bytes as two writes, counter first):
    // a record the file cannot hold leaves no counter without its record.
    QString why;
    if (!journal.setParamsCrypt(path, {qMakePair(countKey(), QString::number(number)),
                                       qMakePair(recordKey(number), fields.join(QLatin1Char('|')))},
                                &why)) {
        if (error)
            *error = failure(path, why);
        return false;
    }
    return true;
}
