#pragma once

#include "ClassParam.h"
#include "PosterFileTable.h"
#include "SettingsPageLook.h"

#include <QPixmap>
#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;
class QToolButton;

// Publication page: links the chosen screen to a web site and/or a social
// network, picks the poster published, shows the screen's unique link and
// renders the poster into LINKS/Picture.png for the share page.
class classReseaux : public QWidget
{
    Q_OBJECT
public:
    explicit classReseaux(QWidget *parent = nullptr);
    ~classReseaux() override;

public slots:
    void slotResize(int w, int h, int rotation);
    void slotUpdateReseaux(QString NomDuCompte, QString Dossier);
    void slotWebLink();
    void slotFacebook();
    void slotWeb();
    void slotValider();
    void slotAnnuler();
    void slotUpdatePreviewImage(int index);
    // Renders poster `index` into LINKS/Picture.png, then says so.
    void slotUpdateHDImage(int index);

signals:
    void signalButton(int code);
    void signalSavePictureTermine();

private:
    void setWeb(bool on);
    void setSocial(bool on);
    void setPublishable(bool on);
    // Shows a layer's file scaled into the preview; an empty entry clears it.
    void showLayer(QLabel *layer, const QString &entry);
    QString sharePicturePath() const;

    QString m_workFolder;
    QString m_account;
    QString m_folder;
    ClassParam m_param;
    ClassParam m_writer;
    PosterFileTable m_file;
    PosterFileTable m_keys;
    bool m_web = false;
    bool m_social = false;
    SettingsPageLook::Geometry m_geometry;
    QPixmap m_sharePicture;

    QLabel *m_background;
    QLabel *m_title;
    QComboBox *m_posterChoice;
    QFrame *m_previewFrame;
    QLabel *m_pictureLayer;
    QLabel *m_textLayer;
    QLabel *m_instruction;
    QTextEdit *m_linkBox;
    QToolButton *m_webToggle;
    QToolButton *m_socialToggle;
    QToolButton *m_instagram;
    QToolButton *m_twitter;
    QPushButton *m_valider;
    QPushButton *m_retour;
};
