#include "NewsFeedSource.h"

QString NewsFeedSource::address(const QString &production)
{
    const QString local = qEnvironmentVariable("ZOMANAGER_FEED_URL");
    // A preset without address ("Personnalisé") stays without one.
    return local.isEmpty() || production.isEmpty() ? production : local;
}
