#include "PosterPanel.h"

#include "AppGlobals.h"
#include "Checksum.h"
#include "ClassBox.h"
#include "ClassClavier.h"
#include "ClassLog.h"
#include "ClassParam.h"
#include "ListThumbnails.h"
#include "NumClavier.h"
#include "PosterValues.h"
#include "ThumbnailLoader.h"
#include "ZoneLayout.h"
#include "qmlvideoplayer.h"

#include <QAbstractButton>
#include <QDebug>
#include <QFile>
#include <QFrame>
#include <QGraphicsOpacityEffect>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kCaptionStyle = QStringLiteral("color:white;border:none;background-color:transparent;");
const QString kPictureStyle = QStringLiteral("border:white;background-color:transparent;color:white");
const QString kScheduleCaptionStyle = QStringLiteral("color:black;background-color:rgba(200,200,200,100%);");
const QString kScreenButtonStyle = QStringLiteral(
    "background-color:rgba(255,255,0,80%);color: black;border-radius: 2px;border-style: outset;"
    "border-width: 1px;border-color: rgba(50,50,50,80%);");

QString withoutPrefix(QString name, const QString &prefix)
{
    return name.remove(prefix);
}

} // namespace

PosterPanel::PosterPanel(const Host &host, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_file(*host.paramPlayer, ApplicationPath)
{
    Q_ASSERT(m_host.paramPlayer && m_host.paramPlaylist && m_host.posterFrame && m_host.posterList);
    m_debounce = m_host.itemSlideTimer;
    if (!m_debounce) {
        m_debounce = new QTimer(this);
        m_debounce->setInterval(1);
        connect(m_debounce, &QTimer::timeout, this, &PosterPanel::slotItemSlideTime);
    }
    build();
}

PosterPanel::~PosterPanel() = default;

// ---------------------------------------------------------------- building

void PosterPanel::build()
{
    QFrame *frame = m_host.posterFrame;
    QFont font(QStringLiteral("Avenir"));
    font.setPointSize(int(FontRatio * 10));
    font.setWeight(50);

    auto caption = [&](const QString &text, const QString &style) {
        auto *l = new QLabel(text, frame);
        l->setFont(font);
        l->setStyleSheet(style);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    auto valueLabel = [&] {
        auto *l = new QLabel(frame);
        l->setFont(font);
        l->setStyleSheet(kCaptionStyle);
        l->setAlignment(Qt::AlignCenter);
        l->hide();
        return l;
    };
    auto mediaList = [&](const QString &name) {
        auto *l = new QListWidget(frame);
        l->setObjectName(name);
        l->setFont(font);
        l->setFocusPolicy(Qt::NoFocus);
        return l;
    };

    m_btnOpacity = new QPushButton(QStringLiteral("100%"), frame);
    m_btnOpacity->setFont(font);
    m_sliderOpacity = new QSlider(Qt::Vertical, frame);
    m_sliderOpacity->setRange(10, 100);
    m_listImage = mediaList(QStringLiteral("listeImages"));
    m_listVideo = mediaList(QStringLiteral("listeVideos"));
    m_listText = mediaList(QStringLiteral("listeTextes"));
    m_thumbnails = ThumbnailLoader::shared();
    const auto fileIn = [](const QString &folder) {
        return [folder](const QListWidgetItem *item) {
            return item->text() == QLatin1String("OFF") ? QString() : ApplicationPath + folder + item->text();
        };
    };
    m_imageThumbnails = new ListThumbnails(m_listImage, m_thumbnails.get(), fileIn(QStringLiteral("IMAGE/")), this);
    m_textThumbnails = new ListThumbnails(m_listText, m_thumbnails.get(), fileIn(QStringLiteral("TEXT/")), this);
    m_btnTemps = new QPushButton(QStringLiteral("5s"), frame);
    m_btnTemps->setFont(font);
    m_sliderTemps = new QSlider(Qt::Vertical, frame);
    m_sliderTemps->setRange(0, 120);

    m_capOpacite = caption(tr("OPACITE"), kCaptionStyle);
    m_capImages = caption(tr("IMAGES"), kCaptionStyle);
    m_capVideos = caption(tr("VIDEOS"), kCaptionStyle);
    m_capTextes = caption(tr("TEXTES"), kCaptionStyle);
    m_capTemps = caption(tr("TEMPS"), kCaptionStyle);
    m_capDate = caption(tr("DATE DE L'AFFICHE"), kScheduleCaptionStyle);
    m_capHeure = caption(tr("HEURE DE L'AFFICHE"), kScheduleCaptionStyle);
    m_capEcran = caption(tr("ECRAN ALLUME"), kScheduleCaptionStyle);
    for (QLabel *l : {m_capDate, m_capHeure, m_capEcran})
        l->hide();
    m_lblDate1 = valueLabel();
    m_lblDate2 = valueLabel();
    m_lblHeure1 = valueLabel();
    m_lblHeure2 = valueLabel();
    m_lblJours = valueLabel();
    m_lblPower1 = valueLabel();
    m_lblPowerDays = valueLabel();
    m_lblPower2 = valueLabel();

    m_previewFrame = new QFrame(frame);
    m_previewFrame->setFrameShape(QFrame::NoFrame);
    m_previewGrid = new QGridLayout(m_previewFrame);
    m_previewGrid->setContentsMargins(10, 10, 10, 10);
    m_previewGrid->setSpacing(0);
    m_video = new qmlvideoplayer(m_previewFrame);
    m_video->PlaySetSize(m_previewWidth, m_previewHeight);
    m_video->hide();
    auto picture = [&] {
        auto *l = new QLabel(m_previewFrame);
        l->setStyleSheet(kPictureStyle);
        l->setAlignment(Qt::AlignCenter);
        l->setAttribute(Qt::WA_TranslucentBackground);
        l->hide();
        return l;
    };
    m_picImage = picture();
    m_picText = picture();
    m_picWidget = picture();
    m_btnEcran = new QPushButton(tr("Ecran n°1"), m_previewFrame);
    m_btnEcran->setFont(font);
    m_btnEcran->setStyleSheet(kScreenButtonStyle);
    m_btnEcran->hide();
    m_previewGrid->addWidget(m_video, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    m_previewGrid->addWidget(m_picWidget, 0, 0, Qt::AlignCenter);
    m_previewGrid->addWidget(m_picImage, 0, 0, Qt::AlignCenter);
    m_previewGrid->addWidget(m_picText, 0, 0, Qt::AlignCenter);
    m_previewGrid->addWidget(m_btnEcran, 0, 0, Qt::AlignLeft | Qt::AlignTop);

    // Upper part: preview, schedule, poster list, poster tool buttons.
    auto *upper = new QGridLayout;
    upper->setContentsMargins(0, 0, 0, 0);
    upper->setSpacing(0);
    upper->addWidget(m_previewFrame, 0, 0, 3, 1, Qt::AlignCenter);
    auto *schedule = new QGridLayout;
    int row = 3;
    for (QLabel *l : {m_capDate, m_lblDate1, m_lblDate2, m_capHeure, m_lblHeure1, m_lblHeure2, m_lblJours})
        schedule->addWidget(l, row++, 0);
    upper->addLayout(schedule, 0, 1, 3, 1);
    auto *listBox = new QGridLayout;
    listBox->addWidget(m_host.posterList, 0, 0);
    if (m_host.playlistsLabel) {
        listBox->addWidget(m_host.playlistsLabel, 1, 0);
        m_host.playlistsLabel->hide();
    }
    listBox->setRowStretch(0, 10);
    listBox->setRowStretch(1, 1);
    upper->addLayout(listBox, 0, 2, 3, 1);
    const QStringList toolColumns[] = {
        {QStringLiteral("Ajouter"), QStringLiteral("Supprimer"), QStringLiteral("Renommer")},
        {QStringLiteral("Monter"), QStringLiteral("Descendre"), QStringLiteral("Date/Heure")},
        {QStringLiteral("Spéciales"), QStringLiteral("Réseaux"), QStringLiteral("Editer")},
    };
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 3; ++r) {
            if (QAbstractButton *b = button(toolColumns[c].at(r)))
                upper->addWidget(b, r, 3 + c, Qt::AlignTop);
        }
    }
    const int stretches[] = {5, 1, 5, 1, 1, 1};
    for (int c = 0; c < 6; ++c)
        upper->setColumnStretch(c, stretches[c]);

    // Lower part: opacity, media lists, display time.
    auto *props = new QGridLayout;
    props->addWidget(m_btnOpacity, 0, 0);
    props->addWidget(m_listImage, 0, 1, 2, 1);
    props->addWidget(m_listVideo, 0, 2, 2, 1);
    props->addWidget(m_listText, 0, 3, 2, 1);
    props->addWidget(m_btnTemps, 0, 4);
    props->addWidget(m_sliderOpacity, 1, 0, Qt::AlignHCenter);
    props->addWidget(m_sliderTemps, 1, 4, Qt::AlignHCenter);
    int col = 0;
    for (QLabel *l : {m_capOpacite, m_capImages, m_capVideos, m_capTextes, m_capTemps})
        props->addWidget(l, 2, col++, Qt::AlignCenter);
    const int propStretches[] = {1, 5, 5, 5, 1};
    for (int c = 0; c < 5; ++c)
        props->setColumnStretch(c, propStretches[c]);
    auto *lower = new QGridLayout;
    lower->addLayout(props, 1, 0);

    auto *box = new QVBoxLayout(frame);
    box->addLayout(upper);
    box->addLayout(lower);

    connect(m_btnEcran, &QPushButton::clicked, this, &PosterPanel::slotChoixEcran);
    ImagePictureVisible(false);
}

void PosterPanel::applyFonts(const QFont &listFont, const QFont &captionFont, const QFont &textFont,
                             const QSize &mediaIcons)
{
    m_iconDivisor = 20;
    for (QLabel *l : {m_capOpacite, m_capImages, m_capVideos, m_capTextes, m_capTemps})
        l->setFont(textFont);
    for (QListWidget *l : {m_listImage, m_listVideo, m_listText}) {
        l->setIconSize(mediaIcons);
        l->setFont(captionFont);
    }
    for (QLabel *l : {m_capDate, m_capHeure, m_capEcran})
        l->setFont(captionFont);
    for (QLabel *l : {m_lblDate1, m_lblDate2, m_lblHeure1, m_lblHeure2, m_lblJours, m_lblPower1, m_lblPowerDays,
                      m_lblPower2})
        l->setFont(textFont);
    for (QPushButton *b : {m_btnOpacity, m_btnTemps, m_btnEcran})
        b->setFont(listFont);
}

QList<QLabel *> PosterPanel::powerLabels() const
{
    return {m_lblPower1, m_lblPowerDays, m_lblPower2};
}

// ---------------------------------------------------------------- helpers

QAbstractButton *PosterPanel::button(const QString &caption) const
{
    for (const auto &entry : m_host.buttons) {
        if (entry.first == caption)
            return entry.second;
    }
    return nullptr;
}

void PosterPanel::setButtonEnabled(const QString &caption, bool enabled)
{
    if (QAbstractButton *b = button(caption))
        b->setEnabled(enabled);
}

int PosterPanel::currentPoster() const
{
    return m_host.posterList->currentRow();
}

int PosterPanel::posterRows() const
{
    return m_host.posterList->count();
}

QSize PosterPanel::panelSize() const
{
    if (m_host.panelSize) {
        const QSize s = m_host.panelSize();
        if (!s.isEmpty())
            return s;
    }
    return m_host.panel ? m_host.panel->size() : QSize(1280, 720);
}

int PosterPanel::maxPosters() const
{
    return m_host.maxPosterCount ? m_host.maxPosterCount() : 0;
}

int PosterPanel::maxDelay() const
{
    return m_maxDelay;
}

void PosterPanel::setMaxDisplayTime(int seconds)
{
    m_maxDelay = qMax(0, seconds);
    m_sliderTemps->setMaximum(m_maxDelay);
}

void PosterPanel::log(const QString &function) const
{
    ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("Fonction: ") + function + QStringLiteral("()"));
}

