#include "MediaAlignment.h"

#include "ClassLog.h"
#include "ClassParam.h"
#include "HttpFileApi.h"
#include "TransferLists.h"
#include "TransferPaths.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kNull = QStringLiteral("NULL");

QStringList rows(ClassParam *param, const char *key)
{
    const QString value = param->getInfoBalise(QString::fromLatin1(key));
    return value == kNull ? QStringList() : value.split(QLatin1Char('|'));
}

void logLine(const QString &text)
{
    ClassLog().log(QStringLiteral("OrvexLog"), text);
}

} // namespace

MediaAlignment::MediaAlignment(HttpFileApi *api, ClassParam *loginFile, ClassParam *mediaIndex, QObject *parent)
    : QObject(parent)
    , m_api(api)
    , m_login(loginFile)
    , m_media(mediaIndex)
{
}

void MediaAlignment::reset()
{
    m_step = 0;
    m_expectedSize = 0;
    m_folderStep = 0;
}

bool MediaAlignment::isMediaPath(const QString &entry)
{
    return TransferPaths::isMediaPath(entry);
}

bool MediaAlignment::rowVisible(const QString &row, const QStringList &rights)
{
    if (row == QLatin1String("ADMINISTRATEUR"))
        return true;
    for (const QString &item : row.split(QLatin1Char(';'))) {
        if (!item.isEmpty() && rights.contains(item))
            return true;
    }
    return false;
}

QString MediaAlignment::partialPath(const QString &path)
{
    const QFileInfo info(path);
    return info.dir().filePath(QLatin1Char('.') + info.fileName() + QLatin1String(".part"));
}

bool MediaAlignment::slotTelechargerFichier(const QString &DossierLocal, const QString &FichierAtelecharge,
                                            const QString &DossierFTP, const QString &FichierCHK)
{
    const QString path = DossierLocal + QLatin1Char('/') + FichierAtelecharge;
    switch (m_step) {
    case 0:
        m_api->setDoneFlag(1, false);
        m_current = false;
        qDebug().noquote() << QStringLiteral("Chemin ftp=  %1").arg(m_api->accountFolder())
                                  + (DossierFTP.isEmpty() ? QString() : QLatin1Char('/') + DossierFTP);
        m_step = 1;
        Q_FALLTHROUGH();
    case 1:
        m_step = 4;
        if (QFile::exists(path)) {
            qDebug().noquote() << QStringLiteral("Le fichier %1 est déjà présent.").arg(path);
            if (!FichierCHK.isEmpty() && m_hasher.start(path)) {
                m_step = 5;
                return false;
            }
        }
        return slotTelechargerFichier(DossierLocal, FichierAtelecharge, DossierFTP, FichierCHK);
    case 5:
        // A slice per call: a large video does not hold the event loop.
        if (!m_hasher.step())
            return false;
        // Either letter case: an index written in lower case is still current.
        if (m_hasher.result().compare(FichierCHK, Qt::CaseInsensitive) == 0) {
            qDebug().noquote() << QStringLiteral("Le checksum du fichier %1 est ok.").arg(path);
            m_current = true;
            m_step = 3;
            return false;
        }
        m_step = 4;
        return false;
    case 4: {
        // The copy in place stays until the download is whole; a medium with
        // its index checksum goes to a side file first and replaces it only
        // with that checksum. A media folder removed by hand comes back.
        // Nothing can take the place of a folder standing where the copy goes.
        if (FichierCHK.isEmpty() && QFileInfo(path).isDir()) {
            qDebug().noquote() << QStringLiteral("Impossible de supprimer le fichier  %1").arg(path);
            m_step = 0;
            m_expectedSize = 0;
            emit signalError(QStringLiteral("Suppression du fichier impossible"), false);
            return false;
        }
        QDir().mkpath(DossierLocal);
        QString why;
        if (!m_api->openTransferFile(FichierCHK.isEmpty() ? path : partialPath(path), &why)) {
            m_step = 0;
            m_expectedSize = 0;
            emit signalMessage(tr("FTP"), tr("Impossible de sauvegarder le fichier %1: %2.").arg(path, why), false);
            emit signalError(QStringLiteral("Impossible de sauvegarder le fichier"), true);
            return false;
        }
        qDebug().noquote() << QStringLiteral("Téléchargement du fichier  %1").arg(FichierAtelecharge);
        // Set first: a local-mode copy completes inside the call and empties it.
        m_api->setStatusLabel(tr("Téléchargement %1...").arg(FichierAtelecharge));
        m_step = 2;
        if (m_expectedSize > 0)
            m_api->setDownloadLimit(m_expectedSize);
        m_api->downloadFileHttp(DossierFTP, FichierAtelecharge);
        return false;
    }
    case 2:
        if (!m_api->doneFlag(1))
            return false;
        m_step = 3;
        if (!FichierCHK.isEmpty()) {
            if (m_api->lastSucceeded(HttpFileApi::OpDownload) && m_verifier.start(partialPath(path)))
                m_step = 6;
            else
                QFile::remove(partialPath(path));
        }
        // Nothing to check: the end comes in the same call, not a tick later.
        return m_step == 3 && slotTelechargerFichier(DossierLocal, FichierAtelecharge, DossierFTP, FichierCHK);
    case 6: {
        // A slice per call, as for the copy in place.
        if (!m_verifier.step())
            return false;
        m_step = 3;
        const QString part = partialPath(path);
        if (m_verifier.result().compare(FichierCHK, Qt::CaseInsensitive) != 0) {
            QFile::remove(part);
            logLine(QStringLiteral("Checksum faux pour %1: %2 reçu, %3 attendu; copie locale conservée")
                        .arg(FichierAtelecharge, m_verifier.result(), FichierCHK));
            return false;
        }
        if (!HttpFileApi::replaceFile(part, path)) {
            QFile::remove(part);
            qDebug().noquote() << QStringLiteral("Impossible de supprimer le fichier  %1").arg(path);
            m_step = 0;
            m_expectedSize = 0;
            emit signalError(QStringLiteral("Suppression du fichier impossible"), false);
        }
        return false;
    }
    case 3:
        m_api->setDoneFlag(1, false);
        m_expectedSize = 0;
        m_step = 0;
        return true;
    default:
        return false;
    }
}

