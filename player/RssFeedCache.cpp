#include "RssFeedCache.h"

#include "ConsoleLogRecord.h"
#include "LiveFetch.h"
#include "RssFeedConverter.h"
#include "RssFeedList.h"
#include "RssFeedReader.h"

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
    , m_deadlineMs(LiveFetch::DeadlineMs)
    , m_network(new QNetworkAccessManager(this))
{
    m_stepTimer->setInterval(1);
    connect(m_stepTimer, &QTimer::timeout, this, &RssFeedCache::slotRssLocal);
    m_refreshTimer->setInterval(RefreshMs);
    connect(m_refreshTimer, &QTimer::timeout, this, &RssFeedCache::slotRefreshRss);
}

RssFeedCache::~RssFeedCache()
{
    abortDownload();
    dropReader();
}

void RssFeedCache::dropReader()
{
    delete m_reader;
    m_reader = nullptr;
    delete m_feedFile;
    m_feedFile = nullptr;
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
    const QStringList feeds = RssFeedList::feedAddresses(types, addresses);
    // Another list may be saved where this one could not: say so again.
    if (feeds != m_savedFeeds)
        m_boxPath.clear();
    m_savedFeeds = feeds;
    for (const QString &feed : m_failures.keys()) {
        if (!m_savedFeeds.contains(feed))
            m_failures.remove(feed);
    }
    const QStringList files = RssFeedList::localFiles(types, addresses, m_workFolder);
    QStringList keep;
    for (const QString &feed : qAsConst(m_savedFeeds))
        keep.append(replaceXmlPath(feed) + QStringLiteral(".xml"));
    // Feeds still on the screen keep their last good file until replaced.
    RemoveXML(keep);
    startCycle(m_savedFeeds);
    return files;
}

void RssFeedCache::slotRefreshRss()
{
    consoleLogDebug("----------->>>>>>Nombre passage Refresh RSS=%d", m_refreshCount);
    ++m_refreshCount;
    // Between two full refreshes only the failed feeds are asked again: a
    // dead feed must not make the others' servers see a request every few
    // seconds.
    QStringList feeds;
    if (!m_nextFull) {
        for (const QString &feed : qAsConst(m_savedFeeds)) {
            if (m_failures.contains(feed))
                feeds.append(feed);
        }
    }
    startCycle(feeds.isEmpty() ? m_savedFeeds : feeds);
}

void RssFeedCache::stop()
{
    abortDownload();
    dropReader();
    m_stepTimer->stop();
    m_refreshTimer->stop();
    m_step = 0;
}

// A new list or a refresh drops the request in flight and starts over.
void RssFeedCache::startCycle(const QStringList &feeds)
{
    abortDownload();
    dropReader();
    for (const QString &tmp : QDir(rssPath()).entryList({QStringLiteral("*.tmp")}, QDir::Files))
        QFile::remove(rssPath(tmp));
    m_queue = feeds;
    m_fullCycle = feeds == m_savedFeeds;
    m_imageQueue.clear();
    m_usedImages.clear();
    m_items.clear();
    m_currentName.clear();
    m_cycleFailed = false;
    m_step = 0;
    m_stepTimer->start();
}