bool PosterPanel::ask(const QString &text, int type)
{
    QWidget *panel = m_host.panel;
    if (m_host.dimming)
        m_host.dimming->show();
    auto *box = new ClassBox(text, type, panel ? panel->width() : 1280, panel ? panel->height() : 720, panel);
    box->exec();
    const bool confirmed = box->text() == 0;
    delete box;
    if (m_host.dimming)
        m_host.dimming->hide();
    if (panel)
        panel->setFocus(Qt::OtherFocusReason);
    return confirmed;
}

void PosterPanel::reportFailure(const QString &what)
{
    if (m_file.errorString().isEmpty())
        return;
    ask(what + QLatin1Char('\n') + m_file.errorString(), ClassBox::Error);
}

void PosterPanel::refreshAddButton()
{
    setButtonEnabled(QStringLiteral("Ajouter"), m_posterCount < maxPosters());
}

void PosterPanel::showPicture(QLabel *label, const QString &file)
{
    label->setPixmap(QPixmap(file).scaled(m_previewWidth, m_previewHeight, Qt::KeepAspectRatio,
                                          Qt::SmoothTransformation));
}

void PosterPanel::selectQuietly(QListWidget *list, int row)
{
    const bool was = list->blockSignals(true);
    list->setCurrentRow(row);
    list->blockSignals(was);
}

