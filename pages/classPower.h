#pragma once

#include <QWidget>

class PagePlaceholder;

// Power page: when the screen is switched on and off.
class classPower : public QWidget
{
    Q_OBJECT
public:
    explicit classPower(QWidget *parent = nullptr);
    ~classPower() override;

public slots:
    void slotResize(int width, int height, int rotation);
    void slotCalendarIndice(int indice);

signals:
    void signalButton(int code);
    void signalUpdateSlide();

private:
    PagePlaceholder *m_body;
    int m_poster = -1;
};
