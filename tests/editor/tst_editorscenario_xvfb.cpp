#include "AnimationStackedWidget.h"
#include "ClassMedia.h"
#include "ClassParam.h"
#include "ConsoleFixture.h"
#include "DemoWindow.h"
#include "ModalAnswerer.h"
#include "OperationJournal.h"
#include "PosterPanel.h"
#include "SentMediaRecords.h"
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
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

#include <memory>

// The demo account on a real X server: "Editer" on a poster with a picture
// opens the editor over that picture; a formatted "Bonjour" saved as
// "Promo" gives the pair of files and the hand-over to the media library,
// which lists, journals and announces it; chosen on the poster, then saved
// again, the old picture is retired and the new pair queued for the server.
class TestEditorScenarioXvfb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void editFormatAndSave();
    void libraryTakesTheNewPoster();
    void posterChoosesIt();
    void savingAgainRetiresTheOldPicture();
    void textPictureAnotherPosterShowsIsKept();

private:
    QToolButton *panelButton(const QString &text) const;
    ClassMedia *media() const { return m_window->findChild<ClassMedia *>(); }
    QListWidget *panelTexts() const
    {
        return m_window->panel()->findChild<QListWidget *>(QStringLiteral("listeTextes"));
    }
    QListWidget *libraryTexts() const { return media()->findChild<QListWidget *>(QStringLiteral("listText")); }
    int currentPoster() const;
    void choosePoster(int row);
    void chooseText(const QString &entry);
    QString posterText(int poster) const;
    QStringList journal() const;
    // "Editer" on the current poster, which shows the last saved text poster.
    void editAgain(TextEditSimple *editor);
    // Saves the editor's text under `name` from its tool bar.
    void saveAs(TextEditSimple *editor, const QString &name, const QString &grab = QString());

    DemoWindow m_demo;
    QString m_work;
    ZoManager *m_window = nullptr;
    // "TEXT/Promo-<hhmmss>.png" of the first save.
    QString m_entry;
    std::unique_ptr<QSignalSpy> m_newMedia;
    std::unique_ptr<QSignalSpy> m_toSend;
};

int TestEditorScenarioXvfb::currentPoster() const
{
    return m_window->panel()->findChild<QListWidget *>(QStringLiteral("posterList"))->currentRow();
}

void TestEditorScenarioXvfb::choosePoster(int row)
{
    auto *posters = m_window->panel()->findChild<QListWidget *>(QStringLiteral("posterList"));
    QListWidgetItem *item = posters->item(row);
    QVERIFY(item);
    posters->scrollToItem(item);
    QTest::mouseClick(posters->viewport(), Qt::LeftButton, {}, posters->visualItemRect(item).center());
    QTRY_COMPARE(posters->currentRow(), row);
    QTRY_VERIFY(!m_window->panel()->posterPanel()->selectionPending());
}

void TestEditorScenarioXvfb::chooseText(const QString &entry)
{
    QListWidget *texts = panelTexts();
    QListWidgetItem *item = texts->findItems(entry.mid(5), Qt::MatchExactly).value(0);
    QVERIFY(item);
    texts->scrollToItem(item);
    QTest::mouseClick(texts->viewport(), Qt::LeftButton, {}, texts->visualItemRect(item).center());
    QTRY_COMPARE(texts->currentItem(), item);
    QTRY_COMPARE(posterText(currentPoster()), entry);
}

QString TestEditorScenarioXvfb::posterText(int poster) const
{
    ClassParam player;
    return player.getParamCrypt(m_work + QStringLiteral("/DATA/PLAYER.orvex"), QStringLiteral("SLIDENAMETXT"), 0)
        .split(QLatin1Char('|'))
        .value(poster);
}

QStringList TestEditorScenarioXvfb::journal() const
{
    // A run that already went keeps its records aside until a later fetch
    // of the server's index shows them.
    ClassParam param;
    QStringList records;
    const QString file = m_work + QStringLiteral("/TEMP/INFOMEDIA.orvex");
    const int count = param.getParamCrypt(file, OperationJournal::countKey(), 0).toInt();
    for (int k = 1; k <= count; ++k)
        records.append(param.getParamCrypt(file, OperationJournal::recordKey(k), 0));
    for (const QStringList &fields : SentMediaRecords::records(m_work + '/'))
        records.append(fields.join(QLatin1Char('|')));
    return records;
}

void TestEditorScenarioXvfb::editAgain(TextEditSimple *editor)
{
    // A stamp of its own: the saves are a second apart at least.
    QTest::qWait(1100);
    // The media deployment of the last save keeps the button off until it ends.
    QTRY_VERIFY_WITH_TIMEOUT(panelButton(QStringLiteral("Editer"))->isEnabled(), 15000);
    QTest::mouseClick(panelButton(QStringLiteral("Editer")), Qt::LeftButton);
    QTRY_COMPARE(m_window->stack()->currentWidget(), static_cast<QWidget *>(editor));
    QTRY_VERIFY(!m_window->stack()->isSliding());
    QCOMPARE(editor->currentName(), m_entry.mid(5).chopped(4));
}

