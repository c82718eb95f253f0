#pragma once

#include <QDialog>
#include <QString>

class QCalendarWidget;
class QLabel;
class QPushButton;

// Date picker: hands the chosen day back as "dd/MM/yyyy". Closed by the
// window manager it hands back the date given to setChampClavier(), as it
// was given. A click within the double-click interval of its showing picks
// nothing.
class NumCalendar : public QDialog
{
    Q_OBJECT
public:
    explicit NumCalendar(QDialog *parent);
    ~NumCalendar() override;

    // An unreadable date leaves the calendar on its default day (today).
    void setChampClavier(QString caption, QString date);
    QString text();

private:
    QLabel *m_caption;
    QCalendarWidget *m_calendar;
    QPushButton *m_ok;
    QString m_initialDate;
    bool m_cancelled = false;
};
