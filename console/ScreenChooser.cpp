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
#include <QTimer>
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

    m_coverTimer = new QTimer(this);
    m_coverTimer->setInterval(0);
    connect(m_coverTimer, &QTimer::timeout, this, &ScreenChooser::coverRows);

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

void ScreenChooser::fillScreens(const QString &category, const ScreenCatalog &catalog,
                                const QStringList &statusEntries, const QFont &statusFont, int iconSize)
{
    // Covers still waiting belong to the rows about to go.
    m_pending.clear();
    m_coverTimer->stop();
    {
        // clear() reports a selection change while the old entry is still
        // current: a status refresh would fetch the chosen screen again.
        const QSignalBlocker blocker(m_screensList);
        m_screensList->clear();
    }
    m_screenNames->clear();
    m_screenNames->hide();
    m_statusFont = statusFont;
    m_iconSize = iconSize;

    // Every row first, then the widgets that cover them: a row added to a
    // list that already holds covers moves each of them again.
    if (category != CategoryRow::playlistCategory()) {
        const QIcon icon(QStringLiteral(":/images/dir.png"));
        const QHash<QString, QString> statuses = BoxStatus::entriesBySerial(statusEntries);
        for (const ScreenCatalog::Screen &screen : catalog.screensOf(category)) {
            m_screenNames->addItem(screen.name);
            addScreen(icon, screen.serial, {screen.name, screen.serial, statuses.value(screen.serial)});
        }
    } else {
        const QIcon icon(QStringLiteral(":/images/playlist.png"));
        for (const QString &playlist : qAsConst(m_playlistEntries))
            addScreen(icon, playlist, {playlist, QString(), QString()});
    }
    // The first rows are covered at once, the others a slice per turn of
    // the event loop: a group of a thousand screens freezes nothing.
    coverRows();
    if (!m_pending.isEmpty())
        m_coverTimer->start();
    // The same sheet set again would polish every cover once more.
    const QString sheet = classVersion().StyleQlistCustom();
    if (m_screensList->styleSheet() != sheet)
        m_screensList->setStyleSheet(sheet);
}

void ScreenChooser::addScreen(const QIcon &icon, const QString &text, const PendingCover &cover)
{
    m_screensList->addItem(new QListWidgetItem(icon, text));
    m_pending.append(cover);
    m_pending.last().row = QPersistentModelIndex(m_screensList->model()->index(m_screensList->count() - 1, 0));
}

void ScreenChooser::coverRows()
{
    QSize placeholder;
    for (int n = 0; n < CoverSlice && !m_pending.isEmpty(); ++n) {
        const PendingCover next = m_pending.takeFirst();
        QListWidgetItem *item = next.row.isValid() ? m_screensList->item(next.row.row()) : nullptr;
        if (!item)
            continue;
        QWidget *cover = createItem(next.name, next.serial, next.status, m_statusFont, m_iconSize);
        // The cover's own hint is shorter than the icon the row must show.
        const QSize hint = cover->sizeHint();
        placeholder = QSize(hint.width(), qMax(hint.height(), m_screensList->iconSize().height() + 8));
        item->setSizeHint(placeholder);
        m_screensList->setItemWidget(item, cover);
    }
    // Rows still waiting keep the place their cover will take.
    if (placeholder.isValid() && !m_pending.isEmpty() && !m_pending.first().sized) {
        for (PendingCover &rest : m_pending) {
            if (QListWidgetItem *item = rest.row.isValid() ? m_screensList->item(rest.row.row()) : nullptr)
                item->setSizeHint(placeholder);
            rest.sized = true;
        }
    }
    if (m_pending.isEmpty())
        m_coverTimer->stop();
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

    // Kept as it was (or the keyboard closed): nothing to save or send.
    if (name == currentScreenName())
        return false;
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
