#include "classAdmin.h"

#include "AdminWidgets.h"
#include "AnimationStackedWidget.h"
#include "AppGlobals.h"
#include "ClassBox.h"
#include "ClassClavier.h"
#include "ClassLog.h"
#include "ListManager.h"
#include "OperationJournal.h"
#include "RowItems.h"
#include "UserRecordEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalMapper>
#include <QTimer>
#include <QToolButton>

namespace {

bool usable(const QStringList &rows, int r)
{
    return r >= 0 && r < rows.size();
}

} // namespace

classAdmin::classAdmin(QWidget *parent)
    : QWidget(parent)
    , m_path(ApplicationPath)
    , m_login(ApplicationPath + LoginFile::FileName)
    , m_ui(new AdminWidgets(this))
    , m_lists(nullptr)
    , m_timer(new QTimer(this))
    , m_actionMapper(new QSignalMapper(this))
    , m_serialMapper(new QSignalMapper(this))
    , m_rowMapper(new QSignalMapper(this))
    , m_rightsMapper(new QSignalMapper(this))
{
    m_timer->setInterval(50);
    m_users.reset(new UserRecordEditor(*this));
    m_lists = new ListManager(*this, m_timer, m_actionMapper);
    wire();
}

classAdmin::~classAdmin() = default;

void classAdmin::wire()
{
    AdminWidgets *ui = m_ui.get();
    connect(ui->back, &QPushButton::clicked, this, &classAdmin::slotAnnuler);
    connect(ui->pageUsers, &QToolButton::clicked, this, &classAdmin::slotPageUtilisateur);
    connect(ui->pageCategories, &QToolButton::clicked, this, &classAdmin::slotPageCategorie);
    connect(ui->pagePlaylists, &QToolButton::clicked, this, &classAdmin::slotPagePlaylist);
    connect(ui->validate, &QPushButton::clicked, this, &classAdmin::slotValider);
    connect(ui->typeChooser, &QComboBox::currentTextChanged, this, &classAdmin::slotTypeUser);
    connect(ui->nom, &QToolButton::clicked, this, &classAdmin::slotNom);
    connect(ui->email, &QToolButton::clicked, this, &classAdmin::slotEmail);
    connect(ui->telephone, &QToolButton::clicked, this, &classAdmin::slotTelephone);
    connect(ui->password, &QToolButton::clicked, this, &classAdmin::slotPassword);
    connect(ui->tempsMax, &QPushButton::clicked, this, &classAdmin::SlotClavierTempsMax);
    connect(ui->nbreAfficheMax, &QPushButton::clicked, this, &classAdmin::SlotClavierNbreAfficheMax);

    for (int code = 0; code < ui->actions.size(); ++code) {
        QToolButton *b = ui->actions.at(code);
        connect(b, &QToolButton::clicked, m_actionMapper, QOverload<>::of(&QSignalMapper::map));
        m_actionMapper->setMapping(b, code);
    }
    connect(m_actionMapper, &QSignalMapper::mappedInt, this, &classAdmin::slotGestionList);

    const QList<QToolButton *> serialButtons = {ui->selectGroups, ui->serials};
    for (int id = 0; id < serialButtons.size(); ++id) {
        connect(serialButtons.at(id), &QToolButton::clicked, m_serialMapper, QOverload<>::of(&QSignalMapper::map));
        m_serialMapper->setMapping(serialButtons.at(id), id);
    }
    connect(m_serialMapper, &QSignalMapper::mappedInt, this, &classAdmin::slotListSerial);

    const QList<QListWidget *> rowLists = {ui->usersList, ui->playlistsList, ui->categoriesList, ui->filtersList};
    for (int id = 0; id < rowLists.size(); ++id) {
        connect(rowLists.at(id), &QListWidget::currentRowChanged, m_rowMapper, QOverload<>::of(&QSignalMapper::map));
        m_rowMapper->setMapping(rowLists.at(id), id);
    }
    connect(m_rowMapper, &QSignalMapper::mappedInt, this, &classAdmin::slotListWidget);

    for (QCheckBox *c : qAsConst(ui->rights)) {
        connect(c, &QCheckBox::clicked, m_rightsMapper, QOverload<>::of(&QSignalMapper::map));
        m_rightsMapper->setMapping(c, c->text());
    }
    connect(m_rightsMapper, &QSignalMapper::mappedString, this,
            &classAdmin::slotListPermission);
}

