#pragma once

#include "StepTimeout.h"

#include <QObject>
#include <QString>

class HttpFileApi;
class ListTransfers;
class QTimer;
class TransferSlots;

// The server folder operations the administration page asks for: create a
// folder and copy the DEFAULT folder's PLAYER.orvex and INFO.orvex into it,
// rename a folder, remove a folder with its files. One step per tick of the
// panel's 1 ms timer, under the overlay; every outcome ends with one
// signalFinished() (the panel then runs its account deployment step).
class FolderOperations : public QObject
{
    Q_OBJECT
public:
    enum Status { Create = 0, Rename = 1, Remove = 3 };
    static constexpr int TryMs = 5000;
    static constexpr int CopyMs = 20000;

    FolderOperations(HttpFileApi *api, ListTransfers *lists, TransferSlots *transferSlots, QTimer *timer,
                     QObject *parent = nullptr);

    void setWorkFolder(const QString &folder) { m_work = folder; }
    int stepIndex() const { return m_step; }
    // Whether the last operation did all it was asked.
    bool lastOk() const { return m_ok; }

public slots:
    // Stores the request and runs the first step at once.
    void slotFolder(int Status, QString Folder, QString newFolder);
    void slotProcessFolder();

signals:
    void signalMessageOnlyON(QString text, double overall, double file, bool bars, bool spin);
    void signalMessageOnlyOFF();
    // Modal information box; returns once closed.
    void signalInformation(QString title, QString text);
    void signalFinished();

private:
    void startCopy(const QString &name);
    // True once the copy of `name` has arrived in TEMP and its upload has
    // been started; false with the box shown when it did not arrive.
    bool uploadCopy(const QString &name);
    bool copyFailed(const QString &name);

    HttpFileApi *m_api;
    ListTransfers *m_lists;
    TransferSlots *m_slots;
    QTimer *m_timer;
    QString m_work;

    int m_status = 0;
    QString m_folder;
    QString m_newFolder;
    int m_step = 0;
    int m_retries = 0;
    bool m_ok = true;
    StepTimeout m_timeout;
};
