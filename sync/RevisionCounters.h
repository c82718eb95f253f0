#pragma once

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

    // "NULL", empty or not a base-10 number: 0.
    static int counterOf(const QString &value);

    int playerCounter() const { return m_player; }
    int mediaCounter() const { return m_media; }

    void getIDfilePlayer();
    void getIDfileMedia();
    bool checkIDfile(const QString &file, int expected);
    // Raises the counter of DATA/PLAYER.orvex. Only the box selected in the
    // panel is remembered: its server copy is the one checked next time.
    void AjouteIDfilePlayer(bool selectedBox = true);
    void AjouteIDfileMedia();

    static QString questionText();

private:
    int raise(ClassParam *param, const QString &file);

    ClassParam *m_playerFile;
    ClassParam *m_mediaFile;
    QString m_work;
    std::function<bool(const QString &)> m_ask;
    int m_player = 0;
    int m_media = 0;
};
