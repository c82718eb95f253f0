#pragma once

#include <QCoreApplication>
#include <QFileDevice>
#include <QString>

// The text of a file that could not be written on this computer: the disk
// it lives on, the file and the system's reason (a full disk, say).
class LocalWriteError
{
    Q_DECLARE_TR_FUNCTIONS(LocalWriteError)
public:
    static QString text(const QString &file, const QString &why);
    // The mount point holding `path` (or its nearest existing folder).
    static QString diskOf(const QString &path);
    // `from` copied to `to`, which is replaced only once the copy is whole;
    // false with the system's reason in `why`.
    static bool copy(const QString &from, const QString &to, QString *why);
    // `from` copied into the new file `to` block by block (a medium may be
    // large); a failed copy leaves no `to`. False with the reason in `why`.
    static bool copyInto(const QString &from, const QString &to, QString *why);
    // Why a write to `file` failed. A write that came out short without an
    // error is a disk that filled up in the middle of the file.
    static QString reason(const QFileDevice &file);
};
