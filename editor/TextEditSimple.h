#pragma once

#include <QImage>
#include <QStringList>
#include <QWidget>

class QCloseEvent;
class QFrame;
class QLabel;
class QTextCharFormat;
class QTextEdit;
class TextFormatBar;
class qmlvideoplayer;

// Text-poster editor page: a transparent text area over the current
// poster's picture and video. Saving writes the text as HTML and its layer
// as a transparent picture (TEXT/<name>-<hhmmss>), then hands both names to
// the media library through signalNewImageTexte.
class TextEditSimple : public QWidget
{
    Q_OBJECT
public:
    explicit TextEditSimple(QWidget *parent = nullptr);
    ~TextEditSimple() override;

    // Sets the tool bar's icon size from the page's.
    void Resize();
    // Puts an HTML or plain-text file into the text area.
    bool load(const QString &f);
    // The file's MD5 as 32 upper-case hexadecimal digits.
    QString CalculChecksum(QString path);

    bool isModified() const { return m_modified; }
    QString currentName() const { return m_currentName; }
    QSize posterArea() const { return QSize(m_areaWidth, m_areaHeight); }
    int iconSize() const { return m_iconSize; }
    QTextEdit *textArea() const { return m_textEdit; }
    QLabel *pictureLabel() const { return m_pictureLabel; }
    TextFormatBar *formatBar() const { return m_formatBar; }
    // The text layer as saved: transparent where there is no text.
    QImage renderTextLayer() const;

public slots:
    void slotResize(int w, int h, int rotation);
    // The first nine values of the current poster's record.
    void slotGetString(QStringList ListInfoSlide);
    void PictureFontText(QString name);
    void PictureOpacity(int a);
    bool filePlay();
    QString LoadTXT(QString titre);
    void slotQuitter();
    void SlotTxtChange();
    void fileOpen();

    // Saving and deleting.
    void slotClavier();
    bool fileSave();
    void SaveTXT(QString titre, QString text);
    void RemoveTXT(QString titre);
    void slotSupprimerFichier();

    // Formatting, carried out by the tool bar.
    void textBold();
    void textItalic();
    void textUnderline();
    void textFamily(const QString &f);
    void textSize(const QString &p);
    void textColor();
    void textBackgroundColor();
    void textAlign(QAction *a);
    void textStyle(int styleIndex);
    void currentCharFormatChanged(const QTextCharFormat &format);
    void cursorPositionChanged();
    void clipboardDataChanged() {}
    void filePrintPreview() {}
    void about() {}

signals:
    void signalButton(int code);
    // oldNameFile: the replaced picture without folder, or empty;
    // NameFile: "TEXT/<name>-<hhmmss>.png".
    void signalNewImageTexte(QString oldNameFile, QString NameFile);
    // "<name>.png" of the text poster to retire.
    void signalSupprImageTexte(QString NameFile);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void setupTextActions();
    void buildPage();
    void setModified() { m_modified = true; }
    void showError(const QString &text);
    void leave();

    int m_pageWidth = 1024;
    int m_pageHeight = 720;
    int m_rotation = 0;
    int m_iconSize = 30;
    int m_areaWidth = 0;
    int m_areaHeight = 0;
    QString m_workFolder;
    QString m_currentName;
    QString m_previousName;
    QString m_picturePath;
    QString m_opacity;
    QString m_videoPath;
    QImage m_snapshot;
    bool m_modified = false;

    QLabel *m_background = nullptr;
    TextFormatBar *m_formatBar = nullptr;
    QFrame *m_textFrame = nullptr;
    QFrame *m_pictureFrame = nullptr;
    QTextEdit *m_textEdit = nullptr;
    QLabel *m_pictureLabel = nullptr;
    qmlvideoplayer *m_video = nullptr;
};
