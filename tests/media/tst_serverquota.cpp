// The page's quota counted on what the server will hold once this console
// has published: the server's index (another console's imports included),
// with this console's unpublished journal replayed on it.
#include "AppGlobals.h"
#include "ClassMedia.h"
#include "HttpFileApi.h"
#include "JournalMerge.h"
#include "MediaFixture.h"
#include "ModalAnswerer.h"
#include "OperationJournal.h"
#include "ServerMediaUsage.h"
#include "ZoTestInit.h"

#include <QLabel>
#include <QListWidget>
#include <QtTest>

#include <memory>

namespace {

const QString kRefused = QString::fromUtf8("La taille maximum de votre médiathèque a été atteinte");

// "IMAGE/a.png:1500000|VIDEO/b.mp4:2000000" as an index's four lists.
ParamList indexOf(const QString &entries)
{
    QStringList paths, sums, sizes, rights;
    for (const QString &entry : entries.split('|', Qt::SkipEmptyParts)) {
        paths << entry.section(':', 0, 0);
        sizes << entry.section(':', 1, 1);
        sums << "0123456789ABCDEF0123456789ABCDEF";
        rights << "A;B";
    }
    return {{"FILEPATH", paths.join('|')}, {"FILECHK", sums.join('|')}, {"FILESIZE", sizes.join('|')},
            {"FILEPATHPERMISSION", rights.join('|')}, {"ID", "4"}};
}

} // namespace

class ServerQuotaTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void countedOnTheServer_data();
    void countedOnTheServer();
    void unreachableServerCountsTheOwnIndex();

private:
    void openPage(int quota);
    void importVideo(qint64 bytes);
    QString quotaLine() const { return m_page->findChild<QLabel *>("labelQuota")->text(); }

    std::unique_ptr<MediaFixture> m_f;
    QTemporaryDir m_server;
    HttpFileApi m_settings;
    std::unique_ptr<ClassMedia> m_page;
    ServerMediaUsage *m_usage = nullptr;
    QTemporaryDir m_outside;
    int m_chooserCalls = 0;
};

void ServerQuotaTest::initTestCase()
{
    zoInitWidgetTest();
    QVERIFY(m_server.isValid() && m_outside.isValid());
    QVERIFY(QDir().mkpath(m_server.filePath("zo_quota")));
    m_settings.setAccountFolder("/zolink/zobox/zo_quota");
}

void ServerQuotaTest::init()
{
    m_f.reset(new MediaFixture);
    ApplicationPath = m_f->work;
    m_settings.setLocalMode(true, m_server.path() + "/");
    m_chooserCalls = 0;
}

void ServerQuotaTest::cleanup()
{
    m_page.reset();
    m_f.reset();
}

void ServerQuotaTest::openPage(int quota)
{
    m_page.reset(new ClassMedia);
    m_usage = new ServerMediaUsage(m_f->work, m_page.get());
    m_usage->setSettings(&m_settings);
    m_usage->setMerge(&JournalMerge::mergeMedia);
    m_page->setServerUsage(m_usage);
    m_page->resize(1024, 720);
    m_page->show();
    QSignalSpy finished(m_page.get(), &ClassMedia::signalUpdateMediaFinish);
    m_page->slotUpdateMediaSize(quota);
    m_page->slotUpdateMediaFile();
    QVERIFY(finished.wait(2000));
    m_page->slotUserLogin("agent", "UTILISATEUR");
    m_page->slotPageShown();
    QTRY_VERIFY(!m_usage->busy());
}

void ServerQuotaTest::importVideo(qint64 bytes)
{
    const QStringList chosen{m_f->bytes(m_outside.filePath("clip.mp4"), bytes)};
    m_page->setFileChooser([this, chosen](int, QWidget *, const QString &) {
        ++m_chooserCalls;
        return chosen;
    });
    m_page->slotAjouterVideo();
}

void ServerQuotaTest::countedOnTheServer_data()
{
    QTest::addColumn<QString>("server");  // the server's index
    QTest::addColumn<QString>("local");   // this console's index
    QTest::addColumn<QStringList>("journal");
    QTest::addColumn<int>("quota");
    QTest::addColumn<int>("usedMo");      // shown once the page has opened
    QTest::addColumn<qint64>("video");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("another console's imports went uncounted: the quota was passed")
        << "IMAGE/a.png:1500000|VIDEO/theirs.mp4:2000000" << "IMAGE/a.png:1500000" << QStringList() << 5 << 3
        << qint64(2000000) << false;
    QTest::newRow("own unpublished import counted on top of the server's index")
        << "IMAGE/a.png:1500000|VIDEO/theirs.mp4:2000000" << "IMAGE/a.png:1500000|VIDEO/mine.mp4:1500000"
        << QStringList{"AJOUTER|VIDEO/mine.mp4|0123456789ABCDEF0123456789ABCDEF|A;B|1500000"} << 7 << 5
        << qint64(2000000) << false;
    QTest::newRow("own unpublished removal taken off the server's index")
        << "IMAGE/a.png:1500000|VIDEO/theirs.mp4:2000000|VIDEO/gone.mp4:2500000" << "IMAGE/a.png:1500000"
        << QStringList{"SUPPRIMER|VIDEO/gone.mp4|0123456789ABCDEF0123456789ABCDEF|A;B|2500000"} << 6 << 3
        << qint64(2000000) << true;
}

