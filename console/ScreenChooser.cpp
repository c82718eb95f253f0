#include "ScreenChooser.h"

#include "AppGlobals.h"
#include "BoxItemWidget.h"
#include "BoxStatus.h"
#include "CategoryRow.h"
#include "ClassClavier.h"
#include "ClassParam.h"
#include "PanelMetrics.h"
#include "ScreenCatalog.h"
#include "classVersion.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>

namespace {

QString currentTextOf(const QListWidget *list)
{
    const QListWidgetItem *item = list->currentItem();
    return item ? item->text() : QString();
}

} // namespace

ScreenChooser::ScreenChooser(QToolButton *addButton, QToolButton *renameButton, const QFont &listFont,
                             const QFont &nameFont, QWidget *parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);

    m_screensList = new QListWidget(this);
    m_screensList->setObjectName(QStringLiteral("screensList"));
    m_screensList->setFont(listFont);
    m_screensList->setFocusPolicy(Qt::NoFocus);
    m_screenNames = new QListWidget(this);
    m_screenNames->setObjectName(QStringLiteral("screenNames"));
    m_screenNames->setFont(nameFont);
    m_screenNames->setFocusPolicy(Qt::NoFocus);
    m_screenNames->hide();
    m_groupList = new QListWidget(this);
    m_groupList->setObjectName(QStringLiteral("groupList"));
    m_groupList->setFont(listFont);
    m_groupCombo = new QComboBox(this);
    m_groupCombo->setObjectName(QStringLiteral("groupCombo"));
    m_groupCombo->hide();
    m_groupMembers = new QListWidget(this);
    m_groupMembers->setObjectName(QStringLiteral("groupMembers"));
    m_groupMembers->hide();

    m_groupCaption = new QLabel(tr("Sélectionnez le groupe de votre écran:"));
    m_screensCaption = new QLabel(tr("Sélectionnez votre écran ou playlist:"));

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(m_groupCaption, 0, 0, Qt::AlignCenter);
    grid->addWidget(m_screensCaption, 0, 1, 1, 2, Qt::AlignCenter);
    auto *groupGrid = new QGridLayout;
    groupGrid->setContentsMargins(5, 0, 5, 0);
    groupGrid->setSpacing(5);
    groupGrid->addWidget(m_groupList, 0, 0);
    groupGrid->addWidget(m_groupCombo, 0, 0);
    groupGrid->addWidget(m_groupMembers, 1, 0);
    grid->addLayout(groupGrid, 1, 0, 3, 1);
    grid->addWidget(m_screensList, 1, 1, 2, 2);
    grid->addWidget(addButton, 3, 1);
    grid->addWidget(renameButton, 3, 2);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(2, 10);
    grid->setRowStretch(3, 1);
}

ScreenChooser::~ScreenChooser() = default;

void ScreenChooser::setCategories(const QStringList &entries, int panelHeight, QFont &listFont)
{
    m_playlistEntries.clear();
    m_groupList->clear();
    m_groupCombo->clear();
    m_groupMembers->clear();

    const CategoryRow row = CategoryRow::fromEntries(entries);
    m_playlistEntries = row.playlists();
    for (const QString &group : row.groups())
        m_groupCombo->addItem(group);
    const int pointSize = row.listPointSize(panelHeight, FontRatio);
    if (pointSize >= 0) {
        listFont.setPointSize(qMax(1, pointSize));
        m_groupList->setFont(listFont);
    }
    for (const QString &category : row.categories())
        m_groupList->addItem(new QListWidgetItem(QIcon(QStringLiteral(":/images/Groupes.png")), category));
    if (row.groupMode()) {
        m_groupList->hide();
        m_groupCombo->show();
        m_groupMembers->show();
        showGroup(m_groupCombo->currentText());
    }
    if (row.hasPlaylists())
        m_groupList->addItem(new QListWidgetItem(QIcon(QStringLiteral(":/images/playlist.png")),
                                                 CategoryRow::playlistCategory()));
}

void ScreenChooser::showGroup(const QString &group)
{
    m_groupMembers->clear();
    QStringList categories;
    for (int i = 0; i < m_groupList->count(); ++i)
        categories << m_groupList->item(i)->text();
    m_groupMembers->addItems(CategoryRow::membersOf(categories, group));
    connect(m_groupCombo, &QComboBox::currentTextChanged, this, &ScreenChooser::showGroup, Qt::UniqueConnection);
    connect(m_groupMembers, &QListWidget::currentTextChanged, this, &ScreenChooser::chooseMember,
            Qt::UniqueConnection);
    if (m_groupMembers->count() > 0)
        m_groupMembers->setCurrentRow(0);
}

void ScreenChooser::chooseMember(const QString &member)
{
    const QString target = CategoryRow::memberEntry(m_groupCombo->currentText(), member);
    const QList<QListWidgetItem *> found = m_groupList->findItems(target, Qt::MatchExactly);
    if (!found.isEmpty())
        m_groupList->setCurrentItem(found.first());
}

