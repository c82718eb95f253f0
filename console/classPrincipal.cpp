#include "classPrincipal.h"

#include "AnimationStackedWidget.h"
#include "AppGlobals.h"
#include "AccountDeployment.h"
#include "AddBoxProcedure.h"
#include "BoxDeployment.h"
#include "Checksum.h"
#include "CommandReport.h"
#include "BoxFolderDownload.h"
#include "BoxStatus.h"
#include "BoxStatusPoller.h"
#include "ClassBox.h"
#include "ClassLog.h"
#include "ClassParamS.h"
#include "ConnectionStarter.h"
#include "FolderOperations.h"
#include "HttpFileApi.h"
#include "JournalMerge.h"
#include "LargeFileUpload.h"
#include "ListTransfers.h"
#include "LoginSequence.h"
#include "MediaAlignment.h"
#include "MediaDeployment.h"
#include "PanelDialogs.h"
#include "MessageOverlay.h"
#include "PanelMetrics.h"
#include "PosterPanel.h"
#include "ScreenCatalog.h"
#include "RevisionCounters.h"
#include "ScreenChooser.h"
#include "StartupSequence.h"
#include "TimeScale.h"
#include "TimerProcess.h"
#include "TransferLists.h"
#include "TransferProgress.h"
#include "TransferSlots.h"
#include "UserRights.h"
#include "WorkFolders.h"
#include "qmlvideoplayer.h"
#include "classAjoutBox.h"
#include "classVersion.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSysInfo>
#include <QTextCodec>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kLogName = QStringLiteral("OrvexLog");

void logLine(const QString &text)
{
    ClassLog().log(kLogName, text);
}

void logFunction(const char *name)
{
    logLine(QStringLiteral("Fonction: %1()").arg(QLatin1String(name)));
}

int scaledSize(int base)
{
    return qMax(1, int(float(base) * FontRatio));
}

QPixmap scaledPicture(const QString &path, int width, int height)
{
    return QPixmap(path).scaled(qMax(1, width), qMax(1, height), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

classPrincipal::classPrincipal(QWidget *parent)
    : QWidget(parent)
{
    setMinimumSize(1920, 1080);

    m_titleFont = QFont(QStringLiteral("Avenir"), 20, 75);
    m_boldFont = QFont(QStringLiteral("Avenir"), scaledSize(13), 75);
    m_smallFont = QFont(QStringLiteral("Avenir"), scaledSize(10), 50);
    m_listFont = QFont(QStringLiteral("Avenir"));
    m_statusFont = QFont(QStringLiteral("Avenir"));

    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));

    // The other pages copy the work folder in their constructors: the top
    // window builds this panel first.
    ApplicationPath = ClassParamS::getNewPath(QString());
    qDebug().noquote() << "ApplicationPathDir: " + ApplicationPath;
    // Kept apart from the global: a second console in the same process has its own.
    m_workFolder = ApplicationPath;

    classVersion version;
    m_background = new QLabel(this);
    m_background->setPixmap(scaledPicture(version.Background(), 1920, 1080));
    m_dimming = new QLabel(this);
    m_dimming->setPixmap(scaledPicture(QStringLiteral(":/images/BackgroundMessage.png"), 1920, 1080));
    m_dimming->setObjectName(QStringLiteral("dimming"));
    m_dimming->setVisible(true);
    m_statusLine = new QLabel(tr("Appuyez sur connecter pour commencer..."), this);
    m_statusLine->setObjectName(QStringLiteral("statusLine"));
    m_statusLine->setVisible(true);
    m_infoLabel = new QLabel(this);
    m_infoLabel->setFont(m_smallFont);
    m_noticeLabel = new QLabel;
    m_noticeLabel->setObjectName(QStringLiteral("noticeLabel"));
    m_titleLabel = new QLabel(version.Model() + QLatin1Char(' ') + version.Version(), this);
    m_titleLabel->setFont(m_titleFont);
    m_logoLabel = new QLabel(this);
    m_logoLabel->setStyleSheet(QStringLiteral("color:rgba(157,157,157,100%);background-color:rgba(0,0,0,0%);"));
    m_clockLabel = new QLabel(this);
    m_clockLabel->setObjectName(QStringLiteral("clockLabel"));

    m_ajoutBox = new classAjoutBox(this);
    m_ajoutBox->hide();
    connect(this, &classPrincipal::signalResize, m_ajoutBox, &classAjoutBox::slotResize);
    connect(this, &classPrincipal::signalListFichier, m_ajoutBox, &classAjoutBox::slotListFichier);
    connect(m_ajoutBox, &classAjoutBox::signalGetListFile, this, &classPrincipal::slotListProductionFile);
    connect(m_ajoutBox, &classAjoutBox::signalPutFile, this, &classPrincipal::slotPutFile);
    connect(this, &classPrincipal::signalPutFileFinish, m_ajoutBox, &classAjoutBox::slotPutFileFinish);
    connect(m_ajoutBox, &classAjoutBox::signalMkdir, this, &classPrincipal::slotMkdir);
    connect(this, &classPrincipal::signalMkdirFinish, m_ajoutBox, &classAjoutBox::slotMkdirFinish);
    connect(m_ajoutBox, &classAjoutBox::signalGetFile, this, &classPrincipal::slotGetFile);
    connect(this, &classPrincipal::signalGetFileFinish, m_ajoutBox, &classAjoutBox::slotGetFileFinish);
    connect(this, &classPrincipal::signalPresenceBox, m_ajoutBox, &classAjoutBox::slotPresenceBOX);
    connect(this, &classPrincipal::signalCurrentCategory, m_ajoutBox, &classAjoutBox::slotSelectionCategory);
    connect(m_ajoutBox, &classAjoutBox::signalMessageOnlyOFF, this, &classPrincipal::MessageOnlyOFF);

    auto *clock = new QTimer(this);
    clock->start(1000);
    connect(clock, &QTimer::timeout, this, &classPrincipal::slotActualiserTemps);

    m_timerCheckFile = makeTimer(1);
    connect(m_timerCheckFile, &QTimer::timeout, this, &classPrincipal::slotCheckFile);
    m_timerLogin = makeTimer(1);
    connect(m_timerLogin, &QTimer::timeout, this, &classPrincipal::slotLoginUtilisateur);
    m_timerDeploy = makeTimer(50);
    connect(m_timerDeploy, &QTimer::timeout, this, &classPrincipal::slotProcessDeploy);
    m_timerDeployLogin = makeTimer(50);
    connect(m_timerDeployLogin, &QTimer::timeout, this, &classPrincipal::slotProcessDeployLogin);
    m_timerDeployMedia = makeTimer(50);
    connect(m_timerDeployMedia, &QTimer::timeout, this, &classPrincipal::slotProcessDeployMedia);
    m_timerDeployCommande = makeTimer(50);
    connect(m_timerDeployCommande, &QTimer::timeout, this, &classPrincipal::slotProcessDeployCommandeTimer);
    m_timerDeployInfoMedia = makeTimer(50);
    connect(m_timerDeployInfoMedia, &QTimer::timeout, this, &classPrincipal::slotProcessDeployInfoMediaTimer);
    m_timerDeployAlerte = makeTimer(10);
    connect(m_timerDeployAlerte, &QTimer::timeout, this, &classPrincipal::slotProcessDeployAlerteTime);
    m_timerUpdateTimeMedia = makeTimer(1);
    connect(m_timerUpdateTimeMedia, &QTimer::timeout, this, &classPrincipal::SlotUpdateTimeMedia);
    m_timerFichierVideo = makeTimer(1);
    connect(m_timerFichierVideo, &QTimer::timeout, this, &classPrincipal::SlotFichierVideo);
    m_timerItemSlide = makeTimer(1);
    connect(m_timerItemSlide, &QTimer::timeout, this, &classPrincipal::slotItemSlideTime);
    m_timerFolder = makeTimer(1);
    connect(m_timerFolder, &QTimer::timeout, this, &classPrincipal::slotProcessFolder);
    m_timerRelayout = makeTimer(10);
    connect(m_timerRelayout, &QTimer::timeout, this, &classPrincipal::updateScreensTime);
    m_timerGrosFichier = makeTimer(10);
    m_timerStatusBoitier = makeTimer(10);
    connect(m_timerStatusBoitier, &QTimer::timeout, this, &classPrincipal::slotDemandeStatusBoitier);
    m_timerRelanceStatus = makeTimer(TimeScale::ms(300000));
    connect(m_timerRelanceStatus, &QTimer::timeout, this, &classPrincipal::slotRelanceStatusBoitier);
    m_statusPoller = new BoxStatusPoller(m_timerStatusBoitier, m_timerRelanceStatus, this);
    connect(m_statusPoller, &BoxStatusPoller::entriesReady, this, [this](const QStringList &entries) {
        m_statusEntries = entries;
        SlotUpdateCategorie(m_chooser->currentGroupEntry());
    });

    m_toolFrame = new QFrame(this);
    m_toolFrame->setFrameShape(QFrame::NoFrame);
    m_headerFrame = new QFrame(this);
    m_headerFrame->setFrameShape(QFrame::NoFrame);
    m_posterFrame = new QFrame(this);
    m_posterFrame->setFrameShape(QFrame::StyledPanel);

    createToolButtons();

    CreationMessage();
    CreationDossier();
    CreateMessageSimple();

    m_chooser = new ScreenChooser(m_btnAjouterEcran, m_btnRenommerEcran, m_titleFont, m_boldFont, this);
    m_posterList = new QListWidget(this);
    m_posterList->setObjectName(QStringLiteral("posterList"));
    m_posterList->setFont(m_titleFont);
    m_posterList->setFocusPolicy(Qt::NoFocus);
    m_hiddenLabel = new QLabel(this);
    m_hiddenLabel->hide();

    m_timerDownloadBox = makeTimer(10);
    m_timerDownloadStatus = makeTimer(10);
    m_timerTransfer = new QTimer(this);
    m_timeoutA = new TimerProcess;
    m_timeoutB = new TimerProcess;
    CreationTransfer();

    CreationINFO();

    m_panelCaption = new QLabel(tr("PANNEAU DE CONTROLE"), this);
    m_panelCaption->setFont(m_smallFont);
    m_panelCaption->hide();

    buildLayouts();
    CreationSession();
    setWindowTitle(version.TitreFenetre());
    auto *root = new QGridLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->addWidget(m_background, 0, 0);
    root->addWidget(m_dimming, 0, 0);

    m_posterKeys = QStringList{
        QStringLiteral("SLIDETYPE"),         QStringLiteral("SLIDEDELAY"),        QStringLiteral("SLIDENAMEIMAGE"),
        QStringLiteral("SLIDENAMEIMAGECHK"), QStringLiteral("SLIDENAMEVIDEO"),    QStringLiteral("SLIDENAMEVIDEOCHK"),
        QStringLiteral("SLIDENAMETXT"),      QStringLiteral("SLIDENAMETXTCHK"),   QStringLiteral("SLIDEOPACITY"),
        QStringLiteral("DATEDEBUT"),         QStringLiteral("HEUREDEBUT"),        QStringLiteral("DATEFIN"),
        QStringLiteral("HEUREFIN"),          QStringLiteral("NOMAFFICHE"),        QStringLiteral("DATEDEBUT1"),
        QStringLiteral("HEUREDEBUT1"),       QStringLiteral("DATEFIN1"),          QStringLiteral("HEUREFIN1"),
        QStringLiteral("JOURSSEMAINE"),      QStringLiteral("JOURSSEMAINE1"),     QStringLiteral("NUMEROECRAN"),
        QStringLiteral("SLIDERSSADRESSE"),   QStringLiteral("SLIDERSSDELAY"),     QStringLiteral("WIDGETMETEOZIP"),
        QStringLiteral("WIDGETMETEOLANGUE"), QStringLiteral("WIDGETMETEOCITY")};

    connect(m_timerDownloadStatus, &QTimer::timeout, this, &classPrincipal::slotDownloadFileStatus);
    connect(m_timerDownloadBox, &QTimer::timeout, this, &classPrincipal::slotDownloadFileBox);
    connect(m_chooser->screensList(), &QListWidget::itemSelectionChanged, this, &classPrincipal::slotItemSelection);
    connect(m_posterList, &QListWidget::itemSelectionChanged, this, &classPrincipal::slotItemSlide);
    qDebug() << "connect slotItemSlide()";
    connect(this, &classPrincipal::resizeEvent, this, &classPrincipal::updateScreens);

    // Nothing else starts here: the start-up machine leads to the login.
    m_timerCheckFile->start();
}

