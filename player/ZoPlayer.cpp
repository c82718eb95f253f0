#include "ZoPlayer.h"

#include "AppGlobals.h"
#include "ClassBox.h"
#include "ClassParamS.h"
#include "ConsoleLogRecord.h"
#include "LiveContentTypes.h"
#include "PlayerSceneView.h"
#include "PlayerScreenFile.h"
#include "PreviewMoment.h"
#include "RssFeedCache.h"
#include "SceneCallBuilder.h"
#include "classVersion.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QDebug>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QQuickWidget>
#include <QSlider>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

const char *const BackStyle =
    "QPushButton {border-radius: 2px;border-style: outset;border-width: 1px;border-color: white;"
    "background-color:rgba(32,41,49,80%);}QPushButton:pressed {background-color:rgba(255,0,0,80%);}"
    "QPushButton:focus{ background-color: rgba(255,0,0,30%)}";

// The console's rules (white tool-button captions, transparent plain
// widgets) cascade into the date picker's pop-up and leave its month and
// year white on light grey. The calendar's own sheet wins over inherited ones.
const char *const CalendarStyle =
    "QWidget#qt_calendar_navigationbar {background-color: rgb(0,84,147);}"
    "QToolButton {color: white;background-color: rgb(0,84,147);border: none;border-image: none;"
    "margin: 2px;padding: 2px 6px;}"
    "QToolButton:hover, QToolButton:focus {background-color: rgb(0,60,110);}"
    "QToolButton:pressed {background-color: rgb(0,40,80);}"
    "QToolButton::menu-indicator {image: none;}"
    "QMenu {color: black;background-color: white;}"
    "QMenu::item:selected {color: white;background-color: rgb(0,84,147);}"
    "QSpinBox {color: black;background-color: white;}"
    "QAbstractItemView {color: black;background-color: white;"
    "selection-color: white;selection-background-color: rgb(0,84,147);}"
    "QAbstractItemView:disabled {color: rgb(110,110,110);}";

} // namespace

ZoPlayer::ZoPlayer(QWidget *parent)
    : QDialog(parent)
{
    QFont editorFont(QStringLiteral("Avenir"), int(FontRatio * 15), 75, false);
    QFont labelFont = editorFont;
    setStyleSheet(classVersion().StylePlayer());
    LiveContentTypes::registerTypes();

    m_scene = new PlayerSceneView(this);
    m_scene->load(QUrl(QStringLiteral("qrc:///qml/EcranPrincipal.qml")));
    m_scene->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto *viewGrid = new QGridLayout;
    viewGrid->setSpacing(0);
    viewGrid->setContentsMargins(0, 0, 0, 0);
    viewGrid->addWidget(m_scene, 0, 0, Qt::AlignCenter);

    m_dateTimeLabel = new QLabel(this);
    m_dateTimeLabel->setObjectName(QStringLiteral("playerLabel"));
    m_dateTimeLabel->setFont(labelFont);
    m_dateTimeLabel->setStyleSheet(QStringLiteral("color:rgba(255,255,255,100%);background-color:rgba(0,0,0,0%);"));

    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("playerSlider"));
    m_slider->setRange(0, 1439);

    m_timeEdit = new QTimeEdit(this);
    m_timeEdit->setObjectName(QStringLiteral("playerTime"));
    m_timeEdit->setFont(editorFont);
    m_timeEdit->setDisplayFormat(QStringLiteral("HH:mm"));
    m_dateEdit = new QDateEdit(this);
    m_dateEdit->setObjectName(QStringLiteral("playerDate"));
    m_dateEdit->setCalendarPopup(true);
    m_dateEdit->calendarWidget()->setStyleSheet(QString::fromLatin1(CalendarStyle));
    m_dateEdit->setFont(editorFont);

    m_back = new QPushButton(this);
    m_back->setObjectName(QStringLiteral("playerBack"));
    m_back->setIcon(QIcon(QStringLiteral(":/images/Retour.png")));
    m_back->setIconSize(QSize(35, 35));
    m_back->setStyleSheet(QString::fromLatin1(BackStyle));
    m_back->setAccessibleName(tr("Retour"));
    m_back->setToolTip(tr("Retour"));
    connect(m_back, &QPushButton::clicked, this, &ZoPlayer::slotQuitter);

    auto *controls = new QGridLayout;
    controls->addWidget(m_timeEdit, 0, 0);
    controls->addWidget(m_slider, 0, 1);
    controls->addWidget(m_dateEdit, 0, 2);
    controls->addWidget(m_dateTimeLabel, 1, 0, 1, 3, Qt::AlignHCenter | Qt::AlignVCenter);
    controls->addWidget(m_back, 2, 0, 1, 3);

    auto *outer = new QGridLayout;
    outer->addLayout(viewGrid, 0, 0);
    outer->addLayout(controls, 1, 0, Qt::AlignBottom);
    outer->setRowStretch(0, 1);

    m_timeEdit->setTime(QTime(12, 0, 0));
    m_slider->setValue(720);
    m_dateEdit->setDate(QDate::currentDate());

    m_container = new QLabel(this);
    m_container->setObjectName(QStringLiteral("playerContainer"));
    outer->setSpacing(5);
    outer->setContentsMargins(20, 20, 20, 20);
    m_container->setLayout(outer);
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(m_container);

    connect(m_slider, &QSlider::valueChanged, this, &ZoPlayer::slotNbreMinutes);
    connect(m_timeEdit, &QTimeEdit::timeChanged, this, &ZoPlayer::slotNbreSlide);
    connect(m_dateEdit, &QDateEdit::dateChanged, this, &ZoPlayer::slotDate);

    UpdateDateTime();

    m_rss = new RssFeedCache(this);
    connect(m_rss, &RssFeedCache::saveFailed, this, [this](const QString &message) {
        ClassBox box(message, ClassBox::Information, width(), height(), this);
        box.setWindowTitle(QStringLiteral("FTP"));
        box.exec();
    });
}