void TestEditorScenarioXvfb::saveAs(TextEditSimple *editor, const QString &name, const QString &grab)
{
    ModalAnswerer keyboard;
    if (!grab.isEmpty())
        keyboard.grabAs(grab);
    keyboard.enterText(name);
    TextFormatBar *bar = editor->formatBar();
    QTest::mouseClick(bar->widgetForAction(bar->saveAction()), Qt::LeftButton);
    QVERIFY(keyboard.waitUntilDone());
    QVERIFY2(keyboard.done(), qPrintable(keyboard.errors().join('\n')));
    QCOMPARE(keyboard.texts().first(), QStringLiteral("Entrer le nom du fichier:"));
}

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
    m_newMedia.reset(new QSignalSpy(media(), &ClassMedia::signalNewMedia));
    m_toSend.reset(new QSignalSpy(media(), &ClassMedia::signalMediaToSend));
    saveAs(editor, QStringLiteral("Promo"), QStringLiteral("editor-name-keyboard.png"));
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(saved.count(), 1);
    QCOMPARE(saved.first().at(0).toString(), QString());
    const QString entry = saved.first().at(1).toString();
    m_entry = entry;
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

void TestEditorScenarioXvfb::libraryTakesTheNewPoster()
{
    QVERIFY(!m_entry.isEmpty());
    const QString picture = m_entry.mid(5);
    const QString text = QString(m_entry).replace(QStringLiteral(".png"), QStringLiteral(".txt"));

    // The library's send machine runs on its 50 ms timer.
    QTRY_COMPARE(libraryTexts()->findItems(picture, Qt::MatchExactly).size(), 1);
    QTRY_COMPARE(m_newMedia->count(), 1);
    QCOMPARE(m_newMedia->first().at(0).toInt(), 2);
    QCOMPARE(m_newMedia->first().at(1).toString(), picture);
    QCOMPARE(panelTexts()->findItems(picture, Qt::MatchExactly).size(), 1);

    const QStringList records = journal();
    const auto recorded = [&](const QString &path) {
        for (const QString &r : records) {
            if (r.startsWith(QStringLiteral("AJOUTER|") + path + QLatin1Char('|')))
                return true;
        }
        return false;
    };
    QVERIFY2(recorded(m_entry), qPrintable(records.join('\n')));
    QVERIFY2(recorded(text), qPrintable(records.join('\n')));

    // A new text poster is handed to synchronisation at once.
    QTRY_COMPARE(m_toSend->count(), 1);
    QCOMPARE(m_toSend->first().at(4).toStringList(), (QStringList{m_entry, text}));
    QCOMPARE(m_toSend->first().at(5).toStringList(), QStringList());
}

void TestEditorScenarioXvfb::posterChoosesIt()
{
    QVERIFY(!m_entry.isEmpty());
    chooseText(m_entry);
}

