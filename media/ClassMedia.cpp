#include "ClassMedia.h"

#include "AppGlobals.h"
#include "ClassBox.h"
#include "ClassParam.h"
#include "ImportJob.h"
#include "ListThumbnails.h"
#include "QRoundProgressBar.h"
#include "ServerMediaUsage.h"
#include "StandardFileDialog.h"
#include "ThumbnailLoader.h"
#include "classVersion.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char *const kBackStyle =
    "QPushButton {border-radius: 2px;border-style: outset;border-width: 1px;border-color: white;"
    "background-color:rgba(32,41,49,80%);}QPushButton:pressed {background-color:rgba(255,0,0,80%);}"
    "QPushButton:focus{ background-color: rgba(255,0,0,30%)}";
const char *const kLabelStyle = "border:white;background-color:transparent;color:white";
const char *const kTitleStyle = "color:rgba(255,255,255,100%);background-color:rgba(0,0,0,0%);";

// The page's round bars: a share in per cent, a blue arc on black.
QRoundProgressBar *roundBar(const QString &name, const QFont &font)
{
    auto *bar = new QRoundProgressBar;
    bar->setObjectName(name);
    bar->setBarStyle(QRoundProgressBar::StyleLine);
    bar->setFixedSize(80, 80);
    bar->setStyleSheet(QStringLiteral("border:white;background-color:rgb(0,0,0);color:white"));
    bar->setFont(font);
    QPalette palette = bar->palette();
    palette.setBrush(QPalette::All, QPalette::Highlight, QColor(0, 128, 255, 255));
    bar->setPalette(palette);
    bar->setFormat(QStringLiteral("%p%"));
    bar->setOutlinePenWidth(10);
    bar->setDataPenWidth(10);
    bar->setRange(0, 100);
    bar->setValue(0);
    return bar;
}

QFont avenir(int size, int weight)
{
    QFont font(QStringLiteral("Avenir"));
    font.setPointSize(qMax(1, size));
    font.setWeight(weight);
    return font;
}

QStringList loginList(ClassParam &login, const char *key)
{
    const QString value = login.getInfoBalise(QLatin1String(key));
    return value == QLatin1String("NULL") ? QStringList() : value.split(QLatin1Char('|'));
}

QString productType()
{
    return QSysInfo::productType();
}

QString firstLocation(QStandardPaths::StandardLocation where, bool last = false)
{
    const QStringList found = QStandardPaths::standardLocations(where);
    const QString folder = found.isEmpty() ? QString() : last ? found.last() : found.first();
    // A folder that is not there would open its parent with its name typed
    // in as the file to open.
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

QStringList chooseWithDialog(int type, QWidget *parent, const QString &startFolder)
{
    const QString caption = ClassMedia::tr("Ouvrir un fichier...");
    if (type == MediaLibrary::Picture && productType() == QLatin1String("ios")) {
        QFileDialog dialog;
        dialog.setDirectory(startFolder);
        dialog.exec();
        return dialog.selectedFiles();
    }
    const QString filter = type == MediaLibrary::Video
        ? ClassMedia::tr("Fichiers Vidéos(*.mp4 *.move *.avi *.MOV);;Tous (*)")
        : ClassMedia::tr("Fichiers Images(*.png *.jpg);;Tous (*)");
    return StandardFileDialog::openFileNames(parent, caption, startFolder, filter);
}

} // namespace

ClassMedia::ClassMedia(QWidget *parent)
    : QWidget(parent)
    , m_work(ApplicationPath)
    , m_library(ApplicationPath)
    , m_thumbnails(ThumbnailLoader::shared())
    , m_chooser(chooseWithDialog)
{
    setMinimumSize(1024, 720);
    refreshTimer = new QTimer(this);
    refreshTimer->setInterval(1);
    sendTimer = new QTimer(this);
    sendTimer->setInterval(50);
    connect(refreshTimer, &QTimer::timeout, this, &ClassMedia::SlotUpdateTimeMedia);
    connect(sendTimer, &QTimer::timeout, this, &ClassMedia::SlotEnvoiFile);

    buildPage();
    buildOverlay();
    const auto fileIn = [this](int type) {
        return [this, type](const QListWidgetItem *item) { return m_work + MediaLibrary::folder(type) + item->text(); };
    };
    m_pictureThumbnails = new ListThumbnails(listImage, m_thumbnails.get(), fileIn(MediaLibrary::Picture), this);
    m_textThumbnails = new ListThumbnails(listText, m_thumbnails.get(), fileIn(MediaLibrary::TextPoster), this);
    slotResize(pageWidth, pageHeight, 0);
}

ClassMedia::~ClassMedia() = default;

QToolButton *ClassMedia::toolButton(const QString &text, const QString &icon)
{
    auto *button = new QToolButton;
    button->setText(text);
    button->setIcon(QIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(70, 70));
    button->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
    button->setFocusPolicy(Qt::NoFocus);
    button->setEnabled(false);
    return button;
}