QStringList MediaAlignment::UserToList(const QString &user, const QString &key)
{
    const QStringList users = rows(m_login, "USERLIST");
    const QStringList types = rows(m_login, "USERTYPE");
    const QStringList play = rows(m_login, "PLAYPERMISSION");
    const QStringList values = rows(m_media, key.toLatin1().constData());
    const int i = users.indexOf(user);

    if (i >= 0 && i < types.size()
        && (types.at(i) == QLatin1String("ADMIN") || types.at(i) == QLatin1String("ADMINISTRATEUR"))) {
        emit SignalFirstFileSize();
        return values;
    }
    const QString permission = m_media->getInfoBalise(QStringLiteral("FILEPATHPERMISSION"));
    if (permission == kNull) {
        // Only a missing table is initialised.
        const int count = rows(m_media, "FILEPATH").size();
        m_media->setParamCrypt(m_work + QLatin1String("TEMP/MEDIA.orvex"), QStringLiteral("FILEPATHPERMISSION"),
                               QString(qMax(0, count - 1), QLatin1Char('|')));
        return values;
    }
    if (i < 0)
        return values;

    // The user's own row only; an empty right grants nothing.
    const QStringList rights = i < play.size() ? play.at(i).split(QLatin1Char(';')) : QStringList();
    const QStringList perm = permission.split(QLatin1Char('|'));
    QStringList visible;
    for (int j = 0; j < perm.size() && j < values.size(); ++j) {
        if (rowVisible(perm.at(j), rights))
            visible << values.at(j);
    }
    return visible;
}

void MediaAlignment::RemoveLocalFile(const QString &folder, const QStringList &keep)
{
    // The folder itself always stays.
    const QDir dir(m_work + folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden, QDir::NoSort)) {
        if (keep.contains(folder + QLatin1Char('/') + name))
            continue;
        if (!QFile::remove(dir.filePath(name)))
            emit signalMessage(QStringLiteral("Erreur"), QStringLiteral("Impossible de supprimer le fichier"), true);
        else
            ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("Média retiré: ") + folder + QLatin1Char('/') + name);
    }
}

bool MediaAlignment::checkCreateFolderFtp()
{
    switch (m_folderStep) {
    case 0:
    case 1:
    case 2:
        m_pending = QStringList{QStringLiteral("VIDEO"), QStringLiteral("IMAGE"), QStringLiteral("TEXT")};
        for (const QString &known : m_api->lists()->boxList())
            m_pending.removeAll(known);
        m_folderStep = 3;
        return false;
    case 3:
        m_folderStep = m_pending.isEmpty() ? 100 : 4;
        return false;
    case 4:
        m_api->createDirHttp(m_pending.first());
        m_folderStep = 5;
        return false;
    case 5:
        if (m_api->doneFlag(7))
            m_folderStep = 6;
        return false;
    case 6:
        m_pending.removeFirst();
        m_folderStep = 3;
        return false;
    default:
        m_folderStep = 0;
        return true;
    }
}
