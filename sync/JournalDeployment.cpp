#include "JournalDeployment.h"

#include "ClassLog.h"
#include "ClassParam.h"
#include "HttpFileApi.h"
#include "LocalWriteError.h"
#include "OperationJournal.h"
#include "RevisionCounters.h"
#include "StepDriver.h"
#include "TimeScale.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A merge that answers false has a readable index it could not write.
QString mergeNotWritten()
{
    return JournalDeployment::tr("l'index fusionné n'a pas pu être écrit");
}

} // namespace

JournalDeployment::JournalDeployment(HttpFileApi *api, QTimer *timer, QObject *parent)
    : QObject(parent)
    , m_api(api)
    , m_timer(timer)
    , m_driver(new StepDriver(timer, this))
{
    m_driver->wakeOn(api);
}

bool JournalDeployment::running() const
{
    return m_timer->isActive() || m_step != 0;
}

bool JournalDeployment::indexReadable(const QString &path)
{
    if (QFileInfo(path).size() <= 0)
        return false;
    ClassParam index;
    const QString value = index.getParamCrypt(path, QStringLiteral("FILEPATH"), 1);
    return value != QLatin1String("PB_OPEN") && value != QLatin1String("FileError");
}

QString JournalDeployment::notArrivedText()
{
    return tr("L'index des médias envoyé n'est pas arrivé sur le serveur: vos changements n'y figurent pas "
              "encore, ils seront renvoyés au prochain envoi.");
}

QString JournalDeployment::uncheckedText(bool damaged)
{
    return (damaged ? tr("La réponse du serveur à la relecture de l'index des médias était endommagée")
                    : tr("Le serveur n'a pas répondu à la relecture de l'index des médias"))
        + tr(": vos changements ont été envoyés mais n'ont pas pu être vérifiés. Ils le seront à la prochaine "
             "connexion ou visite de la médiathèque.");
}

QString JournalDeployment::indexChangedText()
{
    return tr("L'index des médias a été modifié par un autre utilisateur pendant l'envoi: vos changements n'y "
              "figurent pas encore, ils seront renvoyés au prochain envoi.");
}

bool JournalDeployment::fetchIndex()
{
    m_indexStage = 0;
    m_unchecked = false;
    m_damaged = false;
    if (!fetchFile(QStringLiteral("MEDIA.orvex")))
        return false;
    m_rounds = 0;
    return true;
}

bool JournalDeployment::fetchFile(const QString &name, const QString &folder, const QString &serverFolder,
                                  const QString &checksum)
{
    if (!m_download)
        return false;
    m_downloading = true;
    const bool in = m_download(m_work + folder, name, serverFolder, checksum);
    m_downloading = false;
    // Not a server trouble: nothing to try again.
    if (in && m_api->lastDownloadWriteFailed()) {
        writeFailed(m_work + folder + name, m_api->lastFailure(HttpFileApi::OpDownload));
        return false;
    }
    return in;
}

QString JournalDeployment::stoppedText() const
{
    if (m_indexStage == 0)
        return tr("L'index des médias du serveur n'a pas été modifié: vos changements restent à envoyer.");
    if (m_indexStage == 1)
        return tr("L'index des médias envoyé n'a pas pu être relu: vos changements seront renvoyés au prochain "
                  "envoi.");
    return tr("L'index des médias a été envoyé et relu; la suite de l'envoi est arrêtée.");
}

void JournalDeployment::writeFailed(const QString &file, const QString &why)
{
    ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("%1 not written: %2, run ended").arg(file, why));
    const QString text = LocalWriteError::text(file, why) + QLatin1Char(' ') + stoppedText();
    m_journal.clear();
    m_driver->stop();
    emit signalCorrupt(text);
    finish();
}

void JournalDeployment::downloadFailed(QString text, bool told)
{
    if (!m_downloading || !running())
        return;
    m_driver->stop();
    if (!told)
        emit signalCorrupt(text);
    finish();
}

