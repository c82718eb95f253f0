// What the box deployment sends: poster media the index no longer holds are
// cleared in place, and the order and choice of the DATA/ files.
#include "BoxDeployment.h"
#include "ClassParam.h"
#include "ParamFixture.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class DeployListsTest : public QObject
{
    Q_OBJECT
private slots:
    void checkPlayerVsMedia_data();
    void checkPlayerVsMedia();
    void arrange_data();
    void arrange();
};

void DeployListsTest::checkPlayerVsMedia_data()
{
    QTest::addColumn<QString>("index");
    QTest::addColumn<ParamList>("before");
    QTest::addColumn<ParamList>("after");
    const QString known = "IMAGE/a.png|VIDEO/v.mp4|TEXT/t.png";
    QTest::newRow("missing pictures cleared wherever they stand")
        << known
        << ParamList{{"SLIDENAMEIMAGE", "IMAGE/x.png|IMAGE/a.png|IMAGE/y.png"}, {"SLIDENAMEIMAGECHK", "X|A|Y"}}
        << ParamList{{"SLIDENAMEIMAGE", "|IMAGE/a.png|"}, {"SLIDENAMEIMAGECHK", "|A|"}};
    QTest::newRow("missing video only: pictures and texts kept")
        << known
        << ParamList{{"SLIDENAMEIMAGE", "IMAGE/a.png|IMAGE/a.png"}, {"SLIDENAMEVIDEO", "VIDEO/gone.mp4|"},
                     {"SLIDENAMEVIDEOCHK", "G|"}, {"SLIDENAMETXT", "TEXT/t.png|TEXT/t.png"}}
        << ParamList{{"SLIDENAMEIMAGE", "IMAGE/a.png|IMAGE/a.png"}, {"SLIDENAMEVIDEO", "|"},
                     {"SLIDENAMEVIDEOCHK", "|"}, {"SLIDENAMETXT", "TEXT/t.png|TEXT/t.png"}};
    QTest::newRow("names compared whole and with their case")
        << known << ParamList{{"SLIDENAMETXT", "TEXT/T.png|TEXT/t.png.bak"}, {"SLIDENAMETXTCHK", "1|2"}}
        << ParamList{{"SLIDENAMETXT", "|"}, {"SLIDENAMETXTCHK", "|"}};
    QTest::newRow("index unreadable: posters keep their media")
        << QString() << ParamList{{"SLIDENAMEIMAGE", "IMAGE/a.png"}, {"SLIDENAMEIMAGECHK", "A"}}
        << ParamList{{"SLIDENAMEIMAGE", "IMAGE/a.png"}, {"SLIDENAMEIMAGECHK", "A"}};
}

void DeployListsTest::checkPlayerVsMedia()
{
    QFETCH(QString, index);
    QFETCH(ParamList, before);
    QFETCH(ParamList, after);
    QTemporaryDir dir;
    const QString work = dir.path() + '/';
    QVERIFY(QDir(work).mkpath("DATA") && QDir(work).mkpath("TEMP"));
    QVERIFY(writeParams(work + "DATA/PLAYER.orvex", before));
    if (!index.isEmpty())
        QVERIFY(writeParams(work + "TEMP/MEDIA.orvex", {{"FILEPATH", index}}));
    QCOMPARE(BoxDeployment::checkPlayerVsMedia(work), !index.isEmpty());
    ClassParam read;
    for (const auto &kv : after)
        QCOMPARE(read.getParamCrypt(work + "DATA/PLAYER.orvex", kv.first, 1), kv.second);
}

void DeployListsTest::arrange_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("sent");
    QTest::newRow("poster list last, the box's journal out")
        << QStringList{"a.png", "EVENTS.orvex", "INFO.orvex", "PLAYER.orvex", "z.png"}
        << QStringList{"a.png", "INFO.orvex", "z.png", "PLAYER.orvex"};
    QTest::newRow("playlists and commands belong to other machines")
        << QStringList{"COMMAND.orvex", "PLAYER.orvex", "PLAYLIST.orvex"} << QStringList{"PLAYER.orvex"};
    QTest::newRow("no poster list") << QStringList{"b.png"} << QStringList{"b.png"};
}

void DeployListsTest::arrange()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, sent);
    QCOMPARE(BoxDeployment::arrange(names), sent);
}

QTEST_GUILESS_MAIN(DeployListsTest)
#include "tst_deploylists.moc"