classPrincipal::~classPrincipal()
{
    delete m_timeoutA;
    delete m_timeoutB;
    delete m_dialogs;
}

QSize classPrincipal::sizeHint() const
{
    return QSize(1280, 720);
}

QString classPrincipal::workPath(const QString &relative) const
{
    return m_workFolder + relative;
}

QTimer *classPrincipal::makeTimer(int interval)
{
    auto *timer = new QTimer(this);
    timer->setInterval(interval);
    return timer;
}

void classPrincipal::createToolButtons()
{
    struct Spec {
        QToolButton *classPrincipal::*member;
        const char *label;
        const char *icon;
        bool enabled;
        bool visible;
        void (classPrincipal::*slot)();
    };
    static const Spec specs[] = {
        {&classPrincipal::m_btnUser, "", "user.png", true, true, &classPrincipal::SlotSupprimerCompte},
        // Wired by ConnectionStarter (CreationTransfer): one login per run.
        {&classPrincipal::m_btnConnecter, QT_TR_NOOP("Connecter"), "Connect.png", true, false, nullptr},
        {&classPrincipal::m_btnAdministration, QT_TR_NOOP("Administration"), "Admin.png", true, false,
         &classPrincipal::slotAdministration},
        {&classPrincipal::m_btnMediatheque, QT_TR_NOOP("Médiathèque"), "Mediatheque.png", false, true,
         &classPrincipal::slotMedia},
        {&classPrincipal::m_btnStatistiques, QT_TR_NOOP("Statistiques"), "Stat.png", false, true,
         &classPrincipal::slotStatistiques},
        {&classPrincipal::m_btnInformations, QT_TR_NOOP("Informations"), "Parametres.png", false, true,
         &classPrincipal::slotInformations},
        {&classPrincipal::m_btnOrientation, QT_TR_NOOP("Orientation"), "Paysage.png", false, true,
         &classPrincipal::slotOrientation},
        {&classPrincipal::m_btnAlimentation, QT_TR_NOOP("Alimentation"), "PowerON.png", false, true,
         &classPrincipal::slotPower},
        {&classPrincipal::m_btnAjouter, QT_TR_NOOP("Ajouter"), "Plus.png", false, true,
         &classPrincipal::slotAjouterSlide},
        {&classPrincipal::m_btnSupprimer, QT_TR_NOOP("Supprimer"), "Moins.png", false, true,
         &classPrincipal::slotSupprimerSlide},
        {&classPrincipal::m_btnMonter, QT_TR_NOOP("Monter"), "Monter.png", false, true,
         &classPrincipal::slotMonterSlide},
        {&classPrincipal::m_btnDescendre, QT_TR_NOOP("Descendre"), "Descendre.png", false, true,
         &classPrincipal::slotDescendreSlide},
        {&classPrincipal::m_btnRenommer, QT_TR_NOOP("Renommer"), "Rename.png", false, true,
         &classPrincipal::slotRenommerSlide},
        {&classPrincipal::m_btnEditer, QT_TR_NOOP("Editer"), "Txt.png", false, true, &classPrincipal::slotTextEdit},
        {&classPrincipal::m_btnDateHeure, QT_TR_NOOP("Date/Heure"), "Calendar.png", false, true,
         &classPrincipal::slotCalendar},
        {&classPrincipal::m_btnReseaux, QT_TR_NOOP("Réseaux"), "web.png", false, true, &classPrincipal::slotReseaux},
        {&classPrincipal::m_btnSpeciales, QT_TR_NOOP("Spéciales"), "Widget.png", false, false,
         &classPrincipal::slotWidget},
        {&classPrincipal::m_btnTactile, QT_TR_NOOP("Tactile"), "InteractionOui.png", false, false,
         &classPrincipal::slotTactile},
        {&classPrincipal::m_btnVisualiser, QT_TR_NOOP("Visualiser"), "Play.png", false, true,
         &classPrincipal::slotPrevisualiser},
        {&classPrincipal::m_btnDeployer, QT_TR_NOOP("Déployer"), "Deploy.png", false, true,
         &classPrincipal::slotDeploiement},
        {&classPrincipal::m_btnQuitter, QT_TR_NOOP("Quitter"), "Quit.png", true, true, &classPrincipal::slotQuit},
        {&classPrincipal::m_btnAlerte, QT_TR_NOOP("Alerte"), "Alerte.png", true, true, &classPrincipal::slotAlerte},
        {&classPrincipal::m_btnPermuter, QT_TR_NOOP("Permuter"), "Switch.png", true, true,
         &classPrincipal::slotSwitch},
        {&classPrincipal::m_btnAjouterEcran, QT_TR_NOOP("Ajouter un Ecran"), "Plus.png", true, true, nullptr},
        {&classPrincipal::m_btnRenommerEcran, QT_TR_NOOP("Renommer un Ecran"), "Rename.png", false, true,
         &classPrincipal::slotRenommerBox},
    };

    for (const Spec &spec : specs) {
        auto *button = new QToolButton(this);
        if (*spec.label)
            button->setText(tr(spec.label));
        button->setFont(m_smallFont);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIcon(QIcon(QStringLiteral(":/images/") + QLatin1String(spec.icon)));
        button->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
        button->setFocusPolicy(Qt::NoFocus);
        button->setEnabled(spec.enabled);
        button->setVisible(spec.visible);
        if (spec.slot) {
            connect(button, &QToolButton::clicked, this, spec.slot);
        } else if (spec.member == &classPrincipal::m_btnAjouterEcran) {
            connect(button, &QToolButton::clicked, m_ajoutBox, &classAjoutBox::slotVisible);
            connect(m_ajoutBox, &classAjoutBox::signalClearListFile, this, &classPrincipal::slotClearListFile);
        }
        this->*spec.member = button;
        m_toolButtons << button;
    }
    m_btnVisualiser->setVisible(true);

    m_rightsButtons = {m_btnMediatheque, m_btnStatistiques, m_btnInformations, m_btnOrientation, m_btnAlimentation,
                       m_btnAjouter,     m_btnSupprimer,    m_btnMonter,       m_btnDescendre,   m_btnRenommer,
                       m_btnEditer,      m_btnDateHeure,    m_btnReseaux,      m_btnSpeciales,   m_btnVisualiser,
                       m_btnDeployer};
}