bool JournalDeployment::mergeFetchedIndex(const QString &journal, const char *code)
{
    m_code = QLatin1String(code);
    m_indexStage = 0;
    m_base = contentOf(fetchedPath());
    // Every upload raises the counter: no two index versions look alike.
    const int revision = RevisionCounters::fileCounter(fetchedPath());
    m_journal = m_work + QLatin1String("TEMP/") + journal;
    m_merged = contentOf(m_journal);
    ClassParam counter;
    const QString count = counter.getParamCrypt(m_journal, OperationJournal::countKey(), 0);
    m_mergedCount = qMax(count.toInt(), 0);
    if (!indexReadable(fetchedPath())) {
        m_journal.clear();
        m_driver->stop();
        emit signalCorrupt(tr("Le fichier media est corrompu (code: %1) !!").arg(QLatin1String(code)));
        finish();
        return false;
    }
    // The merge deletes what it merged: it works on a copy, so that the
    // journal outlives an index upload that fails.
    const QString copy = m_journal + QLatin1String(".merge");
    QFile::remove(copy);
    // The index is merged and sent from a file of the run's own: the media
    // page writes TEMP/MEDIA.orvex meanwhile.
    QFile::remove(indexPath());
    QString file = indexPath();
    QString why;
    bool written = QDir().mkpath(QFileInfo(indexPath()).path());
    if (!written)
        why = tr("dossier impossible à créer");
    written = written && LocalWriteError::copy(fetchedPath(), indexPath(), &why);
    if (written && !writeMergeCopy(m_journal, copy, &why)) {
        file = copy;
        written = false;
    }
    if (written && m_merge && !m_merge(indexPath(), copy)) {
        why = mergeNotWritten();
        written = false;
    }
    written = written && mergeKept(&why);
    written = written
        && ClassParam().setParamsCrypt(indexPath(), {{QStringLiteral("ID"), QString::number(revision + 1)}}, &why);
    written = written && keepLocalIndex(m_journal, &file, &why);
    QFile::remove(copy);
    if (!written) {
        writeFailed(file, why);
        return false;
    }
    return true;
}

bool JournalDeployment::writeMergeCopy(const QString &journal, const QString &copy, QString *why)
{
    return !QFile::exists(journal) || LocalWriteError::copy(journal, copy, why);
}

JournalDeployment::IndexCheck JournalDeployment::checkBeforeUpload()
{
    const IndexCheck check = checkServerIndex(m_base, false);
    if (check == IndexCheck::Unchanged)
        m_readBack.start();
    return check;
}

JournalDeployment::IndexCheck JournalDeployment::readBack()
{
    m_indexStage = qMax(m_indexStage, 1);
    if (!m_readBack.wantsRead())
        return IndexCheck::Pending;
    const IndexCheck check = checkServerIndex(contentOf(indexPath()), true);
    if (check == IndexCheck::Unchecked) {
        m_unchecked = true;
        return journalSent() ? IndexCheck::Unchanged : IndexCheck::Ended;
    }
    if (check != IndexCheck::Unchanged)
        return check;
    m_readBack.shown(true);
    if (m_readBack.result() == ReadBack::Pending) {
        // The second read comes when the wait is over, not at the timer's
        // next tick.
        QTimer::singleShot(TimeScale::ms(ReadBack::SecondReadMs), this, [this] { m_driver->wake(); });
        return IndexCheck::Pending;
    }
    return journalSent() ? IndexCheck::Unchanged : IndexCheck::Ended;
}

void JournalDeployment::stepOn(IndexCheck check, int next, int merge)
{
    if (check == IndexCheck::Unchanged)
        m_step = next;
    else if (check == IndexCheck::Changed)
        m_step = merge;
}

