#pragma once

#include <QImage>
#include <QRect>
#include <QString>

class QTextEdit;
class QWidget;

// The text of a text area as the user sees it (its wrapping and alignment),
// without caret, selection, frame or scroll bars, drawn at any resolution.
class TextLayer
{
public:
    // Paints the text onto `target`, stretching the rectangle `source` of
    // `frame` (in the frame's coordinates, the text area inside it) to the
    // whole target. What has no text is left as it was.
    static void paint(QImage &target, const QTextEdit *edit, const QWidget *frame, const QRect &source);

    // Puts a file into the text area: as HTML (in the codec it declares,
    // Latin-1 when none) when it looks like rich text, else as plain text.
    // False when the file does not exist or cannot be opened.
    static bool load(QTextEdit *edit, const QString &path);
};
