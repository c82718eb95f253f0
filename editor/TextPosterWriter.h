#pragma once

#include <QImage>
#include <QString>

// Writes a text poster's pair of files, <folder><stem>.png and .txt, into a
// work folder (folder "TEXT/" for the editor page, "DATA/" for the rich-text
// sibling). Each file is written whole or not at all; when either fails,
// neither is left behind and error() says which and why.
class TextPosterWriter
{
public:
    explicit TextPosterWriter(const QString &workFolder, const QString &folder = QStringLiteral("TEXT/"));

    bool write(const QString &stem, const QImage &picture, const QString &html);

    // "Impossible de sauvegarder le fichier %1: %2." of the last failure.
    QString error() const { return m_error; }

    // <folder><stem>.txt alone; false (with error()) when it cannot be written.
    bool writeText(const QString &stem, const QString &html);
    // <folder><stem>.png alone.
    bool writePicture(const QString &stem, const QImage &picture);

    // Deletes <folder><stem>.txt, then .png; a missing one is only logged.
    void remove(const QString &stem);
    // A text file read whole as UTF-8; empty (ok false) when unreadable.
    static QString readText(const QString &path, bool *ok = nullptr);

    // Relative paths of the pair.
    QString pictureFile(const QString &stem) const { return m_folder + stem + QStringLiteral(".png"); }
    QString textFile(const QString &stem) const { return m_folder + stem + QStringLiteral(".txt"); }

private:
    void fail(const QString &relative, const QString &why);

    QString m_workFolder;
    QString m_folder;
    QString m_error;
};
