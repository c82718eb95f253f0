#pragma once

#include <QString>
#include <QStringList>

// How a poster's stored values show on the poster panel, and which typed or
// chosen values may be stored: display time, opacity, media paths, schedule
// and power texts, widget pictures. Texts the user reads are translated in
// the "classPrincipal" context.
class PosterValues
{
public:
    // Opacity applied to the picture: percent / 100, full opacity as 0.99.
    static double appliedOpacity(int percent);
    // The slider's value for a stored SLIDEOPACITY: at least 30.
    static int shownOpacity(const QString &stored);
    // A keypad entry for the opacity; only 10 to 100 is taken.
    static bool opacityEntry(const QString &text, int *percent);

    // Stored SLIDEDELAY as shown: a value that is zero, negative or no
    // number shows as "0"; `seconds` gets the number.
    static QString shownDelay(const QString &stored, int *seconds);
    // A keypad entry for the display time: 0 or more, an empty line reads 0.
    static bool delayEntry(const QString &text, int *seconds);
    // The display time stored: never above the user's maximum.
    static int clampDelay(int seconds, int maximum);

    // "IMAGE/" + name for a chosen row, empty for "OFF" or no name.
    static QString mediaPath(const QString &folder, const QString &rowText);
    // Row of a stored path among the rows of its folder's list; 0 (the
    // "OFF" row) when not listed. `folder` receives "IMAGE/", "VIDEO/",
    // "TEXT/" or "" for any other path.
    static QString folderOf(const QString &path);
    static int rowOf(const QString &path, const QStringList &rows);

    // Day names of weekday digits '1' (Monday) to '7'.
    static QString weekdayNames(const QString &digits);

    // Picture of a widget poster kind (SLIDETYPE) for the screen rotation;
    // empty for kinds without one.
    static QString widgetPicture(const QString &slideType, int rotation);
    // Picture of a kind chosen on the widget page by its caption.
    static QString widgetKindPicture(const QString &kindCaption, int rotation);

    // Texts of a schedule period: "Du a au b", "De a à b", ... Empty when
    // the end value is empty or "NULL": the period is then hidden.
    static QString datePeriod(const QString &start, const QString &end, bool second);
    static QString hourPeriod(const QString &start, const QString &end, bool second);
    static QString weekdaysLine(const QString &digits);

    struct Power {
        bool visible = false;
        QString period;
        QString days;
    };
    // POWERTIME ("start|stop|days") or POWERTIME1 (no days line).
    static Power power(const QString &value, bool second);

    // "Playlists liées: A B" for a PLAYLIST value; empty when there is none.
    static QString linkedPlaylists(const QString &playlistValue);

    // Names of the files of `folder` matching `patterns`, ignoring case,
    // sorted by name ignoring case; hidden files left out.
    static QStringList mediaFiles(const QString &folder, const QStringList &patterns);
};
