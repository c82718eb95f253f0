#include "LoginFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

const QString LoginFile::FileName = QStringLiteral("LoginCrypt.orvex");
const QString LoginFile::FirstUserRights = QStringLiteral("1111111111111111;60;20");
const QString LoginFile::PlaylistPrefix = QStringLiteral("PLAYLIST-");

namespace {

const char *const kKeys[LoginFile::ListCount] = {
    "USERLIST",     "USERPERMISSION",   "USERTYPE",     "USERNOM",         "USEREMAIL",       "USERTELEPHONE",
    "USERPASSWORD", "PLAYPERMISSION",   "PLAYLISTNAME", "PLAYLISTELEMENTS", "CATEGORYLIST",   "CATEGORYELEMENTS",
    "FILTRESLIST",  "FILTRESELEMENTS",  "PLAYERLIST",   "PLAYERLISTNAME",  "PLAYERLISTTOPLAYLIST",
};

const QString kNull = QStringLiteral("NULL");

QString tr(const char *text)
{
    return QCoreApplication::translate("LoginFile", text);
}

} // namespace

LoginFile::LoginFile(const QString &file)
    : m_file(file)
{
}

QString LoginFile::keyName(List list)
{
    return QLatin1String(kKeys[list]);
}

QStringList LoginFile::splitRows(const QString &value)
{
    return value.split(QLatin1Char('|'));
}

QString LoginFile::joinRows(const QStringList &rows)
{
    return rows.join(QLatin1Char('|'));
}

bool LoginFile::hasNoRows(const QStringList &rows)
{
    return rows.isEmpty() || rows.first().isEmpty() || rows.first() == kNull;
}

QStringList LoginFile::readList(const QString &value)
{
    const QStringList rows = splitRows(value);
    return hasNoRows(rows) ? QStringList() : rows;
}

QStringList LoginFile::items(const QString &row)
{
    return row.split(QLatin1Char(';'));
}

QStringList LoginFile::rowItems(const QStringList &rows, int row)
{
    return row >= 0 && row < rows.size() ? items(rows.at(row)) : QStringList();
}

bool LoginFile::hasItem(const QString &row, const QString &item)
{
    return items(row).contains(item);
}

QString LoginFile::cleanTyped(QString text)
{
    text.remove(QLatin1Char('"'));
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}

QString LoginFile::cleanName(const QString &text)
{
    QString name = cleanTyped(text);
    name.remove(QLatin1Char('|'));
    name.remove(QLatin1Char(';'));
    return name;
}

QString LoginFile::cleanPlaylistName(const QString &text)
{
    static const QRegularExpression outside(QStringLiteral("[^a-zA-Z.\\d\\s]"));
    QString name = cleanTyped(text);
    name.remove(outside);
    // \s would keep tabs and other separators of a line.
    name.replace(QRegularExpression(QStringLiteral("[^ \\S]")), QString());
    return name;
}

QStringList LoginFile::playerToPlaylist(const QStringList &players, const QStringList &playlistNames,
                                        const QStringList &playlistElements)
{
    QStringList rows;
    for (const QString &serial : players) {
        QStringList playlists;
        for (int j = 0; j < playlistElements.size() && j < playlistNames.size(); ++j) {
            if (hasItem(playlistElements.at(j), serial))
                playlists.append(playlistNames.at(j));
        }
        rows.append(playlists.join(QLatin1Char(';')));
    }
    return rows;
}

QStringList LoginFile::boxChooserItems(const QStringList &players, const QStringList &names)
{
    QStringList entries;
    for (int i = 0; i < players.size() && i < names.size(); ++i)
        entries.append(players.at(i) + QLatin1Char('(') + names.at(i) + QLatin1Char(')'));
    return entries;
}

QString LoginFile::datedCopyName(const QDateTime &when)
{
    return FileName + QLatin1Char('-') + when.toString(QStringLiteral("dd-MM-yy-hh-mm-ss"));
}

