#include "OperationJournal.h"

#include "ClassParam.h"

#include <QCoreApplication>
#include <QFile>
#include <QMap>

#include <cerrno>
#include <cstdio>
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

QList<QStringList> OperationJournal::records(const QString &path, int after)
{
    ClassParam journal;
    QList<QStringList> found;
    if (!QFile::exists(path) || !journal.getParamCrypt(path, QStringList{QStringLiteral("ALL")}, 0))
        return found;
    const QString prefix = recordKeyPrefix();
    const QList<QString> keys = journal.BALISE.value(0);
    const QList<QString> values = journal.BALISE.value(1);
    QMap<int, QStringList> numbered;
    for (int i = 0; i < keys.size() && i < values.size(); ++i) {
        bool ok = false;
        const int number = keys.at(i).startsWith(prefix) ? keys.at(i).mid(prefix.size()).toInt(&ok) : 0;
        if (ok && number > after && !numbered.contains(number))
            numbered.insert(number, values.at(i).split(QLatin1Char('|')));
    }
    return numbered.values();
}

bool OperationJournal::rewrite(const QString &path, const QList<QStringList> &records, QString *error)
{
    if (records.isEmpty()) {
        if (!QFile::exists(path) || QFile::remove(path))
            return true;
        if (error)
            *error = QCoreApplication::translate("OperationJournal", "Impossible de supprimer le fichier %1.").arg(path);
        return false;
    }
    // Written beside it, then put in its place by one rename over it: at
    // every moment the journal is the old one or the new one, never missing.
    const QString fresh = path + QLatin1String(".new");
    QFile::remove(fresh);
    if (!appendAll(fresh, records, error)) {
        QFile::remove(fresh);
        return false;
    }
    if (std::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(path).constData()) == 0)
        return true;
    const QString why = qt_error_string(errno);
    QFile::remove(fresh);
    if (error)
        *error = QCoreApplication::translate("OperationJournal", "Impossible de remplacer le fichier %1: %2.").arg(path, why);
    return false;
}
