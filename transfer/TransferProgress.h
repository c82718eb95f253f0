#pragma once

#include <QObject>
#include <QString>

class HttpFileApi;

// Turns transfer progress into the panel's overlay values and names the
// connection errors of the transfer sequences. Widget-free: the panel shows
// the overlay and the error box from the signals.
class TransferProgress : public QObject
{
    Q_OBJECT
public:
    explicit TransferProgress(HttpFileApi *api, QObject *parent = nullptr);

    int transfertEnCours() const { return m_transfertEnCours; }

    // "Problème de connexion au serveur(type n°<code>) | Veuillez vérifier
    // votre connexion internet!!!"
    static QString MessageErreurConnexionText(int code);

public slots:
    void updateDataTransferProgress(qint64 readBytes, qint64 totalBytes);
    // A transfer ended (an HTTP download or upload, an FTP put).
    void resetTransfert();
    // Emits signalErreurConnexion; the panel's slot runs the modal box, so
    // this returns once the box is closed.
    void MessageErreurConnexion(int code);

signals:
    // Arguments of classPrincipal::MessageOnlyON.
    void signalMessageOnlyON(QString text, double overall, double file, bool bars, bool spin);
    void signalErreurConnexion(int code, QString text);

private:
    HttpFileApi *m_api;
    int m_transfertEnCours = 0;
};
