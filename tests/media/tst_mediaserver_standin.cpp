// The media library end to end against the stand-in: what the Médiathèque
// page imports, removes and grants reaches the account's server folders
// and its media index when the page is left (panel's media deployment,
// waits scaled by ZOMANAGER_TIME_SCALE).
#include "../console/ServerDemo.h"
#include "BoxDeployment.h"
#include "Checksum.h"
#include "ClassMedia.h"
#include "MediaDeployment.h"
#include "MediaFixture.h"
#include "LargeFileUpload.h"
#include "ModalAnswerer.h"
#include "QFtp.h"
#include "OperationJournal.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

static const QString kAbsent = QStringLiteral("IMAGE/absent.png");
// On the server, but its download fails at login.
static const QString kUnreachable = QStringLiteral("IMAGE/promo-cafe.jpg");

class MediaServerTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void importsReachTheServer();
    void removalAndGrantReachTheServer();
    void handOnWhileDeployingIsNotLost();
    void failedUploadGoesWithTheNextVisit();
    void randomVisitsKeepServerAndPostersInStep();
    void largeVideoGoesByFtp();
    void refusedFtpLoginIsShownAndLosesNothing();
    void failedJournalWriteIsShown();
    void failedDownloadKeepsThePosters();

private:
    QStringList serverIndex(const char *key) const
    {
        return ClassParam().getParamCrypt(m_demo.server("MEDIA.orvex"), QLatin1String(key), 0).split('|');
    }
    QString journal() const { return m_demo.work("TEMP/INFOMEDIA.orvex"); }
    // The server's media files, and what its index lists.
    QStringList serverFiles() const;
    QStringList serverIndexed() const;
    QListWidget *list(const char *name) const { return m_media->findChild<QListWidget *>(QLatin1String(name)); }
    QString stored(const char *listName, const QString &prefix) const;
    void openPage();
    void leavePage(int timeoutMs = 20000);

    ServerDemo m_demo;
    ClassMedia *m_media = nullptr;
    QTemporaryDir m_outside;
    QStringList m_pictures;
    QString m_video;
};

