#include "ClassBox.h"

#include "AppGlobals.h"
#include "InputDialogGuard.h"
#include "NumClavier.h"
#include "PlatformType.h"
#include "ScreenChoiceDelegate.h"
#include "ScreenChoiceModel.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHash>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QSignalMapper>

namespace {

const char kConfirmStyle[] =
    "QPushButton {border-radius: 2px;border-style: outset;border-width: 1px;border-color: white;"
    "background-color:rgba(32,41,49,80%);}QPushButton:pressed {background-color:rgba(0,255,0,80%);}"
    "QPushButton:focus{ background-color: rgba(0,255,0,30%)}";
const char kCancelStyle[] =
    "QPushButton {border-radius: 2px;border-style: outset;border-width: 1px;border-color: white;"
    "background-color:rgba(32,41,49,80%);}QPushButton:pressed {background-color:rgba(255,0,0,80%);}"
    "QPushButton:focus{ background-color: rgba(255,0,0,30%)}";

// `box` selects the check boxes the rules are for.
QString checkBoxStyle(const char *checkedImage, const char *uncheckedImage,
                      const QString &box = QStringLiteral("QCheckBox"))
{
    return QStringLiteral("%3 {   color: white;   background-color: rgba(0,128,255,0%);}"
                          "%3::indicator {width: 75px;height:75px;}"
                          "%3::indicator:checked  {image: url(%1);}"
                          "%3::indicator:unchecked  {image: url(%2);}"
                          "%3:hover {   border-radius: 3px;   background: qlineargradient(x1:0, y1:0, x2:0, "
                          "y2:1,                               stop:0 #616161, stop: 0.5 #505050,                  "
                          "             stop: 0.6 #434343, stop:1 #656565);   color: white;}")
        .arg(QLatin1String(checkedImage), QLatin1String(uncheckedImage), box);
}

QPixmap squarePicture(const QString &path, int side)
{
    const QPixmap picture(path);
    if (picture.isNull() || side < 1)
        return QPixmap();
    return picture.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Check-box captions treat '&' as a mnemonic; names must show as typed.
QString displayText(QString text)
{
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

const char kItemProperty[] = "zoItem";

} // namespace

void ClassBox::buildCommon()
{
    m_background = new QLabel(this);
    m_background->setAttribute(Qt::WA_TranslucentBackground);
    m_background->setScaledContents(true);

    // Return belongs to the dialog (confirm), not to whichever button has focus.
    auto makeButton = [this](const QString &name, const char *style) {
        auto *button = new QPushButton(this);
        button->setObjectName(name);
        button->setIcon(QIcon(QStringLiteral(":/images/") + name + QStringLiteral(".png")));
        button->setIconSize(QSize(35, 35));
        button->setStyleSheet(QLatin1String(style));
        button->setAutoDefault(false);
        return button;
    };
    m_confirm = makeButton(QStringLiteral("valider"), kConfirmStyle);
    m_cancel = makeButton(QStringLiteral("annuler"), kCancelStyle);
    m_cancel->hide();
}

ClassBox::ClassBox(QString text, int type, int width, int height, QWidget *parent)
    : QDialog(parent)
{
    const int w = width;
    const int h = height;

    m_font = QFont(QStringLiteral("Avenir"));
    m_font.setPointSize(scaledPointSize(FontRatio, h / 48));
    m_font.setWeight(75);
    m_font.setLetterSpacing(QFont::PercentageSpacing, 95);

    if (!isMobilePlatform())
        setWindowFlags(Qt::FramelessWindowHint);
    setGeometry(0, h / 3, w, h / 3);
    setStyleSheet(QStringLiteral("background-color:rgba(0,0,0,100%);"));

    m_icon = new QLabel(this);
    m_lock = new QLabel(this);
    m_lock->hide();

    QString picture;
    switch (type) {
    case Information: picture = QStringLiteral(":/images/information.png"); break;
    case Question: picture = QStringLiteral(":/images/interrogation.png"); break;
    case Warning: picture = QStringLiteral(":/images/warning.png"); break;
    case Error: picture = QStringLiteral(":/images/erreur.png"); break;
    case Password: picture = QStringLiteral(":/images/user.png"); break;
    default: break;
    }
    const int side = int(h * 0.1);
    if (!picture.isEmpty())
        m_icon->setPixmap(squarePicture(picture, side));
    if (type == Password)
        m_lock->setPixmap(squarePicture(QStringLiteral(":/images/cadena.png"), side));

    buildCommon();
    m_background->setStyleSheet(QStringLiteral("color:white;background-color:none;border:none;"));

    m_text = new QLabel(text, this);
    m_text->setObjectName(QStringLiteral("texte"));
    m_text->setStyleSheet(QStringLiteral("color:black;"));
    m_text->setFont(m_font);
    m_text->setWordWrap(false);
    m_text->setTextFormat(Qt::PlainText);

    m_passwordButton = new QPushButton(this);
    m_passwordButton->setObjectName(QStringLiteral("motDePasse"));
    m_userButton = new QPushButton(this);
    m_userButton->setObjectName(QStringLiteral("utilisateur"));
    for (QPushButton *button : {m_passwordButton, m_userButton}) {
        button->setFont(m_font);
        button->setStyleSheet(QStringLiteral("color:black;"));
        button->setAutoDefault(false);
        button->hide();
    }

    m_mainLayout = new QHBoxLayout(this);
    m_mainLayout->setContentsMargins(0, 0, 0, 0);
    m_mainLayout->setSpacing(0);
    m_mainLayout->addWidget(m_background);

    m_grid = new QGridLayout(m_background);
    m_grid->setContentsMargins(25, 10, 25, 10);
    m_grid->setSpacing(10);

    if (type == Question) {
        m_cancel->show();
        m_grid->addWidget(m_icon, 0, 0, 1, 2, Qt::AlignCenter);
        m_grid->addWidget(m_text, 1, 0, 1, 2, Qt::AlignCenter);
        m_grid->addWidget(m_cancel, 2, 0);
        m_grid->addWidget(m_confirm, 2, 1);
    } else if (type == Password) {
        m_cancel->show();
        m_lock->show();
        m_userButton->show();
        m_passwordButton->show();
        m_grid->addWidget(m_text, 0, 0, 1, 2, Qt::AlignCenter);
        m_grid->addWidget(m_icon, 1, 0, Qt::AlignRight);
        m_grid->addWidget(m_userButton, 1, 1, Qt::AlignLeft);
        m_grid->addWidget(m_lock, 2, 0, Qt::AlignRight);
        m_grid->addWidget(m_passwordButton, 2, 1, Qt::AlignLeft);
        m_grid->addWidget(m_cancel, 3, 0);
        m_grid->addWidget(m_confirm, 3, 1);
    } else {
        m_grid->addWidget(m_icon, 0, 0, 1, 2, Qt::AlignCenter);
        m_grid->addWidget(m_text, 1, 0, 1, 2, Qt::AlignCenter);
        m_grid->addWidget(m_confirm, 2, 0, 1, 2);
    }

    connect(m_confirm, &QPushButton::clicked, this, &ClassBox::slotValider);
    connect(m_cancel, &QPushButton::clicked, this, &ClassBox::slotAnnuler);

    updateScreens();

    if (type == Password)
        askPassword(w, h);

    setFocusPolicy(Qt::StrongFocus);
    setFocus();
    raise();
}

void ClassBox::askPassword(int width, int height)
{
    auto *keypad = new NumClavier(0, width, height, nullptr);
    keypad->setChampClavier(tr("Mot de passe"), QString(), QString());
    if (!isMobilePlatform())
        keypad->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    keypad->exec();
    m_password = keypad->text();
    delete keypad;
    // The keypad echoes as a password; the box must not show it in clear.
    m_passwordButton->setText(QString(m_password.size(), QChar(0x25CF)));
}

ClassBox::ClassBox(QStringList categories, QStringList members, QString preselectedCategories, QStringList serials,
                   QStringList names, QString preselection, int width, int height, int mode, QWidget *parent)
    : QDialog(parent)
    , m_selection(true)
{
    // The second click of the double click that opened the form is no answer.
    new InputDialogGuard(this);
    const int w = width;
    const int h = height;

    QFont titleFont = avenirFont(15, 75);
    titleFont.setLetterSpacing(QFont::PercentageSpacing, 95);
    m_font = titleFont;

    if (!isMobilePlatform())
        setWindowFlags(Qt::FramelessWindowHint);
    setGeometry(0, 0, w, h);
    setStyleSheet(QStringLiteral("background-color:rgba(0,0,0,100%);padding: 1px;border: 1px solid "
                                 "rgba(127,127,127,30%);border-radius: 2px;"));

    m_categories = categories;
    m_members = members;
    m_mode = mode;
    m_serials = serials;
    m_names = names;
    m_preselection = preselection;
    if (!preselectedCategories.isEmpty())
        m_preselectedCategories = preselectedCategories.split(QLatin1Char(';'));

    // The category boxes' looks go on the frame that holds them, once: a
    // style sheet of each box's own is parsed, and its pictures read, once
    // per box.
    m_categoryStyle = checkBoxStyle(":/images/Selecton.png", ":/images/Selectoff.png");

    buildCommon();
    m_background->setStyleSheet(QStringLiteral("color:black;background-color:none;border:none;"));
    m_cancel->show();

    m_screenTitle = new QLabel(tr("Sélectionnez l'écran"), this);
    m_categoryTitle = new QLabel(tr("Sélectionnez le/les groupe(s)"), this);
    m_screenTitle->setObjectName(QStringLiteral("titreEcrans"));
    m_categoryTitle->setObjectName(QStringLiteral("titre"));
    for (QLabel *title : {m_screenTitle, m_categoryTitle}) {
        title->setStyleSheet(QStringLiteral("color:black;"));
        title->setFont(titleFont);
    }

    const QString frameStyle = QStringLiteral("color:rgba(0,0,0,100%);background-color:rgba(0,0,0,80%);");
    m_categoryFrame = new QFrame;
    m_categoryScroll = new QScrollArea(this);
    m_categoryScroll->setObjectName(QStringLiteral("zoneGroupes"));
    m_categoryGrid = new QGridLayout(m_categoryFrame);
    m_categoryGrid->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_categoryFrame->setFrameShape(QFrame::StyledPanel);
    m_categoryFrame->setStyleSheet(QStringLiteral("* {") + frameStyle + QLatin1Char('}') + m_categoryStyle);
    m_categoryScroll->setBackgroundRole(QPalette::Dark);
    m_categoryScroll->setWidgetResizable(true);
    m_categoryScroll->setWidget(m_categoryFrame);

    // Thousands of screens are rows of one view, not a check box each.
    m_screenModel = new ScreenChoiceModel(this);
    m_screenView = new QListView(this);
    m_screenView->setObjectName(QStringLiteral("zoneEcrans"));
    // The view draws its grey straight on the backdrop, where the frame of
    // check boxes sat on its scroll area: a shade darker gives the same grey.
    m_screenView->setStyleSheet(QStringLiteral("* {") + frameStyle
                                + QStringLiteral("} QListView {background-color:rgba(0,0,0,85%);}"));
    m_screenView->setFrameShape(QFrame::StyledPanel);
    m_screenView->setFont(avenirFont(15, 75));
    m_screenView->setSelectionMode(QAbstractItemView::NoSelection);
    m_screenView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_screenView->setMouseTracking(true);
    m_screenView->setSpacing(4);
    m_screenView->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_screenView->setItemDelegate(new ScreenChoiceDelegate(m_screenView));
    m_screenView->setModel(m_screenModel);
    connect(m_screenModel, &ScreenChoiceModel::checksChanged, this, &ClassBox::updateConfirmState);

    m_categoryMapper = new QSignalMapper(this);
    connect(m_categoryMapper, &QSignalMapper::mappedString, this, &ClassBox::slotsignalChkCategory);

    m_mainLayout = new QHBoxLayout(this);
    m_mainLayout->setContentsMargins(0, 0, 0, 0);
    m_mainLayout->setSpacing(0);
    m_mainLayout->addWidget(m_background);

    m_grid = new QGridLayout(m_background);
    m_grid->setContentsMargins(25, 10, 25, 10);
    m_grid->setSpacing(10);
    if (m_mode == 1) {
        m_screenView->hide();
        m_screenTitle->hide();
        m_grid->addWidget(m_categoryTitle, 0, 0, 1, 2, Qt::AlignCenter);
        m_grid->addWidget(m_categoryScroll, 1, 0, 1, 2);
    } else {
        m_grid->addWidget(m_categoryTitle, 0, 0, Qt::AlignCenter);
        m_grid->addWidget(m_screenTitle, 0, 1, Qt::AlignCenter);
        m_grid->addWidget(m_categoryScroll, 1, 0);
        m_grid->addWidget(m_screenView, 1, 1);
        m_confirm->setEnabled(false);
    }
    m_grid->addWidget(m_cancel, 2, 0);
    m_grid->addWidget(m_confirm, 2, 1);
    m_grid->setRowStretch(0, 1);
    m_grid->setRowStretch(1, 30);
    m_grid->setRowStretch(2, 1);

    connect(m_confirm, &QPushButton::clicked, this, &ClassBox::slotValider);
    connect(m_cancel, &QPushButton::clicked, this, &ClassBox::slotAnnuler);

    updateScreens();
    UpdateCheckCategory(m_categories);

    setFocusPolicy(Qt::StrongFocus);
    setFocus();
    raise();
}

ClassBox::~ClassBox()
{
    close();
}

int ClassBox::text()
{
    return m_result;
}

QString ClassBox::password()
{
    return m_password;
}

void ClassBox::slotValider()
{
    m_result = 0;
    close();
}

void ClassBox::slotAnnuler()
{
    m_result = 1;
    close();
}

void ClassBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        slotAnnuler();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Confirms even while the button is disabled: Return with no screen
        // checked is how a playlist's screens are all taken away.
        slotValider();
        break;
    default:
        break;
    }
    event->accept();
}

