#include "LiveFetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

namespace {

const char FaultProperty[] = "zoLiveFault";

void cut(QNetworkReply *reply, LiveFetch::Fault fault)
{
    // Qt holds progress back for 100 ms: a body that arrives faster is
    // first seen whole, at its end. It still fails.
    reply->setProperty(FaultProperty, int(fault));
    if (!reply->isFinished())
        reply->abort();
}

int effectivePort(const QUrl &url)
{
    return url.port(url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0 ? 443 : 80);
}

bool sameOrigin(const QUrl &from, const QUrl &to)
{
    return from.scheme().compare(to.scheme(), Qt::CaseInsensitive) == 0
           && from.host().compare(to.host(), Qt::CaseInsensitive) == 0 && effectivePort(from) == effectivePort(to);
}

} // namespace

QNetworkReply *LiveFetch::get(QNetworkAccessManager *network, const QUrl &url, qint64 capBytes, int deadlineMs,
                              Redirects redirects)
{
    QNetworkRequest request(url);
    // A compressed answer would be inflated past any cap before we see it.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         redirects == SameOrigin ? QNetworkRequest::UserVerifiedRedirectPolicy
                                                 : QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(MaxRedirects);
    QNetworkReply *reply = network->get(request);
    // Without a read buffer limit Qt's network thread takes in a fast body
    // whole before this thread hears of it, and readers that take the body at
    // its end would hold all of it. Qt stops a little short of the limit, so
    // it is twice the cap: a body past the cap is still seen waiting here.
    reply->setReadBufferSize(2 * capBytes);
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, capBytes] {
        if (reply->bytesAvailable() > capBytes)
            cut(reply, TooLarge);
    });

    auto *deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, [reply] { cut(reply, Deadline); });
    QObject::connect(reply, &QNetworkReply::finished, deadline, &QTimer::stop);
    deadline->start(deadlineMs);

    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, capBytes] {
        bool known = false;
        const qint64 announced = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (known && announced > capBytes && (status < 300 || status > 399))
            cut(reply, TooLarge);
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply, capBytes](qint64 received, qint64) {
        if (received > capBytes)
            cut(reply, TooLarge);
    });
    if (redirects == SameOrigin) {
        QObject::connect(reply, &QNetworkReply::redirected, reply, [reply, url](const QUrl &to) {
            if (sameOrigin(url, to))
                emit reply->redirectAllowed();
            else
                cut(reply, RefusedRedirect);
        });
    }
    return reply;
}

LiveFetch::Fault LiveFetch::fault(const QNetworkReply *reply)
{
    return Fault(reply->property(FaultProperty).toInt());
}

bool LiveFetch::failed(const QNetworkReply *reply)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return fault(reply) != None || reply->error() != QNetworkReply::NoError
           || (status != 0 && (status < 200 || status > 299));
}

QString LiveFetch::describe(const QNetworkReply *reply)
{
    switch (fault(reply)) {
    case Deadline:
        return QStringLiteral("no complete answer within the deadline");
    case TooLarge:
        return QStringLiteral("answer larger than allowed");
    case RefusedRedirect:
        return QStringLiteral("redirect to another host or scheme refused");
    case None:
        break;
    }
    if (reply->error() != QNetworkReply::NoError)
        return reply->errorString();
    return QStringLiteral("status %1").arg(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt());
}