QStringList PosterPanel::rowTexts(QListWidget *list) const
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QListWidget *PosterPanel::listOf(const QString &folder) const
{
    if (folder == QLatin1String("IMAGE/"))
        return m_listImage;
    if (folder == QLatin1String("VIDEO/"))
        return m_listVideo;
    if (folder == QLatin1String("TEXT/"))
        return m_listText;
    return nullptr;
}

// ---------------------------------------------------------------- poster list file

QList<QStringList> PosterPanel::GetSlideFromFile()
{
    const QList<QStringList> records = m_file.records();
    m_posterCount = m_file.count();
    return records;
}

void PosterPanel::SetSlideToFile(QList<QStringList> records)
{
    if (!m_file.setRecords(records))
        reportFailure(tr("La liste des affiches n'a pas pu être enregistrée."));
}

void PosterPanel::UpdateSlideNumber()
{
    m_host.posterList->clear();
    const QStringList names = m_file.namesInTable();
    m_posterCount = m_file.count();
    if (m_posterCount != 0) {
        for (const char *caption : {"Supprimer", "Monter", "Descendre"})
            setButtonEnabled(QString::fromUtf8(caption), true);
    }
    m_host.posterList->addItems(names);
    refreshAddButton();
    if (!m_file.writeNames(names))
        reportFailure(tr("Les noms des affiches n'ont pas pu être enregistrés."));
}

void PosterPanel::UpdateFileNumber(int n)
{
    if (!m_file.renumberLegacyFiles(n))
        reportFailure(tr("Les anciens fichiers des affiches n'ont pas pu être renumérotés."));
}

QString PosterPanel::GetSlideStringFromFile(QString key, int index)
{
    return m_file.entry(key, index);
}

bool PosterPanel::SetSlideStringToFile(QString key, int index, QString value)
{
    ActiveWidget(false);
    const bool ok = m_file.setEntry(key, index, value, posterRows());
    ActiveWidget(true);
    return ok;
}

void PosterPanel::slotAjouterSlide()
{
    log(QStringLiteral("slotAjouterSlide"));
    if (posterRows() >= maxPosters())
        return;
    if (!m_file.appendPoster(posterRows())) {
        reportFailure(tr("L'affiche n'a pas pu être ajoutée."));
        return;
    }
    UpdateSlideNumber();
    if (posterRows() > 0) {
        m_host.posterList->setCurrentRow(posterRows() - 1);
        slotItemSlide();
    }
}

void PosterPanel::moveSlide(int delta)
{
    const int r = currentPoster();
    const int to = r + delta;
    if (r < 0 || to < 0 || to >= posterRows())
        return;
    if (!m_file.movePoster(r, to)) {
        reportFailure(tr("L'affiche n'a pas pu être déplacée."));
        return;
    }
    UpdateSlideNumber();
    if (posterRows() > 0)
        m_host.posterList->setCurrentRow(to);
}

void PosterPanel::slotMonterSlide()
{
    log(QStringLiteral("slotMonterSlide"));
    moveSlide(-1);
}

void PosterPanel::slotDescendreSlide()
{
    log(QStringLiteral("slotDescendreSlide"));
    moveSlide(1);
}

void PosterPanel::slotSupprimerSlide()
{
    log(QStringLiteral("slotSupprimerSlide"));
    const int r = currentPoster();
    if (r < 0)
        return;
    if (!ask(tr("Etes-vous sûrs de vouloir supprimer cette affiche?"), ClassBox::Question))
        return;
    if (!m_file.removePoster(r)) {
        reportFailure(tr("L'affiche n'a pas pu être supprimée."));
        return;
    }
    UpdateSlideNumber();
    if (posterRows() > 0) {
        m_host.posterList->setCurrentRow(0);
        slotItemSlide();
    }
}

void PosterPanel::slotRenommerSlide()
{
    log(QStringLiteral("slotRenommerSlide"));
    QListWidgetItem *item = m_host.posterList->currentItem();
    if (!item || currentPoster() < 0)
        return;
    const QSize size = panelSize();
    auto *keyboard = new ClassClavier(size.width(), size.height(), nullptr, 1);
    keyboard->setTextClavier(tr("Renommer l'affiche:"), item->text());
    keyboard->setWindowFlags(Qt::FramelessWindowHint);
    keyboard->exec();
    const QString typed = PosterListFile::cleanName(keyboard->text());
    delete keyboard;
    if (typed.trimmed().isEmpty() || typed == item->text())
        return;
    const QString old = item->text();
    item->setText(typed);
    if (!m_file.writeNames(rowTexts(m_host.posterList))) {
        item->setText(old);
        reportFailure(tr("Le nom de l'affiche n'a pas pu être enregistré."));
    }
}

// ---------------------------------------------------------------- properties panel

