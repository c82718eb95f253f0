#pragma once

#include "KeptChanges.h"

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
// What it sent to a box (PLAYER.orvex, INFO.orvex) is kept in the work
// folder (KeptChanges, TEMP/KEPT-BOXES.json) until a fetch shows it
// replaced and the user was told: a restart does not forget it.
// The two ClassParam objects are the panel's long-lived ones.
class RevisionCounters : public QObject
{
    Q_OBJECT
public:
    RevisionCounters(ClassParam *player, ClassParam *media, QObject *parent = nullptr);

    // Work folder, ending in "/"; what was kept there is read.
    void setWorkFolder(const QString &folder);
    // Asked when a fetched copy's counter differs: true to go on.
    void setQuestion(std::function<bool(const QString &)> ask) { m_ask = std::move(ask); }
    bool ask(const QString &text) const { return m_ask && m_ask(text); }

    // "NULL", empty or not a base-10 number: 0.
    static int counterOf(const QString &value);

    int playerCounter() const { return m_player; }
    int mediaCounter() const { return m_media; }

    // `box`: the folder the poster list came from; its counter is kept for
    // later deployments to it, with the checksum of its INFO.orvex.
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
    // The INFO.orvex whose bytes have `checksum` (null: none) reached `box`.
    void rememberInfo(const QString &box, const QString &checksum);
    // `copy`, a server copy of `box`'s poster list fetched just now, is not
    // the one this console last fetched or sent: another counter, or the
    // same counter with other bytes. False for a box never seen.
    bool serverChanged(const QString &box, const QString &copy) const;
    // `copy` (absent: no server copy), `box`'s INFO.orvex fetched just now,
    // is not the one this console last fetched or sent. False for a box
    // never seen.
    bool infoChanged(const QString &box, const QString &copy) const;

    // The box files this console sends to `box`: kept in the work folder
    // before they go, each with the checksum of the server copy it
    // replaces (null: none) and the checksum sent. False when the kept file
    // could not be written (`error` says why): nothing may go then.
    struct Sent {
        QString file;   // "PLAYER.orvex" or "INFO.orvex"
        QString before;
        QString after;
    };
    bool keepSent(const QString &box, int counter, const QList<Sent> &files, QString *error);
    // The files kept for `box` are settled: the user was told they were replaced.
    void dropSent(const QString &box);
    // The boxes this console sent files to that no fetch showed replaced yet.
    QStringList sentBoxes() const;
    // `folder`, `box`'s folder as fetched (PLAYER.orvex, INFO.orvex), no
    // longer holds a file this console sent there: its name, empty when
    // all are shown (or none kept).
    QString sentReplaced(const QString &box, const QString &folder) const;

    // Whether DATA/ holds a whole box folder: the box selection's download
    // marks it loading, then arrived (empty) or failed with its reason.
    void setFolderFailure(const QString &why) { m_folderFailure = why; }
    QString folderFailure() const { return m_folderFailure; }

    static QString questionText();

private:
    struct Known {
        int counter = 0;
        QString checksum;
    };
    int raise(ClassParam *param, const QString &file);

    ClassParam *m_playerFile;
    ClassParam *m_mediaFile;
    QString m_work;
    std::function<bool(const QString &)> m_ask;
    int m_player = 0;
    int m_media = 0;
    QHash<QString, Known> m_known;
    // Box -> checksum of the INFO.orvex last fetched or sent (null: none).
    QHash<QString, QString> m_knownInfo;
    KeptChanges m_sent{QString()};
    QString m_folderFailure;
};
