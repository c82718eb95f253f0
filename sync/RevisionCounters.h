#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <functional>

class ClassParam;

// The revision counters (key ID) of the poster list file DATA/PLAYER.orvex
// and of the media index TEMP/MEDIA.orvex: read when the files arrive,
// compared with the box's server copy before a deployment, raised on each
// upload. Per box it also keeps the checksum of the poster list this
// console last fetched or sent: two consoles may write the same counter.
// The two ClassParam objects are the panel's long-lived ones.
class RevisionCounters : public QObject
{
    Q_OBJECT
public:
    RevisionCounters(ClassParam *player, ClassParam *media, QObject *parent = nullptr);

    // Work folder, ending in "/".
    void setWorkFolder(const QString &folder) { m_work = folder; }
    // Asked when a fetched copy's counter differs: true to go on.
    void setQuestion(std::function<bool(const QString &)> ask) { m_ask = std::move(ask); }
    bool ask(const QString &text) const { return m_ask && m_ask(text); }

    // "NULL", empty or not a base-10 number: 0.
    static int counterOf(const QString &value);

    int playerCounter() const { return m_player; }
    int mediaCounter() const { return m_media; }

    // `box`: the folder the poster list came from; its counter is kept for
    // later deployments to it.
    void getIDfilePlayer(const QString &box = QString());
    void getIDfileMedia();
    bool checkIDfile(const QString &file, int expected);
    // Raises the counter of DATA/PLAYER.orvex. Only the box selected in the
    // panel is remembered: its server copy is the one checked next time.
    void AjouteIDfilePlayer(bool selectedBox = true);
    void AjouteIDfileMedia();

    // Counter of a parameter file read afresh (0 when unreadable).
    static int fileCounter(const QString &file);
    // Writes into DATA/PLAYER.orvex, in one write with `edits`, a counter
    // above both the file's own and `floor` (the server copy's), so that
    // every server change raises it and every other console is asked;
    // nothing is remembered yet. False when the file could not be written:
    // it is unchanged and `error` says why.
    bool raisePlayer(int floor, const QList<QPair<QString, QString>> &edits, int *written, QString *error);
    // The poster list carrying `counter`, whose bytes have `checksum`,
    // reached `box`'s server folder.
    void rememberPlayer(const QString &box, int counter, bool selectedBox, const QString &checksum);
    // `copy`, a server copy of `box`'s poster list fetched just now, is not
    // the one this console last fetched or sent: another counter, or the
    // same counter with other bytes. False for a box never seen.
    bool serverChanged(const QString &box, const QString &copy) const;
    // `copy`, `box`'s server copy as its folder download brought it,
    // replaced the poster list this console sent last.
    bool sentReplaced(const QString &box, const QString &copy) const;

    // Whether DATA/ holds a whole box folder: the box selection's download
    // marks it loading, then arrived (empty) or failed with its reason.
    void setFolderFailure(const QString &why) { m_folderFailure = why; }
    QString folderFailure() const { return m_folderFailure; }

    static QString questionText();

private:
    struct Known {
        int counter = 0;
        QString checksum;
        bool sent = false; // the last copy seen is this console's own send
    };
    int raise(ClassParam *param, const QString &file);

    ClassParam *m_playerFile;
    ClassParam *m_mediaFile;
    QString m_work;
    std::function<bool(const QString &)> m_ask;
    int m_player = 0;
    int m_media = 0;
    QHash<QString, Known> m_known;
    QString m_folderFailure;
};
