#include "ZoManager.h"

#include "AccountDeployment.h"
#include "AppGlobals.h"
#include "BoxDeployment.h"
#include "AnimationStackedWidget.h"
#include "ClassAlerte.h"
#include "ClassLog.h"
#include "ClassMedia.h"
#include "HttpFileApi.h"
#include "JournalMerge.h"
#include "LoginSequence.h"
#include "MediaDeployment.h"
#include "MediaLibrary.h"
#include "PageCodes.h"
#include "PendingAdminDeploy.h"
#include "ServerMediaUsage.h"
#include "TextEditSimple.h"
#include "TimeScale.h"
#include "UnfinishedDeployment.h"
#include "ZoPlayer.h"
#include "classAdmin.h"
#include "classCalendar.h"
#include "classEcran.h"
#include "classInfo.h"
#include "classPower.h"
#include "classPrincipal.h"
#include "classReseaux.h"
#include "classStatistiques.h"
#include "classTactile.h"
#include "classVersion.h"
#include "classWidget.h"

#include <QCloseEvent>
#include <QDebug>
#include <QListWidget>
#include <QTimer>
#include <QMessageBox>
#include <QSysInfo>
#include <QTimer>

ZoManager::ZoManager(QWidget *parent)
    : QWidget(parent)
    , m_ios(QSysInfo::productType() == QLatin1String("ios"))
{
    setMinimumSize(1024, 720);
    classVersion version;
    setStyleSheet(version.Style());

    // The panel sets the work folder that the other pages copy.
    m_principal = new classPrincipal(this);
    m_media = new ClassMedia(this);
    m_textEdit = new TextEditSimple(this);
    m_info = new classInfo(this);
    m_admin = new classAdmin(this);
    m_calendar = new classCalendar(this);
    m_power = new classPower(this);
    m_reseaux = new classReseaux(this);
    m_widget = new classWidget(this);
    m_statistiques = new classStatistiques(this);
    m_alerte = new ClassAlerte(this);
    m_ecran = new classEcran(this);
    m_tactile = new classTactile(this);
    setWindowTitle(m_principal->windowTitle());
    // A quit during a box deployment: this start names the screens left.
    const QStringList unfinished = UnfinishedDeployment::screens(m_principal->workFolder());
    if (!unfinished.isEmpty()) {
        QTimer::singleShot(0, this, [this, unfinished] {
            UnfinishedDeployment::clear(m_principal->workFolder());
            QMessageBox::warning(this, QStringLiteral("Déploiement"), UnfinishedDeployment::text(unfinished));
        });
    }

    classPrincipal *const p = m_principal;
    connect(p, &classPrincipal::signalButton, this, &ZoManager::slotButtons);
    connect(this, &ZoManager::resizeEvent, this, &ZoManager::updateScreens);
    connect(this, &ZoManager::signalMinimumSize, p, &classPrincipal::slotMinimumSize);
    connect(this, &ZoManager::signalInitVideo, p, &classPrincipal::slotInitVideo);

    connect(p, &classPrincipal::signalResize, m_admin, &classAdmin::slotResize);
    connect(p, &classPrincipal::SignalUpdateAdmin, m_admin, &classAdmin::slotUpdateAdmin);
    connect(m_admin, &classAdmin::signalButton, this, &ZoManager::slotButtons);
    connect(m_admin, &classAdmin::signalEnvoiDeploy, p, &classPrincipal::slotProcessDeployFile);
    connect(m_admin, &classAdmin::signalFolder, p, &classPrincipal::slotFolder);
    connect(p->loginSequence(), &LoginSequence::signalAdministration, m_admin, &classAdmin::slotAdministrator);
    connect(p->accountDeployment(), &AccountDeployment::signalDeployed, m_admin, &classAdmin::slotAccountDeployed);
    connect(p->accountDeployment(), &AccountDeployment::signalLoginChanged, m_admin, &classAdmin::slotLoginReloaded);
    // Rows of the login file that the server's copy lost since this console
    // sent them go again, once the login is over and no deployment runs.
    auto *rowsToSend = new QTimer(this);
    rowsToSend->setInterval(TimeScale::ms(200));
    connect(rowsToSend, &QTimer::timeout, this, [p, rowsToSend] {
        if (p->loginSequence()->stepIndex() != 0 || p->accountDeployment()->running()
            || p->mediaDeployment()->running())
            return;
        rowsToSend->stop();
        p->slotProcessDeployFile(0);
    });
    connect(p->loginSequence(), &LoginSequence::signalLoginRowsToSend, rowsToSend,
            QOverload<>::of(&QTimer::start));
    // Queued: the box waits for the deployment's tick to end.
    connect(p->accountDeployment(), &AccountDeployment::signalLoginStored, m_admin, &classAdmin::slotLoginStored,
            Qt::QueuedConnection);

    connect(p, &classPrincipal::signalResize, m_info, &classInfo::slotResize);
    connect(p, &classPrincipal::signalAfficheInfo, m_info, &classInfo::AfficheINFO);
    connect(m_info, &classInfo::signalButton, this, &ZoManager::slotButtons);

    connect(p, &classPrincipal::signalResize, m_statistiques, &classStatistiques::slotResize);
    connect(m_statistiques, &classStatistiques::signalButton, this, &ZoManager::slotButtons);
    connect(m_statistiques, &classStatistiques::signalDownloadStatus, p, &classPrincipal::slotDownloadStatus);
    connect(p, &classPrincipal::signalStatusEstMiseAJour, m_statistiques, &classStatistiques::slotStatusEstAJour);
    connect(m_statistiques, &classStatistiques::signalCommandZobox, p, &classPrincipal::slotProcessDeployCommande);
    // A newly chosen box: the status page shows nothing of the previous one.
    connect(p, &classPrincipal::signalAfficheInfo, m_statistiques, &classStatistiques::slotClear);

    connect(p, &classPrincipal::signalResize, m_media, &ClassMedia::slotResize);
    connect(p, &classPrincipal::SignalUpdateMediaFile, m_media, &ClassMedia::slotUpdateMediaFile);
    connect(p, &classPrincipal::SignalMediaSize, m_media, &ClassMedia::slotUpdateMediaSize);
    connect(p, &classPrincipal::SignalUserLogin, m_media, &ClassMedia::slotUserLogin);
    connect(p, &classPrincipal::SignalFirstFileSize, m_media, &ClassMedia::slotFirstFileSize);
    connect(p, &classPrincipal::signalSupprimerFichier, m_media, &ClassMedia::SlotSupprimerFichierParamMedia);
    connect(m_media, &ClassMedia::signalUpdateMediaFinish, p, &classPrincipal::slotUpdateMediaFinish);
    connect(m_media, &ClassMedia::signalButton, this, &ZoManager::slotButtons);
    connect(m_media, &ClassMedia::signalNewMedia, p, &classPrincipal::slotNewMedia);
    connect(m_media, &ClassMedia::signalSupprimeMedia, p, &classPrincipal::slotSupprimeMedia);
    connect(m_media, &ClassMedia::signalMediaToSend, p, &classPrincipal::slotProcessDeployMediaFile);
    // The quota counts what the server will hold, whatever the other consoles
    // of the account sent; fetched apart from the panel's transfers.
    auto *usage = new ServerMediaUsage(ApplicationPath, m_media);
    usage->setSettings(p->httpFileApi());
    usage->setMerge(&JournalMerge::mergeMedia);
    m_media->setServerUsage(usage);
    // Published media records stay until a later fetch of the index shows
    // them; the merged index is published within the quota.
    connect(usage, &ServerMediaUsage::fetched, p->mediaDeployment(), &MediaDeployment::serverIndexFetched);
    connect(p->loginSequence(), &LoginSequence::SignalMediaSize, p->mediaDeployment(), &MediaDeployment::setQuota);
    p->mediaDeployment()->setQuotaRule(&MediaLibrary::fitsQuota);
    // A media run killed before its index went up is published after the next login.
    connect(p->loginSequence(), &LoginSequence::signalLeftoverMedia, p, &classPrincipal::slotProcessDeployMediaFile);
    connect(p->mediaDeployment(), &MediaDeployment::signalFinished, p->loginSequence(), &LoginSequence::mediaRunEnded);
    // An import sent under another name, or refused for the quota: the
    // library's lists follow, and the selected poster is shown again.
    connect(p->mediaDeployment(), &MediaDeployment::signalMediaRenamed, m_media, &ClassMedia::slotMediaRenamed);
    connect(p->mediaDeployment(), &MediaDeployment::signalMediaRenamed, p, &classPrincipal::slotItemSlide);
    connect(p->mediaDeployment(), &MediaDeployment::signalMediaWithdrawn, m_media, &ClassMedia::slotMediaWithdrawn);

    connect(p, &classPrincipal::signalGetString, m_textEdit, &TextEditSimple::slotGetString);
    connect(p, &classPrincipal::signalResize, m_textEdit, &TextEditSimple::slotResize);
    connect(m_textEdit, &TextEditSimple::signalNewImageTexte, m_media, &ClassMedia::slotNewImageTexte);
    connect(m_textEdit, &TextEditSimple::signalSupprImageTexte, m_media, &ClassMedia::slotSuppImageTexte);
    connect(m_textEdit, &TextEditSimple::signalButton, this, &ZoManager::slotButtons);

    connect(p, &classPrincipal::signalResize, m_calendar, &classCalendar::slotResize);
    connect(m_calendar, &classCalendar::signalButton, this, &ZoManager::slotButtons);
    connect(p, &classPrincipal::signalCalendar, m_calendar, &classCalendar::slotCalendarIndice);
    connect(m_calendar, &classCalendar::signalUpdateSlide, p, &classPrincipal::slotItemSlide);

    connect(p, &classPrincipal::signalResize, m_power, &classPower::slotResize);
    connect(m_power, &classPower::signalButton, this, &ZoManager::slotButtons);
    connect(p, &classPrincipal::signalCalendar, m_power, &classPower::slotCalendarIndice);
    connect(m_power, &classPower::signalUpdateSlide, p, &classPrincipal::slotItemSlide);

    connect(p, &classPrincipal::signalResize, m_reseaux, &classReseaux::slotResize);
    connect(m_reseaux, &classReseaux::signalButton, this, &ZoManager::slotButtons);
    connect(p, &classPrincipal::signalupdateReseaux, m_reseaux, &classReseaux::slotUpdateReseaux);
    connect(p, &classPrincipal::signalUpdateHDImage, m_reseaux, &classReseaux::slotUpdateHDImage);
    connect(m_reseaux, &classReseaux::signalSavePictureTermine, p, &classPrincipal::slotSavePictureTermine);

    connect(p, &classPrincipal::signalResize, m_widget, &classWidget::slotResize);
    connect(m_widget, &classWidget::signalButton, this, &ZoManager::slotButtons);
    connect(p, &classPrincipal::signalUpdateWidget, m_widget, &classWidget::slotUpdateWidget);
    connect(m_widget, &classWidget::signalNewWidget, p, &classPrincipal::SlotNewWidget);

    connect(p, &classPrincipal::signalResize, m_alerte, &ClassAlerte::slotResize);
    connect(this, &ZoManager::signalUpdateInfoAlerte, m_alerte, &ClassAlerte::slotUpdateInfoAlerte);
    connect(m_alerte, &ClassAlerte::signalButton, this, &ZoManager::slotButtons);
    connect(p, &classPrincipal::SignalUserLogin, m_alerte, &ClassAlerte::slotUserLogin);
    connect(m_alerte, &ClassAlerte::signalEnvoiAlerte, p, &classPrincipal::slotProcessDeployAlerte);

    connect(p, &classPrincipal::signalResize, m_ecran, &classEcran::slotResize);
    connect(m_ecran, &classEcran::signalButton, this, &ZoManager::slotButtons);
    connect(p, &classPrincipal::signalUpdateInfoEcran, m_ecran, &classEcran::slotUpdateInfoEcran);
    connect(m_ecran, &classEcran::signalEnvoiEcran, p, &classPrincipal::slotEcran);

    connect(p, &classPrincipal::signalResize, m_tactile, &classTactile::slotResize);
    connect(m_tactile, &classTactile::signalButton, this, &ZoManager::slotButtons);
    connect(p, &classPrincipal::signalUpdateWidget, m_tactile, &classTactile::slotUpdateWidget);

    m_player = new ZoPlayer(this);
    connect(p, &classPrincipal::signalResize2, m_player, &ZoPlayer::slotResize);
    connect(m_player, &ZoPlayer::signalButton, this, &ZoManager::slotButtons);

    if (!m_ios) {
        m_stack = new AnimationStackedWidget(this);
        m_stack->setGeometry(0, 0, 1024, 720);
        m_stack->setFocusPolicy(Qt::NoFocus);
        for (QWidget *page : {static_cast<QWidget *>(m_principal), static_cast<QWidget *>(m_admin),
                              static_cast<QWidget *>(m_info), static_cast<QWidget *>(m_statistiques),
                              static_cast<QWidget *>(m_media), static_cast<QWidget *>(m_textEdit),
                              static_cast<QWidget *>(m_calendar), static_cast<QWidget *>(m_power),
                              static_cast<QWidget *>(m_reseaux), static_cast<QWidget *>(m_widget),
                              static_cast<QWidget *>(m_alerte), static_cast<QWidget *>(m_ecran),
                              static_cast<QWidget *>(m_tactile), static_cast<QWidget *>(m_player)})
            m_stack->addWidget(page);
        m_stack->setCurrentWidget(m_principal);
        // The page closes itself when a login refuses administration; a
        // slide running then ignores that, so it is asked again at its end.
        connect(p->loginSequence(), &LoginSequence::signalAdministration, this,
                [this](bool granted) { m_leaveAdmin = !granted && m_stack->isSliding(); });
        connect(m_stack, &QStackedWidget::currentChanged, this, [this](int index) {
            const bool leave = m_leaveAdmin && m_stack->widget(index) == m_admin;
            m_leaveAdmin = false;
            if (leave)
                slotButtons(PageCodes::Panel);
        }, Qt::QueuedConnection); // the slide is over only after the signal
    } else {
        showOnly(m_principal);
    }

    ClassLog().clean();
}

