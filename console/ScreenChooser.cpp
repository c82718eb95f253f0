#include "ScreenChooser.h"

#include "AppGlobals.h"
#include "CategoryTree.h"
#include "PanelMetrics.h"
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
    m_screenNames->setFont(nameFont);
    m_screenNames->setFocusPolicy(Qt::NoFocus);
    m_screenNames->hide();
    m_groupList = new QListWidget(this);
    m_groupList->setObjectName(QStringLiteral("groupList"));
    m_groupList->setFont(listFont);
    m_groupCombo = new QComboBox(this);
    m_groupCombo->hide();
    m_groupMembers = new QListWidget(this);
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

    const CategoryTree tree = CategoryTree::fromEntries(entries);
    m_playlistEntries = tree.playlists();
    for (const QString &group : tree.groups())
        m_groupCombo->addItem(group);
    for (const QString &category : tree.categories()) {
        if (category.size() > 20) {
            const int base = category.size() <= 30 ? panelHeight / 80 : panelHeight / 100;
            listFont.setPointSize(qMax(1, int(float(base) * FontRatio)));
            m_groupList->setFont(listFont);
        }
        m_groupList->addItem(new QListWidgetItem(QIcon(QStringLiteral(":/images/Groupes.png")), category));
    }
    if (tree.hasGroups()) {
        m_groupList->hide();
        m_groupCombo->show();
        m_groupMembers->show();
        showGroup(m_groupCombo->currentText());
    }
    if (!m_playlistEntries.isEmpty())
        m_groupList->addItem(new QListWidgetItem(QIcon(QStringLiteral(":/images/playlist.png")),
                                                 QStringLiteral("PLAYLIST")));
}

void ScreenChooser::showGroup(const QString &group)
{
    m_groupMembers->clear();
    const QString prefix = QLatin1Char('[') + group + QLatin1Char(']');
    for (int i = 0; i < m_groupList->count(); ++i) {
        const QString entry = m_groupList->item(i)->text();
        if (entry.startsWith(prefix))
            m_groupMembers->addItem(entry.mid(prefix.size()));
    }
    connect(m_groupCombo, &QComboBox::currentTextChanged, this, &ScreenChooser::showGroup, Qt::UniqueConnection);
    connect(m_groupMembers, &QListWidget::currentTextChanged, this, &ScreenChooser::chooseMember,
            Qt::UniqueConnection);
    if (m_groupMembers->count() > 0)
        m_groupMembers->setCurrentRow(0);
}

void ScreenChooser::chooseMember(const QString &member)
{
    const QString target = QLatin1Char('[') + m_groupCombo->currentText() + QLatin1Char(']') + member;
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

void ScreenChooser::fillScreens(const QString &category, ClassParam &loginFile, const QFont &statusFont)
{
    m_screensList->clear();
    m_screenNames->clear();
    m_screenNames->hide();

    if (category != QLatin1String("PLAYLIST")) {
        for (const CategoryTree::Screen &screen : CategoryTree::screensOf(category, loginFile)) {
            m_screenNames->addItem(screen.name);
            addScreen(QStringLiteral(":/images/dir.png"), screen.serial,
                      createItem(screen.name, screen.serial, QString(), statusFont));
        }
    } else {
        for (const QString &playlist : qAsConst(m_playlistEntries))
            addScreen(QStringLiteral(":/images/playlist.png"), playlist,
                      createItem(playlist, QString(), QString(), statusFont));
    }
    m_screensList->setStyleSheet(classVersion().StyleQlistCustom());
}

QWidget *ScreenChooser::createItem(const QString &name, const QString &serial, const QString &status,
                                   const QFont &statusFont)
{
    Q_UNUSED(status)
    auto *widget = new QWidget;
    auto *outer = new QGridLayout(widget);
    outer->setContentsMargins(2, 2, 2, 2);
    outer->setSpacing(2);
    auto *left = new QGridLayout;
    left->setContentsMargins(2, 2, 2, 2);
    left->setSpacing(2);

    auto *nameLabel = new QLabel(name);
    nameLabel->setFont(statusFont);
    auto *serialLabel = new QLabel(serial.isEmpty() ? QString() : tr("Numéro de série N°") + serial);
    QFont small = statusFont;
    small.setPointSize(qMax(1, statusFont.pointSize() * 2 / 3));
    serialLabel->setFont(small);
    left->addWidget(nameLabel, 0, 0, Qt::AlignCenter);
    left->addWidget(serialLabel, 1, 0, Qt::AlignHCenter | Qt::AlignTop);
    left->setRowStretch(0, 3);
    left->setRowStretch(1, 1);
    outer->addLayout(left, 0, 0);
    return widget;
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
