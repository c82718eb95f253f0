#include "TextEditSimple.h"

#include "AppGlobals.h"
#include "Checksum.h"
#include "ClassBox.h"
#include "ClassClavier.h"
#include "PlatformType.h"
#include "PosterArea.h"
#include "TextFormatBar.h"
#include "TextLayer.h"
#include "TextPosterNames.h"
#include "TextPosterWriter.h"
#include "classVersion.h"
#include "qmlvideoplayer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDebug>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>
#include <QTime>

namespace {

const char *const kClearStyle = "background-color: rgba(0,0,0,0%); color: rgba(0,0,0,0%);";
const char *const kTextStyle = "color:rgba(255,255,255,100%);background-color:rgba(0,0,0,0%);";

// Entries of a poster record by position; only three of them matter here.
enum RecordPosition { SlideNameImage = 2, SlideNameVideo = 4, SlideNameTxt = 6, SlideOpacity = 8 };

// A poster list entry that was never written reads "NULL".
QString entryAt(const QStringList &list, int position)
{
    const QString value = list.value(position);
    return value == QLatin1String("NULL") ? QString() : value;
}

} // namespace

TextEditSimple::TextEditSimple(QWidget *parent)
    : QWidget(parent)
{
    setMinimumSize(1024, 720);
    m_iconSize = 30;
    m_workFolder = ApplicationPath;
    const PosterArea area = PosterArea::fit(m_pageWidth, m_pageHeight, m_rotation);
    m_areaWidth = area.width;
    m_areaHeight = area.height;
    m_currentName = TextPosterNames::defaultName();

    m_background = new QLabel(this);
    m_background->setScaledContents(true);
    m_background->setMinimumSize(1, 1);
    m_background->setPixmap(QPixmap(classVersion().BackgroundColor()));

    m_textEdit = new QTextEdit;
    setupTextActions();
    buildPage();
}

TextEditSimple::~TextEditSimple() = default;

void TextEditSimple::setupTextActions()
{
    m_formatBar = new TextFormatBar(m_textEdit, this);
    // Refreshes of the bar follow the cursor; only a format the user picks is an edit.
    connect(m_formatBar, &TextFormatBar::edited, this, &TextEditSimple::setModified);
    connect(m_formatBar->saveAction(), &QAction::triggered, this, &TextEditSimple::slotClavier);
    connect(m_formatBar->deleteAction(), &QAction::triggered, this, &TextEditSimple::slotSupprimerFichier);
    connect(m_formatBar->quitAction(), &QAction::triggered, this, &TextEditSimple::slotQuitter);
}

void TextEditSimple::buildPage()
{
    m_textFrame = new QFrame;
    m_pictureFrame = new QFrame;
    for (QFrame *frame : {m_textFrame, m_pictureFrame}) {
        frame->setFrameShape(QFrame::NoFrame);
        frame->setStyleSheet(QLatin1String(kClearStyle));
    }
    m_textEdit->setStyleSheet(QLatin1String(kTextStyle));
    m_pictureLabel = new QLabel;
    m_pictureLabel->setAlignment(Qt::AlignCenter);
    m_video = new qmlvideoplayer;
    m_video->hide();

    auto *pictureGrid = new QGridLayout(m_pictureFrame);
    pictureGrid->setContentsMargins(0, 0, 0, 0);
    pictureGrid->setSpacing(0);
    pictureGrid->addWidget(m_video, 0, 0, Qt::AlignCenter);
    pictureGrid->addWidget(m_pictureLabel, 0, 0, Qt::AlignCenter);

    connect(m_textEdit, &QTextEdit::currentCharFormatChanged, this, &TextEditSimple::currentCharFormatChanged);
    connect(m_textEdit, &QTextEdit::cursorPositionChanged, this, &TextEditSimple::cursorPositionChanged);

    QFont font(QStringLiteral("Avenir"));
    font.setStyleHint(QFont::SansSerif, QFont::PreferDefault);
    font.setPointSize(10);
    m_textEdit->setFont(font);
    m_formatBar->alignmentChanged(m_textEdit->alignment());

    auto *textGrid = new QGridLayout(m_textFrame);
    textGrid->setContentsMargins(0, 0, 0, 0);
    textGrid->setSpacing(0);
    textGrid->addWidget(m_textEdit, 0, 0);
    m_textFrame->setMinimumSize(m_areaWidth, m_areaHeight);

    auto *grid = new QGridLayout(m_background);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(m_formatBar, 0, 0, Qt::AlignHCenter | Qt::AlignTop);
    grid->addWidget(m_pictureFrame, 1, 0, Qt::AlignCenter);
    grid->addWidget(m_textFrame, 1, 0, Qt::AlignCenter);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(1, 20);

    auto *pageLayout = new QGridLayout(this);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(m_background, 0, 0);

    // A cursor move or a drawn background is no change; the document's content is.
    connect(m_textEdit->document(), &QTextDocument::contentsChanged, this, &TextEditSimple::SlotTxtChange);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TextEditSimple::clipboardDataChanged);
}

