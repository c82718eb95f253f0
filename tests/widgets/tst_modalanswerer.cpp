#include "ClassBox.h"
#include "ModalAnswerer.h"
#include "ZoTestInit.h"

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <memory>

// The shared helper that every page test uses to answer modal dialogs: it
// must never hang a test, and must reach dialogs opened from inside others.
class ModalAnswererTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void unexpectedDialogIsCancelled();
    void disabledButtonIsReported();
    void dialogOpenedByAnAnswer();
    void messageBoxAndLaterDialogs();
};

void ModalAnswererTest::initTestCase()
{
    zoInitWidgetTest();
}

void ModalAnswererTest::unexpectedDialogIsCancelled()
{
    ModalAnswerer answerer;
    ClassBox box(QStringLiteral("Personne ne répond"), 2, 1280, 720, nullptr);
    box.exec();
    QCOMPARE(box.text(), 1);
    QCOMPARE(answerer.unexpected(), 1);
    QVERIFY(!answerer.done());
    QCOMPARE(answerer.texts(), QStringList{QStringLiteral("Personne ne répond")});
}

void ModalAnswererTest::disabledButtonIsReported()
{
    ModalAnswerer answerer;
    answerer.confirm();
    ClassBox box(QStringList{"A"}, QStringList{"s1"}, QString(), QStringList{"s1"}, QStringList{"Hall"},
                 QString(), 1280, 720, 0, nullptr);
    box.exec();
    QCOMPARE(box.text(), 1);
    QCOMPARE(answerer.errors().size(), 1);
    QVERIFY(answerer.errors().first().contains(QLatin1String("disabled")));
}

void ModalAnswererTest::dialogOpenedByAnAnswer()
{
    // Confirming the first box opens a second one before the first returns.
    QWidget host;
    host.resize(1280, 720);
    int inner = -1;
    auto *outer = new ClassBox(QStringLiteral("Supprimer ?"), 2, 1280, 720, &host);
    QObject::connect(outer->findChild<QPushButton *>(QStringLiteral("valider")), &QPushButton::clicked, [&] {
        ClassBox again(QStringLiteral("Vraiment ?"), 2, 1280, 720, &host);
        again.exec();
        inner = again.text();
    });

    ModalAnswerer answerer;
    answerer.confirm().cancel();
    host.show();
    outer->exec();
    QCOMPARE(outer->text(), 0);
    QCOMPARE(inner, 1);
    delete outer;
    QVERIFY(answerer.done());
    QCOMPARE(answerer.texts(), (QStringList{"Supprimer ?", "Vraiment ?"}));
}

void ModalAnswererTest::messageBoxAndLaterDialogs()
{
    // Dialogs opened later by a timer, as the step machines do.
    ModalAnswerer answerer;
    answerer.answer([](QDialog *d) { static_cast<QMessageBox *>(d)->button(QMessageBox::Yes)->click(); });
    answerer.pressKey(Qt::Key_Return);
    int first = 0;
    int second = -1;
    QTimer::singleShot(10, [&] {
        first = QMessageBox::question(nullptr, QStringLiteral("ZoManager"), QStringLiteral("Quitter ?"));
        ClassBox box(QStringLiteral("Au revoir"), 1, 1280, 720, nullptr);
        box.exec();
        second = box.text();
    });
    QVERIFY(answerer.waitUntilDone());
    QCOMPARE(first, int(QMessageBox::Yes));
    QCOMPARE(second, 0);
    QVERIFY(answerer.done());
    QCOMPARE(answerer.classNames(), (QStringList{"QMessageBox", "ClassBox"}));
}

QTEST_MAIN(ModalAnswererTest)
#include "tst_modalanswerer.moc"
