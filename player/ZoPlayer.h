#pragma once

#include <QWidget>

class PagePlaceholder;

// Player preview page: the chosen box's screen as it will be shown.
class ZoPlayer : public QWidget
{
    Q_OBJECT
public:
    explicit ZoPlayer(QWidget *parent = nullptr);
    ~ZoPlayer() override;

    // Reads the poster list file of the chosen box again.
    void UpdateZoPlayer();

public slots:
    // Panel size and screen orientation (90 for a portrait screen).
    void slotResize(int width, int height, int rotation);

signals:
    void signalButton(int code);

private:
    PagePlaceholder *m_body;
};
