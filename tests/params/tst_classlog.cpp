#include "ClassLog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class ClassLogTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void appendsStampedLines();
    void missingFolderCostsOnlyTheLine();
    void cleanKeepsThreeNewest_data();
    void cleanKeepsThreeNewest();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void ClassLogTest::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    qputenv("ZOMANAGER_WORKDIR", m_dir->path().toLocal8Bit());
}

void ClassLogTest::appendsStampedLines()
{
    QVERIFY(QDir(m_dir->path()).mkdir("LOG"));
    ClassLog log;
    log.log("OrvexLog", QString::fromUtf8("Fonction: slotQuit() é"));
    log.log("OrvexLog", QString());

    const QString day = QDate::currentDate().toString("yy-MM-dd");
    QFile file(m_dir->filePath("LOG/" + day + "-OrvexLog.log"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    const QRegularExpression line("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\| Fonction: slotQuit\\(\\) \xc3\xa9\r\n"
                                  "\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\| \r\n$");
    QVERIFY2(line.match(QString::fromUtf8(content)).hasMatch(), content.constData());
}

void ClassLogTest::missingFolderCostsOnlyTheLine()
{
    ClassLog log;
    log.log("OrvexLog", "lost");
    QVERIFY(!QDir(m_dir->filePath("LOG")).exists());
}

void ClassLogTest::cleanKeepsThreeNewest_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("three stay") << QStringList{"21-03-01-OrvexLog.log", "21-03-02-OrvexLog.log", "21-03-03-OrvexLog.log"}
                                << QStringList{"21-03-01-OrvexLog.log", "21-03-02-OrvexLog.log", "21-03-03-OrvexLog.log"};
    QTest::newRow("five lose the two oldest")
        << QStringList{"21-03-05-OrvexLog.log", "21-03-01-OrvexLog.log", "21-03-04-OrvexLog.log", "21-03-02-OrvexLog.log",
                       "21-03-03-OrvexLog.log"}
        << QStringList{"21-03-03-OrvexLog.log", "21-03-04-OrvexLog.log", "21-03-05-OrvexLog.log"};
    QTest::newRow("capitals sort first") << QStringList{"a.log", "B.log", "c.log", "A.log"}
                                         << QStringList{"B.log", "a.log", "c.log"};
    QTest::newRow("other files untouched") << QStringList{"1.log", "2.log", "3.log", "4.log", "notes.txt"}
                                           << QStringList{"2.log", "3.log", "4.log", "notes.txt"};
}

void ClassLogTest::cleanKeepsThreeNewest()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, kept);
    QDir dir(m_dir->path());
    QVERIFY(dir.mkdir("LOG"));
    for (const QString &n : names) {
        QFile f(m_dir->filePath("LOG/" + n));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    ClassLog().clean();
    QStringList left = QDir(m_dir->filePath("LOG")).entryList(QDir::Files);
    std::sort(left.begin(), left.end());
    std::sort(kept.begin(), kept.end());
    QCOMPARE(left, kept);
}

QTEST_GUILESS_MAIN(ClassLogTest)
#include "tst_classlog.moc"