void ScreenChooser::addScreen(const QString &icon, const QString &text, QWidget *cover)
{
    auto *item = new QListWidgetItem(QIcon(icon), text);
    m_screensList->addItem(item);
    // The cover's own hint is shorter than the icon the row must show.
    const QSize hint = cover->sizeHint();
    item->setSizeHint(QSize(hint.width(), qMax(hint.height(), m_screensList->iconSize().height() + 8)));
    m_screensList->setItemWidget(item, cover);
}

void ScreenChooser::fillScreens(const QString &category, const ScreenCatalog &catalog,
                                const QStringList &statusEntries, const QFont &statusFont, int iconSize)
{
    {
        // clear() reports a selection change while the old entry is still
        // current: a status refresh would fetch the chosen screen again.
        const QSignalBlocker blocker(m_screensList);
        m_screensList->clear();
    }
    m_screenNames->clear();
    m_screenNames->hide();

    if (category != CategoryRow::playlistCategory()) {
        for (const ScreenCatalog::Screen &screen : catalog.screensOf(category)) {
            m_screenNames->addItem(screen.name);
            addScreen(QStringLiteral(":/images/dir.png"), screen.serial,
                      createItem(screen.name, screen.serial, BoxStatus::entryFor(statusEntries, screen.serial),
                                 statusFont, iconSize));
        }
    } else {
        for (const QString &playlist : qAsConst(m_playlistEntries))
            addScreen(QStringLiteral(":/images/playlist.png"), playlist,
                      createItem(playlist, QString(), QString(), statusFont, iconSize));
    }
    m_screensList->setStyleSheet(classVersion().StyleQlistCustom());
}

bool ScreenChooser::restoreScreen(const QString &screen)
{
    const QList<QListWidgetItem *> found = m_screensList->findItems(screen, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    const QSignalBlocker blockScreens(m_screensList);
    const QSignalBlocker blockNames(m_screenNames);
    const int row = m_screensList->row(found.first());
    m_screensList->setCurrentRow(row);
    m_screenNames->setCurrentRow(row < m_screenNames->count() ? row : -1);
    return true;
}

bool ScreenChooser::renameCurrentScreen(ClassParam &loginFile, const QString &loginPath, int width, int height,
                                        QString *problem)
{
    // Playlists have no entry in the hidden name list.
    if (m_screenNames->currentRow() < 0)
        return false;
    auto *keyboard = new ClassClavier(width, height, nullptr, 1);
    keyboard->setWindowFlags(Qt::FramelessWindowHint);
    keyboard->setTextClavier(tr("Renommer la TV"), currentScreenName());
    keyboard->exec();
    const QString name = keyboard->text();
    delete keyboard;

    if (name.trimmed().isEmpty() || !ScreenCatalog::isStorableName(name)) {
        *problem = tr("Nom refusé: le nom d'un écran ne peut être vide ni contenir | ou \".");
        return false;
    }
    QString names;
    const QString serial = currentScreen();
    if (!ScreenCatalog(loginFile.BALISE).renamed(serial, name, &names)) {
        *problem = tr("L'écran %1 n'est pas dans la liste des écrans du compte.").arg(serial);
        return false;
    }
    if (!loginFile.setParamCrypt(loginPath, QStringLiteral("PLAYERLISTNAME"), names)) {
        *problem = tr("Impossible d'enregistrer le nouveau nom dans %1.").arg(loginPath);
        return false;
    }
    // The notice shows the new name before the lists are rebuilt.
    if (QListWidgetItem *item = m_screenNames->currentItem())
        item->setText(name);
    return true;
}

QWidget *ScreenChooser::createItem(const QString &name, const QString &serial, const QString &status,
                                   const QFont &statusFont, int iconSize)
{
    return new BoxItemWidget(name, serial, status, statusFont, iconSize);
}

void ScreenChooser::relayout(const PanelMetrics &metrics, const QFont &listFont, const QFont &textFont)
{
    m_screensList->setIconSize(metrics.screensIconSize());
    m_screensList->setFont(listFont);
    m_groupList->setFont(listFont);
    m_groupList->setIconSize(metrics.groupIconSize());
    m_groupCombo->setFont(listFont);
    m_groupMembers->setFont(listFont);
    m_screenNames->setIconSize(metrics.screensIconSize());
    m_screenNames->setFont(listFont);
    m_groupCaption->setFont(textFont);
    m_screensCaption->setFont(textFont);
}

QString ScreenChooser::currentScreen() const
{
    return currentTextOf(m_screensList);
}

QString ScreenChooser::currentScreenName() const
{
    return currentTextOf(m_screenNames);
}

QString ScreenChooser::currentGroupEntry() const
{
    return currentTextOf(m_groupList);
}
