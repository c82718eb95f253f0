// The journals' rewrite when the process dies or the disk refuses at the
// moment the new journal is put in place.
#include "OperationJournal.h"

#include <QtTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Armed in a child process only: the rename that gives a file this name
// kills the process (as a kill or a power cut would at that moment), or
// fails with an I/O error.
const char *g_armedName = nullptr;
bool g_refuse = false;

bool armedFor(const char *path)
{
    if (!g_armedName || !path)
        return false;
    const char *slash = strrchr(path, '/');
    return strcmp(slash ? slash + 1 : path, g_armedName) == 0;
}

int strike()
{
    if (!g_refuse)
        kill(getpid(), SIGKILL);
    errno = EIO;
    return -1;
}

} // namespace

// The executable exports them, so Qt's own calls come here too.
extern "C" int rename(const char *from, const char *to) noexcept
{
    static const auto real = reinterpret_cast<int (*)(const char *, const char *)>(dlsym(RTLD_NEXT, "rename"));
    return armedFor(to) ? strike() : real(from, to);
}

extern "C" int renameat2(int fromDir, const char *from, int toDir, const char *to, unsigned int flags) noexcept
{
    static const auto real = reinterpret_cast<int (*)(int, const char *, int, const char *, unsigned int)>(
        dlsym(RTLD_NEXT, "renameat2"));
    return armedFor(to) ? strike() : real(fromDir, from, toDir, to, flags);
}

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
        g_armedName = strdup(QFile::encodeName(name).constData());
        g_refuse = fault == "refuse";
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
