#pragma once

#include <QWidget>

class PagePlaceholder;

// Touch page: the web application a touch screen shows.
class classTactile : public QWidget
{
    Q_OBJECT
public:
    explicit classTactile(QWidget *parent = nullptr);
    ~classTactile() override;

public slots:
    void slotResize(int width, int height, int rotation);
    void slotUpdateWidget(int NumeroAffiche);

signals:
    void signalButton(int code);

private:
    PagePlaceholder *m_body;
    int m_poster = -1;
};
