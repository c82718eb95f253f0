// Which published media records a later fetch of the server's index shows,
// and which are merged again.
#include "OperationJournal.h"
#include "ParamFixture.h"
#include "SentMediaRecords.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using Records = QList<QStringList>;

class SentMediaRecordsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void notShown_data();
    void notShown();
    void toMergeAgain_data();
    void toMergeAgain();
    void confirm();
    void olderConsoleKeptRecordsCarriedOver();

private:
    QTemporaryDir m_dir;
    QString m_index;
};

void SentMediaRecordsTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_index = m_dir.filePath("MEDIA.orvex");
    QVERIFY(writeParams(m_index, {{"FILEPATH", "IMAGE/a.png|VIDEO/b.mp4"},
                                  {"FILECHK", "A|B"},
                                  {"FILESIZE", "1|2"},
                                  {"FILEPATHPERMISSION", "Hall|Bar"}}));
}

void SentMediaRecordsTest::notShown_data()
{
    QTest::addColumn<Records>("records");
    QTest::addColumn<Records>("missing");
    const QStringList addA{"AJOUTER", "IMAGE/a.png", "A", "Hall", "1"};
    const QStringList addC{"AJOUTER", "IMAGE/c.png", "C", "Hall", "3"};
    const QStringList removeA{"SUPPRIMER", "IMAGE/a.png", "A", "Hall", "1"};
    const QStringList removeB{"SUPPRIMER", "VIDEO/b.mp4", "B", "Bar", "2"};
    const QStringList removeC{"SUPPRIMER", "IMAGE/c.png", "C", "Hall", "3"};
    const QStringList grantA{"PERMISSION", "IMAGE/a.png", "", "Entree", ""};
    const QStringList grantC{"PERMISSION", "IMAGE/c.png", "", "Entree", ""};
    QTest::newRow("listed import shown") << Records{addA} << Records{};
    QTest::newRow("import left out of the index") << Records{addC} << Records{addC};
    QTest::newRow("removal listed again") << Records{removeB} << Records{removeB};
    QTest::newRow("grant replaced by an older row") << Records{grantA} << Records{grantA};
    QTest::newRow("grant of a file no longer listed: nothing to do") << Records{grantC} << Records{};
    QTest::newRow("import then removal: the removal decides") << Records{addC, removeC} << Records{};
    QTest::newRow("listed import then removal: both go again") << Records{addA, removeA} << Records{addA, removeA};
    QTest::newRow("import then grant left out: both go again") << Records{addC, grantC} << Records{addC, grantC};
}

void SentMediaRecordsTest::notShown()
{
    QFETCH(Records, records);
    QFETCH(Records, missing);
    QCOMPARE(SentMediaRecords::notShown(m_index, records), missing);
}

// A kept record goes again only while the index shows the state it replaced.
void SentMediaRecordsTest::toMergeAgain_data()
{
    QTest::addColumn<Records>("records");
    QTest::addColumn<Records>("again");
    const QStringList newerA = QStringList{"SUPPRIMER", "IMAGE/a.png", "OLD", "Hall", "1"} + QStringList{"1", "OLD", "Hall"};
    const QStringList grantOver = QStringList{"PERMISSION", "IMAGE/a.png", "", "Entree", ""} + QStringList{"1", "A", "Cuisine"};
    QTest::newRow("kept removal took out another console's newer text poster of the name") << Records{newerA}
                                                                                         << Records{};
    QTest::newRow("kept grant overrode another console's later grant") << Records{grantOver} << Records{};
}

void SentMediaRecordsTest::toMergeAgain()
{
    QFETCH(Records, records);
    QFETCH(Records, again);
    QCOMPARE(SentMediaRecords::toMergeAgain(m_index, records), again);
}

// A fetch keeps only what it does not show; a page in place of the index
// decides nothing.
void SentMediaRecordsTest::confirm()
{
    const QString work = m_dir.filePath("work/");
    QVERIFY(QDir().mkpath(work + "TEMP"));
    const QStringList shown{"AJOUTER", "IMAGE/a.png", "A", "Hall", "1"};
    const QStringList lost{"AJOUTER", "IMAGE/c.png", "C", "Hall", "3"};
    QVERIFY(SentMediaRecords::rewrite(work, SentMediaRecords::Media, {shown, lost}));
    const QString page = m_dir.filePath("page.orvex");
    QFile html(page);
    QVERIFY(html.open(QIODevice::WriteOnly) && html.write("<html>busy</html>") > 0);
    html.close();
    QCOMPARE(SentMediaRecords::confirm(work, page), Records{});
    QCOMPARE(SentMediaRecords::records(work), (Records{shown, lost}));
    QCOMPARE(SentMediaRecords::confirm(work, m_index), Records{lost});
    QCOMPARE(SentMediaRecords::records(work), Records{lost});
}

// A console updated while it keeps records in the files of the older
// console loses none of them: they are read once, then kept as the others.
void SentMediaRecordsTest::olderConsoleKeptRecordsCarriedOver()
{
    const QString work = m_dir.filePath("older/");
    QVERIFY(QDir().mkpath(work + "TEMP"));
    const QStringList shown{"AJOUTER", "IMAGE/a.png", "A", "Hall", "1", "0", "", ""};
    const QStringList lost{"AJOUTER", "IMAGE/c.png", "C", "Hall", "3", "0", "", ""};
    const QStringList replaced{"SUPPRIMER", "VIDEO/b.mp4", "", "", "", "1", "B0", "Bar"};
    const QStringList rename{"RENOMMER", "Hall", "Entree", ""};
    QVERIFY(OperationJournal::appendAll(work + "TEMP/SENT-INFOMEDIA.orvex", {shown, lost, replaced}));
    QVERIFY(OperationJournal::appendAll(work + "TEMP/SENT-INFOADMIN.orvex", {rename}));
    QCOMPARE(SentMediaRecords::records(work), (Records{shown, lost, replaced}));
    QVERIFY(!QFile::exists(work + "TEMP/SENT-INFOMEDIA.orvex"));
    QVERIFY(!QFile::exists(work + "TEMP/SENT-INFOADMIN.orvex"));
    // Checked as they were: shown, lost, changed by another console since.
    QCOMPARE(SentMediaRecords::confirm(work, m_index), Records{lost});
    QCOMPARE(SentMediaRecords::confirm(work, m_index, SentMediaRecords::Admin), Records{rename});
    QCOMPARE(SentMediaRecords::records(work), Records{lost});
    QCOMPARE(SentMediaRecords::records(work, SentMediaRecords::Admin), Records{rename});
}

QTEST_MAIN(SentMediaRecordsTest)
#include "tst_sentmediarecords.moc"
