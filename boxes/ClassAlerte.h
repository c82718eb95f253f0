#pragma once

#include "ClassParam.h"

#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QToolButton;

// Support-report page: system, user and message panels; validating writes
// the report into LOG/ and hands its name to the control panel.
class ClassAlerte : public QWidget
{
    Q_OBJECT
public:
    explicit ClassAlerte(QWidget *parent = nullptr);
    ~ClassAlerte() override;

    // Writes the report file and returns its name (no folder); empty when
    // it could not be written, `error` then naming the file and the reason.
    QString MessageAlerte(QString *error = nullptr);

    QComboBox *categoryList() const { return m_category; }
    QString messageText() const { return m_message; }
    QString systemText() const;
    QString userText() const;
    QString descriptionText() const;

public slots:
    void slotResize(int width, int height, int rotation);
    // Fills the system and user information before the page shows.
    void slotUpdateInfoAlerte();
    void slotUserLogin(QString User, QString Type);
    void slotMessage();
    void slotValider();
    void slotFermer();

signals:
    void signalButton(int code);
    // A report log file is ready to send.
    void signalEnvoiAlerte(QString Name);

private:
    QString account();

    QLabel *m_background;
    QString m_work;
    int m_width = 1024;
    int m_height = 720;
    QLabel *m_titles[3];
    QLabel *m_texts[3];
    QFrame *m_frames[3];
    QComboBox *m_category;
    QToolButton *m_messageButton;
    QPushButton *m_back;
    QPushButton *m_valider;
    QString m_userName;
    QString m_message;
    ClassParam m_login;
    ClassParam m_accountFile;
};
