#include "BoxSimulator.h"

#include "ClassParam.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace {

const char *const kCommand = "COMMAND.orvex";

// A box writes its status report with the running poster list's
// fingerprint where the file's own would stand (the console reads it with
// the check off). Put in place in one rename: never served half written.
bool writeStatusFile(const QString &path, const QString &state, const QString &print, const QString &connect)
{
    const QString plain = QStringLiteral("STATE=\"%1\"\r\nCONNECT=\"%2\"\r\nEMPREINTE=\"%3\"").arg(state, connect, print);
    ClassParam cipher;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(cipher.CryptRC4(plain).toLatin1());
    return file.commit();
}

} // namespace

BoxSimulator::BoxSimulator(const Options &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
{
}

QStringList BoxSimulator::accountFolders() const
{
    if (!m_options.account.isEmpty())
        return {m_options.account};
    return QDir(m_options.root).entryList({QStringLiteral("zo_*")}, QDir::Dirs | QDir::NoDotAndDotDot);
}

int BoxSimulator::report()
{
    const QDir root(m_options.root);
    int reported = 0;
    for (const QString &account : accountFolders()) {
        const QDir dir(root.filePath(account));
        for (const QString &box : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            // Playlist and media folders have no factory record: no box there.
            const QString folder = dir.filePath(box) + QLatin1Char('/');
            if (!QFileInfo::exists(folder + QLatin1String("BOX.orvex")))
                continue;
            writeStatus(folder);
            ++reported;
        }
    }
    return reported;
}

int BoxSimulator::scan()
{
    const QDir root(m_options.root);
    int answered = 0;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const QString &account : accountFolders()) {
        const QDir dir(root.filePath(account));
        for (const QString &box : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QString folder = dir.filePath(box) + QLatin1Char('/');
            takeNewList(folder);
            if (!QFileInfo::exists(folder + QLatin1String(kCommand))) {
                m_seen.remove(folder);
                continue;
            }
            if (!m_seen.contains(folder))
                m_seen.insert(folder, now);
            if (m_seen.value(folder).msecsTo(now) < m_options.delayMs)
                continue;
            m_seen.remove(folder);
            answer(folder, account + QLatin1Char('/') + box);
            ++answered;
        }
    }
    return answered;
}

void BoxSimulator::takeNewList(const QString &boxFolder)
{
    if (!QFileInfo::exists(boxFolder + QLatin1String("BOX.orvex")))
        return;
    const QFileInfo list(boxFolder + QLatin1String("PLAYER.orvex"));
    const QPair<QDateTime, qint64> stamp(list.exists() ? list.lastModified() : QDateTime(),
                                         list.exists() ? list.size() : -1);
    const auto known = m_lists.constFind(boxFolder);
    const bool changed = known != m_lists.constEnd() && known.value() != stamp;
    m_lists.insert(boxFolder, stamp);
    // The list the box found when it started is the one it already runs.
    if (changed && list.exists())
        writeStatus(boxFolder);
}

void BoxSimulator::answer(const QString &boxFolder, const QString &label)
{
    const QString commandFile = boxFolder + QLatin1String(kCommand);
    ClassParam reader;
    const QString word = reader.getParamCrypt(commandFile, QStringLiteral("COMMANDHTTP"), 0);
    // The box takes the file: the same command is never run twice.
    QFile::remove(commandFile);
    record(label + QLatin1Char(' ') + word);
    if (word == QLatin1String("UPLOADEVENTS")) {
        appendEvent(boxFolder, QStringLiteral("Envoi des événements demandé"));
        writeStatus(boxFolder);
    } else if (word == QLatin1String("REBOOT")) {
        appendEvent(boxFolder, QStringLiteral("Redémarrage demandé"));
    } else {
        appendEvent(boxFolder, QStringLiteral("Commande reçue: ") + word);
    }
}

void BoxSimulator::writeStatus(const QString &boxFolder)
{
    ClassParam reader;
    const QString running = reader.getParamCrypt(boxFolder + QLatin1String("PLAYER.orvex"),
                                                 QStringLiteral("EMPREINTE"), 0);
    const QString print = running == QLatin1String("PB_OPEN") ? QStringLiteral("NULL") : running;
    const QString connect = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    if (!writeStatusFile(boxFolder + QLatin1String("STATUS.orvex"), m_options.state, print, connect))
        record(QStringLiteral("error: STATUS.orvex of ") + boxFolder + QStringLiteral(" not written"));
}

void BoxSimulator::appendEvent(const QString &boxFolder, const QString &text)
{
    QFile file(boxFolder + QLatin1String("EVENTS.orvex"));
    if (!file.open(QIODevice::Append)) {
        record(QStringLiteral("error: EVENTS.orvex of ") + boxFolder + QStringLiteral(" not written"));
        return;
    }
    const QString line = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) +
                         QStringLiteral(" | ") + text + QLatin1Char('\n');
    file.write(line.toUtf8());
}

void BoxSimulator::record(const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
    if (m_options.record.isEmpty())
        return;
    QFile file(m_options.record);
    if (file.open(QIODevice::Append))
        file.write(bytes);
}
