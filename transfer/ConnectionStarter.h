#pragma once

#include <QObject>
#include <QPointer>

// The "Connecter" button's one-shot: the first click (the user's, or the
// start-up sequence's) starts the login; every later click does nothing.
class ConnectionStarter : public QObject
{
    Q_OBJECT
public:
    explicit ConnectionStarter(QObject *parent = nullptr);

    // Connects the button's clicked() to connectOrDisconnect(); startProgram()
    // takes that connection off again.
    void attachButton(QObject *button);
    bool started() const { return m_started; }

public slots:
    void connectOrDisconnect();
    void startProgram();

signals:
    // The button's new icon, ":/images/Disconnect.png".
    void signalButtonIcon(QString icon);
    // Start the login sequence's 1 ms timer.
    void signalStartLogin();

private:
    QPointer<QObject> m_button;
    bool m_started = false;
};
