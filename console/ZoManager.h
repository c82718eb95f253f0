#pragma once

#include <QWidget>

class AnimationStackedWidget;
class ClassAlerte;
class ClassMedia;
class QCloseEvent;
class QResizeEvent;
class TextEditSimple;
class ZoPlayer;
class classAdmin;
class classCalendar;
class classEcran;
class classInfo;
class classPower;
class classPrincipal;
class classReseaux;
class classStatistiques;
class classTactile;
class classWidget;

// The program's one window: builds the control panel, the other pages and
// the player preview, wires them together, and turns the page codes that
// pages ask for into the page shown. Asks before the program ends.
class ZoManager : public QWidget
{
    Q_OBJECT
public:
    explicit ZoManager(QWidget *parent = nullptr);
    ~ZoManager() override;

    classPrincipal *panel() const { return m_principal; }
    AnimationStackedWidget *stack() const { return m_stack; }

signals:
    // Every resize of the window; refits the pages.
    void resizeEvent(QResizeEvent *e);
    void signalMinimumSize(int w, int h);
    void signalInitVideo();
    void signalUpdateInfoAlerte();

public slots:
    void updateScreens();
    void slotButtons(int code);
    void slotZoPlayer();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showOnly(QWidget *page);

    classPrincipal *m_principal;
    ClassMedia *m_media;
    TextEditSimple *m_textEdit;
    classInfo *m_info;
    classAdmin *m_admin;
    classCalendar *m_calendar;
    classPower *m_power;
    classReseaux *m_reseaux;
    classWidget *m_widget;
    classStatistiques *m_statistiques;
    ClassAlerte *m_alerte;
    classEcran *m_ecran;
    classTactile *m_tactile;
    ZoPlayer *m_player;
    AnimationStackedWidget *m_stack = nullptr;
    bool m_ios;
    bool m_leaveAdmin = false;
};
