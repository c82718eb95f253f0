#include "AdminFixture.h"
#include "AdminWidgets.h"
#include "ListManager.h"
#include "ZoTestInit.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace admintest;

namespace {

QStringList g_messages;

void keepMessage(QtMsgType, const QMessageLogContext &, const QString &text)
{
    g_messages.append(text);
}

QString flags(const QList<QCheckBox *> &boxes)
{
    QString f;
    for (QCheckBox *c : boxes)
        f += c->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return f;
}

// Checks exactly the named entries of a selection form, then confirms
// with the button or, when `returnKey`, with Return.
ModalAnswerer::Action choose(const QStringList &names, bool returnKey = false)
{
    return [names, returnKey](QDialog *d) {
        // A click on a group rebuilds the screens: look them up again each time.
        const auto *screens = d->findChild<QAbstractItemView *>(QStringLiteral("zoneEcrans"));
        for (int guard = 0; guard < 50; ++guard) {
            QCheckBox *wrong = nullptr;
            for (QCheckBox *c : d->findChildren<QCheckBox *>()) {
                if (!wrong && c->isChecked() != names.contains(c->text()))
                    wrong = c;
            }
            if (wrong) {
                wrong->click();
                continue;
            }
            // Then the screens, "Tous" first: it sets every screen.
            QAbstractItemModel *model = screens ? screens->model() : nullptr;
            QModelIndex wrongRow;
            for (int row = 0; model && row < model->rowCount() && !wrongRow.isValid(); ++row) {
                const QModelIndex index = model->index(row, 0);
                if ((index.data(Qt::CheckStateRole).toInt() == Qt::Checked) != names.contains(index.data().toString()))
                    wrongRow = index;
            }
            if (!wrongRow.isValid())
                break;
            const bool checked = wrongRow.data(Qt::CheckStateRole).toInt() == Qt::Checked;
            model->setData(wrongRow, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        }
        if (returnKey)
            QTest::keyClick(d, Qt::Key_Return);
        else
            d->findChild<QAbstractButton *>(QStringLiteral("valider"))->click();
    };
}

} // namespace

class AdminEditTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void permissionString();
    void shortRowAfterFullRow();
    void contactFields_data();
    void contactFields();
    void password_data();
    void password();
    void firstUserKeepsType();

    void newUser();
    void userCodes_data();
    void userCodes();
    void playlistCodes_data();
    void playlistCodes();
    void groupCodes_data();
    void groupCodes();
    void journalRecords();
    void nameOutsideLatin1Refused_data();
    void nameOutsideLatin1Refused();
    void nulInServerRowsDoesNotBlockRights();
    void clickDuringOperationIgnored();

    void selectionFormWrites_data();
    void selectionFormWrites();

private:
    // Clicks action button `code` and waits for the machine to rest.
    void run(int code);
    AdminWidgets *ui() const { return m_f.page->widgets(); }

    PageFixture m_f;
};

void AdminEditTest::initTestCase()
{
    zoInitWidgetTest();
}

void AdminEditTest::init()
{
    QVERIFY(m_f.setUp(this));
    QVERIFY(writeParams(m_f.file(), kAccount));
    m_f.open();
}

void AdminEditTest::cleanup()
{
    QVERIFY2(m_f.answerer->done(), qPrintable(m_f.answerer->errors().join(QLatin1Char('\n'))));
    QCOMPARE(m_f.page->listManager()->step(), 0);
    m_f.tearDown();
}

void AdminEditTest::run(int code)
{
    ui()->actions.at(code)->click();
    QVERIFY(m_f.page->listManager()->busy());
    QTRY_VERIFY_WITH_TIMEOUT(!m_f.page->listManager()->busy(), 10000);
    QVERIFY(m_f.answerer->waitUntilDone());
}

void AdminEditTest::permissionString()
{
    ui()->usersList->setCurrentRow(1);
    ui()->rights.at(1)->click();
    ui()->rights.at(15)->click();
    QCOMPARE(m_f.list(LoginFile::UserPermission).at(1), QStringLiteral("1110000000000000;30;7"));

    m_f.answerer->enterText(QStringLiteral("45"));
    m_f.page->SlotClavierTempsMax();
    QVERIFY(m_f.answerer->waitUntilDone());
    QCOMPARE(m_f.list(LoginFile::UserPermission).at(1), QStringLiteral("1110000000000000;45;7"));
    // An emptied keypad leaves an empty field, which the console reads as 0.
    m_f.answerer->enterText(QString());
    m_f.page->SlotClavierNbreAfficheMax();
    QVERIFY(m_f.answerer->waitUntilDone());
    QCOMPARE(m_f.list(LoginFile::UserPermission).at(1), QStringLiteral("1110000000000000;45;"));
    QCOMPARE(m_f.list(LoginFile::UserPermission).at(0), QStringLiteral("1111111111111111;60;20"));
}

