#include "ListManager.h"

#include "AdminWidgets.h"
#include "ClassBox.h"
#include "LoginFile.h"
#include "RowItems.h"
#include "UserRecordEditor.h"
#include "classAdmin.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QRandomGenerator>
#include <QSignalMapper>
#include <QTimer>

namespace {

enum Code {
    UserAdd,
    UserRemove,
    UserRename,
    GrantPlaylist,
    WithdrawPlaylist,
    PlaylistAdd,
    PlaylistRemove,
    PlaylistRename,
    CategoryAdd,
    CategoryRemove,
    CategoryRename,
    CategoryBoxAdd,
    CategoryBoxRemove,
    BoxRename,
    FilterAdd,
    FilterRemove,
    FilterRename,
    FilterBoxAdd,
    FilterBoxRemove,
};

// The four list widgets whose current rows the codes act on.
enum Current { Users, Playlists, Categories, Filters };

bool usable(const QStringList &rows, int r)
{
    return r >= 0 && r < rows.size();
}

void removeRow(QStringList &rows, int r)
{
    if (usable(rows, r))
        rows.removeAt(r);
}

// Companion rows are made to reach `count` first, so that the row appended
// or granted next lands at the index of its entity.
void padTo(QStringList &rows, int count)
{
    while (rows.size() < count)
        rows.append(QString());
}

const LoginFile::List kUserKeys[] = {LoginFile::UserList,     LoginFile::PlayPermission, LoginFile::UserNom,
                                     LoginFile::UserEmail,    LoginFile::UserTelephone,  LoginFile::UserPassword,
                                     LoginFile::UserPermission, LoginFile::UserType};

} // namespace

ListManager::ListManager(classAdmin &page, QTimer *timer, QSignalMapper *actions)
    : QObject(&page)
    , m_page(page)
    , m_timer(timer)
    , m_actions(actions)
{
}

bool ListManager::busy() const
{
    return m_timer->isActive();
}

QString ListManager::GetRandomString()
{
    static const QString alphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    QString text;
    for (int i = 0; i < 12; ++i)
        text += alphabet.at(int(QRandomGenerator::system()->bounded(quint32(alphabet.size()))));
    return text;
}

void ListManager::slotGestionList(int id)
{
    // One operation at a time, however the code arrives.
    if (busy() || id < UserAdd || id > FilterBoxRemove)
        return;
    m_code = id;
    m_refused = false;
    m_name.clear();
    disconnect(m_actions, &QSignalMapper::mappedInt, &m_page, &classAdmin::slotGestionList);
    connect(m_timer, &QTimer::timeout, this, &ListManager::slotTimerGestionList, Qt::UniqueConnection);
    m_timer->start();
}

void ListManager::slotTimerGestionList()
{
    switch (m_step) {
    case 0:
        m_step = 1;
        break;
    case 1:
        ask();
        m_step = m_refused ? 4 : 2;
        break;
    case 2:
        edit();
        m_step = 3;
        break;
    case 3:
        refresh();
        m_step = 4;
        break;
    default:
        close();
        break;
    }
}

int ListManager::row(int list) const
{
    const AdminWidgets *ui = m_page.widgets();
    const QListWidget *widgets[] = {ui->usersList, ui->playlistsList, ui->categoriesList, ui->filtersList};
    return widgets[list]->currentRow();
}

void ListManager::askName(const QString &caption, const QString &initial)
{
    m_page.editText() = initial;
    m_page.slotClavier(caption);
    m_name = m_page.editText();
    // Stored as "?", such a name could never log in and two could become equal.
    const QString refused = LoginFile::unstorableCharacters(m_name);
    if (!refused.isEmpty()) {
        m_page.showMessage(LoginFile::unstorableText(refused), ClassBox::Error);
        m_refused = true;
    }
}

