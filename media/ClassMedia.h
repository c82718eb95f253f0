#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class PagePlaceholder;

// Media library page: the account's pictures, videos and text posters.
class ClassMedia : public QWidget
{
    Q_OBJECT
public:
    explicit ClassMedia(QWidget *parent = nullptr);
    ~ClassMedia() override;

public slots:
    void slotResize(int width, int height, int rotation);
    // Refreshes the library after login, then reports signalUpdateMediaFinish.
    void slotUpdateMediaFile();
    // Account quota in Mo.
    void slotUpdateMediaSize(int size);
    void slotUserLogin(QString User, QString Type);
    void slotFirstFileSize();
    void SlotSupprimerFichierParamMedia(QString CheminMedia);
    void slotNewImageTexte(QString oldName, QString Name);
    void slotSuppImageTexte(QString Name);

signals:
    void signalButton(int code);
    void signalUpdateMediaFinish();
    // type 0 picture, 1 video, 2 text picture; the file's name in its folder.
    void signalNewMedia(int type, QString nameFile);
    void signalSupprimeMedia(int type, QString NameToRemove);
    void signalMediaToSend(QStringList NewMediaImage, QStringList RemoveMediaImage, QStringList NewMediaVideo,
                           QStringList RemoveMediaVideo, QStringList NewMediaText, QStringList RemoveMediaText,
                           bool Modif);

private:
    PagePlaceholder *m_body;
    QString m_userName;
    QString m_userType;
    int m_mediaSize = 0;
};
