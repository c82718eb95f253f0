#include "LocalWriteError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <cerrno>

QString LocalWriteError::diskOf(const QString &path)
{
    QFileInfo info(QFileInfo(path).absolutePath());
    // A folder not made yet lies on the disk of the first one that is.
    while (!info.exists() && !info.isRoot() && info.absoluteFilePath() != info.absolutePath())
        info.setFile(info.absolutePath());
    const QStorageInfo disk(info.absoluteFilePath());
    return disk.isValid() ? disk.rootPath() : info.absoluteFilePath();
}

QString LocalWriteError::text(const QString &file, const QString &why)
{
    return tr("Écriture impossible sur le disque %1: le fichier %2 n'a pas pu être enregistré (%3). "
              "Vérifiez la place libre sur ce disque puis recommencez.")
        .arg(diskOf(file), QDir::toNativeSeparators(file), why);
}

bool LocalWriteError::copy(const QString &from, const QString &to, QString *why)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        *why = source.errorString();
        return false;
    }
    const QByteArray bytes = source.readAll();
    // write() only buffers: the flush tells a full disk before the commit.
    QSaveFile target(to);
    if (target.open(QIODevice::WriteOnly) && target.write(bytes) == bytes.size() && target.flush() && target.commit())
        return true;
    *why = reason(target);
    if (target.isOpen())
        target.cancelWriting();
    return false;
}

bool LocalWriteError::copyInto(const QString &from, const QString &to, QString *why)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        *why = source.errorString();
        return false;
    }
    QFile target(to);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *why = target.errorString();
        return false;
    }
    QByteArray block;
    bool written = true;
    while (written && !source.atEnd()) {
        block = source.read(1024 * 1024);
        if (block.isEmpty() && source.error() != QFileDevice::NoError) {
            *why = source.errorString();
            target.close();
            target.remove();
            return false;
        }
        written = target.write(block) == block.size();
    }
    written = written && target.flush();
    if (!written)
        *why = reason(target);
    target.close();
    if (!written)
        target.remove();
    return written;
}

QString LocalWriteError::reason(const QFileDevice &file)
{
    return file.error() == QFileDevice::NoError ? qt_error_string(ENOSPC) : file.errorString();
}
