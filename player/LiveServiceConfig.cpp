#include "LiveServiceConfig.h"

namespace {

QString setting(const char *name, const char *fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? QString::fromLatin1(fallback) : value;
}

} // namespace

QUrl LiveServiceConfig::weatherBase()
{
    return QUrl(setting("ZOMANAGER_WEATHER_URL", "https://api.openweathermap.org/"));
}

QString LiveServiceConfig::weatherKey()
{
    return setting("ZOMANAGER_WEATHER_KEY", "3d9f1c27a45b8e06f2d174c93a5e08b6");
}

QUrl LiveServiceConfig::graphBase()
{
    return QUrl(setting("ZOMANAGER_GRAPH_URL", "https://graph.facebook.com/"));
}

QString LiveServiceConfig::graphToken()
{
    return setting("ZOMANAGER_GRAPH_TOKEN", "4817302956184730|Qm7vT2xK9pLw4RzN8cYb1HfJd3s");
}

QUrl LiveServiceConfig::withPath(const QUrl &base, const QString &path)
{
    QUrl url = base;
    QString prefix = base.path(QUrl::FullyDecoded);
    while (prefix.endsWith(QLatin1Char('/')))
        prefix.chop(1);
    // Decoded: a '?' or '#' inside `path` stays part of the path.
    url.setPath(prefix + path, QUrl::DecodedMode);
    url.setQuery(QString());
    url.setFragment(QString());
    return url;
}