void PosterPanel::AfficheINFO()
{
    const bool readable = m_file.load();
    m_posterCount = m_file.count();
    const QStringList names = m_file.namesInTable();
    m_host.posterList->addItems(names);
    m_host.posterList->setCurrentRow(0);
    refreshAddButton();

    const bool playlists = m_host.paramPlaylist->getParamCrypt(
        ApplicationPath + QStringLiteral("DATA/PLAYLIST.orvex"), QStringList{QStringLiteral("ALL")}, 0);
    const QString text = playlists ? PosterValues::linkedPlaylists(m_host.paramPlaylist->getInfoBalise(
                                         QStringLiteral("PLAYLIST")))
                                   : QString();
    if (m_host.playlistsLabel) {
        m_host.playlistsLabel->setText(text);
        m_host.playlistsLabel->setVisible(!text.isEmpty());
    }
    emit signalAfficheInfo();
    // Told once the download that called us has finished: its timer keeps
    // ticking while a dialog runs.
    if (!readable && m_file.isDamaged()) {
        QTimer::singleShot(50, this, [this] {
            ask(tr("Le fichier des affiches de cet écran est endommagé: il ne sera pas modifié."), ClassBox::Error);
        });
    }
}

void PosterPanel::slotItemSlide()
{
    m_debounceStep = 0;
    m_debounce->start(1);
    ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("Fonction: SlotitemSlide()"));
}

bool PosterPanel::selectionPending() const
{
    return m_debounce->isActive();
}

void PosterPanel::slotItemSlideTime()
{
    switch (m_debounceStep) {
    case 0:
        m_debounceStep = 1;
        break;
    case 1:
        m_host.posterList->setEnabled(false);
        ActiveWidget(false);
        m_debounceStep = 2;
        break;
    case 2:
        m_debounceStep = 3;
        break;
    case 3: {
        const int r = currentPoster();
        if (r >= 0) {
            SelectFichier();
            emit signalCalendar(r);
            QString entry;
            if (m_host.screensList && m_host.screensList->currentItem())
                entry = m_host.screensList->currentItem()->text();
            emit signalupdateReseaux(m_host.accountName ? m_host.accountName() : QString(), entry);
            emit signalUpdateWidget(r);
        }
        m_debounceStep = 4;
        break;
    }
    case 4:
        ActiveWidget(true);
        ActiveSlide(true);
        m_debounceStep = 5;
        break;
    default:
        m_host.posterList->setEnabled(true);
        qDebug() << "connect slotItemSlide()";
        m_debounceStep = 0;
        m_debounce->stop();
        break;
    }
}

void PosterPanel::slotChoixEcran()
{
    ClassParam &store = *m_host.paramPlayer;
    const int zones = ZoneLayout::zoneCount(store.getInfoBalise(QStringLiteral("CONFIGECRAN")));
    const int current = m_btnEcran->text().remove(tr("Ecran n°")).toInt();
    const int next = ZoneLayout::nextZone(current, zones);
    m_btnEcran->setText(tr("Ecran n°") + QString::number(next));
    if (!m_file.setEntry(QStringLiteral("NUMEROECRAN"), currentPoster(), QString::number(next), posterRows()))
        reportFailure(tr("La zone de l'affiche n'a pas pu être enregistrée."));
}

void PosterPanel::ActiveWidget(bool on)
{
    m_controlsActive = on;
    for (QWidget *w : std::initializer_list<QWidget *>{m_listVideo, m_listImage, m_listText, m_sliderOpacity,
                                                       m_btnOpacity, m_sliderTemps, m_btnTemps, m_host.posterList})
        w->setEnabled(on);

    if (on) {
        const auto unique = Qt::UniqueConnection;
        connect(m_listVideo, &QListWidget::currentRowChanged, this, &PosterPanel::SlotFichierVideo, unique);
        connect(m_listImage, &QListWidget::currentRowChanged, this, &PosterPanel::SlotFichierImage, unique);
        connect(m_listText, &QListWidget::currentRowChanged, this, &PosterPanel::SlotFichierTexte, unique);
        connect(m_sliderOpacity, &QSlider::valueChanged, this, &PosterPanel::SlotSliderOpacity, unique);
        connect(m_btnOpacity, &QPushButton::clicked, this, &PosterPanel::SlotClavierOpacity, unique);
        connect(m_sliderTemps, &QSlider::valueChanged, this, &PosterPanel::SlotSliderTempsDiffusion, unique);
        connect(m_btnTemps, &QPushButton::clicked, this, &PosterPanel::SlotClavierTempsDiffusion, unique);
    } else {
        disconnect(m_listVideo, &QListWidget::currentRowChanged, this, &PosterPanel::SlotFichierVideo);
        disconnect(m_listImage, &QListWidget::currentRowChanged, this, &PosterPanel::SlotFichierImage);
        disconnect(m_listText, &QListWidget::currentRowChanged, this, &PosterPanel::SlotFichierTexte);
        disconnect(m_sliderOpacity, &QSlider::valueChanged, this, &PosterPanel::SlotSliderOpacity);
        disconnect(m_btnOpacity, &QPushButton::clicked, this, &PosterPanel::SlotClavierOpacity);
        disconnect(m_sliderTemps, &QSlider::valueChanged, this, &PosterPanel::SlotSliderTempsDiffusion);
        disconnect(m_btnTemps, &QPushButton::clicked, this, &PosterPanel::SlotClavierTempsDiffusion);
    }
    if (m_host.wirePosterList) {
        m_host.wirePosterList(on);
    } else if (on) {
        connect(m_host.posterList, &QListWidget::itemSelectionChanged, this, &PosterPanel::slotItemSlide,
                Qt::UniqueConnection);
    } else {
        disconnect(m_host.posterList, &QListWidget::itemSelectionChanged, this, &PosterPanel::slotItemSlide);
    }
}

void PosterPanel::ActiveSlide(bool on)
{
    for (const char *caption : {"Supprimer", "Monter", "Descendre", "Renommer", "Date/Heure", "Réseaux", "Spéciales",
                                "Tactile", "Informations", "Orientation", "Alimentation", "Visualiser"})
        setButtonEnabled(QString::fromUtf8(caption), on);
    setButtonEnabled(QStringLiteral("Ajouter"), on && m_posterCount < maxPosters());

    for (QWidget *w : std::initializer_list<QWidget *>{m_host.posterList, m_listImage, m_listVideo, m_listText,
                                                       m_btnTemps, m_sliderTemps, m_previewFrame, m_capTextes,
                                                       m_capImages, m_capVideos, m_capTemps})
        w->setVisible(on);
    // The label keeps no text of an earlier screen (AfficheINFO clears it).
    if (m_host.playlistsLabel)
        m_host.playlistsLabel->setVisible(on && !m_host.playlistsLabel->text().isEmpty());

    if (!(m_host.deployRunning && m_host.deployRunning())) {
        for (const char *caption : {"Statistiques", "Editer", "Médiathèque", "Déployer"})
            setButtonEnabled(QString::fromUtf8(caption), on);
    }
}

