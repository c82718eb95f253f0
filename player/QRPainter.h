#pragma once

#include <QColor>
#include <QSize>
#include <QString>

class QPainter;

// Paints the QR code of `data` (UTF-8, error correction MEDIUM) into the
// square of the smaller side of `size`, one module of margin around it left
// unpainted. Returns the modules per side, 0 when the text cannot be encoded.
int paintQR(QPainter &painter, QSize size, const QString &data, QColor foreground, QColor background);

// The code as text (error correction LOW): each module row on its own line,
// each line preceded by "\n".
QString asciiQR(const QString &data, QString dark, QString light);
