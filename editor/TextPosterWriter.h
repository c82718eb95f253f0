#pragma once

#include <QImage>
#include <QString>

// Writes a text poster's pair of files, TEXT/<stem>.png and TEXT/<stem>.txt,
// into a work folder. Each file is written whole or not at all; when either
// fails, neither is left behind and error() says which and why.
class TextPosterWriter
{
public:
    explicit TextPosterWriter(const QString &workFolder);

    bool write(const QString &stem, const QImage &picture, const QString &html);

    // "Impossible de sauvegarder le fichier %1: %2." of the last failure.
    QString error() const { return m_error; }

    // TEXT/<stem>.txt alone; false (with error()) when it cannot be written.
    bool writeText(const QString &stem, const QString &html);

private:
    bool writePicture(const QString &stem, const QImage &picture);
    void fail(const QString &relative, const QString &why);

    QString m_workFolder;
    QString m_error;
};
