#pragma once

#include "ClassParam.h"
#include "PowerSchedule.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QToolButton;

// Power page: the two daily slots during which the box's screen is on, and
// their weekdays.
class classPower : public QWidget
{
    Q_OBJECT
public:
    explicit classPower(QWidget *parent = nullptr);
    ~classPower() override;

    // Checks both slots, then writes POWERTIME and POWERTIME1 in one write;
    // false (nothing written) after a refused slot or a failed write.
    bool SaveInfo();
    QGroupBox *createPowerJoursGroupBox();
    void InitPowerJoursGroupBox();
    QString transListJoursToString(QList<QCheckBox *> boxes);
    void PowerCheckBoxUpdate(QString days);

    bool isSlotOn(int slot) const { return m_on[slot]; }
    QPushButton *startButton(int slot) const { return m_start[slot]; }
    QPushButton *stopButton(int slot) const { return m_stop[slot]; }
    QToolButton *slotButton(int slot) const { return m_switch[slot]; }
    QList<QCheckBox *> weekdayBoxes() const { return m_jours; }

public slots:
    void slotResize(int w, int h, int rotation);
    // Reloads both slots from the poster list file.
    void slotCalendarIndice(int indice);

    void slotPower();
    void slotPower2();
    void slotButtonPowerDebut();
    void slotButtonPowerFin();
    void slotButtonPowerDebut2();
    void slotButtonPowerFin2();
    void slotValider();
    void slotAnnuler();

signals:
    void signalButton(int code);
    // POWERTIME and POWERTIME1 were written.
    void signalUpdateSlide();

private:
    void toggle(int slot);
    void setSlotOn(int slot, bool on);
    void typeTime(QPushButton *target, const QString &title, const QString &value);
    QString file() const;

    QString m_path;
    ClassParam m_param;
    // What the last load found, and whether the user has clicked a weekday
    // box since: each slot keeps its own stored weekdays until then.
    PowerSchedule::State m_loaded;
    bool m_on[PowerSchedule::SlotCount] = {false, false};
    QPushButton *m_start[PowerSchedule::SlotCount];
    QPushButton *m_stop[PowerSchedule::SlotCount];
    QToolButton *m_switch[PowerSchedule::SlotCount];
    QList<QLabel *> m_headings;
    QList<QCheckBox *> m_jours;
    QGroupBox *m_joursGroup = nullptr;
    int m_width = 1024;
    int m_height = 720;
    QLabel *m_background;
};
