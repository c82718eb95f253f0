#include "TransferLists.h"

#include "ClassLog.h"
#include "ClassParam.h"
#include "SideFiles.h"
#include "TransferPaths.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>

TransferLists::TransferLists(QObject *parent)
    : QObject(parent)
{
}

QStringList TransferLists::transArrayToList(const QByteArray &reply, bool *ok)
{
    const int end = reply.indexOf('\0');
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(end < 0 ? reply : reply.left(end), &error);

    if (ok)
        *ok = doc.isArray();
    const QJsonArray entries = doc.array();

    QStringList names;
    for (const QJsonValue &entry : qAsConst(entries)) {
        const QString name = entry.toString();
        if (!entry.isString() || name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        names << name;
    }
    return names;
}

void TransferLists::setMediaIndex(const QString &path)
{
    m_mediaIndex = path;
}

QString TransferLists::displayNameOf(const QString &folder) const
{
    if (m_mediaIndex.isEmpty())
        return QStringLiteral(" ");
    ClassParam param;
    const QString value = param.getParamCrypt(m_mediaIndex, folder, 0);
    // A missing or unreadable index names no box: show the blank, not the error word.
    if (value == QLatin1String("NULL") || value == QLatin1String("PB_OPEN") || value == QLatin1String("FileError"))
        return QStringLiteral(" ");
    return value;
}

void TransferLists::addToListHttp(const QStringList &names)
{
    static const QStringList mediaFolders = {QStringLiteral("VIDEO"), QStringLiteral("IMAGE"),
                                             QStringLiteral("LINKS"), QStringLiteral("TEXT")};
    bool filesChanged = false;
    for (const QString &name : names) {
        // A copy on its way (or left by a kill) is no file of the folder.
        if (name == QLatin1String(".") || name == QLatin1String("..") || SideFiles::isSideFile(name))
            continue;
        if (!TransferPaths::isPlainName(name)) {
            ClassLog().log(QStringLiteral("OrvexLog"),
                           QStringLiteral("Nom refusé dans la liste du serveur: ")
                               + QString::fromLatin1(QUrl::toPercentEncoding(name, " /")));
            continue;
        }
        if (!name.contains(QLatin1Char('.'))) {
            if (mediaFolders.contains(name) || name.contains(QLatin1String("zo_")))
                continue;
            const QString info = displayNameOf(name);
            m_boxes << name;
            m_boxNames << info;
            qDebug().noquote() << "ListDir:" + QString::number(m_boxes.size()) + " NameFolder:" + name
                                      + " InfoBox:" + info + "\n";
            emit signalBoxAdded(name, info);
            emit signalPresenceBox();
            continue;
        }
        m_files << name;
        if (name.contains(QLatin1String("Slide")))
            m_slides << name;
        m_fileCount = m_files.size();
        filesChanged = true;
        qDebug().noquote() << "ListFile:" + QString::number(m_files.size()) + " NameFile:" + name;
    }
    if (filesChanged)
        emit signalTransferFilesChanged();
}

void TransferLists::setTransferFiles(const QStringList &names)
{
    m_files = names;
    m_fileCount = m_files.size();
    emit signalTransferFilesChanged();
}

void TransferLists::removeFirstTransferFile()
{
    if (m_files.isEmpty())
        return;
    m_files.removeFirst();
    emit signalTransferFilesChanged();
}

void TransferLists::clearTransferFiles()
{
    m_files.clear();
    emit signalTransferFilesChanged();
}

void TransferLists::clearBoxes()
{
    m_boxes.clear();
    m_boxNames.clear();
}

void TransferLists::clearSlideNames()
{
    m_slides.clear();
}
