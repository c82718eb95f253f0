#include "QFtp.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Runs against the pyftpdlib server that the test scripts start; the
// server's folder is read directly to check what arrived.
class QFtpServerTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void roundTrip_data();
    void roundTrip();
    void wrongPassword();

private:
    bool run(QFtp &ftp, int timeout, QString *error);
    QByteArray writeFile(const QString &path, qint64 size);
    static QByteArray sha1(const QString &path);

    QString m_host, m_user, m_pass, m_root;
    quint16 m_port = 0;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void QFtpServerTest::initTestCase()
{
    m_host = qEnvironmentVariable("ZO_FTP_HOST");
    m_port = quint16(qEnvironmentVariableIntValue("ZO_FTP_PORT"));
    m_user = qEnvironmentVariable("ZO_FTP_USER");
    m_pass = qEnvironmentVariable("ZO_FTP_PASS");
    m_root = qEnvironmentVariable("ZO_FTP_ROOT");
    if (m_host.isEmpty() || !m_port || m_user.isEmpty() || m_root.isEmpty()) {
        const char *why = "no FTP server: set ZO_FTP_HOST, ZO_FTP_PORT, ZO_FTP_USER, ZO_FTP_PASS and ZO_FTP_ROOT "
                          "(scripts/test starts pyftpdlib and sets them)";
        if (qEnvironmentVariableIntValue("ZO_REQUIRE_SERVERS") == 1)
            QFAIL(why);
        QSKIP(why);
    }
}

void QFtpServerTest::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

void QFtpServerTest::cleanup()
{
    m_dir.reset();
}

bool QFtpServerTest::run(QFtp &ftp, int timeout, QString *error)
{
    QSignalSpy done(&ftp, &QFtp::done);
    QString firstFailure;
    auto c = connect(&ftp, &QFtp::commandFinished, this, [&](int id, bool failed) {
        if (failed && firstFailure.isEmpty())
            firstFailure = QStringLiteral("command %1 (%2): %3").arg(id).arg(ftp.currentCommand()).arg(ftp.errorString());
    });
    const bool finished = done.wait(timeout);
    disconnect(c);
    *error = finished ? firstFailure : QStringLiteral("no end within %1 ms").arg(timeout);
    return finished && firstFailure.isEmpty();
}

QByteArray QFtpServerTest::writeFile(const QString &path, qint64 size)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QByteArray();
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (qint64 left = size; left > 0; left -= block.size()) {
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(block.data()), block.size() / 4);
        f.write(block.constData(), qMin<qint64>(left, block.size()));
    }
    f.close();
    return sha1(path);
}

QByteArray QFtpServerTest::sha1(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    QCryptographicHash h(QCryptographicHash::Sha1);
    h.addData(&f);
    return h.result().toHex();
}

void QFtpServerTest::roundTrip_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("passive") << int(QFtp::Passive);
    QTest::newRow("active") << int(QFtp::Active);
}