void MediaServerTest::initTestCase()
{
    ZO_NEED_STANDIN();
    QVERIFY(qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE") >= 10);
    QVERIFY(m_demo.prepare(QStringLiteral("e2m")));
    // The server's index names a file its folder lacks: its download fails.
    ClassParam index;
    const QString file = m_demo.server("MEDIA.orvex");
    QVERIFY(index.getParamCrypt(file, QStringList{"ALL"}, 0));
    QList<QPair<QString, QString>> values;
    for (const auto &kv : QList<QPair<QString, QString>>{{"FILEPATH", kAbsent},
                                                         {"FILECHK", "0123456789ABCDEF0123456789ABCDEF"},
                                                         {"FILEPATHPERMISSION", "ADMINISTRATEUR"},
                                                         {"FILESIZE", "10"}})
        values.append({kv.first, index.getInfoBalise(kv.first) + "|" + kv.second});
    QVERIFY(index.setParamsCrypt(file, values));

    QVERIFY(QFile::exists(m_demo.server(kUnreachable)));
    const QString unreachable = m_demo.account() + QLatin1Char('/') + kUnreachable;
    QVERIFY(StandIn::fault(QString(), QStringLiteral("500"), unreachable, 3));
    QVERIFY(m_demo.start());
    QVERIFY(StandIn::reset(unreachable));
    QVERIFY(!QFile::exists(m_demo.work(kUnreachable)));
    m_media = m_demo.window()->findChild<ClassMedia *>();
    QVERIFY(m_media);
    // The login gave the page the account's quota.
    QVERIFY(m_media->findChild<QLabel *>(QStringLiteral("labelQuota"))->text().startsWith(
        QString::fromUtf8("Espace maximum autorisé: 500Mo\n")));
    // A failed download leaves the index alone (the next login tries
    // again); nothing is journalled.
    const QStringList local = ClassParam().getParamCrypt(m_demo.work("TEMP/MEDIA.orvex"), "FILEPATH", 0).split('|');
    QVERIFY(local.contains(kAbsent));
    QVERIFY(local.contains(kUnreachable));
    QVERIFY(!QFile::exists(journal()));
    QVERIFY(serverIndex("FILEPATH").contains(kAbsent));
}

void MediaServerTest::cleanupTestCase()
{
    m_demo.stop();
}

QString MediaServerTest::stored(const char *listName, const QString &prefix) const
{
    QListWidget *l = list(listName);
    for (int i = 0; i < l->count(); ++i) {
        if (l->item(i)->text().startsWith(prefix + QLatin1Char('-')))
            return l->item(i)->text();
    }
    return QString();
}

void MediaServerTest::openPage()
{
    m_demo.window()->slotButtons(3);
    QTRY_COMPARE(m_demo.window()->stack()->currentWidget(), static_cast<QWidget *>(m_media));
}

// Leaving hands the changes to the panel; its media deployment ends with the
// journal merged into the server's index and the local journal gone.
void MediaServerTest::leavePage(int timeoutMs)
{
    auto *deployment = m_demo.panel()->findChild<MediaDeployment *>();
    QVERIFY(deployment);
    QSignalSpy finished(deployment, &MediaDeployment::signalFinished);
    m_media->findChild<QAbstractButton *>(QStringLiteral("btBack"))->click();
    QTRY_COMPARE(m_demo.window()->stack()->currentIndex(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, timeoutMs);
    QVERIFY(!deployment->running());
    QVERIFY(!QFile::exists(journal()));
}

void MediaServerTest::importsReachTheServer()
{
    openPage();
    MediaFixture f;
    const QStringList pictures{f.picture(m_outside.filePath(QStringLiteral("Vitrine.png")), 320, 180, Qt::red),
                               f.picture(m_outside.filePath(QStringLiteral("Carte du jour.png")), 200, 100)};
    m_media->setFileChooser([pictures](int, QWidget *, const QString &) { return pictures; });
    m_media->slotAjouterImage();
    QTRY_VERIFY(!m_media->importPending() && !m_media->importing());
    const QStringList video{f.bytes(m_outside.filePath(QStringLiteral("Clip.mp4")), 4096)};
    m_media->setFileChooser([video](int, QWidget *, const QString &) { return video; });
    m_media->slotAjouterVideo();
    QTRY_VERIFY(!m_media->importPending() && !m_media->importing());
    m_pictures = QStringList{stored("listImage", QStringLiteral("Vitrine")),
                             stored("listImage", QStringLiteral("Carte du jour"))};
    m_video = stored("listVideo", QStringLiteral("Clip"));
    QVERIFY(!m_pictures.contains(QString()) && !m_video.isEmpty());
    QVERIFY(QFile::exists(journal()));

    leavePage();
    QStringList expected;
    for (const QString &name : m_pictures)
        expected << QStringLiteral("IMAGE/") + name;
    expected << QStringLiteral("VIDEO/") + m_video;

    // Each file in its folder, byte for byte; the index holds it with its
    // upper-case MD5, its size and the administrator's permission.
    const QStringList paths = serverIndex("FILEPATH");
    const QStringList sums = serverIndex("FILECHK");
    const QStringList sizes = serverIndex("FILESIZE");
    const QStringList grants = serverIndex("FILEPATHPERMISSION");
    QCOMPARE(sums.size(), paths.size());
    QCOMPARE(grants.size(), paths.size());
    QCOMPARE(sizes.size(), paths.size());
    for (const QString &path : expected) {
        QVERIFY2(QFile::exists(m_demo.server(path)), qPrintable(path));
        const QString md5 = CalculChecksum(m_demo.work(path));
        QCOMPARE(CalculChecksum(m_demo.server(path)), md5);
        const int i = paths.indexOf(path);
        QVERIFY2(i >= 0, qPrintable(paths.join('|')));
        QCOMPARE(sums.at(i), md5);
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]{32}$")).match(sums.at(i)).hasMatch());
        QCOMPARE(sizes.at(i), QString::number(QFileInfo(m_demo.work(path)).size()));
        QCOMPARE(grants.at(i), QStringLiteral("ADMINISTRATEUR"));
    }
    // The merged index went up from TEMP/: both copies are the same, the
    // file whose download failed included (the server never lost it).
    QStringList local = ClassParam().getParamCrypt(m_demo.work("TEMP/MEDIA.orvex"), "FILEPATH", 0).split('|');
    QStringList server = paths;
    QVERIFY(server.contains(kAbsent));
    local.sort();
    server.sort();
    QCOMPARE(server, local);
}

void MediaServerTest::removalAndGrantReachTheServer()
{
    QVERIFY(!m_pictures.isEmpty());
    openPage();
    const QString removed = m_pictures.at(0);
    const QString granted = m_pictures.at(1);
    list("listImage")->setCurrentItem(list("listImage")->findItems(removed, Qt::MatchExactly).value(0));
    m_media->slotSupprimerImage();
    QVERIFY(!QFile::exists(m_demo.work("IMAGE/" + removed)));

    list("listImage")->setCurrentItem(list("listImage")->findItems(granted, Qt::MatchExactly).value(0));
    ModalAnswerer answerer;
    answerer.answer([](QDialog *d) {
        for (QCheckBox *box : d->findChildren<QCheckBox *>()) {
            if (box->text() == QLatin1String("Accueil") || box->text() == QLatin1String("Restaurant"))
                box->setChecked(true);
        }
        d->findChild<QAbstractButton *>(QStringLiteral("valider"))->click();
    });
    m_media->slotAjouterPermissionImage();
    QVERIFY(answerer.done());

    leavePage();
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(m_demo.server("IMAGE/" + removed)), 10000);
    QVERIFY(QFile::exists(m_demo.server("IMAGE/" + granted)));
    const QStringList paths = serverIndex("FILEPATH");
    QVERIFY(!paths.contains("IMAGE/" + removed));
    const int i = paths.indexOf("IMAGE/" + granted);
    QVERIFY(i >= 0);
    QCOMPARE(serverIndex("FILEPATHPERMISSION").value(i), QStringLiteral("Accueil;Restaurant"));
    QCOMPARE(serverIndex("FILECHK").size(), paths.size());
}