void AdminEditTest::shortRowAfterFullRow()
{
    m_f.list(LoginFile::UserPermission)[1] = QStringLiteral("101");
    QCOMPARE(flags(ui()->rights), QStringLiteral("1111111111111111"));
    ui()->usersList->setCurrentRow(1);
    QCOMPARE(flags(ui()->rights), QStringLiteral("1010000000000000"));
    QCOMPARE(ui()->tempsMax->text(), QString());
    QCOMPARE(ui()->nbreAfficheMax->text(), QString());
}

void AdminEditTest::contactFields_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");

    QTest::newRow("name without separators") << int(LoginFile::UserNom) << "Ro|b;e\"rt" << "Robert";
    QTest::newRow("e-mail") << int(LoginFile::UserEmail) << "bob@example.org" << "bob@example.org";
    QTest::newRow("telephone emptied") << int(LoginFile::UserTelephone) << "" << "";
}

void AdminEditTest::contactFields()
{
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    ui()->usersList->setCurrentRow(1);
    m_f.answerer->enterText(typed);
    QLabel *label = nullptr;
    if (field == LoginFile::UserNom) {
        m_f.page->slotNom();
        label = ui()->nomLabel;
    } else if (field == LoginFile::UserEmail) {
        m_f.page->slotEmail();
        label = ui()->emailLabel;
    } else {
        m_f.page->slotTelephone();
        label = ui()->telephoneLabel;
    }
    QVERIFY(m_f.answerer->waitUntilDone());
    QCOMPARE(m_f.list(LoginFile::List(field)).at(1), stored);
    QCOMPARE(label->text(), stored);
    QCOMPARE(m_f.list(LoginFile::List(field)).size(), 2);
}

void AdminEditTest::password_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<int>("errorBoxes");

    QTest::newRow("accepted") << "Abcdefghij" << true << 1 - 1;
    QTest::newRow("refused: lower-case only") << "abcdefghij" << false << 1;
    QTest::newRow("refused: row separator") << "Abcdefghij|" << false << 1;
    QTest::newRow("quote dropped from the stored password") << "Accueil\"2025x" << false << 1;
    QTest::newRow("cancelled or empty: nothing") << "" << false << 0;
}

void AdminEditTest::password()
{
    QFETCH(QString, typed);
    QFETCH(bool, stored);
    QFETCH(int, errorBoxes);
    ui()->usersList->setCurrentRow(1);
    bool blank = false;
    m_f.answerer->answer([&](QDialog *d) {
        auto *edit = d->findChild<QLineEdit *>();
        blank = edit->echoMode() == QLineEdit::Password && edit->text().isEmpty();
        edit->setText(typed);
        d->findChild<QAbstractButton *>(QStringLiteral("valider"))->click();
    });
    for (int i = 0; i < errorBoxes; ++i)
        m_f.answerer->confirm();
    const QByteArray before = bytes(m_f.file());
    m_f.page->slotPassword();
    QVERIFY(m_f.answerer->waitUntilDone());
    QVERIFY(blank);
    QCOMPARE(m_f.list(LoginFile::UserPassword).at(1), stored ? typed : QStringLiteral("Bobby12345X"));
    QCOMPARE(ui()->passwordLabel->text(), stored ? QStringLiteral("**********") : QStringLiteral("****"));
    QCOMPARE(bytes(m_f.file()), before);
    if (errorBoxes)
        QVERIFY(m_f.answerer->texts().last().startsWith(QStringLiteral("Le mot de passe n'est pas valide")));
}

