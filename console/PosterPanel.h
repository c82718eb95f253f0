#pragma once

#include "PosterListFile.h"

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class ClassParam;
class ListThumbnails;
class QAbstractButton;
class QFrame;
class QGridLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;
class QTimer;
class ThumbnailLoader;
class qmlvideoplayer;

// The poster side of the control panel: the chosen screen's poster list and
// the properties of the current poster (media, opacity, display time,
// schedule, zone) with their preview. Every change is written to the
// screen's poster list file at once. The panel (classPrincipal) owns one and
// forwards its own members of the same names to it; the widgets it does not
// build itself come in through Host.
class PosterPanel : public QObject
{
    Q_OBJECT
public:
    struct Host {
        // Parent of the dialogs; its size is the keypads' area.
        QWidget *panel = nullptr;
        // Connects (true) or drops (false) the poster list's selection signal
        // to the panel's slotItemSlide(); the panel also drops it around a
        // download. When unset the list is wired to this object's slot.
        std::function<void(bool)> wirePosterList;
        QFrame *posterFrame = nullptr;
        QListWidget *posterList = nullptr;
        QListWidget *screensList = nullptr;
        QLabel *playlistsLabel = nullptr;
        QLabel *dimming = nullptr;
        // Debounce timer of the poster selection; made here when null.
        QTimer *itemSlideTimer = nullptr;
        ClassParam *paramPlayer = nullptr;
        ClassParam *paramPlaylist = nullptr;
        // Tool buttons by caption ("Ajouter", "Supprimer", ...); missing ones are skipped.
        QList<QPair<QString, QAbstractButton *>> buttons;
        std::function<QString()> accountName;
        // True while the account or media deployment runs.
        std::function<bool()> deployRunning;
        std::function<int()> maxPosterCount;
        std::function<int()> maxDisplayTime;
        // Panel size of the last relayout.
        std::function<QSize()> panelSize;
    };

    explicit PosterPanel(const Host &host, QObject *parent = nullptr);
    ~PosterPanel() override;

    // Poster list file.
    QList<QStringList> GetSlideFromFile();
    void SetSlideToFile(QList<QStringList> records);
    void UpdateSlideNumber();
    void UpdateFileNumber(int n);
    QString GetSlideStringFromFile(QString key, int index);
    bool SetSlideStringToFile(QString key, int index, QString value);

    // Properties panel.
    void AfficheINFO();
    void ActiveWidget(bool on);
    void ActiveSlide(bool on);

    // Poster detail.
    void SelectFichier();
    // No poster is current: the header shows no dates, hours or power times.
    void clearSchedule();
    QString transNumeroJoursToQString(QString digits);

    // Media lists, opacity and display time.
    void UpdateMedia();
    int SelectFichierDansLaListe(QString path);
    void ImagePictureVisible(bool visible);
    void SetOpacityImage(int percent);

    // Zone layout.
    void InfoPlayer();
    void transQStringToEcran(QString rotation, QString zones);
    void InfoEcran();

    // Longest display time the user may give; also the slider's maximum.
    void setMaxDisplayTime(int seconds);
    // Fonts and icon sizes of the relayout.
    void applyFonts(const QFont &listFont, const QFont &captionFont, const QFont &textFont, const QSize &mediaIcons);

    int posterCount() const { return m_posterCount; }
    // True while a selection change is still being loaded.
    bool selectionPending() const;
    int zoneOrientation() const { return m_zoneOrientation; }
    int previewWidth() const { return m_previewWidth; }
    int previewHeight() const { return m_previewHeight; }
    qmlvideoplayer *videoPreview() const { return m_video; }
    // The "ECRAN ALLUME" block that sits in the panel's header.
    QLabel *powerCaption() const { return m_capEcran; }
    QList<QLabel *> powerLabels() const;

    // Current state of the shown poster, as the detail record handed to the
    // text-poster editor.
    QStringList detailRecord() const;
    QString opacityField() const { return m_opacityField; }
    QString delayField() const { return m_delayField; }

    // Widgets, for the panel's layout and for tests.
    QListWidget *imageList() const { return m_listImage; }
    QListWidget *videoList() const { return m_listVideo; }
    QListWidget *textList() const { return m_listText; }
    QSlider *opacitySlider() const { return m_sliderOpacity; }
    QSlider *delaySlider() const { return m_sliderTemps; }
    QPushButton *opacityButton() const { return m_btnOpacity; }
    QPushButton *delayButton() const { return m_btnTemps; }
    QPushButton *screenButton() const { return m_btnEcran; }
    QFrame *previewFrame() const { return m_previewFrame; }
    QLabel *pictureLabel() const { return m_picImage; }
    QString orientationCaption() const { return m_orientationCaption; }

signals:
    void signalCalendar(int poster);
    void signalupdateReseaux(QString NomDuCompte, QString Dossier);
    void signalUpdateWidget(int poster);
    void signalAfficheInfo();
    void signalGetString(QStringList List);
    void signalButton(int code);
    void signalResize(int w, int h, int rotation);
    void signalResize2(int w, int h, int rotation);

public slots:
    void slotAjouterSlide();
    void slotMonterSlide();
    void slotDescendreSlide();
    void slotSupprimerSlide();
    void slotRenommerSlide();