void RssFeedCache::abortDownload()
{
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
    // A feed kept from an earlier cycle (it failed since, or was not asked
    // this time) still shows its pictures.
    for (const QString &xml : dir.entryList({QStringLiteral("*.xml")}, QDir::Files)) {
        QFile file(dir.filePath(xml));
        if (file.open(QIODevice::ReadOnly))
            names.append(RssFeedConverter::localPictures(file.readAll()));
    }
    // Every other file is a picture, whatever its name ends with.
    for (const QString &file : dir.entryList(QDir::Files)) {
        if (file.endsWith(QLatin1String(".xml")) || file.endsWith(QLatin1String(".tmp")) || names.contains(file))
            continue;
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
    if (shownPath == m_boxPath)
        m_boxPath.clear();
    return true;
}

void RssFeedCache::reportSaveFailure(const QString &shownPath, const QString &error)
{
    qDebug().noquote() << "RSS: cannot save" << shownPath << error;
    if (!m_boxPath.isEmpty())
        return;
    m_boxPath = shownPath;
    // No tick may run while the message is up.
    const bool running = m_stepTimer->isActive();
    m_stepTimer->stop();
    emit saveFailed(tr("Impossible de sauvegarder le fichier %1: %2.").arg(shownPath, error));
    if (running && m_step != 0)
        m_stepTimer->start();
}

void RssFeedCache::request(const QString &address, qint64 capBytes)
{
    m_done = false;
    m_error = false;
    m_requested = address;
    // Feeds move (http to https, a new path); a move to a less safe scheme
    // or a loop fails the request.
    QNetworkReply *reply =
        LiveFetch::get(m_network, QUrl(address), capBytes, m_deadlineMs, LiveFetch::NoLessSafe);
    // Taken in small pieces as they come: one large piece would hold the
    // window while it is written out.
    reply->setReadBufferSize(ReadPieceBytes);
    m_reply = reply;
    connect(reply, &QNetworkReply::finished, this, &RssFeedCache::httpFinished);
    connect(reply, &QNetworkReply::readyRead, this, &RssFeedCache::httpReadyRead);
    connect(reply, &QNetworkReply::downloadProgress, this, &RssFeedCache::updateDataTransferProgress);
}

void RssFeedCache::httpReadyRead()
{
    if (m_file && m_reply)
        m_file->write(m_reply->readAll());
}

void RssFeedCache::updateDataTransferProgress(qint64 readBytes, qint64 totalBytes)
{
    Q_UNUSED(readBytes);
    consoleLogDebug("totalBytes %lld", static_cast<long long>(totalBytes));
}

void RssFeedCache::httpFinished()
{
    QNetworkReply *reply = m_reply;
    if (!reply)
        return;
    m_reply = nullptr;
    const bool failed = LiveFetch::failed(reply);
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
        qDebug().noquote() << "Http Erreur:" << m_requested << LiveFetch::describe(reply);
    } else {
        qDebug() << "--Finish--";
    }
    reply->deleteLater();
    m_error = failed;
    m_done = true;
}

void RssFeedCache::failFeed(const QString &why)
{
    // A failed download is logged by httpFinished already.
    if (!why.isEmpty())
        qDebug().noquote() << "RSS feed failed:" << m_currentFeed << why;
    m_cycleFailed = true;
    m_failures[m_currentFeed] += 1;
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
        request(m_currentFeed, FeedCapBytes);
        m_step = 14;
        break;
    case 14:
        if (m_done)
            m_step = 15;
        break;
    case 15:
        if (m_error)
            failFeed(QString());
        else
            m_step = 21;
        break;
    case 21: {
        dropReader();
        m_feedFile = new QFile(rssPath(m_currentName + QStringLiteral(".tmp")));
        if (!m_feedFile->open(QIODevice::ReadOnly))
            qDebug() << "Error while loading XML file" << m_currentName;
        m_reader = new RssFeedReader(m_feedFile, 7);
        m_step = 22;
        break;
    }
    case 22: {
        // A slice per tick: the window stays live while a large feed is read.
        if (!m_reader->readSlice(SliceNs))
            break;
        const bool ok = m_reader->wellFormed();
        const RssFeedConverter::Feed feed = m_reader->feed();
        dropReader();
        if (!ok || !feed.isRss) {
            // The feed's previous file stays until a good copy replaces it.
            QFile::remove(rssPath(m_currentName + QStringLiteral(".tmp")));
            failFeed(ok ? QStringLiteral("not an RSS document") : QStringLiteral("not well-formed XML"));
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
        request(m_imageQueue.first(), PictureCapBytes);
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
        RemoveListRss(m_usedImages);
        m_usedImages.clear();
        m_step = 100;
        break;
    case 50:
        if (writeXMLFile(m_currentName, m_items)) {
            m_failures.remove(m_currentFeed);
        } else {
            m_cycleFailed = true;
            m_failures[m_currentFeed] += 1;
        }
        if (!m_queue.isEmpty())
            m_queue.removeFirst();
        m_currentName.clear();
        m_step = 10;
        break;
    default:
        endCycle();
        break;
    }
}

void RssFeedCache::endCycle()
{
    m_step = 0;
    m_stepTimer->stop();
    if (m_fullCycle)
        m_untilFull = RefreshMs;
    int retry = RefreshMs;
    for (const QString &feed : qAsConst(m_savedFeeds)) {
        const int failures = m_failures.value(feed);
        if (failures > 0)
            retry = qMin(retry, int(qMin<qint64>(qint64(RetryMs) << qMin(failures - 1, 20), RefreshMs)));
    }
    int interval = RefreshMs;
    m_nextFull = true;
    if (retry < RefreshMs) {
        // The full refresh comes when due, the retries before it.
        if (retry < m_untilFull) {
            interval = retry;
            m_untilFull -= retry;
            m_nextFull = false;
        } else {
            interval = m_untilFull;
        }
    }
    m_refreshTimer->setInterval(interval);
    m_refreshTimer->start();
    emit cycleFinished(!m_cycleFailed);
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