// ---------------------------------------------------------------- poster detail

void PosterPanel::SelectFichier()
{
    ClassParam &store = *m_host.paramPlayer;
    m_file.readTable();
    const int r = currentPoster();
    for (QListWidget *l : {m_listImage, m_listVideo, m_listText}) {
        if (l->count() > 0)
            l->setCurrentRow(0);
    }
    if (r == -1 || r >= posterRows())
        return;

    const bool rotated = m_zoneOrientation == 90 || m_zoneOrientation == -90;
    for (const QString &key : PosterListFile::keys()) {
        const QStringList list = PosterListFile::entries(store.getInfoBalise(key));
        QString v = r < list.size() ? list.at(r) : QStringLiteral("NULL");
        const bool none = v.isEmpty() || v == QLatin1String("OFF");

        if (key == QLatin1String("SLIDETYPE")) {
            m_picWidget->hide();
            const QString picture = PosterValues::widgetPicture(v, m_zoneOrientation);
            if (!picture.isEmpty()) {
                showPicture(m_picWidget, picture);
                m_picWidget->show();
            }
        } else if (key == QLatin1String("SLIDEDELAY")) {
            int n = 0;
            v = PosterValues::shownDelay(v, &n);
            m_delayField = v;
            m_sliderTemps->setValue(n);
            if (n > m_sliderTemps->maximum())
                m_sliderTemps->setMaximum(n);
            m_btnTemps->setText(v + QStringLiteral("s"));
        } else if (key == QLatin1String("SLIDENAMEIMAGE")) {
            m_imageField = v;
            if (!none && QFile::exists(ApplicationPath + v)) {
                ImagePictureVisible(true);
                showPicture(m_picImage, ApplicationPath + v);
                m_listImage->setCurrentRow(SelectFichierDansLaListe(v));
            } else if (!none) {
                m_listImage->setCurrentRow(0);
                ImagePictureVisible(false);
            } else {
                ImagePictureVisible(false);
            }
        } else if (key == QLatin1String("SLIDENAMEIMAGECHK")) {
            m_imageChkField = v;
        } else if (key == QLatin1String("SLIDENAMEVIDEO")) {
            m_videoField = v;
            if (!none) {
                m_video->stop();
                m_video->show();
                if (rotated)
                    m_video->PlaySetSize(m_previewWidth - 2, m_previewHeight);
                else
                    m_video->PlaySetSize(m_previewWidth - 3, m_previewHeight - 1);
                // Gives the scene time to drop the previous source.
                QThread::msleep(500);
                if (QFile::exists(ApplicationPath + m_videoField)) {
                    m_video->PlayFile(ApplicationPath + m_videoField);
                    m_listVideo->setCurrentRow(SelectFichierDansLaListe(v));
                } else {
                    m_listVideo->setCurrentRow(0);
                    m_video->hide();
                    m_video->stop();
                }
            } else {
                m_video->hide();
                m_video->stop();
            }
            const QStringList parts = v.split(QLatin1Char('/'));
            if (parts.size() >= 2)
                m_videoNameField = parts.at(1);
        } else if (key == QLatin1String("SLIDENAMEVIDEOCHK")) {
            m_videoChkField = v;
        } else if (key == QLatin1String("SLIDENAMETXT")) {
            if (none || !QFile::exists(ApplicationPath + v)) {
                if (!none)
                    m_listText->setCurrentRow(0);
                m_picText->hide();
                m_textField.clear();
            } else {
                m_picText->show();
                m_textField = v;
                showPicture(m_picText, ApplicationPath + v);
                m_listText->setCurrentRow(SelectFichierDansLaListe(v));
            }
        } else if (key == QLatin1String("SLIDENAMETXTCHK")) {
            m_textChkField = v;
        } else if (key == QLatin1String("SLIDEOPACITY")) {
            const int o = PosterValues::shownOpacity(v);
            m_sliderOpacity->setValue(o);
            SetOpacityImage(o);
            m_btnOpacity->setText(v + QStringLiteral("%"));
        } else if (key == QLatin1String("DATEDEBUT")) {
            m_dateDebut = v;
        } else if (key == QLatin1String("HEUREDEBUT")) {
            m_heureDebut = v;
        } else if (key == QLatin1String("DATEDEBUT1")) {
            m_dateDebut1 = v;
        } else if (key == QLatin1String("HEUREDEBUT1")) {
            m_heureDebut1 = v;
        } else if (key == QLatin1String("DATEFIN")) {
            m_dateFin = v;
            const QString t = PosterValues::datePeriod(m_dateDebut, v, false);
            m_lblDate1->setText(t);
            m_lblDate1->setVisible(!t.isEmpty());
        } else if (key == QLatin1String("HEUREFIN")) {
            m_heureFin = v;
            const QString t = PosterValues::hourPeriod(m_heureDebut, v, false);
            m_lblHeure1->setText(t);
            m_lblHeure1->setVisible(!t.isEmpty());
        } else if (key == QLatin1String("DATEFIN1")) {
            m_dateFin1 = v;
            const QString t = PosterValues::datePeriod(m_dateDebut1, v, true);
            m_lblDate2->setText(t);
            m_lblDate2->setVisible(!t.isEmpty());
        } else if (key == QLatin1String("HEUREFIN1")) {
            m_heureFin1 = v;
            const QString t = PosterValues::hourPeriod(m_heureDebut1, v, true);
            m_lblHeure2->setText(t);
            m_lblHeure2->setVisible(!t.isEmpty());
        } else if (key == QLatin1String("JOURSSEMAINE")) {
            const QString t = PosterValues::weekdaysLine(v);
            m_lblJours->setText(t);
            m_lblJours->setVisible(!t.isEmpty());
        } else if (key == QLatin1String("NUMEROECRAN")) {
            m_btnEcran->setText(tr("Ecran n°") + v);
        }
    }

    const PosterValues::Power first = PosterValues::power(store.getInfoBalise(QStringLiteral("POWERTIME")), false);
    m_lblPower1->setText(first.period);
    m_lblPowerDays->setText(first.days);
    m_lblPower1->setVisible(first.visible);
    m_lblPowerDays->setVisible(first.visible);
    const PosterValues::Power second = PosterValues::power(store.getInfoBalise(QStringLiteral("POWERTIME1")), true);
    m_lblPower2->setText(second.period);
    m_lblPower2->setVisible(second.visible);

    // isHidden, not isVisible: the panel itself may not be on screen yet.
    m_capDate->setVisible(!m_lblDate1->isHidden() || !m_lblDate2->isHidden());
    m_capEcran->setVisible(!m_lblPower1->isHidden() || !m_lblPower2->isHidden());
    m_capHeure->setVisible(!m_lblHeure1->isHidden() || !m_lblHeure2->isHidden());

    m_previewGrid->addWidget(m_video, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    m_previewGrid->addWidget(m_picImage, 0, 0, Qt::AlignCenter);
    m_previewGrid->addWidget(m_picText, 0, 0, Qt::AlignCenter);
    m_previewFrame->setFixedSize(m_previewWidth + 20, m_previewHeight + 20);
}

void PosterPanel::clearSchedule()
{
    for (QLabel *l : {m_capDate, m_capHeure, m_capEcran, m_lblDate1, m_lblDate2, m_lblHeure1, m_lblHeure2, m_lblJours,
                      m_lblPower1, m_lblPowerDays, m_lblPower2}) {
        if (l != m_capDate && l != m_capHeure && l != m_capEcran)
            l->clear();
        l->hide();
    }
}

QString PosterPanel::transNumeroJoursToQString(QString digits)
{
    return PosterValues::weekdayNames(digits);
}

QStringList PosterPanel::detailRecord() const
{
    return {m_typeField,  m_delayField,     m_imageField, m_imageChkField, m_videoField,
            m_videoChkField, m_textField, m_textChkField, m_opacityField};
}

void PosterPanel::slotTextEdit()
{
    log(QStringLiteral("slotTextEdit"));
    m_video->stop();
    emit signalGetString(detailRecord());
    emit signalButton(4);
}

void PosterPanel::slotInitVideo()
{
    QListWidgetItem *item = m_listVideo->currentItem();
    if (m_listVideo->count() == 0 || !item || item->text() == QLatin1String("OFF"))
        return;
    m_video->stop();
    m_video->PlaySetSize(m_previewWidth, m_previewHeight);
    m_video->PlayFile(ApplicationPath + QStringLiteral("VIDEO/") + item->text());
}

void PosterPanel::SetString(int IndiceSlideToSave)
{
    const QList<QPair<QString, QString>> pairs{
        {QStringLiteral("SLIDEDELAY"), m_delayField},          {QStringLiteral("SLIDENAMEIMAGE"), m_imageField},
        {QStringLiteral("SLIDENAMEIMAGECHK"), m_imageChkField}, {QStringLiteral("SLIDENAMEVIDEO"), m_videoField},
        {QStringLiteral("SLIDENAMEVIDEOCHK"), m_videoChkField}, {QStringLiteral("SLIDENAMETXT"), m_textField},
        {QStringLiteral("SLIDENAMETXTCHK"), m_textChkField},    {QStringLiteral("SLIDEOPACITY"), m_opacityField},
    };
    bool failed = false;
    for (const auto &p : pairs) {
        if (!SetSlideStringToFile(p.first, IndiceSlideToSave, p.second))
            failed = true;
    }
    if (failed)
        ask(tr("Problème de connexion au serveur(SetString) | Veuillez contacter Orvex!!"), ClassBox::Error);
}

void PosterPanel::slotInteraction()
{
    log(QStringLiteral("slotInteraction"));
    if (!m_file.setValue(QStringLiteral("INTERACTION"), m_interaction ? QStringLiteral("NON") : QStringLiteral("OUI")))
        reportFailure(tr("L'interaction de l'écran n'a pas pu être enregistrée."));
    InfoPlayer();
}

// ---------------------------------------------------------------- media lists

void PosterPanel::fillMediaList(QListWidget *list, const QString &folder, const QStringList &patterns, bool pictures)
{
    list->setIconSize(mediaIconSize());
    const QIcon rowIcon = pictures ? thumbnailsOf(list)->placeholder() : QIcon(QStringLiteral(":/images/film.png"));
    list->clear();
    list->addItem(QStringLiteral("OFF"));
    for (const QString &name : PosterValues::mediaFiles(ApplicationPath + folder, patterns)) {
        list->addItem(new QListWidgetItem(rowIcon, name));
        qDebug().noquote() << "***UpdateMedia=" + name;
    }
}

ListThumbnails *PosterPanel::thumbnailsOf(QListWidget *list) const
{
    return list == m_listText ? m_textThumbnails : m_imageThumbnails;
}

QSize PosterPanel::mediaIconSize() const
{
    const QSize s = panelSize();
    return QSize(s.width() / m_iconDivisor, s.height() / m_iconDivisor);
}

void PosterPanel::UpdateMedia()
{
    // Refilling moves the current rows; that must not change any poster.
    for (QListWidget *l : {m_listVideo, m_listImage, m_listText})
        l->blockSignals(true);
    fillMediaList(m_listVideo, QStringLiteral("VIDEO/"), {QStringLiteral("*.mp4")}, false);
    fillMediaList(m_listImage, QStringLiteral("IMAGE/"), {QStringLiteral("*.png"), QStringLiteral("*.jpg")}, true);
    fillMediaList(m_listText, QStringLiteral("TEXT/"), {QStringLiteral("*.png")}, true);
    m_listImage->setCurrentRow(SelectFichierDansLaListe(m_imageField));
    m_listVideo->setCurrentRow(SelectFichierDansLaListe(shownVideoPath()));
    m_listText->setCurrentRow(SelectFichierDansLaListe(m_textField));
    for (QListWidget *l : {m_listVideo, m_listImage, m_listText})
        l->blockSignals(false);
}

QString PosterPanel::shownVideoPath() const
{
    // After a choice in the list the field holds the bare name.
    if (m_videoField.isEmpty() || m_videoField.contains(QLatin1Char('/')))
        return m_videoField;
    return QStringLiteral("VIDEO/") + m_videoField;
}

int PosterPanel::SelectFichierDansLaListe(QString path)
{
    QListWidget *list = listOf(PosterValues::folderOf(path));
    return list ? PosterValues::rowOf(path, rowTexts(list)) : 0;
}

void PosterPanel::ImagePictureVisible(bool visible)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_picImage, m_sliderOpacity, m_btnOpacity, m_capOpacite})
        w->setVisible(visible);
}