void AdminEditTest::firstUserKeepsType()
{
    ui()->typeChooser->setCurrentText(QStringLiteral("UTILISATEUR"));
    QCOMPARE(m_f.list(LoginFile::UserType).at(0), QStringLiteral("ADMINISTRATEUR"));
    ui()->usersList->setCurrentRow(1);
    ui()->typeChooser->setCurrentText(QStringLiteral("ADMINISTRATEUR"));
    QCOMPARE(m_f.list(LoginFile::UserType).at(1), QStringLiteral("ADMINISTRATEUR"));
}

void AdminEditTest::newUser()
{
    g_messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepMessage);
    m_f.answerer->enterText(QStringLiteral("anna")).confirm();
    run(0);
    qInstallMessageHandler(previous);

    QCOMPARE(texts(ui()->usersList), (QStringList{"alice", "bob", "anna"}));
    QCOMPARE(ui()->usersList->currentRow(), 2);
    const QString password = m_f.list(LoginFile::UserPassword).value(2);
    QVERIFY(QRegularExpression(QStringLiteral("^[A-Za-z0-9]{12}$")).match(password).hasMatch());
    // Not shown before the server holds it.
    QVERIFY(m_f.answerer->texts().at(1).contains("anna") && !m_f.answerer->texts().at(1).contains(password));
    QCOMPARE(m_f.list(LoginFile::UserPermission).at(2), QStringLiteral("0000000000000000;5;3"));
    QCOMPARE(m_f.list(LoginFile::UserType).at(2), QStringLiteral("UTILISATEUR"));
    QCOMPARE(m_f.list(LoginFile::PlayPermission).at(2), QString());
    QCOMPARE(m_f.list(LoginFile::UserTelephone).size(), 3);
    QCOMPARE(ui()->nomLabel->text(), QString());
    QCOMPARE(ui()->passwordLabel->text(), QStringLiteral("**********"));

    // Saved, and written nowhere else: no log line, no debug output.
    g_messages.clear();
    qInstallMessageHandler(keepMessage);
    m_f.answerer->confirm();
    m_f.page->slotValider();
    QVERIFY(m_f.answerer->waitUntilDone());
    qInstallMessageHandler(previous);
    QCOMPARE(m_f.stored("USERLIST"), QStringLiteral("alice|bob|anna"));
    QVERIFY(m_f.stored("USERPASSWORD").endsWith(QLatin1Char('|') + password));
    QCOMPARE(m_f.events, (QStringList{"deploy 0", "button 0"}));
    for (const QString &m : qAsConst(g_messages))
        QVERIFY2(!m.contains(password), qPrintable(m));
    for (const QString &log : QDir(m_f.path("LOG")).entryList(QDir::Files))
        QVERIFY(!bytes(m_f.path("LOG/") + log).contains(password.toLatin1()));

    // The file that holds it read back from the server: shown, once.
    const int shown = m_f.answerer->texts().size();
    m_f.answerer->confirm();
    m_f.page->slotLoginStored();
    QVERIFY(m_f.answerer->waitUntilDone());
    QCOMPARE(m_f.answerer->texts().size(), shown + 1);
    QVERIFY(m_f.answerer->texts().last().contains("anna: " + password));
    m_f.page->slotLoginStored();
    QCOMPARE(m_f.answerer->texts().size(), shown + 1);
}

void AdminEditTest::userCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("user");
    QTest::addColumn<QString>("typed"); // "-" for no keyboard
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("0 add, empty name: nothing") << 0 << 0 << "" << "USERLIST" << "alice|bob";
    QTest::newRow("0 add, name cleaned") << 0 << 0 << "e|v;a" << "USERLIST" << "alice|bob|eva";
    QTest::newRow("1 remove a user") << 1 << 1 << "-" << "USERLIST" << "alice";
    QTest::newRow("1 remove an administrator: refused") << 1 << 0 << "-" << "USERLIST" << "alice|bob";
    QTest::newRow("2 rename") << 2 << 1 << "robert" << "USERLIST" << "alice|robert";
    QTest::newRow("3 grant the chosen playlist") << 3 << 1 << "-" << "PLAYPERMISSION"
                                                 << "Hall;PLAYLIST-promo|Bar;PLAYLIST-promo";
    QTest::newRow("3 grant it again: once") << 3 << 0 << "-" << "PLAYPERMISSION" << "Hall;PLAYLIST-promo|Bar";
    QTest::newRow("4 withdraw it") << 4 << 0 << "-" << "PLAYPERMISSION" << "Hall|Bar";
}