void classPrincipal::buildLayouts()
{
    auto *toolGrid = new QGridLayout(m_toolFrame);
    toolGrid->setContentsMargins(1, 1, 1, 1);
    toolGrid->setSpacing(0);
    const QList<QToolButton *> bar{m_btnAlerte,      m_btnPermuter,     m_btnUser,          m_btnAdministration,
                                   m_btnInformations, m_btnStatistiques, m_btnMediatheque,   m_btnOrientation,
                                   m_btnAlimentation, m_btnTactile,      m_btnVisualiser,    m_btnDeployer,
                                   m_btnQuitter};
    for (int column = 0; column < bar.size(); ++column)
        toolGrid->addWidget(bar.at(column), 0, column);

    auto *header = new QGridLayout(m_headerFrame);
    header->setSpacing(0);
    header->addWidget(m_logoLabel, 0, 0, 2, 1, Qt::AlignLeft);
    header->addWidget(m_titleLabel, 0, 1, Qt::AlignCenter);
    header->addWidget(m_infoLabel, 1, 1, Qt::AlignCenter);
    auto *clockGrid = new QGridLayout;
    clockGrid->setSpacing(5);
    clockGrid->addWidget(m_clockLabel, 0, 2);
    const QList<QLabel *> power = m_posters->powerLabels();
    clockGrid->addWidget(power.at(0), 1, 0);
    clockGrid->addWidget(power.at(2), 1, 1);
    clockGrid->addWidget(power.at(1), 2, 0, 1, 2);
    clockGrid->addWidget(m_posters->powerCaption(), 1, 2, 2, 1);
    header->addLayout(clockGrid, 0, 2, 2, 1, Qt::AlignRight);

    m_panelStack = new AnimationStackedWidget(this);
    m_panelStack->setObjectName(QStringLiteral("panelStack"));
    m_panelStack->setFocusPolicy(Qt::NoFocus);
    m_panelStack->addWidget(m_chooser);
    m_panelStack->addWidget(m_posterFrame);
    m_panelStack->setCurrentIndex(0);
    m_panelStack->hide();

    auto *main = new QGridLayout(m_background);
    main->setContentsMargins(5, 5, 5, 5);
    main->setSpacing(5);
    main->addWidget(m_headerFrame, 0, 0, 1, 2);
    main->addWidget(m_panelStack, 1, 0, 1, 2);
    main->addWidget(m_toolFrame, 2, 0, 1, 2);
    main->addWidget(m_statusLine, 3, 0);
    main->addWidget(m_noticeLabel, 3, 1, Qt::AlignRight);
    main->setRowStretch(0, 1);
    main->setRowStretch(1, 50);
    main->setRowStretch(2, 1);
    main->setRowStretch(3, 1);
}

void classPrincipal::CreationINFO()
{
    m_playlistsLabel = new QLabel;
    m_playlistsLabel->hide();

    PosterPanel::Host host;
    host.panel = this;
    host.posterFrame = m_posterFrame;
    host.posterList = m_posterList;
    host.screensList = m_chooser->screensList();
    host.playlistsLabel = m_playlistsLabel;
    host.dimming = m_dimming;
    host.itemSlideTimer = m_timerItemSlide;
    host.paramPlayer = &m_paramPlayer;
    host.paramPlaylist = &m_paramPlaylist;
    for (QToolButton *button : qAsConst(m_toolButtons)) {
        if (!button->text().isEmpty())
            host.buttons.append(qMakePair(button->text(), static_cast<QAbstractButton *>(button)));
    }
    // The download and the category switch drop this same connection.
    host.wirePosterList = [this](bool on) {
        if (on)
            connect(m_posterList, &QListWidget::itemSelectionChanged, this, &classPrincipal::slotItemSlide,
                    Qt::UniqueConnection);
        else
            disconnect(m_posterList, &QListWidget::itemSelectionChanged, this, &classPrincipal::slotItemSlide);
    };
    host.accountName = [this] { return m_account.accountName; };
    host.deployRunning = [this] { return m_accountDeploy && (m_accountDeploy->running() || m_mediaDeploy->running()); };
    host.maxPosterCount = [this] { return m_maxPosterCount; };
    host.panelSize = [this] { return QSize(m_width, m_height); };
    m_posters = new PosterPanel(host, this);
    m_posters->setMaxDisplayTime(m_maxDisplayTime);

    connect(m_posters, &PosterPanel::signalCalendar, this, &classPrincipal::signalCalendar);
    connect(m_posters, &PosterPanel::signalupdateReseaux, this, &classPrincipal::signalupdateReseaux);
    connect(m_posters, &PosterPanel::signalUpdateWidget, this, &classPrincipal::signalUpdateWidget);
    connect(m_posters, &PosterPanel::signalAfficheInfo, this, &classPrincipal::signalAfficheInfo);
    connect(m_posters, &PosterPanel::signalGetString, this, &classPrincipal::signalGetString);
    connect(m_posters, &PosterPanel::signalButton, this, &classPrincipal::signalButton);
    connect(m_posters, &PosterPanel::signalResize, this, &classPrincipal::signalResize);
    connect(m_posters, &PosterPanel::signalResize2, this, &classPrincipal::signalResize2);
}

// ---------------------------------------------------------------------------
// Relayout, clock, keys

void classPrincipal::updateScreens()
{
    m_relayoutTick = 0;
    m_timerRelayout->start();
}

void classPrincipal::updateScreensTime()
{
    if (m_relayoutTick == 0) {
        m_relayoutTick = 1;
        return;
    }
    if (m_relayoutTick != 1) {
        m_timerRelayout->stop();
        return;
    }
    m_relayoutTick = 2;

    m_width = width();
    m_height = height();
    const PanelMetrics metrics(m_width, m_height, FontRatio);
    classVersion version;

    m_listFont = QFont(QStringLiteral("Avenir"), metrics.listPointSize(), 50);
    m_statusFont = QFont(QStringLiteral("Avenir"), metrics.statusPointSize(), 50);
    const QFont captionFont(QStringLiteral("Avenir"), metrics.captionPointSize(), 75);
    const QFont textFont(QStringLiteral("Avenir"), metrics.textPointSize(), 50);

    m_background->setPixmap(scaledPicture(version.Background(), m_width - 3, m_height - 3));
    m_statusIconSize = metrics.statusIconSize();

    for (QToolButton *button : qAsConst(m_toolButtons)) {
        button->setIconSize(metrics.toolIconSize());
        button->setFont(textFont);
    }

    m_chooser->relayout(metrics, m_listFont, textFont);

    for (QLabel *label : {m_statusLine, m_noticeLabel, m_titleLabel, m_infoLabel, m_hiddenLabel})
        label->setFont(textFont);
    m_noticeLabel->setStyleSheet(QStringLiteral("color:rgba(0,0,0,100%);background-color:rgba(255,255,0,50%);"));

    m_overlay->relayout(metrics);
    m_dimming->setPixmap(scaledPicture(QStringLiteral(":/images/BackgroundMessage.png"), m_width - 3, m_height - 3));

    m_logoLabel->setPixmap(QPixmap(version.Logo()).scaled(metrics.logoBox(), Qt::KeepAspectRatio,
                                                          Qt::SmoothTransformation));
    m_clockLabel->setFont(textFont);

    m_posters->applyFonts(m_listFont, captionFont, textFont, QSize(m_width / 20, m_height / 20));
    InfoPlayer();

    m_posterList->setFont(m_listFont);
    m_playlistsLabel->setFont(textFont);

    emit signalResize(m_width, m_height, m_rotation);
    qDebug().noquote() << QStringLiteral("**************************EMIT RESIZE Hauteur=%1 Largeur=%2"
                                         "***************************")
                              .arg(m_height)
                              .arg(m_width);
}

void classPrincipal::slotActualiserTemps()
{
    m_clockLabel->setText(QLocale().toString(QDateTime::currentDateTime(),
                                             QStringLiteral("'Le' dddd dd MMMM yyyy, hh:mm:ss")));
}

void classPrincipal::slotMinimumSize(int w, int h)
{
    setMinimumSize(w, h);
    setMaximumSize(w, h);
}

void classPrincipal::keyPressEvent(QKeyEvent *event)
{
    const int rows = m_posterList->count();
    const int row = m_posterList->currentRow();
    switch (event->key()) {
    case Qt::Key_Down:
        if (rows >= 1 && row < rows - 1)
            m_posterList->setCurrentRow(row < 0 ? 0 : row + 1);
        break;
    case Qt::Key_Up:
        if (rows >= 1 && row >= 1)
            m_posterList->setCurrentRow(row - 1);
        break;
    default:
        // Escape included: closing the hub would leave an empty window.
        break;
    }
}

// ---------------------------------------------------------------------------
// Navigation

void classPrincipal::slotInformations()
{
    logFunction("slotInformations");
    emit signalButton(1);
}

void classPrincipal::slotStatistiques()
{
    logFunction("slotStatistiques");
    emit signalButton(2);
}

void classPrincipal::slotMedia()
{
    logFunction("slotMedia");
    emit signalButton(3);
}

void classPrincipal::slotPrevisualiser()
{
    logFunction("slotPrevisualiser");
    m_posters->videoPreview()->stop();
    emit signalButton(5);
}

void classPrincipal::slotAdministration()
{
    logFunction("slotAdministration");
    // What the page's edits start from: the server holding it is no change either.
    m_accountDeploy->keepLoginBase();
    emit SignalUpdateAdmin(m_chooser->screensList());
    emit signalButton(6);
}

