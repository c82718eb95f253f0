// Names read from the login file and the screens list never reach another
// account: every flow that turns one into a server or local folder is fed
// hostile names against the stand-in (and the same tree in local mode); it
// refuses with its message, sends nothing for it, and the other account's
// tree stays byte-identical. A plain name still works.
#include "../transfer/SequenceFixture.h"
#include "AccountDeployment.h"
#include "BoxDeployment.h"
#include "Checksum.h"
#include "ClassParam.h"
#include "CommandReport.h"
#include "FolderOperations.h"
#include "JournalMerge.h"
#include "ListTransfers.h"
#include "MediaAlignment.h"
#include "ParamFixture.h"
#include "RevisionCounters.h"
#include "TransferLists.h"
#include "TransferSlots.h"

#include <QDirIterator>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {

enum Flow { Command, BoxDeploy, AccountDeploy, FolderCreate, FolderRename, FolderRemove, BoxDownload };

} // namespace

class AccountConfinementTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void hostileNames_data();
    void hostileNames();

private:
    void build(bool local);
    QString other() const { return m_fx.account() + "o"; }
    QString own(const QString &relative) const { return m_fx.tree(m_fx.account() + '/' + relative); }
    // Relative path -> MD5 of every file (and "dir" for every folder) of a tree.
    static QMap<QString, QString> snapshot(const QString &root);
    void run(int flow, const QString &name);

    SequenceFixture m_fx;
    QString m_selected = "B1";
    QStringList m_targets;
    QStringList m_told;
    ClassParam m_player, m_media, m_login;
    QScopedPointer<ListTransfers> m_lists;
    QScopedPointer<TransferSlots> m_slots;
    QScopedPointer<RevisionCounters> m_revisions;
    QScopedPointer<MediaAlignment> m_alignment;
    QScopedPointer<QTimer> m_t1, m_t2, m_t3, m_t4, m_t5;
    QScopedPointer<CommandReport> m_commands;
    QScopedPointer<BoxDeployment> m_deploy;
    QScopedPointer<AccountDeployment> m_account;
    QScopedPointer<FolderOperations> m_folders;
};

