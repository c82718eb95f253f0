#pragma once

#include "SlicedChecksum.h"

#include <QObject>
#include <QString>
#include <QStringList>

class ClassParam;
class HttpFileApi;

// What the login uses to bring the local media in line with the server:
// one-file download unless the local copy has the expected MD5, the index
// entries a user may see, the removal of local media the user may no longer
// see, and the server's media folders.
class MediaAlignment : public QObject
{
    Q_OBJECT
public:
    MediaAlignment(HttpFileApi *api, ClassParam *loginFile, ClassParam *mediaIndex, QObject *parent = nullptr);

    void setWorkFolder(const QString &folder) { m_work = folder; }

    // One step per call; true once the file is in place (or its download
    // ended, failed or not). Local file errors emit signalError and start over.
    // With an expected MD5 the copy in place is replaced only by a download
    // that has it; another is dropped and the copy in place kept.
    bool slotTelechargerFichier(const QString &DossierLocal, const QString &FichierAtelecharge,
                                const QString &DossierFTP, const QString &FichierCHK);
    // The size the index gives the next medium; its download may receive no
    // more and has its deadline. Without one (0) no more than the account's
    // whole media quota. Holds for that one file.
    void setExpectedSize(qint64 bytes) { m_expectedSize = bytes > 0 ? bytes : m_quotaBytes; }
    // The account's media quota, in bytes (0: none known).
    void setQuotaBytes(qint64 bytes) { m_quotaBytes = qMax<qint64>(bytes, 0); }
    // The last file was already current: no transfer happened.
    bool lastWasCurrent() const { return m_current; }
    QStringList UserToList(const QString &user, const QString &key);
    void RemoveLocalFile(const QString &folder, const QStringList &keep);
    bool checkCreateFolderFtp();
    void reset();
    int downloadStep() const { return m_step; }

    // "IMAGE/", "VIDEO/" or "TEXT/" followed by a plain name.
    static bool isMediaPath(const QString &entry);
    // A media row's permission: one of its ';' items equals one of the
    // rights, or the row is "ADMINISTRATEUR".
    static bool rowVisible(const QString &row, const QStringList &rights);

signals:
    // The login error routine's text ("Suppression du fichier impossible", ...);
    // `told` when a box naming the file and the reason was shown already.
    void signalError(QString text, bool told);
    void signalMessage(QString title, QString text, bool critical);
    void SignalFirstFileSize();

private:
    // Where a download with an expected MD5 lands until it is verified.
    static QString partialPath(const QString &path);

    HttpFileApi *m_api;
    ClassParam *m_login;
    ClassParam *m_media;
    QString m_work;
    int m_step = 0;
    bool m_current = false;
    int m_folderStep = 0;
    QStringList m_pending;
    SlicedChecksum m_hasher;
    SlicedChecksum m_verifier;
    qint64 m_expectedSize = 0;
    qint64 m_quotaBytes = 0;
};