JournalDeployment::IndexCheck JournalDeployment::checkServerIndex(const QByteArray &expected, bool readingBack)
{
    const QString copy = checkPath();
    if (!m_download)
        return IndexCheck::Unchanged;
    const bool in = fetchFile(QStringLiteral("MEDIA.orvex"), QStringLiteral("TEMP/CHECK/"));
    if (!running())
        return IndexCheck::Ended;
    if (!in)
        return IndexCheck::Pending;
    QString error;
    const QByteArray server = contentOf(copy);
    if (readingBack && !indexReadable(copy)) {
        // No answer, an error or a page in the index's place: the server's
        // index is not known to be damaged. Read again, then go on unchecked.
        m_damaged = !server.isEmpty() || m_api->lastDownloadDamaged();
        QFile::remove(copy);
        ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("MEDIA.orvex read-back %1 of %2: %3")
                                                       .arg(m_readBack.failures() + 1)
                                                       .arg(ReadBack::Tries)
                                                       .arg(m_damaged ? QStringLiteral("not an index")
                                                                      : QStringLiteral("no answer")));
        m_readBack.failed();
        return m_readBack.result() == ReadBack::Unchecked ? IndexCheck::Unchecked : IndexCheck::Pending;
    }
    if (!indexReadable(copy)) {
        error = tr("Le fichier media est corrompu (code: %1) !!").arg(m_code);
    } else if (server == expected || (readingBack && showsRun(copy))) {
        // Another console's index that already holds this run's changes
        // counts as ours: merging again would only bounce between them.
        QFile::remove(copy);
        return IndexCheck::Unchanged;
    } else if (readingBack && server == m_base) {
        ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("MEDIA.orvex: the server still holds the copy "
                                                                  "fetched before the upload, journal kept"));
        error = notArrivedText();
    } else if (++m_rounds > MergeRounds) {
        ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("MEDIA.orvex: changed %1 times during the run, journal kept")
                                                       .arg(m_rounds));
        error = indexChangedText();
    } else {
        // The journal is still whole: it is merged again on the fresh copy.
        ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("MEDIA.orvex changed on the server: merged again"));
        // In one step: the index in place stays until the fresh copy takes it.
        QString why;
        if (HttpFileApi::replaceFile(copy, fetchedPath(), &why))
            return IndexCheck::Changed;
        QFile::remove(copy);
        writeFailed(fetchedPath(), why);
        return IndexCheck::Ended;
    }
    QFile::remove(copy);
    m_journal.clear();
    m_driver->stop();
    emit signalCorrupt(error);
    finish();
    return IndexCheck::Ended;
}

bool JournalDeployment::journalSent()
{
    m_indexStage = 2;
    const QString path = m_journal;
    m_journal.clear();
    if (path.isEmpty())
        return true;
    QString file;
    QString why;
    if (settleJournal(path, &file, &why) && keepLocalIndex(path, &file, &why))
        return true;
    writeFailed(file, why);
    return false;
}

bool JournalDeployment::keepLocalIndex(const QString &journal, QString *file, QString *why)
{
    // Built beside it: the index in place stays whole until the new one is.
    // Replaying a record again changes nothing: the whole journal goes.
    const QString local = fetchedPath();
    const QString side = local + QLatin1String(".new");
    const QString copy = journal + QLatin1String(".local");
    QFile::remove(side);
    QFile::remove(copy);
    *file = local;
    bool written = LocalWriteError::copy(indexPath(), side, why);
    if (written && m_merge && QFile::exists(journal)) {
        written = LocalWriteError::copy(journal, copy, why);
        if (!written)
            *file = copy;
        else if (!(written = m_merge(side, copy)))
            *why = mergeNotWritten();
    }
    written = written && HttpFileApi::replaceFile(side, local, why);
    QFile::remove(copy);
    if (!written)
        QFile::remove(side);
    return written;
}

bool JournalDeployment::settleJournal(const QString &path, QString *file, QString *why)
{
    if (m_merged.isEmpty())
        return true;
    const QByteArray now = contentOf(path);
    if (now == m_merged || now.isEmpty()) {
        QFile::remove(path);
        return true;
    }
    // Journalled while the index went up: those records wait for the next run.
    *file = path;
    return OperationJournal::rewrite(path, OperationJournal::records(path, m_mergedCount), why);
}