void QFtpServerTest::roundTrip()
{
    QFETCH(int, mode);
    const QString folder = QStringLiteral("zo-ftp-%1-%2").arg(mode).arg(QCoreApplication::applicationPid());
    const QList<QPair<QString, qint64>> files{{QStringLiteral("empty.bin"), 0},
                                              {QStringLiteral("one MiB.bin"), 1 << 20},
                                              {QStringLiteral("big.mp4"), qint64(64) << 20}};
    QHash<QString, QByteArray> hashes;
    for (const auto &f : files)
        hashes.insert(f.first, writeFile(m_dir->filePath(f.first), f.second));

    QFtp ftp;
    QString error;
    ftp.setTransferMode(QFtp::TransferMode(mode));
    ftp.connectToHost(m_host, m_port);
    ftp.login(m_user, m_pass);
    ftp.mkdir(folder);
    ftp.cd(folder);
    std::vector<std::unique_ptr<QFile>> uploads;
    for (const auto &f : files) {
        uploads.emplace_back(new QFile(m_dir->filePath(f.first)));
        ftp.put(uploads.back().get(), f.first);
    }
    QVERIFY2(run(ftp, 60000, &error), qPrintable(error));
    QCOMPARE(ftp.state(), int(QFtp::LoggedIn));
    for (const auto &f : files)
        QCOMPARE(sha1(m_root + QLatin1Char('/') + folder + QLatin1Char('/') + f.first), hashes.value(f.first));

    QHash<QString, qint64> listed;
    connect(&ftp, &QFtp::listInfo, this, [&](const QUrlInfo &i) { listed.insert(i.name(), i.isFile() ? i.size() : -1); });
    ftp.list();
    QVERIFY2(run(ftp, 10000, &error), qPrintable(error));
    QCOMPARE(listed.size(), files.size());
    for (const auto &f : files)
        QCOMPARE(listed.value(f.first, -2), f.second);

    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("back")));
    std::vector<std::unique_ptr<QFile>> downloads;
    qint64 lastDone = 0, lastTotal = -1;
    connect(&ftp, &QFtp::dataTransferProgress, this, [&](qint64 d, qint64 t) { lastDone = d; lastTotal = t; });
    for (const auto &f : files) {
        downloads.emplace_back(new QFile(m_dir->filePath(QStringLiteral("back/") + f.first)));
        QVERIFY(downloads.back()->open(QIODevice::WriteOnly));
        ftp.get(f.first, downloads.back().get());
    }
    QVERIFY2(run(ftp, 60000, &error), qPrintable(error));
    QCOMPARE(lastDone, files.last().second);
    QCOMPARE(lastTotal, files.last().second);
    for (auto &d : downloads)
        d->close();
    for (const auto &f : files)
        QCOMPARE(sha1(m_dir->filePath(QStringLiteral("back/") + f.first)), hashes.value(f.first));

    ftp.rename(QStringLiteral("one MiB.bin"), QStringLiteral("renamed.bin"));
    QVERIFY2(run(ftp, 10000, &error), qPrintable(error));
    QVERIFY(QFile::exists(m_root + QLatin1Char('/') + folder + QLatin1String("/renamed.bin")));

    ftp.remove(QStringLiteral("renamed.bin"));
    ftp.remove(QStringLiteral("empty.bin"));
    ftp.remove(QStringLiteral("big.mp4"));
    ftp.cd(QStringLiteral(".."));
    ftp.rmdir(folder);
    QVERIFY2(run(ftp, 10000, &error), qPrintable(error));
    QVERIFY(!QFileInfo::exists(m_root + QLatin1Char('/') + folder));

    // A missing folder is a failure, not an empty listing.
    ftp.cd(folder);
    QVERIFY(!run(ftp, 10000, &error));
    QVERIFY2(ftp.errorString().startsWith(QLatin1String("Changing directory failed:\n")), qPrintable(ftp.errorString()));

    ftp.close();
    QVERIFY2(run(ftp, 10000, &error), qPrintable(error));
    QCOMPARE(ftp.state(), int(QFtp::Unconnected));
}

void QFtpServerTest::wrongPassword()
{
    QFtp ftp;
    QString error;
    ftp.connectToHost(m_host, m_port);
    ftp.login(m_user, m_pass + QLatin1String("-wrong"));
    ftp.cd(QStringLiteral("/"));
    QVERIFY(!run(ftp, 10000, &error));
    // The reply text follows the prefix, its code stripped like every reply.
    QCOMPARE(ftp.errorString(), QStringLiteral("Login failed:\nAuthentication failed."));
    QCOMPARE(ftp.error(), QFtp::UnknownError);
    QCOMPARE(ftp.state(), int(QFtp::Connected));
}

QTEST_GUILESS_MAIN(QFtpServerTest)
#include "tst_qftp_server.moc"
