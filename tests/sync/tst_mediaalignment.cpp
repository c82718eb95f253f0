// What a user may see of the media index, and what the alignment may touch
// locally.
#include "Checksum.h"
#include "ClassParam.h"
#include "SlicedChecksum.h"
#include "HttpFileApi.h"
#include "MediaAlignment.h"
#include "ParamFixture.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class MediaAlignmentTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void rowVisible_data();
    void rowVisible();
    void mediaPaths_data();
    void mediaPaths();
    void userToList_data();
    void userToList();
    void emptyKeepListKeepsTheFolders();
    void slicedChecksum_data();
    void slicedChecksum();

private:
    QScopedPointer<QTemporaryDir> m_dir;
    QString m_work;
};

void MediaAlignmentTest::init()
{
    m_dir.reset(new QTemporaryDir);
    m_work = m_dir->path() + '/';
    QDir(m_work).mkpath("TEMP");
    qputenv("ZOMANAGER_WORKDIR", m_dir->path().toUtf8());
}

void MediaAlignmentTest::rowVisible_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QStringList>("rights");
    QTest::addColumn<bool>("visible");
    QTest::newRow("same category") << "Hall" << QStringList{"Hall"} << true;
    QTest::newRow("Hall granted Hall2") << "Hall2" << QStringList{"Hall"} << false;
    QTest::newRow("one item of several") << "Bar;Hall" << QStringList{"Restaurant", "Hall"} << true;
    QTest::newRow("empty right granted every row") << "Hall" << QStringList{""} << false;
    QTest::newRow("empty row") << "" << QStringList{"", "Hall"} << false;
    QTest::newRow("for everybody") << "ADMINISTRATEUR" << QStringList{} << true;
    QTest::newRow("ADMINISTRATEUR only as the whole row") << "ADMINISTRATEUR2" << QStringList{"Hall"} << false;
}

void MediaAlignmentTest::rowVisible()
{
    QFETCH(QString, row);
    QFETCH(QStringList, rights);
    QTEST(MediaAlignment::rowVisible(row, rights), "visible");
}

void MediaAlignmentTest::mediaPaths_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("ok");
    QTest::newRow("image") << "IMAGE/a.png" << true;
    QTest::newRow("dots inside") << "VIDEO/a..b.mp4" << true;
    QTest::newRow("other folder") << "DATA/PLAYER.orvex" << false;
    QTest::newRow("parent") << "IMAGE/../CONNEXION.txt" << false;
    QTest::newRow("deeper") << "TEXT/x/y.png" << false;
    QTest::newRow("no name") << "IMAGE/" << false;
    QTest::newRow("lower case folder") << "image/a.png" << false;
}

void MediaAlignmentTest::mediaPaths()
{
    QFETCH(QString, entry);
    QTEST(MediaAlignment::isMediaPath(entry), "ok");
}

void MediaAlignmentTest::userToList_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("permission"); // "-": key absent
    QTest::addColumn<QStringList>("visible");
    QTest::addColumn<QString>("stored");     // FILEPATHPERMISSION afterwards
    QTest::addColumn<int>("firstFileSize");

    const QString perm = "Hall|Hall2|ADMINISTRATEUR";
    QTest::newRow("listed user") << "anna" << perm << QStringList{"a.png", "c.png"} << perm << 0;
    QTest::newRow("administrator sees all") << "root" << perm << QStringList{"a.png", "b.png", "c.png"} << perm << 1;
    QTest::newRow("main user: table was rewritten empty")
        << "boss" << perm << QStringList{"a.png", "b.png", "c.png"} << perm << 0;
    QTest::newRow("absent table is initialised") << "anna" << "-" << QStringList{"a.png", "b.png", "c.png"} << "||"
                                                 << 0;
}

void MediaAlignmentTest::userToList()
{
    QFETCH(QString, user);
    QFETCH(QString, permission);
    QFETCH(QStringList, visible);
    QFETCH(QString, stored);
    QFETCH(int, firstFileSize);
    ParamList index{{"FILEPATH", "IMAGE/a.png|IMAGE/b.png|IMAGE/c.png"}, {"FILECHK", "A|B|C"}};
    if (permission != "-")
        index << qMakePair(QString("FILEPATHPERMISSION"), permission);
    QVERIFY(writeParams(m_work + "TEMP/MEDIA.orvex", index));
    QVERIFY(writeParams(m_work + "LoginCrypt.orvex", {{"USERLIST", "anna|root"},
                                                      {"USERTYPE", "UTILISATEUR|ADMIN"},
                                                      {"PLAYPERMISSION", "Hall|"}}));
    ClassParam login;
    ClassParam media;
    QVERIFY(login.getParamCrypt(m_work + "LoginCrypt.orvex", QStringList{"ALL"}, 0));
    QVERIFY(media.getParamCrypt(m_work + "TEMP/MEDIA.orvex", QStringList{"ALL"}, 0));
    HttpFileApi api;
    MediaAlignment alignment(&api, &login, &media);
    alignment.setWorkFolder(m_work);
    QSignalSpy first(&alignment, &MediaAlignment::SignalFirstFileSize);

    const QStringList paths = alignment.UserToList(user, "FILEPATH");
    const QStringList sums = alignment.UserToList(user, "FILECHK");
    QStringList names;
    for (const QString &path : paths)
        names << path.section('/', 1);
    QCOMPARE(names, visible);
    QCOMPARE(sums.size(), paths.size());
    QCOMPARE(ClassParam().getParamCrypt(m_work + "TEMP/MEDIA.orvex", "FILEPATHPERMISSION", 0), stored);
    QCOMPARE(first.count(), firstFileSize * 2);
}

void MediaAlignmentTest::emptyKeepListKeepsTheFolders()
{
    QDir(m_work).mkpath("IMAGE/sub");
    QFile file(m_work + "IMAGE/old.png");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    ClassParam login;
    ClassParam media;
    HttpFileApi api;
    MediaAlignment alignment(&api, &login, &media);
    alignment.setWorkFolder(m_work);
    alignment.RemoveLocalFile("IMAGE", {});
    QVERIFY(!QFile::exists(m_work + "IMAGE/old.png"));
    QVERIFY(QFileInfo(m_work + "IMAGE/sub").isDir());
}

void MediaAlignmentTest::slicedChecksum_data()
{
    QTest::addColumn<int>("size"); // -1: no file
    QTest::addColumn<int>("calls"); // one block per call
    QTest::newRow("empty") << 0 << 1;
    QTest::newRow("one block") << 16384 << 2;
    QTest::newRow("one byte more") << 16385 << 3;
    QTest::newRow("missing file") << -1 << 1;
}

void MediaAlignmentTest::slicedChecksum()
{
    QFETCH(int, size);
    QFETCH(int, calls);
    const QString path = m_work + "f.bin";
    if (size >= 0) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(size, 'z'));
    }
    SlicedChecksum sum;
    QCOMPARE(sum.start(path), size >= 0);
    int n = 1;
    while (!sum.step(0))
        ++n;
    QCOMPARE(n, calls);
    QCOMPARE(sum.result(), CalculChecksum(path));
}

QTEST_GUILESS_MAIN(MediaAlignmentTest)
#include "tst_mediaalignment.moc"
