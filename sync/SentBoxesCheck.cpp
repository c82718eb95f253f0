#include "SentBoxesCheck.h"

#include "BoxFolderDownload.h"
#include "ClassLog.h"
#include "HttpFileApi.h"
#include "RevisionCounters.h"
#include "TransferPaths.h"

#include <QDir>
#include <QFile>

namespace {

const char *const kFiles[] = {"PLAYER.orvex", "INFO.orvex"};

} // namespace

SentBoxesCheck::SentBoxesCheck(HttpFileApi *api, RevisionCounters *revisions, QObject *parent)
    : QObject(parent)
    , m_api(api)
    , m_revisions(revisions)
{
}

QString SentBoxesCheck::folder() const
{
    return m_work + QLatin1String("TEMP/SENTCHECK/");
}

void SentBoxesCheck::start()
{
    m_boxes.clear();
    // The names come from this console's own work folder; only a plain
    // name may become a server path.
    for (const QString &box : m_revisions->sentBoxes()) {
        if (TransferPaths::isPlainName(box))
            m_boxes << box;
    }
    m_file = 0;
    m_fresh = true;
    m_failed = false;
    m_replaced.clear();
}

void SentBoxesCheck::downloadFailed()
{
    if (m_downloading)
        m_failed = true;
}

void SentBoxesCheck::end()
{
    if (!m_boxes.isEmpty())
        ClassLog().log(QStringLiteral("OrvexLog"),
                       QStringLiteral("Ecrans deployes non verifies a la connexion: ") + m_boxes.join(QLatin1String(", ")));
    m_boxes.clear();
    QDir(folder()).removeRecursively();
}

bool SentBoxesCheck::step()
{
    if (m_boxes.isEmpty() || !m_download)
        return true;
    const QString box = m_boxes.first();
    const QString name = QLatin1String(kFiles[m_file]);
    const QString copy = folder() + name;
    if (m_fresh) {
        QDir().mkpath(folder());
        QFile::remove(copy);
        m_fresh = false;
    }
    m_downloading = true;
    const bool in = m_download(folder().chopped(1), name, box, QString());
    m_downloading = false;
    if (m_failed) {
        end();
        return true;
    }
    if (!in)
        return false;
    // No answer, an error answer, or a page or a cut copy in the file's
    // place (refused by the fetch): nothing known of the box.
    if (!m_api->lastSucceeded(HttpFileApi::OpDownload) && !m_api->lastDownloadMissing()) {
        end();
        return true;
    }
    if (m_api->lastDownloadMissing())
        QFile::remove(copy);
    m_fresh = true;
    if (++m_file < int(sizeof kFiles / sizeof *kFiles))
        return false;
    m_file = 0;
    const QString replaced = m_revisions->sentReplaced(box, folder());
    if (!replaced.isEmpty())
        m_replaced << qMakePair(box, replaced);
    // Shown or told: settled either way.
    m_revisions->dropSent(box);
    m_boxes.removeFirst();
    if (!m_boxes.isEmpty())
        return false;
    end();
    return true;
}

QString SentBoxesCheck::message() const
{
    return messageText(m_replaced);
}

QString SentBoxesCheck::messageText(const QList<QPair<QString, QString>> &replaced)
{
    QStringList lines;
    for (const auto &r : replaced)
        lines << BoxFolderDownload::replacedHead(r.first, r.second) + QLatin1Char('.');
    return lines.join(QLatin1Char('\n'));
}
