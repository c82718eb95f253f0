#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

// The account's box-status reply and what the screens list shows of it.
// A status entry is "serial;last seen;screen state;update state".
class BoxStatus
{
public:
    struct Indicator
    {
        QString icon; // resource path, empty for none
        QString caption;
    };

    struct Indicators
    {
        bool shown = false; // false for a box without an entry
        Indicator connection;
        Indicator screen;
        Indicator update;
    };

    // A box that reported less than this long ago counts as connected.
    static constexpr int OnlineSeconds = 300;
    static QString lastSeenFormat();

    // The reply is a JSON object: serial -> [last seen, screen, update].
    // Blank text gives no entries. Text from which no entry can be read sets
    // `ok` false so the caller can keep the entries it has.
    // Other text is read by the character transform (quotes and braces
    // dropped, split at "]", ":[" and commas made ';').
    static QStringList parseReply(const QByteArray &reply, bool *ok = nullptr);
    static QStringList transformReply(const QString &reply);

    // The entry whose serial is exactly `serial`, or an empty string.
    static QString entryFor(const QStringList &entries, const QString &serial);
    // The same for every serial at once: serial -> its entry.
    static QHash<QString, QString> entriesBySerial(const QStringList &entries);

    static Indicators indicators(const QString &entry, const QDateTime &now);
};