    void slotItemSlide();
    void slotItemSlideTime();
    void slotChoixEcran();

    void slotTextEdit();
    void slotInitVideo();
    void SetString(int IndiceSlideToSave);
    void slotInteraction();

    void SlotFichierImage();
    void SlotFichierVideo();
    void SlotFichierTexte();
    void SlotSliderOpacity(int value);
    void SlotSliderTempsDiffusion(int value);
    void SlotClavierOpacity();
    void SlotClavierTempsDiffusion();
    void slotNewMedia(int type, QString nameFile);
    void slotSupprimeMedia(int type, QString NameToRemove);
    void SlotNewWidget(QString ListWidget);

private:
    void build();
    void setButtonEnabled(const QString &caption, bool enabled);
    QAbstractButton *button(const QString &caption) const;
    int currentPoster() const;
    int posterRows() const;
    QSize panelSize() const;
    int maxPosters() const;
    int maxDelay() const;
    void moveSlide(int delta);
    // Runs a message box over the dimmed panel; true when confirmed.
    bool ask(const QString &text, int type);
    void reportFailure(const QString &what);
    void refreshAddButton();
    void showPicture(QLabel *label, const QString &file);
    // Makes `row` current without running the list's slot.
    void selectQuietly(QListWidget *list, int row);
    void removeRowQuietly(QListWidget *list, int row, const QString &shownPath);
    QString askNumber(const QString &caption, const QString &value, const QString &mask);
    QStringList rowTexts(QListWidget *list) const;
    QListWidget *listOf(const QString &folder) const;
    QSize mediaIconSize() const;
    ListThumbnails *thumbnailsOf(QListWidget *list) const;
    QString shownVideoPath() const;
    void fillMediaList(QListWidget *list, const QString &folder, const QStringList &patterns, bool pictures);
    void chooseMedia(QListWidget *list, const QString &folder, QLabel *label, QString *field, QString *checksum,
                     const QString &key, const QString &checksumKey);
    void log(const QString &function) const;

    Host m_host;
    PosterListFile m_file;
    QTimer *m_debounce = nullptr;
    int m_debounceStep = 0;
    int m_posterCount = 1;
    int m_maxDelay = 120;
    // Media list icons are the panel size divided by this: 8 until the first relayout.
    int m_iconDivisor = 8;
    bool m_controlsActive = false;

    int m_previewWidth = 200;
    int m_previewHeight = 112;
    int m_zoneOrientation = 0;
    QString m_orientationCaption;
    bool m_interaction = false;
    QString m_lastTextPicture;

    // Detail fields of the shown poster.
    QString m_typeField;
    QString m_delayField;
    QString m_imageField;
    QString m_imageChkField;
    QString m_videoField;
    QString m_videoNameField;
    QString m_videoChkField;
    QString m_textField;
    QString m_textChkField;
    QString m_opacityField;
    QString m_dateDebut, m_heureDebut, m_dateFin, m_heureFin;
    QString m_dateDebut1, m_heureDebut1, m_dateFin1, m_heureFin1;

    QPushButton *m_btnOpacity = nullptr;
    QSlider *m_sliderOpacity = nullptr;
    QListWidget *m_listImage = nullptr;
    QListWidget *m_listVideo = nullptr;
    QListWidget *m_listText = nullptr;
    // Thumbnails of the picture and text rows on screen only.
    // Shared with the media page.
    std::shared_ptr<ThumbnailLoader> m_thumbnails;
    ListThumbnails *m_imageThumbnails = nullptr;
    ListThumbnails *m_textThumbnails = nullptr;
    QPushButton *m_btnTemps = nullptr;
    QSlider *m_sliderTemps = nullptr;
    QLabel *m_capOpacite = nullptr;
    QLabel *m_capImages = nullptr;
    QLabel *m_capVideos = nullptr;
    QLabel *m_capTextes = nullptr;
    QLabel *m_capTemps = nullptr;
    QLabel *m_capDate = nullptr;
    QLabel *m_capHeure = nullptr;
    QLabel *m_capEcran = nullptr;
    QLabel *m_lblDate1 = nullptr;
    QLabel *m_lblDate2 = nullptr;
    QLabel *m_lblHeure1 = nullptr;
    QLabel *m_lblHeure2 = nullptr;
    QLabel *m_lblJours = nullptr;
    QLabel *m_lblPower1 = nullptr;
    QLabel *m_lblPowerDays = nullptr;
    QLabel *m_lblPower2 = nullptr;
    QFrame *m_previewFrame = nullptr;
    QGridLayout *m_previewGrid = nullptr;
    qmlvideoplayer *m_video = nullptr;
    QLabel *m_picImage = nullptr;
    QLabel *m_picText = nullptr;
    QLabel *m_picWidget = nullptr;
    QPushButton *m_btnEcran = nullptr;
};
