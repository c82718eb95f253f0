#pragma once

#include <QList>
#include <QString>

class AnimationStackedWidget;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;
class QWidget;

// The widgets of the administration page: its frame and bottom bar, the
// users, categories and playlists sub-pages, and their layout for a window
// size. The page wires them; this class holds no behaviour.
class AdminWidgets
{
public:
    // Builds every widget inside `page`.
    explicit AdminWidgets(QWidget *page);

    // Fonts, icons and background for a page of w x h.
    void applySize(int w, int h);

    static const QStringList &rightsLabels();

    QWidget *page;
    QLabel *background;
    AnimationStackedWidget *stack;
    QFrame *usersPage;
    QFrame *categoriesPage;
    QFrame *playlistsPage;

    // Bottom bar.
    QPushButton *back;
    QToolButton *pageUsers;
    QToolButton *pageCategories;
    QToolButton *pagePlaylists;
    QPushButton *validate;

    // Users sub-page.
    QListWidget *usersList;
    QToolButton *nom;
    QToolButton *email;
    QToolButton *telephone;
    QToolButton *password;
    QLabel *nomLabel;
    QLabel *emailLabel;
    QLabel *telephoneLabel;
    QLabel *passwordLabel;
    QComboBox *typeChooser;
    QListWidget *allowedList;
    QGroupBox *rightsGroup;
    QList<QCheckBox *> rights;
    QPushButton *tempsMax;
    QPushButton *nbreAfficheMax;
    QToolButton *selectGroups;
    QComboBox *playlistChooser;
    QToolButton *playlistAdd;
    QToolButton *playlistRemove;

    // Categories sub-page.
    QComboBox *boxChooser;
    QListWidget *categoriesList;
    QListWidget *categoryBoxesList;
    QListWidget *filtersList;
    QListWidget *filterBoxesList;
    QLabel *categoriesIcon;
    QLabel *filtersIcon;

    // Playlists sub-page.
    QListWidget *playlistsList;
    QToolButton *serials;
    QListWidget *playlistBoxesList;

    // The action buttons in the order of their codes (0 to 18).
    QList<QToolButton *> actions;

private:
    QToolButton *toolButton(const QString &text, const QString &icon);
    QLabel *title(const QString &text);
    QLabel *heading(const QString &text);
    QListWidget *mainList();
    QListWidget *elementList();
    QComboBox *chooser();
    QPushButton *barButton(const QString &icon, const QString &pressed, const QString &focus);
    QGroupBox *buildRights();
    void buildUsers();
    void buildCategories();
    void buildPlaylists();

    QList<QToolButton *> m_toolButtons;
    QList<QLabel *> m_titles;
    QList<QLabel *> m_headings;
    QList<QLabel *> m_limitCaptions;
    QList<QToolButton *> m_categoryActions;
};
