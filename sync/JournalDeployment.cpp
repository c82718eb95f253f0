#include "JournalDeployment.h"

#include "ClassLog.h"
#include "ClassParam.h"
#include "OperationJournal.h"
#include "RevisionCounters.h"

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

} // namespace

JournalDeployment::JournalDeployment(QTimer *timer, QObject *parent)
    : QObject(parent)
    , m_timer(timer)
{
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

QString JournalDeployment::indexChangedText()
{
    return tr("L'index des médias a été modifié par un autre utilisateur pendant l'envoi: vos changements n'y "
              "figurent pas encore, ils seront renvoyés au prochain envoi.");
}

bool JournalDeployment::fetchIndex()
{
    if (!fetchFile(QStringLiteral("MEDIA.orvex")))
        return false;
    m_rounds = 0;
    return true;
}

bool JournalDeployment::fetchFile(const QString &name)
{
    if (!m_download)
        return false;
    m_downloading = true;
    const bool in = m_download(m_work + QLatin1String("TEMP/"), name, QString(), QString());
    m_downloading = false;
    return in;
}

void JournalDeployment::downloadFailed(QString text, bool told)
{
    if (!m_downloading || !running())
        return;
    m_timer->stop();
    if (!told)
        emit signalCorrupt(text);
    finish();
}

bool JournalDeployment::mergeFetchedIndex(const QString &journal, const char *code, int errorCode)
{
    m_code = QLatin1String(code);
    m_base = contentOf(fetchedPath());
    // Every upload raises the counter: no two index versions look alike.
    const int revision = RevisionCounters::fileCounter(fetchedPath());
    m_journal = m_work + QLatin1String("TEMP/") + journal;
    m_merged = contentOf(m_journal);
    ClassParam counter;
    const QString count = counter.getParamCrypt(m_journal, OperationJournal::countKey(), 0);
    m_mergedCount = qMax(count.toInt(), 0);
    // The merge deletes what it merged: it works on a copy, so that the
    // journal outlives an index upload that fails.
    const QString copy = m_journal + QLatin1String(".merge");
    QFile::remove(copy);
    // The index is merged and sent from a file of the run's own: the media
    // page writes TEMP/MEDIA.orvex meanwhile.
    QFile::remove(indexPath());
    const bool copied = QDir().mkpath(QFileInfo(indexPath()).path()) && QFile::copy(fetchedPath(), indexPath())
        && writeMergeCopy(m_journal, copy);
    if (!indexReadable(fetchedPath())) {
        m_timer->stop();
        emit signalCorrupt(tr("Le fichier media est corrompu (code: %1) !!").arg(QLatin1String(code)));
    } else if (!copied || (m_merge && !m_merge(indexPath(), copy))
               || !ClassParam().setParamCrypt(indexPath(), QStringLiteral("ID"), QString::number(revision + 1))) {
        m_timer->stop();
        emit signalErreurConnexion(errorCode);
    } else {
        QFile::remove(copy);
        keepLocalIndex(m_journal);
        return true;
    }
    QFile::remove(copy);
    m_journal.clear();
    finish();
    return false;
}

bool JournalDeployment::writeMergeCopy(const QString &journal, const QString &copy)
{
    return !QFile::exists(journal) || QFile::copy(journal, copy);
}

JournalDeployment::IndexCheck JournalDeployment::checkBeforeUpload()
{
    const IndexCheck check = checkServerIndex(m_base, false);
    if (check == IndexCheck::Unchanged) {
        m_readBacks = 0;
        m_settling = false;
    }
    return check;
}

JournalDeployment::IndexCheck JournalDeployment::readBack()
{
    if (m_settling) {
        if (!m_settle.hasExpired(ReadBackSettleMs))
            return IndexCheck::Pending;
        m_settling = false;
    }
    const IndexCheck check = checkServerIndex(contentOf(indexPath()), true);
    if (check != IndexCheck::Unchanged)
        return check;
    if (++m_readBacks < 2) {
        m_settling = true;
        m_settle.start();
        return IndexCheck::Pending;
    }
    journalSent();
    return IndexCheck::Unchanged;
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
    m_downloading = true;
    const bool in = m_download(m_work + QLatin1String("TEMP/CHECK/"), QStringLiteral("MEDIA.orvex"), QString(), QString());
    m_downloading = false;
    if (!in || !running())
        return IndexCheck::Pending;
    QString error;
    const QByteArray server = contentOf(copy);
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
        QFile::remove(fetchedPath());
        if (QFile::rename(copy, fetchedPath()))
            return IndexCheck::Changed;
        error = tr("Le fichier media est corrompu (code: %1) !!").arg(m_code);
    }
    QFile::remove(copy);
    m_journal.clear();
    m_timer->stop();
    emit signalCorrupt(error);
    finish();
    return IndexCheck::Ended;
}

void JournalDeployment::journalSent()
{
    const QString path = m_journal;
    m_journal.clear();
    if (path.isEmpty())
        return;
    settleJournal(path);
    keepLocalIndex(path);
}

void JournalDeployment::keepLocalIndex(const QString &journal)
{
    // Replaying a record again changes nothing: the whole journal goes.
    const QString local = fetchedPath();
    const QString copy = journal + QLatin1String(".local");
    QFile::remove(local);
    QFile::remove(copy);
    if (!QFile::copy(indexPath(), local)
        || (m_merge && QFile::exists(journal) && (!QFile::copy(journal, copy) || !m_merge(local, copy))))
        ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("%1: the journal not replayed on the merged index").arg(local));
    QFile::remove(copy);
}

void JournalDeployment::settleJournal(const QString &path)
{
    if (m_merged.isEmpty())
        return;
    const QByteArray now = contentOf(path);
    if (now == m_merged || now.isEmpty()) {
        QFile::remove(path);
        return;
    }
    // Journalled while the index went up: those records wait for the next run.
    QString error;
    if (!OperationJournal::rewrite(path, OperationJournal::records(path, m_mergedCount), &error)) {
        // Kept whole: merged again next time rather than lost.
        ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("Journal %1 kept whole %2").arg(path, error));
    }
}
