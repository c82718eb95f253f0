#include "RevisionCounters.h"

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

void RevisionCounters::getIDfilePlayer()
{
    m_player = readCounter(m_playerFile, m_work + QLatin1String("DATA/PLAYER.orvex"));
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
