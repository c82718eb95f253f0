#pragma once

// Test-only stand-in for the panel's command sequence: writes
// TEMP/COMMAND.orvex with COMMANDHTTP and uploads it as COMMAND.orvex into
// the selected box's server folder through the list transfers.

#include "ClassParam.h"
#include "ListTransfers.h"

#include <QFile>
#include <QObject>
#include <QTimer>

class CommandDriver : public QObject
{
    Q_OBJECT
public:
    CommandDriver(ListTransfers *lists, QString work, QString box)
        : m_lists(lists)
        , m_work(std::move(work))
        , m_box(std::move(box))
    {
        m_timer.setInterval(50);
        connect(&m_timer, &QTimer::timeout, this, &CommandDriver::tick);
    }

    int sent() const { return m_sent; }
    int failed() const { return m_failed; }

public slots:
    void slotCommand(const QString &word)
    {
        const QString file = m_work + "TEMP/COMMAND.orvex";
        QFile::remove(file);
        QFile empty(file);
        if (!empty.open(QIODevice::WriteOnly) || !ClassParam().setParamCrypt(file, "COMMANDHTTP", word)) {
            ++m_failed;
            return;
        }
        m_timer.start();
    }

private:
    void tick()
    {
        m_lists->setFolder(m_box);
        if (m_lists->FtpPutOneFile(m_work + "TEMP/COMMAND.orvex", "COMMAND.orvex")) {
            m_timer.stop();
            ++m_sent;
        } else if (m_lists->lastFailed()) {
            m_timer.stop();
            ++m_failed;
        }
    }

    ListTransfers *m_lists;
    QString m_work;
    QString m_box;
    QTimer m_timer;
    int m_sent = 0;
    int m_failed = 0;
};