void classAdmin::slotResize(int width, int height, int rotation)
{
    Q_UNUSED(rotation)
    m_lastWidth = width;
    m_lastHeight = height;
    m_ui->applySize(width, height);
}

// ------------------------------------------------------------ loading

void classAdmin::slotUpdateAdmin(QListWidget *ListDir)
{
    QStringList screens;
    for (int i = 0; ListDir && i < ListDir->count(); ++i)
        screens.append(ListDir->item(i)->text());
    m_screens = screens;
    loadPage(m_login.load(screens));
}

void classAdmin::slotLoginReloaded()
{
    // The saves this page made were not sent: the server's file replaced them.
    m_login.deploySucceeded(1);
    if (isVisible())
        loadPage(m_login.load(m_screens));
}

void classAdmin::loadPage(bool read)
{
    if (!read)
        showError(tr("Le fichier %1 est introuvable ou illisible.").arg(LoginFile::FileName));
    for (const QString &key : m_login.unseeded())
        showError(tr("La valeur de %1 contient le caractère \"|\": elle n'a pas été reprise pour le premier "
                     "utilisateur.")
                      .arg(key));

    AdminWidgets *ui = m_ui.get();
    ui->passwordLabel->setText(QStringLiteral("****"));
    auto refill = [](QListWidget *w, const QStringList &rows) {
        w->clear();
        w->addItems(rows);
        w->setCurrentRow(0);
    };
    refill(ui->usersList, list(LoginFile::UserList));
    refill(ui->playlistsList, list(LoginFile::PlaylistName));
    refill(ui->categoriesList, list(LoginFile::CategoryList));
    refill(ui->filtersList, list(LoginFile::FiltresList));
    UpdateComboListPlayer();
    // Lists that were not read can be neither edited nor saved.
    ui->validate->setEnabled(read);
    for (QToolButton *b : qAsConst(ui->actions))
        b->setEnabled(read);
    refillPlaylistChooser();
}

void classAdmin::refillPlaylistChooser()
{
    AdminWidgets *ui = m_ui.get();
    ui->playlistChooser->clear();
    ui->playlistChooser->addItems(list(LoginFile::PlaylistName));
    const bool playlists = ui->playlistChooser->count() > 0 && m_login.loaded();
    for (QWidget *w : {static_cast<QWidget *>(ui->playlistAdd), static_cast<QWidget *>(ui->playlistRemove),
                       static_cast<QWidget *>(ui->playlistChooser)})
        w->setEnabled(playlists);
}

void classAdmin::UpdateComboListPlayer()
{
    m_ui->boxChooser->clear();
    m_ui->boxChooser->addItems(
        LoginFile::boxChooserItems(list(LoginFile::PlayerList), list(LoginFile::PlayerListName)));
}

// ------------------------------------------------------------ saving

void classAdmin::UpdatePlayerlistToPlaylist()
{
    m_login.updatePlayerToPlaylist();
}

bool classAdmin::UpdateLoginCrypt()
{
    if (!m_administrator)
        return false;
    return applySave(m_login.save());
}