void ListManager::ask()
{
    LoginFile &login = m_page.loginFile();
    auto current = [&](LoginFile::List l, int list) {
        const int r = row(list);
        return usable(login.list(l), r) ? login.list(l).at(r) : QString();
    };
    switch (m_code) {
    case UserAdd:
        askName(tr("Ajouter un nom d'utilisateur"), QString());
        break;
    case UserRename:
        if (usable(login.list(LoginFile::UserList), row(Users)))
            askName(tr("Renommer le nom d'utilisateur"), current(LoginFile::UserList, Users));
        break;
    case PlaylistAdd:
        if ((m_refused = !m_page.slotMessageWarning()))
            return;
        askName(tr("Ajouter une playlist"), QString());
        break;
    case PlaylistRemove:
    case PlaylistRename:
        // Nothing to warn about without a playlist.
        if (!usable(login.list(LoginFile::PlaylistName), row(Playlists))) {
            m_refused = true;
            return;
        }
        if ((m_refused = !m_page.slotMessageWarning()))
            return;
        if (m_code == PlaylistRename)
            askName(tr("Renommer la playlist"),
                    current(LoginFile::PlaylistName, Playlists).remove(LoginFile::PlaylistPrefix));
        break;
    case CategoryAdd:
        askName(tr("Ajouter une catégorie"), QString());
        break;
    case CategoryRename:
        if (usable(login.list(LoginFile::CategoryList), row(Categories)))
            askName(tr("Renommer la catégorie"), current(LoginFile::CategoryList, Categories));
        break;
    case BoxRename: {
        const int box = m_page.widgets()->boxChooser->currentIndex();
        if (usable(login.list(LoginFile::PlayerListName), box))
            askName(tr("Renommer l'écran"), login.list(LoginFile::PlayerListName).at(box));
        break;
    }
    case FilterAdd:
        askName(tr("Ajouter un filtre"), QString());
        break;
    case FilterRename:
        if (usable(login.list(LoginFile::FiltresList), row(Filters)))
            askName(tr("Renommer le filtre"), current(LoginFile::FiltresList, Filters));
        break;
    default:
        break;
    }
}

void ListManager::edit()
{
    if (m_code <= WithdrawPlaylist)
        editUsers();
    else if (m_code <= PlaylistRename)
        editPlaylists();
    else
        editGroups();
}

void ListManager::editUsers()
{
    LoginFile &login = m_page.loginFile();
    AdminWidgets *ui = m_page.widgets();
    QStringList &users = login.list(LoginFile::UserList);
    const int r = row(Users);
    const QString name = LoginFile::cleanName(m_name);
    switch (m_code) {
    case UserAdd: {
        if (name.isEmpty())
            return;
        const int count = users.size();
        const QString password = GetRandomString();
        for (LoginFile::List l : kUserKeys)
            padTo(login.list(l), count);
        users.append(name);
        for (LoginFile::List l : {LoginFile::PlayPermission, LoginFile::UserNom, LoginFile::UserEmail,
                                  LoginFile::UserTelephone})
            login.list(l).append(QString());
        login.list(LoginFile::UserPassword).append(password);
        login.list(LoginFile::UserPermission).append(UserRecordEditor::NewUserRights);
        login.list(LoginFile::UserType).append(QStringLiteral("UTILISATEUR"));
        for (QLabel *l : {ui->nomLabel, ui->emailLabel, ui->telephoneLabel})
            l->clear();
        ui->passwordLabel->setText(QStringLiteral("**********"));
        // Shown once the server holds it: nowhere else does the password appear.
        login.addNewUser(name, password);
        m_page.showMessage(tr("Le mot de passe de l'utilisateur %1 sera affiché une fois la modification "
                              "enregistrée sur le serveur.")
                               .arg(name),
                           ClassBox::Information);
        break;
    }
    case UserRemove:
        if (usable(login.list(LoginFile::UserType), r) &&
            login.list(LoginFile::UserType).at(r) == QLatin1String("UTILISATEUR")) {
            for (LoginFile::List l : kUserKeys)
                removeRow(login.list(l), r);
        }
        break;
    case UserRename:
        if (usable(users, r) && !name.isEmpty())
            users[r] = name;
        break;
    case GrantPlaylist:
    case WithdrawPlaylist: {
        const QString playlist = ui->playlistChooser->currentText();
        QStringList &rows = login.list(LoginFile::PlayPermission);
        if (r < 0 || playlist.isEmpty())
            return;
        padTo(rows, r);
        rows = m_code == GrantPlaylist ? RowItems::addQStringList(rows, r, playlist)
                                       : RowItems::RemoveQStringList(rows, r, playlist);
        break;
    }
    default:
        break;
    }
}

void ListManager::editPlaylists()
{
    LoginFile &login = m_page.loginFile();
    QStringList &names = login.list(LoginFile::PlaylistName);
    QStringList &elements = login.list(LoginFile::PlaylistElements);
    const int r = row(Playlists);
    const QString newName = LoginFile::PlaylistPrefix + LoginFile::cleanPlaylistName(m_name);
    // A name that cleans to nothing or is taken already is refused.
    const bool acceptable = nameGiven() && newName != LoginFile::PlaylistPrefix && !names.contains(newName);
    switch (m_code) {
    case PlaylistAdd:
        if (!acceptable)
            return;
        padTo(elements, names.size());
        names.append(newName);
        elements.append(QString());
        m_page.UpdateListPermissionElements(2, QString(), newName);
        if (m_page.UpdateLoginCrypt())
            emit m_page.signalFolder(0, newName, QString());
        break;
    case PlaylistRemove: {
        if (!usable(names, r))
            return;
        const QString old = names.at(r);
        names.removeAt(r);
        removeRow(elements, r);
        m_page.UpdateListPermissionElements(1, old, QString());
        if (m_page.UpdateLoginCrypt())
            emit m_page.signalFolder(3, old, QString());
        m_page.UpdatePlaylistWidget();
        break;
    }
    case PlaylistRename: {
        if (!usable(names, r) || !acceptable)
            return;
        const QString old = names.at(r);
        names[r] = newName;
        m_page.UpdateListPermissionElements(0, old, newName);
        if (m_page.UpdateLoginCrypt())
            emit m_page.signalFolder(1, old, newName);
        break;
    }
    default:
        break;
    }
}

