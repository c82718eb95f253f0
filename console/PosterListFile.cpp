#include "PosterListFile.h"

#include "ClassParam.h"
#include "NewsFeedSource.h"
#include "ParamFileBatch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

namespace {

const QString kNull = QStringLiteral("NULL");

QString tableValue(const ClassParam &store, const QString &key)
{
    // getInfoBalise is not const; the lookup itself does not change anything.
    return const_cast<ClassParam &>(store).getInfoBalise(key);
}

} // namespace

const QStringList &PosterListFile::keys()
{
    static const QStringList list{
        QStringLiteral("SLIDETYPE"),       QStringLiteral("SLIDEDELAY"),
        QStringLiteral("SLIDENAMEIMAGE"),  QStringLiteral("SLIDENAMEIMAGECHK"),
        QStringLiteral("SLIDENAMEVIDEO"),  QStringLiteral("SLIDENAMEVIDEOCHK"),
        QStringLiteral("SLIDENAMETXT"),    QStringLiteral("SLIDENAMETXTCHK"),
        QStringLiteral("SLIDEOPACITY"),    QStringLiteral("DATEDEBUT"),
        QStringLiteral("HEUREDEBUT"),      QStringLiteral("DATEFIN"),
        QStringLiteral("HEUREFIN"),        QStringLiteral("NOMAFFICHE"),
        QStringLiteral("DATEDEBUT1"),      QStringLiteral("HEUREDEBUT1"),
        QStringLiteral("DATEFIN1"),        QStringLiteral("HEUREFIN1"),
        QStringLiteral("JOURSSEMAINE"),    QStringLiteral("JOURSSEMAINE1"),
        QStringLiteral("NUMEROECRAN"),     QStringLiteral("SLIDERSSADRESSE"),
        QStringLiteral("SLIDERSSDELAY"),   QStringLiteral("WIDGETMETEOZIP"),
        QStringLiteral("WIDGETMETEOLANGUE"), QStringLiteral("WIDGETMETEOCITY"),
    };
    return list;
}

QString PosterListFile::defaultNewsFeed()
{
    return NewsFeedSource::address(QStringLiteral("https://www.lemonde.fr/rss/une.xml"));
}

QString PosterListFile::defaultName(int number)
{
    return QStringLiteral("Affiche n°") + QString::number(number);
}

QStringList PosterListFile::newRecord(int rowCount)
{
    QStringList record;
    for (int i = 0; i < FieldCount; ++i)
        record.append(QString());
    record[SlideDelay] = QStringLiteral("5");
    record[SlideOpacity] = QStringLiteral("100");
    record[NomAffiche] = defaultName(rowCount + 1);
    record[NumeroEcran] = QStringLiteral("1");
    record[WidgetMeteoZip] = QStringLiteral("34000");
    record[WidgetMeteoLangue] = QStringLiteral("fr");
    record[WidgetMeteoCity] = QStringLiteral("Montpellier");
    record[SlideRssAdresse] = defaultNewsFeed();
    record[SlideRssDelay] = QStringLiteral("10000");
    return record;
}

QStringList PosterListFile::entries(const QString &value)
{
    return value.split(QLatin1Char('|'), Qt::KeepEmptyParts);
}

QStringList PosterListFile::posterNames(const QString &rawNames, int count)
{
    const bool stored = rawNames != kNull && !rawNames.isEmpty();
    const QStringList names = entries(rawNames);
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows.append(stored && i < names.size() ? names.at(i) : defaultName(i + 1));
    return rows;
}