bool classAdmin::applySave(const LoginFile::SaveResult &result)
{
    m_changed = result.changed;
    m_deployStatus = result.deployStatus;
    ClassLog().log(QStringLiteral("OrvexLog"),
                  QStringLiteral("Administration: enregistrement %1 (%2)")
                      .arg(result.ok ? QStringLiteral("fait") : QStringLiteral("impossible"),
                           result.ok ? result.writtenKeys.join(QLatin1Char(',')) : result.error));
    if (result.ok)
        return true;
    showError(tr("Les modifications n'ont pas été enregistrées ni déployées.") + QLatin1Char('\n') + result.error +
              (result.stale ? QLatin1Char('\n') + tr("La page a été rechargée depuis le fichier.") : QString()));
    // Shown as the file now is: the next save starts from it.
    if (result.stale)
        loadPage(m_login.reload());
    return false;
}

bool classAdmin::EnregistreBalises(QString key, QStringList list)
{
    if (!m_administrator)
        return false;
    return applySave(m_login.saveKey(key, list)) && m_changed;
}

void classAdmin::slotAdministrator(bool granted)
{
    m_administrator = granted;
    // Opened before the login decided: the page closes.
    if (!granted && isVisible())
        emit signalButton(0);
}

void classAdmin::slotAccountDeployed(int status)
{
    m_login.deploySucceeded(status);
}

void classAdmin::slotLoginStored()
{
    for (const auto &user : m_login.takeSentNewUsers())
        showMessage(tr("Mot de passe de l'utilisateur %1: %2").arg(user.first, user.second) + QLatin1Char('\n') +
                        tr("Notez-le, il ne sera plus affiché."),
                    ClassBox::Information);
}

bool classAdmin::administratorOnly()
{
    if (m_administrator)
        return true;
    showError(tr("Seul un administrateur du compte peut modifier l'administration."));
    emit signalButton(0);
    return false;
}

// ------------------------------------------------------------ actions

void classAdmin::slotPageUtilisateur()
{
    m_ui->stack->slideIndex(0, AnimationStackedWidget::AUTOMATIC);
}

void classAdmin::slotPageCategorie()
{
    m_ui->stack->slideIndex(1, AnimationStackedWidget::AUTOMATIC);
}

void classAdmin::slotPagePlaylist()
{
    m_ui->stack->slideIndex(2, AnimationStackedWidget::AUTOMATIC);
}

void classAdmin::lockPlaylistEdit()
{
    m_playlistLock = true;
    for (QWidget *w : {static_cast<QWidget *>(m_ui->back), static_cast<QWidget *>(m_ui->pageUsers),
                       static_cast<QWidget *>(m_ui->pageCategories)})
        w->setEnabled(false);
}

void classAdmin::slotValider()
{
    if (!administratorOnly() || !m_login.loaded())
        return;
    const bool locked = m_playlistLock;
    if (!locked)
        MessageInformation();
    UpdatePlayerlistToPlaylist();
    const bool saved = UpdateLoginCrypt();
    // Also sends what was saved earlier and no deployment has sent yet.
    if (saved) {
        const int status = m_login.requestDeploy();
        if (status >= 0)
            emit signalEnvoiDeploy(status);
    }
    if (!locked) {
        // A failed save keeps the page and its edits on screen.
        if (saved)
            emit signalButton(0);
        return;
    }
    m_ui->stack->slideIndex(0, AnimationStackedWidget::AUTOMATIC);
    for (QWidget *w : {static_cast<QWidget *>(m_ui->back), static_cast<QWidget *>(m_ui->pageUsers),
                       static_cast<QWidget *>(m_ui->pageCategories)})
        w->setEnabled(true);
    m_playlistLock = false;
}

void classAdmin::slotAnnuler()
{
    emit signalButton(0);
    QFile::remove(m_path + QStringLiteral("TEMP/INFOADMIN.orvex"));
}

void classAdmin::MessageInformation()
{
    auto *box = new ClassBox(tr("Il est conseillé de redémarrer l'application!!!") + QLatin1Char('\n') +
                                 tr("Afin que tous les changements soient pris en compte..."),
                             ClassBox::Information, width(), height(), this);
    box->exec();
    if (box->text() == 0)
        setFocus(Qt::OtherFocusReason);
    delete box;
}

