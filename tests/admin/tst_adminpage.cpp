#include "AdminFixture.h"
#include "AdminWidgets.h"
#include "AnimationStackedWidget.h"
#include "ZoTestInit.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

using namespace admintest;

class AdminPageTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void loadFillsWidgets();
    void userRowShowsThatUser();
    void eachBoxRowReadItsPictureAgain();
    void missingFileSaysSo();
    void failedLoadThenFileArrives();
    void nonAdministratorChangesNothing_data();
    void nonAdministratorChangesNothing();
    void failedDeploymentSentAgain();
    void changedFileReloaded();
    void seedHoldingRowSeparatorSaysSo();
    void enregistreBalisesWrites();
    void accountOnlyFileValidated();
    void validateOrder_data();
    void validateOrder();
    void readOnlyFileIsNotDeployed();
    void lockedValidateStaysOnPage();
    void savedByListManagementIsDeployedOnValidate();
    void backDeletesJournalAndSavesNothing();
    void resizeFollowsHeight();

private:
    QString file() const { return m_f.file(); }
    QString stored(const QString &key) const { return m_f.stored(key); }
    void open(const QStringList &screens = {}) { m_f.open(screens); }
    // Validates, answering the restart advice (and `more` further boxes).
    void validate(int moreBoxes = 0);

    PageFixture m_f;
    std::unique_ptr<classAdmin> &m_page = m_f.page;
    std::unique_ptr<ModalAnswerer> &m_answerer = m_f.answerer;
    QStringList &m_events = m_f.events;
};

void AdminPageTest::initTestCase()
{
    zoInitWidgetTest();
}

void AdminPageTest::init()
{
    QVERIFY(m_f.setUp(this));
}

void AdminPageTest::cleanup()
{
    QVERIFY2(m_answerer->done(), qPrintable(m_answerer->errors().join(QLatin1Char('\n'))));
    m_f.tearDown();
}

void AdminPageTest::validate(int moreBoxes)
{
    m_answerer->confirm();
    for (int i = 0; i < moreBoxes; ++i)
        m_answerer->confirm();
    m_page->slotValider();
    QVERIFY(m_answerer->waitUntilDone());
}

void AdminPageTest::loadFillsWidgets()
{
    QVERIFY(writeParams(file(), kAccount));
    AdminWidgets *ui = m_page->widgets();
    for (int opening = 0; opening < 2; ++opening)
        open({"ignored"});

    QCOMPARE(texts(ui->usersList), (QStringList{"alice", "bob"}));
    QCOMPARE(ui->usersList->currentRow(), 0);
    QCOMPARE(ui->nomLabel->text(), QStringLiteral("Alice A"));
    QCOMPARE(ui->passwordLabel->text(), QStringLiteral("****"));
    QCOMPARE(texts(ui->allowedList), (QStringList{"Hall", "PLAYLIST-promo"}));
    QCOMPARE(ui->typeChooser->currentText(), QStringLiteral("ADMINISTRATEUR"));
    // Opening twice leaves one chooser entry per playlist.
    QCOMPARE(texts(ui->playlistChooser), QStringList{"PLAYLIST-promo"});
    QVERIFY(ui->playlistChooser->isEnabled() && ui->playlistAdd->isEnabled() && ui->playlistRemove->isEnabled());
    QCOMPARE(texts(ui->boxChooser), (QStringList{"S1(Entrée)", "S2(Borne)", "S3(Bar)"}));
    QCOMPARE(texts(ui->categoriesList), (QStringList{"Hall", "Bar"}));
    QCOMPARE(texts(ui->categoryBoxesList), (QStringList{"S1", "S2"}));
    QCOMPARE(texts(ui->filterBoxesList), (QStringList{"S1", "S3"}));
    QCOMPARE(texts(ui->playlistBoxesList), QStringList{"S1"});
    QCOMPARE(ui->actions.size(), 19);
}

void AdminPageTest::userRowShowsThatUser()
{
    QVERIFY(writeParams(file(), kAccount));
    open();
    AdminWidgets *ui = m_page->widgets();
    ui->usersList->setCurrentRow(1);
    QCOMPARE(ui->nomLabel->text(), QStringLiteral("Bob B"));
    QCOMPARE(ui->telephoneLabel->text(), QString());
    QCOMPARE(texts(ui->allowedList), QStringList{"Bar"});
    QCOMPARE(ui->typeChooser->currentText(), QStringLiteral("UTILISATEUR"));
    QString flags;
    for (QCheckBox *c : ui->rights)
        flags += c->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(flags, QStringLiteral("1010000000000001"));
    QCOMPARE(ui->tempsMax->text(), QStringLiteral("30"));
    QCOMPARE(ui->nbreAfficheMax->text(), QStringLiteral("7"));
}

