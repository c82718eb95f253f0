#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QTimer;

// The like-counter scene's model: a social page's engagement count, asked
// every 30 s, and a PNG of the page address's QR code in the work folder.
class API_FACEBOOK : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool ready READ ready NOTIFY readyChanged)
    Q_PROPERTY(QString urlFacebook READ urlFacebook WRITE setUrlFacebook NOTIFY urlFacebookChanged)
    Q_PROPERTY(QString likes READ likes WRITE setlikes NOTIFY likesChanged)
    Q_PROPERTY(QString Qrcode READ Qrcode WRITE setQrcode NOTIFY QrcodeChanged)
    // The picture's file address for the scene ('#', '?', '%' in the path
    // stay part of it).
    Q_PROPERTY(QUrl QrcodeUrl READ QrcodeUrl NOTIFY QrcodeChanged)

public:
    explicit API_FACEBOOK(QObject *parent = nullptr);
    ~API_FACEBOOK() override;

    bool ready() const { return true; }
    QString urlFacebook() const { return m_urlFacebook; }
    QString likes() const { return m_likes; }
    QString Qrcode() const { return m_qrcode; }
    QUrl QrcodeUrl() const { return m_qrcode.isEmpty() ? QUrl() : QUrl::fromLocalFile(m_qrcode); }

    void setUrlFacebook(const QString &url);
    void setlikes(const QString &value);
    void setQrcode(const QString &value);

    // A request not complete after this long fails (60 s), however it
    // trickles.
    void setDeadline(int ms) { m_deadlineMs = ms; }
    // Far above any real answer: past it the answer fails.
    static const qint64 AnswerCapBytes = 1024 * 1024;

    // Makes the QR picture of `url` and remembers it as the page.
    void ChoixURLPageFacebook(const QString &url);

    // Readable page name of an address: what follows scheme and host.
    static QString pageName(const QString &url);
    // <work folder><page name, blanks as "_">_QR_code.png
    static QString qrFilePath(const QString &workFolder, const QString &url);

public slots:
    void startLikeFB();

signals:
    void readyChanged();
    void urlFacebookChanged();
    void likesChanged();
    void QrcodeChanged();
    void start();
    void finish();

private slots:
    void ObtenirLikeFacebook();
    void TraiterJsonLikeFacebook();

private:
    QString m_accessToken;
    QString m_urlFacebook;
    QString m_pageName;
    QString m_likes;
    QString m_qrcode;
    int m_deadlineMs;
    QNetworkAccessManager *m_nam;
    QTimer *m_refresh;
};
