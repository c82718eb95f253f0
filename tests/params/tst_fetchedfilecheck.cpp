// The check a fetched file passes before it is used or kept, by kind:
// whole files of each kind pass, the damage a proxy does fails.
#include "../sync/ParamFixture.h"
#include "FetchedFileCheck.h"

#include <QTemporaryDir>
#include <QtTest>

class FetchedFileCheckTest : public QObject
{
    Q_OBJECT
private slots:
    void check_data();
    void check();
};

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void FetchedFileCheckTest::check_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("content"); // whole, foreign, half, html, gzip, longer, empty, text
    QTest::addColumn<bool>("passes");

    QTest::newRow("poster list whole") << "PLAYER.orvex" << "whole" << true;
    QTest::newRow("poster list cut in half") << "PLAYER.orvex" << "half" << false;
    QTest::newRow("poster list with bytes after it") << "PLAYER.orvex" << "longer" << false;
    QTest::newRow("owner record as an HTML page") << "INFO.orvex" << "html" << false;
    QTest::newRow("owner record gzip'd") << "INFO.orvex" << "gzip" << false;
    QTest::newRow("login file without fingerprint") << "LoginCrypt.orvex" << "foreign-bare" << false;
    QTest::newRow("media index empty") << "MEDIA.orvex" << "empty" << false;
    QTest::newRow("status report without fingerprint") << "STATUS.orvex" << "foreign-bare" << true;
    QTest::newRow("status report whole") << "STATUS.orvex" << "whole" << true;
    QTest::newRow("status report cut in half") << "STATUS.orvex" << "half" << false;
    QTest::newRow("statistics empty") << "STAT.orvex" << "empty" << true;
    QTest::newRow("factory record as an HTML page") << "BOX.orvex" << "html" << false;
    QTest::newRow("factory record gzip'd") << "BOX.orvex" << "gzip" << false;
    QTest::newRow("event log is free text") << "EVENTS.orvex" << "text" << true;
    QTest::newRow("a picture is not checked here") << "Slide1.png" << "html" << true;
}

void FetchedFileCheckTest::check()
{
    QFETCH(QString, name);
    QFETCH(QString, content);
    QFETCH(bool, passes);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("fetched");
    const ParamList values{{"SLIDETYPE", "IMAGE|VIDEO"}, {"ID", "12"}, {"CONFIGECRAN", "1920x1080"},
                           {"WEBAPPURL", "https://example.invalid/a"}};
    QVERIFY(writeParams(dir.filePath("whole"), values));
    const QByteArray whole = bytesOf(dir.filePath("whole"));
    QByteArray raw;
    if (content == "whole") {
        raw = whole;
    } else if (content == "half") {
        raw = whole.left(whole.size() / 2);
    } else if (content == "longer") {
        raw = whole + whole.left(40);
    } else if (content == "html") {
        raw = "<html><head><title>Portail</title></head><body>Connectez-vous</body></html>";
    } else if (content == "gzip") {
        raw = QByteArray::fromHex("1f8b0800000000000003") + qCompress(whole).mid(4);
    } else if (content == "foreign-bare") {
        QString plain;
        for (const auto &kv : values)
            plain += kv.first + "=\"" + kv.second + "\"\r\n";
        raw = ClassParam().CryptRC4(plain).toLatin1();
    } else if (content == "text") {
        raw = "12/10 09:05 redémarrage\n12/10 09:06 lecture de la liste\n";
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(raw);
    file.close();
    const QString why = FetchedFileCheck::problem(path, name);
    QVERIFY2(why.isEmpty() == passes, qPrintable(why));
    if (!passes)
        QVERIFY2(why.contains(name), qPrintable(why));
}

QTEST_GUILESS_MAIN(FetchedFileCheckTest)
#include "tst_fetchedfilecheck.moc"