void AccountConfinementTest::initTestCase()
{
    ZO_NEED_STANDIN();
    QVERIFY(qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE") >= 10);
}

void AccountConfinementTest::init()
{
    m_fx.setUp();
    m_told.clear();
    // The other account: a box with its files, a playlist, its login file.
    const QString o = m_fx.tree(other() + '/');
    SequenceFixture::writeFile(o + "30001/PLAYER.orvex", "player of the other account");
    SequenceFixture::writeFile(o + "30001/INFO.orvex", "info of the other account");
    SequenceFixture::writeFile(o + "30001/EVENTS.orvex", "events of the other account");
    SequenceFixture::writeFile(o + "PLAYLIST-Soir/PLAYER.orvex", "playlist of the other account");
    SequenceFixture::writeFile(o + "LoginCrypt.orvex", "login file of the other account");
    // This account: box B1 and playlist PLAYLIST-x, as the deployments expect them.
    QVERIFY(QDir().mkpath(own("B1")));
    QVERIFY(writeParams(own("B1/PLAYER.orvex"), {{"SLIDETYPE", "IMAGE"}, {"ID", "3"}}));
    SequenceFixture::writeFile(own("PLAYLIST-x/old.orvex"), "old");
    QVERIFY(writeParams(own("MEDIA.orvex"), {{"FILEPATH", "IMAGE/a.png"}, {"FILECHK", "AAA"}, {"FILESIZE", "1"},
                                             {"FILEPATHPERMISSION", "Hall"}, {"ID", "4"}}));
    QVERIFY(writeParams(m_fx.work("DATA/PLAYER.orvex"), {{"SLIDETYPE", "IMAGE"}, {"ID", "3"}}));
    SequenceFixture::writeFile(m_fx.work("DATA/Slide1.png"), "slide");
    QVERIFY(writeParams(m_fx.work("TEMP/MEDIA.orvex"), {{"FILEPATH", "IMAGE/a.png"}}));
}

void AccountConfinementTest::cleanup()
{
    m_commands.reset();
    m_deploy.reset();
    m_account.reset();
    m_folders.reset();
    m_lists.reset();
    QDir(m_fx.tree(other())).removeRecursively();
    m_fx.tearDown();
}

void AccountConfinementTest::build(bool local)
{
    HttpFileApi *api = m_fx.makeApi(local);
    m_lists.reset(new ListTransfers(api));
    m_lists->setSelectedBox([this] { return m_selected; });
    m_slots.reset(new TransferSlots(api));
    m_revisions.reset(new RevisionCounters(&m_player, &m_media));
    m_revisions->setWorkFolder(m_fx.work());
    m_revisions->setQuestion([](const QString &) { return true; });
    m_revisions->getIDfilePlayer();
    m_alignment.reset(new MediaAlignment(api, &m_login, &m_media));
    m_alignment->setWorkFolder(m_fx.work());
    const auto download = [this](QString localFolder, QString name, QString folder, QString chk) {
        return m_alignment->slotTelechargerFichier(localFolder, name, folder, chk);
    };
    for (auto *timer : {&m_t1, &m_t2, &m_t3, &m_t4, &m_t5}) {
        timer->reset(new QTimer);
        (*timer)->setInterval(5);
    }
    const auto tell = [this](QString, QString text) { m_told << text; };

    m_commands.reset(new CommandReport(api, m_lists.data(), m_t1.data(), m_t2.data()));
    m_commands->setWorkFolder(m_fx.work());
    m_commands->setSelectedBox([this] { return m_selected; });
    connect(m_t1.data(), &QTimer::timeout, m_commands.data(), &CommandReport::slotProcessDeployCommandeTimer);
    connect(m_commands.data(), &CommandReport::signalInformation, tell);

    m_deploy.reset(new BoxDeployment(api, m_lists.data(), m_revisions.data(), &m_player, m_t3.data()));
    m_deploy->setWorkFolder(m_fx.work());
    m_deploy->setAccountName(m_fx.account().mid(3));
    m_deploy->setSelectedBox([this] { return m_selected; });
    m_deploy->setChooser([this](QStringList *targets) {
        *targets = m_targets;
        return true;
    });
    m_deploy->setDownloader(download);
    connect(m_t3.data(), &QTimer::timeout, m_deploy.data(), &BoxDeployment::slotProcessDeploy);
    connect(m_deploy.data(), &BoxDeployment::signalError, [this](QString text) { m_told << text; });

    m_account.reset(new AccountDeployment(api, m_lists.data(), m_revisions.data(), &m_login, m_t4.data()));
    m_account->setWorkFolder(m_fx.work());
    m_account->setDownloader(download);
    m_account->setMerge(&JournalMerge::mergeAdmin);
    connect(m_t4.data(), &QTimer::timeout, m_account.data(), &AccountDeployment::slotProcessDeployLogin);
    connect(m_account.data(), &AccountDeployment::signalInformation, tell);

    m_folders.reset(new FolderOperations(api, m_lists.data(), m_slots.data(), m_t5.data()));
    m_folders->setWorkFolder(m_fx.work());
    m_t5->setInterval(1);
    connect(m_t5.data(), &QTimer::timeout, m_folders.data(), &FolderOperations::slotProcessFolder);
    connect(m_folders.data(), &FolderOperations::signalInformation, tell);

    connect(m_lists.data(), &ListTransfers::sequenceFailed, [this](int code) {
        m_told << QString("connection error %1").arg(code);
        m_commands->sequenceFailed();
        m_deploy->sequenceFailed();
        m_account->sequenceFailed();
    });
}

QMap<QString, QString> AccountConfinementTest::snapshot(const QString &root)
{
    QMap<QString, QString> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        entries.insert(QDir(root).relativeFilePath(path), it.fileInfo().isDir() ? "dir" : CalculChecksum(path));
    }
    return entries;
}

void AccountConfinementTest::run(int flow, const QString &name)
{
    const auto idle = [](const std::function<bool()> &running) {
        QElapsedTimer clock;
        clock.start();
        QTest::qWait(20);
        while (running() && clock.elapsed() < 30000)
            QTest::qWait(5);
        return !running();
    };
    switch (flow) {
    case Command:
        m_selected = name;
        m_commands->slotProcessDeployCommande("REBOOT");
        QVERIFY(idle([this] { return m_commands->commandRunning(); }));
        break;
    case BoxDeploy:
        m_targets = QStringList{name};
        m_deploy->start();
        QVERIFY(idle([this] { return m_deploy->running(); }));
        break;
    case AccountDeploy:
        QVERIFY(writeForeignParams(m_fx.work("LoginCrypt.orvex"),
                                   {{"MOTDEPASSE", "Secret12345"}, {"PLAYERLIST", name},
                                    {"PLAYERLISTTOPLAYLIST", "PLAYLIST-x"}}));
        m_account->start(1);
        QVERIFY(idle([this] { return m_account->running(); }));
        break;
    case FolderCreate:
    case FolderRename:
    case FolderRemove: {
        QSignalSpy finished(m_folders.data(), &FolderOperations::signalFinished);
        m_folders->slotFolder(flow == FolderCreate ? 0 : flow == FolderRename ? 1 : 3, name,
                              flow == FolderRename ? "PLAYLIST-y" : "");
        QVERIFY(finished.count() == 1 || finished.wait(30000));
        break;
    }
    case BoxDownload:
        m_selected = name;
        m_lists->setFolder(name);
        SequenceFixture::drive([this] { return m_lists->FtpGetListFile(m_fx.work("DATA/")); },
                               [this] { return m_lists->lastFailed(); }, 30000);
        break;
    }
}

