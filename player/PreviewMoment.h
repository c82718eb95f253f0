#pragma once

#include <QDate>
#include <QSize>
#include <QString>
#include <QTime>

// The simulated moment of the preview and the preview's size, in the forms
// the controls and the scene use.
class PreviewMoment
{
public:
    // " Date: dd/MM/yyyy Heure: hh:mm"
    static QString labelText(const QDate &date, const QTime &time);
    static QString sceneDate(const QDate &date);   // "yyyy,MM,dd"
    static QString sceneTime(const QTime &time);   // "hh,mm,00"
    static QString weekday(const QDate &date);     // "1" Monday .. "7" Sunday

    static QTime timeOfMinutes(int minutes);       // 00:00 plus minutes
    static int minutesOfTime(const QTime &time);   // seconds ignored

    // The scene's size for a window of w x h: a landscape screen w / 3.5
    // wide, a portrait one (rotation 90 or -90) h / 1.5 high, both 16:9.
    static QSize previewSize(int w, int h, int rotation);
    static int labelPointSize(int h, float fontRatio);
};
