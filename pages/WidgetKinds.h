#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

// What the widget poster page offers and stores: its kinds (caption on the
// page, SLIDETYPE entry, preview picture), the keys each kind writes, the
// defaults a poster loads with, and the RSS presets.
class WidgetKinds
{
public:
    using Values = QList<QPair<QString, QString>>;

    // The field texts of the page.
    struct Fields {
        QString zip;
        QString language;
        QString city;
        QString rssAddress;
        QString rssDelay; // seconds
    };

    // The kinds offered to every poster.
    static QStringList captions();
    static QString offCaption() { return QStringLiteral("OFF"); }
    // "" for "OFF" and any unknown caption.
    static QString slideTypeOf(const QString &caption);
    // Caption of a stored SLIDETYPE entry; "OFF" for an empty, absent or
    // unknown entry. Like counters and web pages have captions too, but are
    // not offered: a poster of such a kind only keeps it.
    static QString captionOf(const QString &slideType);
    static bool isOffered(const QString &caption);
    // Preview picture of a SLIDETYPE for the rotation; "" when none.
    static QString picture(const QString &slideType, int rotation);

    static QStringList languageNames();
    static QStringList languageCodes();
    static QStringList rssPresetNames();
    // Parallel to the names; entry 0 ("Personnalisé") is empty.
    static QStringList rssPresetAddresses();

    // Fills `fields` from poster `index` of the stored keys (absent ones
    // read "NULL"); `posterCount` entries exist. Fields that the stored
    // values leave alone keep their texts.
    static void load(const QStringList &storedValues, int index, int posterCount, Fields *fields);
    // Keys read by load(), in the order of `storedValues`.
    static QStringList loadedKeys();

    // Keys written for a SLIDETYPE, SLIDETYPE first; values are whole keys
    // with entry `index` set and every list padded to `posterCount`. Empty
    // when `index` is no poster of the screen. `stored` gives a key's value.
    static Values toWrite(const std::function<QString(const QString &)> &stored, int posterCount, int index,
                          const QString &slideType, const Fields &fields);

    // The entries one poster of this kind stores, SLIDETYPE first.
    static Values entriesOf(const QString &slideType, const Fields &fields);
};
