#pragma once

#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// One GET of the preview's live content, bounded: the addresses point at
// outside servers, so a slow, huge or wandering answer must fail that one
// item rather than hold the preview or its memory. An overall deadline that
// arriving bytes do not renew, a cap on the body, the body as sent (nothing
// for us to inflate), and redirects only where the policy allows.
class LiveFetch
{
public:
    enum Redirects {
        // Same scheme, host and port only (the services' own answers).
        SameOrigin,
        // Anywhere but from https to http (feeds and their pictures move).
        NoLessSafe,
    };
    enum Fault { None, Deadline, TooLarge, RefusedRedirect };

    static const int DeadlineMs = 60000;
    static const int MaxRedirects = 5;

    static QNetworkReply *get(QNetworkAccessManager *network, const QUrl &url, qint64 capBytes, int deadlineMs,
                              Redirects redirects);

    // Why the reply was cut short; None when it ended on its own.
    static Fault fault(const QNetworkReply *reply);
    // The reply brought no usable body: a network error, one of the faults
    // above, or a status outside 2xx (a redirect not followed, a 204).
    static bool failed(const QNetworkReply *reply);
    // For the log.
    static QString describe(const QNetworkReply *reply);
};
