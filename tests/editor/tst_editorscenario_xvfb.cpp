#include "AnimationStackedWidget.h"
#include "ConsoleFixture.h"
#include "DemoWindow.h"
#include "ModalAnswerer.h"
#include "PosterPanel.h"
#include "TextEditSimple.h"
#include "TextFormatBar.h"
#include "ZoManager.h"
#include "ZoScreenshot.h"
#include "classPrincipal.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QListWidget>
#include <QSignalSpy>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

// The demo account on a real X server: "Editer" on a poster with a picture
// opens the editor over that picture; a formatted "Bonjour" saved as
// "Promo" gives the pair of files and the hand-over to the media library.
class TestEditorScenarioXvfb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void editFormatAndSave();

private:
    QToolButton *panelButton(const QString &text) const;

    DemoWindow m_demo;
    QString m_work;
    ZoManager *m_window = nullptr;
};

void TestEditorScenarioXvfb::initTestCase()
{
    QVERIFY(m_demo.prepare());
    m_work = m_demo.work();
}

QToolButton *TestEditorScenarioXvfb::panelButton(const QString &text) const
{
    for (QToolButton *b : m_window->panel()->findChildren<QToolButton *>()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

void TestEditorScenarioXvfb::editFormatAndSave()
{
    QVERIFY(m_demo.showFirstScreen());
    m_window = m_demo.window();

    auto *editor = m_window->findChild<TextEditSimple *>();
    QVERIFY(editor);
    QToolButton *edit = panelButton(QStringLiteral("Editer"));
    QVERIFY(edit && edit->isVisible() && edit->isEnabled());
    QTest::mouseClick(edit, Qt::LeftButton);
    QTRY_COMPARE(m_window->stack()->currentWidget(), static_cast<QWidget *>(editor));
    QTRY_VERIFY(!m_window->stack()->isSliding());
    QCOMPARE(editor->currentName(), QStringLiteral("Texte"));
    QVERIFY(!editor->pictureLabel()->pixmap(Qt::ReturnByValue).isNull());

    // Type and format through the tool bar, as a user would.
    QTextEdit *area = editor->textArea();
    QTest::mouseClick(area->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::keyClicks(area, QStringLiteral("Bonjour"));
    QTest::keyClick(area, Qt::Key_Return);
    QTest::keyClicks(area, QStringLiteral("Promo du jour -20 %"));
    area->selectAll();
    TextFormatBar *bar = editor->formatBar();
    bar->boldAction()->trigger();
    bar->sizeList()->lineEdit()->setText(QStringLiteral("60"));
    QTest::keyClick(bar->sizeList()->lineEdit(), Qt::Key_Return);
    bar->centerAction()->trigger();
    {
        ModalAnswerer colour;
        colour.answer([](QDialog *d) {
            static_cast<QColorDialog *>(d)->setCurrentColor(QColor(255, 214, 0));
            d->accept();
        });
        bar->colorAction()->trigger();
        QVERIFY(colour.waitUntilDone());
        QVERIFY(colour.done());
    }
    QTextCursor cursor = area->textCursor();
    cursor.setPosition(3);
    area->setTextCursor(cursor);
    QTest::qWait(300);
    QVERIFY(saveScreenshot(m_window, QStringLiteral("editor-page.png")));

    QSignalSpy saved(editor, &TextEditSimple::signalNewImageTexte);
    ModalAnswerer keyboard;
    keyboard.grabAs(QStringLiteral("editor-name-keyboard.png")).enterText(QStringLiteral("Promo"));
    QTest::mouseClick(bar->widgetForAction(bar->saveAction()), Qt::LeftButton);
    QVERIFY(keyboard.waitUntilDone());
    QVERIFY2(keyboard.done(), qPrintable(keyboard.errors().join('\n')));
    QCOMPARE(keyboard.texts().first(), QStringLiteral("Entrer le nom du fichier:"));

    QCOMPARE(saved.count(), 1);
    QCOMPARE(saved.first().at(0).toString(), QString());
    const QString entry = saved.first().at(1).toString();
    QVERIFY2(QRegularExpression(QStringLiteral("^TEXT/Promo-\\d{6}\\.png$")).match(entry).hasMatch(), qPrintable(entry));
    const QImage picture(m_work + QLatin1Char('/') + entry);
    QCOMPARE(picture.size(), QSize(1920, 1080));
    const QString shots = qEnvironmentVariable("ZO_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        // The layer over a grey ground, to look at what the box will show.
        QImage over(picture.size(), QImage::Format_RGB32);
        over.fill(QColor(90, 90, 90));
        QPainter(&over).drawImage(0, 0, picture);
        QVERIFY(over.save(shots + QStringLiteral("/editor-text-layer.png")));
    }
    QFile html(m_work + QLatin1Char('/') + QString(entry).replace(QStringLiteral(".png"), QStringLiteral(".txt")));
    QVERIFY(html.open(QIODevice::ReadOnly));
    const QByteArray text = html.readAll();
    QVERIFY(text.contains("Bonjour"));
    QVERIFY(text.contains("font-size:60pt"));
    QVERIFY(text.contains("align=\"center\""));
    QTRY_COMPARE(m_window->stack()->currentIndex(), 0);
}

QTEST_MAIN(TestEditorScenarioXvfb)
#include "tst_editorscenario_xvfb.moc"
