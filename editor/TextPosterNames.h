#pragma once

#include <QString>
#include <QTime>

// Names and paths of a text poster, without widgets. A text poster is a pair
// of files TEXT/<name>-<hhmmss>.png and .txt in the work folder; a poster
// refers to it by the picture's path relative to the work folder.
class TextPosterNames
{
public:
    // Name given to a poster that has no text yet.
    static QString defaultName();

    // Current name from a poster's text entry: "TEXT/" removed, cut before
    // the extension's dot; "Texte" when the entry is empty or no plain name.
    static QString nameFromEntry(const QString &entry);
    // Text file of a poster's text entry, relative to the work folder:
    // always "TEXT/" + a plain name + ".txt"; empty for any other entry.
    static QString textFileOfEntry(const QString &entry);

    // Name offered to the user: a name of 8 characters or more loses its
    // last "-..." part (the time stamp of an earlier save).
    static QString offeredName(const QString &name);
    // A typed name stripped of the characters that would leave the TEXT
    // folder or break the poster list's separators; may come out empty.
    static QString cleanName(const QString &typed);

    // Longest name, in UTF-8 bytes, whose stamped picture name the
    // transfer layer still accepts.
    static int maxNameBytes();

    // "-hhmmss" of a save made at `time`.
    static QString stampSuffix(const QTime &time);
    // New picture, relative to the work folder: "TEXT/" + stem + ".png".
    static QString pictureEntry(const QString &stem);
    // Picture replaced by a save, without folder; empty when the save does
    // not replace an earlier version (other name, or the very file just
    // written by a save in the same second).
    static QString replacedPicture(const QString &previousName, const QString &name, const QString &stem);
};