// The category, filter and playlist box lists share one folder picture:
// one made from the file per row read it a thousand times on a big account.
void AdminPageTest::eachBoxRowReadItsPictureAgain()
{
    QVERIFY(writeParams(file(), kAccount));
    open();
    AdminWidgets *ui = m_page->widgets();
    QCOMPARE(ui->categoryBoxesList->count(), 2);
    const qint64 picture = ui->categoryBoxesList->item(0)->icon().cacheKey();
    QVERIFY(!ui->categoryBoxesList->item(0)->icon().isNull());
    QCOMPARE(ui->categoryBoxesList->item(1)->icon().cacheKey(), picture);
    QCOMPARE(ui->filterBoxesList->item(1)->icon().cacheKey(), ui->filterBoxesList->item(0)->icon().cacheKey());
}

void AdminPageTest::missingFileSaysSo()
{
    m_answerer->confirm();
    open({"S1"});
    QVERIFY(m_answerer->waitUntilDone());
    QCOMPARE(m_answerer->texts().value(0), QStringLiteral("Le fichier LoginCrypt.orvex est introuvable ou illisible."));
    // No user named "NULL"; validate then writes nothing and sends nothing.
    QCOMPARE(m_page->widgets()->usersList->count(), 0);
    QVERIFY(!m_page->widgets()->validate->isEnabled());
    m_page->slotValider();
    QVERIFY(m_events.isEmpty());
    QVERIFY(!QFile::exists(file()));
}

void AdminPageTest::failedLoadThenFileArrives()
{
    m_answerer->confirm(); // unreadable file
    open({"S1"});
    QVERIFY(m_answerer->waitUntilDone());
    AdminWidgets *ui = m_page->widgets();
    QVERIFY(!ui->validate->isEnabled());
    for (QToolButton *b : ui->actions)
        QVERIFY2(!b->isEnabled(), qPrintable(b->text()));
    // The login brings the file meanwhile: validate must not wipe it.
    QVERIFY(writeParams(file(), kAccount));
    const QByteArray before = bytes(file());
    m_page->slotValider();
    m_page->slotGestionList(9); // remove the current category
    QTest::qWait(300);
    QVERIFY(m_events.isEmpty());
    QCOMPARE(bytes(file()), before);
    // A load that succeeds makes the page usable again.
    open();
    QVERIFY(ui->validate->isEnabled() && ui->actions.at(0)->isEnabled());
}

void AdminPageTest::nonAdministratorChangesNothing_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("validate made a user an administrator") << "validate";
    QTest::newRow("list action removed a playlist") << "list";
}

void AdminPageTest::nonAdministratorChangesNothing()
{
    QFETCH(QString, action);
    QVERIFY(writeParams(file(), kAccount));
    open();
    // The login ended for a user who is no administrator.
    m_page->slotAdministrator(false);
    QCOMPARE(m_events, QStringList{"button 0"});
    m_events.clear();
    m_page->show();
    m_page->loginFile().list(LoginFile::UserType)[1] = QStringLiteral("ADMINISTRATEUR");
    const QByteArray before = bytes(file());
    m_answerer->confirm(); // the refusal
    if (action == "validate") {
        m_page->slotValider();
    } else {
        m_page->widgets()->playlistsList->setCurrentRow(0);
        m_page->slotGestionList(6);
    }
    QVERIFY(m_answerer->waitUntilDone());
    QTest::qWait(300);
    QCOMPARE(m_answerer->texts().value(0), QStringLiteral("Seul un administrateur du compte peut modifier l'administration."));
    QCOMPARE(m_events, QStringList{"button 0"});
    QCOMPARE(bytes(file()), before);
    QVERIFY(!QFile::exists(m_f.path("TEMP/INFOADMIN.orvex")));
}

void AdminPageTest::failedDeploymentSentAgain()
{
    QVERIFY(writeParams(file(), kAccount));
    open();
    m_page->loginFile().list(LoginFile::UserNom)[1] = QStringLiteral("Robert");
    validate();
    QCOMPARE(m_events, (QStringList{"deploy 0", "button 0"}));
    // No success came back: the next validate sends it again.
    m_events.clear();
    open();
    validate();
    QCOMPARE(m_events, (QStringList{"deploy 0", "button 0"}));
    m_page->slotAccountDeployed(0);
    m_events.clear();
    open();
    validate();
    QCOMPARE(m_events, QStringList{"button 0"});
}

