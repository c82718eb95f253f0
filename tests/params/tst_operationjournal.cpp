// The journals' rewrite when the process dies or the disk refuses at the
// moment the new journal is put in place.
#include "OperationJournal.h"
#include "RenameFault.h"

#include <QtTest>

#include <sys/wait.h>

class OperationJournalTest : public QObject
{
    Q_OBJECT

private slots:
    void rewriteLeavesAWholeJournal_data();
    void rewriteLeavesAWholeJournal();
};

void OperationJournalTest::rewriteLeavesAWholeJournal_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fault");
    QTest::newRow("kill between the two renames lost the media journal") << "INFOMEDIA.orvex" << "kill";
    QTest::newRow("kill between the two renames lost the administration journal") << "INFOADMIN.orvex" << "kill";
    QTest::newRow("kill between the two renames lost the kept sent records") << "SENT-INFOMEDIA.orvex" << "kill";
    QTest::newRow("replace refused by the disk kept the old journal") << "INFOMEDIA.orvex" << "refuse";
}

void OperationJournalTest::rewriteLeavesAWholeJournal()
{
    QFETCH(QString, name);
    QFETCH(QString, fault);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(name);
    const QList<QStringList> old{{"AJOUTER", "IMAGE/a.jpg", "AAAA", "1920x1080", "100"},
                                 {"SUPPRIMER", "VIDEO/b.mp4", "BBBB", "0", "200"}};
    QVERIFY(OperationJournal::appendAll(path, old));

    // A child process takes the fault; this one looks at what it left.
    const pid_t child = fork();
    if (child == 0) {
        RenameFault::armedName = strdup(QFile::encodeName(name).constData());
        RenameFault::refuse = fault == "refuse";
        QString error;
        const bool done = OperationJournal::rewrite(path, {{"AJOUTER", "IMAGE/c.jpg", "CCCC", "800x600", "300"}}, &error);
        _exit(done ? 0 : error.isEmpty() ? 2 : 1);
    }
    QVERIFY(child > 0);
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    if (fault == "kill") {
        QVERIFY2(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL, "not killed where the journal is put in place");
    } else {
        // Failed, and said why.
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 1);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
    }
    QCOMPARE(OperationJournal::records(path), old);
}

QTEST_GUILESS_MAIN(OperationJournalTest)
#include "tst_operationjournal.moc"
