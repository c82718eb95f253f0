#include "TextEdit.h"

#include "AppGlobals.h"
#include "Checksum.h"
#include "ClassBox.h"
#include "PosterArea.h"
#include "SlideDescription.h"
#include "TextFormatBar.h"
#include "TextLayer.h"
#include "TextPosterWriter.h"
#include "classVersion.h"
#include "qmlvideoplayer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimeEdit>
#include <QToolBar>

namespace {

const char *const kGrey = "color:rgba(0,0,0,100%);background-color:rgba(157,157,155,100%);";
const char *const kBlack = "color:rgba(0,0,0,100%);";
const char *const kGreen = "color:rgba(0,255,0,100%);background-color:rgba(0,0,0,50%);";
const char *const kRed = "color:rgba(255,0,0,100%);background-color:rgba(0,0,0,50%);";
const char *const kTextStyle = "color:rgba(255,255,255,100%);background-color:rgba(0,0,0,0%);";
// Each picture list item keeps the folder its file is in.
const int kFolderRole = Qt::UserRole;

QFont avenir(int base, int weight)
{
    return QFont(QStringLiteral("Avenir"), qMax(1, int(FontRatio * base)), weight);
}

QToolBar *makeWindowBar(const QString &title, QWidget *parent)
{
    auto *bar = new QToolBar(title, parent);
    bar->setStyleSheet(QLatin1String(kBlack));
    bar->setMovable(true);
    bar->setFloatable(false);
    bar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    return bar;
}

QLabel *makeLabel(const QString &text, const char *style, const QFont &font)
{
    auto *label = new QLabel(text);
    label->setStyleSheet(QLatin1String(style));
    label->setFont(font);
    return label;
}

} // namespace

TextEdit::TextEdit(QWidget *parent)
    : QWidget(parent)
{
    setMinimumSize(1024, 720);
    m_mainIconSize = 30;
    m_secondIconSize = 30;
    m_workFolder = ApplicationPath;
    const PosterArea area = PosterArea::fitUnbounded(m_width, m_height, m_rotation);
    m_areaWidth = area.width;
    m_areaHeight = area.height;

    m_background = new QLabel(this);
    m_background->setScaledContents(true);
    m_background->setPixmap(QPixmap(classVersion().BackgroundColor()));
    m_textEdit = new QTextEdit;
    setupTextActions();
    buildFrame();
}

TextEdit::~TextEdit() = default;

QAction *TextEdit::addCaption(QToolBar *bar, const QString &icon, const QString &text)
{
    QAction *a = bar->addAction(QIcon(QStringLiteral(":/images/Editer/") + icon), text);
    a->setEnabled(true);
    return a;
}

void TextEdit::fillMediaList(QComboBox *list, const QString &folder, const QStringList &filters)
{
    const QStringList names = QDir(m_workFolder + folder)
                                  .entryList(filters, QDir::Files | QDir::NoDotAndDotDot,
                                             QDir::Name | QDir::IgnoreCase);
    for (const QString &name : names)
        list->addItem(name, folder);
}

QComboBox *TextEdit::addMediaList(const QString &name, const QString &folder, const QStringList &filters)
{
    auto *list = new QComboBox(this);
    list->setObjectName(name);
    list->setEditable(false);
    list->setStyleSheet(QLatin1String(kGrey));
    list->setFont(avenir(13, 75));
    list->addItem(QString(), folder);
    fillMediaList(list, folder, filters);
    list->setCurrentIndex(0);
    return list;
}