void classAdmin::showError(const QString &text)
{
    showMessage(text, ClassBox::Error);
}

void classAdmin::showMessage(const QString &text, int type)
{
    auto *box = new ClassBox(text, type, width(), height(), this);
    box->exec();
    delete box;
}

bool classAdmin::slotMessageWarning()
{
    auto *box = new ClassBox(tr("Les changements sur cette opération seront automatiquement enregistrés!!!") +
                                 QLatin1Char('\n') + tr("Etes-vous sûrs de vouloir continuer?"),
                             ClassBox::Question, width(), height(), this);
    box->exec();
    setFocus(Qt::OtherFocusReason);
    const bool accepted = box->text() == 0;
    delete box;
    if (accepted)
        lockPlaylistEdit();
    return accepted;
}

// ------------------------------------------------------------ details

void classAdmin::fillDetail(QListWidget *widget, const QStringList &items, bool withIcon)
{
    widget->clear();
    // One icon for all rows: each made from the file would read it again.
    const QIcon icon = withIcon ? QIcon(QStringLiteral(":/images/dir.png")) : QIcon();
    for (const QString &item : items) {
        auto *row = new QListWidgetItem(item, widget);
        if (withIcon)
            row->setIcon(icon);
    }
    if (widget->count() > 0)
        widget->setCurrentRow(0);
}

void classAdmin::slotListWidget(int id)
{
    switch (id) {
    case 0:
        UpdateUserWidget();
        UpdateUserType();
        UpdateListUserPermission();
        break;
    case 1:
        UpdatePlaylistWidget();
        break;
    case 2:
        UpdateCategoryWidget();
        break;
    case 3:
        UpdateFiltresWidget();
        break;
    default:
        break;
    }
}

void classAdmin::UpdateUserWidget()
{
    fillDetail(m_ui->allowedList,
               LoginFile::rowItems(list(LoginFile::PlayPermission), m_ui->usersList->currentRow()), false);
}

void classAdmin::UpdateUserType()
{
    const int r = m_ui->usersList->currentRow();
    if (usable(list(LoginFile::UserType), r))
        m_ui->typeChooser->setCurrentText(list(LoginFile::UserType).at(r));
}

void classAdmin::UpdateListUserPermission()
{
    m_users->showUser();
}

void classAdmin::UpdatePlaylistWidget()
{
    QStringList items;
    if (!list(LoginFile::PlaylistName).isEmpty())
        items = LoginFile::rowItems(list(LoginFile::PlaylistElements), m_ui->playlistsList->currentRow());
    fillDetail(m_ui->playlistBoxesList, items, true);
}

void classAdmin::UpdateCategoryWidget()
{
    fillDetail(m_ui->categoryBoxesList,
               LoginFile::rowItems(list(LoginFile::CategoryElements), m_ui->categoriesList->currentRow()), true);
}

void classAdmin::UpdateFiltresWidget()
{
    fillDetail(m_ui->filterBoxesList,
               LoginFile::rowItems(list(LoginFile::FiltresElements), m_ui->filtersList->currentRow()), true);
}

// ------------------------------------------------------------ editing

void classAdmin::slotGestionList(int code)
{
    if (!administratorOnly() || !m_login.loaded())
        return;
    m_lists->slotGestionList(code);
}

void classAdmin::slotTimerGestionList()
{
    m_lists->slotTimerGestionList();
}

QString classAdmin::GetRandomString()
{
    return ListManager::GetRandomString();
}

bool classAdmin::VerificationMotdePasse(QString password)
{
    return UserRecordEditor::VerificationMotdePasse(password);
}

