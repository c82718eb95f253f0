#pragma once

#include <QWidget>

class PagePlaceholder;

// Screen page: orientation, resolution and zone layout of the chosen screen.
class classEcran : public QWidget
{
    Q_OBJECT
public:
    explicit classEcran(QWidget *parent = nullptr);
    ~classEcran() override;

public slots:
    void slotResize(int width, int height, int rotation);
    void slotUpdateInfoEcran(int AfficheNumero);

signals:
    void signalButton(int code);
    // The screen settings were written to the poster list file.
    void signalEnvoiEcran();

private:
    PagePlaceholder *m_body;
    int m_poster = -1;
};
