#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

// What the rich-text editor knows of one poster when it saves, and the
// 13-string list it hands over. Paths are relative to the work folder.
struct SlideDescription
{
    int displayTime = 0;
    QString pictureFolder = QStringLiteral("IMAGE/");
    QString pictureName;
    QString pictureChecksum;
    QString videoName;
    QString videoChecksum;
    // "DATA/Slide<n>.png" when a text picture was made.
    QString textPicture;
    QString textPictureChecksum;
    int opacity = 100;
    QString startDate;
    QString startTime;
    QString endDate;
    QString endTime;

    QStringList toList() const;

    // The message that stops a save, or an empty text when the window is
    // sound (end after start).
    static QString timeWindowError(const QTime &start, const QTime &end);
    static QString dateWindowError(const QDate &start, const QDate &end);
    // "Slide" + the poster number of the label "N°<n>", cleaned like a
    // typed file name so that it stays inside DATA.
    static QString slideStem(const QString &numberLabel);
};
