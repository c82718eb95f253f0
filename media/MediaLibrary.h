#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTime>

// The account's media index (TEMP/MEDIA.orvex: parallel lists FILEPATH,
// FILECHK, FILESIZE, FILEPATHPERMISSION) and media journal
// (TEMP/INFOMEDIA.orvex), without widgets. Paths are matched as whole
// entries ("IMAGE/" + name), never as parts of another path. Every index
// change is one atomic write; every journal record is one append.
class MediaLibrary
{
public:
    enum Type { Picture = 0, Video = 1, TextPoster = 2 };
    enum class Check { Accepted, QuotaReached, NameTooLong };

    struct Entry {
        QString path;
        QString checksum;
        QString permission;
        QString size;
    };

    explicit MediaLibrary(const QString &workFolder);

    QString workFolder() const { return m_work; }
    QString indexFile() const;
    QString journalFile() const;

    // "IMAGE/", "VIDEO/" or "TEXT/"; empty for another type.
    static QString folder(int type);
    // A text poster's picture "x.png" has its text "x.txt" beside it.
    static QString companion(const QString &path);

    // Name stored for a chosen file: ASCII letters, digits, dots and plain
    // spaces kept, "-hhmmss" before the extension (cut to ".xxx" for a
    // picture).
    static QString storedName(const QString &chosenName, int type, const QTime &now);
    // Copies without overwriting: false when `to` exists or the copy
    // fails (a partial copy is removed).
    static bool copyNew(const QString &from, const QString &to);
    // Quota and name-length test of one chosen file (usedMo before it).
    static Check checkImport(int type, const QString &chosenName, qint64 bytes, int usedMo, int maxMo, bool ios);
    // Its quota part: a picture while the library is under the quota, a
    // video whose whole Mo still keep it under.
    static bool fitsQuota(int type, qint64 bytes, int usedMo, int maxMo);
    // A path that would break the '|'-joined lists or the line-based file.
    static bool safePath(const QString &path);

    static int toMo(qint64 bytes) { return int(bytes / 1000000); }
    // 0 when the quota is 0 or unknown.
    static double quotaPercent(int usedMo, int maxMo);
    static bool isAdministrator(const QString &userType);

    // Re-reads the index; false when it cannot be read (the lists are then empty).
    bool load();
    int count() const { return m_paths.size(); }
    int indexOf(const QString &path) const;
    Entry entry(int i) const;
    qint64 usedBytes() const;

    // Registers files already in the work folder (a text poster with its
    // companion). Adds nothing when the path is already indexed or unsafe.
    // False when nothing was indexed: already there, refused, or a write
    // failed (the index is then as it was and nothing is journalled).
    // `checksum`: the file's, when the caller has just made it.
    bool add(int type, const QString &path, const QString &userName, const QString &userType,
             const QString &checksum = QString());
    // add(), or for a path already indexed (a text poster saved again under
    // its own name) "SUPPRIMER" then "AJOUTER" with the files as they are now.
    bool renew(int type, const QString &path, const QString &userName, const QString &userType);
    // Takes the entry out of the index and journals "SUPPRIMER" with its fields.
    bool remove(const QString &path);
    // A file whose download failed: its entry leaves the local index only.
    bool dropLocal(const QString &pathOrLocalFile);
    // Replaces the permission row and journals "PERMISSION".
    bool grant(const QString &path, const QString &row);
    // FILESIZE from the files; a missing file keeps its stored size.
    bool rebuildSizes();

    // Between these two, changes stay in memory (the index and login file
    // read once) and go to disk in one index write and one journal write:
    // an import of many files costs two writes, not two per file.
    void beginBatch();
    // False when a write failed: the batch's changes are then undone.
    bool commitBatch();

    // Whether a poster of DATA/PLAYER.orvex names the file (a whole entry,
    // with or without its folder).
    bool inUse(int type, const QString &name) const;
    // How many posters of DATA/PLAYER.orvex show the text picture (a whole
    // SLIDENAMETXT entry, with or without "TEXT/").
    int textUses(const QString &name) const;

    // Messages of the failed index writes and journal appends since the
    // last call, for the page to show.
    QStringList takeErrors();
    // The same with their box titles: "CreateFile" for a journal that
    // cannot be created, the save-failure title for any write that failed.
    QList<QPair<QString, QString>> takeReports();
    static QString saveFailureTitle();
    static QString createFailureTitle();

private:
    QString work(const QString &relative) const { return m_work + relative; }
    QString permissionOf(const QString &userName, const QString &userType, bool companion) const;
    bool writeIndex();
    // A removal or grant of a path while no local index exists: journalled
    // by its path alone; false when an index exists (the path is unknown).
    bool withoutIndex(const QStringList &pathOnly);
    // Back to the lists the batch found, nothing written.
    void abandonBatch();
    static QStringList record(const QString &operation, const Entry &e);
    // Appends now, or with the batch.
    bool journal(const QList<QStringList> &records);
    bool appendRecords(const QList<QStringList> &records);
    Entry takeAt(int i);
    struct Lists;
    // The index written, then the records journalled; when either fails the
    // lists go back to `before` and the index with them.
    bool recorded(const QList<QStringList> &records, const Lists &before);

    void loadLogin();
    // Entries that are no media path (a NUL, a folder part) would make every
    // index write fail: they leave the lists, once logged.
    void dropForeignEntries();

    QString m_work;
    bool m_batch = false;
    bool m_dirty = false;
    QList<QStringList> m_records;
    bool m_loginRead = false;
    QStringList m_users, m_userRows;
    bool m_hasPaths = false, m_hasChecksums = false, m_hasSizes = false, m_hasPermissions = false;
    QStringList m_paths, m_checksums, m_sizes, m_permissions;
    // The lists as a batch found them.
    struct Lists {
        QStringList paths, checksums, sizes, permissions;
    } m_before;
    QList<QPair<QString, QString>> m_errors;
    // Index entries already logged as dropped.
    QStringList m_dropped;
};