void ServerQuotaTest::countedOnTheServer()
{
    QFETCH(QString, server);
    QFETCH(QString, local);
    QFETCH(QStringList, journal);
    QFETCH(int, quota);
    QFETCH(int, usedMo);
    QFETCH(qint64, video);
    QFETCH(bool, accepted);
    const QString serverIndex = m_server.filePath("zo_quota/MEDIA.orvex");
    QFile::remove(serverIndex);
    if (!server.isEmpty())
        QVERIFY(writeParams(serverIndex, indexOf(server)));
    QVERIFY(writeParams(m_f->index(), indexOf(local)));
    QList<QStringList> records;
    for (const QString &record : journal)
        records << record.split('|');
    if (!records.isEmpty())
        QVERIFY(OperationJournal::appendAll(m_f->journal(), records));
    const QByteArray serverBefore = server.isEmpty() ? QByteArray() : [&] {
        QFile f(serverIndex);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    openPage(quota);
    QCOMPARE(quotaLine(), QString::fromUtf8("Espace maximum autorisé: %1Mo\nEspace utilisé: %2Mo").arg(quota).arg(usedMo));
    QCOMPARE(m_page->usedMo(), usedMo);

    QListWidget *videos = m_page->findChild<QListWidget *>("listVideo");
    const int listed = videos->count();
    ModalAnswerer answerer;
    if (!accepted)
        answerer.answer([](QDialog *d) { d->accept(); });
    importVideo(video);
    QTRY_VERIFY(!m_page->importPending() && !m_page->importing());
    QVERIFY(answerer.waitUntilDone());
    QCOMPARE(answerer.texts().size(), accepted ? 0 : 1);
    if (!accepted)
        QVERIFY(answerer.texts().first().startsWith(kRefused));
    const int before = local.split('|', Qt::SkipEmptyParts).size();
    QCOMPARE(videos->count(), listed + (accepted ? 1 : 0));
    QCOMPARE(m_f->indexKey("FILEPATH").split('|').size(), before + (accepted ? 1 : 0));
    if (accepted)
        QCOMPARE(m_page->usedMo(), usedMo + 2);
    // The count reads copies: the journal stays for the deployment, the
    // server's index and this console's are untouched.
    QCOMPARE(m_f->records().size(), journal.size() + (accepted ? 1 : 0));
    if (!server.isEmpty()) {
        QFile f(serverIndex);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), serverBefore);
    }
    QVERIFY(!QFile::exists(m_usage->indexCopy()));
    QVERIFY(!QFile::exists(m_usage->journalCopy()));
}

// No answer from the server: said on the quota line, the own index counts
// and the import goes on; a second click meanwhile starts nothing.
void ServerQuotaTest::unreachableServerCountsTheOwnIndex()
{
    QVERIFY(writeParams(m_server.filePath("zo_quota/MEDIA.orvex"),
                        indexOf("IMAGE/a.png:1500000|VIDEO/theirs.mp4:2000000")));
    QVERIFY(writeParams(m_f->index(), indexOf("IMAGE/a.png:1500000")));
    // Nothing listens on port 1 of the loopback.
    m_settings.setLocalMode(false, QString());
    m_settings.setBaseUrl("http://127.0.0.1:1/");
    openPage(4);
    QCOMPARE(quotaLine(), QString::fromUtf8("Espace maximum autorisé: 4Mo\nEspace utilisé: 1Mo\n")
                              + ClassMedia::unreachableText());

    ModalAnswerer answerer;
    importVideo(2000000);
    m_page->slotAjouterVideo();
    QTRY_VERIFY(!m_page->importPending() && !m_page->importing());
    QVERIFY(answerer.waitUntilDone());
    QCOMPARE(answerer.texts(), QStringList());
    QCOMPARE(m_chooserCalls, 1);
    QCOMPARE(m_page->findChild<QListWidget *>("listVideo")->count(), 1);
    QCOMPARE(m_page->usedMo(), 3);
    QVERIFY(quotaLine().endsWith(ClassMedia::unreachableText()));

    // Reached again: the message goes and the server's count comes back.
    m_settings.setLocalMode(true, m_server.path() + "/");
    m_page->slotPageShown();
    QTRY_VERIFY(!m_usage->busy());
    QCOMPARE(quotaLine(), QString::fromUtf8("Espace maximum autorisé: 4Mo\nEspace utilisé: 5Mo"));
}

QTEST_MAIN(ServerQuotaTest)
#include "tst_serverquota.moc"
