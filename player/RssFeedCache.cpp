#include "RssFeedCache.h"

#include "ConsoleLogRecord.h"
#include "RssFeedConverter.h"
#include "RssFeedList.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

RssFeedCache::RssFeedCache(QObject *parent)
    : QObject(parent)
    , m_stepTimer(new QTimer(this))
    , m_refreshTimer(new QTimer(this))
    , m_stallTimer(new QTimer(this))
    , m_network(new QNetworkAccessManager(this))
{
    m_stepTimer->setInterval(1);
    connect(m_stepTimer, &QTimer::timeout, this, &RssFeedCache::slotRssLocal);
    m_refreshTimer->setInterval(RefreshMs);
    connect(m_refreshTimer, &QTimer::timeout, this, &RssFeedCache::slotRefreshRss);
    m_stallTimer->setSingleShot(true);
    connect(m_stallTimer, &QTimer::timeout, this, [this] {
        if (m_reply) {
            qDebug() << "Http Erreur: no progress for" << m_stallMs << "ms";
            m_reply->abort();
        }
    });
}

RssFeedCache::~RssFeedCache()
{
    abortDownload();
}

QString RssFeedCache::rssPath(const QString &file) const
{
    return m_workFolder + QStringLiteral("RSS/") + file;
}

QString RssFeedCache::localUrl(const QString &file) const
{
    return QUrl::fromLocalFile(rssPath(file)).toString();
}

QString RssFeedCache::replaceXmlPath(const QString &address)
{
    return RssFeedList::localName(address);
}

QStringList RssFeedCache::RssTransLocal(QStringList types, QStringList addresses)
{
    QDir().mkpath(rssPath());
    qDebug() << "List Of RssFeed:" << addresses;
    qDebug() << "List Of RssFeed:" << types;
    m_savedFeeds = RssFeedList::feedAddresses(types, addresses);
    const QStringList files = RssFeedList::localFiles(types, addresses, m_workFolder);
    QStringList keep;
    for (const QString &feed : qAsConst(m_savedFeeds))
        keep.append(replaceXmlPath(feed) + QStringLiteral(".xml"));
    // Feeds still on the screen keep their last good file until replaced.
    RemoveXML(keep);
    startCycle();
    return files;
}

void RssFeedCache::slotRefreshRss()
{
    consoleLogDebug("----------->>>>>>Nombre passage Refresh RSS=%d", m_refreshCount);
    ++m_refreshCount;
    startCycle();
}

// A new list or a refresh drops the request in flight and starts over.
void RssFeedCache::startCycle()
{
    abortDownload();
    for (const QString &tmp : QDir(rssPath()).entryList({QStringLiteral("*.tmp")}, QDir::Files))
        QFile::remove(rssPath(tmp));
    m_queue = m_savedFeeds;
    m_imageQueue.clear();
    m_usedImages.clear();
    m_items.clear();
    m_currentName.clear();
    m_cycleFailed = false;
    m_boxShown = false;
    m_step = 0;
    m_stepTimer->start();
}