// Changes handed on while the previous deployment still runs (the page left
// again at once) reach the server too, after it.
void MediaServerTest::handOnWhileDeployingIsNotLost()
{
    auto *deployment = m_demo.panel()->findChild<MediaDeployment *>();
    QSignalSpy finished(deployment, &MediaDeployment::signalFinished);
    MediaFixture f;
    QStringList names;
    for (const QString &name : {QStringLiteral("Premier"), QStringLiteral("Second")}) {
        openPage();
        const QStringList picture{f.picture(m_outside.filePath(name + QStringLiteral(".png")), 640, 360)};
        m_media->setFileChooser([picture](int, QWidget *, const QString &) { return picture; });
        m_media->slotAjouterImage();
        QTRY_VERIFY(!m_media->importPending() && !m_media->importing());
        names << stored("listImage", name);
        m_media->findChild<QAbstractButton *>(QStringLiteral("btBack"))->click();
        QVERIFY(deployment->running());
    }
    QTRY_VERIFY_WITH_TIMEOUT(finished.count() >= 1 && !deployment->running(), 20000);
    QVERIFY(!QFile::exists(journal()));
    const QStringList paths = serverIndex("FILEPATH");
    for (const QString &name : names) {
        QVERIFY2(QFile::exists(m_demo.server("IMAGE/" + name)), qPrintable(name));
        QVERIFY2(paths.contains("IMAGE/" + name), qPrintable(name));
    }
    QCOMPARE(serverIndex("FILECHK").size(), paths.size());
}