void AdminPageTest::changedFileReloaded()
{
    QVERIFY(writeParams(file(), kAccount));
    open();
    m_page->loginFile().list(LoginFile::UserNom)[1] = QStringLiteral("Robert");
    // The panel renamed a screen meanwhile.
    QVERIFY(ClassParam().setParamCrypt(file(), "PLAYERLISTNAME", "Hall|Borne|Bar"));
    const QByteArray before = bytes(file());
    validate(1);
    QVERIFY(m_answerer->texts().value(1).contains(QStringLiteral("modifié depuis l'ouverture de la page")));
    QVERIFY(m_events.isEmpty());
    QCOMPARE(bytes(file()), before);
    QCOMPARE(texts(m_page->widgets()->boxChooser), (QStringList{"S1(Hall)", "S2(Borne)", "S3(Bar)"}));
}

void AdminPageTest::seedHoldingRowSeparatorSaysSo()
{
    QVERIFY(writeParams(file(), {{"UTILISATEUR", "alice"}, {"MOTDEPASSE", "ab|cd"}, {"TYPECOMPTE", "ADMIN"}}));
    m_answerer->confirm();
    open({"S1"});
    QVERIFY(m_answerer->waitUntilDone());
    QVERIFY(m_answerer->texts().value(0).startsWith(QStringLiteral("La valeur de MOTDEPASSE contient")));
    validate();
    QCOMPARE(stored("USERPASSWORD"), QStringLiteral("NULL"));
}

void AdminPageTest::enregistreBalisesWrites()
{
    QVERIFY(writeParams(file(), kAccount));
    open();
    QVERIFY(m_page->EnregistreBalises("USERNOM", {"Alice", "Bob"}));
    QCOMPARE(stored("USERNOM"), QStringLiteral("Alice|Bob"));
    QVERIFY(m_page->changed());
    QVERIFY(!m_page->EnregistreBalises("USERNOM", {"Alice", "Bob"}));
}

void AdminPageTest::accountOnlyFileValidated()
{
    QVERIFY(writeParams(file(), kAccountOnly));
    open({"S1", "S2"});
    AdminWidgets *ui = m_page->widgets();
    QCOMPARE(texts(ui->usersList), QStringList{"alice"});
    QCOMPARE(texts(ui->boxChooser), (QStringList{"S1(S1)", "S2(S2)"}));
    QVERIFY(!ui->playlistChooser->isEnabled());

    validate();
    QCOMPARE(m_answerer->texts().value(0),
             QStringLiteral("Il est conseillé de redémarrer l'application!!!\nAfin que tous les changements soient "
                            "pris en compte..."));
    QCOMPARE(m_events, (QStringList{"deploy 1", "button 0"}));
    QCOMPARE(stored("USERPERMISSION"), QStringLiteral("1111111111111111;60;20"));
    QCOMPARE(stored("USERLIST"), QStringLiteral("alice"));
    QCOMPARE(stored("USERPASSWORD"), QStringLiteral("Secret12345"));
    QCOMPARE(stored("PLAYERLIST"), QStringLiteral("S1|S2"));
    QCOMPARE(stored("PLAYERLISTNAME"), QStringLiteral("S1|S2"));
    QCOMPARE(stored("PLAYERLISTTOPLAYLIST"), QStringLiteral("|"));
    QCOMPARE(stored("CATEGORYLIST"), QString());
}

void AdminPageTest::validateOrder_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QStringList>("events");

    QTest::newRow("nothing changed") << "" << QStringList{"button 0"};
    QTest::newRow("user renamed") << "nom" << QStringList{"deploy 0", "button 0"};
    QTest::newRow("playlist given a box") << "playlist" << QStringList{"deploy 1", "button 0"};
}

void AdminPageTest::validateOrder()
{
    QFETCH(QString, edit);
    QFETCH(QStringList, events);
    QVERIFY(writeParams(file(), kAccount));
    open();
    if (edit == "nom")
        m_page->loginFile().list(LoginFile::UserNom)[1] = QStringLiteral("Robert");
    else if (edit == "playlist")
        m_page->loginFile().list(LoginFile::PlaylistElements)[0] = QStringLiteral("S1;S3");
    validate();
    QCOMPARE(m_events, events);
    if (edit == "playlist")
        QCOMPARE(stored("PLAYERLISTTOPLAYLIST"), QStringLiteral("PLAYLIST-promo||PLAYLIST-promo"));
    QCOMPARE(QDir(m_f.path(QString())).entryList({"LoginCrypt.orvex-*"}, QDir::Files).size(), 1);
}

