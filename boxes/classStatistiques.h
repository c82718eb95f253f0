#pragma once

#include <QWidget>

class PagePlaceholder;

// Box status page: the chosen box's state and its remote commands.
class classStatistiques : public QWidget
{
    Q_OBJECT
public:
    explicit classStatistiques(QWidget *parent = nullptr);
    ~classStatistiques() override;

public slots:
    void slotResize(int width, int height, int rotation);
    // DATA/STATUS.orvex was fetched again.
    void slotStatusEstAJour();

signals:
    void signalButton(int code);
    void signalDownloadStatus();
    // "REBOOT", "RESEARCHSYST", "BACKUPSYST", "STOPHDMI" or "UPLOADEVENTS".
    void signalCommandZobox(QString command);

private:
    PagePlaceholder *m_body;
};
