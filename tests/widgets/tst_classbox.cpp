#include "AppGlobals.h"
#include "ClassBox.h"
#include "ModalAnswerer.h"
#include "ZoScreenshot.h"
#include "ZoTestInit.h"
#include "classVersion.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

// Message form of ClassBox: result codes, layouts by type, geometry and the
// password type with its keypad.
class ClassBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void resultCode_data();
    void resultCode();
    void closedWithoutAnswerReadsAsCancel();
    void otherKeysDoNothing();
    void keyboardGoesToTheBand_data();
    void keyboardGoesToTheBand();
    void layoutByType_data();
    void layoutByType();
    void geometryAndFont_data();
    void geometryAndFont();
    void password_data();
    void password();
    void looks_data();
    void looks();

private:
    // The window the band is laid over, styled like the top window.
    std::unique_ptr<QWidget> m_host;
};

void ClassBoxTest::initTestCase()
{
    zoInitWidgetTest();
}

void ClassBoxTest::init()
{
    m_host.reset(new QWidget);
    m_host->setStyleSheet(classVersion().Style());
    m_host->resize(1280, 720);
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host.get()));
}

void ClassBoxTest::cleanup()
{
    m_host.reset();
    FontRatio = 1.0f;
}

void ClassBoxTest::resultCode_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("expected");

    QTest::newRow("information, confirm") << 1 << "valider" << 0;
    QTest::newRow("information, Return") << 1 << "Return" << 0;
    QTest::newRow("information, Enter") << 1 << "Enter" << 0;
    QTest::newRow("information, Escape") << 1 << "Escape" << 1;
    QTest::newRow("question, confirm") << 2 << "valider" << 0;
    QTest::newRow("question, cancel") << 2 << "annuler" << 1;
    QTest::newRow("question, Return") << 2 << "Return" << 0;
    QTest::newRow("question, Enter") << 2 << "Enter" << 0;
    QTest::newRow("question, Escape") << 2 << "Escape" << 1;
    QTest::newRow("warning, Enter") << 3 << "Enter" << 0;
    QTest::newRow("warning, Escape") << 3 << "Escape" << 1;
    QTest::newRow("error, confirm") << 4 << "valider" << 0;
    QTest::newRow("error, Escape") << 4 << "Escape" << 1;
    QTest::newRow("unknown type 7, Return") << 7 << "Return" << 0;
    QTest::newRow("unknown type 0, Escape") << 0 << "Escape" << 1;
}

void ClassBoxTest::resultCode()
{
    QFETCH(int, type);
    QFETCH(QString, answer);
    QFETCH(int, expected);

    ModalAnswerer answerer;
    if (answer == QLatin1String("Return"))
        answerer.pressKey(Qt::Key_Return);
    else if (answer == QLatin1String("Enter"))
        answerer.pressKey(Qt::Key_Enter);
    else if (answer == QLatin1String("Escape"))
        answerer.pressKey(Qt::Key_Escape);
    else
        answerer.clickButton(answer);

    auto *box = new ClassBox(QStringLiteral("Message"), type, 1280, 720, m_host.get());
    box->exec();
    QCOMPARE(box->text(), expected);
    delete box;
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join('\n')));
    QCOMPARE(answerer.texts(), QStringList{QStringLiteral("Message")});
}

void ClassBoxTest::closedWithoutAnswerReadsAsCancel()
{
    // Callers act on 0 as a confirmation: a box closed by anything else
    // (its parent, a time-out) must never read as one.
    ClassBox idle(QStringLiteral("Jamais montrée"), 2, 1280, 720, m_host.get());
    QCOMPARE(idle.text(), 1);

    ModalAnswerer answerer;
    answerer.answer([](QDialog *d) { d->close(); });
    auto *box = new ClassBox(QStringLiteral("Fermée"), 2, 1280, 720, m_host.get());
    box->exec();
    QCOMPARE(box->text(), 1);
    delete box;
    QVERIFY(answerer.done());
}

