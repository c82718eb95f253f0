#include "API_FACEBOOK.h"
#include "StandIn.h"

#include <QImageReader>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList g_messages;
QtMessageHandler g_previous = nullptr;

void keepMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    g_messages << text;
    g_previous(type, context, text);
}

} // namespace

// The like counter against the stand-in page-statistics service, and its QR
// picture in the work folder, read back by a QR reader.
class TestLikeCounter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void pageName_data();
    void pageName();
    void pictureMadeOnAddress();
    void pictureDecodes();
    void pictureRewritten();
    void emptyAddressIgnored();
    void likesAndErrors_data();
    void likesAndErrors();
    void requestAndSecrecy();
    void addressCannotInjectQuery();

private:
    static QString token() { return QStringLiteral("1234567890123456|abcdefghijklmnopqrstuvwxyz0"); }
    // startLikeFB() and the answer; false when none came.
    static bool askLikes(API_FACEBOOK &counter);
    static QString decode(const QString &png);

    QTemporaryDir m_dir;
    QString m_work;
};

void TestLikeCounter::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_work = m_dir.path() + QLatin1Char('/');
    qputenv("ZOMANAGER_WORKDIR", m_work.toLocal8Bit());
    qputenv("ZOMANAGER_GRAPH_TOKEN", token().toUtf8());
    qputenv("ZOMANAGER_GRAPH_URL", StandIn::url().isEmpty() ? QByteArray("http://127.0.0.1:9/")
                                                              : StandIn::url().toUtf8());
}

void TestLikeCounter::init()
{
    g_messages.clear();
}

bool TestLikeCounter::askLikes(API_FACEBOOK &counter)
{
    QSignalSpy likes(&counter, &API_FACEBOOK::likesChanged);
    counter.startLikeFB();
    return likes.wait(5000) && likes.count() == 1;
}

QString TestLikeCounter::decode(const QString &png)
{
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"), png});
    if (!zbar.waitForFinished(10000))
        return QString();
    return QString::fromUtf8(zbar.readAllStandardOutput()).trimmed();
}

void TestLikeCounter::pageName_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::newRow("dashes, underscore, digits, slash")
        << "https://www.facebook.com/Ma-Boutique_75-Paris/" << "Ma Boutique  Paris" << "Ma_Boutique__Paris_QR_code.png";
    QTest::newRow("plain page") << "https://www.facebook.com/orvex" << "orvex" << "orvex_QR_code.png";
    QTest::newRow("shorter than the host part") << "https://fb.me/x" << "" << "_QR_code.png";
    QTest::newRow("accented name") << "https://www.facebook.com/Café-du-Port" << "Café du Port"
                                   << "Café_du_Port_QR_code.png";
}

void TestLikeCounter::pageName()
{
    QFETCH(QString, url);
    QFETCH(QString, name);
    QFETCH(QString, file);
    QCOMPARE(API_FACEBOOK::pageName(url), name);
    QCOMPARE(API_FACEBOOK::qrFilePath(QStringLiteral("/w/"), url), QStringLiteral("/w/") + file);
}

// Binding an address makes the picture at once and asks for nothing yet.
void TestLikeCounter::pictureMadeOnAddress()
{
    const qint64 mark = StandIn::mark();
    API_FACEBOOK counter;
    QVERIFY(counter.ready());
    QSignalSpy qr(&counter, &API_FACEBOOK::QrcodeChanged);
    QSignalSpy url(&counter, &API_FACEBOOK::urlFacebookChanged);
    counter.setUrlFacebook(QStringLiteral("https://www.facebook.com/Ma-Boutique_75-Paris/"));
    QCOMPARE(qr.count(), 1);
    QCOMPARE(url.count(), 1);
    QCOMPARE(counter.Qrcode(), m_work + QStringLiteral("Ma_Boutique__Paris_QR_code.png"));
    QImageReader reader(counter.Qrcode());
    QCOMPARE(reader.format(), QByteArray("png"));
    QCOMPARE(reader.size(), QSize(480, 480));
    QVERIFY(counter.likes().isEmpty());
    if (StandIn::running()) {
        QTest::qWait(200);
        QCOMPARE(StandIn::entries(mark, QStringLiteral("/v3.2/"), 0, 0).size(), 0);
    }
}

// The whole address, digits included, is in the code.
void TestLikeCounter::pictureDecodes()
{
    if (QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty())
        QSKIP("zbarimg is missing (zbar-tools, scripts/install-deps)");
    const QString address = QStringLiteral("https://www.facebook.com/Ma-Boutique_75-Paris/");
    API_FACEBOOK counter;
    counter.setUrlFacebook(address);
    QCOMPARE(decode(counter.Qrcode()), address);
}

// Regression: a picture already at the path (another page whose name
// derives alike) used to stay in place of this page's code.
void TestLikeCounter::pictureRewritten()
{
    if (QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty())
        QSKIP("zbarimg is missing (zbar-tools, scripts/install-deps)");
    API_FACEBOOK first;
    first.setUrlFacebook(QStringLiteral("https://www.facebook.com/cafe-1"));
    API_FACEBOOK second;
    second.setUrlFacebook(QStringLiteral("https://www.facebook.com/cafe-2"));
    QCOMPARE(second.Qrcode(), first.Qrcode());
    QCOMPARE(decode(second.Qrcode()), QStringLiteral("https://www.facebook.com/cafe-2"));
}

