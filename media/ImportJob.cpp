#include "ImportJob.h"

#include "MediaLibrary.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTime>

namespace {
// Work done between two turns of the event loop.
constexpr int kSliceMs = 20;
} // namespace

ImportJob::ImportJob(const QString &workFolder, int type, const QStringList &chosen, qint64 usedBytes, int maxMo,
                     bool ios, QObject *parent)
    : QObject(parent)
    , m_work(workFolder)
    , m_type(type)
    , m_chosen(chosen)
    , m_usedBytes(usedBytes)
    , m_maxMo(maxMo)
    , m_ios(ios)
{
    m_turn.setSingleShot(true);
    m_turn.setInterval(0);
    connect(&m_turn, &QTimer::timeout, this, &ImportJob::slice);
}

void ImportJob::start()
{
    if (m_running)
        return;
    m_running = true;
    emit progress(0, count(), 0);
    m_turn.start();
}

void ImportJob::cancel()
{
    if (!m_running)
        return;
    m_cancelled = true;
    if (m_phase != Phase::Idle) {
        // The file under way is neither whole nor checksummed: it goes.
        m_copy.abandon();
        QFile::remove(m_work + m_target);
        m_phase = Phase::Idle;
    }
    finish();
}

void ImportJob::pause()
{
    m_paused = true;
    m_turn.stop();
}

void ImportJob::resume()
{
    m_paused = false;
    if (m_running && !m_turn.isActive())
        m_turn.start();
}

void ImportJob::finish()
{
    m_turn.stop();
    m_running = false;
    emit progress(count(), count(), 0);
    emit finished();
}

bool ImportJob::openNext()
{
    const QString source = m_chosen.at(m_next);
    const QString folder = MediaLibrary::folder(m_type);
    const QString name = source.section(QLatin1Char('/'), -1);
    const qint64 bytes = QFileInfo(source).size();
    const MediaLibrary::Check check =
        MediaLibrary::checkImport(m_type, name, bytes, MediaLibrary::toMo(m_usedBytes), m_maxMo, m_ios);
    if (check == MediaLibrary::Check::QuotaReached) {
        m_next = count();
        emit refused(QuotaReached, source);
        return false;
    }
    if (check == MediaLibrary::Check::NameTooLong) {
        ++m_next;
        emit refused(NameTooLong, source);
        return false;
    }
    if (!QFileInfo::exists(m_work + folder))
        QDir().mkpath(m_work + folder);
    m_target = folder + MediaLibrary::storedName(name, m_type, QTime::currentTime());
    if (!m_copy.start(source, m_work + m_target)) {
        ++m_next;
        emit refused(CopyFailed, source);
        return false;
    }
    m_phase = Phase::Copying;
    return true;
}

void ImportJob::slice()
{
    QElapsedTimer clock;
    clock.start();
    while (m_running && !m_paused && clock.elapsed() < kSliceMs) {
        const int left = qMax(1, kSliceMs - int(clock.elapsed()));
        switch (m_phase) {
        case Phase::Idle:
            if (m_next >= count()) {
                finish();
                return;
            }
            // A refusal's box turns the event loop: what was asked meanwhile
            // is seen before the next file.
            if (!openNext())
                return resumeLater();
            break;
        case Phase::Copying:
            if (!m_copy.step(left)) {
                const double share = m_copy.total() > 0 ? double(m_copy.copied()) / double(m_copy.total()) : 0;
                emit progress(m_next, count(), 0.5 * share);
                break;
            }
            if (!m_copy.ok()) {
                m_phase = Phase::Idle;
                emit refused(CopyFailed, m_chosen.at(m_next++));
                return resumeLater();
            }
            m_sum.start(m_work + m_target);
            m_phase = Phase::Checksumming;
            emit progress(m_next, count(), 0.5);
            break;
        case Phase::Checksumming:
            if (!m_sum.step(left))
                break;
            m_copied.append({m_target, m_sum.result(), m_chosen.at(m_next)});
            m_usedBytes += QFileInfo(m_work + m_target).size();
            m_phase = Phase::Idle;
            ++m_next;
            emit progress(m_next, count(), 0);
            return resumeLater();
        }
    }
    resumeLater();
}

void ImportJob::resumeLater()
{
    if (m_running && !m_paused)
        m_turn.start();
}
