#include "AdminWidgets.h"

#include "AnimationStackedWidget.h"
#include "AppGlobals.h"
#include "classVersion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("classAdmin", text);
}

QFont avenir(int base, int weight = 50)
{
    return QFont(QStringLiteral("Avenir"), qMax(1, int(float(base) * FontRatio)), weight);
}

const QString kTitleStyle = QStringLiteral("background-color:rgba(200,200,200,90%);color: black;");
const QString kElementListStyle = QStringLiteral(
    "QListWidget:hover          {background-color:rgba(0,128,255,0%);}"
    "QListWidget::item          {color:white;background-color:transparent;}"
    "QListWidget::item:selected {color:white;background-color:rgba(0,128,255,0%);border-radius: 2px;}");

QString barStyle(const QString &pressed, const QString &focus)
{
    return QStringLiteral("QPushButton {border-radius: 2px;border-style: outset;border-width: 1px;border-color: white;"
                          "background-color:rgba(32,41,49,80%);}QPushButton:pressed {background-color:%1;}"
                          "QPushButton:focus{ background-color: %2}")
        .arg(pressed, focus);
}

QGridLayout *grid(int margin = 5, int spacing = 5)
{
    auto *g = new QGridLayout;
    g->setContentsMargins(margin, margin, margin, margin);
    g->setSpacing(spacing);
    return g;
}

QFrame *subPage()
{
    auto *f = new QFrame;
    f->setFrameShape(QFrame::NoFrame);
    return f;
}

