#include "TransferSlots.h"

#include "HttpFileApi.h"

TransferSlots::TransferSlots(HttpFileApi *api, QObject *parent)
    : QObject(parent)
    , m_api(api)
{
}

QString TransferSlots::localFolderOf(const QString &fileNameOrigin, const QString &fileNameDestination)
{
    // Only the trailing name goes: the same text inside a folder name stays.
    if (!fileNameDestination.isEmpty() && fileNameOrigin.endsWith(fileNameDestination))
        return fileNameOrigin.left(fileNameOrigin.size() - fileNameDestination.size());
    return QString(fileNameOrigin).remove(fileNameDestination);
}

void TransferSlots::slotPutFile(QString fileNameOrigin, QString FolderDestination, QString fileNameDestination)
{
    // "Validation" is the server's shared folder, outside the account.
    const QString destination = FolderDestination == QLatin1String("Validation")
        ? QStringLiteral("/zolink/zobox/Validation")
        : QLatin1Char('/') + FolderDestination;
    m_api->doUploadFileHttp(fileNameDestination, localFolderOf(fileNameOrigin, fileNameDestination), destination);
}

void TransferSlots::slotMkdir(QString Folder)
{
    m_api->createDirHttp(Folder);
}

void TransferSlots::slotGetFile(QString FolderFtp, QString fileNameFtp, QString FolderDestination,
                                QString fileNameDestination)
{
    const QString target = FolderDestination + QLatin1Char('/') + fileNameDestination;
    QString error;
    if (!m_api->openTransferFile(target, &error))
        emit signalImpossibleSauvegarder(tr("Impossible de sauvegarder le fichier %1: %2.")
                                             .arg(fileNameDestination, error));
    // Set first: a local-mode copy completes inside the call and empties it.
    m_api->setStatusLabel(tr("Téléchargement %1...").arg(fileNameFtp));
    // Without an open target the download fails at once, with its flag and
    // signal. No folder is the account's own, as for an upload.
    if (FolderFtp.isEmpty())
        m_api->downloadFileHttp(QString(), fileNameFtp);
    else
        m_api->downloadFileHttp(FolderFtp + QLatin1Char('/') + fileNameFtp, target);
}