void PosterPanel::SetOpacityImage(int percent)
{
    m_opacityField = QString::number(percent);
    const double a = PosterValues::appliedOpacity(percent);
    auto *effect = new QGraphicsOpacityEffect(m_host.panel ? static_cast<QObject *>(m_host.panel) : this);
    effect->setOpacity(a);
    m_picImage->setGraphicsEffect(effect);
    qDebug().noquote() << "Valeur de l'opacité:" << QString::number(a, 'f', 2);
}

void PosterPanel::chooseMedia(QListWidget *list, const QString &folder, QLabel *label, QString *field,
                              QString *checksum, const QString &key, const QString &checksumKey)
{
    const QString path = PosterValues::mediaPath(folder, list->currentItem()->text());
    if (!path.isEmpty()) {
        showPicture(label, ApplicationPath + path);
        *field = path;
        *checksum = CalculChecksum(ApplicationPath + path);
    } else {
        field->clear();
        checksum->clear();
    }
    // The medium and its checksum go together or not at all.
    ActiveWidget(false);
    const bool ok = m_file.setEntries(currentPoster(), {{key, path}, {checksumKey, *checksum}}, posterRows());
    ActiveWidget(true);
    if (!ok)
        reportFailure(tr("Le média de l'affiche n'a pas pu être enregistré."));
}

