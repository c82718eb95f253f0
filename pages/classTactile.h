#pragma once

#include "ClassParam.h"
#include "PosterFileTable.h"
#include "SettingsPageLook.h"

#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QToolButton;

// Touch page: the web application a touch screen shows, and after how many
// seconds without a touch it goes back to the posters.
class classTactile : public QWidget
{
    Q_OBJECT
public:
    explicit classTactile(QWidget *parent = nullptr);
    ~classTactile() override;

public slots:
    void slotResize(int w, int h, int rotation);
    // Loads WEBAPPURL and WEBAPPTIMEOUT; the poster row is not used.
    void slotUpdateWidget(int NumeroAffiche);
    void slotValider();
    void slotAnnuler();
    void slotComboWidget(int index);
    void slotClavier(QString Titre);
    void slotAppUrl();
    void slotAppTimeout();

signals:
    void signalButton(int code);

private:
    void fillKindList(const QString &current);

    QString m_workFolder;
    ClassParam m_param;
    PosterFileTable m_file;
    // Background, title, kind list, preview, settings frame and buttons.
    SettingsPageLook::KindPage m_page;
    SettingsPageLook::Geometry m_geometry;
    QString m_buffer;

    QToolButton *m_urlButton;
    QLabel *m_urlField;
    QToolButton *m_delayButton;
    QLabel *m_delayField;
};