ZoPlayer::~ZoPlayer() = default;

QObject *ZoPlayer::sceneRoot() const
{
    return m_scene->root();
}

void ZoPlayer::UpdateDateTime()
{
    const QDate date = m_dateEdit->date();
    m_dateTimeLabel->setText(PreviewMoment::labelText(date, m_timeEdit->time()));
    show_CurrentDateTime();
    qDebug() << "slotSendCurrentDayOfWeek!!!!!!!!!!!!!!!!!!!!!!!!";
    m_scene->call({QStringLiteral("showCurrentDateDayOfWeek"), {PreviewMoment::weekday(date)}});
}

void ZoPlayer::show_CurrentDateTime()
{
    m_scene->call({QStringLiteral("showCurrentDateTime"),
                   {PreviewMoment::sceneDate(m_dateEdit->date()), PreviewMoment::sceneTime(m_timeEdit->time())}});
}

void ZoPlayer::InitPlayer()
{
    m_scene->call({QStringLiteral("init"), {}});
}

void ZoPlayer::UpdateZoPlayer()
{
    m_workFolder = ClassParamS::getNewPath(QString());
    const PlayerScreen s = PlayerScreenFile::read(m_workFolder);
    consoleLogDebug("applicationDirPath(): %s", m_workFolder.toLocal8Bit().constData());
    consoleLogDebug("Chemin Fichier: %s", s.images.value(0).toLocal8Bit().constData());

    show_SizeEcran(s.rotation, s.width, s.height, s.zoneLayout, SceneCallBuilder::Brand, SceneCallBuilder::Mode,
                   s.interaction);
    show_SiteWebTactile(s.webAppUrl, s.webAppTimeout);
    show_Meteo(s.types, s.zones, s.delays, s.meteoCity, s.meteoLangue, s.meteoZip);
    show_DateTime2(s.dateDebut, s.heureDebut, s.dateFin, s.heureFin, s.dateDebut1, s.heureDebut1, s.dateFin1,
                   s.heureFin1, s.weekdays, s.zones);
    const QStringList feeds = RssTransLocal(s.types, s.rssAddresses);
    show_media3(s.types, s.delays, s.videos, s.images, s.opacities, s.texts, s.zones, feeds, s.rssDelays);
}

QStringList ZoPlayer::RssTransLocal(QStringList types, QStringList addresses)
{
    m_rss->setWorkFolder(m_workFolder.isEmpty() ? ClassParamS::getNewPath(QString()) : m_workFolder);
    return m_rss->RssTransLocal(types, addresses);
}

QStringList ZoPlayer::rssFeeds() const
{
    return m_rss->feedList();
}

void ZoPlayer::slotRssLocal()
{
    m_rss->slotRssLocal();
}

