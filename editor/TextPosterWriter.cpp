#include "TextPosterWriter.h"

#include "LocalWriteError.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QImageWriter>
#include <QSaveFile>
#include <QTextStream>

TextPosterWriter::TextPosterWriter(const QString &workFolder, const QString &folder)
    : m_workFolder(workFolder)
    , m_folder(folder)
{
}

bool TextPosterWriter::write(const QString &stem, const QImage &picture, const QString &html)
{
    m_error.clear();
    if (!writePicture(stem, picture))
        return false;
    if (!writeText(stem, html)) {
        // A picture without its text could be listed but never edited again.
        QFile::remove(m_workFolder + pictureFile(stem));
        return false;
    }
    return true;
}

bool TextPosterWriter::writePicture(const QString &stem, const QImage &picture)
{
    m_error.clear();
    const QString relative = pictureFile(stem);
    QSaveFile file(m_workFolder + relative);
    if (!file.open(QIODevice::WriteOnly)) {
        fail(relative, file.errorString());
        return false;
    }
    QImageWriter writer(&file, "png");
    if (!writer.write(picture)) {
        file.cancelWriting();
        fail(relative, writer.errorString());
        return false;
    }
    if (!file.commit()) {
        fail(relative, file.errorString());
        return false;
    }
    return true;
}

bool TextPosterWriter::writeText(const QString &stem, const QString &html)
{
    m_error.clear();
    const QString relative = textFile(stem);
    QSaveFile file(m_workFolder + relative);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        fail(relative, file.errorString());
        return false;
    }
    QTextStream out(&file);
    // The document's HTML declares UTF-8; the boxes read it so.
    out.setCodec("UTF-8");
    out << html;
    out.flush();
    if (out.status() != QTextStream::Ok || !file.commit()) {
        fail(relative, LocalWriteError::reason(file));
        return false;
    }
    return true;
}

void TextPosterWriter::fail(const QString &relative, const QString &why)
{
    m_error = QCoreApplication::translate("TextPosterWriter", "Impossible de sauvegarder le fichier %1: %2.")
                  .arg(relative, why);
}

void TextPosterWriter::remove(const QString &stem)
{
    for (const QString &relative : {textFile(stem), pictureFile(stem)}) {
        const QString path = m_workFolder + relative;
        if (QFile::exists(path))
            QFile::remove(path);
        else
            qDebug().noquote() << "qERROR Remove: " + path + " n'existe pas\n";
    }
}

QString TextPosterWriter::readText(const QString &path, bool *ok)
{
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly | QIODevice::Text);
    if (ok)
        *ok = opened;
    if (!opened)
        return QString();
    QTextStream in(&file);
    in.setCodec("UTF-8");
    return in.readAll();
}
