#include "JournalDeployment.h"

#include "ClassParam.h"

#include <QFileInfo>
#include <QTimer>

JournalDeployment::JournalDeployment(QTimer *timer, QObject *parent)
    : QObject(parent)
    , m_timer(timer)
{
}

bool JournalDeployment::running() const
{
    return m_timer->isActive() || m_step != 0;
}

bool JournalDeployment::indexReadable(const QString &path)
{
    if (QFileInfo(path).size() <= 0)
        return false;
    ClassParam index;
    const QString value = index.getParamCrypt(path, QStringLiteral("FILEPATH"), 1);
    return value != QLatin1String("PB_OPEN") && value != QLatin1String("FileError");
}

bool JournalDeployment::fetchIndex()
{
    return m_download && m_download(m_work + QLatin1String("TEMP/"), QStringLiteral("MEDIA.orvex"), QString(), QString());
}

bool JournalDeployment::mergeFetchedIndex(const QString &journal, const char *code, int errorCode)
{
    if (!indexReadable(indexPath())) {
        m_timer->stop();
        emit signalCorrupt(tr("Le fichier media est corrompu (code: %1) !!").arg(QLatin1String(code)));
    } else if (m_merge && !m_merge(indexPath(), m_work + QLatin1String("TEMP/") + journal)) {
        m_timer->stop();
        emit signalErreurConnexion(errorCode);
    } else {
        return true;
    }
    finish();
    return false;
}
