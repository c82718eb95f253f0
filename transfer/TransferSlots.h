#pragma once

#include <QObject>
#include <QString>

class HttpFileApi;

// Single transfers with a completion signal for the add-a-box page, the
// start-up and the server folder operations: slotPutFile, slotMkdir,
// slotGetFile of the control panel.
class TransferSlots : public QObject
{
    Q_OBJECT
public:
    explicit TransferSlots(HttpFileApi *api, QObject *parent = nullptr);

    // Local folder of fileNameOrigin, which ends with fileNameDestination.
    static QString localFolderOf(const QString &fileNameOrigin, const QString &fileNameDestination);

public slots:
    void slotPutFile(QString fileNameOrigin, QString FolderDestination, QString fileNameDestination);
    void slotMkdir(QString Folder);
    void slotGetFile(QString FolderFtp, QString fileNameFtp, QString FolderDestination,
                     QString fileNameDestination);

signals:
    // The download target cannot be written: the panel shows the "FTP"
    // information box with `message`, then its login error routine with
    // "Impossible de sauvegarder le fichier".
    void signalImpossibleSauvegarder(QString message);

private:
    HttpFileApi *m_api;
};
