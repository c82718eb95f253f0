#pragma once

#include <QWidget>

class PagePlaceholder;

// Schedule page: the dates, hours and weekdays a poster is shown.
class classCalendar : public QWidget
{
    Q_OBJECT
public:
    explicit classCalendar(QWidget *parent = nullptr);
    ~classCalendar() override;

public slots:
    void slotResize(int width, int height, int rotation);
    // Loads the schedule of the poster at this row of the poster list.
    void slotCalendarIndice(int poster);

signals:
    void signalButton(int code);
    // The schedule keys were written to the poster list file.
    void signalUpdateSlide();

private:
    PagePlaceholder *m_body;
    int m_poster = -1;
};