ZoManager::~ZoManager() = default;

void ZoManager::showOnly(QWidget *page)
{
    for (QWidget *w : {static_cast<QWidget *>(m_principal), static_cast<QWidget *>(m_admin),
                       static_cast<QWidget *>(m_info), static_cast<QWidget *>(m_statistiques),
                       static_cast<QWidget *>(m_media), static_cast<QWidget *>(m_textEdit),
                       static_cast<QWidget *>(m_calendar), static_cast<QWidget *>(m_power),
                       static_cast<QWidget *>(m_reseaux), static_cast<QWidget *>(m_widget),
                       static_cast<QWidget *>(m_alerte), static_cast<QWidget *>(m_ecran),
                       static_cast<QWidget *>(m_player), static_cast<QWidget *>(m_tactile)})
        w->setVisible(false);
    if (page)
        page->setVisible(true);
}

void ZoManager::slotButtons(int code)
{
    if (m_ios)
        showOnly(nullptr);

    const int index = PageCodes::stackIndex(code);
    if (code == PageCodes::Quit) {
        close();
        return;
    }
    if (index < 0)
        return;
    if (code == PageCodes::Player) {
        slotZoPlayer();
        return;
    }
    // The report page is filled before it comes into view.
    if (code == PageCodes::Alerte)
        emit signalUpdateInfoAlerte();

    if (m_ios) {
        QWidget *const pages[PageCodes::PageCount] = {m_principal, m_admin,    m_info,  m_statistiques, m_media,
                                                      m_textEdit,  m_calendar, m_power, m_reseaux,      m_widget,
                                                      m_alerte,    m_ecran,    m_tactile, m_player};
        pages[index]->setVisible(true);
    } else {
        m_stack->slideIndex(index);
    }

    if (code == PageCodes::Panel)
        emit signalInitVideo();
    else if (code == PageCodes::Media)
        m_media->slotPageShown();
}