void AdminEditTest::userCodes()
{
    QFETCH(int, code);
    QFETCH(int, user);
    QFETCH(QString, typed);
    QFETCH(QString, key);
    QFETCH(QString, value);
    ui()->usersList->setCurrentRow(user);
    if (typed != QLatin1String("-"))
        m_f.answerer->enterText(typed);
    if (code == 0 && !typed.isEmpty())
        m_f.answerer->confirm(); // the new password
    run(code);
    const LoginFile::List list = key == "USERLIST" ? LoginFile::UserList : LoginFile::PlayPermission;
    QCOMPARE(LoginFile::joinRows(m_f.list(list)), value);
    if (list == LoginFile::UserList)
        QCOMPARE(texts(ui()->usersList), m_f.list(list));
    // Users' rows stay aligned.
    QCOMPARE(m_f.list(LoginFile::UserType).size(), m_f.list(LoginFile::UserList).size());
    QVERIFY(m_f.events.isEmpty());
}

void AdminEditTest::playlistCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("names");
    QTest::addColumn<QStringList>("events");

    QTest::newRow("5 add, cleaned") << 5 << true << QString::fromUtf8("Été 24!") << "PLAYLIST-promo|PLAYLIST-t 24"
                                    << QStringList{"folder 0 PLAYLIST-t 24"};
    QTest::newRow("5 add a taken name: refused") << 5 << true << "promo" << "PLAYLIST-promo" << QStringList{};
    QTest::newRow("5 add a name that cleans to nothing") << 5 << true << QString::fromUtf8("éé") << "PLAYLIST-promo"
                                                         << QStringList{};
    QTest::newRow("5 warning refused") << 5 << false << "-" << "PLAYLIST-promo" << QStringList{};
    QTest::newRow("6 remove") << 6 << true << "-" << "" << QStringList{"folder 3 PLAYLIST-promo"};
    QTest::newRow("7 rename") << 7 << true << "Winter" << "PLAYLIST-Winter"
                              << QStringList{"folder 1 PLAYLIST-promo PLAYLIST-Winter"};
    QTest::newRow("7 rename to the same name: nothing sent") << 7 << true << "promo" << "PLAYLIST-promo"
                                                             << QStringList{};
}

void AdminEditTest::playlistCodes()
{
    QFETCH(int, code);
    QFETCH(bool, accept);
    QFETCH(QString, typed);
    QFETCH(QString, names);
    QFETCH(QStringList, events);
    if (accept)
        m_f.answerer->confirm();
    else
        m_f.answerer->cancel();
    if (typed != QLatin1String("-"))
        m_f.answerer->enterText(typed);
    run(code);
    QCOMPARE(m_f.answerer->texts().first(),
             QStringLiteral("Les changements sur cette opération seront automatiquement enregistrés!!!\nEtes-vous "
                            "sûrs de vouloir continuer?"));
    QCOMPARE(LoginFile::joinRows(m_f.list(LoginFile::PlaylistName)), names);
    QCOMPARE(m_f.events, events);
    QCOMPARE(texts(ui()->playlistsList), m_f.list(LoginFile::PlaylistName));
    QCOMPARE(m_f.list(LoginFile::PlaylistElements).size(), m_f.list(LoginFile::PlaylistName).size());
    // Saved at once when something was asked of the server.
    if (!events.isEmpty())
        QCOMPARE(m_f.stored("PLAYLISTNAME"), names);
    QCOMPARE(m_f.page->playlistEditLocked(), accept);
    QCOMPARE(ui()->back->isEnabled(), !accept);
    QCOMPARE(ui()->playlistChooser->isEnabled(), !names.isEmpty());
}

