#include "ConnectionStarter.h"

#include "ClassLog.h"

ConnectionStarter::ConnectionStarter(QObject *parent)
    : QObject(parent)
{
}

void ConnectionStarter::attachButton(QObject *button)
{
    m_button = button;
    if (button && !m_started)
        connect(button, SIGNAL(clicked()), this, SLOT(connectOrDisconnect()));
}

void ConnectionStarter::connectOrDisconnect()
{
    ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("Fonction: connectOrDisconnect()"));
    startProgram();
}

void ConnectionStarter::startProgram()
{
    // Also guards a direct call: the login machine must not start twice.
    if (m_started)
        return;
    m_started = true;
    emit signalButtonIcon(QStringLiteral(":/images/Disconnect.png"));
    if (m_button)
        disconnect(m_button, SIGNAL(clicked()), this, SLOT(connectOrDisconnect()));
    emit signalStartLogin();
}
