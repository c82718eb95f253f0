#include "WorkFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The seven work folders: made at start-up, emptied before a download.
class TestWorkFolders : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void create_data();
    void create();
    void createGoesOnAfterAFailure();

    void removeFiles_data();
    void removeFiles();

private:
    void touch(const QString &relative, const QByteArray &content = "x");
    QString path(const QString &relative) const { return m_dir->path() + QLatin1Char('/') + relative; }

    QScopedPointer<QTemporaryDir> m_dir;
};

void TestWorkFolders::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

void TestWorkFolders::touch(const QString &relative, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path(relative)).path());
    QFile file(path(relative));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TestWorkFolders::create_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("base");

    QTest::newRow("fresh work folder") << QStringList() << QString();
    QTest::newRow("only LOG missing")
        << QStringList{"DATA", "TEMP", "VIDEO", "IMAGE", "LINKS", "TEXT"} << QString();
    QTest::newRow("all present") << WorkFolders::names() << QString();
    QTest::newRow("work folder itself missing") << QStringList() << QStringLiteral("not/yet/there");
}

void TestWorkFolders::create()
{
    QFETCH(QStringList, present);
    QFETCH(QString, base);

    for (const QString &name : present)
        touch(name + QStringLiteral("/keep.txt"));
    const QString work = path(base) + QLatin1Char('/');

    QCOMPARE(WorkFolders::create(work), QStringList());
    for (const QString &name : WorkFolders::names())
        QVERIFY2(QFileInfo(work + name).isDir(), qPrintable(name));
    // Existing folders keep what they hold.
    for (const QString &name : present)
        QVERIFY(QFile::exists(path(name + QStringLiteral("/keep.txt"))));
}

void TestWorkFolders::createGoesOnAfterAFailure()
{
    touch(QStringLiteral("TEMP"));
    QCOMPARE(WorkFolders::create(m_dir->path() + QLatin1Char('/')), QStringList{QStringLiteral("TEMP")});
    for (const QString &name : WorkFolders::names()) {
        if (name != QLatin1String("TEMP"))
            QVERIFY2(QFileInfo(path(name)).isDir(), qPrintable(name));
    }
}

void TestWorkFolders::removeFiles_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("left");

    QTest::newRow("files go, sub-folder stays")
        << QStringList{"TEMP/a.orvex", "TEMP/MEDIA.orvex-01-01-24", "TEMP/old/b.orvex"} << "TEMP/"
        << QStringList{"TEMP/old/b.orvex"};
    QTest::newRow("hidden file stays") << QStringList{"TEMP/.keep", "TEMP/c.txt"} << "TEMP/"
                                       << QStringList{"TEMP/.keep"};
    QTest::newRow("path without slash deleted files beside the folder")
        << QStringList{"DATA/PLAYER.orvex", "DATAPLAYER.orvex"} << "DATA" << QStringList{"DATAPLAYER.orvex"};
    QTest::newRow("missing folder") << QStringList{"DATA/x"} << "TEMP/" << QStringList{"DATA/x"};
    QTest::newRow("empty path") << QStringList{"a.txt"} << "" << QStringList{"a.txt"};
}

void TestWorkFolders::removeFiles()
{
    QFETCH(QStringList, files);
    QFETCH(QString, folder);
    QFETCH(QStringList, left);

    for (const QString &file : files)
        touch(file);

    QStringList stayed;
    QVERIFY(WorkFolders::removeFiles(folder.isEmpty() ? QString() : path(folder), &stayed));
    QCOMPARE(stayed, QStringList());
    for (const QString &file : files)
        QCOMPARE(QFile::exists(path(file)), left.contains(file));
}

QTEST_GUILESS_MAIN(TestWorkFolders)
#include "tst_workfolders.moc"
