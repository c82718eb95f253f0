// Local mode with the disk under LOCALPATH full: each send of the
// deployment, the administration save, the media run and the text-poster
// save ends naming the disk and the file, as a full work folder does, with
// the copy in place kept and no side file left.
#include "FullDisk.h"
#include "HttpFileApi.h"
#include "ListTransfers.h"
#include "LocalWriteError.h"
#include "TransferLists.h"
#include "TransferProgress.h"

#include <QSignalSpy>
#include <QtTest>

#include <cerrno>

class LocalFullDiskTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void sendToldAsTheDisk_data();
    void sendToldAsTheDisk();

private:
    QTemporaryDir m_logs;
};

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

void LocalFullDiskTest::initTestCase()
{
    qputenv("ZOMANAGER_WORKDIR", m_logs.path().toUtf8());
    QDir(m_logs.path()).mkpath("LOG");
}

void LocalFullDiskTest::sendToldAsTheDisk_data()
{
    QTest::addColumn<QString>("folder"); // the account's folder the file goes to
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("list");      // sent by the list sequence, else on its own
    QTest::addColumn<int>("room");       // bytes a file may take
    QTest::newRow("deployment: box file onto a full disk told as a connection problem")
        << "B1" << "PLAYER.orvex" << true << 0;
    QTest::newRow("administration save: login file onto a full disk told as a connection problem")
        << "" << "LoginCrypt.orvex" << false << 0;
    QTest::newRow("media run: picture onto a full disk told as a connection problem")
        << "IMAGE" << "hall.png" << true << 0;
    QTest::newRow("text-poster save: text onto a full disk told as a connection problem")
        << "TEXT" << "menu.html" << true << 0;
    QTest::newRow("media run: disk filled in the middle of a picture told as an unknown error")
        << "IMAGE" << "hall.png" << true << 5000;
}

void LocalFullDiskTest::sendToldAsTheDisk()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(bool, list);
    QFETCH(int, room);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString work = dir.filePath("work/");
    const QString root = dir.filePath("tree/");
    const QString local = work + (folder.isEmpty() ? QString() : folder + '/');
    const QString target = root + "zo_acc/" + (folder.isEmpty() ? QString() : folder + '/') + name;
    QVERIFY(writeFile(local + name, QByteArray(20000, 'n')));
    QVERIFY(writeFile(target, "the copy in place"));

    HttpFileApi api;
    api.setWorkFolder(work);
    api.setAccountFolder("/zolink/zobox/zo_acc");
    api.setLocalMode(true, root);
    ListTransfers lists(&api);
    lists.setFolder(folder);
    lists.setDeployBoxes({"B1"});
    lists.setSelectedBox([] { return QString("B1"); });
    TransferProgress progress(&api);
    // What the panel does with a failed sequence.
    connect(&lists, &ListTransfers::sequenceFailed, &progress, &TransferProgress::MessageErreurConnexion);
    QSignalSpy told(&progress, &TransferProgress::signalErreurConnexion);
    if (list)
        api.lists()->setTransferFiles({name});
    {
        FullDisk full{rlim_t(room)};
        QVERIFY(full.isSet());
        // Local mode answers inside the call: a few calls run every try.
        bool done = false;
        for (int call = 0; call < 64 && told.isEmpty() && !done; ++call)
            done = list ? lists.FtpPutListFile(local) : lists.FtpPutOneFile(local + name, name);
        QVERIFY(!done);
    }
    QCOMPARE(told.count(), 1);
    const QString text = told.at(0).at(1).toString();
    QVERIFY2(text.contains(QDir::toNativeSeparators(target)) && text.contains(LocalWriteError::diskOf(target)),
             qPrintable(text));
    if (room > 0)
        QVERIFY2(text.contains(qt_error_string(ENOSPC)), qPrintable(text));
    QVERIFY2(!text.contains("Unknown error"), qPrintable(text));
    QCOMPARE(contentOf(target), QByteArray("the copy in place"));
    QCOMPARE(QDir(QFileInfo(target).path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
}

QTEST_GUILESS_MAIN(LocalFullDiskTest)
#include "tst_localfulldisk.moc"