void TextEditSimple::slotResize(int w, int h, int rotation)
{
    m_pageWidth = w;
    m_pageHeight = h;
    const QFont fontA = avenirFont(h / 90, QFont::Normal);
    const QFont fontB = avenirFont(h / 100, QFont::Normal);
    setMinimumSize(w, h);
    m_background->setPixmap(QPixmap(classVersion().BackgroundColor())
                                .scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    m_background->setMinimumSize(w, h);

    m_rotation = rotation;
    m_iconSize = PosterArea::fit(w, h, rotation).iconSize;
    m_formatBar->applyPageMetrics(m_iconSize, w / 6, fontA, fontB);
    // The bar is taller than its icons (captions, lists), and the window's
    // style sheet borders the frame: the area takes what both leave.
    m_formatBar->ensurePolished();
    m_textFrame->ensurePolished();
    const PosterArea area =
        PosterArea::fit(w, h, rotation, m_formatBar->sizeHint().height() + 2 * m_textFrame->frameWidth());
    m_areaWidth = area.width;
    m_areaHeight = area.height;
    qDebug() << "HauteurTV" << m_areaHeight;
    qDebug() << "LargeurTV" << m_areaWidth;
    m_textFrame->setMinimumSize(m_areaWidth, m_areaHeight);
    m_textEdit->setMinimumSize(m_areaWidth, m_areaHeight);
}

void TextEditSimple::Resize()
{
    m_formatBar->setIconSize(QSize(m_iconSize, m_iconSize));
}

void TextEditSimple::slotGetString(QStringList ListInfoSlide)
{
    m_modified = false;
    const QSize area = posterArea();
    for (int position = 0; position < 13 && position < ListInfoSlide.size(); ++position) {
        const QString entry = entryAt(ListInfoSlide, position);
        if (position == SlideNameImage) {
            QString name = entry;
            name.remove(QStringLiteral("IMAGE/"));
            if (ListInfoSlide.size() > SlideOpacity)
                m_opacity = ListInfoSlide.at(SlideOpacity);
            PictureFontText(name);
        } else if (position == SlideNameVideo) {
            QString name = entry;
            name.remove(QStringLiteral("VIDEO/"));
            m_videoPath = m_workFolder + QStringLiteral("VIDEO/") + name;
            if (!name.isEmpty()) {
                filePlay();
            } else {
                m_video->stop();
                m_video->hide();
            }
        } else if (position == SlideNameTxt) {
            m_textEdit->setMinimumSize(area);
            // Putting the poster's own text in moves the cursor; that is no
            // change of the user's.
            const bool modified = m_modified;
            if (entry.isEmpty())
                m_textEdit->clear();
            else
                m_textEdit->setText(LoadTXT(entry));
            m_modified = modified;
            m_currentName = TextPosterNames::nameFromEntry(entry);
        }
    }
}

void TextEditSimple::PictureFontText(QString name)
{
    if (name.isEmpty()) {
        m_pictureLabel->hide();
        return;
    }
    m_pictureLabel->show();
    m_picturePath = m_workFolder + QStringLiteral("IMAGE/") + name;
    PictureOpacity(m_opacity.toInt());
}

void TextEditSimple::PictureOpacity(int a)
{
    // Too faint to edit over: show no picture rather than the last poster's.
    if (a < 10) {
        m_pictureLabel->clear();
        return;
    }
    const QImage picture(m_picturePath);
    if (picture.isNull()) {
        m_pictureLabel->clear();
        return;
    }
    const QImage scaled =
        picture.scaled(m_areaWidth, m_areaHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage canvas(scaled.size(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setOpacity(a / 100.0);
    painter.drawImage(0, 0, scaled);
    painter.end();
    m_pictureLabel->setPixmap(QPixmap::fromImage(canvas));
}

bool TextEditSimple::filePlay()
{
    m_video->show();
    m_video->PlaySetSize(m_areaWidth, m_areaHeight);
    m_video->PlayFile(m_videoPath);
    qDebug().noquote() << "Chemin fichier video: " + m_videoPath;
    return true;
}

QString TextEditSimple::LoadTXT(QString titre)
{
    bool ok = false;
    const QString file = TextPosterNames::textFileOfEntry(titre);
    const QString text = file.isEmpty() ? QString() : TextPosterWriter::readText(m_workFolder + file, &ok);
    if (ok)
        qDebug().noquote() << " [ui] " + text;
    else
        qDebug().noquote() << "qERROR: " + titre + " read\n";
    return text;
}

bool TextEditSimple::load(const QString &f)
{
    return TextLayer::load(m_textEdit, f);
}

void TextEditSimple::fileOpen()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Ouvrir un fichier..."), QString(),
                                                      tr("Fichier Multimedia (*.png *.jpg *.mp4);;All Files (*)"));
    if (!path.isEmpty())
        m_videoPath = path.section(QLatin1Char('/'), -1);
}

void TextEditSimple::slotQuitter()
{
    if (!m_modified) {
        leave();
        return;
    }
    auto *question = new ClassBox(tr("Etes-vous sûrs de vouloir quitter?"), ClassBox::Question, m_pageWidth,
                                  m_pageHeight, this);
    question->exec();
    const bool ok = question->text() == 0;
    delete question;
    if (ok) {
        m_video->stop();
        emit signalButton(0);
    }
}

void TextEditSimple::leave()
{
    m_video->stop();
    setFocus();
    emit signalButton(0);
}

void TextEditSimple::SlotTxtChange()
{
    setModified();
}

void TextEditSimple::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

void TextEditSimple::showError(const QString &text)
{
    auto *box = new ClassBox(text, ClassBox::Error, m_pageWidth, m_pageHeight, this);
    box->exec();
    delete box;
}

void TextEditSimple::slotClavier()
{
    m_previousName = m_currentName;
    auto *keyboard = new ClassClavier(m_pageWidth, m_pageHeight, nullptr, 1);
    keyboard->setWindowFlags(Qt::FramelessWindowHint);
    keyboard->setTextClavier(tr("Entrer le nom du fichier:"), TextPosterNames::offeredName(m_currentName),
                             TextPosterNames::maxNameBytes());
    keyboard->exec();
    // Escape or ESC means "do not save", not "save under the offered name".
    const bool cancelled = keyboard->isCancelled();
    const QString name = TextPosterNames::cleanName(keyboard->text());
    delete keyboard;
    if (cancelled)
        return;
    if (name.isEmpty()) {
        showError(tr("Le nom du fichier est vide: le texte n'a pas été sauvegardé."));
        return;
    }
    // Accents take two bytes: the keyboard's limit counts characters.
    if (name.toUtf8().size() > TextPosterNames::maxNameBytes()) {
        showError(tr("Le nom du fichier est trop long: le texte n'a pas été sauvegardé."));
        return;
    }
    m_currentName = name;
    fileSave();
}

QImage TextEditSimple::renderTextLayer() const
{
    // The grab rectangle is the poster area less one pixel on each side.
    const QSize target = PosterArea::isPortrait(m_rotation) ? QSize(1080, 1920) : QSize(1920, 1080);
    QImage layer(target, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    TextLayer::paint(layer, m_textEdit, m_textFrame, QRect(1, 1, m_areaWidth - 2, m_areaHeight - 2));
    return layer;
}

bool TextEditSimple::fileSave()
{
    QAction *quit = m_formatBar->quitAction();
    quit->setEnabled(false);
    quit->setVisible(false);
    if (!m_textEdit->toPlainText().isEmpty() && !m_currentName.isEmpty()) {
        m_snapshot = renderTextLayer();
        const QString stem = m_currentName + TextPosterNames::stampSuffix(QTime::currentTime());
        qDebug().noquote() << "Chemin du fichier TEXTE: " + m_workFolder + TextPosterNames::pictureEntry(stem);
        TextPosterWriter writer(m_workFolder);
        if (!writer.write(stem, m_snapshot, m_textEdit->toHtml())) {
            quit->setEnabled(true);
            quit->setVisible(true);
            showError(writer.error());
            return false;
        }
        emit signalNewImageTexte(TextPosterNames::replacedPicture(m_previousName, m_currentName, stem),
                                 TextPosterNames::pictureEntry(stem));
    }
    m_modified = false;
    quit->setEnabled(true);
    quit->setVisible(true);
    slotQuitter();
    return true;
}

void TextEditSimple::SaveTXT(QString titre, QString text)
{
    if (!TextPosterWriter(m_workFolder).writeText(titre, text))
        qDebug().noquote() << "qERROR: " + m_workFolder + "TEXT/" + " write\n";
}

void TextEditSimple::RemoveTXT(QString titre)
{
    TextPosterWriter(m_workFolder, QStringLiteral("DATA/")).remove(titre);
}

QString TextEditSimple::CalculChecksum(QString path)
{
    return ::CalculChecksum(path);
}

void TextEditSimple::slotSupprimerFichier()
{
    emit signalSupprImageTexte(m_currentName + QStringLiteral(".png"));
    slotQuitter();
}

void TextEditSimple::textBold() { m_formatBar->textBold(); }
void TextEditSimple::textItalic() { m_formatBar->textItalic(); }
void TextEditSimple::textUnderline() { m_formatBar->textUnderline(); }
void TextEditSimple::textFamily(const QString &f) { m_formatBar->textFamily(f); }
void TextEditSimple::textSize(const QString &p) { m_formatBar->textSize(p); }
void TextEditSimple::textColor() { m_formatBar->textColor(); }
void TextEditSimple::textBackgroundColor() { m_formatBar->textBackgroundColor(); }
void TextEditSimple::textAlign(QAction *a) { m_formatBar->textAlign(a); }
void TextEditSimple::textStyle(int styleIndex) { m_formatBar->textStyle(styleIndex); }
void TextEditSimple::currentCharFormatChanged(const QTextCharFormat &format)
{
    m_formatBar->currentCharFormatChanged(format);
}
void TextEditSimple::cursorPositionChanged() { m_formatBar->cursorPositionChanged(); }
