#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

class ClassParam;

// The revision counters (key ID) of the poster list file DATA/PLAYER.orvex
// and of the media index TEMP/MEDIA.orvex: read when the files arrive,
// compared with the box's server copy before a deployment, raised on each
// upload. The two ClassParam objects are the panel's long-lived ones.
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
    // Writes into DATA/PLAYER.orvex a counter above both the file's own and
    // `floor` (the server copy's), so that every server change raises it and
    // every other console is asked; nothing is remembered yet.
    int raisePlayer(int floor);
    // The poster list carrying `counter` reached `box`'s server folder.
    void rememberPlayer(const QString &box, int counter, bool selectedBox);
    // Counter this console last saw in `box`'s server copy; false when it
    // never downloaded nor deployed that box.
    bool knownCounter(const QString &box, int *counter) const;

    static QString questionText();

private:
    int raise(ClassParam *param, const QString &file);

    ClassParam *m_playerFile;
    ClassParam *m_mediaFile;
    QString m_work;
    std::function<bool(const QString &)> m_ask;
    int m_player = 0;
    int m_media = 0;
    QHash<QString, int> m_known;
};
