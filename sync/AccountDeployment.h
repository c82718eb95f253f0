#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class ClassParam;
class HttpFileApi;
class ListTransfers;
class QTimer;
class RevisionCounters;

// The account deployment: uploads the login file, fetches the server's
// media index, replays the administration journal on it and uploads it
// again; with the playlist flag, writes and uploads one PLAYLIST.orvex per
// box. Widget-free; the 50 ms timer is the panel's.
class AccountDeployment : public QObject
{
    Q_OBJECT
public:
    // Connection error shown when the journal could not be merged.
    static constexpr int MergeErrorCode = 11;

    AccountDeployment(HttpFileApi *api, ListTransfers *lists, RevisionCounters *revisions, ClassParam *login,
                      QTimer *timer, QObject *parent = nullptr);

    void setWorkFolder(const QString &folder) { m_work = folder; }
    void setDownloader(std::function<bool(QString, QString, QString, QString)> download)
    {
        m_download = std::move(download);
    }
    // transOperationToFileAdmin: false keeps the journal.
    void setMerge(std::function<bool(QString, QString)> merge) { m_merge = std::move(merge); }

    int step() const { return m_step; }
    bool running() const;

    // An index that exists, is not empty and reads with its fingerprint.
    static bool indexReadable(const QString &path);
    // Creates or truncates <work>name; false (with `error`) when it cannot.
    static bool CreateFilePlaylist(const QString &work, const QString &name, QString *error = nullptr);
    // The PLAYLIST value of one PLAYERLISTTOPLAYLIST row.
    static QString playlistValue(const QString &row) { return QString(row).replace(QLatin1Char(';'), QLatin1Char('|')); }

public slots:
    // slotProcessDeployFile: from step 0; status 1 also sends the playlists.
    void start(int status);
    // The folder operations' call at their end: one step of a running
    // deployment, nothing while it is idle.
    void folderOperationEnded();
    void sequenceFailed();
    void slotProcessDeployLogin();

signals:
    // "Statistiques", "Médiathèque", "Administration", "Editer", "Déployer" off.
    void signalBegin();
    // The end: the panel puts the buttons back by its rule.
    void signalFinished();
    void signalMessageOnlyON(QString text, double overall, double file, bool bars, bool spin);
    void signalMessageOnlyOFF();
    void signalDeployBox(QString box);
    // "Le fichier media est corrompu (code: ...) !!"
    void signalCorrupt(QString text);
    void signalErreurConnexion(int code);
    void signalInformation(QString title, QString text);

private:
    void finish();

    HttpFileApi *m_api;
    ListTransfers *m_lists;
    RevisionCounters *m_revisions;
    ClassParam *m_login;
    QTimer *m_timer;
    QString m_work;
    std::function<bool(QString, QString, QString, QString)> m_download;
    std::function<bool(QString, QString)> m_merge;

    int m_step = 0;
    bool m_playlists = false;
    QStringList m_serials;
    QStringList m_rows;
};