void ZoManager::slotZoPlayer()
{
    if (m_ios)
        showOnly(m_player);
    else
        m_stack->slideIndex(PageCodes::PlayerPage);
    m_player->UpdateZoPlayer();
}

void ZoManager::updateScreens()
{
    const int w = width();
    const int h = height();
    if (m_stack)
        m_stack->setGeometry(0, 0, w, h);
    emit signalMinimumSize(w, h);
}

void ZoManager::closeEvent(QCloseEvent *event)
{
    QString text = QStringLiteral("Voulez-vous vraiment quitter?\nSi vous n'avez pas déployé toutes les modifications "
                                  "seront perdues!!!");
    if (PendingAdminDeploy::isPending(ApplicationPath))
        text += QStringLiteral("\nLa dernière modification de l'administration n'a pas été envoyée au serveur: elle "
                               "sera perdue.");
    // The screens a box deployment has not yet sent to, the one under way
    // first: named by the question and, once quit, by the next start.
    BoxDeployment *deployment = m_principal->boxDeployment();
    const QStringList unfinished =
        deployment && deployment->running() ? deployment->targets() : QStringList();
    if (!unfinished.isEmpty())
        text += QStringLiteral("\nUn déploiement est en cours: il sera arrêté sans être terminé pour: ")
            + unfinished.join(QStringLiteral(", ")) + QLatin1Char('.');
    // The import holds still while the question is asked: the files it
    // names as copied are those kept.
    const bool importing = m_media->importing();
    if (importing) {
        text += QStringLiteral("\nUn import de médias est en cours: il sera arrêté; les fichiers déjà copiés restent "
                               "dans la médiathèque.");
        m_media->pauseImport(true);
    }
    QMessageBox question(QMessageBox::Question, QStringLiteral("Quitter?"), text,
                         QMessageBox::Yes | QMessageBox::No, this);
    // Without a default Qt gives Return to "Oui": a stray key must not drop undeployed work.
    question.setDefaultButton(QMessageBox::No);
    question.setEscapeButton(QMessageBox::No);
    if (question.exec() != QMessageBox::Yes) {
        m_media->pauseImport(false);
        event->ignore();
        return;
    }
    // Stopped between two files, the ones copied indexed and journalled.
    m_media->cancelImport();
    if (!unfinished.isEmpty()) {
        const QString work = m_principal->workFolder();
        if (!UnfinishedDeployment::record(work, unfinished))
            qWarning().noquote() << "Déploiement inachevé non noté:" << UnfinishedDeployment::path(work);
        deployment->cancel();
    }
    ClassLog().log(QStringLiteral("OrvexLog"),
                   QStringLiteral("*********************** FERMETURE DU PROGRAMME *****************************"));
    event->accept();
}
