#pragma once

#include <QString>

// Where the news-feed addresses the console offers lead (a new poster's
// feed, the widget page's presets): the production sites, or, when
// ZOMANAGER_FEED_URL is set (the demo points it at its loopback live
// server), that one address for every one of them.
class NewsFeedSource
{
public:
    static QString address(const QString &production);
};