void classPrincipal::slotCalendar()
{
    logFunction("slotCalendar");
    emit signalButton(7);
}

void classPrincipal::slotReseaux()
{
    logFunction("slotReseaux");
    emit signalButton(8);
}

void classPrincipal::slotQuit()
{
    logFunction("slotQuit");
    emit signalButton(9);
}

void classPrincipal::slotAlerte()
{
    logFunction("slotAlerte");
    emit signalButton(10);
}

void classPrincipal::slotWidget()
{
    logFunction("slotWidget");
    emit signalButton(11);
}

void classPrincipal::slotOrientation()
{
    logFunction("slotOrientation");
    emit signalUpdateInfoEcran(m_posterList->currentRow());
    emit signalButton(12);
}

void classPrincipal::slotTactile()
{
    logFunction("slotTactile");
    emit signalButton(13);
}

void classPrincipal::slotPower()
{
    logFunction("slotPower");
    emit signalButton(14);
}

void classPrincipal::slotDeploiement()
{
    logFunction("slotDeploiement");
    m_boxDeploy->start();
}

void classPrincipal::slotSwitch()
{
    m_pageFlag = m_pageFlag != 0 ? 0 : 1;
    m_panelStack->slideIndex(m_pageFlag);
}

void classPrincipal::slotEcran()
{
    InfoPlayer();
    slotItemSlide();
}

void classPrincipal::slotClearListFile()
{
    m_http->lists()->clearTransferFiles();
}

// ---------------------------------------------------------------------------
// Message band and simple message panel

void classPrincipal::CreationMessage()
{
    m_overlay = new MessageOverlay(m_dimming, this);
    connect(m_overlay->cancelButton(), &QPushButton::clicked, this, &classPrincipal::SlotBouttonMessageAnnuler);
}

void classPrincipal::MessageOnlyON(QString text, double overall, double file, bool progress, bool busy)
{
    m_overlay->showMessage(text, overall, file, progress, busy);
}

void classPrincipal::MessageOnlyOFF()
{
    m_overlay->hideMessage();
}

void classPrincipal::SlotBouttonMessageAnnuler()
{
    // The fetch it may have left waiting must not answer the next one.
    if (m_boxDeploy->cancel())
        m_media->reset();
    m_http->setUploadState(10);
    m_overlay->hideMessage();
}

void classPrincipal::CreateMessageSimple()
{
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    m_simplePanel = new QWidget(this);
    m_simplePanel->setMinimumSize(screen);
    m_simpleLabel = new QLabel;
    m_simpleLabel->setFont(QFont(QStringLiteral("Avenir"), scaledSize(screen.height() / 55), 50));
    m_simpleLabel->setStyleSheet(QStringLiteral("color:rgba(255,255,255,100%);background-color:rgba(0,0,0,0%);"));
    m_simpleBackground = new QLabel;
    m_simpleBackground->setPixmap(
        scaledPicture(QStringLiteral(":/images/BackgroundMessage.png"), screen.width(), screen.height()));
    auto *grid = new QGridLayout(m_simpleBackground);
    grid->addWidget(m_simpleLabel, 0, 0, Qt::AlignHCenter | Qt::AlignVCenter);
    auto *box = new QVBoxLayout(m_simplePanel);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(m_simpleBackground);
    m_simpleLabel->hide();
    m_simplePanel->hide();
}

void classPrincipal::MessageSimple(QString text)
{
    m_simpleLabel->setText(text);
    m_simplePanel->show();
    m_simpleLabel->show();
}

void classPrincipal::MessageSimpleOFF()
{
    m_simplePanel->hide();
    m_simpleLabel->hide();
}

void classPrincipal::showError(const QString &text) { m_dialogs->box(text, ClassBox::Error); }

void classPrincipal::stopWithMessage(QTimer *timer, const QString &text)
{
    timer->stop();
    logLine(QStringLiteral("Erreur: ") + text);
    showError(text);
    // Leave the reason on screen: nothing else can go on.
    MessageOnlyON(text, 0, 0, false, false);
}

// ---------------------------------------------------------------------------
// Work folders and rights

void classPrincipal::CreationDossier()
{
    const QStringList failed = WorkFolders::create(m_workFolder);
    if (failed.isEmpty())
        return;
    const QString text = tr("Dossiers de travail impossibles à créer dans %1: %2")
                             .arg(m_workFolder, failed.join(QStringLiteral(", ")));
    qWarning().noquote() << text;
    logLine(text);
    m_statusLine->setText(text);
}

bool classPrincipal::RemoveFiles(QString folder)
{
    QStringList left;
    const bool allGone = WorkFolders::removeFiles(folder, &left);
    if (!allGone)
        logLine(QStringLiteral("Suppression du fichier impossible: ") + folder + left.join(QStringLiteral(", ")));
    return allGone;
}

void classPrincipal::updateUserPermission(QString permission)
{
    const UserRights rights = UserRights::fromRow(permission, m_account.localMode, QSysInfo::productType());
    for (int i = 0; i < m_rightsButtons.size(); ++i)
        m_rightsButtons.at(i)->setVisible(rights.isGranted(i));
    if (rights.showsTactile())
        m_btnTactile->show();
    if (rights.hasMaxDisplayTime()) {
        m_maxDisplayTime = rights.maxDisplayTime();
        m_posters->setMaxDisplayTime(m_maxDisplayTime);
    }
    if (rights.hasMaxPosters())
        m_maxPosterCount = rights.maxPosters();
}

// ---------------------------------------------------------------------------
// Categories and screens

void classPrincipal::updateUserToCategorie()
{
    m_paramLogin.getParamCrypt(workPath(QStringLiteral("LoginCrypt.orvex")), QStringList{QStringLiteral("ALL")}, 0);
    QStringList entries;
    if (!ScreenCatalog(m_paramLogin.BALISE).permissionEntries(m_userName, &entries))
        return;
    QListWidget *groups = m_chooser->groupList();
    disconnect(groups, &QListWidget::currentTextChanged, this, &classPrincipal::SlotCategorie);
    updateCategorie(entries);
    if (groups->count() > 0)
        groups->setCurrentRow(0);
    connect(groups, &QListWidget::currentTextChanged, this, &classPrincipal::SlotCategorie, Qt::UniqueConnection);
    if (groups->count() > 0)
        SlotCategorie(groups->item(0)->text());
}

void classPrincipal::updateCategorie(QStringList entries)
{
    m_chooser->setCategories(entries, height(), m_listFont);
}

void classPrincipal::SlotCategoriePartie1(QString Text)
{
    m_chooser->showGroup(Text);
}

void classPrincipal::SlotCategoriePartie2(QString Text)
{
    m_chooser->chooseMember(Text);
}

void classPrincipal::SlotCategorie(QString Text)
{
    disconnect(m_posterList, &QListWidget::itemSelectionChanged, this, &classPrincipal::slotItemSlide);
    m_posterList->setEnabled(false);
    qDebug() << "SlotCategorie-->disconnect slotItemSlide()";
    // The previous screen's poster tools must not act on another category.
    ActiveSlide(false);

    m_pageFlag = 0;
    m_panelStack->slideIndex(0);

    if (!Text.isEmpty()) {
        {
            // Dropping the choice must not fetch the old screen once more.
            const QSignalBlocker blocker(m_chooser->screensList());
            m_chooser->screensList()->clearSelection();
            m_chooser->screensList()->setCurrentRow(-1);
        }
        m_chooser->screenNames()->clearSelection();
        // Only a change of category drops the screen being fetched.
        cancelBoxDownload();
        // Nothing may name or describe the screen that is no longer chosen.
        m_noticeLabel->clear();
        m_posters->clearSchedule();
        SlotUpdateCategorie(Text);
    }
    emit signalCurrentCategory(Text);
}

void classPrincipal::cancelBoxDownload()
{
    if (!m_boxDownload->running())
        return;
    m_boxDownload->cancel();
    posterListLive(true);
}

void classPrincipal::posterListLive(bool live)
{
    if (live)
        connect(m_posterList, &QListWidget::itemSelectionChanged, this, &classPrincipal::slotItemSlide,
                Qt::UniqueConnection);
    else
        disconnect(m_posterList, &QListWidget::itemSelectionChanged, this, &classPrincipal::slotItemSlide);
    qDebug() << (live ? "connect slotItemSlide()" : "disconnect slotItemSlide()");
    m_posterList->setEnabled(live);
}

// Also the status refresh: it keeps the chosen screen, and the download of
// that screen, going.
void classPrincipal::SlotUpdateCategorie(QString Text)
{
    const QString chosen = m_chooser->currentScreen();
    const bool renameEnabled = m_btnRenommerEcran->isEnabled();
    m_chooser->fillScreens(Text, ScreenCatalog(m_paramLogin.BALISE), m_statusEntries, m_statusFont,
                           m_statusIconSize);
    if (Text != QLatin1String("PLAYLIST"))
        m_timerStatusBoitier->start();
    m_btnRenommerEcran->setEnabled(false);
    if (!chosen.isEmpty() && m_chooser->restoreScreen(chosen))
        m_btnRenommerEcran->setEnabled(renameEnabled);
}

QWidget *classPrincipal::CreateMyItem(QString name, QString serial, QString status)
{
    return m_chooser->createItem(name, serial, status, m_statusFont, m_statusIconSize);
}

QStringList classPrincipal::transStatusBoxToList(QString text)
{
    return BoxStatus::parseReply(text.toUtf8());
}

