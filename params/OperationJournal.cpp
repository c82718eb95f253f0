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

// A counter made only of digits that no int holds once raised by `raise`.
bool counterAtLimit(const QString &count, int raise)
{
    bool ok = false;
    const qlonglong value = count.toLongLong(&ok);
    if (ok)
        return value > qlonglong(std::numeric_limits<int>::max()) - raise;
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
    return appendAll(path, {fields}, error);
}

bool OperationJournal::appendAll(const QString &path, const QList<QStringList> &records, QString *error)
{
    if (records.isEmpty())
        return true;
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
    if (counterAtLimit(count, records.size())) {
        if (error)
            *error = failure(path, QCoreApplication::translate("OperationJournal", "le compteur %1 ne peut plus augmenter (%2)")
                                       .arg(countKey(), count));
        return false;
    }
    // "NULL", "0" and anything that is not a number all start over at 1.
    int number = qMax(count.toInt(), 0);
    // Counter and records in one write: a failure leaves none of them.
    QList<QPair<QString, QString>> values;
    for (const QStringList &fields : records) {
        ++number;
        values.append({countKey(), QString::number(number)});
        values.append({recordKey(number), fields.join(QLatin1Char('|'))});
    }
    QString why;
    const bool written = journal.setParamsCrypt(path, values, &why);
    if (!written && error)
        *error = QCoreApplication::translate("OperationJournal", "Impossible d'écrire le fichier %1: %2.").arg(path, why);
    return written;
}