QStringList MediaServerTest::serverFiles() const
{
    QStringList files;
    for (const char *folder : {"IMAGE", "VIDEO", "TEXT"})
        for (const QString &name : QDir(m_demo.server(QLatin1String(folder))).entryList(QDir::Files))
            files << QLatin1String(folder) + QLatin1Char('/') + name;
    // The fixture's index names one file the server never had.
    files << kAbsent;
    files.sort();
    return files;
}

QStringList MediaServerTest::serverIndexed() const
{
    QStringList paths = serverIndex("FILEPATH");
    paths.sort();
    return paths;
}

// An upload that gives up ends its visit's run; the next visit's run sends
// it with its own changes, so the server's index and folders agree.
void MediaServerTest::failedUploadGoesWithTheNextVisit()
{
    QCOMPARE(serverIndexed(), serverFiles());
    MediaFixture f;
    openPage();
    const QStringList video{f.bytes(m_outside.filePath(QStringLiteral("Rejet.mp4")), 6000)};
    m_media->setFileChooser([video](int, QWidget *, const QString &) { return video; });
    m_media->slotAjouterVideo();
    QTRY_VERIFY(!m_media->importPending() && !m_media->importing());
    const QString path = QStringLiteral("VIDEO/") + stored("listVideo", QStringLiteral("Rejet"));
    // The file name travels in the body: the fault matches its folder.
    QVERIFY(StandIn::fault(QStringLiteral("/zobox/upload.php"), QStringLiteral("500"), QStringLiteral("/VIDEO/"), 3));
    auto *deployment = m_demo.panel()->findChild<MediaDeployment *>();
    {
        ModalAnswerer answerer;
        answerer.answer([](QDialog *d) { d->accept(); }, QStringLiteral("code 4"));
        m_media->findChild<QAbstractButton *>(QStringLiteral("btBack"))->click();
        QVERIFY(answerer.waitUntilDone(30000));
        QVERIFY(answerer.texts().first().startsWith(QString::fromUtf8("Problème de connexion au serveur(type n°4)")));
        QTRY_VERIFY_WITH_TIMEOUT(!deployment->running(), 10000);
    }
    QVERIFY(!QFile::exists(m_demo.server(path)));
    QVERIFY(QFile::exists(journal()));
    QCOMPARE(serverIndexed(), serverFiles());

    openPage();
    const QStringList picture{f.picture(m_outside.filePath(QStringLiteral("Apres.png")), 120, 90)};
    m_media->setFileChooser([picture](int, QWidget *, const QString &) { return picture; });
    m_media->slotAjouterImage();
    QTRY_VERIFY(!m_media->importPending() && !m_media->importing());
    const QString image = QStringLiteral("IMAGE/") + stored("listImage", QStringLiteral("Apres"));
    leavePage();
    QCOMPARE(CalculChecksum(m_demo.server(path)), CalculChecksum(m_demo.work(path)));
    QVERIFY(QFile::exists(m_demo.server(image)));
    QCOMPARE(serverIndexed(), serverFiles());
}