QString classPrincipal::transListToStatusBox(QString serial)
{
    return BoxStatus::entryFor(m_statusEntries, serial);
}

bool classPrincipal::transOperationToFile(QString indexFile, QString journalFile)
{
    return JournalMerge::mergeMedia(indexFile, journalFile);
}

bool classPrincipal::transOperationToFileAdmin(QString indexFile, QString journalFile)
{
    return JournalMerge::mergeAdmin(indexFile, journalFile);
}

void classPrincipal::slotItemSelection()
{
    const QString text = m_chooser->currentScreen();
    if (!m_chooser->screensList()->currentItem())
        return;
    logLine(QStringLiteral("Fonction: slotItemSelection() ListDir: ") + text);

    m_boxDownload->start();
    m_chooser->screenNames()->setCurrentRow(m_chooser->screensList()->currentRow());
    showScreenNotice();
}

void classPrincipal::showScreenNotice()
{
    const QString text = m_chooser->currentScreen();
    if (!text.contains(QLatin1String("PLAYLIST-"))) {
        m_noticeLabel->setText(QStringLiteral("Groupe: <b>") + m_chooser->currentGroupEntry()
                               + QStringLiteral("</b> Ecran:<b>") + m_chooser->currentScreenName()
                               + QStringLiteral("</b> n°:<b>") + text + QStringLiteral("</b>"));
    } else {
        m_noticeLabel->setText(QStringLiteral("Nom de la playlist: <b>")
                               + QString(text).remove(QStringLiteral("PLAYLIST-")) + QStringLiteral("</b>"));
    }
}

void classPrincipal::slotItemPosition()
{
    m_chooser->screensList()->setCurrentRow(m_chooser->screenNames()->currentRow());
}

void classPrincipal::slotRenommerBox()
{
    QString problem;
    if (m_chooser->renameCurrentScreen(m_paramLogin, workPath(QStringLiteral("LoginCrypt.orvex")), width(), height(),
                                       &problem)) {
        showScreenNotice();
        slotProcessDeployFile(0);
    }
    else if (!problem.isEmpty())
        showError(problem);
}

void classPrincipal::slotListProductionFile(QString Folder)
{
    m_http->setDownloadState(0);
    m_http->lists()->clearTransferFiles();
    scanFile(QStringLiteral("/zolink/zobox/") + Folder);
    qDebug().noquote() << "SlotList-Chemin:" + m_account.accountPath + QLatin1Char('/') + Folder;
}

// ---------------------------------------------------------------------------
// Posters of the chosen screen

void classPrincipal::AfficheINFO()
{
    m_posters->AfficheINFO();
    m_posterCount = m_posters->posterCount();
}

void classPrincipal::InfoPlayer()
{
    m_posters->InfoPlayer();
    m_rotation = m_posters->zoneOrientation();
    m_previewWidth = m_posters->previewWidth();
    m_previewHeight = m_posters->previewHeight();
}

// Poster list, detail and media lists: the mechanics live in PosterPanel.
QList<QStringList> classPrincipal::GetSlideFromFile() { return m_posters->GetSlideFromFile(); }
void classPrincipal::SetSlideToFile(QList<QStringList> records) { m_posters->SetSlideToFile(records); }
void classPrincipal::UpdateSlideNumber() { m_posters->UpdateSlideNumber(); }
void classPrincipal::UpdateFileNumber(int n) { m_posters->UpdateFileNumber(n); }
QString classPrincipal::GetSlideStringFromFile(QString key, int index)
{
    return m_posters->GetSlideStringFromFile(key, index);
}
bool classPrincipal::SetSlideStringToFile(QString key, int index, QString value)
{
    return m_posters->SetSlideStringToFile(key, index, value);
}
void classPrincipal::ActiveWidget(bool on) { m_posters->ActiveWidget(on); }
void classPrincipal::ActiveSlide(bool on) { m_posters->ActiveSlide(on); }
void classPrincipal::SelectFichier() { m_posters->SelectFichier(); }
QString classPrincipal::transNumeroJoursToQString(QString digits)
{
    return m_posters->transNumeroJoursToQString(digits);
}
void classPrincipal::UpdateMedia() { m_posters->UpdateMedia(); }
int classPrincipal::SelectFichierDansLaListe(QString path) { return m_posters->SelectFichierDansLaListe(path); }
void classPrincipal::ImagePictureVisible(bool visible) { m_posters->ImagePictureVisible(visible); }
void classPrincipal::SetOpacityImage(int percent) { m_posters->SetOpacityImage(percent); }
void classPrincipal::createListFile(QStringList names, QString prefix)
{
    // An empty list leaves the one being sent alone.
    if (names.isEmpty())
        return;
    for (QString &name : names)
        name.remove(prefix);
    m_http->lists()->setTransferFiles(names);
}
void classPrincipal::transQStringToEcran(QString rotation, QString zones)
{
    m_posters->transQStringToEcran(rotation, zones);
}
void classPrincipal::InfoEcran() { m_posters->InfoEcran(); }

void classPrincipal::slotAjouterSlide()
{
    m_posters->slotAjouterSlide();
    m_posterCount = m_posters->posterCount();
}

void classPrincipal::slotSupprimerSlide()
{
    m_posters->slotSupprimerSlide();
    m_posterCount = m_posters->posterCount();
}

void classPrincipal::slotMonterSlide() { m_posters->slotMonterSlide(); }
void classPrincipal::slotDescendreSlide() { m_posters->slotDescendreSlide(); }
void classPrincipal::slotRenommerSlide() { m_posters->slotRenommerSlide(); }
void classPrincipal::slotTextEdit() { m_posters->slotTextEdit(); }
void classPrincipal::slotItemSlide() { m_posters->slotItemSlide(); }
void classPrincipal::slotItemSlideTime() { m_posters->slotItemSlideTime(); }
void classPrincipal::slotInitVideo() { m_posters->slotInitVideo(); }
void classPrincipal::slotNewMedia(int type, QString nameFile) { m_posters->slotNewMedia(type, nameFile); }
void classPrincipal::slotSupprimeMedia(int type, QString NameToRemove)
{
    m_posters->slotSupprimeMedia(type, NameToRemove);
}
void classPrincipal::SlotNewWidget(QString ListWidget) { m_posters->SlotNewWidget(ListWidget); }

void classPrincipal::SlotUpdateTimeMedia()
{
    m_timerUpdateTimeMedia->stop();
}

void classPrincipal::SlotFichierVideo() { m_posters->SlotFichierVideo(); }
void classPrincipal::SlotFichierImage() { m_posters->SlotFichierImage(); }
void classPrincipal::SlotFichierTexte() { m_posters->SlotFichierTexte(); }
void classPrincipal::SlotSliderOpacity(int value) { m_posters->SlotSliderOpacity(value); }
void classPrincipal::SlotSliderTempsDiffusion(int value) { m_posters->SlotSliderTempsDiffusion(value); }
void classPrincipal::SlotClavierOpacity() { m_posters->SlotClavierOpacity(); }
void classPrincipal::SlotClavierTempsDiffusion() { m_posters->SlotClavierTempsDiffusion(); }
void classPrincipal::slotChoixEcran() { m_posters->slotChoixEcran(); }
void classPrincipal::SetString(int IndiceSlideToSave) { m_posters->SetString(IndiceSlideToSave); }
void classPrincipal::slotInteraction() { m_posters->slotInteraction(); }

// ---------------------------------------------------------------------------
// Start-up and login on a local account tree

void classPrincipal::slotCheckFile() { m_startup->slotCheckFile(); }
void classPrincipal::connectOrDisconnect() { m_starter->connectOrDisconnect(); }
void classPrincipal::startProgram() { m_starter->startProgram(); }
void classPrincipal::ErreurLoginUtilisateur(QString text) { m_loginSequence->ErreurLoginUtilisateur(text); }
void classPrincipal::slotLoginUtilisateur() { m_loginSequence->slotLoginUtilisateur(); }
void classPrincipal::slotUpdateMediaFinish() { m_loginSequence->slotUpdateMediaFinish(); }
bool classPrincipal::slotTelechargerFichier(QString DossierLocal, QString FichierAtelecharge, QString DossierFTP,
                                            QString FichierCHK)
{
    return m_media->slotTelechargerFichier(DossierLocal, FichierAtelecharge, DossierFTP, FichierCHK);
}
QStringList classPrincipal::UserToList(QString user, QString key) { return m_media->UserToList(user, key); }
void classPrincipal::RemoveLocalFile(QString folder, QStringList keep) { m_media->RemoveLocalFile(folder, keep); }
bool classPrincipal::checkCreateFolderFtp() { return m_media->checkCreateFolderFtp(); }

