#pragma once

#include <QWidget>

class PagePlaceholder;

// Support-report page: a message and the log files sent to support.
class ClassAlerte : public QWidget
{
    Q_OBJECT
public:
    explicit ClassAlerte(QWidget *parent = nullptr);
    ~ClassAlerte() override;

public slots:
    void slotResize(int width, int height, int rotation);
    // Fills the system and user information before the page shows.
    void slotUpdateInfoAlerte();
    void slotUserLogin(QString User, QString Type);

signals:
    void signalButton(int code);
    // A report log file is ready to send.
    void signalEnvoiAlerte(QString Name);

private:
    PagePlaceholder *m_body;
    QString m_userName;
    QString m_userType;
};