QPixmap scaledIcon(const QString &path, int side)
{
    return QPixmap(path).scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

const QStringList &AdminWidgets::rightsLabels()
{
    static const QStringList labels =
        QStringLiteral("Médiathèque|Statistiques|Informations|Rotation|Alimentation|Ajouter|Supprimer|Monter|"
                       "Descendre|Renommer|Editer|Calendrier|Réseaux|Spéciales|Visualiser|Déployer")
            .split(QLatin1Char('|'));
    return labels;
}

AdminWidgets::AdminWidgets(QWidget *page_)
    : page(page_)
{
    background = new QLabel(page);
    background->move(0, 0);
    stack = new AnimationStackedWidget;
    stack->setFocusPolicy(Qt::NoFocus);
    usersPage = subPage();
    categoriesPage = subPage();
    playlistsPage = subPage();

    back = barButton(QStringLiteral(":/images/Retour.png"), QStringLiteral("rgba(255,0,0,80%)"),
                     QStringLiteral("rgba(255,0,0,30%)"));
    back->setObjectName(QStringLiteral("back"));
    pageUsers = toolButton(tr("Gestion Utilisateurs"), QStringLiteral(":/images/user.png"));
    pageCategories = toolButton(tr("Gestion Catégories"), QStringLiteral(":/images/Etiquette.png"));
    pagePlaylists = toolButton(tr("Gestion Playlist"), QStringLiteral(":/images/playlist.png"));
    validate = barButton(QStringLiteral(":/images/valider.png"), QStringLiteral("rgba(0,255,0,80%)"),
                         QStringLiteral("rgba(0,255,0,30%)"));
    auto *bar = grid(5, 0);
    bar->addWidget(back, 0, 0);
    bar->addWidget(pageUsers, 0, 1);
    bar->addWidget(pageCategories, 0, 2);
    bar->addWidget(pagePlaylists, 0, 3);
    bar->addWidget(validate, 0, 4);
    for (int c = 0; c < 5; ++c)
        bar->setColumnStretch(c, c == 0 || c == 4 ? 5 : 1);

    buildUsers();
    buildCategories();
    buildPlaylists();
    stack->addWidget(usersPage);
    stack->addWidget(categoriesPage);
    stack->addWidget(playlistsPage);
    stack->setCurrentWidget(usersPage);

    auto *frame = grid(20, 10);
    frame->addWidget(stack, 0, 0);
    frame->addLayout(bar, 1, 0);
    frame->setRowStretch(0, 10);
    frame->setRowStretch(1, 1);
    background->setLayout(frame);
}

QToolButton *AdminWidgets::toolButton(const QString &text, const QString &icon)
{
    auto *b = new QToolButton;
    b->setText(text);
    b->setIcon(QIcon(icon));
    b->setIconSize(QSize(70, 70));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFont(avenir(8));
    m_toolButtons.append(b);
    return b;
}

QLabel *AdminWidgets::title(const QString &text)
{
    auto *l = new QLabel(text);
    l->setFont(avenir(15));
    l->setStyleSheet(kTitleStyle);
    l->setAlignment(Qt::AlignCenter);
    m_titles.append(l);
    return l;
}

QLabel *AdminWidgets::heading(const QString &text)
{
    auto *l = new QLabel(text);
    l->setAlignment(Qt::AlignCenter);
    m_headings.append(l);
    return l;
}

QListWidget *AdminWidgets::mainList()
{
    auto *l = new QListWidget;
    l->setFont(avenir(15));
    l->setFocusPolicy(Qt::NoFocus);
    return l;
}

QListWidget *AdminWidgets::elementList()
{
    QListWidget *l = mainList();
    l->setStyleSheet(kElementListStyle);
    return l;
}

QComboBox *AdminWidgets::chooser()
{
    auto *c = new QComboBox;
    c->setFont(avenir(15));
    return c;
}

QPushButton *AdminWidgets::barButton(const QString &icon, const QString &pressed, const QString &focus)
{
    auto *b = new QPushButton;
    b->setIcon(QIcon(icon));
    b->setIconSize(QSize(35, 35));
    b->setStyleSheet(barStyle(pressed, focus));
    return b;
}

QGroupBox *AdminWidgets::buildRights()
{
    auto *box = new QGroupBox;
    box->setFlat(true);
    box->setTitle(QString());
    box->setAlignment(Qt::AlignHCenter);
    auto *outer = new QVBoxLayout(box);
    outer->setContentsMargins(2, 2, 2, 2);
    outer->setSpacing(2);

    auto *checks = grid(2, 2);
    for (const QString &label : rightsLabels()) {
        auto *c = new QCheckBox(label);
        c->setFont(avenir(10));
        checks->addWidget(c, rights.size(), 0);
        rights.append(c);
    }
    auto *limits = grid(2, 2);
    auto caption = [this](const QString &text) {
        auto *l = new QLabel(text);
        l->setFont(avenir(10));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_limitCaptions.append(l);
        return l;
    };
    tempsMax = new QPushButton(QStringLiteral("5"));
    nbreAfficheMax = new QPushButton(QStringLiteral("5"));
    tempsMax->setFont(avenir(10));
    nbreAfficheMax->setFont(avenir(10));
    limits->addWidget(caption(tr("Temps maximum d'une affiche (en s):")), 0, 0);
    limits->addWidget(tempsMax, 0, 1);
    limits->addWidget(caption(tr("Nombre maximum d'affiche:")), 1, 0);
    limits->addWidget(nbreAfficheMax, 1, 1);
    outer->addLayout(checks);
    outer->addLayout(limits);
    return box;
}

void AdminWidgets::buildUsers()
{
    auto *g = grid();
    g->addWidget(title(tr("Utilisateurs")), 0, 0, 1, 4);
    g->addWidget(heading(tr("Liste des utilisateurs")), 1, 0);
    g->addWidget(heading(tr("Information sur l'utilisateur")), 1, 1);
    g->addWidget(heading(tr("Catégories et/ou playlists autorisées")), 1, 2);
    g->addWidget(heading(tr("Liste des boutons autorisés")), 1, 3);

    usersList = mainList();
    g->addWidget(usersList, 2, 0);

    auto *details = new QGridLayout;
    nom = toolButton(tr("Nom"), QStringLiteral(":/images/user.png"));
    email = toolButton(tr("Email"), QStringLiteral(":/images/Email.png"));
    telephone = toolButton(tr("Téléphone"), QStringLiteral(":/images/Phone.png"));
    password = toolButton(tr("Mot de passe"), QStringLiteral(":/images/cadena.png"));
    QLabel **labels[] = {&nomLabel, &emailLabel, &telephoneLabel, &passwordLabel};
    QToolButton *buttons[] = {nom, email, telephone, password};
    for (int r = 0; r < 4; ++r) {
        *labels[r] = new QLabel;
        (*labels[r])->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        details->addWidget(buttons[r], r, 0);
        details->addWidget(*labels[r], r, 1);
    }
    typeChooser = chooser();
    typeChooser->addItems({QStringLiteral("ADMINISTRATEUR"), QStringLiteral("UTILISATEUR")});
    details->addWidget(typeChooser, 4, 0, 1, 2);
    details->setColumnStretch(0, 1);
    details->setColumnStretch(1, 5);
    g->addLayout(details, 2, 1);

    allowedList = elementList();
    g->addWidget(allowedList, 2, 2);
    rightsGroup = buildRights();
    g->addWidget(rightsGroup, 2, 3, 2, 1);

    auto *userButtons = grid();
    QToolButton *add = toolButton(tr("Ajouter"), QStringLiteral(":/images/Plus.png"));
    QToolButton *remove = toolButton(tr("Supprimer"), QStringLiteral(":/images/Moins.png"));
    QToolButton *rename = toolButton(tr("Renommer"), QStringLiteral(":/images/Rename.png"));
    userButtons->addWidget(add, 0, 0);
    userButtons->addWidget(remove, 0, 1);
    userButtons->addWidget(rename, 0, 2);
    g->addLayout(userButtons, 3, 0);

    auto *assign = grid();
    selectGroups = toolButton(tr("Sélectionnez le/les groupe(s)"), QStringLiteral(":/images/Groupes.png"));
    playlistChooser = chooser();
    playlistAdd = toolButton(tr("Ajouter playlist"), QStringLiteral(":/images/Plus.png"));
    playlistRemove = toolButton(tr("Supprimer playlist"), QStringLiteral(":/images/Moins.png"));
    assign->addWidget(selectGroups, 0, 0, 2, 1);
    assign->addWidget(playlistChooser, 0, 1, 1, 2);
    assign->addWidget(playlistAdd, 1, 1);
    assign->addWidget(playlistRemove, 1, 2);
    g->addLayout(assign, 3, 2);

    const int stretches[] = {1, 1, 20, 1};
    for (int r = 0; r < 4; ++r)
        g->setRowStretch(r, stretches[r]);
    usersPage->setLayout(g);
    actions << add << remove << rename << playlistAdd << playlistRemove;
}

void AdminWidgets::buildCategories()
{
    auto *g = grid(5, 25);
    g->addWidget(title(tr("Liste des catégories")), 0, 0, 1, 2);

    auto *strip = subPage();
    auto *stripGrid = grid();
    boxChooser = chooser();
    boxChooser->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    QToolButton *renameBox = toolButton(tr("Renommer"), QStringLiteral(":/images/Rename.png"));
    stripGrid->addWidget(heading(tr("Sélectionnez le numéro de série: ")), 0, 0);
    stripGrid->addWidget(boxChooser, 0, 1);
    stripGrid->addWidget(renameBox, 0, 2);
    stripGrid->setColumnStretch(0, 2);
    stripGrid->setColumnStretch(1, 6);
    stripGrid->setColumnStretch(2, 1);
    strip->setLayout(stripGrid);
    g->addWidget(strip, 1, 0, 1, 2);

    // One block per kind of group: the groups, their buttons, the serials of
    // the current group and the buttons that edit them.
    struct Block {
        QListWidget *list;
        QListWidget *boxes;
        QLabel *icon;
        QList<QToolButton *> buttons;
    };
    auto block = [this](const QString &name, Block &b) {
        auto *bg = grid();
        b.icon = new QLabel;
        b.icon->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QLabel *h = heading(name);
        h->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        auto *head = grid(0, 5);
        head->addWidget(b.icon, 0, 0);
        head->addWidget(h, 0, 1);
        head->setColumnStretch(1, 1);
        bg->addLayout(head, 0, 0, 1, 3);
        b.list = mainList();
        bg->addWidget(b.list, 1, 0, 1, 3);
        auto *buttons = grid();
        b.buttons << toolButton(tr("Ajouter"), QStringLiteral(":/images/Plus.png"))
                  << toolButton(tr("Supprimer"), QStringLiteral(":/images/Moins.png"))
                  << toolButton(tr("Renommer"), QStringLiteral(":/images/Rename.png"));
        for (int c = 0; c < 3; ++c)
            buttons->addWidget(b.buttons.at(c), 0, c, Qt::AlignTop);
        bg->addLayout(buttons, 2, 0, 1, 3);
        bg->addWidget(heading(tr("Gestion des numéros de série:")), 0, 3);
        b.buttons << toolButton(tr("Ajouter"), QStringLiteral(":/images/Plus.png"))
                  << toolButton(tr("Supprimer"), QStringLiteral(":/images/Moins.png"));
        bg->addWidget(b.buttons.at(3), 0, 4, Qt::AlignTop);
        bg->addWidget(b.buttons.at(4), 0, 5, Qt::AlignTop);
        b.boxes = elementList();
        bg->addWidget(b.boxes, 1, 3, 2, 3);
        bg->setColumnStretch(0, 5);
        bg->setColumnStretch(1, 1);
        bg->setColumnStretch(2, 1);
        return bg;
    };
    Block categories;
    Block filters;
    g->addLayout(block(tr("Liste des groupes"), categories), 2, 0);
    g->addLayout(block(tr("Liste des filtres"), filters), 2, 1);
    g->setRowStretch(0, 1);
    g->setRowStretch(1, 1);
    g->setRowStretch(2, 10);
    categoriesPage->setLayout(g);

    categoriesList = categories.list;
    categoryBoxesList = categories.boxes;
    categoriesIcon = categories.icon;
    filtersList = filters.list;
    filterBoxesList = filters.boxes;
    filtersIcon = filters.icon;
    // Codes 8 to 18 come after the playlists' 5 to 7: kept for buildPlaylists.
    m_categoryActions = categories.buttons.mid(0, 3) + categories.buttons.mid(3, 2) + QList<QToolButton *>{renameBox} +
                        filters.buttons;
}

void AdminWidgets::buildPlaylists()
{
    auto *g = grid();
    g->addWidget(title(tr("Liste de diffusion")), 0, 0, 1, 5);
    g->addWidget(heading(tr("Liste des playlists")), 1, 0, 1, 3);
    g->addWidget(heading(tr("Liste des numéros de série affectés")), 1, 4);
    playlistsList = mainList();
    g->addWidget(playlistsList, 2, 0, 1, 3);
    serials = toolButton(tr("Numéro de série"), QStringLiteral(":/images/Filtres.png"));
    g->addWidget(serials, 2, 3, Qt::AlignCenter);
    playlistBoxesList = elementList();
    g->addWidget(playlistBoxesList, 2, 4);
    QList<QToolButton *> buttons;
    buttons << toolButton(tr("Ajouter"), QStringLiteral(":/images/Plus.png"))
            << toolButton(tr("Supprimer"), QStringLiteral(":/images/Moins.png"))
            << toolButton(tr("Renommer"), QStringLiteral(":/images/Rename.png"));
    for (int c = 0; c < 3; ++c)
        g->addWidget(buttons.at(c), 3, c, Qt::AlignTop);
    const int stretches[] = {1, 1, 1, 1, 3};
    for (int c = 0; c < 5; ++c)
        g->setColumnStretch(c, stretches[c]);
    playlistsPage->setLayout(g);
    actions << buttons << m_categoryActions;
}

void AdminWidgets::applySize(int w, int h)
{
    page->setMinimumSize(w, h);
    const int H = page->height();
    auto font = [H](int d, int weight) {
        return QFont(QStringLiteral("Avenir"), qMax(1, int(float(H / d) * FontRatio)), weight);
    };
    const QFont titleFont = font(90, 75);
    const QFont middleFont = font(80, 50);
    const QFont smallFont = font(100, 50);

    background->setPixmap(QPixmap(classVersion().BackgroundColor())
                              .scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    background->resize(w, h);

    for (QToolButton *b : qAsConst(m_toolButtons)) {
        const int side = (b == selectGroups || b == serials) ? H / 10 : H / 20;
        b->setIconSize(QSize(side, side));
        b->setFont(smallFont);
    }
    rightsGroup->setFont(titleFont);
    for (QCheckBox *c : qAsConst(rights))
        c->setFont(middleFont);
    for (QLabel *l : qAsConst(m_limitCaptions))
        l->setFont(smallFont);
    tempsMax->setFont(middleFont);
    nbreAfficheMax->setFont(middleFont);
    for (QLabel *l : {nomLabel, emailLabel, telephoneLabel, passwordLabel})
        l->setFont(titleFont);
    for (QComboBox *c : {playlistChooser, typeChooser, boxChooser})
        c->setFont(middleFont);
    for (QLabel *l : qAsConst(m_titles) + m_headings)
        l->setFont(smallFont);
    for (QListWidget *l : {usersList, playlistsList, categoriesList, allowedList})
        l->setFont(titleFont);
    playlistBoxesList->setFont(titleFont);
    playlistBoxesList->setIconSize(QSize(H / 20, H / 20));
    for (QListWidget *l : {categoryBoxesList, filterBoxesList}) {
        l->setFont(titleFont);
        l->setIconSize(QSize(H / 40, H / 40));
    }
    categoriesIcon->setPixmap(scaledIcon(QStringLiteral(":/images/Groupes.png"), H / 20));
    filtersIcon->setPixmap(scaledIcon(QStringLiteral(":/images/Filtres.png"), H / 20));
}