// The start-up and the login; the panel shows what they ask of its widgets.
void classPrincipal::CreationSession()
{
    m_dialogs = new PanelDialogs(this, m_dimming);
    m_startup = new StartupSequence(m_http, m_transferSlots, &m_paramConnexion, m_dialogs, m_timerCheckFile, this);
    m_startup->setWorkFolder(m_workFolder);
    connect(m_startup, &StartupSequence::signalMessageOnlyON, this, &classPrincipal::MessageOnlyON);
    connect(m_startup, &StartupSequence::signalAccountRead, this, [this] {
        m_account = m_startup->account();
        m_http->setAccountFolder(m_account.accountPath);
        m_http->setLocalMode(m_account.localMode, m_account.localRoot);
        m_http->setWorkFolder(m_workFolder);
        m_largeUpload->setAccount(m_account.ftpServer, m_account.ftpLogin, m_account.ftpPassword, m_account.accountPath);
        m_loginSequence->setAccount(m_account.accountName, m_account.localRoot, m_account.mediaSize);
        m_loginSequence->setForgetRefusedAccount(m_startup->fetchedByName());
    });
    connect(m_startup, &StartupSequence::signalConnect, m_btnConnecter, &QToolButton::click);
    connect(m_startup, &StartupSequence::signalQuit, qApp, &QCoreApplication::quit, Qt::QueuedConnection);

    m_media = new MediaAlignment(m_http, &m_paramLogin, &m_paramMedia, this);
    m_media->setWorkFolder(m_workFolder);
    connect(m_media, &MediaAlignment::SignalFirstFileSize, this, &classPrincipal::SignalFirstFileSize);
    connect(m_media, &MediaAlignment::signalMessage, this,
            [this](QString title, QString text, bool critical) { m_dialogs->message(title, text, critical); });
    // A local file error ends the deployment whose download it was, once.
    connect(m_media, &MediaAlignment::signalError, m_boxDeploy, &BoxDeployment::downloadFailed);
    connect(m_media, &MediaAlignment::signalError, m_accountDeploy, &JournalDeployment::downloadFailed);
    connect(m_media, &MediaAlignment::signalError, m_mediaDeploy, &JournalDeployment::downloadFailed);
    m_loginSequence = new LoginSequence(m_http, m_media, m_revisions, &m_paramLogin, &m_paramMedia, &m_paramConnexion,
                                        m_dialogs, m_timerLogin, this);
    m_loginSequence->setWorkFolder(m_workFolder);
    LoginSequence *login = m_loginSequence;
    connect(login, &LoginSequence::signalMessageOnlyON, this, &classPrincipal::MessageOnlyON);
    connect(login, &LoginSequence::signalMessageOnlyOFF, this, &classPrincipal::MessageOnlyOFF);
    connect(login, &LoginSequence::signalMessageSimpleOFF, this, &classPrincipal::MessageSimpleOFF);
    connect(login, &LoginSequence::signalUserButton, m_btnUser, &QToolButton::setText);
    connect(login, &LoginSequence::SignalMediaSize, this, &classPrincipal::SignalMediaSize);
    connect(login, &LoginSequence::SignalUpdateMediaFile, this, &classPrincipal::SignalUpdateMediaFile);
    connect(login, &LoginSequence::signalCategories, this, [this](QStringList categories) {
        updateCategorie(categories);
        QListWidget *groups = m_chooser->groupList();
        connect(groups, &QListWidget::currentTextChanged, this, &classPrincipal::SlotCategorie, Qt::UniqueConnection);
        if (groups->count() > 0) {
            groups->setCurrentRow(0);
            SlotCategorie(groups->item(0)->text());
        }
    });
    connect(login, &LoginSequence::signalPermission, this, &classPrincipal::updateUserPermission);
    connect(login, &LoginSequence::signalAdministration, m_btnAdministration, &QWidget::setVisible);
    connect(login, &LoginSequence::signalHideCategories, m_chooser->groupList(), &QWidget::hide);
    connect(login, &LoginSequence::SignalUserLogin, this, [this](QString user, QString type) {
        // The login file just fetched: what the server held when this console read it.
        m_accountDeploy->setLoginReference(CalculChecksum(workPath(QStringLiteral("LoginCrypt.orvex"))));
        m_userName = user;
        m_userType = type;
        emit SignalUserLogin(user, type);
    });
    connect(login, &LoginSequence::signalUpdateMedia, this, &classPrincipal::UpdateMedia);
    connect(login, &LoginSequence::signalFinished, m_panelStack, &QWidget::show);
}

void classPrincipal::slotDownloadFileBox() { m_boxDownload->slotDownloadFileBox(); }

// ---------------------------------------------------------------------------
// Server transfer layer: HttpFileApi, TransferProgress, TransferSlots and
// ConnectionStarter do the work; the panel shows it on its widgets.

void classPrincipal::CreationTransfer()
{
    m_http = new HttpFileApi(this);
    m_progress = new TransferProgress(m_http, this);
    m_transferSlots = new TransferSlots(m_http, this);
    m_starter = new ConnectionStarter(this);
    m_statusPoller->setHttpApi(m_http);

    connect(m_http, &HttpFileApi::signalListFichier, this, &classPrincipal::signalListFichier);
    connect(m_http, &HttpFileApi::signalGetFileFinish, this, &classPrincipal::signalGetFileFinish);
    connect(m_http, &HttpFileApi::signalSupprimerFichier, this, &classPrincipal::signalSupprimerFichier);
    connect(m_http, &HttpFileApi::signalPutFileFinish, this, &classPrincipal::signalPutFileFinish);
    connect(m_http, &HttpFileApi::signalMkdirFinish, this, &classPrincipal::signalMkdirFinish);
    connect(m_http, &HttpFileApi::signalPresenceBox, this, &classPrincipal::signalPresenceBox);
    // The add-a-box steps stop on a failed transfer, not only on a late one.
    connect(m_http, &HttpFileApi::signalTransferEnded, m_ajoutBox, &classAjoutBox::slotTransferEnded);
    connect(m_http, &HttpFileApi::signalStatusLabel, m_statusLine, &QLabel::setText);
    // Only the new rows get the folder icons: the others keep their status.
    connect(m_http->lists(), &TransferLists::signalBoxAdded, this, [this](QString folder, QString name) {
        m_chooser->screensList()->addItem(new QListWidgetItem(QIcon(QStringLiteral(":/images/dir.png")), folder));
        m_chooser->screenNames()->addItem(new QListWidgetItem(QIcon(QStringLiteral(":/images/Position2.png")), name));
    });
    connect(m_http, &HttpFileApi::signalInvalidUrl, this, [this](QString url, QString error) {
        QMessageBox::information(this, tr("Error"), tr("Invalid URL: %1: %2").arg(url, error));
    });
    // Files of 128,000,000 bytes or more go over FTP, on the 10 ms timer.
    m_largeUpload = new LargeFileUpload(m_http, m_timerGrosFichier, this);
    connect(m_largeUpload, &LargeFileUpload::signalInformation, this,
            [this](QString title, QString text) { QMessageBox::information(this, title, text); });
    connect(m_largeUpload, &LargeFileUpload::signalConnectError, this, &classPrincipal::showError);
    connect(m_largeUpload, &LargeFileUpload::signalMessageOnlyOFF, this, &classPrincipal::MessageOnlyOFF);
    // The failed upload then ends its list sequence, which stops the deployments.
    connect(m_largeUpload, &LargeFileUpload::signalMessageProblem, this, [this](QString text) { showError(text); });
    connect(m_largeUpload, &LargeFileUpload::signalConnecterReady, this, [this] {
        m_btnConnecter->setEnabled(true);
        m_btnConnecter->setText(tr("Connecter"));
        m_btnConnecter->setIcon(QIcon(QStringLiteral(":/images/Connect.png")));
    });

    connect(m_progress, &TransferProgress::signalMessageOnlyON, this, &classPrincipal::MessageOnlyON);
    // Direct: MessageErreurConnexion returns only once the box is closed.
    connect(m_progress, &TransferProgress::signalErreurConnexion, this,
            [this](int, QString text) { showError(text); }, Qt::DirectConnection);
    connect(m_transferSlots, &TransferSlots::signalImpossibleSauvegarder, this, [this](QString message) {
        QMessageBox::information(this, tr("FTP"), message);
        // Restarting a login that is not running would empty TEMP and its
        // journals under the add-a-box page or the start-up.
        if (m_timerLogin->isActive())
            ErreurLoginUtilisateur(QStringLiteral("Impossible de sauvegarder le fichier"));
    });

    connect(m_starter, &ConnectionStarter::signalButtonIcon, this,
            [this](QString icon) { m_btnConnecter->setIcon(QIcon(icon)); });
    connect(m_starter, &ConnectionStarter::signalStartLogin, m_timerLogin, QOverload<>::of(&QTimer::start));
    m_starter->attachButton(m_btnConnecter);
    // The label shows only what the API holds: an emptied text reaches it.
    m_http->setStatusLabel(m_statusLine->text());
    CreationSequences();
}

