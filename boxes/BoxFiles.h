#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class ClassParam;

// The box files of DATA/ (factory record, owner and position record, status
// report, event log) and the rules the box pages apply to their values.
class BoxFiles
{
    Q_DECLARE_TR_FUNCTIONS(BoxFiles)
public:
    struct Field {
        const char *key;
        const char *label;
    };
    // In the order they are read, shown and written.
    static const QList<Field> &factoryFields(); // 7, CODE last
    static const QList<Field> &ownerFields();   // 9
    static const QList<Field> &positionFields(); // 11
    static QStringList keysOf(const QList<Field> &fields);
    // The 20 keys of INFO.orvex: owner then position.
    static QStringList infoKeys();

    static QString boxFile() { return QStringLiteral("DATA/BOX.orvex"); }
    static QString infoFile() { return QStringLiteral("DATA/INFO.orvex"); }
    static QString statusFile() { return QStringLiteral("DATA/STATUS.orvex"); }
    static QString playerFile() { return QStringLiteral("DATA/PLAYER.orvex"); }
    static QString eventsFile() { return QStringLiteral("DATA/EVENTS.orvex"); }

    // Whole-file read (fingerprint not checked). A file that cannot be
    // opened empties the reader's table, so no earlier box's values remain.
    static bool readRecord(ClassParam &reader, const QString &file);

    // A fingerprint as compared: every double quote removed.
    static QString cleanFingerprint(QString value);
    // "NULL", "PB_OPEN", "FileError" and empty are no fingerprint.
    static bool isFingerprint(const QString &value);
    // The box runs the deployed poster list: both are fingerprints and
    // their first 35 characters match, case-sensitively.
    static bool sameFingerprint(const QString &status, const QString &player);

    enum class Update { Done, Waiting, Running, NoInformation };
    static Update updateState(const QString &state, const QString &statusPrint, const QString &playerPrint);
    static QString updatePicture(Update update);
    static QString updateText(Update update);

    // What the information page stores of a typed value: double quotes
    // (they end a value in the file) and line ends removed.
    static QString typedValue(QString value);
    // The first character the file's 8-bit text cannot hold (null if none).
    static QChar unstorable(const QString &value);
    // Writes the 20 keys in one go; the file keeps its old content on failure.
    static bool saveInfo(const QString &file, const QList<QPair<QString, QString>> &values, QString *error);

    enum class Events { Missing, Unreadable, Read };
    // The event log, read whole as UTF-8 text.
    static Events readEvents(const QString &file, QString *text);

    // "Vérifié le dd/MM/yyyy à hh:mm".
    static QString checkedText(const QDateTime &when);
};
