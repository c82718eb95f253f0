#pragma once

#include "ParamTableCache.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class ClassParam;

// The poster list file DATA/PLAYER.orvex of the chosen screen, as records of
// its 26 per-poster keys. Entry i of every per-poster key belongs to poster
// i; every operation here keeps the 26 keys aligned. Reads go through the
// given store, whose table of the last read the caller shares.
class PosterListFile
{
public:
    // Positions in a poster record, in key-list order.
    enum Field {
        SlideType,
        SlideDelay,
        SlideNameImage,
        SlideNameImageChk,
        SlideNameVideo,
        SlideNameVideoChk,
        SlideNameTxt,
        SlideNameTxtChk,
        SlideOpacity,
        DateDebut,
        HeureDebut,
        DateFin,
        HeureFin,
        NomAffiche,
        DateDebut1,
        HeureDebut1,
        DateFin1,
        HeureFin1,
        JoursSemaine,
        JoursSemaine1,
        NumeroEcran,
        SlideRssAdresse,
        SlideRssDelay,
        WidgetMeteoZip,
        WidgetMeteoLangue,
        WidgetMeteoCity,
        FieldCount
    };

    using Records = QList<QStringList>;

    static const QStringList &keys();
    static QString relativePath() { return QStringLiteral("DATA/PLAYER.orvex"); }
    static QString defaultNewsFeed();

    // "Affiche n°" followed by the poster's number, counting from 1.
    static QString defaultName(int number);
    // The record the add operation appends; `rowCount` is the number of
    // posters listed before it.
    static QStringList newRecord(int rowCount);
    // '|' keeping empty entries.
    static QStringList entries(const QString &value);
    // One name per poster: the stored name when there is one, else the default.
    static QStringList posterNames(const QString &rawNames, int count);
    // A typed poster or screen name made safe to store: '|', '"', '=' and
    // line ends would shift every later poster's entries or break the file.
    static QString cleanName(QString name);
    // Whether a value can be stored as one poster's entry as it is.
    static bool isStorableEntry(const QString &value);

    PosterListFile(ClassParam &store, const QString &workFolder);

    QString path() const;
    QString dataFolder() const;

    // Reads the whole file into the store's table. False when it cannot be
    // opened, or when it holds bytes that are no parameter file at all;
    // errorString() then says which.
    bool load();
    bool isDamaged() const { return m_damaged; }
    // The list read of the file into the store's table, parsed again only
    // when the file changed; false, the table left alone, when it cannot be
    // opened.
    bool readTable();

    // Posters counted from the table's SLIDETYPE (never less than 1).
    int countInTable() const;
    int count() const { return m_count; }

    // Reads the file and returns one record per poster.
    Records records();
    // Writes the 26 keys of `records` in one atomic write.
    bool setRecords(const Records &records);

    // The row texts the poster list shows, from the table.
    QStringList namesInTable();
    // Rewrites NOMAFFICHE with the given row texts.
    bool writeNames(const QStringList &names);

    // Entry `index` of a per-poster key in the table, or "" out of range.
    QString entry(const QString &key, int index) const;
    // Sets entry `index` of a per-poster key; an absent or empty key is
    // first padded to `rowCount` entries. False when nothing was written.
    bool setEntry(const QString &key, int index, const QString &value, int rowCount);
    // Several keys of the same poster in one write (a medium and its checksum).
    bool setEntries(int index, const QList<QPair<QString, QString>> &values, int rowCount);
    // Sets one whole-file key and keeps the table in step.
    bool setValue(const QString &key, const QString &value);

    // The list operations; each reads the file again first.
    bool appendPoster(int rowCount);
    // Moves poster `from` to `to`; false and nothing written when either is out of range.
    bool movePoster(int from, int to);
    // Removes poster `row` with its legacy files, renumbering the later ones.
    bool removePoster(int row);

    // Legacy per-poster files DATA/Slide<n>.txt and .png (n counting from 1).
    void removeLegacyFiles(int number);
    // After poster `number` (from 1) was deleted: later Slide files and the
    // SLIDENAMETXT references to them move one number down.
    bool renumberLegacyFiles(int number);
    // Renames only the files.
    void renameLegacyFiles(int number);
    // SLIDENAMETXT entry of poster `index` (from 0) once the poster before it
    // moved up: a reference to DATA/Slide<index+1> becomes Slide<index>.
    static QString renumberedReference(const QString &entry, int index);

    QString errorString() const { return m_error; }

private:
    bool writeValues(const QList<QPair<QString, QString>> &values);

    ClassParam &m_store;
    QString m_workFolder;
    ParamTableCache m_table;
    int m_count = 1;
    bool m_damaged = false;
    QString m_error;
};
