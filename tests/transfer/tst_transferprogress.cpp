#include "AppGlobals.h"
#include "HttpFileApi.h"
#include "TransferLists.h"
#include "TransferProgress.h"

#include <QtTest>

class TransferProgressTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void overlay_data();
    void overlay();
    void firstReportAfterATransferEndsShowsNothing();
    void anyTransferEndResets_data();
    void anyTransferEndResets();
    void errorText_data();
    void errorText();

private:
    QTemporaryDir m_dir;
};

void TransferProgressTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qputenv("ZOMANAGER_WORKDIR", m_dir.path().toUtf8());
    QDir(m_dir.path()).mkpath("LOG");
    ApplicationPath = m_dir.path() + '/';
}

void TransferProgressTest::overlay_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("sent");
    QTest::addColumn<qint64>("read");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("overall");
    QTest::addColumn<double>("file");

    const QString label = QStringLiteral("Envoi du fichier a.png...");
    QTest::newRow("total 100 changes nothing") << label << QStringList() << 0 << qint64(50) << qint64(100) << false
                                               << QString() << 0.0 << 0.0;
    QTest::newRow("total 101 updates the file bar") << label << QStringList() << 0 << qint64(101) << qint64(101)
                                                    << true << label << 0.0 << 100.0;
    QTest::newRow("3 of 4 names left") << label << QStringList({"a", "b", "c", "d"}) << 1 << qint64(100)
                                       << qint64(200) << true << label + "(Reste 3 Fichier(s))" << 25.0 << 50.0;
    QTest::newRow("last name of 4") << label << QStringList({"a", "b", "c", "d"}) << 3 << qint64(0) << qint64(200)
                                    << true << label + "(Reste 1 Fichier(s))" << 75.0 << 0.0;
    QTest::newRow("box status download") << "Téléchargement du fichier STATUS.orvex..." << QStringList({"STATUS.orvex"})
                                         << 0 << qint64(10) << qint64(500) << false << QString() << 0.0 << 0.0;
    QTest::newRow("validation file") << "Envoi du fichier ZOVALIDATE_12.orvex..." << QStringList() << 0 << qint64(10)
                                     << qint64(500) << false << QString() << 0.0 << 0.0;
    QTest::newRow("more read than announced") << label << QStringList() << 0 << qint64(900) << qint64(300) << true
                                              << label << 0.0 << 100.0;
    QTest::newRow("size unknown") << label << QStringList() << 0 << qint64(900) << qint64(-1) << false << QString()
                                  << 0.0 << 0.0;
}

void TransferProgressTest::overlay()
{
    QFETCH(QString, label);
    QFETCH(QStringList, files);
    QFETCH(int, sent);
    QFETCH(qint64, read);
    QFETCH(qint64, total);
    QFETCH(bool, shown);

    HttpFileApi api;
    api.setStatusLabel(label);
    api.lists()->setTransferFiles(files);
    for (int i = 0; i < sent; ++i)
        api.lists()->removeFirstTransferFile();
    TransferProgress progress(&api);
    QSignalSpy overlay(&progress, &TransferProgress::signalMessageOnlyON);

    progress.updateDataTransferProgress(0, 1000);
    QCOMPARE(progress.transfertEnCours(), 1);
    QCOMPARE(overlay.count(), 0);

    progress.updateDataTransferProgress(read, total);
    QCOMPARE(overlay.count(), shown ? 1 : 0);
    if (!shown)
        return;
    const QVariantList args = overlay.takeFirst();
    QTEST(args.at(0).toString(), "text");
    QTEST(args.at(1).toDouble(), "overall");
    QTEST(args.at(2).toDouble(), "file");
    QCOMPARE(args.at(3).toBool(), true);
    QCOMPARE(args.at(4).toBool(), true);
}

void TransferProgressTest::firstReportAfterATransferEndsShowsNothing()
{
    QDir(m_dir.path()).mkpath("loc/zo_acc");
    QDir(m_dir.path()).mkpath("out");
    QFile source(m_dir.filePath("out/a.png"));
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write("x");
    source.close();

    HttpFileApi api;
    api.setAccountFolder("/zolink/zobox/zo_acc");
    api.setLocalMode(true, m_dir.filePath("loc"));
    TransferProgress progress(&api);
    QSignalSpy overlay(&progress, &TransferProgress::signalMessageOnlyON);

    progress.updateDataTransferProgress(0, 1000);
    progress.updateDataTransferProgress(500, 1000);
    QCOMPARE(overlay.count(), 1);

    api.doUploadFileHttp("a.png", m_dir.filePath("out/"), QString());
    QVERIFY(api.doneFlag(3));
    QCOMPARE(progress.transfertEnCours(), 0);
    progress.updateDataTransferProgress(600, 1000);
    QCOMPARE(overlay.count(), 1);
    progress.updateDataTransferProgress(700, 1000);
    QCOMPARE(overlay.count(), 2);
}

void TransferProgressTest::anyTransferEndResets_data()
{
    QTest::addColumn<QString>("op");
    // Regression: only uploads and downloads reset it, and the STATUS
    // download then never counted its time-outs.
    QTest::newRow("scan") << "scan";
    QTest::newRow("folder creation") << "mkdir";
    QTest::newRow("file removal") << "delete";
}

void TransferProgressTest::anyTransferEndResets()
{
    QFETCH(QString, op);
    QDir(m_dir.path()).mkpath("loc/zo_acc/B1");
    HttpFileApi api;
    api.setAccountFolder("/zolink/zobox/zo_acc");
    api.setLocalMode(true, m_dir.filePath("loc"));
    TransferProgress progress(&api);
    progress.updateDataTransferProgress(0, 1000);
    QCOMPARE(progress.transfertEnCours(), 1);
    if (op == "scan")
        api.scanFile("B1");
    else if (op == "mkdir")
        api.createDirHttp("B2");
    else
        api.deleteFileHttp("B1/none.png");
    QCOMPARE(progress.transfertEnCours(), 0);
}

void TransferProgressTest::errorText_data()
{
    QTest::addColumn<int>("code");
    for (int code : {1, 2, 4, 5, 8, 9, 10})
        QTest::addRow("type %d", code) << code;
}

void TransferProgressTest::errorText()
{
    QFETCH(int, code);
    HttpFileApi api;
    TransferProgress progress(&api);
    QSignalSpy error(&progress, &TransferProgress::signalErreurConnexion);

    progress.MessageErreurConnexion(code);

    const QString expected = QString::fromUtf8("Problème de connexion au serveur(type n°%1) | "
                                               "Veuillez vérifier votre connexion internet!!!")
                                 .arg(code);
    QCOMPARE(error.count(), 1);
    QCOMPARE(error.at(0).at(0).toInt(), code);
    QCOMPARE(error.at(0).at(1).toString(), expected);
    QCOMPARE(TransferProgress::MessageErreurConnexionText(code), expected);
}

QTEST_GUILESS_MAIN(TransferProgressTest)
#include "tst_transferprogress.moc"