void TextEdit::setupTextActions()
{
    const QFont small = avenir(13, 75);
    m_formatBar = new QToolBar(this);
    m_formatBar->setWindowTitle(tr("Format Actions"));
    m_formatBar->setStyleSheet(QLatin1String(kGrey));
    m_formatBar->setIconSize(QSize(m_mainIconSize, m_mainIconSize));
    m_formatBar->setMovable(true);
    m_formatBar->setFloatable(true);
    m_formatBar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);

    m_actionImages = addCaption(m_formatBar, QStringLiteral("BackPicture.png"), tr("&Images"));
    m_comboPicture = addMediaList(QStringLiteral("comboPicture"), QStringLiteral("IMAGE/"),
                                  {QStringLiteral("*.png"), QStringLiteral("*.jpg")});
    m_formatBar->addWidget(m_comboPicture);
    connect(m_comboPicture, &QComboBox::currentTextChanged, this, &TextEdit::PictureFontText);
    m_opacityBox = new QSpinBox(this);
    m_opacityBox->setRange(0, 100);
    m_opacityBox->setValue(100);
    m_opacityBox->setEnabled(false);
    m_opacityBox->setStyleSheet(QLatin1String(kGrey));
    m_opacityBox->setFont(small);
    m_formatBar->addWidget(m_opacityBox);
    connect(m_opacityBox, QOverload<int>::of(&QSpinBox::valueChanged), this, &TextEdit::PictureOpacity);
    m_formatBar->addWidget(makeLabel(QStringLiteral("%"), kGrey, small));
    m_formatBar->addSeparator();

    m_actionVideos = addCaption(m_formatBar, QStringLiteral("BackVideo.png"), tr("&Vidéos"));
    m_comboVideo = addMediaList(QStringLiteral("comboVideo"), QStringLiteral("VIDEO/"),
                                {QStringLiteral("*.mp4"), QStringLiteral("*.wmv")});
    m_formatBar->addWidget(m_comboVideo);
    connect(m_comboVideo, &QComboBox::currentTextChanged, this, &TextEdit::VideoLoading);
    m_actionPlay = m_formatBar->addAction(QIcon(QStringLiteral(":/images/Editer/Play.png")), tr("&Play"), this,
                                          &TextEdit::filePlay);
    m_formatBar->addSeparator();

    m_actionTemps = addCaption(m_formatBar, QStringLiteral("Chrono.png"), tr("&Temps diffusion(s)"));
    m_timeBox = new QSpinBox(this);
    m_timeBox->setRange(0, 999);
    m_timeBox->setStyleSheet(QLatin1String(kGrey));
    m_timeBox->setFont(small);
    m_formatBar->addWidget(m_timeBox);
    m_formatBar->addWidget(makeLabel(QStringLiteral("S"), kGrey, small));
    m_formatBar->addSeparator();

    auto checkable = [this](const QString &theme, const QString &resource, const QString &text) {
        QAction *a = m_formatBar->addAction(
            QIcon::fromTheme(theme, QIcon(QStringLiteral(":/images/Editer/") + resource)), text);
        a->setCheckable(true);
        return a;
    };
    m_actionText = checkable(QStringLiteral("Ajouter-text"), QStringLiteral("text.png"), tr("&Ajouter du texte"));
    connect(m_actionText, &QAction::triggered, this, &TextEdit::textActivation);
    m_actionHeure = checkable(QStringLiteral("Heure"), QStringLiteral("Heure.png"), tr("&Heure"));
    connect(m_actionHeure, &QAction::triggered, this, &TextEdit::textHeure);
    m_actionCalendrier = checkable(QStringLiteral("Calendrier"), QStringLiteral("calendrier.png"), tr("&Calendrier"));
    connect(m_actionCalendrier, &QAction::triggered, this, &TextEdit::textCalendrier);
    m_actionSave = m_formatBar->addAction(QIcon(QStringLiteral(":/images/Editer/Sauvegarder.png")),
                                          tr("&Sauvegarder"), this, &TextEdit::fileSave);
    m_actionQuit = m_formatBar->addAction(QIcon(QStringLiteral(":/images/Editer/Fermer.png")), tr("&Quitter"), this,
                                          &TextEdit::slotQuitter);

    m_videoName = m_param.getParamCrypt(m_workFolder + QStringLiteral("DATA/PLAYER.orvex"),
                                        QStringLiteral("SLIDENAMEVIDEO"), 0);
    m_videoPathLabel = new QLabel(m_videoName, this);
    m_videoPathLabel->hide();
    m_secondLabel = new QLabel(m_videoName, this);
    m_secondLabel->hide();

    m_textBar = new TextFormatBar(m_textEdit, this, TextFormatBar::Options::sibling());
    m_textBar->setOrientation(Qt::Vertical);
    m_textBar->setMovable(true);
    m_textBar->setFloatable(false);
    m_textBar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    connect(m_textBar, &TextFormatBar::touched, this, &TextEdit::setModified);

    const QFont labelFont = avenir(10, 75);
    m_dateBar = makeWindowBar(tr("Calendrier"), this);
    m_dateBar->addWidget(makeLabel(tr("Date de départ:"), kGreen, labelFont));
    m_startDate = new QDateEdit;
    m_dateBar->addWidget(m_startDate);
    m_dateBar->addWidget(makeLabel(tr("  Date de fin:"), kRed, labelFont));
    m_endDate = new QDateEdit;
    m_dateBar->addWidget(m_endDate);
    for (QDateEdit *edit : {m_startDate, m_endDate}) {
        edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        edit->setFont(small);
        edit->setCalendarPopup(true);
    }

    m_timeBar = makeWindowBar(tr("Calendrier"), this);
    m_timeBar->addWidget(makeLabel(tr("Heure de départ:"), kGreen, labelFont));
    m_startTime = new QTimeEdit;
    m_timeBar->addWidget(m_startTime);
    m_timeBar->addWidget(makeLabel(tr("  Heure de fin:"), kRed, labelFont));
    m_endTime = new QTimeEdit;
    m_timeBar->addWidget(m_endTime);
    for (QTimeEdit *edit : {m_startTime, m_endTime}) {
        edit->setDisplayFormat(QStringLiteral("hh:mm:ss"));
        edit->setFont(small);
        edit->setCalendarPopup(true);
    }
    m_dateBar->hide();
    m_timeBar->hide();
}

