#pragma once

#include <QWidget>

class PagePlaceholder;

// Box information page: factory record, owner and position of a box.
class classInfo : public QWidget
{
    Q_OBJECT
public:
    explicit classInfo(QWidget *parent = nullptr);
    ~classInfo() override;

public slots:
    void slotResize(int width, int height, int rotation);
    // Loads the box files of the chosen screen from DATA.
    void AfficheINFO();

signals:
    void signalButton(int code);

private:
    PagePlaceholder *m_body;
};
