#pragma once

#include <QDateTime>
#include <QHash>
#include <QPair>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTextStream>

// Plays the boxes of an account tree: a box folder that gets a
// COMMAND.orvex has it taken and answered as a box would. "UPLOADEVENTS"
// rewrites STATUS.orvex (STATE, the EMPREINTE of the box folder's
// PLAYER.orvex, CONNECT) and appends to EVENTS.orvex; every command is
// recorded as one line "account/box WORD" in the record file. A connected
// box also rewrites its STATUS.orvex on its own, every report interval:
// report() does it for every box folder (one holding BOX.orvex). A box
// takes a new poster list as soon as it lands in its folder and reports at
// once, with the new list's fingerprint.
class BoxSimulator : public QObject
{
    Q_OBJECT
public:
    struct Options {
        QString root;      // the zobox tree (holds zo_<account>/)
        QString account;   // only this account folder; empty: every zo_*
        QString record;    // record file; empty: standard output only
        QString state = QStringLiteral("2");
        int delayMs = 0;   // a box answers after this (scaled)
    };

    explicit BoxSimulator(const Options &options, QObject *parent = nullptr);

    // One look at the tree: answers the commands whose delay has passed.
    // Boxes whose PLAYER.orvex changed since the last look take it and
    // report. Returns the number of commands answered.
    int scan();
    // Every box writes its status report. Returns the number of boxes.
    int report();

private:
    QStringList accountFolders() const;
    void answer(const QString &boxFolder, const QString &label);
    void writeStatus(const QString &boxFolder);
    void appendEvent(const QString &boxFolder, const QString &text);
    void record(const QString &line);
    // Reports when the box folder's poster list changed since the last look.
    void takeNewList(const QString &boxFolder);

    Options m_options;
    // Box folder -> when its command was first seen.
    QHash<QString, QDateTime> m_seen;
    // Box folder -> time and size of the poster list it runs.
    QHash<QString, QPair<QDateTime, qint64>> m_lists;
};
