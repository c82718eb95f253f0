#pragma once

#include <QFont>
#include <QFrame>
#include <QPersistentModelIndex>
#include <QStringList>

class ClassParam;
class PanelMetrics;
class ScreenCatalog;
class QComboBox;
class QIcon;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QTimer;
class QToolButton;

// Left page of the control panel: the user's categories (or groups of
// categories) and the screens or playlists of the chosen one. The panel
// decides what happens when an entry is chosen.
class ScreenChooser : public QFrame
{
    Q_OBJECT
public:
    // Rows covered at once, and per turn of the event loop after that.
    static constexpr int CoverSlice = 40;

    // The two buttons under the screens list belong to the panel.
    ScreenChooser(QToolButton *addButton, QToolButton *renameButton, const QFont &listFont, const QFont &nameFont,
                  QWidget *parent);
    ~ScreenChooser() override;

    QListWidget *screensList() const { return m_screensList; }
    QListWidget *screenNames() const { return m_screenNames; }
    QListWidget *groupList() const { return m_groupList; }
    QComboBox *groupCombo() const { return m_groupCombo; }
    QListWidget *groupMembers() const { return m_groupMembers; }
    QLabel *groupCaption() const { return m_groupCaption; }
    QLabel *screensCaption() const { return m_screensCaption; }
    QStringList playlistEntries() const { return m_playlistEntries; }

    // Fills the categories from one PLAYPERMISSION row. `listFont` shrinks
    // for long names; `panelHeight` sets by how much.
    void setCategories(const QStringList &entries, int panelHeight, QFont &listFont);
    // Lists the categories of one group.
    void showGroup(const QString &group);
    // Makes the category "[group]member" of the current group current.
    void chooseMember(const QString &member);
    // Refills the screens list with the boxes of a category, each with its
    // status entry, or with the playlists for "PLAYLIST".
    void fillScreens(const QString &category, const ScreenCatalog &catalog, const QStringList &statusEntries,
                     const QFont &statusFont, int iconSize);
    // Makes the entry `screen` current again in both screen lists, without
    // signals. False when the refilled list no longer holds it.
    bool restoreScreen(const QString &screen);
    // Asks the chosen box's new name on the on-screen keyboard (sized
    // `width` x `height`) and writes PLAYERLISTNAME into the login file.
    // False when nothing was written; `problem` then holds what to tell the
    // user, or stays empty when there was nothing to rename.
    bool renameCurrentScreen(ClassParam &loginFile, const QString &loginPath, int width, int height,
                             QString *problem);
    // The widget that covers one screens-list entry.
    QWidget *createItem(const QString &name, const QString &serial, const QString &status, const QFont &statusFont,
                        int iconSize);

    void relayout(const PanelMetrics &metrics, const QFont &listFont, const QFont &textFont);

    // Display text of the current entry of each list, empty without one.
    QString currentScreen() const;
    QString currentScreenName() const;
    QString currentGroupEntry() const;

private:
    // A row's cover, made when its turn comes.
    struct PendingCover
    {
        QString name;
        QString serial;
        QString status;
        QPersistentModelIndex row;
        bool sized = false;
    };
    void addScreen(const QIcon &icon, const QString &text, const PendingCover &cover);
    // Covers the next rows that wait for theirs.
    void coverRows();

    QListWidget *m_screensList;
    QListWidget *m_screenNames;
    QListWidget *m_groupList;
    QComboBox *m_groupCombo;
    QListWidget *m_groupMembers;
    QLabel *m_groupCaption;
    QLabel *m_screensCaption;
    QStringList m_playlistEntries;
    QList<PendingCover> m_pending;
    QTimer *m_coverTimer = nullptr;
    QFont m_statusFont;
    int m_iconSize = 0;
};
