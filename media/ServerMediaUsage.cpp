#include "ServerMediaUsage.h"

#include "ClassParam.h"
#include "HttpFileApi.h"
#include "MediaLibrary.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

ServerMediaUsage::ServerMediaUsage(const QString &workFolder, QObject *parent)
    : QObject(parent)
    , m_work(workFolder)
    , m_api(new HttpFileApi(this))
{
    m_api->setWorkFolder(workFolder);
    connect(m_api, &HttpFileApi::signalTransferEnded, this, &ServerMediaUsage::ended);
}

void ServerMediaUsage::fetch()
{
    if (m_busy) {
        m_again = true;
        return;
    }
    if (m_settings) {
        m_api->setAccountFolder(m_settings->accountFolder());
        m_api->setLocalMode(m_settings->localMode(), m_settings->localPath());
        m_api->setBaseUrl(m_settings->baseUrl());
    }
    QString why;
    if (!m_api->openTransferFile(indexCopy(), &why)) {
        qWarning().noquote() << "Index du serveur non lu:" << indexCopy() << why;
        emit counted(false, -1);
        return;
    }
    m_busy = true;
    m_api->downloadFileHttp(QString(), QStringLiteral("MEDIA.orvex"));
}

void ServerMediaUsage::cancel()
{
    m_again = false;
    if (!m_busy)
        return;
    m_busy = false;
    m_api->abortAll();
    QFile::remove(indexCopy());
}

void ServerMediaUsage::ended(int operation, bool ok)
{
    if (operation != HttpFileApi::OpDownload || !m_busy)
        return;
    m_busy = false;
    if (m_again) {
        m_again = false;
        fetch();
        return;
    }
    qint64 bytes = -1;
    if (ok) {
        emit fetched(indexCopy());
        bytes = projected();
    } else if (m_api->lastDownloadMissing()) {
        // No index on the server yet: this console's own one holds all there is.
        MediaLibrary own(m_work);
        own.load();
        bytes = own.usedBytes();
    }
    QFile::remove(indexCopy());
    emit counted(bytes >= 0, bytes);
}

qint64 ServerMediaUsage::projected()
{
    const QString journal = m_work + QLatin1String("TEMP/INFOMEDIA.orvex");
    // The merge deletes the journal it replays: it gets a copy.
    if (m_merge && QFile::exists(journal)) {
        QFile::remove(journalCopy());
        const bool merged = QFile::copy(journal, journalCopy()) && m_merge(indexCopy(), journalCopy());
        QFile::remove(journalCopy());
        if (!merged)
            return -1;
    }
    ClassParam index;
    if (QFileInfo(indexCopy()).size() <= 0 || !index.getParamCrypt(indexCopy(), QStringList{QStringLiteral("ALL")}, 0))
        return -1;
    const QString sizes = index.getInfoBalise(QStringLiteral("FILESIZE"));
    qint64 sum = 0;
    if (sizes != QLatin1String("NULL")) {
        for (const QString &size : sizes.split(QLatin1Char('|')))
            sum += qMax<qint64>(0, size.toLongLong());
    }
    return sum;
}
