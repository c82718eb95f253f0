#include "LoginFile.h"

#include "PendingAdminDeploy.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

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

LoginFile::List LoginFile::listOf(const QString &key)
{
    int l = 0;
    while (l < ListCount && key != QLatin1String(kKeys[l]))
        ++l;
    return List(l);
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

bool LoginFile::isNoRows(const QString &value)
{
    return value.isEmpty() || value == kNull;
}

QStringList LoginFile::readList(const QString &value)
{
    return isNoRows(value) ? QStringList() : splitRows(value);
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

QString LoginFile::unstorableCharacters(const QString &text)
{
    QString found;
    for (const uint c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        if (c > 0xFF && !found.contains(one))
            found += one;
    }
    return found;
}

QString LoginFile::unstorableText(const QString &characters)
{
    QStringList each;
    for (const uint c : characters.toUcs4())
        each.append(QString::fromUcs4(&c, 1));
    return tr("Ces caractères ne peuvent pas être enregistrés: %1.")
        .arg(each.join(QStringLiteral(" ")));
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
    m_screens = screens;
    m_unseeded.clear();
    m_loaded = m_param.getParamCrypt(m_file, QStringList{QStringLiteral("ALL")}, 0);
    for (QStringList &rows : m_lists)
        rows.clear();
    // Nothing shown from a table this file did not give: no "NULL" rows, and
    // no save of lists that were never read.
    if (!m_loaded)
        return false;
    m_loadedTable = m_param.BALISE;
    // Added and never saved: the page drops them with its edits.
    m_newUsers.erase(std::remove_if(m_newUsers.begin(), m_newUsers.end(),
                                    [this](const QPair<QString, QString> &u) { return !holdsUser(u); }),
                     m_newUsers.end());
    auto value = [this](List l) { return m_param.getInfoBalise(keyName(l)); };
    // A seed holding '|' would become several rows: row 0 keeps what it had.
    auto seedable = [this](const QString &key, const QString &seed) {
        if (!seed.contains(QLatin1Char('|')))
            return true;
        m_unseeded.append(key);
        return false;
    };

    for (List l : {UserList, UserType, UserNom, UserEmail, UserTelephone, UserPassword, UserPermission})
        m_lists[l] = splitRows(value(l));

    // The account's main user stands for the first user of a new file. A
    // file without a main user keeps its rows, and has none when its value
    // holds none.
    QStringList &users = m_lists[UserList];
    if (hasNoRows(users)) {
        const QString mainUser = m_param.getInfoBalise(QStringLiteral("UTILISATEUR"));
        if (mainUser != kNull && seedable(QStringLiteral("UTILISATEUR"), mainUser))
            users[0] = mainUser;
        else if (isNoRows(value(UserList)))
            users.clear();
    }
    const QList<QPair<List, QString>> seeds = {
        {UserType, QStringLiteral("TYPECOMPTE")},
        {UserNom, QString()},
        {UserEmail, QString()},
        {UserTelephone, QString()},
        {UserPassword, QStringLiteral("MOTDEPASSE")},
        {UserPermission, QString()},
    };
    for (const auto &seed : seeds) {
        QStringList &rows = m_lists[seed.first];
        // No user: a key without rows stays without rows, so that the next
        // user's row lands at its index.
        if (users.isEmpty() && isNoRows(value(seed.first)))
            rows.clear();
        if (rows.isEmpty() || rows.size() > users.size() || !hasNoRows(rows))
            continue;
        const QString text = seed.first == UserPermission ? FirstUserRights
                             : seed.second.isEmpty()      ? QString()
                                                          : m_param.getInfoBalise(seed.second);
        if (seedable(seed.second, text))
            rows[0] = text;
    }

    // Screen names are typed names: no separator may reach the rows.
    if (isNoRows(value(PlayerList))) {
        QStringList boxes;
        for (const QString &screen : screens)
            boxes.append(cleanName(screen));
        m_lists[PlayerList] = boxes;
        m_lists[PlayerListName] = boxes;
    } else {
        m_lists[PlayerList] = splitRows(value(PlayerList));
        m_lists[PlayerListName] = readList(value(PlayerListName));
    }
    for (List l : {CategoryList, CategoryElements, FiltresList, FiltresElements, PlaylistName, PlaylistElements,
                   PlayPermission, PlayerListToPlaylist})
        m_lists[l] = readList(value(l));
    // An item with a NUL or a line end (the server's copy may hold one) would
    // make every save of its key fail: it leaves the row, rows stay aligned.
    for (int l = 0; l < ListCount; ++l) {
        for (QString &row : m_lists[l]) {
            if (!std::any_of(row.cbegin(), row.cend(), [](QChar c) { return c.unicode() < 0x20; }))
                continue;
            QStringList kept;
            for (const QString &item : items(row)) {
                if (std::any_of(item.cbegin(), item.cend(), [](QChar c) { return c.unicode() < 0x20; }))
                    qWarning().noquote() << FileName + QLatin1String(": ") + keyName(List(l))
                                                + QLatin1String(": élément illisible retiré");
                else
                    kept.append(item);
            }
            row = kept.join(QLatin1Char(';'));
        }
    }
    return true;
}

void LoginFile::updatePlayerToPlaylist()
{
    m_lists[PlayerListToPlaylist] =
        playerToPlaylist(m_lists.at(PlayerList), m_lists.at(PlaylistName), m_lists.at(PlaylistElements));
}

LoginFile::SaveResult LoginFile::save(const QDateTime &now)
{
    QList<List> all;
    for (int l = 0; l < ListCount; ++l)
        all.append(List(l));
    return commit(all, true, now);
}

LoginFile::SaveResult LoginFile::saveKey(const QString &key, const QStringList &rows)
{
    const List l = listOf(key);
    if (l == ListCount) {
        SaveResult refused;
        refused.error = tr("%1 n'est pas une liste du fichier %2.").arg(key, FileName);
        return refused;
    }
    m_lists[l] = rows;
    return commit({l}, false, QDateTime::currentDateTime());
}

LoginFile::SaveResult LoginFile::commit(const QList<List> &lists, bool datedCopy, const QDateTime &now)
{
    SaveResult result;
    const QString shown = QFileInfo(m_file).fileName();
    if (!m_loaded) {
        result.error = tr("Le fichier %1 n'a pas pu être lu: rien n'est enregistré.").arg(shown);
        return result;
    }
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
    // Written since the page read it (a login, a screen renamed, a box
    // added): its lists must not be overwritten with older ones.
    if (m_param.BALISE != m_loadedTable) {
        result.stale = true;
        result.error = tr("Le fichier %1 a été modifié depuis l'ouverture de la page.").arg(shown);
        return result;
    }

    QList<QPair<QString, QString>> staged;
    for (List l : lists) {
        const QString joined = joinRows(m_lists.at(l));
        if (joined != m_param.getInfoBalise(keyName(l)))
            staged.append(qMakePair(keyName(l), joined));
    }

    const QString copy = QFileInfo(m_file).absolutePath() + QLatin1Char('/') + datedCopyName(now);
    if (datedCopy && !QFile::exists(copy) && QFile::copy(m_file, copy))
        result.copyPath = copy;

    if (!staged.isEmpty()) {
        QString why;
        if (!m_param.setParamsCrypt(m_file, staged, &why)) {
            result.error = tr("Le fichier %1 n'a pas pu être écrit: %2").arg(shown, why);
            return result;
        }
        for (const auto &kv : qAsConst(staged))
            result.writtenKeys.append(kv.first);
        // What this save wrote is what the next one compares with.
        m_param.getParamCrypt(m_file, QStringList{QStringLiteral("ALL")}, 0);
        m_loadedTable = m_param.BALISE;
    }
    result.ok = true;
    result.changed = !result.writtenKeys.isEmpty();
    result.deployStatus = result.writtenKeys.contains(keyName(PlayerListToPlaylist));
    if (result.changed)
        ++m_saves;
    m_pendingChanged = m_pendingChanged || result.changed;
    m_pendingPlaylists = m_pendingPlaylists || result.deployStatus;
    // Known to the quit question and the next login until it is sent.
    if (result.changed)
        PendingAdminDeploy::mark(QFileInfo(m_file).absolutePath(), m_pendingPlaylists);
    return result;
}

int LoginFile::pendingDeploy() const
{
    if (m_pendingPlaylists)
        return 1;
    return m_pendingChanged ? 0 : -1;
}

int LoginFile::requestDeploy()
{
    m_requestedAt = m_saves;
    return pendingDeploy();
}

void LoginFile::deploySucceeded(int status)
{
    // A save after the request may not have reached the server.
    if (m_requestedAt != m_saves)
        return;
    m_pendingChanged = false;
    if (status == 1)
        m_pendingPlaylists = false;
    if (pendingDeploy() < 0)
        PendingAdminDeploy::clear(QFileInfo(m_file).absolutePath());
}

void LoginFile::addNewUser(const QString &name, const QString &password)
{
    m_newUsers.append(qMakePair(name, password));
}

bool LoginFile::holdsUser(const QPair<QString, QString> &user)
{
    const int row = splitRows(m_param.getInfoBalise(keyName(UserList))).indexOf(user.first);
    return row >= 0 && splitRows(m_param.getInfoBalise(keyName(UserPassword))).value(row) == user.second;
}

QList<QPair<QString, QString>> LoginFile::takeSentNewUsers()
{
    QList<QPair<QString, QString>> sent;
    for (auto it = m_newUsers.begin(); it != m_newUsers.end();) {
        if (holdsUser(*it)) {
            sent.append(*it);
            it = m_newUsers.erase(it);
        } else {
            ++it;
        }
    }
    return sent;
}
