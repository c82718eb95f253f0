#pragma once

#include <QByteArray>
#include <QObject>
#include <QStringList>

// The panel's server lists as a scan fills them: box folders with their
// display names, the transfer file list that the sequences consume from the
// top, and the poster ("Slide") file names. The panel's list widgets mirror
// them through the signals.
class TransferLists : public QObject
{
    Q_OBJECT
public:
    explicit TransferLists(QObject *parent = nullptr);

    // Names of a scan reply (a JSON array, "." and ".." dropped). `ok` is
    // false when the reply is not such an array.
    static QStringList transArrayToList(const QByteArray &reply, bool *ok = nullptr);

    // Sorts names into the lists; only appends.
    void addToListHttp(const QStringList &names);

    // Box display names come from this media index (TEMP/MEDIA.orvex).
    void setMediaIndex(const QString &path);

    QStringList boxList() const { return m_boxes; }
    QStringList boxNameList() const { return m_boxNames; }
    QStringList slideNames() const { return m_slides; }
    QStringList transferFiles() const { return m_files; }
    int transferFileCount() const { return m_files.size(); }
    QString firstTransferFile() const { return m_files.value(0); }
    // Rows of the transfer file list after the last name added; the
    // denominator of the overall progress.
    int fileCount() const { return m_fileCount; }

    void setTransferFiles(const QStringList &names);
    void removeFirstTransferFile();
    void clearTransferFiles();
    void clearBoxes();
    void clearSlideNames();

signals:
    void signalBoxAdded(QString folder, QString displayName);
    void signalPresenceBox();
    void signalTransferFilesChanged();

private:
    QString displayNameOf(const QString &folder) const;

    QString m_mediaIndex;
    QStringList m_boxes;
    QStringList m_boxNames;
    QStringList m_files;
    QStringList m_slides;
    int m_fileCount = 0;
};