void PosterPanel::SlotFichierImage()
{
    if (m_listImage->count() == 0 || m_listImage->currentRow() < 0)
        return;
    const bool chosen = !PosterValues::mediaPath(QStringLiteral("IMAGE/"), m_listImage->currentItem()->text()).isEmpty();
    ImagePictureVisible(chosen);
    chooseMedia(m_listImage, QStringLiteral("IMAGE/"), m_picImage, &m_imageField, &m_imageChkField,
                QStringLiteral("SLIDENAMEIMAGE"), QStringLiteral("SLIDENAMEIMAGECHK"));
    QString entry;
    if (m_host.screensList && m_host.screensList->currentItem())
        entry = m_host.screensList->currentItem()->text();
    emit signalupdateReseaux(m_host.accountName ? m_host.accountName() : QString(), entry);
    qDebug().noquote() << "ImagePicture:" + m_imageField;
}

void PosterPanel::SlotFichierTexte()
{
    if (m_listText->count() == 0 || m_listText->currentRow() < 0)
        return;
    const bool chosen = !PosterValues::mediaPath(QStringLiteral("TEXT/"), m_listText->currentItem()->text()).isEmpty();
    m_picText->setVisible(chosen);
    chooseMedia(m_listText, QStringLiteral("TEXT/"), m_picText, &m_textField, &m_textChkField,
                QStringLiteral("SLIDENAMETXT"), QStringLiteral("SLIDENAMETXTCHK"));
}

void PosterPanel::SlotFichierVideo()
{
    if (m_listVideo->count() == 0 || m_listVideo->currentRow() < 0)
        return;
    const QString name = m_listVideo->currentItem()->text();
    QString path = PosterValues::mediaPath(QStringLiteral("VIDEO/"), name);
    if (!path.isEmpty()) {
        qDebug().noquote() << "NomFichierVideo:" + ApplicationPath + path;
        m_video->stop();
        m_video->PlaySetSize(m_previewWidth, m_previewHeight);
        m_video->PlayFile(ApplicationPath + path);
        m_video->show();
        m_videoField = name;
        m_videoChkField = CalculChecksum(ApplicationPath + path);
    } else {
        m_video->stop();
        m_video->hide();
        m_videoField.clear();
        m_videoChkField.clear();
    }
    ActiveWidget(false);
    const bool ok = m_file.setEntries(currentPoster(),
                                      {{QStringLiteral("SLIDENAMEVIDEO"), path},
                                       {QStringLiteral("SLIDENAMEVIDEOCHK"), m_videoChkField}},
                                      posterRows());
    ActiveWidget(true);
    if (!ok)
        reportFailure(tr("Le média de l'affiche n'a pas pu être enregistré."));
}

void PosterPanel::SlotSliderOpacity(int value)
{
    if (QString::number(value) == m_opacityField)
        return;
    m_opacityField = QString::number(value);
    m_btnOpacity->setText(QString::number(value) + QStringLiteral("%"));
    SetOpacityImage(value);
    if (!SetSlideStringToFile(QStringLiteral("SLIDEOPACITY"), currentPoster(), m_opacityField))
        reportFailure(tr("L'opacité de l'affiche n'a pas pu être enregistrée."));
}

void PosterPanel::SlotSliderTempsDiffusion(int value)
{
    // What is stored is what the button shows, never above the user's maximum.
    const int t = PosterValues::clampDelay(value, maxDelay());
    if (QString::number(t) == m_delayField)
        return;
    m_delayField = QString::number(t);
    m_sliderTemps->setValue(t);
    m_btnTemps->setText(QString::number(t) + QStringLiteral("s"));
    if (!SetSlideStringToFile(QStringLiteral("SLIDEDELAY"), currentPoster(), m_delayField))
        reportFailure(tr("Le temps de diffusion n'a pas pu être enregistré."));
}

// Runs the numeric keypad over the panel and returns what was typed.
QString PosterPanel::askNumber(const QString &caption, const QString &value, const QString &mask)
{
    const QSize size = panelSize();
    auto *keypad = new NumClavier(1, size.width(), size.height(), nullptr);
    keypad->setChampClavier(caption, value, mask);
    keypad->setWindowFlags(Qt::FramelessWindowHint);
    keypad->exec();
    const QString typed = keypad->text();
    delete keypad;
    return typed;
}