void TextEdit::buildFrame()
{
    m_frame = new QFrame;
    m_frame->setFrameShape(QFrame::NoFrame);
    m_frame->setStyleSheet(QStringLiteral("background-color: rgba(0,0,0,0%); color:transparent;"));
    m_frame->setAutoFillBackground(false);
    m_textEdit->setStyleSheet(QLatin1String(kTextStyle));
    QFont font(QStringLiteral("Avenir"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(20);
    m_textEdit->setFont(font);
    m_textEdit->setFocus();
    m_numberLabel = new QLabel(this);
    m_numberLabel->setStyleSheet(QLatin1String(kTextStyle));
    m_numberLabel->setFont(avenir(15, 75));
    m_numberLabel->hide();

    // One preview on every platform, so that every step drives a real one.
    m_video = new qmlvideoplayer(this);
    m_video->hide();
    m_pictureLabel = new QLabel(this);
    m_pictureLabel->setAlignment(Qt::AlignCenter);

    connect(m_textEdit, &QTextEdit::currentCharFormatChanged, this, &TextEdit::currentCharFormatChanged);
    connect(m_textEdit, &QTextEdit::cursorPositionChanged, this, &TextEdit::cursorPositionChanged);
    connect(m_textEdit, &QTextEdit::cursorPositionChanged, this, &TextEdit::SlotTxtChange);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TextEdit::clipboardDataChanged);
    alignmentChanged(m_textEdit->alignment());

    auto *frameGrid = new QGridLayout(m_frame);
    frameGrid->setContentsMargins(0, 0, 0, 0);
    frameGrid->setSpacing(0);
    frameGrid->addWidget(m_video, 0, 0, Qt::AlignCenter);
    frameGrid->addWidget(m_pictureLabel, 0, 0, Qt::AlignCenter);
    frameGrid->addWidget(m_textEdit, 0, 0);
    // The frame stands for the box's screen: the grab is taken over it.
    m_frame->setFixedSize(m_areaWidth, m_areaHeight);

    auto *grid = new QGridLayout(m_background);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(m_formatBar, 0, 0, 1, 2, Qt::AlignHCenter | Qt::AlignTop);
    grid->addWidget(m_frame, 1, 0, 3, 2, Qt::AlignCenter);
    grid->addWidget(m_textBar, 2, 0, 1, 2, Qt::AlignLeft | Qt::AlignBottom);
    grid->addWidget(m_dateBar, 3, 0, Qt::AlignLeft | Qt::AlignBottom);
    grid->addWidget(m_timeBar, 3, 1, Qt::AlignRight | Qt::AlignBottom);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(1, 10);
    grid->setRowStretch(2, 10);
    grid->setRowStretch(3, 1);

    auto *pageLayout = new QGridLayout(this);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(m_background, 0, 0);
}

void TextEdit::slotResize(int w, int h, int rotation)
{
    m_width = w;
    m_height = h;
    setMinimumSize(w, h);
    m_background->setPixmap(QPixmap(classVersion().BackgroundColor())
                                .scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    m_background->setMinimumSize(w, h);
    m_rotation = rotation;
    const PosterArea area = PosterArea::fitUnbounded(w, h, rotation);
    m_areaWidth = area.width;
    m_areaHeight = area.height;
    m_frame->setFixedSize(m_areaWidth, m_areaHeight);
    PictureFontText(m_comboPicture->currentText());
    textActivation();
}

void TextEdit::textActivation()
{
    const bool on = m_actionText->isChecked();
    m_textEdit->setVisible(on);
    m_textBar->setVisible(on);
    m_secondIconSize = on ? 30 : 0;
    m_mainIconSize = 30;
    Resize();
}

void TextEdit::Resize()
{
    m_formatBar->setIconSize(QSize(m_mainIconSize, m_mainIconSize));
    for (QToolBar *bar : {static_cast<QToolBar *>(m_textBar), m_dateBar, m_timeBar})
        bar->setIconSize(QSize(m_secondIconSize, m_secondIconSize));
    PictureFontText(m_comboPicture->currentText());
}

QString TextEdit::pictureFolder() const
{
    const int index = m_comboPicture->currentIndex();
    const QString folder = index >= 0 ? m_comboPicture->itemData(index, kFolderRole).toString() : QString();
    return folder.isEmpty() ? QStringLiteral("IMAGE/") : folder;
}

void TextEdit::showPicture(int opacity, bool portraitRule)
{
    const QSize area(m_areaWidth, m_areaHeight);
    QImage picture(m_picturePath);
    if (picture.isNull()) {
        m_pictureLabel->setPixmap(QPixmap());
        return;
    }
    picture = picture.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const double ratio = double(picture.width()) / qMax(1, picture.height());
    const bool stretch = portraitRule && PosterArea::isPortrait(m_rotation) ? ratio < 0.6 : ratio > 1.5;
    if (stretch)
        picture = QImage(m_picturePath).scaled(area, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage canvas(picture.size(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setOpacity(opacity / 100.0);
    painter.drawImage(0, 0, picture);
    painter.end();
    m_pictureLabel->setPixmap(QPixmap::fromImage(canvas));
}

void TextEdit::PictureFontText(QString name)
{
    if (name.isEmpty()) {
        m_pictureLabel->hide();
        const QSignalBlocker blocker(m_opacityBox);
        m_opacityBox->setEnabled(false);
        m_opacityBox->setValue(100);
        return;
    }
    m_opacityBox->setEnabled(true);
    m_pictureLabel->show();
    m_picturePath = m_workFolder + pictureFolder() + name;
    showPicture(m_opacityBox->text().toInt(), true);
}

void TextEdit::PictureOpacity(int value)
{
    if (value < 10)
        return;
    setModified();
    showPicture(value, false);
}

void TextEdit::VideoLoading(QString name)
{
    setModified();
    m_videoPathLabel->setText(m_workFolder + QStringLiteral("VIDEO/") + name);
    if (!name.isEmpty()) {
        m_actionPlay->setEnabled(true);
        m_video->show();
        filePlay();
    } else {
        m_actionPlay->setEnabled(false);
        m_video->stop();
        m_video->hide();
    }
}

bool TextEdit::filePlay()
{
    m_video->PlaySetSize(m_areaWidth, m_areaHeight);
    m_video->PlayFile(m_videoPathLabel->text());
    qDebug().noquote() << "Chemin fichier video: " + m_videoPathLabel->text();
    return true;
}

void TextEdit::textCalendrier()
{
    if (m_actionCalendrier->isChecked()) {
        m_dateBar->show();
        if (m_dateFresh) {
            m_startDate->setDate(QDate::currentDate());
            m_endDate->setDate(QDate::currentDate().addDays(1));
        }
    } else {
        m_dateBar->hide();
    }
}

void TextEdit::textHeure()
{
    if (m_actionHeure->isChecked()) {
        m_timeBar->show();
        if (m_timeFresh) {
            const QTime now = QTime::currentTime();
            const QTime start(now.hour(), now.minute(), now.second());
            m_startTime->setTime(start);
            m_endTime->setTime(start.addSecs(m_timeBox->value()));
        }
    } else {
        m_timeBar->hide();
    }
}

void TextEdit::slotGetString(QStringList ListInfoSlide)
{
    for (QComboBox *list : {m_comboPicture, m_comboVideo}) {
        const QString folder = list == m_comboPicture ? QStringLiteral("IMAGE/") : QStringLiteral("VIDEO/");
        list->clear();
        list->addItem(QString(), folder);
    }
    m_modified = false;
    fillMediaList(m_comboPicture, QStringLiteral("IMAGE/"), {QStringLiteral("*.png"), QStringLiteral("*.jpg")});
    fillMediaList(m_comboVideo, QStringLiteral("VIDEO/"), {QStringLiteral("*.mp4"), QStringLiteral("*.wmv")});

    const QStringList &list = ListInfoSlide;
    const int n = list.size();
    if (n > 0)
        m_numberLabel->setText(QStringLiteral("N°") + list.at(0));
    if (n > 1)
        m_secondLabel->setText(list.at(1));
    if (n > 2)
        m_timeBox->setValue(QString(list.at(2)).remove(QLatin1Char('s')).toInt());
    if (n > 3)
        m_comboPicture->setCurrentText(QString(list.at(3)).remove(QStringLiteral("IMAGE/")));
    if (n > 4) {
        const QString name = QString(list.at(4)).remove(QStringLiteral("VIDEO/"));
        m_comboVideo->setCurrentText(name);
        m_videoPathLabel->setText(m_workFolder + QStringLiteral("VIDEO/") + name);
        if (!name.isEmpty())
            filePlay();
    }
    if (n > 5) {
        if (!list.at(5).isEmpty()) {
            m_textEdit->setText(LoadTXT(SlideDescription::slideStem(m_numberLabel->text())));
            m_actionText->setChecked(true);
        } else {
            m_textEdit->clear();
            m_actionText->setChecked(false);
        }
        textActivation();
    }
    if (n > 6)
        m_opacityBox->setValue(list.at(6).toInt());
    auto window = [](const QString &value, bool &fresh, QAction *action) {
        const bool given = !value.isEmpty() && value != QLatin1String("NULL");
        fresh = !given;
        action->setChecked(given);
    };
    if (n > 7) {
        window(list.at(7), m_dateFresh, m_actionCalendrier);
        textCalendrier();
        const QDate date = QDate::fromString(list.at(7), QStringLiteral("dd/MM/yyyy"));
        if (date.isValid())
            m_startDate->setDate(date);
    }
    if (n > 8) {
        window(list.at(8), m_timeFresh, m_actionHeure);
        textHeure();
        const QTime time = QTime::fromString(list.at(8), QStringLiteral("hh:mm:ss"));
        if (time.isValid())
            m_startTime->setTime(time);
    }
    if (n > 9) {
        const QDate date = QDate::fromString(list.at(9), QStringLiteral("dd/MM/yyyy"));
        if (date.isValid())
            m_endDate->setDate(date);
    }
    if (n > 10) {
        const QTime time = QTime::fromString(list.at(10), QStringLiteral("hh:mm:ss"));
        if (time.isValid())
            m_endTime->setTime(time);
    }
}

void TextEdit::SlotUpdateListPicture()
{
    fillMediaList(m_comboPicture, QStringLiteral("TEXT/"), {QStringLiteral("*.png"), QStringLiteral("*.jpg")});
    m_comboPicture->setCurrentIndex(0);
}

void TextEdit::fileOpen()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Ouvrir un fichier..."), QString(),
                                                      tr("Fichier Multimedia (*.png *.jpg *.mp4);;All Files (*)"));
    if (path.isEmpty())
        return;
    m_videoPathLabel->setText(path.section(QLatin1Char('/'), -1));
    m_videoName = path;
}

void TextEdit::restoreBars()
{
    m_textBar->setVisible(m_actionText->isChecked());
    m_dateBar->setVisible(m_actionCalendrier->isChecked());
    m_timeBar->setVisible(m_actionHeure->isChecked());
    m_actionQuit->setEnabled(true);
    m_actionQuit->setVisible(true);
}

bool TextEdit::fileSave()
{
    m_actionQuit->setEnabled(false);
    m_actionQuit->setVisible(false);
    if (m_actionText->isChecked())
        m_textBar->hide();
    if (m_actionCalendrier->isChecked())
        m_dateBar->hide();
    if (m_actionHeure->isChecked())
        m_timeBar->hide();

    auto stop = [this](const QString &message) {
        auto *box = new ClassBox(message, ClassBox::Error, width(), height(), this);
        box->exec();
        delete box;
        restoreBars();
        return false;
    };
    SlideDescription slide;
    if (m_actionHeure->isChecked()) {
        const QString error = SlideDescription::timeWindowError(m_startTime->time(), m_endTime->time());
        if (!error.isEmpty())
            return stop(error);
        slide.startTime = m_startTime->text();
        slide.endTime = m_endTime->text();
    }
    if (m_actionCalendrier->isChecked()) {
        const QString error = SlideDescription::dateWindowError(m_startDate->date(), m_endDate->date());
        if (!error.isEmpty())
            return stop(error);
        slide.startDate = m_startDate->text();
        slide.endDate = m_endDate->text();
    }

    slide.displayTime = m_timeBox->value();
    slide.opacity = m_opacityBox->value();
    slide.videoName = m_comboVideo->currentText();
    m_videoChecksum = slide.videoName.isEmpty()
                          ? QString()
                          : CalculChecksum(m_workFolder + QStringLiteral("VIDEO/") + slide.videoName);
    slide.videoChecksum = m_videoChecksum;
    slide.pictureName = m_comboPicture->currentText();
    slide.pictureFolder = pictureFolder();
    m_pictureChecksum = slide.pictureName.isEmpty() ? QString()
                                                    : CalculChecksum(m_workFolder + slide.pictureFolder + slide.pictureName);
    slide.pictureChecksum = m_pictureChecksum;

    const QString stem = SlideDescription::slideStem(m_numberLabel->text());
    const bool textShown = m_actionText->isChecked();
    const bool opaque = m_opacityBox->text() == QLatin1String("100");
    bool makePicture = !(!textShown && opaque);
    if (makePicture) {
        // The background as shown, then the text drawn over it as laid out.
        m_textEdit->hide();
        m_poster = m_frame->grab();
        m_textEdit->setVisible(textShown);
        if (m_textEdit->toPlainText().isEmpty() && opaque)
            makePicture = false;
    }
    if (makePicture) {
        const QSize target = PosterArea::isPortrait(m_rotation) ? QSize(1080, 1920) : QSize(1920, 1080);
        QImage picture = m_poster.toImage()
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied)
                             .scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (textShown)
            TextLayer::paint(picture, m_textEdit, m_frame, m_frame->rect());
        TextPosterWriter writer(m_workFolder, QStringLiteral("DATA/"));
        if (!writer.write(stem, picture, m_textEdit->toHtml()))
            return stop(writer.error());
        m_textPictureChecksum = CalculChecksum(m_workFolder + writer.pictureFile(stem));
        slide.textPicture = writer.pictureFile(stem);
        slide.textPictureChecksum = m_textPictureChecksum;
    } else {
        RemoveTXT(stem);
        m_textPictureChecksum.clear();
    }
    emit SetString(slide.toList());
    m_modified = false;
    restoreBars();
    return true;
}

void TextEdit::SaveTXT(QString titre, QString text)
{
    if (!TextPosterWriter(m_workFolder, QStringLiteral("DATA/")).writeText(titre, text))
        qDebug().noquote() << "qERROR: " + m_workFolder + "DATA/" + " write\n";
}

QString TextEdit::LoadTXT(QString titre)
{
    bool ok = false;
    const QString text = TextPosterWriter::readText(m_workFolder + QStringLiteral("DATA/") + titre + ".txt", &ok);
    if (ok)
        qDebug().noquote() << " [ui] " + text;
    else
        qDebug().noquote() << "qERROR: " + titre + " read\n";
    return text;
}

void TextEdit::RemoveTXT(QString titre)
{
    TextPosterWriter(m_workFolder, QStringLiteral("DATA/")).remove(titre);
}

QString TextEdit::CalculChecksum(QString path)
{
    return ::CalculChecksum(path);
}

bool TextEdit::load(const QString &f)
{
    return TextLayer::load(m_textEdit, f);
}

void TextEdit::slotQuitter()
{
    if (m_modified) {
        auto *question = new ClassBox(tr("Etes vous sur de vouloir quitter?"), ClassBox::Question, m_width, m_height,
                                      this);
        question->exec();
        const bool ok = question->text() == 0;
        delete question;
        if (!ok)
            return;
    }
    setFocus();
    m_video->stop();
    hide();
}

void TextEdit::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

void TextEdit::SlotTxtChange()
{
    setModified();
}

void TextEdit::textBold() { m_textBar->textBold(); }
void TextEdit::textUnderline() { m_textBar->textUnderline(); }
void TextEdit::textItalic() { m_textBar->textItalic(); }
void TextEdit::textFamily(QString f) { m_textBar->textFamily(f); }
void TextEdit::textSize(QString p) { m_textBar->textSize(p); }
void TextEdit::textStyle(int styleIndex) { m_textBar->textStyle(styleIndex); }
void TextEdit::textColor() { m_textBar->textColor(); }
void TextEdit::textAlign(QAction *a) { m_textBar->textAlign(a); }
void TextEdit::currentCharFormatChanged(QTextCharFormat format) { m_textBar->currentCharFormatChanged(format); }
void TextEdit::cursorPositionChanged() { m_textBar->cursorPositionChanged(); }
void TextEdit::mergeFormatOnWordOrSelection(const QTextCharFormat &format)
{
    m_textBar->mergeFormatOnWordOrSelection(format);
}
void TextEdit::fontChanged(const QFont &f) { m_textBar->fontChanged(f); }
void TextEdit::colorChanged(const QColor &c) { m_textBar->colorChanged(c); }
void TextEdit::alignmentChanged(Qt::Alignment a) { m_textBar->alignmentChanged(a); }