void ClassBoxTest::otherKeysDoNothing()
{
    ClassBox box(QStringLiteral("Message"), 2, 1280, 720, m_host.get());
    box.show();
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Space, Qt::Key_Tab, Qt::Key_Backspace, Qt::Key_F1}) {
        QTest::keyClick(&box, key);
        QVERIFY2(!box.isHidden(), qPrintable(QString::number(key, 16)));
    }
    QCOMPARE(box.text(), 1);
}

void ClassBoxTest::keyboardGoesToTheBand_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");

    QTest::newRow("Return") << int(Qt::Key_Return) << 0;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 1;
}

void ClassBoxTest::keyboardGoesToTheBand()
{
    QFETCH(int, key);
    QFETCH(int, expected);

    // A page with a focused field under the band: the keys typed while the
    // box is open must answer the box, not edit the page.
    auto *field = new QLineEdit(m_host.get());
    field->show();
    QApplication::setActiveWindow(m_host.get());
    field->setFocus();
    QTRY_VERIFY(field->hasFocus());

    ModalAnswerer answerer;
    answerer.answer([key](QDialog *d) {
        QWidget *target = QApplication::focusWidget();
        QTest::keyClick(target ? target : d->window(), Qt::Key(key));
        QTest::keyClick(target ? target : d->window(), Qt::Key_X);
        if (!d->isHidden())
            d->close();
    });
    auto *box = new ClassBox(QStringLiteral("Message"), 2, 1280, 720, m_host.get());
    box->exec();
    QCOMPARE(box->text(), expected);
    delete box;
    QCOMPARE(field->text(), QString());
}

void ClassBoxTest::layoutByType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<bool>("cancelShown");

    QTest::newRow("information") << 1 << ":/images/information.png" << false;
    QTest::newRow("question") << 2 << ":/images/interrogation.png" << true;
    QTest::newRow("warning") << 3 << ":/images/warning.png" << false;
    QTest::newRow("error") << 4 << ":/images/erreur.png" << false;
    QTest::newRow("type 0 has no picture") << 0 << "" << false;
    QTest::newRow("type 7 has no picture") << 7 << "" << false;
}

void ClassBoxTest::layoutByType()
{
    QFETCH(int, type);
    QFETCH(QString, picture);
    QFETCH(bool, cancelShown);

    ClassBox box(QStringLiteral("Ligne 1\nLigne 2"), type, 1280, 720, m_host.get());
    box.show();
    QCoreApplication::processEvents();

    auto *confirm = box.findChild<QPushButton *>(QStringLiteral("valider"));
    auto *cancel = box.findChild<QPushButton *>(QStringLiteral("annuler"));
    QVERIFY(confirm && cancel);
    QVERIFY(confirm->isVisible());
    QCOMPARE(cancel->isVisible(), cancelShown);
    if (cancelShown) {
        QVERIFY(cancel->geometry().right() < confirm->geometry().left());
    } else {
        // Alone on its row, the confirm button spans both columns.
        QVERIFY(confirm->width() > box.width() / 2);
    }

    auto *text = box.findChild<QLabel *>(QStringLiteral("texte"));
    QVERIFY(text);
    QCOMPARE(text->text(), QStringLiteral("Ligne 1\nLigne 2"));
    QVERIFY(!text->wordWrap());

    QList<QLabel *> pictures;
    for (QLabel *label : box.findChildren<QLabel *>()) {
        const QPixmap shown = label->pixmap(Qt::ReturnByValue);
        if (!shown.isNull() && shown.width() < 100)
            pictures.append(label);
    }
    if (picture.isEmpty() || QFile::exists(picture))
        QCOMPARE(pictures.size(), picture.isEmpty() ? 0 : 1);
}