// A fixed random sequence of visits (imports, removals, grants, text
// posters saved, saved again under their name or under a new stamp), some
// with an upload or the index download failing, each visit ended by leaving
// the page. After one visit without faults the server's index lists exactly
// its files, each with its MD5, and every poster entry is listed.
void MediaServerTest::randomVisitsKeepServerAndPostersInStep()
{
    QCOMPARE(serverIndexed(), serverFiles());
    // The demo account's folder has no TEXT/ yet.
    QVERIFY(QDir().mkpath(m_demo.server("TEXT")));
    auto *deployment = m_demo.panel()->findChild<MediaDeployment *>();
    QRandomGenerator random(33);
    MediaFixture f;
    const QString indexRoute = QLatin1Char('/') + m_demo.account() + QStringLiteral("/MEDIA.orvex");
    const QString code4 = QString::fromUtf8("Problème de connexion au serveur(type n°4)");
    const QString corrupt = QStringLiteral("Le fichier media est corrompu");
    QStringList texts;
    // The screen's posters show two of the account's pictures, one whose
    // download failed at login.
    const QString playerFile = m_demo.work("DATA/PLAYER.orvex");
    const bool ownPlayer = !QFile::exists(playerFile);
    if (ownPlayer) {
        QVERIFY(QDir().mkpath(m_demo.work("DATA")));
        QVERIFY(writeParams(playerFile, {{"SLIDENAMEIMAGE", "IMAGE/bienvenue.jpg|" + kUnreachable},
                                         {"SLIDENAMEVIDEO", "|"}, {"SLIDENAMETXT", "|"}}));
    }
    const auto writeText = [&](const QString &path, int seed) {
        f.picture(m_demo.work(path), 160 + seed % 50, 90, QColor::fromHsv(seed * 37 % 360, 200, 200));
        f.bytes(m_demo.work(QString(path).replace(".png", ".txt")), 10 + seed);
    };
    const auto pickRow = [&](QListWidget *l, bool picture) {
        QStringList free;
        for (int i = 0; i < l->count(); ++i) {
            const QString name = l->item(i)->text();
            if (!(picture ? m_media->checkFileImage(name) : m_media->checkFileVideo(name)))
                free << name;
        }
        return free.isEmpty() ? QString() : free.at(random.bounded(free.size()));
    };

    for (int step = 0; step < 32; ++step) {
        const QString tag = QStringLiteral("Pas%1").arg(step);
        int kind = random.bounded(6);
        const int fault = random.bounded(4); // 0: an upload fails, 1: the index download fails
        openPage();
        ModalAnswerer answerer;
        const QString removable = kind == 2 ? pickRow(list("listImage"), true) : QString();
        if (kind == 2 && removable.isEmpty())
            kind = 0;
        if (kind == 3 && list("listImage")->count() == 0)
            kind = 0;
        const QString uploadFolder = kind == 0 ? "/IMAGE/" : kind == 1 ? "/VIDEO/" : kind >= 4 ? "/TEXT/" : "";
        QString match;
        if (fault == 0 && !uploadFolder.isEmpty())
            QVERIFY(StandIn::fault(QStringLiteral("/zobox/upload.php"), QStringLiteral("500"), match = uploadFolder, 3));
        else if (fault == 1)
            QVERIFY(StandIn::fault(QString(), QStringLiteral("500"), match = indexRoute, 3));

        // The boxes of a failed run: the connection error or the damaged index.
        const auto acceptBoxes = [&answerer] {
            for (int k = 0; k < 4; ++k)
                answerer.answer([](QDialog *d) { d->accept(); });
        };
        if (kind != 3)
            acceptBoxes();
        switch (kind) {
        case 0:
        case 1: {
            const QStringList chosen{kind == 0 ? f.picture(m_outside.filePath(tag + ".png"), 100 + step, 80)
                                               : f.bytes(m_outside.filePath(tag + ".mp4"), 3000 + step)};
            m_media->setFileChooser([chosen](int, QWidget *, const QString &) { return chosen; });
            kind == 0 ? m_media->slotAjouterImage() : m_media->slotAjouterVideo();
            QTRY_VERIFY(!m_media->importPending() && !m_media->importing());
            break;
        }
        case 2:
            list("listImage")->setCurrentItem(list("listImage")->findItems(removable, Qt::MatchExactly).value(0));
            m_media->slotSupprimerImage();
            QVERIFY(!QFile::exists(m_demo.work("IMAGE/" + removable)));
            break;
        case 3: {
            QListWidget *images = list("listImage");
            images->setCurrentRow(random.bounded(images->count()));
            const QString category = random.bounded(2) ? QStringLiteral("Accueil") : QStringLiteral("Restaurant");
            answerer.answer([category](QDialog *d) {
                for (QCheckBox *box : d->findChildren<QCheckBox *>())
                    box->setChecked(box->text() == category);
                d->findChild<QAbstractButton *>(QStringLiteral("valider"))->click();
            });
            acceptBoxes();
            m_media->slotAjouterPermissionImage();
            break;
        }
        default: {
            const int pick = texts.isEmpty() || kind == 4 ? -1 : random.bounded(texts.size());
            if (pick >= 0 && random.bounded(2)) {
                // Saved again within the second: the same name, new content.
                writeText(texts.at(pick), step);
                m_media->slotNewImageTexte(QString(), texts.at(pick));
            } else {
                const QString path = QStringLiteral("TEXT/%1-1015%2.png").arg(tag).arg(step % 60, 2, 10, QChar('0'));
                writeText(path, step);
                m_media->slotNewImageTexte(pick >= 0 ? texts.at(pick).mid(5) : QString(), path);
                if (pick >= 0)
                    texts.removeAt(pick);
                texts << path;
            }
            // The library's send step runs on its own timer.
            const QString shown = texts.last().mid(5);
            QTRY_VERIFY2(!list("listText")->findItems(shown, Qt::MatchExactly).isEmpty(),
                         qPrintable(tag + " " + shown + " " + answerer.texts().join(" / ")));
            QTest::qWait(200);
            break;
        }
        }
        m_media->findChild<QAbstractButton *>(QStringLiteral("btBack"))->click();
        QTRY_COMPARE(m_demo.window()->stack()->currentIndex(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!deployment->running(), 30000);
        QTest::qWait(100);
        QTRY_VERIFY_WITH_TIMEOUT(!deployment->running(), 30000);
        QCOMPARE(answerer.unexpected(), 0);
        for (const QString &text : answerer.texts().mid(kind == 3 ? 1 : 0))
            QVERIFY2(!match.isEmpty() && (text.startsWith(code4) || text.startsWith(corrupt)),
                     qPrintable(QStringLiteral("step %1: %2").arg(step).arg(text)));
        if (!match.isEmpty())
            QVERIFY(StandIn::reset(match));
    }

    // One visit without faults sends what still waits.
    openPage();
    m_media->findChild<QAbstractButton *>(QStringLiteral("btBack"))->click();
    QTRY_COMPARE(m_demo.window()->stack()->currentIndex(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!deployment->running(), 30000);
    QVERIFY(!QFile::exists(journal()));
    QCOMPARE(serverIndexed(), serverFiles());
    const QStringList paths = serverIndex("FILEPATH");
    const QStringList sums = serverIndex("FILECHK");
    QCOMPARE(sums.size(), paths.size());
    QCOMPARE(serverIndex("FILESIZE").size(), paths.size());
    QCOMPARE(serverIndex("FILEPATHPERMISSION").size(), paths.size());
    for (int i = 0; i < paths.size(); ++i) {
        if (paths.at(i) != kAbsent)
            QCOMPARE(sums.at(i), CalculChecksum(m_demo.server(paths.at(i))));
    }
    for (const QString &path : qAsConst(texts))
        QVERIFY2(paths.contains(path), qPrintable(path));
    // The screen's posters name only what the index lists.
    ClassParam player;
    QVERIFY(player.getParamCrypt(playerFile, QStringList{"ALL"}, 0));
    {
        for (const auto &kv : QList<QPair<QString, QString>>{
                 {"SLIDENAMEIMAGE", "IMAGE/"}, {"SLIDENAMEVIDEO", "VIDEO/"}, {"SLIDENAMETXT", "TEXT/"}}) {
            const QString value = player.getInfoBalise(kv.first);
            if (value == QLatin1String("NULL"))
                continue;
            const QString folder = kv.second;
            for (const QString &entry : value.split('|'))
                QVERIFY2(entry.isEmpty() || paths.contains(entry) || paths.contains(folder + entry), qPrintable(entry));
        }
    }
    if (ownPlayer)
        QFile::remove(playerFile);
}

// A video of 128,000,000 bytes goes to the server by FTP (pyftpdlib), one
// byte less by HTTP; both land whole and the merged index lists both.
void MediaServerTest::largeVideoGoesByFtp()
{
    const QList<QPair<QString, qint64>> videos{{QStringLiteral("Grand"), 128000000},
                                               {QStringLiteral("Juste"), 127999999}};
    QStringList chosen;
    for (const auto &video : videos) {
        QFile sparse(m_outside.filePath(video.first + QStringLiteral(".mp4")));
        QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.write("zo", 2) == 2 && sparse.resize(video.second));
        chosen << sparse.fileName();
    }
    openPage();
    m_media->setFileChooser([chosen](int, QWidget *, const QString &) { return chosen; });
    m_media->slotAjouterVideo();
    QTRY_VERIFY(!m_media->importPending() && !m_media->importing());
    QStringList paths;
    for (const auto &video : videos) {
        const QString name = stored("listVideo", video.first);
        QVERIFY2(!name.isEmpty(), qPrintable(video.first));
        paths << QStringLiteral("VIDEO/") + name;
    }
    const qint64 mark = StandIn::mark();
    leavePage(180000);

    const QStringList index = serverIndex("FILEPATH");
    for (int k = 0; k < videos.size(); ++k) {
        const QString &path = paths.at(k);
        QCOMPARE(QFileInfo(m_demo.server(path)).size(), videos.at(k).second);
        const QString md5 = CalculChecksum(m_demo.work(path));
        QCOMPARE(CalculChecksum(m_demo.server(path)), md5);
        const int i = index.indexOf(path);
        QVERIFY2(i >= 0, qPrintable(index.join('|')));
        QCOMPARE(serverIndex("FILECHK").value(i), md5.toUpper());
        QCOMPARE(serverIndex("FILESIZE").value(i), QString::number(videos.at(k).second));
    }
    // Only the smaller one was posted to the HTTP upload.
    QStringList posted;
    for (const QJsonObject &entry : StandIn::entries(mark, m_demo.account()))
        if (entry.value("route").toString() == QLatin1String("/zobox/upload.php"))
            posted << entry.value("upload").toObject().value("name").toString();
    QVERIFY2(!posted.contains(paths.at(0).mid(6)), qPrintable(posted.join('|')));
    QVERIFY2(posted.contains(paths.at(1).mid(6)), qPrintable(posted.join('|')));
    // The FTP connection was closed and freed.
    QTRY_VERIFY_WITH_TIMEOUT(m_demo.panel()->findChildren<QFtp *>().isEmpty(), 10000);
    for (const QString &path : paths) {
        QFile::remove(m_demo.server(path));
        QFile::remove(m_demo.work(path));
    }
}

// pyftpdlib refuses the login: its box and the connection error (code 4)
// show, the deployment ends, the video is neither on the server nor lost.
void MediaServerTest::refusedFtpLoginIsShownAndLosesNothing()
{
    auto *upload = m_demo.panel()->findChild<LargeFileUpload *>();
    QVERIFY(upload);
    const QString ftpPath = QStringLiteral("/zolink/zobox/") + m_demo.account();
    upload->setAccount(ServerDemo::ftpServer(), qEnvironmentVariable("ZO_FTP_USER"), QStringLiteral("wrong"), ftpPath);
    QFile sparse(m_outside.filePath(QStringLiteral("Refus.mp4")));
    QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(128000000));
    sparse.close();
    openPage();
    m_media->setFileChooser([&sparse](int, QWidget *, const QString &) { return QStringList{sparse.fileName()}; });
    m_media->slotAjouterVideo();
    QTRY_VERIFY(!m_media->importPending() && !m_media->importing());
    const QString path = QStringLiteral("VIDEO/") + stored("listVideo", QStringLiteral("Refus"));

    auto *deployment = m_demo.panel()->findChild<MediaDeployment *>();
    ModalAnswerer answerer;
    answerer.answer([](QDialog *d) { d->accept(); }, QStringLiteral("FTP box"))
        .answer([](QDialog *d) { d->accept(); }, QStringLiteral("code 4"));
    m_media->findChild<QAbstractButton *>(QStringLiteral("btBack"))->click();
    const QString code4 = QString::fromUtf8("Problème de connexion au serveur(type n°4) | ");
    // The list's stall watch once handed the file over a second time while
    // pyftpdlib delayed its refusal: two FTP connections, two boxes.
    QTRY_VERIFY_WITH_TIMEOUT(answerer.texts().size() >= 2 && answerer.texts().last().startsWith(code4), 60000);
    QCOMPARE(answerer.texts().size(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(!deployment->running(), 10000);
    QCOMPARE(answerer.unexpected(), 0);
    QCOMPARE(answerer.texts().filter(code4).size(), 1);
    // The refusal itself, not a connect time-out that the time scale once cut short.
    QCOMPARE(answerer.texts().first(), QString("Login failed:\nAuthentication failed."));
    QVERIFY(!QFile::exists(m_demo.server(path)));
    QCOMPARE(QFileInfo(m_demo.work(path)).size(), qint64(128000000));
    QVERIFY(QFile::exists(journal()));
    QTRY_VERIFY_WITH_TIMEOUT(m_demo.panel()->findChildren<QFtp *>().isEmpty(), 10000);

    upload->setAccount(ServerDemo::ftpServer(), qEnvironmentVariable("ZO_FTP_USER"),
                       qEnvironmentVariable("ZO_FTP_PASS"), ftpPath);
    QFile::remove(journal());
    QFile::remove(m_demo.work(path));
}

void MediaServerTest::failedJournalWriteIsShown()
{
    // A journal that cannot be written (a folder stands in its place).
    QVERIFY(QDir().mkpath(journal()));
    QString expected;
    QVERIFY(!OperationJournal::append(journal(), {"AJOUTER", "IMAGE/x.png", "", "", ""}, &expected));
    QVERIFY(!expected.isEmpty());

    openPage();
    MediaFixture f;
    const QStringList picture{f.picture(m_outside.filePath(QStringLiteral("Affiche.png")))};
    m_media->setFileChooser([picture](int, QWidget *, const QString &) { return picture; });
    ModalAnswerer answerer;
    answerer.answer([](QDialog *d) { d->accept(); }, QStringLiteral("OK"));
    m_media->slotAjouterImage();
    QTRY_VERIFY(!m_media->importPending() && !m_media->importing());
    QVERIFY(answerer.done());
    QCOMPARE(answerer.texts(), QStringList{expected});
    QDir(journal()).removeRecursively();
    m_media->findChild<QAbstractButton *>(QStringLiteral("btBack"))->click();
    QTRY_COMPARE(m_demo.window()->stack()->currentIndex(), 0);
}

// The deployment strips from the posters only what the index no longer
// lists: a picture whose download failed at login stays on its poster.
void MediaServerTest::failedDownloadKeepsThePosters()
{
    QTemporaryDir box;
    const QString work = box.path() + QLatin1Char('/');
    QVERIFY(QDir().mkpath(work + "TEMP") && QDir().mkpath(work + "DATA"));
    QVERIFY(QFile::copy(m_demo.work("TEMP/MEDIA.orvex"), work + "TEMP/MEDIA.orvex"));
    const QString images = QStringLiteral("IMAGE/bienvenue.jpg|") + kUnreachable + QStringLiteral("|IMAGE/gone.png");
    QVERIFY(writeParams(work + "DATA/PLAYER.orvex", {{"SLIDENAMEIMAGE", images}, {"SLIDENAMEIMAGECHK", "A|B|C"}}));
    QVERIFY(BoxDeployment::checkPlayerVsMedia(work));
    QCOMPARE(ClassParam().getParamCrypt(work + "DATA/PLAYER.orvex", "SLIDENAMEIMAGE", 0),
             QStringLiteral("IMAGE/bienvenue.jpg|") + kUnreachable + QStringLiteral("|"));
    QCOMPARE(ClassParam().getParamCrypt(work + "DATA/PLAYER.orvex", "SLIDENAMEIMAGECHK", 0), QString("A|B|"));
}

QTEST_MAIN(MediaServerTest)
#include "tst_mediaserver_standin.moc"