void RssFeedCache::abortDownload()
{
    m_stallTimer->stop();
    if (m_reply) {
        QNetworkReply *reply = m_reply;
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    if (m_file) {
        const QString path = m_file->fileName();
        m_file->close();
        delete m_file;
        m_file = nullptr;
        QFile::remove(path);
    }
    m_done = false;
}

void RssFeedCache::RemoveXML(const QStringList &keep)
{
    const QDir dir(rssPath());
    for (const QString &name : dir.entryList({QStringLiteral("*.xml")}, QDir::Files)) {
        if (keep.isEmpty() || !keep.contains(name))
            QFile::remove(dir.filePath(name));
    }
}

void RssFeedCache::RemoveListRss(QStringList used)
{
    QStringList names;
    for (const QString &address : qAsConst(used))
        names.append(RssFeedConverter::pictureFileName(address));
    const QDir dir(rssPath());
    const QStringList pictures = dir.entryList(
        {QStringLiteral("*.png"), QStringLiteral("*.jpg"), QStringLiteral("*.gif"), QStringLiteral("*.bmp"),
         QStringLiteral("*.jpeg")},
        QDir::Files);
    for (const QString &file : pictures) {
        if (!names.contains(file))
            QFile::remove(dir.filePath(file));
    }
}

bool RssFeedCache::openDownload(const QString &path, const QString &shownPath)
{
    auto *file = new QFile(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        reportSaveFailure(shownPath, file->errorString());
        delete file;
        return false;
    }
    m_file = file;
    return true;
}

void RssFeedCache::reportSaveFailure(const QString &shownPath, const QString &error)
{
    qDebug().noquote() << "RSS: cannot save" << shownPath << error;
    if (m_boxShown)
        return;
    m_boxShown = true;
    // No tick may run while the message is up.
    const bool running = m_stepTimer->isActive();
    m_stepTimer->stop();
    emit saveFailed(tr("Impossible de sauvegarder le fichier %1: %2.").arg(shownPath, error));
    if (running && m_step != 0)
        m_stepTimer->start();
}

void RssFeedCache::request(const QString &address)
{
    m_done = false;
    m_error = false;
    QNetworkReply *reply = m_network->get(QNetworkRequest(QUrl(address)));
    m_reply = reply;
    connect(reply, &QNetworkReply::finished, this, &RssFeedCache::httpFinished);
    connect(reply, &QNetworkReply::readyRead, this, &RssFeedCache::httpReadyRead);
    connect(reply, &QNetworkReply::downloadProgress, this, &RssFeedCache::updateDataTransferProgress);
    m_stallTimer->start(m_stallMs);
}

void RssFeedCache::httpReadyRead()
{
    m_stallTimer->start(m_stallMs);
    if (m_file && m_reply)
        m_file->write(m_reply->readAll());
}

void RssFeedCache::updateDataTransferProgress(qint64 readBytes, qint64 totalBytes)
{
    Q_UNUSED(readBytes);
    m_stallTimer->start(m_stallMs);
    consoleLogDebug("totalBytes %lld", static_cast<long long>(totalBytes));
}

void RssFeedCache::httpFinished()
{
    m_stallTimer->stop();
    QNetworkReply *reply = m_reply;
    if (!reply)
        return;
    m_reply = nullptr;
    const bool failed = reply->error() != QNetworkReply::NoError;
    QString path;
    if (m_file) {
        if (!failed)
            m_file->write(reply->readAll());
        path = m_file->fileName();
        m_file->close();
        delete m_file;
        m_file = nullptr;
    }
    if (failed) {
        if (!path.isEmpty())
            QFile::remove(path);
        qDebug().noquote() << "Http Erreur:" << reply->errorString();
    } else {
        qDebug() << "--Finish--";
    }
    reply->deleteLater();
    m_error = failed;
    m_done = true;
}

void RssFeedCache::failFeed(const QString &why)
{
    qDebug().noquote() << "RSS feed failed:" << m_currentFeed << why;
    m_cycleFailed = true;
    if (!m_queue.isEmpty())
        m_queue.removeFirst();
    m_currentName.clear();
    m_step = 10;
}

void RssFeedCache::slotRssLocal()
{
    switch (m_step) {
    case 0:
        m_step = 10;
        break;
    case 10:
        m_step = m_queue.isEmpty() ? 40 : 11;
        break;
    case 11:
        m_currentName.clear();
        m_currentFeed = m_queue.first();
        m_step = 12;
        break;
    case 12: {
        const QString name = replaceXmlPath(m_currentFeed);
        if (name.isEmpty()) {
            failFeed(QStringLiteral("no local name"));
            break;
        }
        if (!openDownload(rssPath(name + QStringLiteral(".tmp")), rssPath(name))) {
            failFeed(QStringLiteral("cannot save"));
            break;
        }
        m_currentName = name;
        m_step = 13;
        break;
    }
    case 13:
        request(m_currentFeed);
        m_step = 14;
        break;
    case 14:
        if (m_done)
            m_step = 15;
        break;
    case 15:
        if (m_error)
            failFeed(QStringLiteral("download"));
        else
            m_step = 21;
        break;
    case 21: {
        QFile tmp(rssPath(m_currentName + QStringLiteral(".tmp")));
        bool ok = false;
        const RssFeedConverter::Feed feed =
            RssFeedConverter::read(tmp.open(QIODevice::ReadOnly) ? tmp.readAll() : QByteArray(), &ok);
        tmp.close();
        if (!ok) {
            // The feed's previous file stays until a good copy replaces it.
            tmp.remove();
            failFeed(QStringLiteral("not well-formed XML"));
            break;
        }
        m_channelImage = feed.channelImage;
        m_items = enregistrementImageFile(classementXMLFile(feed.items));
        m_step = 30;
        break;
    }
    case 30: {
        if (m_imageQueue.isEmpty()) {
            m_step = 50;
            break;
        }
        const QString file = RssFeedConverter::pictureFileName(m_imageQueue.first());
        m_step = (file.isEmpty() || QFileInfo::exists(rssPath(file))) ? 34 : 31;
        break;
    }
    case 31: {
        const QString path = rssPath(RssFeedConverter::pictureFileName(m_imageQueue.first()));
        m_step = openDownload(path, path) ? 32 : 34;
        break;
    }
    case 32:
        request(m_imageQueue.first());
        m_step = 33;
        break;
    case 33:
        if (m_done)
            m_step = 34;
        break;
    case 34:
        m_imageQueue.removeFirst();
        m_step = 30;
        break;
    case 40:
        // After a failed feed its old file may still name older pictures.
        if (!m_cycleFailed)
            RemoveListRss(m_usedImages);
        m_usedImages.clear();
        m_step = 100;
        break;
    case 50:
        if (!writeXMLFile(m_currentName, m_items))
            m_cycleFailed = true;
        if (!m_queue.isEmpty())
            m_queue.removeFirst();
        m_currentName.clear();
        m_step = 10;
        break;
    default:
        m_step = 0;
        m_stepTimer->stop();
        m_refreshTimer->setInterval(m_cycleFailed ? RetryMs : RefreshMs);
        m_refreshTimer->start();
        emit cycleFinished(!m_cycleFailed);
        break;
    }
}

QList<QStringList> RssFeedCache::readXMLFile(QString name)
{
    QFile file(rssPath(name + QStringLiteral(".tmp")));
    if (!file.open(QIODevice::ReadOnly))
        qDebug() << "Error while loading XML file" << name;
    const RssFeedConverter::Feed feed = RssFeedConverter::read(file.readAll());
    m_channelImage = feed.channelImage;
    return feed.items;
}

QList<QStringList> RssFeedCache::classementXMLFile(QList<QStringList> items)
{
    return RssFeedConverter::newest(items, 7);
}

QList<QStringList> RssFeedCache::enregistrementImageFile(QList<QStringList> items)
{
    // Picture addresses may be relative to the feed's.
    const QUrl base(m_currentFeed);
    auto localise = [this, &base](const QString &address) {
        if (address.trimmed().isEmpty())
            return QString();
        const QString absolute = base.resolved(QUrl(address.trimmed())).toString();
        const QString file = RssFeedConverter::pictureFileName(absolute);
        if (file.isEmpty())
            return QString();
        m_imageQueue.append(absolute);
        m_usedImages.append(absolute);
        return localUrl(file);
    };
    m_channelImage = localise(m_channelImage);
    for (QStringList &item : items)
        item[RssFeedConverter::Picture] = localise(item.value(RssFeedConverter::Picture));
    return items;
}

bool RssFeedCache::writeXMLFile(QString name, QList<QStringList> items)
{
    QSaveFile file(rssPath(name + QStringLiteral(".xml")));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(RssFeedConverter::write(m_channelImage, items));
    if (!file.commit())
        return false;
    QFile::remove(rssPath(name + QStringLiteral(".tmp")));
    return true;
}
