#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The picture of a published poster: its picture with its text picture laid
// over it, each scaled into the frame keeping its aspect ratio and centred.
class SharePicture
{
public:
    // A null image when neither file loads (empty paths included).
    static QImage render(const QString &picture, const QString &text, const QSize &size);
    // Removes `file` first: a render that fails then leaves no picture
    // behind, rather than the one of another screen. False when nothing
    // was saved.
    static bool save(const QImage &image, const QString &file);
    // `image` scaled into `size` keeping its aspect ratio, centred.
    static QRect placed(const QSize &image, const QSize &size);
};