bool LoginFile::load(const QStringList &screens)
{
    const bool read = m_param.getParamCrypt(m_file, QStringList{QStringLiteral("ALL")}, 0);
    auto value = [this](List l) { return m_param.getInfoBalise(keyName(l)); };

    for (List l : {UserList, UserType, UserNom, UserEmail, UserTelephone, UserPassword, UserPermission})
        m_lists[l] = splitRows(value(l));

    // The account's main user stands for the first user of a new file. A
    // file that never could be read has no main user: no "NULL" user then.
    QStringList &users = m_lists[UserList];
    if (hasNoRows(users)) {
        const QString mainUser = m_param.getInfoBalise(QStringLiteral("UTILISATEUR"));
        if (mainUser == kNull)
            users.clear();
        else
            users[0] = mainUser;
    }
    const QList<QPair<List, QString>> seeds = {
        {UserType, m_param.getInfoBalise(QStringLiteral("TYPECOMPTE"))},
        {UserNom, QString()},
        {UserEmail, QString()},
        {UserTelephone, QString()},
        {UserPassword, m_param.getInfoBalise(QStringLiteral("MOTDEPASSE"))},
        {UserPermission, FirstUserRights},
    };
    for (const auto &seed : seeds) {
        QStringList &rows = m_lists[seed.first];
        if (!rows.isEmpty() && rows.size() <= users.size() && hasNoRows(rows))
            rows[0] = seed.second;
    }

    m_lists[PlayerList] = splitRows(value(PlayerList));
    if (hasNoRows(m_lists[PlayerList])) {
        m_lists[PlayerList] = screens;
        m_lists[PlayerListName] = screens;
    } else {
        m_lists[PlayerListName] = readList(value(PlayerListName));
    }
    for (List l : {CategoryList, CategoryElements, FiltresList, FiltresElements, PlaylistName, PlaylistElements,
                   PlayPermission, PlayerListToPlaylist})
        m_lists[l] = readList(value(l));
    return read;
}

void LoginFile::updatePlayerToPlaylist()
{
    m_lists[PlayerListToPlaylist] =
        playerToPlaylist(m_lists.at(PlayerList), m_lists.at(PlaylistName), m_lists.at(PlaylistElements));
}

bool LoginFile::stage(const QString &key, const QStringList &rows)
{
    const QString joined = joinRows(rows);
    if (joined == m_param.getInfoBalise(key))
        return false;
    m_staged.append(qMakePair(key, joined));
    return true;
}

LoginFile::SaveResult LoginFile::save(const QDateTime &now)
{
    SaveResult result;
    m_staged.clear();
    const QString shown = QFileInfo(m_file).fileName();
    if (!m_param.getParamCrypt(m_file, QStringList{QStringLiteral("ALL")}, 0)) {
        result.error = tr("Le fichier %1 est introuvable ou illisible.").arg(shown);
        return result;
    }
    // Such a file would lock every user out once it reached the server.
    if (m_param.getInfoBalise(QStringLiteral("MOTDEPASSE")) == kNull) {
        result.error = tr("Le fichier %1 est vide ou endommagé.").arg(shown);
        return result;
    }
    // Checked on the mode bits: the super-user may write any file.
    if (!(QFileInfo(m_file).permissions() & QFileDevice::WriteOwner)) {
        result.error = tr("Le fichier %1 est en lecture seule.").arg(shown);
        return result;
    }

    for (int l = 0; l < ListCount; ++l)
        stage(keyName(List(l)), m_lists.at(l));

    const QString copy = QFileInfo(m_file).absolutePath() + QLatin1Char('/') + datedCopyName(now);
    if (!QFile::exists(copy) && QFile::copy(m_file, copy))
        result.copyPath = copy;

    if (!m_staged.isEmpty()) {
        QString why;
        if (!m_param.setParamsCrypt(m_file, m_staged, &why)) {
            m_staged.clear();
            result.error = tr("Le fichier %1 n'a pas pu être écrit: %2").arg(shown, why);
            return result;
        }
        for (const auto &kv : qAsConst(m_staged))
            result.writtenKeys.append(kv.first);
    }
    m_staged.clear();
    result.ok = true;
    result.changed = !result.writtenKeys.isEmpty();
    result.deployStatus = result.writtenKeys.contains(keyName(PlayerListToPlaylist));
    m_pendingChanged = m_pendingChanged || result.changed;
    m_pendingPlaylists = m_pendingPlaylists || result.deployStatus;
    return result;
}

int LoginFile::pendingDeploy() const
{
    if (!m_pendingChanged)
        return -1;
    return m_pendingPlaylists ? 1 : 0;
}

int LoginFile::takePendingDeploy()
{
    const int status = pendingDeploy();
    m_pendingChanged = false;
    m_pendingPlaylists = false;
    return status;
}