void PosterPanel::SlotClavierOpacity()
{
    const QString typed = askNumber(tr("Opacité(%)"), m_opacityField, QStringLiteral("000;_"));
    int percent = 0;
    if (PosterValues::opacityEntry(typed, &percent))
        SlotSliderOpacity(percent);
    else if (!typed.trimmed().isEmpty())
        ask(tr("L'opacité doit être comprise entre 10 et 100%."), ClassBox::Information);
}

void PosterPanel::SlotClavierTempsDiffusion()
{
    const QString typed = askNumber(tr("Temps de diffusion (s)"), m_delayField, QStringLiteral("0000;_"));
    int seconds = 0;
    if (PosterValues::delayEntry(typed, &seconds))
        SlotSliderTempsDiffusion(seconds);
}

void PosterPanel::removeRowQuietly(QListWidget *list, int row, const QString &shownPath)
{
    const bool was = list->blockSignals(true);
    delete list->takeItem(row);
    list->setCurrentRow(SelectFichierDansLaListe(shownPath));
    list->blockSignals(was);
}

void PosterPanel::slotNewMedia(int type, QString nameFile)
{
    const QSize icon = mediaIconSize();
    QListWidget *list = nullptr;
    QString folder;
    switch (type) {
    case 0: list = m_listImage; folder = QStringLiteral("IMAGE/"); break;
    case 1: list = m_listVideo; folder = QStringLiteral("VIDEO/"); break;
    case 2: list = m_listText; folder = QStringLiteral("TEXT/"); break;
    default: return;
    }
    const QString name = withoutPrefix(nameFile, folder);
    const QString shown = type == 0 ? m_imageField : type == 1 ? shownVideoPath() : m_textField;
    const QList<QListWidgetItem *> same = list->findItems(name, Qt::MatchExactly);
    if (!same.isEmpty())
        removeRowQuietly(list, list->row(same.first()), shown);
    list->addItem(new QListWidgetItem(type == 1 ? QIcon(QStringLiteral(":/images/film.png"))
                                                : thumbnailsOf(list)->placeholder(),
                                      name));
    if (!same.isEmpty())
        selectQuietly(list, SelectFichierDansLaListe(shown));
    if (type == 1)
        list->setIconSize(icon);
    if (type == 2) {
        m_lastTextPicture = folder + name;
        list->update();
    }
}

void PosterPanel::slotSupprimeMedia(int type, QString NameToRemove)
{
    QListWidget *list = type == 0 ? m_listImage : type == 1 ? m_listVideo : type == 2 ? m_listText : nullptr;
    if (!list)
        return;
    const QList<QListWidgetItem *> found = list->findItems(NameToRemove, Qt::MatchExactly);
    if (found.isEmpty())
        return;
    const QString removed = (type == 0 ? QStringLiteral("IMAGE/") : type == 1 ? QStringLiteral("VIDEO/")
                                                                             : QStringLiteral("TEXT/"))
        + NameToRemove;
    const QString shown = type == 0 ? m_imageField : type == 1 ? shownVideoPath() : m_textField;
    // A replaced text picture that other posters still show stays on disk
    // and in the list; only the edited poster moves.
    if (!QFile::exists(ApplicationPath + removed))
        removeRowQuietly(list, list->row(found.first()), shown);

    // A text poster saved under a new name: the library announced the new
    // picture, now the old one goes; the poster that showed it takes the new one.
    if (type == 2 && list->count() > 0 && shown == removed && !m_lastTextPicture.isEmpty()
        && m_lastTextPicture != removed) {
        selectQuietly(list, SelectFichierDansLaListe(m_lastTextPicture));
        if (m_controlsActive)
            SlotFichierTexte();
    }
}

void PosterPanel::SlotNewWidget(QString ListWidget)
{
    m_picWidget->hide();
    const QString picture = PosterValues::widgetKindPicture(ListWidget, m_zoneOrientation);
    if (picture.isEmpty())
        return;
    showPicture(m_picWidget, picture);
    m_picWidget->show();
}

// ---------------------------------------------------------------- zone layout

void PosterPanel::InfoPlayer()
{
    ClassParam &store = *m_host.paramPlayer;
    m_file.readTable();
    const int rotation = ZoneLayout::rotationOf(store.getInfoBalise(QStringLiteral("ROTATION2")));
    const QString zones = ZoneLayout::zonesOf(store.getInfoBalise(QStringLiteral("CONFIGECRAN")));
    transQStringToEcran(QString::number(rotation), zones);

    QWidget *panel = m_host.panel;
    const int w = panel ? panel->width() : panelSize().width();
    const int h = panel ? panel->height() : panelSize().height();
    const ZoneLayout::Geometry g = ZoneLayout::geometry(rotation, zones, w);
    m_previewWidth = g.previewWidth;
    m_previewHeight = g.previewHeight;
    m_zoneOrientation = g.zoneOrientation;
    m_previewFrame->setMinimumSize(m_previewWidth + 20, m_previewHeight + 20);
    m_video->PlaySetSize(m_previewWidth, m_previewHeight);
    InfoEcran();
    emit signalResize(w, h, m_zoneOrientation);
    emit signalResize2(w, h, g.screenOrientation);
}

void PosterPanel::transQStringToEcran(QString rotation, QString zones)
{
    QString caption, icon;
    if (!ZoneLayout::layoutName(rotation, zones, &caption, &icon))
        return;
    m_orientationCaption = tr(caption.toUtf8().constData());
    if (QAbstractButton *b = button(QStringLiteral("Orientation"))) {
        b->setText(m_orientationCaption);
        b->setIcon(QIcon(icon));
    }
}

void PosterPanel::InfoEcran()
{
    ClassParam &store = *m_host.paramPlayer;
    const QString config = store.getInfoBalise(QStringLiteral("CONFIGECRAN"));
    const QString n = ZoneLayout::zoneOfPoster(store.getInfoBalise(QStringLiteral("NUMEROECRAN")), currentPoster());
    m_btnEcran->hide();
    if (ZoneLayout::showsScreenButton(config)) {
        m_btnEcran->setText(tr("Ecran n°") + n);
        m_btnEcran->show();
    }
}
