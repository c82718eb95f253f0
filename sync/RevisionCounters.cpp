#include "RevisionCounters.h"

#include "Checksum.h"
#include "ClassParam.h"

namespace {

const QString kId = QStringLiteral("ID");

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
    if (!box.isEmpty())
        m_known.insert(box, Known{m_player, CalculChecksum(file), false});
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
        m_known.insert(box, Known{counter, checksum, true});
}

bool RevisionCounters::serverChanged(const QString &box, const QString &copy) const
{
    const auto it = m_known.constFind(box);
    if (it == m_known.constEnd())
        return false;
    return fileCounter(copy) != it->counter || CalculChecksum(copy) != it->checksum;
}

bool RevisionCounters::sentReplaced(const QString &box, const QString &copy) const
{
    const auto it = m_known.constFind(box);
    return it != m_known.constEnd() && it->sent && CalculChecksum(copy) != it->checksum;
}
