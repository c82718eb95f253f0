#pragma once

#include "ClassParam.h"

#include <QList>
#include <QStringList>
#include <QWidget>

class QLabel;
class QPushButton;
class QSignalMapper;

// Screen page: how the chosen box's screen is mounted and divided into
// zones, the sense of its portrait rotation and its resolution.
class classEcran : public QWidget
{
    Q_OBJECT
public:
    explicit classEcran(QWidget *parent = nullptr);
    ~classEcran() override;

    QString ButtonToSensRotation();
    void transQStringToEcran(QString rotation, QString zones);

    // The layout shown as chosen, -1 for none.
    int layout() const { return m_layout; }
    QString rotation() const { return m_rotation; }
    QStringList zones() const { return m_zones; }
    QPushButton *layoutButton(int index) const { return m_layouts.value(index); }
    QPushButton *rotationButton() const { return m_sens; }
    QPushButton *modeButton() const { return m_mode; }
    QPushButton *widthButton() const { return m_largeur; }
    QPushButton *heightButton() const { return m_hauteur; }
    QLabel *adviceLabel() const { return m_conseil; }

public slots:
    void slotResize(int w, int h, int rotation);
    // Fills the page from the poster list file; the row is not used.
    void slotUpdateInfoEcran(int AfficheNumero);
    void slotButton(int index);
    void slotSensRotation();
    void slotAutoManual();
    void slotManualLargeur();
    void slotManualHauteur();
    void slotValider();
    void slotFermer();

signals:
    void signalButton(int code);
    // The screen settings were written to the poster list file.
    void signalEnvoiEcran();

private:
    QString file() const;
    void typePixels(QPushButton *target, const QString &title);
    void setManual(bool manual);

    QString m_path;
    ClassParam m_param;
    QString m_rotation = QStringLiteral("0");
    QStringList m_zones;
    int m_layout = -1;
    int m_width = 1024;
    int m_height = 720;

    QLabel *m_background;
    QList<QPushButton *> m_layouts;
    QSignalMapper *m_mapper;
    QPushButton *m_sens;
    QPushButton *m_mode;
    QPushButton *m_largeur;
    QPushButton *m_hauteur;
    QLabel *m_conseil;
    QList<QLabel *> m_labels;
};