void classAdmin::slotClavier(QString Titre)
{
    auto *keyboard = new ClassClavier(m_lastWidth, m_lastHeight, nullptr, 1);
    keyboard->setTextClavier(Titre, m_editText);
    keyboard->setWindowFlags(keyboard->windowFlags() | Qt::FramelessWindowHint);
    keyboard->exec();
    m_editText = keyboard->text();
    delete keyboard;
}

void classAdmin::slotNom()
{
    m_users->editField(LoginFile::UserNom, tr("Nom de l'utilisateur:"), m_ui->nomLabel);
}

void classAdmin::slotEmail()
{
    m_users->editField(LoginFile::UserEmail, tr("Email de l'utilisateur:"), m_ui->emailLabel);
}

void classAdmin::slotTelephone()
{
    m_users->editField(LoginFile::UserTelephone, tr("Numéro de téléphone:"), m_ui->telephoneLabel);
}

void classAdmin::slotPassword()
{
    m_users->editPassword();
}

void classAdmin::slotTypeUser(QString Type)
{
    m_users->setType(Type);
}

void classAdmin::slotListPermission(QString text)
{
    m_users->storePermission();
    qDebug().noquote() << "List permission select:" + text;
}

void classAdmin::SlotClavierTempsMax()
{
    const QString caption = tr("Temps maximum d'une affiche:");
    m_users->editLimit(m_ui->tempsMax, caption);
    slotListPermission(caption);
}

void classAdmin::SlotClavierNbreAfficheMax()
{
    const QString caption = tr("Nombre maximum d'affiche:");
    m_users->editLimit(m_ui->nbreAfficheMax, caption);
    slotListPermission(caption);
}

void classAdmin::UpdateListPermissionElements(int type, QString name, QString newName)
{
    QStringList &rows = list(LoginFile::PlayPermission);
    if (type == 0) {
        InfoMedia(QStringLiteral("RENOMMER"), name, newName, QString());
        rows = RowItems::renameEverywhere(rows, name, newName);
    } else if (type == 1) {
        InfoMedia(QStringLiteral("SUPPRIMER"), QString(), QString(), name);
        rows = RowItems::removeEverywhere(rows, name);
    }
    UpdateUserWidget();
}

bool classAdmin::InfoMedia(QString operation, QString oldName, QString newName, QString removed)
{
    QString error;
    if (OperationJournal::append(m_path + QStringLiteral("TEMP/INFOADMIN.orvex"),
                                 {operation, oldName, newName, removed}, &error))
        return true;
    showError(error);
    return false;
}

void classAdmin::slotListSerial(int id)
{
    const int r = id == 0 ? m_ui->usersList->currentRow() : m_ui->playlistsList->currentRow();
    QStringList &rows = list(id == 0 ? LoginFile::PlayPermission : LoginFile::PlaylistElements);
    const QString preselected = id == 0 && usable(rows, r) ? rows.at(r) : QString();
    auto *form = id == 0 ? new ClassBox(list(LoginFile::CategoryList), list(LoginFile::CategoryElements), preselected,
                                        list(LoginFile::PlayerList), list(LoginFile::PlayerListName), QString(),
                                        width(), height(), 1, this)
                         : new ClassBox(list(LoginFile::FiltresList), list(LoginFile::FiltresElements), preselected,
                                        list(LoginFile::PlayerList), list(LoginFile::PlayerListName), QString(),
                                        width(), height(), 0, this);
    form->exec();
    if (form->text() == 0) {
        setFocus(Qt::OtherFocusReason);
        const LoginFile::List owner = id == 0 ? LoginFile::UserList : LoginFile::PlaylistName;
        if (usable(list(owner), r)) {
            while (rows.size() < r)
                rows.append(QString());
            // Granted playlists stay; the chosen categories replace the rest.
            rows = RowItems::ReplaceQStringList(rows, r, form->BoxNumber(),
                                                id == 0 ? LoginFile::PlaylistPrefix : QString());
        }
        if (id == 0)
            UpdateUserWidget();
        else
            UpdatePlaylistWidget();
    }
    delete form;
}
