#pragma once

#include "ClassParam.h"
#include "PosterSchedule.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QToolButton;

// Schedule page: the two date ranges, two daily hour ranges and weekdays
// during which the selected poster of the screen is played.
class classCalendar : public QWidget
{
    Q_OBJECT
public:
    explicit classCalendar(QWidget *parent = nullptr);
    ~classCalendar() override;

    // Checks the four ranges, then writes the ten keys in one write; false
    // (nothing written) after a refused range or a failed write.
    bool SaveInfo();
    QGroupBox *createHeureJoursGroupBox();
    void InitHeureJoursGroupBox();
    QString transListJoursToString(QList<QCheckBox *> boxes);
    void HeureCheckBoxUpdate(QString days);

    int posterIndex() const { return m_indice; }
    bool isRangeOn(PosterSchedule::Range range) const { return m_on[range]; }
    QPushButton *startButton(PosterSchedule::Range range) const { return m_start[range]; }
    QPushButton *endButton(PosterSchedule::Range range) const { return m_end[range]; }
    QToolButton *rangeButton(PosterSchedule::Range range) const { return m_switch[range]; }
    QList<QCheckBox *> weekdayBoxes() const { return m_jours; }

public slots:
    void slotResize(int w, int h, int rotation);
    // Loads the schedule of the poster at this row of the poster list.
    void slotCalendarIndice(int indice);

    void slotDate();
    void slotHeure();
    void slotDate2();
    void slotHeure2();
    void slotButtonDateDebut();
    void slotButtonDateFin();
    void slotButtonHeureDebut();
    void slotButtonHeureFin();
    void slotButtonDateDebut2();
    void slotButtonDateFin2();
    void slotButtonHeureDebut2();
    void slotButtonHeureFin2();
    void slotValider();
    void slotAnnuler();

signals:
    void signalButton(int code);
    // The schedule keys were written to the poster list file.
    void signalUpdateSlide();

private:
    QFrame *rangeFrame(PosterSchedule::Range first, PosterSchedule::Range second);
    void toggle(PosterSchedule::Range range);
    void setRangeOn(PosterSchedule::Range range, bool on);
    void pickDate(QPushButton *target, const QString &title);
    void typeHour(QPushButton *target, const QString &title);
    PosterSchedule::State state() const;
    void display(const PosterSchedule::State &state);
    QString file() const;

    QString m_path;
    ClassParam m_param;
    int m_indice = -1;
    bool m_on[PosterSchedule::RangeCount] = {false, false, false, false};
    QPushButton *m_start[PosterSchedule::RangeCount];
    QPushButton *m_end[PosterSchedule::RangeCount];
    QToolButton *m_switch[PosterSchedule::RangeCount];
    QList<QLabel *> m_headings;
    QList<QCheckBox *> m_jours;
    QGroupBox *m_joursGroup = nullptr;
    int m_width = 1024;
    int m_height = 720;
    QLabel *m_background;
};
