#include "API_FACEBOOK.h"

#include "ClassParamS.h"
#include "LiveFetch.h"
#include "LiveServiceConfig.h"
#include "QRWidget.h"

#include <QApplication>
#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaEnum>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <QUrlQuery>

namespace {

const int RefreshMs = 30000;
// "https://www.facebook.com/" : scheme, host and the slash after it.
const int HostPrefixBytes = 25;

const QString TokenKey = QStringLiteral("access_token");

} // namespace

API_FACEBOOK::API_FACEBOOK(QObject *parent)
    : QObject(parent)
    , m_accessToken(LiveServiceConfig::graphToken())
    , m_deadlineMs(LiveFetch::DeadlineMs)
    , m_nam(new QNetworkAccessManager(this))
    , m_refresh(new QTimer(this))
{
    startLikeFB();
    m_refresh->setInterval(RefreshMs);
    connect(m_refresh, &QTimer::timeout, this, &API_FACEBOOK::startLikeFB);
    m_refresh->start();
}

API_FACEBOOK::~API_FACEBOOK() = default;

void API_FACEBOOK::setUrlFacebook(const QString &url)
{
    if (url.isEmpty())
        return;
    qDebug() << "setUrlFacebook";
    m_urlFacebook = url;
    ChoixURLPageFacebook(url);
    emit urlFacebookChanged();
}

void API_FACEBOOK::setlikes(const QString &value)
{
    m_likes = value;
    emit likesChanged();
}

void API_FACEBOOK::setQrcode(const QString &value)
{
    m_qrcode = value;
    emit QrcodeChanged();
}

void API_FACEBOOK::startLikeFB()
{
    if (m_urlFacebook.isEmpty())
        return;
    ChoixURLPageFacebook(m_urlFacebook);
    ObtenirLikeFacebook();
}

QString API_FACEBOOK::pageName(const QString &url)
{
    QByteArray bytes = url.toLocal8Bit().mid(HostPrefixBytes);
    bytes.replace('-', ' ').replace('_', ' ');
    bytes.replace("/", "");
    QByteArray kept;
    for (char c : qAsConst(bytes)) {
        if (c < '0' || c > '9')
            kept.append(c);
    }
    return QString::fromUtf8(kept);
}

QString API_FACEBOOK::qrFilePath(const QString &workFolder, const QString &url)
{
    return workFolder + pageName(url).replace(QLatin1Char(' '), QLatin1Char('_')) + QStringLiteral("_QR_code.png");
}

void API_FACEBOOK::ChoixURLPageFacebook(const QString &url)
{
    m_urlFacebook = url;
    m_pageName = pageName(url);
    const QString path = qrFilePath(ClassParamS::getNewPath(QString()), url);
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        qWarning() << "QR picture needs a widget application";
        setQrcode(path);
        return;
    }
    QRWidget widget;
    widget.setQRData(url);
    // Rewritten on each make: a file left by another page whose name
    // derives alike must not stand for this one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !widget.qrPixmap()->save(&file, "png") || !file.commit())
        qWarning().noquote() << "QR picture not written:" << path << file.errorString();
    setQrcode(path);
}

void API_FACEBOOK::ObtenirLikeFacebook()
{
    QUrl url = LiveServiceConfig::withPath(LiveServiceConfig::graphBase(), QStringLiteral("/v3.2/") + m_urlFacebook);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("fields"), QStringLiteral("engagement{count}"));
    query.addQueryItem(TokenKey, m_accessToken);
    url.setQuery(query);

    // The token stays out of the logs.
    QUrl shown = url;
    QUrlQuery shownQuery(query);
    shownQuery.removeAllQueryItems(TokenKey);
    shownQuery.addQueryItem(TokenKey, QStringLiteral("<hidden>"));
    shown.setQuery(shownQuery);
    qDebug().noquote() << "urlCMD" << shown.toString();

    // The service's answers stay on its own host and scheme.
    QNetworkReply *reply = LiveFetch::get(m_nam, url, AnswerCapBytes, m_deadlineMs, LiveFetch::SameOrigin);
    connect(reply, &QNetworkReply::finished, this, &API_FACEBOOK::TraiterJsonLikeFacebook);
}

void API_FACEBOOK::TraiterJsonLikeFacebook()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply)
        return;
    qDebug() << "TraiterJsonLikeFacebook";
    const QByteArray body = reply->readAll();
    if (LiveFetch::failed(reply)) {
        qDebug().noquote() << "Json : " + QString::fromUtf8(body.left(200));
        qDebug().noquote() << "ErrorFacebook: " +
                                  (reply->error() != QNetworkReply::NoError && LiveFetch::fault(reply) == LiveFetch::None
                                       ? QString::fromLatin1(QMetaEnum::fromType<QNetworkReply::NetworkError>().valueToKey(
                                           reply->error()))
                                       : LiveFetch::describe(reply));
        m_likes = QStringLiteral("Erreur");
    } else {
        const QJsonDocument document = QJsonDocument::fromJson(body);
        if (!document.isObject()) {
            qWarning().noquote() << "Invalid like count answer:" << QString::fromUtf8(body.left(200));
            m_likes = QStringLiteral("Erreur");
        } else {
            const int count =
                document.object().value(QLatin1String("engagement")).toObject().value(QLatin1String("count")).toInt();
            m_likes = QString::number(count);
            qDebug().noquote() << " Likes in slot : " + m_likes;
        }
    }
    reply->deleteLater();
    emit likesChanged();
}