void ClassBoxTest::geometryAndFont_data()
{
    QTest::addColumn<float>("ratio");
    QTest::addColumn<int>("height");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<int>("pictureSide");

    QTest::newRow("720 high") << 1.0f << 720 << QRect(0, 240, 1280, 240) << 15 << 72;
    QTest::newRow("720 high, ratio 1.3") << 1.3f << 720 << QRect(0, 240, 1280, 240) << 19 << 72;
    QTest::newRow("800 high") << 1.0f << 800 << QRect(0, 266, 1280, 266) << 16 << 80;
    QTest::newRow("tiny area keeps a usable font") << 1.0f << 30 << QRect(0, 10, 1280, 10) << 1 << 3;
}

void ClassBoxTest::geometryAndFont()
{
    QFETCH(float, ratio);
    QFETCH(int, height);
    QFETCH(QRect, geometry);
    QFETCH(int, pointSize);
    QFETCH(int, pictureSide);

    FontRatio = ratio;
    ClassBox box(QStringLiteral("Message"), 1, 1280, height, m_host.get());
    QCOMPARE(box.geometry(), geometry);
    QVERIFY(!box.isWindow());
    auto *text = box.findChild<QLabel *>(QStringLiteral("texte"));
    QCOMPARE(text->font().pointSize(), pointSize);
    QCOMPARE(text->font().family(), QStringLiteral("Avenir"));
    QVERIFY(text->font().bold());
    if (QFile::exists(QStringLiteral(":/images/information.png"))) {
        bool found = false;
        for (QLabel *label : box.findChildren<QLabel *>())
            found = found || label->pixmap(Qt::ReturnByValue).size() == QSize(pictureSide, pictureSide);
        QVERIFY(found);
    }
}

void ClassBoxTest::password_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<int>("expected");

    QTest::newRow("typed and confirmed") << "4321" << true << 0;
    QTest::newRow("typed and cancelled") << "4321" << false << 1;
    QTest::newRow("nothing typed") << "" << true << 0;
}

void ClassBoxTest::password()
{
    QFETCH(QString, typed);
    QFETCH(bool, confirm);
    QFETCH(int, expected);

    ModalAnswerer answerer;
    answerer.enterText(typed);
    if (confirm && !typed.isEmpty())
        answerer.grabAs(QStringLiteral("box-password.png")).confirm();
    else if (confirm)
        answerer.confirm();
    else
        answerer.cancel();

    // The keypad runs inside the constructor, before the box is shown.
    auto *box = new ClassBox(QStringLiteral("Identifiez-vous"), 10, 1280, 720, m_host.get());
    QCOMPARE(answerer.classNames(), QStringList{QStringLiteral("NumClavier")});
    QCOMPARE(answerer.texts(), QStringList{QStringLiteral("Mot de passe")});
    box->exec();
    QCOMPARE(box->text(), expected);
    QCOMPARE(box->password(), typed);

    auto *caption = box->findChild<QPushButton *>(QStringLiteral("motDePasse"));
    QVERIFY(caption && caption->isVisibleTo(box));
    QCOMPARE(caption->text().size(), typed.size());
    if (!typed.isEmpty())
        QVERIFY2(!caption->text().contains(typed), "the password shows in clear");
    delete box;
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join('\n')));
}

void ClassBoxTest::looks_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("file");

    QTest::newRow("information") << 1 << "Déploiement terminé avec succés!!" << "box-info.png";
    QTest::newRow("question") << 2 << "Voulez-vous vraiment supprimer cette affiche ?" << "box-question.png";
    QTest::newRow("warning") << 3 << "L'espace de stockage est presque plein." << "box-warning.png";
    QTest::newRow("error") << 4
                           << "Problème de connexion au serveur(type n°4) | \n"
                              "Veuillez vérifier votre connexion internet!!!"
                           << "box-error.png";
}

void ClassBoxTest::looks()
{
    QFETCH(int, type);
    QFETCH(QString, message);
    QFETCH(QString, file);

    ClassBox box(message, type, 1280, 720, m_host.get());
    box.show();
    QCoreApplication::processEvents();
    QVERIFY(saveScreenshot(&box, file));
}

QTEST_MAIN(ClassBoxTest)
#include "tst_classbox.moc"
