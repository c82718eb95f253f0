#pragma once

#include <QString>
#include <QUrl>

// Where the preview's live content comes from: the weather and page-like
// services and their keys. The environment may point them elsewhere (the
// stand-in server on loopback); the defaults are the production services.
class LiveServiceConfig
{
public:
    // ZOMANAGER_WEATHER_URL, ZOMANAGER_WEATHER_KEY
    static QUrl weatherBase();
    static QString weatherKey();
    // ZOMANAGER_GRAPH_URL, ZOMANAGER_GRAPH_TOKEN
    static QUrl graphBase();
    static QString graphToken();

    // `base` with `path` appended to its own path (a base may carry a prefix).
    static QUrl withPath(const QUrl &base, const QString &path);
};
