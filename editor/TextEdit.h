#pragma once

#include "ClassParam.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QStringList>
#include <QTextCharFormat>
#include <QWidget>

class QAction;
class QCloseEvent;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QSpinBox;
class QTextEdit;
class QTimeEdit;
class QToolBar;
class TextFormatBar;
class qmlvideoplayer;

// Rich-text poster editor: one poster's picture or video background, its
// opacity and display time, an optional styled text over it and an optional
// date and time window. Saving writes DATA/Slide<n>.png and .txt and emits
// the poster's 13-string description. A library widget: no page builds it.
class TextEdit : public QWidget
{
    Q_OBJECT
public:
    explicit TextEdit(QWidget *parent = nullptr);
    ~TextEdit() override;

    void setupTextActions();
    void Resize();
    bool load(const QString &f);
    // The file's MD5 as 32 upper-case hexadecimal digits, empty when unreadable.
    QString CalculChecksum(QString path);
    void mergeFormatOnWordOrSelection(const QTextCharFormat &format);
    void fontChanged(const QFont &f);
    void colorChanged(const QColor &c);
    void alignmentChanged(Qt::Alignment a);

    bool isModified() const { return m_modified; }
    QSize posterArea() const { return QSize(m_areaWidth, m_areaHeight); }
    QTextEdit *textArea() const { return m_textEdit; }
    QLabel *pictureLabel() const { return m_pictureLabel; }
    QLabel *numberLabel() const { return m_numberLabel; }
    QComboBox *pictureList() const { return m_comboPicture; }
    QComboBox *videoList() const { return m_comboVideo; }
    QSpinBox *opacityBox() const { return m_opacityBox; }
    QSpinBox *displayTimeBox() const { return m_timeBox; }
    QToolBar *formatActions() const { return m_formatBar; }
    TextFormatBar *textActions() const { return m_textBar; }
    QToolBar *dateBar() const { return m_dateBar; }
    QToolBar *timeBar() const { return m_timeBar; }
    QAction *textModeAction() const { return m_actionText; }
    QAction *dateAction() const { return m_actionCalendrier; }
    QAction *timeAction() const { return m_actionHeure; }
    QAction *saveAction() const { return m_actionSave; }
    QAction *quitAction() const { return m_actionQuit; }
    QAction *playAction() const { return m_actionPlay; }
    QDateEdit *startDate() const { return m_startDate; }
    QDateEdit *endDate() const { return m_endDate; }
    QTimeEdit *startTime() const { return m_startTime; }
    QTimeEdit *endTime() const { return m_endTime; }

signals:
    // The saved poster: kind, display time, picture and checksum, video and
    // checksum, text picture and checksum, opacity, start date and time, end
    // date and time.
    void SetString(QStringList List);

public slots:
    void SlotUpdateListPicture();
    void slotResize(int w, int h, int rotation);
    void slotGetString(QStringList ListInfoSlide);
    void fileOpen();
    bool fileSave();
    void slotQuitter();
    void filePrintPreview() {}
    bool filePlay();
    void textActivation();
    void textCalendrier();
    void textHeure();
    void textBold();
    void textUnderline();
    void textItalic();
    void textFamily(QString f);
    void textSize(QString p);
    void textStyle(int styleIndex);
    void textColor();
    void textAlign(QAction *a);
    void currentCharFormatChanged(QTextCharFormat format);
    void SaveTXT(QString titre, QString text);
    void RemoveTXT(QString titre);
    QString LoadTXT(QString titre);
    void cursorPositionChanged();
    void SlotTxtChange();
    void clipboardDataChanged() {}
    void about() {}
    void PictureFontText(QString name);
    void PictureOpacity(int value);
    void VideoLoading(QString name);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QAction *addCaption(QToolBar *bar, const QString &icon, const QString &text);
    QComboBox *addMediaList(const QString &name, const QString &folder, const QStringList &filters);
    void fillMediaList(QComboBox *list, const QString &folder, const QStringList &filters);
    void buildFrame();
    // The chosen picture at `opacity` percent, fitted into the poster area;
    // stretched to the area when its width / height ratio passes `limit`.
    void showPicture(int opacity, bool portraitRule);
    void restoreBars();
    QString pictureFolder() const;
    void setModified() { m_modified = true; }

    QAction *m_actionText = nullptr;
    QAction *m_actionCalendrier = nullptr;
    QAction *m_actionHeure = nullptr;
    QAction *m_actionVideos = nullptr;
    QAction *m_actionImages = nullptr;
    QAction *m_actionTemps = nullptr;
    QAction *m_actionSave = nullptr;
    QAction *m_actionQuit = nullptr;
    QAction *m_actionPlay = nullptr;
    QComboBox *m_comboPicture = nullptr;
    QComboBox *m_comboVideo = nullptr;
    QTextEdit *m_textEdit = nullptr;
    QLabel *m_numberLabel = nullptr;
    qmlvideoplayer *m_video = nullptr;
    QString m_videoName;
    QLabel *m_pictureLabel = nullptr;
    QString m_picturePath;
    QLabel *m_videoPathLabel = nullptr;
    QLabel *m_secondLabel = nullptr;
    QSpinBox *m_timeBox = nullptr;
    QSpinBox *m_opacityBox = nullptr;
    QToolBar *m_formatBar = nullptr;
    TextFormatBar *m_textBar = nullptr;
    QToolBar *m_dateBar = nullptr;
    QToolBar *m_timeBar = nullptr;
    QString m_textPictureChecksum;
    QString m_pictureChecksum;
    QString m_videoChecksum;
    QFrame *m_frame = nullptr;
    QPixmap m_poster;
    bool m_modified = false;
    QString m_workFolder;
    QLabel *m_background = nullptr;
    int m_width = 1024;
    int m_height = 720;
    ClassParam m_param;
    int m_mainIconSize = 30;
    int m_secondIconSize = 30;
    QDateEdit *m_startDate = nullptr;
    QTimeEdit *m_startTime = nullptr;
    QDateEdit *m_endDate = nullptr;
    QTimeEdit *m_endTime = nullptr;
    bool m_dateFresh = true;
    bool m_timeFresh = true;
    int m_areaWidth = 0;
    int m_areaHeight = 0;
    int m_rotation = 0;
};