void AccountConfinementTest::hostileNames_data()
{
    QTest::addColumn<int>("flow");
    QTest::addColumn<bool>("local");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("hostile");

    // %O: the other account's folder. Box flows take a serial, folder flows a playlist folder.
    struct Name {
        const char *tag;
        QString serial;
        QString playlist;
        bool bothModes;
    };
    const QList<Name> names{
        {"tree path of another account", "/zolink/zobox/%O/30001", "/zolink/zobox/%O/PLAYLIST-Soir", true},
        {"dot-dot", "../%O/30001", "PLAYLIST-/../../%O/30001", true},
        {"a/../b", "B1/../../%O/30001", "PLAYLIST-x/../../%O/PLAYLIST-Soir", false},
        {"backslash", "..\\%O\\30001", "PLAYLIST-..\\..\\%O", false},
        {"NUL", QString("B1") + QChar(0) + "x", QString("PLAYLIST-x") + QChar(0) + "y", false},
        {"300 characters", QString(300, 'M'), "PLAYLIST-" + QString(300, 'M'), false},
        {"empty", "", "", false},
        {"plain name", "B1", "PLAYLIST-x", true},
    };
    const QList<QPair<int, const char *>> flows{
        {Command, "command"},           {BoxDeploy, "box deployment"}, {AccountDeploy, "account deployment"},
        {FolderCreate, "folder create"}, {FolderRename, "folder rename"}, {FolderRemove, "folder remove"},
        {BoxDownload, "box download"}};
    for (const auto &flow : flows) {
        const bool folderFlow = flow.first == FolderCreate || flow.first == FolderRename || flow.first == FolderRemove;
        for (const Name &n : names) {
            for (bool local : {false, true}) {
                if (local && !n.bothModes)
                    continue;
                QTest::addRow("%s, %s%s", flow.second, n.tag, local ? ", local" : "")
                    << flow.first << local << (folderFlow ? n.playlist : n.serial) << (QString(n.tag) != "plain name");
            }
        }
    }
}

void AccountConfinementTest::hostileNames()
{
    QFETCH(int, flow);
    QFETCH(bool, local);
    QFETCH(QString, name);
    QFETCH(bool, hostile);
    name.replace("%O", other());
    if (flow == FolderCreate)
        QDir(own("PLAYLIST-x")).removeRecursively();
    const QMap<QString, QString> before = snapshot(m_fx.tree(other()));
    QVERIFY(before.size() >= 7);
    build(local);
    const qint64 mark = StandIn::mark();

    run(flow, name);
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(snapshot(m_fx.tree(other())), before);
    QStringList sent;
    if (!local) {
        // The account deployment still sends the login file and the index.
        for (const QString &line : SequenceFixture::requests(mark)) {
            if (!line.endsWith("LoginCrypt.orvex") && !line.endsWith("MEDIA.orvex"))
                sent << line;
        }
    }
    if (hostile) {
        QCOMPARE(sent, QStringList());
        // No serial at all is the silent case; a command without a box says so.
        const bool silent = name.isEmpty() && flow == AccountDeploy;
        if (flow == BoxDownload)
            QCOMPARE(m_told, QStringList{"connection error 9"});
        else if (name.isEmpty() && flow == Command)
            QCOMPARE(m_told, QStringList{"Aucun boîtier n'est choisi: la commande n'a pas été envoyée."});
        else if (silent)
            QCOMPARE(m_told, QStringList());
        else
            QVERIFY2(m_told.size() == 1 && m_told.first().startsWith("Nom refusé: "), qPrintable(m_told.join(" ## ")));
        return;
    }
    QVERIFY2(m_told.filter("Nom refusé").isEmpty(), qPrintable(m_told.join(" ## ")));
    switch (flow) {
    case Command:
        QCOMPARE(ClassParam().getParamCrypt(own("B1/COMMAND.orvex"), "COMMANDHTTP", 1), QString("REBOOT"));
        break;
    case BoxDeploy:
        QCOMPARE(SequenceFixture::readFile(own("B1/Slide1.png")), QByteArray("slide"));
        break;
    case AccountDeploy:
        QCOMPARE(ClassParam().getParamCrypt(own("B1/PLAYLIST.orvex"), "PLAYLIST", 1), QString("PLAYLIST-x"));
        break;
    case FolderCreate:
        QVERIFY(QFileInfo(own("PLAYLIST-x")).isDir());
        break;
    case FolderRename:
        QVERIFY(QFileInfo::exists(own("PLAYLIST-y/old.orvex")));
        break;
    case FolderRemove:
        QVERIFY(!QFileInfo::exists(own("PLAYLIST-x")));
        break;
    case BoxDownload:
        QCOMPARE(ClassParam().getParamCrypt(m_fx.work("DATA/PLAYER.orvex"), "ID", 1), QString("3"));
        break;
    }
}

QTEST_GUILESS_MAIN(AccountConfinementTest)
#include "tst_accountconfinement_standin.moc"
