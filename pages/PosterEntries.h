#pragma once

#include <QString>
#include <QStringList>

// One entry per poster in a value joined by '|' (entry i belongs to poster
// i). Lists shorter than the screen's posters are padded, never re-created:
// re-creating would wipe the other posters' settings.
class PosterEntries
{
public:
    // The stored value as entries: an absent key ("NULL") has none; a
    // shorter list gets empty entries up to `posterCount`; a longer one is
    // kept whole.
    static QStringList padded(const QString &stored, int posterCount);
    // Entry `index` of the stored value; "NULL" when the key is absent or
    // the list holds no such entry.
    static QString entry(const QString &stored, int index);
    // The value with entry `index` set; false, and `out` untouched, when
    // `index` is outside the padded list.
    static bool replaced(const QString &stored, int posterCount, int index, const QString &value, QString *out);
    // Number of posters of a screen: the entries of its SLIDETYPE.
    static int count(const QString &slideTypes);
};