// The transfer sequences, folder operations, box downloads and revision
// counters; the panel only shows what they ask of its widgets.
void classPrincipal::CreationSequences()
{
    m_lists = new ListTransfers(m_http, this);
    m_lists->setSelectedBox([this] { return m_chooser->currentScreen(); });
    m_lists->setListUploadStarted([this] { m_overlay->cancelButton()->hide(); });
    // Direct: the error box is modal inside the caller's tick.
    connect(m_lists, &ListTransfers::sequenceFailed, this, [this](int code) {
        m_boxDeploy->sequenceFailed();
        m_accountDeploy->sequenceFailed();
        m_mediaDeploy->sequenceFailed();
        m_commands->sequenceFailed();
        if (code > 0)
            MessageErreurConnexion(code);
    }, Qt::DirectConnection);
    connect(m_lists, &ListTransfers::signalImpossibleSauvegarder, this,
            [this](QString text) { QMessageBox::information(this, tr("FTP"), text); });

    m_folders = new FolderOperations(m_http, m_lists, m_transferSlots, m_timerFolder, this);
    m_folders->setWorkFolder(m_workFolder);
    connect(m_folders, &FolderOperations::signalMessageOnlyON, this, &classPrincipal::MessageOnlyON);
    connect(m_folders, &FolderOperations::signalMessageOnlyOFF, this, &classPrincipal::MessageOnlyOFF);
    connect(m_folders, &FolderOperations::signalInformation, this,
            [this](QString title, QString text) { QMessageBox::information(this, title, text); });
    connect(m_folders, &FolderOperations::signalFinished, this, [this] { m_accountDeploy->folderOperationEnded(); });

    m_revisions = new RevisionCounters(&m_paramPlayer, &m_paramMedia, this);
    m_revisions->setWorkFolder(m_workFolder);
    m_revisions->setQuestion([this](const QString &text) { return m_dialogs->ask(text); });

    m_boxDownload = new BoxFolderDownload(m_http, m_lists, m_progress, m_revisions, m_timerDownloadBox,
                                          m_timerDownloadStatus, this);
    m_boxDownload->setWorkFolder(m_workFolder);
    m_statusPoller->setHoldWhile([this] { return m_boxDownload->running(); });
    connect(m_boxDownload, &BoxFolderDownload::signalBegin, this, [this] {
        posterListLive(false);
        // Adding a box passes its files through DATA, over the chosen
        // screen's: it comes before any screen is chosen.
        m_btnAjouterEcran->setEnabled(false);
        m_btnAjouterEcran->setToolTip(tr("Un écran a été choisi: pour ajouter un écran, redémarrez l'application "
                                         "et ajoutez-le avant de choisir un écran."));
        m_btnRenommerEcran->setEnabled(true);
        slotSwitch();
    });
    connect(m_boxDownload, &BoxFolderDownload::signalCleared, this, [this] {
        m_btnStatistiques->setEnabled(false);
        for (QToolButton *button : {m_btnAjouter, m_btnSupprimer, m_btnMonter, m_btnDescendre, m_btnRenommer,
                                    m_btnEditer, m_btnDateHeure, m_btnReseaux, m_btnSpeciales, m_btnTactile,
                                    m_btnOrientation, m_btnAlimentation, m_btnVisualiser, m_btnDeployer})
            button->setEnabled(false);
        m_posterList->clear();
    });
    connect(m_boxDownload, &BoxFolderDownload::signalArrived, this, [this](bool refresh) {
        posterListLive(true);
        if (refresh)
            AfficheINFO();
    });
    connect(m_boxDownload, &BoxFolderDownload::signalLayout, this, &classPrincipal::InfoPlayer);
    connect(m_boxDownload, &BoxFolderDownload::signalFailed, this, [this] {
        posterListLive(true);
        // Back to the screens: there are no posters to show.
        if (m_pageFlag != 0)
            slotSwitch();
    });
    connect(m_boxDownload, &BoxFolderDownload::signalReplaced, this, &classPrincipal::showInfo);
    connect(m_boxDownload, &BoxFolderDownload::signalMessageOnlyON, this, &classPrincipal::MessageOnlyON);
    connect(m_boxDownload, &BoxFolderDownload::signalMessageOnlyOFF, this, &classPrincipal::MessageOnlyOFF);
    connect(m_boxDownload, &BoxFolderDownload::signalStatusEstMiseAJour, this,
            &classPrincipal::signalStatusEstMiseAJour);
    connect(m_boxDownload, &BoxFolderDownload::signalErreurConnexion, this, &classPrincipal::MessageErreurConnexion,
            Qt::DirectConnection);
    CreationDeploiement();
}

// The box deployment; the panel answers the box choice and shows the rest.
void classPrincipal::CreationDeploiement()
{
    const auto download = [this](QString local, QString name, QString folder, QString chk) {
        return slotTelechargerFichier(local, name, folder, chk);
    };
    m_boxDeploy = new BoxDeployment(m_http, m_lists, m_revisions, &m_paramPlayer, m_timerDeploy, this);
    m_boxDeploy->setWorkFolder(m_workFolder);
    m_boxDeploy->setSelectedBox([this] { return m_chooser->currentScreen(); });
    m_boxDeploy->setChooser([this](QStringList *targets) { return SelectBox(targets); });
    m_boxDeploy->setDownloader(download);
    connect(m_boxDeploy, &BoxDeployment::signalMessageOnlyON, this, &classPrincipal::MessageOnlyON);
    connect(m_boxDeploy, &BoxDeployment::signalMessageOnlyOFF, this, &classPrincipal::MessageOnlyOFF);
    connect(m_boxDeploy, &BoxDeployment::signalDeployBox, this, [this](QString box) {
        m_overlay->deployIcon()->setVisible(!box.isEmpty());
        m_overlay->titleLabel()->setText(box);
        m_overlay->titleLabel()->setVisible(!box.isEmpty());
    });
    // Direct: the publication page saves the picture before this returns.
    connect(m_boxDeploy, &BoxDeployment::signalUpdateHDImage, this, &classPrincipal::signalUpdateHDImage,
            Qt::DirectConnection);
    connect(m_boxDeploy, &BoxDeployment::signalError, this,
            [this](QString text) { QMessageBox::critical(nullptr, QStringLiteral("Erreur"), text); },
            Qt::DirectConnection);
    connect(m_boxDeploy, &BoxDeployment::signalErreurConnexion, this, &classPrincipal::MessageErreurConnexion,
            Qt::DirectConnection);
    connect(m_boxDeploy, &BoxDeployment::signalTermine, this, [this] { MessageTermine(); slotSwitch(); },
            Qt::DirectConnection);
    m_accountDeploy = new AccountDeployment(m_http, m_lists, m_revisions, &m_paramLogin, m_timerDeployLogin, this);
    // The add-a-box page sends the login file itself and reads it back.
    connect(m_ajoutBox->procedure(), &AddBoxProcedure::signalLoginStored, m_accountDeploy,
            &AccountDeployment::setLoginReference);
    m_mediaDeploy = new MediaDeployment(m_http, m_lists, m_timerDeployMedia, this);
    m_commands = new CommandReport(m_http, m_lists, m_timerDeployCommande, m_timerDeployAlerte, this);
    m_accountDeploy->setMerge([this](QString index, QString journal) { return transOperationToFileAdmin(index, journal); });
    m_mediaDeploy->setMerge([this](QString index, QString journal) { return transOperationToFile(index, journal); });
    m_mediaDeploy->setAdminMerge(&JournalMerge::mergeAdmin);
    // Media the box deployment's index lost keep their posters and merge again after it.
    m_boxDeploy->setKeptMedia([this](QString index) { return m_mediaDeploy->keptRecordsLost(index); });
    connect(m_boxDeploy, &BoxDeployment::signalTermine, m_mediaDeploy, &MediaDeployment::handOnNothing,
            Qt::QueuedConnection);
    m_mediaDeploy->setSelectedBox([this] { return m_chooser->currentScreen(); });
    m_commands->setSelectedBox([this] { return m_chooser->currentScreen(); });
    connect(m_accountDeploy, &AccountDeployment::signalMessageOnlyOFF, this, &classPrincipal::MessageOnlyOFF);
    connect(m_mediaDeploy, &MediaDeployment::signalMessageOnlyOFF, this, &classPrincipal::MessageOnlyOFF);
    connect(m_commands, &CommandReport::signalMessageOnlyOFF, this, &classPrincipal::MessageOnlyOFF);
    m_accountDeploy->setWorkFolder(m_workFolder);
    m_mediaDeploy->setWorkFolder(m_workFolder);
    m_commands->setWorkFolder(m_workFolder);
    m_accountDeploy->setDownloader(download);
    m_mediaDeploy->setDownloader(download);
    // One transfer list and server folder: a box download and a deployment take turns.
    m_boxDownload->setOtherRun([this] { return m_accountDeploy->running() || m_mediaDeploy->running(); });
    for (JournalDeployment *run : std::initializer_list<JournalDeployment *>{m_accountDeploy, m_mediaDeploy})
        run->setWaitWhile([this] { return m_boxDownload->holdsTransfers(); });
    connect(m_accountDeploy, &AccountDeployment::signalMessageOnlyON, this, &classPrincipal::MessageOnlyON);
    connect(m_commands, &CommandReport::signalMessageOnlyON, this, &classPrincipal::MessageOnlyON);
    connect(m_accountDeploy, &AccountDeployment::signalDeployBox, m_boxDeploy, &BoxDeployment::signalDeployBox);
    connect(m_accountDeploy, &AccountDeployment::signalBegin, this, [this] { deployButtons(false); });
    connect(m_mediaDeploy, &MediaDeployment::signalBegin, this, [this] { deployButtons(false); });
    connect(m_accountDeploy, &AccountDeployment::signalFinished, this, [this] { deployButtons(false); });
    connect(m_mediaDeploy, &MediaDeployment::signalFinished, this, [this] { deployButtons(true); });
    connect(m_accountDeploy, &AccountDeployment::signalCorrupt, this, &classPrincipal::showError, Qt::DirectConnection);
    connect(m_mediaDeploy, &MediaDeployment::signalCorrupt, this, &classPrincipal::showError, Qt::DirectConnection);
    connect(m_accountDeploy, &AccountDeployment::signalErreurConnexion, this, &classPrincipal::MessageErreurConnexion,
            Qt::DirectConnection);
    connect(m_mediaDeploy, &MediaDeployment::signalErreurConnexion, this, &classPrincipal::MessageErreurConnexion,
            Qt::DirectConnection);
    const auto information = [this](QString title, QString text) { QMessageBox::information(this, title, text); };
    connect(m_accountDeploy, &AccountDeployment::signalInformation, this, information);
    connect(m_accountDeploy, &AccountDeployment::signalLoginChanged, this,
            [this] { showInfo(AccountDeployment::loginChangedText()); });
    connect(m_commands, &CommandReport::signalInformation, this, information);
    connect(m_commands, &CommandReport::signalTermineReboot, this, [this] {
        showInfo(tr("Commande envoyée!!! Le boitîer va redémarrer dans environ 30 secondes!!!"));
    }, Qt::DirectConnection);
    connect(m_commands, &CommandReport::signalTermineAlerte, this, [this] {
        showInfo(tr("Envoi du rapport terminé!!! Orvex vous remercie pour votra aide!!!"));
    }, Qt::DirectConnection);
}

