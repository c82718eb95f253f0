#pragma once

#include <QString>

// Rules for the values typed on the settings pages before they are stored
// in the poster list file.
class TypedValue
{
public:
    // '|' would shift every later poster's entries, CR, LF and '"' would
    // break the key's line, and characters outside Latin-1 would be stored
    // as '?': such a value is refused, never cleaned.
    static bool isStorable(const QString &text);
    // The error box text for a refused value of the named field.
    static QString refusal(const QString &field);

    // Seconds typed on the keypad to the milliseconds stored; a text that
    // is no whole number stores "0".
    static QString millisecondsOf(const QString &seconds);
    // Stored milliseconds to the whole seconds shown, remainder dropped; no
    // number (an absent key's "NULL" included) shows "0".
    static QString secondsOf(const QString &milliseconds);
};