void ListManager::editGroups()
{
    LoginFile &login = m_page.loginFile();
    const bool categories = m_code < BoxRename;
    QStringList &names = login.list(categories ? LoginFile::CategoryList : LoginFile::FiltresList);
    QStringList &elements = login.list(categories ? LoginFile::CategoryElements : LoginFile::FiltresElements);
    const int r = row(categories ? Categories : Filters);
    const QString name = LoginFile::cleanName(m_name);
    const int box = m_page.widgets()->boxChooser->currentIndex();
    const QStringList &players = login.list(LoginFile::PlayerList);
    // Only categories are named in users' rows and the media index.
    auto journal = [&](int type, const QString &old, const QString &now) {
        if (categories)
            m_page.UpdateListPermissionElements(type, old, now);
    };
    switch (m_code) {
    case CategoryAdd:
    case FilterAdd:
        if (name.isEmpty())
            return;
        padTo(elements, names.size());
        names.append(name);
        elements.append(QString());
        journal(2, QString(), name);
        break;
    case CategoryRemove:
    case FilterRemove: {
        if (!usable(names, r))
            return;
        const QString old = names.takeAt(r);
        removeRow(elements, r);
        journal(1, old, QString());
        break;
    }
    case CategoryRename:
    case FilterRename:
        if (!usable(names, r) || name.isEmpty() || name == names.at(r))
            return;
        journal(0, names.at(r), name);
        names[r] = name;
        break;
    case CategoryBoxAdd:
    case FilterBoxAdd:
        if (r < 0 || !usable(players, box))
            return;
        padTo(elements, r);
        elements = RowItems::addQStringList(elements, r, players.at(box));
        break;
    case CategoryBoxRemove:
    case FilterBoxRemove:
        if (usable(players, box))
            elements = RowItems::RemoveQStringList(elements, r, players.at(box));
        break;
    case BoxRename: {
        QStringList &boxNames = login.list(LoginFile::PlayerListName);
        if (usable(boxNames, box) && !name.isEmpty())
            boxNames[box] = name;
        break;
    }
    default:
        break;
    }
}

void ListManager::refresh()
{
    AdminWidgets *ui = m_page.widgets();
    LoginFile &login = m_page.loginFile();
    auto refill = [](QListWidget *w, const QStringList &rows, int current) {
        w->clear();
        w->addItems(rows);
        if (w->count() > 0)
            w->setCurrentRow(current);
    };
    switch (m_code) {
    case UserAdd:
    case UserRemove:
    case UserRename:
        refill(ui->usersList, login.list(LoginFile::UserList), qMax(0, login.list(LoginFile::UserList).size() - 1));
        break;
    case GrantPlaylist:
    case WithdrawPlaylist:
        m_page.UpdateUserWidget();
        break;
    case PlaylistAdd:
    case PlaylistRemove:
    case PlaylistRename:
        refill(ui->playlistsList, login.list(LoginFile::PlaylistName), 0);
        m_page.refillPlaylistChooser();
        break;
    case CategoryAdd:
    case CategoryRemove:
    case CategoryRename:
        refill(ui->categoriesList, login.list(LoginFile::CategoryList), 0);
        break;
    case CategoryBoxAdd:
    case CategoryBoxRemove:
        m_page.UpdateCategoryWidget();
        break;
    case BoxRename:
        m_page.UpdateComboListPlayer();
        break;
    case FilterAdd:
    case FilterRemove:
    case FilterRename:
        refill(ui->filtersList, login.list(LoginFile::FiltresList), 0);
        break;
    case FilterBoxAdd:
    case FilterBoxRemove:
        m_page.UpdateFiltresWidget();
        break;
    default:
        break;
    }
}

void ListManager::close()
{
    connect(m_actions, &QSignalMapper::mappedInt, &m_page, &classAdmin::slotGestionList, Qt::UniqueConnection);
    disconnect(m_timer, &QTimer::timeout, this, &ListManager::slotTimerGestionList);
    m_step = 0;
    m_timer->stop();
}