void AdminEditTest::groupCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("8 add a category") << 8 << 0 << "a;b|c" << "CATEGORYLIST" << "Hall|Bar|abc";
    QTest::newRow("9 remove a category") << 9 << 0 << "-" << "CATEGORYELEMENTS" << "S3";
    QTest::newRow("11 add a box to the category") << 11 << 2 << "-" << "CATEGORYELEMENTS" << "S1;S2;S3|S3";
    QTest::newRow("11 add a box already there") << 11 << 1 << "-" << "CATEGORYELEMENTS" << "S1;S2|S3";
    QTest::newRow("12 remove a box") << 12 << 0 << "-" << "CATEGORYELEMENTS" << "S2|S3";
    QTest::newRow("13 rename the chosen box") << 13 << 1 << "Accueil" << "PLAYERLISTNAME" << "Entrée|Accueil|Bar";
    QTest::newRow("14 add a filter") << 14 << 0 << "Etage" << "FILTRESLIST" << "Rez|Etage";
    QTest::newRow("15 remove the filter") << 15 << 0 << "-" << "FILTRESELEMENTS" << "";
    QTest::newRow("16 rename the filter") << 16 << 0 << "Sol" << "FILTRESLIST" << "Sol";
    QTest::newRow("17 add a box to the filter") << 17 << 1 << "-" << "FILTRESELEMENTS" << "S1;S3;S2";
    QTest::newRow("18 remove a box from the filter") << 18 << 2 << "-" << "FILTRESELEMENTS" << "S1";
}

void AdminEditTest::groupCodes()
{
    QFETCH(int, code);
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(QString, key);
    QFETCH(QString, value);
    ui()->boxChooser->setCurrentIndex(box);
    if (typed != QLatin1String("-"))
        m_f.answerer->enterText(typed);
    run(code);
    int l = 0;
    while (LoginFile::keyName(LoginFile::List(l)) != key)
        ++l;
    QCOMPARE(LoginFile::joinRows(m_f.list(LoginFile::List(l))), value);
    QCOMPARE(m_f.list(LoginFile::CategoryElements).size(), m_f.list(LoginFile::CategoryList).size());
    QCOMPARE(m_f.list(LoginFile::FiltresElements).size(), m_f.list(LoginFile::FiltresList).size());
    QCOMPARE(texts(ui()->boxChooser).size(), 3);
    QVERIFY(m_f.events.isEmpty()); // nothing reaches the server before validate
}

void AdminEditTest::nameOutsideLatin1Refused_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("user added as Lukasz stored with ? and never able to log in") << 0 << "USERLIST" << "alice|bob";
    QTest::newRow("user renamed outside Latin-1") << 2 << "USERLIST" << "alice|bob";
    QTest::newRow("category added outside Latin-1") << 8 << "CATEGORYLIST" << "Hall|Bar";
    QTest::newRow("screen renamed outside Latin-1") << 13 << "PLAYERLISTNAME" << "Entrée|Borne|Bar";
    QTest::newRow("filter added outside Latin-1") << 14 << "FILTRESLIST" << "Rez";
}

void AdminEditTest::nameOutsideLatin1Refused()
{
    QFETCH(int, code);
    QFETCH(QString, key);
    QFETCH(QString, value);
    ui()->usersList->setCurrentRow(1);
    m_f.answerer->enterText(QString::fromUtf8("Łukasz Żółć")).confirm();
    run(code);
    const QString shown = m_f.answerer->texts().last();
    for (const char *c : {"Ł", "Ż", "ł", "ć"})
        QVERIFY2(shown.contains(QString::fromUtf8(c)), qPrintable(shown));
    QVERIFY2(!shown.contains(QString::fromUtf8("ó")), qPrintable(shown));
    QCOMPARE(LoginFile::joinRows(m_f.list(LoginFile::listOf(key))), value);
    QCOMPARE(m_f.list(LoginFile::UserPassword).size(), 2);
    QVERIFY(m_f.events.isEmpty());
}

// A NUL from the server's copy of the login file: the item leaves the row
// when the page loads it, so rights stay editable and savable.
void AdminEditTest::nulInServerRowsDoesNotBlockRights()
{
    ParamList account = kAccount;
    for (auto &kv : account) {
        if (kv.first == "PLAYPERMISSION")
            kv.second = QString("Hall;PLAYLIST-a") + QChar(0) + "b|Bar";
    }
    QVERIFY(writeForeignParams(m_f.file(), account));
    m_f.open();
    QCOMPARE(m_f.list(LoginFile::PlayPermission), (QStringList{"Hall", "Bar"}));
    ui()->usersList->setCurrentRow(1);
    run(3);
    m_f.answerer->confirm();
    m_f.page->slotValider();
    QVERIFY(m_f.answerer->waitUntilDone());
    QCOMPARE(m_f.stored("PLAYPERMISSION"), QString("Hall|Bar;PLAYLIST-promo"));
    QCOMPARE(m_f.events, (QStringList{"deploy 0", "button 0"}));
}

