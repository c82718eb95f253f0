#include "RevisionCounters.h"

#include "Checksum.h"
#include "ClassLog.h"
#include "ClassParam.h"

#include <QFile>

namespace {

const QString kId = QStringLiteral("ID");

QString checksumOf(const QString &file)
{
    return QFile::exists(file) ? CalculChecksum(file) : QString();
}

QString keyOf(const QString &box, const QString &file)
{
    return box + QLatin1Char('/') + file;
}

int readCounter(ClassParam *param, const QString &file)
{
    param->getParamCrypt(file, QStringList{QStringLiteral("ALL")}, 0);
    return RevisionCounters::counterOf(param->getInfoBalise(kId));
}

} // namespace

RevisionCounters::RevisionCounters(ClassParam *player, ClassParam *media, QObject *parent)
    : QObject(parent)
    , m_playerFile(player)
    , m_mediaFile(media)
{
}

void RevisionCounters::setWorkFolder(const QString &folder)
{
    m_work = folder;
    m_sent = KeptChanges(KeptChanges::path(folder, QStringLiteral("BOXES")));
    QString error;
    if (!m_sent.load(&error))
        ClassLog().log(QStringLiteral("OrvexLog"), error);
}

QString RevisionCounters::questionText()
{
    return QStringLiteral("Le fichier d'origine a été modifié par un autre utilisateur. Voulez-vous continuer?");
}

int RevisionCounters::counterOf(const QString &value)
{
    if (value == QLatin1String("NULL") || value.isEmpty())
        return 0;
    bool ok = false;
    const int n = value.toInt(&ok, 10);
    return ok ? n : 0;
}

void RevisionCounters::getIDfilePlayer(const QString &box)
{
    const QString file = m_work + QLatin1String("DATA/PLAYER.orvex");
    m_player = readCounter(m_playerFile, file);
    if (!box.isEmpty()) {
        m_known.insert(box, Known{m_player, CalculChecksum(file)});
        m_knownInfo.insert(box, checksumOf(m_work + QLatin1String("DATA/INFO.orvex")));
    }
}

void RevisionCounters::getIDfileMedia()
{
    m_media = readCounter(m_mediaFile, m_work + QLatin1String("TEMP/MEDIA.orvex"));
}

bool RevisionCounters::checkIDfile(const QString &file, int expected)
{
    ClassParam fresh;
    if (readCounter(&fresh, file) == expected)
        return true;
    return m_ask && m_ask(questionText());
}

int RevisionCounters::raise(ClassParam *param, const QString &file)
{
    // The table of the last full read, as updated by the object's writes.
    const int next = counterOf(param->getInfoBalise(kId)) + 1;
    param->setParamCrypt(file, kId, QString::number(next));
    return next;
}

void RevisionCounters::AjouteIDfilePlayer(bool selectedBox)
{
    const int next = raise(m_playerFile, m_work + QLatin1String("DATA/PLAYER.orvex"));
    if (selectedBox)
        m_player = next;
}

void RevisionCounters::AjouteIDfileMedia()
{
    m_media = raise(m_mediaFile, m_work + QLatin1String("TEMP/MEDIA.orvex"));
}

int RevisionCounters::fileCounter(const QString &file)
{
    ClassParam fresh;
    return readCounter(&fresh, file);
}

bool RevisionCounters::raisePlayer(int floor, const QList<QPair<QString, QString>> &edits, int *written,
                                   QString *error)
{
    const int next = qMax(counterOf(m_playerFile->getInfoBalise(kId)), floor) + 1;
    QList<QPair<QString, QString>> values = edits;
    values << qMakePair(kId, QString::number(next));
    if (!m_playerFile->setParamsCrypt(m_work + QLatin1String("DATA/PLAYER.orvex"), values, error))
        return false;
    *written = next;
    return true;
}

void RevisionCounters::rememberPlayer(const QString &box, int counter, bool selectedBox, const QString &checksum)
{
    if (selectedBox)
        m_player = counter;
    if (!box.isEmpty())
        m_known.insert(box, Known{counter, checksum});
}

void RevisionCounters::rememberInfo(const QString &box, const QString &checksum)
{
    m_knownInfo.insert(box, checksum);
}

bool RevisionCounters::serverChanged(const QString &box, const QString &copy) const
{
    const auto it = m_known.constFind(box);
    if (it != m_known.constEnd())
        return fileCounter(copy) != it->counter || CalculChecksum(copy) != it->checksum;
    // Not seen since the start: what this console sent before, if anything.
    const KeptChanges::Change kept = m_sent.find(KeptChanges::BoxFile, keyOf(box, QStringLiteral("PLAYER.orvex")));
    if (kept.key.isEmpty())
        return false;
    return fileCounter(copy) != counterOf(kept.extra.value(0)) || checksumOf(copy) != kept.after;
}

bool RevisionCounters::infoChanged(const QString &box, const QString &copy) const
{
    const auto it = m_knownInfo.constFind(box);
    if (it != m_knownInfo.constEnd())
        return checksumOf(copy) != *it;
    const KeptChanges::Change kept = m_sent.find(KeptChanges::BoxFile, keyOf(box, QStringLiteral("INFO.orvex")));
    return !kept.key.isEmpty() && checksumOf(copy) != kept.after;
}

bool RevisionCounters::keepSent(const QString &box, int counter, const QList<Sent> &files, QString *error)
{
    KeptChanges next = m_sent;
    for (const Sent &f : files) {
        KeptChanges::Change c;
        c.kind = KeptChanges::BoxFile;
        c.key = keyOf(box, f.file);
        c.before = f.before;
        c.after = f.after;
        c.extra = QStringList{QString::number(counter)};
        // A new send replaces what was kept of the last one.
        next.replace(c);
    }
    if (!next.save(error))
        return false;
    m_sent = next;
    return true;
}

void RevisionCounters::dropSent(const QString &box)
{
    for (const char *file : {"PLAYER.orvex", "INFO.orvex"})
        m_sent.drop(KeptChanges::BoxFile, keyOf(box, QLatin1String(file)));
    QString error;
    if (!m_sent.save(&error))
        ClassLog().log(QStringLiteral("OrvexLog"), error);
}

QStringList RevisionCounters::sentBoxes() const
{
    QStringList boxes;
    for (const KeptChanges::Change &c : m_sent.changes(KeptChanges::BoxFile)) {
        const QString box = c.key.section(QLatin1Char('/'), 0, 0);
        if (!boxes.contains(box))
            boxes << box;
    }
    return boxes;
}

QString RevisionCounters::sentReplaced(const QString &box, const QString &folder) const
{
    for (const char *file : {"PLAYER.orvex", "INFO.orvex"}) {
        const QString name = QLatin1String(file);
        const KeptChanges::Change kept = m_sent.find(KeptChanges::BoxFile, keyOf(box, name));
        if (!kept.key.isEmpty() && KeptChanges::judge(kept, checksumOf(folder + name)) != KeptChanges::Shown)
            return name;
    }
    return QString();
}