void ZoPlayer::slotRefreshRss()
{
    m_rss->slotRefreshRss();
}

void ZoPlayer::httpFinished()
{
    m_rss->httpFinished();
}

void ZoPlayer::httpReadyRead()
{
    m_rss->httpReadyRead();
}

void ZoPlayer::updateDataTransferProgress(qint64 readBytes, qint64 totalBytes)
{
    m_rss->updateDataTransferProgress(readBytes, totalBytes);
}

void ZoPlayer::show_SizeEcran(QString rotation, QString width, QString height, QStringList layout, QString brand,
                              QString mode, QString interaction)
{
    m_scene->call(SceneCallBuilder::sizeEcran(rotation, width, height, layout, brand, mode, interaction));
}

void ZoPlayer::show_SiteWebTactile(QString url, QString timeout)
{
    m_scene->call(SceneCallBuilder::siteWebTactile(url, timeout));
}

void ZoPlayer::show_Meteo(QStringList types, QStringList zones, QStringList delays, QStringList cities,
                          QStringList languages, QStringList zips)
{
    m_scene->call(SceneCallBuilder::meteo(types, zones, delays, cities, languages, zips));
}

void ZoPlayer::show_DateTime2(QStringList dateDebut, QStringList heureDebut, QStringList dateFin,
                              QStringList heureFin, QStringList dateDebut1, QStringList heureDebut1,
                              QStringList dateFin1, QStringList heureFin1, QStringList weekdays, QStringList zones)
{
    m_scene->call(SceneCallBuilder::dateTime2(dateDebut, heureDebut, dateFin, heureFin, dateDebut1, heureDebut1,
                                              dateFin1, heureFin1, weekdays, zones));
}

void ZoPlayer::show_media3(QStringList types, QStringList delays, QStringList videos, QStringList images,
                           QStringList opacities, QStringList texts, QStringList zones, QStringList rssSources,
                           QStringList rssDelays)
{
    const QString work = m_workFolder.isEmpty() ? ClassParamS::getNewPath(QString()) : m_workFolder;
    m_scene->call(SceneCallBuilder::media3(types, delays, videos, images, opacities, texts, zones, rssSources,
                                           rssDelays, work));
}

void ZoPlayer::PlaySetSize(int w, int h)
{
    setMaximumSize(w, h);
    setMinimumSize(w, h);
}

void ZoPlayer::slotNbreMinutes(int Minutes)
{
    m_minutes = Minutes;
    m_timeEdit->setTime(PreviewMoment::timeOfMinutes(Minutes));
    UpdateDateTime();
}

void ZoPlayer::slotNbreSlide(QTime timechange)
{
    m_slider->setValue(PreviewMoment::minutesOfTime(timechange));
    UpdateDateTime();
}

void ZoPlayer::slotDate(QDate datechange)
{
    Q_UNUSED(datechange);
    UpdateDateTime();
}

void ZoPlayer::slotResize(int w, int h, int rotation)
{
    QFont labelFont(QStringLiteral("Avenir"), PreviewMoment::labelPointSize(h, FontRatio), 50, false);
    setMinimumSize(w, h);
    m_container->setPixmap(QPixmap(classVersion().BackgroundColor())
                               .scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    m_dateTimeLabel->setFont(labelFont);
    for (QWidget *control : {static_cast<QWidget *>(m_timeEdit), static_cast<QWidget *>(m_slider),
                             static_cast<QWidget *>(m_dateEdit), static_cast<QWidget *>(m_dateTimeLabel)})
        control->setVisible(true);
    const QSize preview = PreviewMoment::previewSize(w, h, rotation);
    consoleLogDebug("LARGEURTV=%d HAUTEURTV%d", preview.width(), preview.height());
    m_scene->setMaximumSize(preview);
    m_scene->setRootSize(preview.width(), preview.height());
    for (QWidget *picker : {static_cast<QWidget *>(m_dateEdit), static_cast<QWidget *>(m_timeEdit)}) {
        picker->setMinimumHeight(50);
        picker->setMinimumWidth(180);
    }
}

void ZoPlayer::slotQuitter()
{
    // No feed is fetched, and no box comes up, for a page nobody sees.
    m_rss->stop();
    InitPlayer();
    emit signalButton(0);
}

void ZoPlayer::reject()
{
    slotQuitter();
}
