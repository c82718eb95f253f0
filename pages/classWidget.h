#pragma once

#include <QWidget>

class PagePlaceholder;

// Widget poster page: weather, news feed, clock, like counter or web page.
class classWidget : public QWidget
{
    Q_OBJECT
public:
    explicit classWidget(QWidget *parent = nullptr);
    ~classWidget() override;

public slots:
    void slotResize(int width, int height, int rotation);
    void slotUpdateWidget(int poster);

signals:
    void signalButton(int code);
    // The chosen widget kind, as shown on the page.
    void signalNewWidget(QString ListWidget);

private:
    PagePlaceholder *m_body;
    int m_poster = -1;
};