void AdminEditTest::journalRecords()
{
    const QString journal = m_f.path("TEMP/INFOADMIN.orvex");
    m_f.list(LoginFile::PlayPermission)[0] = QStringLiteral("Hall;PLAYLIST-promo;Hall2");
    ui()->categoriesList->setCurrentRow(0);
    m_f.answerer->enterText(QStringLiteral("Entree"));
    run(10);
    ClassParam read;
    QCOMPARE(read.getParamCrypt(journal, QStringLiteral("NBOPERATION"), 0), QStringLiteral("1"));
    QCOMPARE(read.getParamCrypt(journal, QString::fromUtf8("OPERATION n°1"), 0), QStringLiteral("RENOMMER|Hall|Entree|"));
    QCOMPARE(m_f.list(LoginFile::PlayPermission).at(0), QStringLiteral("Entree;PLAYLIST-promo;Hall2"));
    QCOMPARE(texts(ui()->allowedList), (QStringList{"Entree", "PLAYLIST-promo", "Hall2"}));

    m_f.answerer->confirm();
    run(6);
    QCOMPARE(read.getParamCrypt(journal, QStringLiteral("NBOPERATION"), 0), QStringLiteral("2"));
    QCOMPARE(read.getParamCrypt(journal, QString::fromUtf8("OPERATION n°2"), 0),
             QStringLiteral("SUPPRIMER|||PLAYLIST-promo"));
    QCOMPARE(m_f.list(LoginFile::PlayPermission).at(0), QStringLiteral("Entree;Hall2"));

    // Additions and filters are not journalled.
    m_f.answerer->enterText(QStringLiteral("Terrasse"));
    run(8);
    m_f.answerer->enterText(QStringLiteral("Etage"));
    run(14);
    QCOMPARE(read.getParamCrypt(journal, QStringLiteral("NBOPERATION"), 0), QStringLiteral("2"));
}

void AdminEditTest::clickDuringOperationIgnored()
{
    m_f.answerer->answer([this](QDialog *d) {
        ui()->actions.at(9)->click(); // remove a category: must not run
        d->findChild<QLineEdit *>()->setText(QStringLiteral("eva"));
        d->findChild<QAbstractButton *>(QStringLiteral("valider"))->click();
    });
    m_f.answerer->confirm();
    run(0);
    QTest::qWait(300);
    QVERIFY(!m_f.page->listManager()->busy());
    QCOMPARE(m_f.list(LoginFile::CategoryList), (QStringList{"Hall", "Bar"}));
    QCOMPARE(m_f.list(LoginFile::UserList).last(), QStringLiteral("eva"));
}

void AdminEditTest::selectionFormWrites_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("row");
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<bool>("returnKey");
    QTest::addColumn<QString>("expected");

    QTest::newRow("categories replace, playlists stay")
        << 0 << "PLAYLIST-a;Hall;PLAYLIST-b" << QStringList{"Bar"} << false << "PLAYLIST-a;PLAYLIST-b;Bar";
    QTest::newRow("no category: playlists only") << 0 << "PLAYLIST-a;Hall;PLAYLIST-b" << QStringList{} << true
                                                 << "PLAYLIST-a;PLAYLIST-b";
    QTest::newRow("boxes replace the row") << 1 << "S1" << QStringList{"Rez", "Tous", "Entrée [S1]", "Bar [S3]"} << false << "S1;S3";
    QTest::newRow("Return with no box empties the row") << 1 << "S1" << QStringList{} << true << "";
}

void AdminEditTest::selectionFormWrites()
{
    QFETCH(int, id);
    QFETCH(QString, row);
    QFETCH(QStringList, checked);
    QFETCH(bool, returnKey);
    QFETCH(QString, expected);
    const LoginFile::List list = id == 0 ? LoginFile::PlayPermission : LoginFile::PlaylistElements;
    m_f.list(list)[0] = row;
    m_f.answerer->answer(choose(checked, returnKey));
    m_f.page->slotListSerial(id);
    QVERIFY(m_f.answerer->waitUntilDone());
    QCOMPARE(m_f.list(list).at(0), expected);
    QListWidget *detail = id == 0 ? ui()->allowedList : ui()->playlistBoxesList;
    QCOMPARE(texts(detail), LoginFile::items(expected));
}

QTEST_MAIN(AdminEditTest)
#include "tst_adminedit.moc"
