#pragma once

#include <QDialog>

class QCalendarWidget;
class QLabel;
class QPushButton;

// Date picker: hands the chosen day back as "dd/MM/yyyy".
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
};