void TestEditorScenarioXvfb::savingAgainRetiresTheOldPicture()
{
    QVERIFY(!m_entry.isEmpty());
    const QString oldPicture = m_entry.mid(5);
    auto *editor = m_window->findChild<TextEditSimple *>();
    editAgain(editor);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(editor->textArea()->toPlainText().contains(QStringLiteral("Bonjour")));

    QSignalSpy saved(editor, &TextEditSimple::signalNewImageTexte);
    QSignalSpy removed(media(), &ClassMedia::signalSupprimeMedia);
    m_newMedia->clear();
    m_toSend->clear();
    saveAs(editor, QStringLiteral("Promo"));
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(saved.count(), 1);
    QCOMPARE(saved.first().at(0).toString(), oldPicture);
    const QString entry = saved.first().at(1).toString();
    QVERIFY(entry != m_entry);
    const QString picture = entry.mid(5);
    const QString text = QString(entry).replace(QStringLiteral(".png"), QStringLiteral(".txt"));
    QTRY_COMPARE(m_window->stack()->currentIndex(), 0);

    // The new picture is announced before the old one leaves; the poster
    // that showed the old one takes the new one.
    QTRY_COMPARE(removed.count(), 1);
    QCOMPARE(m_newMedia->count(), 1);
    QCOMPARE(m_newMedia->first().at(1).toString(), picture);
    QCOMPARE(removed.first().at(0).toInt(), 2);
    QCOMPARE(removed.first().at(1).toString(), oldPicture);
    QVERIFY(!QFile::exists(m_work + QLatin1Char('/') + m_entry));
    QVERIFY(libraryTexts()->findItems(oldPicture, Qt::MatchExactly).isEmpty());
    QVERIFY(panelTexts()->findItems(oldPicture, Qt::MatchExactly).isEmpty());
    QCOMPARE(libraryTexts()->findItems(picture, Qt::MatchExactly).size(), 1);
    QTRY_COMPARE(posterText(currentPoster()), entry);
    const QStringList records = journal();
    const QRegularExpression retired(
        QStringLiteral("^SUPPRIMER\\|TEXT/%1\\|").arg(QRegularExpression::escape(oldPicture)));
    QVERIFY2(records.filter(retired).size() == 1, qPrintable(records.join('\n')));

    // The removal hands the new pair and the removed one to synchronisation
    // at once; leaving the library then has nothing more to queue.
    QTRY_COMPARE(m_toSend->count(), 1);
    const QStringList queued = m_toSend->first().at(4).toStringList();
    QVERIFY2(queued.contains(entry) && queued.contains(text), qPrintable(queued.join(' ')));
    QVERIFY(!queued.contains(m_entry));
    QCOMPARE(m_toSend->first().at(5).toStringList(),
             (QStringList{oldPicture, QString(oldPicture).replace(QStringLiteral(".png"), QStringLiteral(".txt"))}));
    m_window->slotButtons(3);
    QTRY_COMPARE(m_window->stack()->currentWidget(), static_cast<QWidget *>(media()));
    QTRY_VERIFY(!m_window->stack()->isSliding());
    QTest::mouseClick(media()->findChild<QPushButton *>(QStringLiteral("btBack")), Qt::LeftButton);
    QTRY_COMPARE(m_toSend->count(), 2);
    QCOMPARE(m_toSend->last().at(4).toStringList(), QStringList());
    QCOMPARE(m_toSend->last().at(5).toStringList(), QStringList());
    m_entry = entry;
    QTRY_COMPARE(m_window->stack()->currentIndex(), 0);
}

// The text picture of the edited poster is also shown by a second poster:
// saving the text again must not delete the file that poster still names.
void TestEditorScenarioXvfb::textPictureAnotherPosterShowsIsKept()
{
    QVERIFY(!m_entry.isEmpty());
    const QString oldPicture = m_entry.mid(5);
    QTRY_COMPARE(m_window->stack()->currentIndex(), 0);
    QTRY_VERIFY(!m_window->stack()->isSliding());
    const int edited = currentPoster();
    const int other = edited == 1 ? 2 : 1;
    choosePoster(other);
    chooseText(m_entry);
    choosePoster(edited);
    QCOMPARE(posterText(other), m_entry);
    QCOMPARE(posterText(edited), m_entry);

    auto *editor = m_window->findChild<TextEditSimple *>();
    editAgain(editor);
    if (QTest::currentTestFailed())
        return;

    QSignalSpy saved(editor, &TextEditSimple::signalNewImageTexte);
    QSignalSpy removed(media(), &ClassMedia::signalSupprimeMedia);
    m_newMedia->clear();
    ModalAnswerer dialogs;
    dialogs.enterText(QStringLiteral("Promo"));
    TextFormatBar *bar = editor->formatBar();
    QTest::mouseClick(bar->widgetForAction(bar->saveAction()), Qt::LeftButton);
    QVERIFY(dialogs.waitUntilDone());
    QVERIFY2(dialogs.done(), qPrintable(dialogs.errors().join('\n')));
    QCOMPARE(saved.count(), 1);
    QCOMPARE(saved.first().at(0).toString(), oldPicture);
    const QString picture = saved.first().at(1).toString().mid(5);

    QTRY_COMPARE(m_newMedia->count(), 1);
    QCOMPARE(m_newMedia->first().at(1).toString(), picture);
    // The edited poster moves to the new picture without an alarming box;
    // the other poster keeps the old one, still on disk and listed.
    QTRY_COMPARE(removed.count(), 1);
    QTRY_COMPARE(posterText(edited), QStringLiteral("TEXT/") + picture);
    QTest::qWait(300);
    QCOMPARE(dialogs.unexpected(), 0);
    QCOMPARE(dialogs.answered(), 1);
    QVERIFY(QFile::exists(m_work + QLatin1Char('/') + m_entry));
    QCOMPARE(libraryTexts()->findItems(oldPicture, Qt::MatchExactly).size(), 1);
    QCOMPARE(panelTexts()->findItems(oldPicture, Qt::MatchExactly).size(), 1);
    QCOMPARE(libraryTexts()->findItems(picture, Qt::MatchExactly).size(), 1);
    QCOMPARE(posterText(other), m_entry);
}

QTEST_MAIN(TestEditorScenarioXvfb)
#include "tst_editorscenario_xvfb.moc"