void ClassMedia::buildPage()
{
    const QFont listFont = avenir(int(FontRatio * 10), 75);
    const QFont titleFont = avenir(int(FontRatio * 15), 75);
    const QFont textFont = avenir(int(FontRatio * 15), 50);

    labelBackground = new QLabel(this);
    labelBackground->setObjectName(QStringLiteral("labelBackground"));
    frameVideo = new QFrame;
    frameImage = new QFrame;
    frameQuota = new QFrame;
    listVideo = new QListWidget(frameVideo);
    listImage = new QListWidget;
    listText = new QListWidget(this);
    listText->hide();
    listVideo->setObjectName(QStringLiteral("listVideo"));
    listImage->setObjectName(QStringLiteral("listImage"));
    listText->setObjectName(QStringLiteral("listText"));
    for (QListWidget *list : {listVideo, listImage, listText})
        list->setFont(listFont);

    btAddVideo = toolButton(tr("Ajouter"), QStringLiteral(":/images/Plus.png"));
    btAddImage = toolButton(tr("Ajouter"), QStringLiteral(":/images/Plus.png"));
    btDeleteVideo = toolButton(tr("Supprimer"), QStringLiteral(":/images/Moins.png"));
    btDeleteImage = toolButton(tr("Supprimer"), QStringLiteral(":/images/Moins.png"));
    btRightsImage = toolButton(tr("Autorisations"), QStringLiteral(":/images/Groupes.png"));
    btRightsVideo = toolButton(tr("Autorisations"), QStringLiteral(":/images/Groupes.png"));
    btAddVideo->setObjectName(QStringLiteral("btAddVideo"));
    btAddImage->setObjectName(QStringLiteral("btAddImage"));
    btDeleteVideo->setObjectName(QStringLiteral("btDeleteVideo"));
    btDeleteImage->setObjectName(QStringLiteral("btDeleteImage"));
    btRightsImage->setObjectName(QStringLiteral("btRightsImage"));
    btRightsVideo->setObjectName(QStringLiteral("btRightsVideo"));

    btBack = new QPushButton;
    btBack->setObjectName(QStringLiteral("btBack"));
    btBack->setIcon(QIcon(QStringLiteral(":/images/Retour.png")));
    btBack->setIconSize(QSize(35, 35));
    btBack->setStyleSheet(QLatin1String(kBackStyle));

    quotaBar = roundBar(QStringLiteral("quotaBar"), textFont);

    labelQuota = new QLabel;
    labelQuota->setObjectName(QStringLiteral("labelQuota"));
    labelInfoImage = new QLabel;
    labelInfoImage->setObjectName(QStringLiteral("labelInfoImage"));
    labelInfoVideo = new QLabel(frameVideo);
    labelInfoVideo->setObjectName(QStringLiteral("labelInfoVideo"));
    for (QLabel *label : {labelQuota, labelInfoImage, labelInfoVideo}) {
        label->setFont(textFont);
        label->setStyleSheet(QLatin1String(kLabelStyle));
    }
    labelInfoImage->setAlignment(Qt::AlignCenter);
    labelInfoVideo->setAlignment(Qt::AlignCenter);

    titleVideo = new QLabel(tr("VIDEOS"));
    titleImage = new QLabel(tr("MES IMAGES"));
    for (QLabel *title : {titleVideo, titleImage}) {
        title->setFont(titleFont);
        title->setStyleSheet(QLatin1String(kTitleStyle));
    }

    const auto pane = [](QFrame *frame, QLabel *title, QListWidget *list, QLabel *info, QToolButton *add,
                         QToolButton *rights, QToolButton *remove) {
        auto *grid = new QGridLayout(frame);
        grid->setContentsMargins(2, 2, 2, 2);
        grid->setSpacing(2);
        grid->addWidget(title, 0, 0, 1, 3, Qt::AlignCenter);
        grid->addWidget(list, 1, 0, 1, 3);
        grid->addWidget(info, 2, 0, 1, 3, Qt::AlignCenter);
        grid->addWidget(add, 3, 0);
        grid->addWidget(rights, 3, 1);
        grid->addWidget(remove, 3, 2);
        grid->setRowStretch(0, 1);
        grid->setRowStretch(1, 50);
        grid->setRowStretch(2, 1);
        grid->setRowStretch(3, 1);
    };
    pane(frameVideo, titleVideo, listVideo, labelInfoVideo, btAddVideo, btRightsVideo, btDeleteVideo);
    pane(frameImage, titleImage, listImage, labelInfoImage, btAddImage, btRightsImage, btDeleteImage);

    auto *quota = new QGridLayout(frameQuota);
    quota->setContentsMargins(5, 5, 5, 5);
    quota->setSpacing(5);
    quota->addWidget(labelQuota, 0, 0);
    quota->addWidget(quotaBar, 0, 1);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(20, 20, 20, 20);
    grid->setSpacing(5);
    grid->addWidget(frameQuota, 0, 0, 1, 2);
    grid->addWidget(frameImage, 1, 0);
    grid->addWidget(frameVideo, 1, 1);
    grid->addWidget(btBack, 2, 0, 1, 2);
    labelBackground->lower();

    connect(listVideo, &QListWidget::itemSelectionChanged, this, &ClassMedia::itemInfoChangeVideo);
    connect(listImage, &QListWidget::itemSelectionChanged, this, &ClassMedia::itemInfoChangeImage);
    connect(btAddVideo, &QToolButton::clicked, this, &ClassMedia::slotAjouterVideo);
    connect(btDeleteVideo, &QToolButton::clicked, this, &ClassMedia::slotSupprimerVideo);
    connect(btAddImage, &QToolButton::clicked, this, &ClassMedia::slotAjouterImage);
    connect(btDeleteImage, &QToolButton::clicked, this, &ClassMedia::slotSupprimerImage);
    connect(btRightsImage, &QToolButton::clicked, this, &ClassMedia::slotAjouterPermissionImage);
    connect(btRightsVideo, &QToolButton::clicked, this, &ClassMedia::slotAjouterPermissionVideo);
    connect(btBack, &QPushButton::clicked, this, &ClassMedia::slotFermer);
}