QString PosterListFile::cleanName(QString name)
{
    for (QChar &c : name) {
        if (c == QLatin1Char('|') || c == QLatin1Char('"') || c == QLatin1Char('=') || c == QLatin1Char('\r')
            || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return name;
}

bool PosterListFile::isStorableEntry(const QString &value)
{
    return !value.contains(QLatin1Char('|')) && !value.contains(QLatin1Char('"'))
        && !value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n'));
}

PosterListFile::PosterListFile(ClassParam &store, const QString &workFolder)
    : m_store(store)
    , m_workFolder(workFolder)
{
}

QString PosterListFile::path() const
{
    return m_workFolder + relativePath();
}

QString PosterListFile::dataFolder() const
{
    return m_workFolder + QStringLiteral("DATA/");
}

bool PosterListFile::load()
{
    m_error.clear();
    m_damaged = false;
    if (!readTable()) {
        m_error = QCoreApplication::translate("PosterListFile", "Le fichier des affiches est introuvable ou illisible.");
        // The table may still hold another screen's posters.
        m_store.BALISE = {QList<QString>(), QList<QString>()};
        m_count = countInTable();
        return false;
    }
    // A file with bytes but no key line deciphers to noise: editing it would
    // bury whatever it holds under a new key list.
    if (QFileInfo(path()).size() > 0 && m_store.BALISE.value(0).isEmpty()) {
        m_damaged = true;
        m_error = QCoreApplication::translate("PosterListFile", "Le fichier des affiches est endommagé.");
    }
    m_count = countInTable();
    return !m_damaged;
}

bool PosterListFile::readTable()
{
    return m_table.readAll(m_store, path());
}

int PosterListFile::countInTable() const
{
    return entries(tableValue(m_store, QStringLiteral("SLIDETYPE"))).size();
}

PosterListFile::Records PosterListFile::records()
{
    load();
    const int count = m_count;
    Records list;
    QList<QStringList> columns;
    for (const QString &key : keys())
        columns.append(entries(tableValue(m_store, key)));
    for (int i = 0; i < count; ++i) {
        QStringList record;
        for (const QStringList &column : qAsConst(columns)) {
            const QString v = column.value(i);
            record.append(v == kNull ? QString() : v);
        }
        list.append(record);
    }
    return list;
}

bool PosterListFile::setRecords(const Records &records)
{
    ParamFileBatch::Values values;
    const QStringList &names = keys();
    for (int k = 0; k < names.size(); ++k) {
        QStringList fields;
        for (const QStringList &record : records)
            fields.append(record.value(k));
        values.append(qMakePair(names.at(k), fields.join(QLatin1Char('|'))));
    }
    if (!writeValues(values))
        return false;
    m_count = countInTable();
    return true;
}

QStringList PosterListFile::namesInTable()
{
    m_count = countInTable();
    return posterNames(tableValue(m_store, QStringLiteral("NOMAFFICHE")), m_count);
}

bool PosterListFile::writeNames(const QStringList &names)
{
    QStringList cleaned;
    for (const QString &name : names)
        cleaned.append(cleanName(name));
    return setValue(QStringLiteral("NOMAFFICHE"), cleaned.join(QLatin1Char('|')));
}

QString PosterListFile::entry(const QString &key, int index) const
{
    const QStringList list = entries(tableValue(m_store, key));
    return index >= 0 && index < list.size() ? list.at(index) : QString();
}

bool PosterListFile::setEntry(const QString &key, int index, const QString &value, int rowCount)
{
    return setEntries(index, {qMakePair(key, value)}, rowCount);
}

bool PosterListFile::setEntries(int index, const QList<QPair<QString, QString>> &values, int rowCount)
{
    m_error.clear();
    ParamFileBatch::Values joined;
    for (const auto &kv : values) {
        if (!isStorableEntry(kv.second)) {
            m_error = QCoreApplication::translate("PosterListFile", "Valeur invalide pour une affiche: %1").arg(kv.second);
            return false;
        }
        QStringList list = entries(tableValue(m_store, kv.first));
        if (list.size() == 1 && (list.first().isEmpty() || list.first() == kNull)) {
            list[0].clear();
            while (list.size() < rowCount)
                list.append(QString());
        }
        // Out of range is no failure to report: there is simply no such poster.
        if (index < 0 || index >= list.size())
            return false;
        list[index] = kv.second;
        joined.append(qMakePair(kv.first, list.join(QLatin1Char('|'))));
    }
    return writeValues(joined);
}

bool PosterListFile::setValue(const QString &key, const QString &value)
{
    return writeValues({qMakePair(key, value)});
}

bool PosterListFile::writeValues(const QList<QPair<QString, QString>> &values)
{
    if (m_damaged) {
        m_error = QCoreApplication::translate("PosterListFile", "Le fichier des affiches est endommagé.");
        return false;
    }
    ParamFileBatch batch(m_store);
    if (!batch.write(path(), values)) {
        m_error = batch.errorString();
        return false;
    }
    return true;
}

bool PosterListFile::appendPoster(int rowCount)
{
    Records list = records();
    if (m_damaged)
        return false;
    list.append(newRecord(rowCount));
    return setRecords(list);
}

bool PosterListFile::movePoster(int from, int to)
{
    Records list = records();
    if (m_damaged || from < 0 || to < 0 || from >= list.size() || to >= list.size())
        return false;
    list.move(from, to);
    return setRecords(list);
}

bool PosterListFile::removePoster(int row)
{
    if (row < 0)
        return false;
    Records list = records();
    if (m_damaged)
        return false;
    // References are renumbered inside the one write, and files are touched
    // only once it has succeeded: a failed write leaves everything as it was.
    for (int i = row + 1; i < list.size(); ++i)
        list[i][SlideNameTxt] = renumberedReference(list.at(i).at(SlideNameTxt), i);
    if (row < list.size())
        list.removeAt(row);
    if (!setRecords(list))
        return false;
    removeLegacyFiles(row + 1);
    renameLegacyFiles(row + 1);
    return true;
}

void PosterListFile::removeLegacyFiles(int number)
{
    const QString base = dataFolder() + QStringLiteral("Slide") + QString::number(number);
    for (const char *ext : {".txt", ".png"}) {
        const QString file = base + QLatin1String(ext);
        if (QFile::exists(file))
            QFile::remove(file);
    }
}

QString PosterListFile::renumberedReference(const QString &entry, int index)
{
    // Text pictures of the library are no legacy files, whatever their name.
    if (entry.startsWith(QLatin1String("TEXT/")))
        return entry;
    const QRegularExpression ref(QStringLiteral("(?<![A-Za-z0-9_])Slide%1(?!\\d)").arg(index + 1));
    QString out = entry;
    out.replace(ref, QStringLiteral("Slide") + QString::number(index));
    return out;
}

void PosterListFile::renameLegacyFiles(int number)
{
    // Ascending order, so every target name has been freed before it is taken.
    static const QRegularExpression fileName(QStringLiteral("^Slide(\\d+)(\\D.*)?$"));
    QMap<qulonglong, QStringList> byNumber;
    const QStringList files = QDir(dataFolder()).entryList(QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString &name : files) {
        const QRegularExpressionMatch m = fileName.match(name);
        bool ok = false;
        const qulonglong k = m.hasMatch() ? m.captured(1).toULongLong(&ok) : 0;
        if (ok && k > qulonglong(number))
            byNumber[k].append(m.captured(2));
    }
    for (auto it = byNumber.cbegin(); it != byNumber.cend(); ++it) {
        for (const QString &rest : it.value()) {
            const QString from = dataFolder() + QStringLiteral("Slide") + QString::number(it.key()) + rest;
            const QString to = dataFolder() + QStringLiteral("Slide") + QString::number(it.key() - 1) + rest;
            if (!QFile::exists(to))
                QFile::rename(from, to);
        }
    }
}

bool PosterListFile::renumberLegacyFiles(int number)
{
    renameLegacyFiles(number);
    QStringList list = entries(tableValue(m_store, QStringLiteral("SLIDENAMETXT")));
    if (list.size() <= number)
        return true;
    for (int i = number; i < list.size(); ++i)
        list[i] = renumberedReference(list.at(i), i);
    return setValue(QStringLiteral("SLIDENAMETXT"), list.join(QLatin1Char('|')));
}
