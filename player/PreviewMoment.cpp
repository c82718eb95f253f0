#include "PreviewMoment.h"

QString PreviewMoment::labelText(const QDate &date, const QTime &time)
{
    return QStringLiteral(" Date: ") + date.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" Heure: ")
           + time.toString(QStringLiteral("hh:mm"));
}

QString PreviewMoment::sceneDate(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy,MM,dd"));
}

QString PreviewMoment::sceneTime(const QTime &time)
{
    return time.toString(QStringLiteral("hh,mm,00"));
}

QString PreviewMoment::weekday(const QDate &date)
{
    return QString::number(date.dayOfWeek());
}

QTime PreviewMoment::timeOfMinutes(int minutes)
{
    return QTime(0, 0).addSecs(minutes * 60);
}

int PreviewMoment::minutesOfTime(const QTime &time)
{
    return time.hour() * 60 + time.minute();
}

QSize PreviewMoment::previewSize(int w, int h, int rotation)
{
    int width;
    int height;
    if (rotation == 90 || rotation == -90) {
        height = int(double(h) / 1.5);
        width = int(double(height) / 1.778);
    } else {
        width = int(double(w) / 3.5);
        height = int(double(width) / 1.778);
    }
    return QSize(width, height);
}

int PreviewMoment::labelPointSize(int h, float fontRatio)
{
    return int(float(h / 80) * fontRatio);
}