// The end of the account (false) or media (true) deployment, or the start
// of either (both false while it runs).
void classPrincipal::deployButtons(bool all)
{
    const bool idle = !m_accountDeploy->running() && !m_mediaDeploy->running();
    const bool screen = idle && m_chooser->screensList()->currentItem() != nullptr;
    m_btnAdministration->setEnabled(idle);
    for (QToolButton *button : {m_btnStatistiques, m_btnMediatheque, m_btnEditer, m_btnDeployer})
        button->setEnabled(all ? idle : screen);
}

bool classPrincipal::SelectBox(QStringList *targets)
{
    m_boxDeploy->setAccountName(m_account.accountName);
    m_paramLogin.getParamCrypt(workPath(QStringLiteral("LoginCrypt.orvex")), QStringList{QStringLiteral("ALL")}, 0);
    const QString category = m_chooser->currentGroupEntry();
    if (category == QLatin1String("PLAYLIST")) {
        *targets << m_chooser->currentScreen();
        return true;
    }
    QStringList items, names, elements;
    for (int i = 0; i < m_chooser->groupList()->count(); ++i)
        items << m_chooser->groupList()->item(i)->text();
    BoxDeployment::choiceLists(&m_paramLogin, items, &names, &elements);
    ClassBox box(names, elements, category, m_paramLogin.getInfoBalise(QStringLiteral("PLAYERLIST")).split('|'),
                 m_paramLogin.getInfoBalise(QStringLiteral("PLAYERLISTNAME")).split('|'), m_chooser->currentScreen(),
                 width(), height(), 0, this);
    m_dimming->show();
    const bool go = box.exec() >= 0 && box.text() == 0;
    m_dimming->hide();
    if (go) {
        setFocus(Qt::OtherFocusReason);
        *targets = box.BoxNumber();
    }
    return go;
}

void classPrincipal::MessageTermine() { showInfo(tr("Déploiement terminé avec succés!!")); }
void classPrincipal::showInfo(const QString &text) { m_dialogs->box(text, ClassBox::Information); }

bool classPrincipal::FtpGetListFile(QString localFolder) { return m_lists->FtpGetListFile(localFolder); }
bool classPrincipal::FtpPutListFile(QString localFolder) { return m_lists->FtpPutListFile(localFolder); }
bool classPrincipal::FtpPutOneFile(QString localPath, QString name) { return m_lists->FtpPutOneFile(localPath, name); }
bool classPrincipal::FtpRemoveListFile() { return m_lists->FtpRemoveListFile(); }
bool classPrincipal::RemoveDir(QString folder) { return m_lists->RemoveDir(folder); }
void classPrincipal::downloadFile(QString FolderDestination, bool RemoveFile)
{
    m_lists->downloadFile(FolderDestination, RemoveFile);
}
void classPrincipal::getIDfilePlayer() { m_revisions->getIDfilePlayer(); }
void classPrincipal::getIDfileMedia() { m_revisions->getIDfileMedia(); }
bool classPrincipal::checkIDfile(QString file, int expected) { return m_revisions->checkIDfile(file, expected); }
void classPrincipal::AjouteIDfilePlayer() { m_revisions->AjouteIDfilePlayer(); }
void classPrincipal::AjouteIDfileMedia() { m_revisions->AjouteIDfileMedia(); }

void classPrincipal::scanFile(QString path) { m_http->scanFile(path); }
void classPrincipal::downloadFileHttp(QString serverPath, QString name) { m_http->downloadFileHttp(serverPath, name); }
void classPrincipal::doUploadFileHttp(QString name, QString localFolder, QString destPath)
{
    m_http->doUploadFileHttp(name, localFolder, destPath);
}
void classPrincipal::renameDirFileHttp(QString oldPath, QString newPath)
{
    m_http->renameDirFileHttp(oldPath, newPath);
}
void classPrincipal::deleteFileHttp(QString path) { m_http->deleteFileHttp(path); }
void classPrincipal::deleteDirHttp(QString path) { m_http->deleteDirHttp(path); }
void classPrincipal::createDirHttp(QString path) { m_http->createDirHttp(path); }
void classPrincipal::statusCompte(QString account) { m_http->statusCompte(account); }
void classPrincipal::addToListHttp(QStringList names) { m_http->lists()->addToListHttp(names); }
QStringList classPrincipal::transArrayToList(QByteArray reply) { return TransferLists::transArrayToList(reply); }
void classPrincipal::MessageErreurConnexion(int code) { m_progress->MessageErreurConnexion(code); }
void classPrincipal::updateDataTransferProgress(qint64 readBytes, qint64 totalBytes)
{
    m_progress->updateDataTransferProgress(readBytes, totalBytes);
}

// ---------------------------------------------------------------------------
// Server transfers, deployments and commands: the panel answers the pages'
// requests; the transfers themselves come with the server connection.

void classPrincipal::slotDownloadStatus() { m_boxDownload->slotDownloadStatus(); }
void classPrincipal::slotDownloadFileStatus() { m_boxDownload->slotDownloadFileStatus(); }

void classPrincipal::slotDemandeStatusBoitier()
{
    if (m_statusPoller->stepIndex() == 0)
        m_statusPoller->setAccount(m_account.accountName, m_account.localMode, m_account.serverFolder());
    m_statusPoller->step();
}

void classPrincipal::slotRelanceStatusBoitier()
{
    m_statusPoller->relaunch();
}

void classPrincipal::slotProcessFolder() { m_folders->slotProcessFolder(); }
void classPrincipal::slotFolder(int Status, QString Folder, QString newFolder)
{
    m_folders->slotFolder(Status, Folder, newFolder);
}

void classPrincipal::EnvoiGrosFichier() { m_largeUpload->EnvoiGrosFichier(); }
void classPrincipal::connectToFtp() { m_largeUpload->connectToFtp(); }
void classPrincipal::ftpCommandStarted(int commandId) { m_largeUpload->ftpCommandStarted(commandId); }
void classPrincipal::ftpCommandFinished(int commandId, bool error) { m_largeUpload->ftpCommandFinished(commandId, error); }
void classPrincipal::stateChanged(int state) { m_largeUpload->stateChanged(state); }

void classPrincipal::slotPutFile(QString fileNameOrigin, QString FolderDestination, QString fileNameDestination)
{
    m_transferSlots->slotPutFile(fileNameOrigin, FolderDestination, fileNameDestination);
}

void classPrincipal::slotMkdir(QString Folder) { m_transferSlots->slotMkdir(Folder); }

void classPrincipal::slotGetFile(QString FolderFtp, QString fileNameFtp, QString FolderDestination,
                                 QString fileNameDestination)
{
    m_transferSlots->slotGetFile(FolderFtp, fileNameFtp, FolderDestination, fileNameDestination);
}

void classPrincipal::slotProcessDeploy() { m_boxDeploy->slotProcessDeploy(); }

void classPrincipal::slotProcessDeployLogin() { m_accountDeploy->slotProcessDeployLogin(); }
void classPrincipal::slotProcessDeployMedia() { m_mediaDeploy->slotProcessDeployMedia(); }
void classPrincipal::slotProcessDeployCommandeTimer() { m_commands->slotProcessDeployCommandeTimer(); }
void classPrincipal::slotProcessDeployInfoMediaTimer() { m_timerDeployInfoMedia->stop(); }
void classPrincipal::slotProcessDeployAlerteTime() { m_commands->slotProcessDeployAlerteTime(); }

void classPrincipal::slotProcessDeployFile(int status)
{
    logFunction("slotProcessDeployFile");
    updateUserToCategorie();
    m_accountDeploy->start(status);
}

void classPrincipal::slotProcessDeployCommande(QString Command)
{
    logFunction("slotProcessDeployCommande");
    m_commands->slotProcessDeployCommande(Command);
}

void classPrincipal::slotProcessDeployMediaFile(QStringList NewMediaImage, QStringList DeleteMediaImage,
                                                QStringList NewMediaVideo, QStringList DeleteMediaVideo,
                                                QStringList NewMediaText, QStringList DeleteMediaText, bool Modif)
{
    logFunction("slotProcessDeployMediaFile");
    m_mediaDeploy->start(NewMediaImage, DeleteMediaImage, NewMediaVideo, DeleteMediaVideo, NewMediaText,
                         DeleteMediaText, Modif);
}

void classPrincipal::slotProcessDeployAlerte(QString FileAlerte)
{
    logFunction("slotProcessDeployAlerte");
    m_commands->slotProcessDeployAlerte(FileAlerte);
}

void classPrincipal::slotSavePictureTermine() { m_boxDeploy->slotSavePictureTermine(); }

void classPrincipal::SlotSupprimerCompte() { m_startup->SlotSupprimerCompte(); }