void ClassBox::updateScreens()
{
    const QPixmap picture(QStringLiteral(":/images/Background-box.png"));
    if (picture.isNull() || width() < 1 || height() < 1)
        return;
    m_background->setPixmap(picture.scaled(width(), height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void ClassBox::UpdateCheckCategory(QStringList categories)
{
    const QFont font = avenirFont(15, 75);

    m_categoryBoxes.clear();
    for (int i = 0; i < categories.size(); ++i) {
        const QString name = categories.at(i);
        auto *box = new QCheckBox(displayText(name));
        box->setProperty(kItemProperty, name);
        m_categoryBoxes.append(box);
        m_categoryGrid->addWidget(box, i, 0, Qt::AlignLeft);
        box->setFont(font);
        if (m_preselectedCategories.contains(name)) {
            box->setChecked(true);
            slotsignalChkCategory(name);
        }
        connect(box, &QCheckBox::clicked, m_categoryMapper, qOverload<>(&QSignalMapper::map));
        m_categoryMapper->setMapping(box, name);
    }
}

void ClassBox::slotsignalChkCategory(QString name)
{
    Q_UNUSED(name)
    QStringList checked;
    for (QCheckBox *box : qAsConst(m_categoryBoxes)) {
        if (box->isChecked())
            checked.append(box->property(kItemProperty).toString());
    }
    UpdateCheckBox(CategoryFilter(m_categories, m_members, checked));
}

QStringList ClassBox::CategoryFilter(QStringList categories, QStringList members, QStringList checked)
{
    // Screens common to every checked category, in the order of the largest
    // one. Membership is by whole ';' item: "s1" is not in "s12;s13".
    QList<QStringList> working;
    int base = -1;
    for (const QString &name : qAsConst(checked)) {
        const int index = categories.indexOf(name);
        if (index < 0 || index >= members.size())
            continue;
        working.append(members.at(index).split(QLatin1Char(';'), Qt::SkipEmptyParts));
        if (base < 0 || working.last().size() > working.at(base).size())
            base = working.size() - 1;
    }
    QStringList result;
    if (base < 0)
        return result;
    // Sets: a category of a thousand screens is not walked once per screen.
    QList<QSet<QString>> sets;
    for (const QStringList &entry : qAsConst(working))
        sets.append(QSet<QString>(entry.cbegin(), entry.cend()));
    QSet<QString> taken;
    for (const QString &serial : working.at(base)) {
        if (taken.contains(serial))
            continue;
        bool everywhere = true;
        for (const QSet<QString> &entry : qAsConst(sets)) {
            if (!entry.contains(serial)) {
                everywhere = false;
                break;
            }
        }
        if (everywhere) {
            result.append(serial);
            taken.insert(serial);
        }
    }
    return result;
}

QHash<QString, int> ClassBox::serialIndex() const
{
    QHash<QString, int> index;
    index.reserve(m_serials.size());
    // The first of two equal serials wins, as a walk from the top finds it.
    for (int i = m_serials.size() - 1; i >= 0; --i)
        index.insert(m_serials.at(i), i);
    return index;
}

bool ClassBox::preselects(const QString &name, const QString &serial, const QString &label) const
{
    if (m_preselection.isEmpty())
        return true;
    // Whole values only: the current screen "s1" must not also tick "s12".
    return m_preselection == serial || m_preselection == label || m_preselection == name;
}

void ClassBox::UpdateCheckBox(QStringList serials)
{
    QVector<ScreenChoiceModel::Screen> screens;
    if (!serials.isEmpty() && !serials.first().isEmpty()) {
        screens.reserve(serials.size());
        // Names by serial once, rather than a walk of every screen per row.
        const QHash<QString, int> index = serialIndex();
        for (const QString &serial : qAsConst(serials)) {
            const int at = index.value(serial, -1);
            const QString name = at >= 0 && at < m_names.size() ? m_names.at(at) : QString();
            const QString label = screenLabel(name, serial);
            screens.append({serial, label, preselects(name, serial, label)});
        }
    }
    // Tells the confirm button.
    m_screenModel->setScreens(std::move(screens));
}

void ClassBox::slotEtatCheckbox(int state)
{
    if (state != Qt::Checked && state != Qt::Unchecked)
        return;
    m_screenModel->setAllChecked(state == Qt::Checked);
}

void ClassBox::slotCheckbox(int state)
{
    Q_UNUSED(state)
    updateConfirmState();
}

void ClassBox::updateConfirmState()
{
    if (!m_selection || !m_screenModel)
        return;
    if (m_mode == 1) {
        m_confirm->setEnabled(true);
        return;
    }
    // "Tous" ticked counts as a choice, as a ticked screen does.
    m_confirm->setEnabled(m_screenModel->allChecked() || m_screenModel->checkedCount() > 0);
}

QStringList ClassBox::BoxNumber()
{
    m_checked.clear();
    if (m_mode == 1) {
        for (QCheckBox *box : qAsConst(m_categoryBoxes)) {
            if (box->isChecked())
                m_checked.append(box->property(kItemProperty).toString());
        }
    } else {
        m_checked = m_screenModel->checkedSerials();
    }
    return m_checked;
}

void ClassBox::clearLayout(QLayout *layout)
{
    if (!layout)
        return;
    while (QLayoutItem *item = layout->takeAt(0)) {
        if (QLayout *child = item->layout())
            clearLayout(child);
        delete item;
    }
}

QString ClassBox::transPlayerToName(QString serial, QStringList serials, QStringList names)
{
    const int index = serials.indexOf(serial);
    const QString name = (index >= 0 && index < names.size()) ? names.at(index) : QString();
    return screenLabel(name, serial);
}

QString ClassBox::screenLabel(const QString &name, const QString &serial)
{
    return name + QStringLiteral(" [") + serial + QLatin1Char(']');
}

QString ClassBox::transNameToPlayer(QString label)
{
    // The serial is the last bracketed part: a screen name may hold brackets.
    const int open = label.lastIndexOf(QLatin1Char('['));
    QString serial = open < 0 ? QString() : label.mid(open + 1);
    return serial.remove(QLatin1Char(']'));
}