void AdminPageTest::readOnlyFileIsNotDeployed()
{
    QVERIFY(writeParams(file(), kAccountOnly));
    open({"S1", "S2"});
    QVERIFY(QFile::setPermissions(file(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    const QByteArray before = bytes(file());
    validate(1);
    QCOMPARE(m_answerer->texts().size(), 2);
    QVERIFY2(m_answerer->texts().at(1).contains(QStringLiteral("lecture seule")), qPrintable(m_answerer->texts().at(1)));
    // No deployment, and the page stays with its edits.
    QVERIFY(m_events.isEmpty());
    QCOMPARE(bytes(file()), before);
    QCOMPARE(m_page->loginFile().pendingDeploy(), -1);
}

void AdminPageTest::lockedValidateStaysOnPage()
{
    QVERIFY(writeParams(file(), kAccount));
    open();
    AdminWidgets *ui = m_page->widgets();
    m_page->slotPagePlaylist();
    QTRY_COMPARE(ui->stack->currentIndex(), 2);
    m_page->lockPlaylistEdit();
    QVERIFY(!ui->back->isEnabled() && !ui->pageUsers->isEnabled() && !ui->pageCategories->isEnabled());
    QVERIFY(ui->pagePlaylists->isEnabled() && ui->validate->isEnabled());

    m_page->slotValider(); // no restart advice while locked
    QCOMPARE(m_answerer->answered(), 0);
    QVERIFY(m_events.isEmpty());
    QTRY_COMPARE(ui->stack->currentIndex(), 0);
    QVERIFY(ui->back->isEnabled() && ui->pageUsers->isEnabled() && ui->pageCategories->isEnabled());
    QVERIFY(!m_page->playlistEditLocked());
}

void AdminPageTest::savedByListManagementIsDeployedOnValidate()
{
    QVERIFY(writeParams(file(), kAccount));
    open();
    // As list management does after a playlist change: saved at once.
    m_page->lockPlaylistEdit();
    m_page->loginFile().list(LoginFile::PlaylistElements)[0] = QStringLiteral("S2");
    m_page->UpdatePlayerlistToPlaylist();
    QVERIFY(m_page->UpdateLoginCrypt());
    QVERIFY(m_events.isEmpty());

    m_page->slotValider();
    QVERIFY(!m_page->changed()); // this save found nothing new...
    QCOMPARE(m_events, QStringList{"deploy 1"}); // ...yet the earlier one is sent
}

void AdminPageTest::backDeletesJournalAndSavesNothing()
{
    QVERIFY(writeParams(file(), kAccount));
    QVERIFY(writeParams(m_f.path("TEMP/INFOADMIN.orvex"), {{"NBOPERATION", "1"}}));
    open();
    m_page->loginFile().list(LoginFile::UserNom)[0] = QStringLiteral("Changed");
    const QByteArray before = bytes(file());
    QTest::mouseClick(m_page->widgets()->back, Qt::LeftButton);
    QCOMPARE(m_events, QStringList{"button 0"});
    QVERIFY(!QFile::exists(m_f.path("TEMP/INFOADMIN.orvex")));
    QCOMPARE(bytes(file()), before);
    // The next opening drops the unsaved edit.
    open();
    QCOMPARE(m_page->widgets()->nomLabel->text(), QStringLiteral("Alice A"));
}

void AdminPageTest::resizeFollowsHeight()
{
    AdminWidgets *ui = m_page->widgets();
    const int filtersSize = ui->filtersList->font().pointSize();
    m_page->slotResize(1280, 900, 0);
    QTRY_COMPARE(m_page->height(), 900);
    m_page->slotResize(1280, 900, 0);
    const int title = ui->usersList->font().pointSize();
    const int icon = ui->pageUsers->iconSize().width();
    QCOMPARE(icon, 900 / 20);
    QCOMPARE(ui->selectGroups->iconSize().width(), 900 / 10);
    QCOMPARE(ui->back->iconSize(), QSize(35, 35));

    m_page->slotResize(1600, 900, 90); // width alone: same fonts and icons
    QCOMPARE(ui->usersList->font().pointSize(), title);
    QCOMPARE(ui->pageUsers->iconSize().width(), icon);
    QCOMPARE(ui->background->size(), QSize(1600, 900));

    m_page->slotResize(1600, 1800, 0);
    QTRY_COMPARE(m_page->height(), 1800);
    m_page->slotResize(1600, 1800, 0);
    QVERIFY(ui->usersList->font().pointSize() > title);
    QCOMPARE(ui->pageUsers->iconSize().width(), 1800 / 20);
    QCOMPARE(ui->filtersList->font().pointSize(), filtersSize);
}

QTEST_MAIN(AdminPageTest)
#include "tst_adminpage.moc"