void ClassMedia::buildOverlay()
{
    messagePanel = new QWidget(this);
    messagePanel->setObjectName(QStringLiteral("messagePanel"));
    labelMessageBackground = new QLabel;
    auto *box = new QVBoxLayout(messagePanel);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(labelMessageBackground);
    labelMessage = new QLabel(tr("Mise à jour des médias en cours..."));
    labelMessage->setFont(avenir(int(FontRatio * 20), 75));
    labelMessage->setStyleSheet(QLatin1String(kTitleStyle));
    labelMessage->setAlignment(Qt::AlignCenter);
    // How far an import has gone, under the text.
    importBar = roundBar(QStringLiteral("importBar"), labelMessage->font());
    importBar->setDecimals(0);
    importBar->hide();
    auto *centre = new QVBoxLayout(labelMessageBackground);
    centre->setSpacing(12);
    centre->addStretch();
    centre->addWidget(labelMessage, 0, Qt::AlignCenter);
    centre->addWidget(importBar, 0, Qt::AlignCenter);
    centre->addStretch();
    messagePanel->hide();
}

void ClassMedia::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    labelBackground->setGeometry(rect());
    messagePanel->setGeometry(rect());
}

void ClassMedia::slotResize(int width, int height, int rotation)
{
    Q_UNUSED(rotation)
    pageWidth = width;
    pageHeight = height;
    iconDivisor = 8;
    const QFont large = avenir(int(float(height / 80) * FontRatio), 50);
    const QFont small = avenir(int(float(height / 100) * FontRatio), 50);
    setMinimumSize(width, height);
    labelBackground->setPixmap(QPixmap(classVersion().BackgroundColor())
                                   .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    labelMessageBackground->setPixmap(QPixmap(QStringLiteral(":/images/BackgroundMessage.png"))
                                          .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    listImage->setIconSize(iconSize());
    listVideo->setIconSize(iconSize());
    for (QToolButton *b : {btAddImage, btDeleteImage, btRightsImage, btAddVideo, btDeleteVideo, btRightsVideo}) {
        b->setIconSize(QSize(width / 35, width / 35));
        b->setFont(small);
    }
    for (QLabel *label : {titleImage, titleVideo, labelQuota})
        label->setFont(large);
    labelInfoImage->setFont(small);
    labelInfoVideo->setFont(small);
    quotaBar->setFixedSize(width / 20, width / 20);
}

QSize ClassMedia::iconSize() const
{
    return QSize(pageWidth / iconDivisor, pageHeight / iconDivisor);
}

QListWidget *ClassMedia::listOf(int type) const
{
    switch (type) {
    case MediaLibrary::Picture: return listImage;
    case MediaLibrary::Video: return listVideo;
    case MediaLibrary::TextPoster: return listText;
    default: return nullptr;
    }
}

ListThumbnails *ClassMedia::thumbnailsOf(int type) const
{
    return type == MediaLibrary::Picture ? m_pictureThumbnails
        : type == MediaLibrary::TextPoster ? m_textThumbnails
                                           : nullptr;
}

int ClassMedia::thumbnailsPending() const
{
    return m_thumbnails->pending() + (m_pictureThumbnails->scheduled() ? 1 : 0)
        + (m_textThumbnails->scheduled() ? 1 : 0);
}

// --- Used size -------------------------------------------------------------

void ClassMedia::CalculDossierMedia2()
{
    m_library.load();
    const qint64 bytes = qMax<qint64>(0, m_library.usedBytes() + m_othersBytes);
    m_usedMo = MediaLibrary::toMo(bytes);
    quotaBar->setValue(MediaLibrary::quotaPercent(m_usedMo, m_maxMo));
    quotaBar->setUpdatesEnabled(true);
    labelQuota->setText(tr("Espace maximum autorisé: ") + QString::number(m_maxMo) + QStringLiteral("Mo")
                        + QLatin1Char('\n') + tr("Espace utilisé: ") + QString::number(m_usedMo)
                        + QStringLiteral("Mo") + (m_serverUnreachable ? QLatin1Char('\n') + unreachableText() : QString()));
    qDebug().noquote() << "Taille de la mediathèque: " << bytes;
    qDebug().noquote() << "Taille Dossier Media" << m_usedMo << "Mo";
}

QString ClassMedia::unreachableText()
{
    return tr("Serveur injoignable: espace compté sur cette console seulement.");
}

void ClassMedia::setServerUsage(ServerMediaUsage *usage)
{
    m_serverUsage = usage;
    connect(usage, &ServerMediaUsage::counted, this, &ClassMedia::serverCounted);
}

void ClassMedia::slotPageShown()
{
    if (!m_serverUsage)
        return;
    // A deployment since the last count may have put the server's index
    // in place of this console's: the own index counts until the answer.
    m_othersBytes = 0;
    CalculDossierMedia2();
    m_serverUsage->fetch();
}

void ClassMedia::serverCounted(bool ok, qint64 bytes)
{
    m_serverUnreachable = !ok;
    m_othersBytes = 0;
    if (ok) {
        m_library.load();
        m_othersBytes = bytes - m_library.usedBytes();
    } else {
        qWarning().noquote() << "Index des médias du serveur non lu: quota compté sur l'index de cette console";
    }
    CalculDossierMedia2();
    if (m_pendingType < 0)
        return;
    const int type = m_pendingType;
    const QStringList chosen = m_pendingChoice;
    m_pendingType = -1;
    m_pendingChoice.clear();
    importChosen(type, chosen);
}

void ClassMedia::slotUpdateMediaSize(int size)
{
    m_maxMo = size;
    // A login: the index is the server's again.
    m_othersBytes = 0;
    m_serverUnreachable = false;
    CalculDossierMedia2();
}

void ClassMedia::slotUserLogin(QString User, QString Type)
{
    userName = User;
    userType = Type;
}

// --- Lists -----------------------------------------------------------------

void ClassMedia::slotUpdateMediaFile()
{
    refreshStep = 0;
    refreshTimer->start();
}

void ClassMedia::SlotUpdateTimeMedia()
{
    switch (refreshStep) {
    case 0:
        messagePanel->setGeometry(rect());
        messagePanel->raise();
        messagePanel->show();
        refreshStep = 1;
        break;
    case 1:
        refreshStep = 2;
        break;
    case 2:
        rebuildList(MediaLibrary::Video);
        rebuildList(MediaLibrary::Picture);
        rebuildList(MediaLibrary::TextPoster);
        refreshStep = 3;
        break;
    case 3:
        CalculDossierMedia2();
        refreshStep = 4;
        break;
    default:
        refreshTimer->stop();
        // An import keeps its overlay.
        if (!importing())
            messagePanel->hide();
        refreshStep = 0;
        emit signalUpdateMediaFinish();
        break;
    }
}

void ClassMedia::rebuildList(int type)
{
    QListWidget *list = listOf(type);
    list->clear();
    const QDir dir(m_work + MediaLibrary::folder(type));
    const QStringList files = dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &file : files) {
        qDebug().noquote() << "***ClassMedia=" + file;
        appendItem(type, file);
    }
    list->setIconSize(iconSize());
    if (type == MediaLibrary::Video) {
        btAddVideo->setEnabled(true);
        if (list->count() > 0)
            btDeleteVideo->setEnabled(true);
    } else if (type == MediaLibrary::Picture) {
        btAddImage->setEnabled(true);
        if (list->count() > 0)
            btDeleteImage->setEnabled(true);
    }
}

void ClassMedia::appendItem(int type, const QString &name)
{
    QListWidget *list = listOf(type);
    if (type == MediaLibrary::Video) {
        list->addItem(new QListWidgetItem(QIcon(QStringLiteral(":/images/film.png")), name));
        return;
    }
    // A clear icon until the row is on screen and its thumbnail made.
    list->addItem(new QListWidgetItem(thumbnailsOf(type)->placeholder(), name));
}

// --- Info line -------------------------------------------------------------

void ClassMedia::itemInfoChangeImage()
{
    itemInfoChange(MediaLibrary::Picture);
}

void ClassMedia::itemInfoChangeVideo()
{
    itemInfoChange(MediaLibrary::Video);
}

void ClassMedia::itemInfoChange(int type)
{
    QListWidget *list = listOf(type);
    if (!list->currentItem())
        return;
    const int i = m_library.indexOf(MediaLibrary::folder(type) + list->currentItem()->text());
    if (i < 0)
        return;
    const MediaLibrary::Entry e = m_library.entry(i);
    const bool admin = MediaLibrary::isAdministrator(userType);
    QToolButton *remove = type == MediaLibrary::Video ? btDeleteVideo : btDeleteImage;
    QToolButton *rights = type == MediaLibrary::Video ? btRightsVideo : btRightsImage;
    QLabel *info = type == MediaLibrary::Video ? labelInfoVideo : labelInfoImage;
    remove->setEnabled(!e.permission.contains(QLatin1String("ADMINISTRATEUR")) || admin);
    rights->setEnabled(admin);
    info->setText(tr("Taille du fichier: ") + QString::number(e.size.toInt() / 1000) + QStringLiteral(" Ko")
                  + QLatin1Char('\n') + tr("Autorisations: ") + QString(e.permission).replace(QLatin1Char(';'), QLatin1Char('-')));
}

// --- Importing -------------------------------------------------------------

void ClassMedia::slotAjouterImage()
{
    importFiles(MediaLibrary::Picture);
}

void ClassMedia::slotAjouterVideo()
{
    importFiles(MediaLibrary::Video);
}

QString ClassMedia::startFolder(int type) const
{
    const QString product = productType();
    if (product == QLatin1String("android"))
        return QStringLiteral("/sdcard/DCIM/Camera");
    if (type == MediaLibrary::Picture)
        return firstLocation(QStandardPaths::PicturesLocation, product == QLatin1String("ios"));
    if (product == QLatin1String("ios"))
        return m_work + QStringLiteral("VIDEO/");
    return firstLocation(QStandardPaths::MoviesLocation);
}

void ClassMedia::importFiles(int type)
{
    // One import at a time: the first choice waits for the server's count.
    if (importPending() || importing())
        return;
    const QStringList chosen = m_chooser ? m_chooser(type, this, startFolder(type)) : QStringList();
    if (chosen.isEmpty() || importPending() || importing())
        return;
    if (!m_serverUsage) {
        importChosen(type, chosen);
        return;
    }
    m_pendingType = type;
    m_pendingChoice = chosen;
    m_serverUsage->fetch();
}

void ClassMedia::importChosen(int type, const QStringList &chosen)
{
    // The files are copied and checksummed by a job, a slice at a time,
    // under the overlay that shows how far it went; the index and the
    // journal are written once it has finished.
    m_library.load();
    m_import = new ImportJob(m_work, type, chosen, qMax<qint64>(0, m_library.usedBytes() + m_othersBytes), m_maxMo,
                             productType() == QLatin1String("ios"), this);
    connect(m_import, &ImportJob::progress, this, &ClassMedia::showImportProgress);
    connect(m_import, &ImportJob::refused, this, &ClassMedia::importRefused);
    connect(m_import, &ImportJob::finished, this, &ClassMedia::importFinished);
    showImporting(true);
    m_import->start();
}

void ClassMedia::cancelImport()
{
    if (m_import)
        m_import->cancel();
}

void ClassMedia::pauseImport(bool paused)
{
    if (!m_import)
        return;
    if (paused)
        m_import->pause();
    else
        m_import->resume();
}

void ClassMedia::showImporting(bool on)
{
    importBar->setVisible(on);
    if (on) {
        messagePanel->setGeometry(rect());
        messagePanel->raise();
        messagePanel->show();
    } else if (!refreshTimer->isActive()) {
        messagePanel->hide();
    }
}

void ClassMedia::importRefused(int refusal, const QString &chosenFile)
{
    qDebug().noquote() << "Import refusé:" << chosenFile;
    if (refusal == ImportJob::QuotaReached)
        showError(tr("La taille maximum de votre médiathèque a été atteinte \n Veuillez supprimer des fichiers s.v.p.!!"));
    else if (refusal == ImportJob::NameTooLong)
        showError(tr("Le nom du fichier est trop long \n Veuillez le renommer s.v.p.!!"));
    else
        QMessageBox::critical(nullptr, tr("Erreur"), tr("Impossible de copier le fichier"), QMessageBox::Ok);
}

void ClassMedia::importFinished()
{
    ImportJob *job = m_import;
    const int type = job->type();
    // The index as it is now, with what changed during the copies, takes
    // the copied files in one index write and one journal write.
    m_library.load();
    m_library.beginBatch();
    QStringList imported, sources;
    for (const ImportJob::Copied &file : job->copied()) {
        registerMedia(type, file.path, file.checksum, false);
        if (m_lastIndexed) {
            imported << file.path;
            sources << file.source;
        } else {
            QFile::remove(m_work + file.path);
        }
    }
    // The index or the journal could not be written: none of the batch is
    // kept, listed or sent, and the chosen files stay where they were.
    if (!m_library.commitBatch()) {
        for (const QString &path : qAsConst(imported))
            forgetImport(type, path);
    } else if (type == MediaLibrary::Video && productType() == QLatin1String("ios")) {
        for (const QString &source : qAsConst(sources)) {
            QFile::remove(source);
            qDebug().noquote() << "Fichier Video supprimer:" << source;
        }
    }
    CalculDossierMedia2();
    m_import = nullptr;
    job->deleteLater();
    showImporting(false);
    showLibraryErrors();
    if (m_leaveAfterImport) {
        m_leaveAfterImport = false;
        slotFermer();
    }
}

void ClassMedia::showImportProgress(int done, int count, double fileShare)
{
    importBar->setValue(count > 0 ? 100.0 * (double(done) + fileShare) / double(count) : 0.0);
}

void ClassMedia::AjouterMedia(int type, QString path)
{
    registerMedia(type, path, QString(), true);
}

void ClassMedia::registerMedia(int type, const QString &path, const QString &checksum, bool recount)
{
    const QString folder = MediaLibrary::folder(type);
    m_lastIndexed = false;
    if (folder.isEmpty() || !MediaLibrary::safePath(path) || !path.startsWith(folder)) {
        qWarning().noquote() << "Media refused:" << path;
        if (type == MediaLibrary::TextPoster)
            sendTextNow = false;
        return;
    }
    m_library.load();
    const bool known = m_library.indexOf(path) >= 0;
    // A text poster saved again under its own name is indexed anew; a file
    // that could not be indexed and journalled is neither listed nor sent.
    const bool indexed = type == MediaLibrary::TextPoster
        ? m_library.renew(type, path, userName, userType)
        : known || m_library.add(type, path, userName, userType, checksum);
    showLibraryErrors();
    if (!indexed) {
        qWarning().noquote() << "Media not indexed, not sent:" << path;
        if (type == MediaLibrary::TextPoster)
            sendTextNow = false;
        return;
    }
    m_lastIndexed = true;

    const QString name = path.mid(folder.size());
    QStringList &pending = type == MediaLibrary::Picture ? NewMediaImage
        : type == MediaLibrary::Video                    ? NewMediaVideo
                                                         : NewMediaText;
    if (!pending.contains(path))
        pending.append(path);
    if (type == MediaLibrary::TextPoster && path.contains(QLatin1String(".png"))
        && !pending.contains(MediaLibrary::companion(path)))
        pending.append(MediaLibrary::companion(path));
    // A file saved again under its own name keeps its one row.
    if (listOf(type)->findItems(name, Qt::MatchExactly).isEmpty())
        appendItem(type, name);
    else if (type != MediaLibrary::Video)
        thumbnailsOf(type)->refresh();
    if (type == MediaLibrary::Video)
        listVideo->setIconSize(iconSize());
    emit signalNewMedia(type, name);

    if (recount && (!known || type == MediaLibrary::TextPoster))
        CalculDossierMedia2();

    if (type == MediaLibrary::TextPoster && sendTextNow) {
        sendTextNow = false;
        handOn();
    }
}

void ClassMedia::forgetImport(int type, const QString &path)
{
    const QString name = path.mid(MediaLibrary::folder(type).size());
    (type == MediaLibrary::Picture ? NewMediaImage : NewMediaVideo).removeAll(path);
    const QList<QListWidgetItem *> rows = listOf(type)->findItems(name, Qt::MatchExactly);
    if (!rows.isEmpty())
        delete listOf(type)->takeItem(listOf(type)->row(rows.first()));
    emit signalSupprimeMedia(type, name);
    // The copy made for the import; the chosen file itself is untouched.
    QFile::remove(m_work + path);
}

// --- Leaving ---------------------------------------------------------------

void ClassMedia::handOn()
{
    emit signalMediaToSend(NewMediaImage, RemoveMediaImage, NewMediaVideo, RemoveMediaVideo, NewMediaText,
                           RemoveMediaText, Modif);
    for (QStringList *list :
         {&NewMediaImage, &RemoveMediaImage, &NewMediaVideo, &RemoveMediaVideo, &NewMediaText, &RemoveMediaText})
        list->clear();
    Modif = false;
}

void ClassMedia::slotFermer()
{
    // Left while an import runs: the page goes once every chosen file is
    // indexed and journalled, so that what it hands on is whole.
    if (importing()) {
        m_leaveAfterImport = true;
        return;
    }
    // A choice still waiting for the server's count is dropped with the page:
    // nothing of it was copied or indexed.
    if (importPending()) {
        qDebug().noquote() << "Import abandonné en quittant la page:" << m_pendingChoice;
        m_serverUsage->cancel();
        m_pendingType = -1;
        m_pendingChoice.clear();
    }
    handOn();
    emit signalButton(0);
}

// --- Text posters ----------------------------------------------------------

void ClassMedia::slotNewImageTexte(QString oldName, QString Name)
{
    m_textQueue.append({oldName, Name});
    if (!sendTimer->isActive())
        sendTimer->start();
}

void ClassMedia::SlotEnvoiFile()
{
    const QString folder = MediaLibrary::folder(MediaLibrary::TextPoster);
    switch (sendStep) {
    case 0: {
        if (m_textQueue.isEmpty()) {
            sendTimer->stop();
            return;
        }
        const QPair<QString, QString> next = m_textQueue.takeFirst();
        // The editor may name the picture with or without its folder.
        oldTextName = next.first.startsWith(folder) ? next.first.mid(folder.size()) : next.first;
        newTextName = next.second.startsWith(folder) ? next.second : folder + next.second;
        if (oldTextName.isEmpty())
            sendTextNow = true;
        AjouterMedia(MediaLibrary::TextPoster, newTextName);
        // A new version that could not be indexed replaces nothing.
        if (!m_lastIndexed)
            oldTextName.clear();
        sendStep = 1;
        break;
    }
    case 1:
        // Saved again within the same second: the old name is the new file.
        if (!oldTextName.isEmpty() && folder + oldTextName != newTextName)
            retireTextPicture(oldTextName, true);
        sendStep = 2;
        break;
    default:
        sendStep = 0;
        if (m_textQueue.isEmpty())
            sendTimer->stop();
        break;
    }
}

void ClassMedia::slotSuppImageTexte(QString Name)
{
    retireTextPicture(Name, false);
}

void ClassMedia::retireTextPicture(QString Name, bool replaced)
{
    const QString folder = MediaLibrary::folder(MediaLibrary::TextPoster);
    if (Name.startsWith(folder))
        Name = Name.mid(folder.size());
    const QList<QListWidgetItem *> found = listText->findItems(Name, Qt::MatchExactly);
    if (found.isEmpty())
        return;
    const int row = listText->row(found.first());
    listText->setCurrentRow(row);
    QFile file(m_work + folder + Name);
    if (!file.exists())
        return;
    // A replaced picture is still named by the edited poster until the
    // control panel moves it to the new one; any other poster keeps it.
    const int uses = m_library.textUses(Name);
    if (checkFileImage(Name) || uses > (replaced ? 1 : 0)) {
        if (!replaced) {
            showError(QStringLiteral("Le fichier ") + Name + QStringLiteral(" est en cours d'utilisation!!!"));
            return;
        }
        // The other posters keep the file; the edited one takes the new
        // picture (the panel keeps listing a file that is still there).
        qDebug().noquote() << "Texte remplacé, conservé pour les autres affiches:" << Name;
        emit signalSupprimeMedia(MediaLibrary::TextPoster, Name);
        return;
    }
    if (!forgetMedia(MediaLibrary::TextPoster, Name))
        return;
    if (!file.remove())
        qWarning().noquote() << "Fichier non supprimé:" << file.fileName() << file.errorString();
    SupprimerMedia(MediaLibrary::TextPoster, row);
}

// --- Removing --------------------------------------------------------------

bool ClassMedia::checkFileImage(QString name)
{
    return m_library.inUse(MediaLibrary::Picture, name);
}

bool ClassMedia::checkFileVideo(QString name)
{
    return m_library.inUse(MediaLibrary::Video, name);
}

void ClassMedia::slotSupprimerImage()
{
    removeCurrent(MediaLibrary::Picture);
}

void ClassMedia::slotSupprimerVideo()
{
    removeCurrent(MediaLibrary::Video);
}

void ClassMedia::removeCurrent(int type)
{
    QListWidget *list = listOf(type);
    if (!list->currentItem())
        return;
    const QString name = list->currentItem()->text();
    QFile file(m_work + MediaLibrary::folder(type) + name);
    if (type == MediaLibrary::Video)
        qDebug().noquote() << "Fichier à supprimer: " + file.fileName();
    if (!file.exists())
        return;
    const bool used = type == MediaLibrary::Video ? checkFileVideo(name) : checkFileImage(name);
    if (used) {
        showError(QStringLiteral("Le fichier ") + name + QStringLiteral(" est en cours d'utilisation!!!"));
        return;
    }
    if (!forgetMedia(type, name))
        return;
    // The index no longer lists it: the page and the server follow.
    if (!file.remove())
        qWarning().noquote() << "Fichier non supprimé:" << file.fileName() << file.errorString();
    SupprimerMedia(type, list->currentRow());
}

bool ClassMedia::forgetMedia(int type, const QString &name)
{
    const QString folder = MediaLibrary::folder(type);
    m_library.beginBatch();
    m_library.remove(folder + name);
    const QString text = MediaLibrary::companion(name);
    if (type == MediaLibrary::TextPoster && text != name)
        m_library.remove(folder + text);
    if (m_library.commitBatch())
        return true;
    showLibraryErrors();
    return false;
}

void ClassMedia::SupprimerMedia(int type, int row)
{
    QListWidget *list = listOf(type);
    if (!list || row < 0 || row >= list->count())
        return;
    const QString folder = MediaLibrary::folder(type);
    const QString name = list->item(row)->text();
    static const char *const kind[] = {"Image", "Video", "Texte"};
    if (type == MediaLibrary::TextPoster) {
        RemoveMediaText.append(name);
        const QString text = MediaLibrary::companion(name);
        if (text != name)
            RemoveMediaText.append(text);
        NewMediaText.removeAll(folder + name);
        NewMediaText.removeAll(folder + text);
        delete list->takeItem(row);
    } else {
        (type == MediaLibrary::Picture ? RemoveMediaImage : RemoveMediaVideo).append(name);
        delete list->takeItem(row);
        (type == MediaLibrary::Picture ? NewMediaImage : NewMediaVideo).removeOne(folder + name);
    }
    showLibraryErrors();
    CalculDossierMedia2();
    qDebug().noquote() << QStringLiteral("emit signalSupprimeMedia %1: ligne n°").arg(QLatin1String(kind[type])) + QString::number(row);
    emit signalSupprimeMedia(type, name);
    if (type == MediaLibrary::TextPoster)
        handOn();
}

void ClassMedia::slotMediaRenamed(int type, QString oldName, QString newName)
{
    const QString folder = MediaLibrary::folder(type);
    if (type != MediaLibrary::Picture && type != MediaLibrary::Video)
        return;
    for (QString &path : type == MediaLibrary::Picture ? NewMediaImage : NewMediaVideo) {
        if (path == folder + oldName)
            path = folder + newName;
    }
    for (QListWidgetItem *item : listOf(type)->findItems(oldName, Qt::MatchExactly))
        item->setText(newName);
    if (type == MediaLibrary::Picture)
        thumbnailsOf(type)->refresh();
    m_library.load();
    itemInfoChange(type);
    emit signalSupprimeMedia(type, oldName);
    emit signalNewMedia(type, newName);
}

void ClassMedia::slotMediaWithdrawn(int type, QString name)
{
    const QString folder = MediaLibrary::folder(type);
    if (type != MediaLibrary::Picture && type != MediaLibrary::Video)
        return;
    (type == MediaLibrary::Picture ? NewMediaImage : NewMediaVideo).removeAll(folder + name);
    QListWidget *list = listOf(type);
    for (QListWidgetItem *item : list->findItems(name, Qt::MatchExactly))
        delete list->takeItem(list->row(item));
    CalculDossierMedia2();
    emit signalSupprimeMedia(type, name);
}

void ClassMedia::SlotSupprimerFichierParamMedia(QString CheminMedia)
{
    // A download that failed: the file is still the server's, so its entry
    // stays (the posters that show it keep it and the next login tries
    // again); only the server's index decides that a file is gone.
    qDebug().noquote() << "Téléchargement en échec, entrée conservée:" << CheminMedia;
}

void ClassMedia::slotFirstFileSize()
{
    m_library.rebuildSizes();
    showLibraryErrors();
}

// --- Permissions -----------------------------------------------------------

void ClassMedia::slotAjouterPermissionImage()
{
    grantCurrent(MediaLibrary::Picture);
}

void ClassMedia::slotAjouterPermissionVideo()
{
    grantCurrent(MediaLibrary::Video);
}

void ClassMedia::grantCurrent(int type)
{
    ClassParam login;
    if (!login.getParamCrypt(m_work + QStringLiteral("LoginCrypt.orvex"), QStringList{QStringLiteral("ALL")}, 0))
        login.BALISE.clear();
    m_library.load();
    QListWidget *list = listOf(type);
    if (!list->currentItem())
        return;
    const QString path = MediaLibrary::folder(type) + list->currentItem()->text();
    const int i = m_library.indexOf(path);
    const QString current = i >= 0 ? m_library.entry(i).permission : QString();

    auto *form = new ClassBox(loginList(login, "CATEGORYLIST"), loginList(login, "CATEGORYELEMENTS"), current,
                              loginList(login, "PLAYERLIST"), loginList(login, "PLAYERLISTNAME"), QString(),
                              width(), height(), 1, this);
    form->exec();
    const bool validated = form->text() == 0;
    const QString row = form->BoxNumber().join(QLatin1Char(';'));
    delete form;
    if (!validated)
        return;
    setFocus();
    const bool granted = m_library.grant(path, row);
    showLibraryErrors();
    itemInfoChange(type);
    if (granted)
        Modif = true;
}

// --- Messages --------------------------------------------------------------

void ClassMedia::showError(const QString &text)
{
    auto *box = new ClassBox(text, ClassBox::Error, width(), height(), this);
    box->exec();
    if (box->text() == 0)
        setFocus();
    delete box;
}

void ClassMedia::showLibraryErrors()
{
    for (const QPair<QString, QString> &error : m_library.takeReports())
        QMessageBox::information(nullptr, error.first, error.second, QMessageBox::Ok);
}
