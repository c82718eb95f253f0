#include "classAdmin.h"

#include "AdminWidgets.h"
#include "AnimationStackedWidget.h"
#include "AppGlobals.h"
#include "ClassBox.h"
#include "ClassLog.h"

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
    , m_timer(new QTimer(this))
    , m_actionMapper(new QSignalMapper(this))
    , m_serialMapper(new QSignalMapper(this))
    , m_rowMapper(new QSignalMapper(this))
    , m_rightsMapper(new QSignalMapper(this))
{
    m_timer->setInterval(50);
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
    const bool read = m_login.load(screens);
    if (!read)
        showError(tr("Le fichier %1 est introuvable ou illisible.").arg(LoginFile::FileName));

    AdminWidgets *ui = m_ui.get();
    ui->passwordLabel->setText(QStringLiteral("****"));
    auto refill = [](QListWidget *w, const QStringList &rows) {
        w->clear();
        w->addItems(rows);
        w->setCurrentRow(0);
    };
    refill(ui->usersList, list(LoginFile::UserList));
    refill(ui->playlistsList, list(LoginFile::PlaylistName));
    ui->playlistChooser->clear();
    ui->playlistChooser->addItems(list(LoginFile::PlaylistName));
    refill(ui->categoriesList, list(LoginFile::CategoryList));
    refill(ui->filtersList, list(LoginFile::FiltresList));
    UpdateComboListPlayer();

    const bool playlists = ui->playlistChooser->count() > 0;
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
    const LoginFile::SaveResult result = m_login.save();
    m_changed = result.changed;
    m_deployStatus = result.deployStatus;
    ClassLog().log(QStringLiteral("OrvexLog"),
                  QStringLiteral("Administration: enregistrement %1 (%2)")
                      .arg(result.ok ? QStringLiteral("fait") : QStringLiteral("impossible"),
                           result.ok ? result.writtenKeys.join(QLatin1Char(',')) : result.error));
    if (!result.ok)
        showError(tr("Les modifications n'ont pas été enregistrées ni déployées.") + QLatin1Char('\n') +
                  result.error);
    return result.ok;
}

bool classAdmin::EnregistreBalises(QString key, QStringList list)
{
    return m_login.stage(key, list);
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
    const bool locked = m_playlistLock;
    if (!locked)
        MessageInformation();
    UpdatePlayerlistToPlaylist();
    const bool saved = UpdateLoginCrypt();
    // Also sends what list management saved earlier and nothing sent yet.
    if (saved) {
        const int status = m_login.takePendingDeploy();
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
    auto *box = new ClassBox(text, ClassBox::Error, width(), height(), this);
    box->exec();
    delete box;
}

// ------------------------------------------------------------ details

void classAdmin::fillDetail(QListWidget *widget, const QStringList &items, bool withIcon)
{
    widget->clear();
    for (const QString &item : items) {
        auto *row = new QListWidgetItem(item, widget);
        if (withIcon)
            row->setIcon(QIcon(QStringLiteral(":/images/dir.png")));
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
    const int r = m_ui->usersList->currentRow();
    const QList<QPair<LoginFile::List, QLabel *>> labels = {{LoginFile::UserNom, m_ui->nomLabel},
                                                            {LoginFile::UserEmail, m_ui->emailLabel},
                                                            {LoginFile::UserTelephone, m_ui->telephoneLabel}};
    for (const auto &l : labels) {
        if (usable(list(l.first), r))
            l.second->setText(list(l.first).at(r));
    }
    if (!usable(list(LoginFile::UserPermission), r))
        return;
    const QStringList fields = LoginFile::items(list(LoginFile::UserPermission).at(r));
    if (fields.size() >= 2)
        m_ui->tempsMax->setText(fields.at(1));
    if (fields.size() >= 3)
        m_ui->nbreAfficheMax->setText(fields.at(2));
    const QString flags = fields.first();
    for (int i = 0; i < flags.size() && i < m_ui->rights.size(); ++i)
        m_ui->rights.at(i)->setChecked(flags.at(i) != QLatin1Char('0'));
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
    qDebug() << "classAdmin::slotGestionList" << code;
}

void classAdmin::slotListSerial(int id)
{
    qDebug() << "classAdmin::slotListSerial" << id;
}

void classAdmin::slotListPermission(QString text)
{
    qDebug().noquote() << "List permission select:" + text;
}

void classAdmin::slotTypeUser(QString Type)
{
    Q_UNUSED(Type)
}