void TestLikeCounter::emptyAddressIgnored()
{
    API_FACEBOOK counter;
    counter.setUrlFacebook(QStringLiteral("https://www.facebook.com/orvex"));
    QSignalSpy url(&counter, &API_FACEBOOK::urlFacebookChanged);
    QSignalSpy qr(&counter, &API_FACEBOOK::QrcodeChanged);
    counter.setUrlFacebook(QString());
    QCOMPARE(counter.urlFacebook(), QStringLiteral("https://www.facebook.com/orvex"));
    QCOMPARE(url.count() + qr.count(), 0);

    // Without an address the timer's tick does nothing.
    API_FACEBOOK idle;
    QSignalSpy likes(&idle, &API_FACEBOOK::likesChanged);
    idle.startLikeFB();
    QVERIFY(!likes.wait(300));
    QVERIFY(idle.Qrcode().isEmpty());
}

void TestLikeCounter::likesAndErrors_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("likes");
    QTest::newRow("server error") << "500" << QString() << "Erreur";
    QTest::newRow("dropped connection") << "close" << QString() << "Erreur";
    QTest::newRow("not JSON") << "body" << "<html>maintenance</html>" << "Erreur";
    QTest::newRow("no engagement: 0") << "body" << R"({"id":"x"})" << "0";
    QTest::newRow("count not whole: 0") << "body" << R"({"engagement":{"count":12.5}})" << "0";
}

// The count, the error text, then the count again after a good answer.
void TestLikeCounter::likesAndErrors()
{
    ZO_NEED_STANDIN();
    QFETCH(QString, kind);
    QFETCH(QString, body);
    QFETCH(QString, likes);
    const QString page = QStringLiteral("https://www.facebook.com/likes-") + QString::number(qHash(kind + body));
    API_FACEBOOK counter;
    counter.setUrlFacebook(page);
    QVERIFY(askLikes(counter));
    QCOMPARE(counter.likes(), QStringLiteral("1234"));

    QVERIFY(StandIn::fault(QStringLiteral(""), kind, page.mid(25), 1, 0, body));
    QVERIFY(askLikes(counter));
    QCOMPARE(counter.likes(), likes);

    QVERIFY(askLikes(counter));
    QCOMPARE(counter.likes(), QStringLiteral("1234"));
}

void TestLikeCounter::requestAndSecrecy()
{
    ZO_NEED_STANDIN();
    const qint64 mark = StandIn::mark();
    API_FACEBOOK counter;
    counter.setUrlFacebook(QStringLiteral("https://www.facebook.com/orvex"));
    g_previous = qInstallMessageHandler(keepMessage);
    const bool answered = askLikes(counter);
    QVERIFY(StandIn::fault(QStringLiteral(""), QStringLiteral("500"), QStringLiteral("/v3.2/https:/www.facebook.com/orvex")));
    const bool failed = askLikes(counter);
    qInstallMessageHandler(g_previous);
    QVERIFY(answered && failed);
    QCOMPARE(counter.likes(), QStringLiteral("Erreur"));

    const QList<QJsonObject> log = StandIn::entries(mark, QStringLiteral("/v3.2/"), 2);
    QCOMPARE(log.size(), 2);
    QCOMPARE(log.at(0).value("path").toString(), QStringLiteral("/v3.2/https://www.facebook.com/orvex"));
    const QJsonObject query = log.at(0).value("query").toObject();
    QCOMPARE(query.keys(), (QStringList{"access_token", "fields"}));
    QCOMPARE(query.value("fields").toString(), QStringLiteral("engagement{count}"));
    QCOMPARE(query.value("access_token").toString(), token());
    QVERIFY(log.at(0).value("rawQuery").toString().startsWith(QLatin1String("fields=")));

    const QString all = g_messages.join(QLatin1Char('\n'));
    QVERIFY2(all.contains(QLatin1String("urlCMD")), qPrintable(all));
    QVERIFY2(all.contains(QLatin1String("ErrorFacebook: ")), qPrintable(all));
    QVERIFY2(!all.contains(token()) && !all.contains(token().section('|', 1)), qPrintable(all));
}

// A page address carrying '?', '&' or '#' stays in the path: the request
// keeps exactly its two query items and its own token.
void TestLikeCounter::addressCannotInjectQuery()
{
    ZO_NEED_STANDIN();
    const qint64 mark = StandIn::mark();
    API_FACEBOOK counter;
    counter.setUrlFacebook(QStringLiteral("https://www.facebook.com/evil?access_token=stolen&fields=x#top"));
    QVERIFY(askLikes(counter));
    const QList<QJsonObject> log = StandIn::entries(mark, QStringLiteral("/v3.2/"), 1);
    QCOMPARE(log.size(), 1);
    const QJsonObject query = log.at(0).value("query").toObject();
    QCOMPARE(query.keys(), (QStringList{"access_token", "fields"}));
    QCOMPARE(query.value("access_token").toString(), token());
    QCOMPARE(query.value("fields").toString(), QStringLiteral("engagement{count}"));
    QVERIFY(log.at(0).value("route").toString().endsWith(QLatin1String("evil?access_token=stolen&fields=x#top")));
    QCOMPARE(counter.likes(), QStringLiteral("1234"));
}

QTEST_MAIN(TestLikeCounter)
#include "tst_likecounter.moc"
