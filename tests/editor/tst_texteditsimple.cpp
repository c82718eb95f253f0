#include "EditorFixture.h"
#include "ModalAnswerer.h"
#include "TextFormatBar.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTextEdit>
#include <QWindow>
#include <QtTest>

// The editor page offscreen: loading a poster, layout, leaving, saving and
// the formatting tool bar.
class TestTextEditSimple : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void load_data();
    void load();
    void faintPictureClearsThePrevious_data();
    void faintPictureClearsThePrevious();
    void geometry_data();
    void geometry();
    void leave_data();
    void leave();
    void closeRefused();

    void save_data();
    void save();
    void emptyNameIsNotSaved();
    void cancelledNameSavesNothing_data();
    void cancelledNameSavesNothing();
    void emptyTextLeavesWithoutSaving();
    void writeFailureKeepsThePage();
    void savedPicture_data();
    void savedPicture();
    void deleteNamesCurrentPicture_data();
    void deleteNamesCurrentPicture();

    void formatsReachHtml_data();
    void formatsReachHtml();
    void sizeIgnoresNonPositive_data();
    void sizeIgnoresNonPositive();
    void boldWithoutSelection();
    void backgroundColourSwatch();
    void toolBarFollowsCursor();

private:
    // Saves through the tool bar's "&Sauvegarder" with `typed` on the keyboard;
    // returns the text the keyboard offered.
    QString saveAs(const QString &typed);
    QString savedFile(const QSignalSpy &spy, const char *extension) const;
    static QColor swatchColour(QAction *action);

    std::unique_ptr<EditorFixture> m_fixture;
    std::unique_ptr<TextEditSimple> m_page;
};

void TestTextEditSimple::initTestCase()
{
    zoInitWidgetTest();
    Q_INIT_RESOURCE(qml);
}

void TestTextEditSimple::init()
{
    m_fixture.reset(new EditorFixture);
    m_page = m_fixture->makePage();
}

void TestTextEditSimple::cleanup()
{
    m_page.reset();
    m_fixture.reset();
}

QString TestTextEditSimple::saveAs(const QString &typed)
{
    QString offered;
    ModalAnswerer answerer;
    answerer.answer([&offered, typed](QDialog *d) {
        auto *edit = d->findChild<QLineEdit *>();
        offered = edit->text();
        edit->setText(typed);
        d->findChild<QAbstractButton *>(QStringLiteral("valider"))->click();
    });
    m_page->formatBar()->saveAction()->trigger();
    answerer.waitUntilDone();
    if (!answerer.done())
        qWarning() << answerer.errors();
    return offered;
}

QString TestTextEditSimple::savedFile(const QSignalSpy &spy, const char *extension) const
{
    if (spy.isEmpty())
        return QString();
    QString entry = spy.last().at(1).toString();
    entry.replace(QStringLiteral(".png"), QLatin1String(extension));
    return m_fixture->work() + entry;
}

QColor TestTextEditSimple::swatchColour(QAction *action)
{
    return action->icon().pixmap(8, 8).toImage().pixelColor(4, 4);
}

void TestTextEditSimple::load_data()
{
    QTest::addColumn<QStringList>("record");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("picture");
    QTest::addColumn<bool>("modified");

    QTest::newRow("new poster") << EditorFixture::record(QString(), QString()) << "Texte" << "" << false << false;
    QTest::newRow("saved text poster") << EditorFixture::record(QString(), "TEXT/Promo-093012.png")
                                       << "Promo-093012" << "Bonjour" << false << false;
    QTest::newRow("missing text file keeps the name") << EditorFixture::record(QString(), "TEXT/Vide-101010.png")
                                                      << "Vide-101010" << "" << false << false;
    QTest::newRow("dot in the name: found by the last dot")
        << EditorFixture::record(QString(), "TEXT/a.b-093012.png") << "a.b-093012" << "Ancien" << false << false;
    QTest::newRow("drawn picture counted as an edit") << EditorFixture::record("IMAGE/fond.png", QString())
                                                      << "Texte" << "" << true << false;
    QTest::newRow("opacity 10 still draws") << EditorFixture::record("IMAGE/fond.png", QString(), "10") << "Texte"
                                            << "" << true << false;
    QTest::newRow("missing picture, tried at a visible opacity")
        << EditorFixture::record("IMAGE/absent.png", QString()) << "Texte" << "" << false << false;
    QTest::newRow("loaded text and picture counted as an edit")
        << EditorFixture::record("IMAGE/fond.png", "TEXT/Promo-093012.png") << "Promo-093012" << "Bonjour" << true
        << false;
    QTest::newRow("entries never written") << EditorFixture::record("NULL", "NULL", "NULL") << "Texte" << ""
                                           << false << false;
    QTest::newRow("short record only clears the flag") << QStringList{"0", "10"} << "Texte" << "" << false
                                                       << false;
    QTest::newRow("server entry leaving TEXT is not read")
        << EditorFixture::record(QString(), "TEXT/../IMAGE/secret.png") << "Texte" << "" << false << false;
}

void TestTextEditSimple::load()
{
    QFETCH(QStringList, record);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(bool, picture);
    QFETCH(bool, modified);
    m_fixture->writeFile(QStringLiteral("TEXT/a.b-093012.txt"), "Ancien");
    m_fixture->writeFile(QStringLiteral("IMAGE/secret.txt"), "Secret");
    m_page->textArea()->setPlainText(QStringLiteral("before"));
    QVERIFY(m_page->isModified());

    m_page->slotGetString(record);
    if (record.size() > 6)
        QCOMPARE(m_page->textArea()->toPlainText(), text);
    QCOMPARE(m_page->currentName(), name);
    const QPixmap shown = m_page->pictureLabel()->pixmap(Qt::ReturnByValue);
    QCOMPARE(!shown.isNull(), picture);
    if (picture) {
        // Fitted into the 1280 x 763 area, aspect kept.
        QCOMPARE(shown.size(), QSize(1280, 720));
        const int alpha = shown.toImage().pixelColor(10, 10).alpha();
        QVERIFY2(alpha > 0 && alpha < 255 * (record.at(8).toInt() + 1) / 100, qPrintable(QString::number(alpha)));
    }
    QCOMPARE(m_page->isModified(), modified);
}

void TestTextEditSimple::faintPictureClearsThePrevious_data()
{
    QTest::addColumn<QString>("opacity");
    QTest::newRow("9") << "9";
    QTest::newRow("empty") << "";
    QTest::newRow("not a number") << "abc";
}

void TestTextEditSimple::faintPictureClearsThePrevious()
{
    QFETCH(QString, opacity);
    m_page->slotGetString(EditorFixture::record(QStringLiteral("IMAGE/fond.png"), QString()));
    QVERIFY(!m_page->pictureLabel()->pixmap(Qt::ReturnByValue).isNull());
    m_page->slotGetString(EditorFixture::record(QStringLiteral("IMAGE/fond.png"), QString(), opacity));
    QVERIFY(m_page->pictureLabel()->pixmap(Qt::ReturnByValue).isNull());
    QVERIFY(!m_page->isModified());
}

void TestTextEditSimple::geometry_data()
{
    QTest::addColumn<QSize>("page");
    QTest::addColumn<int>("rotation");
    QTest::newRow("landscape") << QSize(1280, 800) << 0;
    QTest::newRow("portrait 90") << QSize(1280, 800) << 90;
    QTest::newRow("portrait -90") << QSize(1280, 800) << -90;
    QTest::newRow("area below the window at 1280x720") << QSize(1280, 720) << 0;
    QTest::newRow("area below the window at 1366x768") << QSize(1366, 768) << 0;
    QTest::newRow("area below the window at 1920x1080") << QSize(1920, 1080) << 0;
    QTest::newRow("portrait area below the window at 1366x768") << QSize(1366, 768) << 90;
}

void TestTextEditSimple::geometry()
{
    QFETCH(QSize, page);
    QFETCH(int, rotation);
    // A page of that size from the start, as the window builds it.
    m_page.reset(new TextEditSimple);
    m_page->resize(page);
    m_page->slotResize(page.width(), page.height(), rotation);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
    QTRY_COMPARE(m_page->size(), page);
    const int icon = page.width() / 40;
    QCOMPARE(m_page->iconSize(), icon);
    QCOMPARE(m_page->formatBar()->iconSize(), QSize(icon, icon));
    // The area takes the height the tool bar leaves, at the boxes' 16:9.
    const int height = page.height() - m_page->formatBar()->sizeHint().height();
    const QSize area = rotation ? QSize(int(height / 1.778), height)
                                : QSize(qMin(int(height * 1.778), page.width()), height);
    QCOMPARE(m_page->posterArea(), area);
    QCOMPARE(m_page->formatBar()->fontList()->maximumWidth(), page.width() / 6);
    m_page->slotGetString(EditorFixture::record(QStringLiteral("IMAGE/fond.png"), QString()));
    QCOMPARE(m_page->textArea()->minimumSize(), area);
    QTRY_COMPARE(m_page->textArea()->size(), area);
    const QPixmap shown = m_page->pictureLabel()->pixmap(Qt::ReturnByValue);
    QVERIFY(!shown.isNull());
    QVERIFY(shown.width() <= area.width() && shown.height() <= area.height());
    QVERIFY(shown.width() == area.width() || shown.height() == area.height());

    // Under the bar and inside the window, down to the last line typed.
    QTextEdit *edit = m_page->textArea();
    QTest::qWait(50); // the layouts settle
    const QRect inPage(edit->mapTo(m_page.get(), QPoint(0, 0)), edit->size());
    const QRect bar = m_page->formatBar()->geometry();
    QVERIFY2(m_page->rect().contains(inPage), qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6")
                                                             .arg(inPage.x()).arg(inPage.y()).arg(inPage.width())
                                                             .arg(inPage.height()).arg(m_page->width())
                                                             .arg(m_page->height())));
    QVERIFY(inPage.top() >= bar.bottom());
    edit->setFocus();
    for (int line = 0; line < 80; ++line) {
        QTest::keyClicks(edit, QStringLiteral("ligne"));
        QTest::keyClick(edit, Qt::Key_Return);
    }
    QTest::keyClicks(edit, QStringLiteral("fin"));
    const QRect caret(edit->viewport()->mapTo(m_page.get(), edit->cursorRect().topLeft()), edit->cursorRect().size());
    QVERIFY2(m_page->rect().contains(caret) && inPage.contains(caret),
             qPrintable(QStringLiteral("caret at y %1").arg(caret.y())));
}

void TestTextEditSimple::leave_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("left");
    QTest::newRow("unmodified leaves at once") << "" << "" << "" << 0 << 1;
    QTest::newRow("loaded poster asked the question") << "TEXT/Promo-093012.png" << "" << "" << 0 << 1;
    QTest::newRow("modified, confirmed") << "" << "Soldes" << "valider" << 1 << 1;
    QTest::newRow("modified, cancelled stays") << "TEXT/Promo-093012.png" << "!" << "annuler" << 1 << 0;
}

void TestTextEditSimple::leave()
{
    QFETCH(QString, text);
    QFETCH(QString, typed);
    QFETCH(QString, answer);
    QFETCH(int, questions);
    QFETCH(int, left);
    // The picture is drawn and the text put in: neither is the user's edit.
    m_page->slotGetString(EditorFixture::record(QStringLiteral("IMAGE/fond.png"), text));
    QVERIFY(!m_page->pictureLabel()->pixmap(Qt::ReturnByValue).isNull());
    m_page->textArea()->setFocus();
    QTest::mouseClick(m_page->textArea()->viewport(), Qt::LeftButton, {}, QPoint(40, 10));
    QTest::keyClick(m_page->textArea(), Qt::Key_End);
    QTest::keyClicks(m_page->textArea(), typed);
    QSignalSpy buttons(m_page.get(), &TextEditSimple::signalButton);
    ModalAnswerer answerer;
    if (!answer.isEmpty())
        answerer.clickButton(answer);
    m_page->formatBar()->quitAction()->trigger();
    QVERIFY(answerer.waitUntilDone());
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join('\n')));
    QCOMPARE(answerer.answered(), questions);
    if (questions)
        QCOMPARE(answerer.texts().first(), QStringLiteral("Etes-vous sûrs de vouloir quitter?"));
    QCOMPARE(buttons.count(), left);
    if (left)
        QCOMPARE(buttons.first().first().toInt(), 0);
}

void TestTextEditSimple::closeRefused()
{
    QVERIFY(!m_page->close());
    QVERIFY(m_page->isVisible());
}

void TestTextEditSimple::save_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("offered");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("oldName");
    QTest::newRow("same name retires the earlier")
        << "TEXT/Promo-093012.png" << "Promo" << "Promo" << "Promo" << "Promo-093012.png";
    QTest::newRow("other name keeps the earlier") << "TEXT/Promo-093012.png" << "Promo" << "Soldes" << "Soldes" << "";
    QTest::newRow("new poster") << "" << "Texte" << "Texte" << "Texte" << "";
    QTest::newRow("typed name cleaned") << "" << "Texte" << "../Pro.mo;" << "Promo" << "";
    QTest::newRow("typed name longer than a file name the transfers take")
        << "" << "Texte" << QString(300, 'a') << QString(244, 'a') << "";
}

void TestTextEditSimple::save()
{
    QFETCH(QString, entry);
    QFETCH(QString, offered);
    QFETCH(QString, typed);
    QFETCH(QString, name);
    QFETCH(QString, oldName);
    m_page->slotGetString(EditorFixture::record(QString(), entry));
    m_page->textArea()->setPlainText(QStringLiteral("Bonjour"));
    QSignalSpy saved(m_page.get(), &TextEditSimple::signalNewImageTexte);
    QSignalSpy buttons(m_page.get(), &TextEditSimple::signalButton);

    const QTime before = QTime::currentTime();
    QCOMPARE(saveAs(typed), offered);
    const QTime after = QTime::currentTime();

    QCOMPARE(saved.count(), 1);
    const QString newName = saved.first().at(1).toString();
    const QString stampBefore = name + before.toString(QStringLiteral("-hhmmss"));
    const QString stampAfter = name + after.toString(QStringLiteral("-hhmmss"));
    QVERIFY2(newName == "TEXT/" + stampBefore + ".png" || newName == "TEXT/" + stampAfter + ".png",
             qPrintable(newName));
    QCOMPARE(saved.first().at(0).toString(), oldName);
    QVERIFY(QFile::exists(savedFile(saved, ".png")));
    QFile html(savedFile(saved, ".txt"));
    QVERIFY(html.open(QIODevice::ReadOnly));
    QVERIFY(html.readAll().contains("Bonjour"));
    // The earlier version is the media library's to retire, not the page's.
    QVERIFY(QFile::exists(m_fixture->work() + QStringLiteral("TEXT/Promo-093012.txt")));
    QCOMPARE(buttons.count(), 1);
    QVERIFY(!m_page->isModified());
    QVERIFY(m_page->formatBar()->quitAction()->isVisible());
}

void TestTextEditSimple::emptyNameIsNotSaved()
{
    m_page->slotGetString(EditorFixture::record(QString(), QStringLiteral("TEXT/Promo-093012.png")));
    QSignalSpy saved(m_page.get(), &TextEditSimple::signalNewImageTexte);
    QSignalSpy buttons(m_page.get(), &TextEditSimple::signalButton);
    ModalAnswerer answerer;
    answerer.enterText(QStringLiteral("/..")).confirm();
    m_page->slotClavier();
    QVERIFY(answerer.waitUntilDone());
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join('\n')));
    QCOMPARE(answerer.texts().last(), QStringLiteral("Le nom du fichier est vide: le texte n'a pas été sauvegardé."));
    QCOMPARE(saved.count(), 0);
    QCOMPARE(buttons.count(), 0);
    QCOMPARE(m_page->textArea()->toPlainText(), QStringLiteral("Bonjour"));
    QCOMPARE(m_page->currentName(), QStringLiteral("Promo-093012"));
    QCOMPARE(QDir(m_fixture->work() + QStringLiteral("TEXT")).entryList(QDir::Files).size(), 1);
}

void TestTextEditSimple::cancelledNameSavesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape on the name keyboard saved the poster") << "Escape";
    QTest::newRow("ESC key of the name keyboard saved the poster") << "ESC";
    // Alt+F4 or the window manager's close button.
    QTest::newRow("closing the name keyboard's window saved the poster") << "window";
}

void TestTextEditSimple::cancelledNameSavesNothing()
{
    QFETCH(QString, how);
    m_page->slotGetString(EditorFixture::record(QString(), QStringLiteral("TEXT/Promo-093012.png")));
    QTest::keyClicks(m_page->textArea(), QStringLiteral("Soldes "));
    QSignalSpy saved(m_page.get(), &TextEditSimple::signalNewImageTexte);
    QSignalSpy buttons(m_page.get(), &TextEditSimple::signalButton);
    ModalAnswerer answerer;
    answerer.answer([how](QDialog *d) {
        d->findChild<QLineEdit *>()->setText(QStringLiteral("Nouveau"));
        if (how == QLatin1String("ESC"))
            d->findChild<QAbstractButton *>(QStringLiteral("annuler"))->click();
        else if (how == QLatin1String("window"))
            d->windowHandle()->close(); // the close request a window manager sends
        else
            QTest::keyClick(d->findChild<QLineEdit *>(), Qt::Key_Escape);
    });
    m_page->formatBar()->saveAction()->trigger();
    QVERIFY(answerer.waitUntilDone());
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join('\n')));
    QCOMPARE(answerer.texts(), QStringList{QStringLiteral("Entrer le nom du fichier:")});
    QCOMPARE(saved.count(), 0);
    QCOMPARE(buttons.count(), 0);
    QCOMPARE(QDir(m_fixture->work() + QStringLiteral("TEXT")).entryList(QDir::Files),
             QStringList{QStringLiteral("Promo-093012.txt")});
    QCOMPARE(m_page->currentName(), QStringLiteral("Promo-093012"));
    QVERIFY(m_page->isModified());
    QVERIFY(m_page->formatBar()->quitAction()->isVisible());
    QVERIFY(m_page->textArea()->toPlainText().startsWith(QStringLiteral("Soldes ")));
}

void TestTextEditSimple::emptyTextLeavesWithoutSaving()
{
    m_page->slotGetString(EditorFixture::record(QStringLiteral("IMAGE/fond.png"), QString()));
    QTest::keyClicks(m_page->textArea(), QStringLiteral("x"));
    QTest::keyClick(m_page->textArea(), Qt::Key_Backspace);
    QVERIFY(m_page->isModified());
    QSignalSpy saved(m_page.get(), &TextEditSimple::signalNewImageTexte);
    QSignalSpy buttons(m_page.get(), &TextEditSimple::signalButton);
    saveAs(QStringLiteral("Promo"));
    QCOMPARE(saved.count(), 0);
    QCOMPARE(buttons.count(), 1);
    QCOMPARE(QDir(m_fixture->work() + QStringLiteral("TEXT")).entryList(QDir::Files).size(), 1);
}

void TestTextEditSimple::writeFailureKeepsThePage()
{
    m_page->slotGetString(EditorFixture::record(QString(), QString()));
    m_page->textArea()->setPlainText(QStringLiteral("Bonjour"));
    // A file where the TEXT folder should be: no write can succeed.
    QVERIFY(QDir(m_fixture->work() + QStringLiteral("TEXT")).removeRecursively());
    m_fixture->writeFile(QStringLiteral("TEXT"), "x");
    QSignalSpy saved(m_page.get(), &TextEditSimple::signalNewImageTexte);
    QSignalSpy buttons(m_page.get(), &TextEditSimple::signalButton);
    ModalAnswerer answerer;
    answerer.enterText(QStringLiteral("Promo")).confirm();
    m_page->slotClavier();
    QVERIFY(answerer.waitUntilDone());
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join('\n')));
    QVERIFY2(answerer.texts().last().startsWith(QStringLiteral("Impossible de sauvegarder le fichier TEXT/Promo-")),
             qPrintable(answerer.texts().last()));
    QCOMPARE(saved.count(), 0);
    QCOMPARE(buttons.count(), 0);
    QVERIFY(m_page->isModified());
    QVERIFY(m_page->formatBar()->quitAction()->isVisible());
    QVERIFY(m_page->formatBar()->quitAction()->isEnabled());
    QCOMPARE(m_page->textArea()->toPlainText(), QStringLiteral("Bonjour"));
}

void TestTextEditSimple::savedPicture_data()
{
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QSize>("size");
    QTest::newRow("landscape") << 0 << QSize(1920, 1080);
    QTest::newRow("portrait 90") << 90 << QSize(1080, 1920);
    QTest::newRow("portrait -90") << -90 << QSize(1080, 1920);
}

void TestTextEditSimple::savedPicture()
{
    QFETCH(int, rotation);
    QFETCH(QSize, size);
    m_page->slotResize(1280, 800, rotation);
    m_page->slotGetString(EditorFixture::record(QStringLiteral("IMAGE/fond.png"), QString()));
    m_page->textArea()->setHtml(QStringLiteral("<p style=\"font-size:40pt\">Bonjour</p>"));
    QTRY_COMPARE(m_page->textArea()->size(), m_page->posterArea());
    QSignalSpy saved(m_page.get(), &TextEditSimple::signalNewImageTexte);
    QVERIFY(m_page->fileSave());
    QCOMPARE(saved.count(), 1);

    const QImage picture(savedFile(saved, ".png"));
    QCOMPARE(picture.size(), size);
    QVERIFY(picture.hasAlphaChannel());
    // The text sits at the top left; the rest is see-through.
    int opaqueText = 0;
    for (int y = 0; y < size.height() / 4; y += 2) {
        for (int x = 0; x < size.width() / 2; x += 2) {
            const QColor c = picture.pixelColor(x, y);
            if (c.alpha() > 200 && c.red() > 200 && c.green() > 200 && c.blue() > 200)
                ++opaqueText;
        }
    }
    QVERIFY2(opaqueText > 200, qPrintable(QString::number(opaqueText)));
    QCOMPARE(picture.pixelColor(size.width() - 5, size.height() - 5).alpha(), 0);
    QCOMPARE(picture.pixelColor(size.width() / 2, size.height() * 3 / 4).alpha(), 0);
    // The poster's picture is not part of the layer.
    for (int y = 0; y < size.height(); y += 37) {
        for (int x = 0; x < size.width(); x += 41) {
            const QColor c = picture.pixelColor(x, y);
            QVERIFY(c.alpha() == 0 || (c.green() > 150 && c.blue() > 150));
        }
    }
}

void TestTextEditSimple::deleteNamesCurrentPicture_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::newRow("saved poster") << "TEXT/Promo-093012.png" << "Promo-093012.png";
    QTest::newRow("new poster") << "" << "Texte.png";
}

void TestTextEditSimple::deleteNamesCurrentPicture()
{
    QFETCH(QString, entry);
    QFETCH(QString, name);
    m_page->slotGetString(EditorFixture::record(QString(), entry));
    QSignalSpy deleted(m_page.get(), &TextEditSimple::signalSupprImageTexte);
    QSignalSpy buttons(m_page.get(), &TextEditSimple::signalButton);
    m_page->formatBar()->deleteAction()->trigger();
    QCOMPARE(deleted.count(), 1);
    QCOMPARE(deleted.first().first().toString(), name);
    QCOMPARE(buttons.count(), 1);
    // The page leaves the files to the media library.
    QVERIFY(QFile::exists(m_fixture->work() + QStringLiteral("TEXT/Promo-093012.txt")));
}

void TestTextEditSimple::formatsReachHtml_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("html");
    QTest::newRow("bold") << "bold" << "" << "font-weight:600";
    QTest::newRow("italic") << "italic" << "" << "font-style:italic";
    QTest::newRow("underline") << "underline" << "" << "text-decoration: underline";
    QTest::newRow("font") << "font" << "DejaVu Serif" << "font-family:'DejaVu Serif'";
    QTest::newRow("size from the list") << "size" << "60" << "font-size:60pt";
    QTest::newRow("size typed") << "size" << "37" << "font-size:37pt";
    QTest::newRow("colour") << "colour" << "#ff8000" << "color:#ff8000";
    QTest::newRow("background") << "background" << "#0000ff" << "background-color:#0000ff";
    QTest::newRow("centre") << "align" << "center" << "align=\"center\"";
    QTest::newRow("right") << "align" << "right" << "align=\"right\"";
    QTest::newRow("justify") << "align" << "justify" << "align=\"justify\"";
}

void TestTextEditSimple::formatsReachHtml()
{
    QFETCH(QString, action);
    QFETCH(QString, argument);
    QFETCH(QString, html);
    TextFormatBar *bar = m_page->formatBar();
    m_page->slotGetString(EditorFixture::record(QString(), QString()));
    QTextEdit *edit = m_page->textArea();
    edit->setPlainText(QStringLiteral("Bonjour"));
    edit->selectAll();

    ModalAnswerer answerer;
    if (action == QLatin1String("bold")) {
        bar->boldAction()->trigger();
    } else if (action == QLatin1String("italic")) {
        bar->italicAction()->trigger();
    } else if (action == QLatin1String("underline")) {
        bar->underlineAction()->trigger();
    } else if (action == QLatin1String("font")) {
        bar->fontList()->setCurrentText(argument);
        QCOMPARE(bar->fontList()->currentText(), argument);
        emit bar->fontList()->textActivated(argument);
    } else if (action == QLatin1String("size")) {
        bar->sizeList()->lineEdit()->setText(argument);
        QTest::keyClick(bar->sizeList()->lineEdit(), Qt::Key_Return);
    } else if (action == QLatin1String("colour") || action == QLatin1String("background")) {
        answerer.answer([argument](QDialog *d) {
            static_cast<QColorDialog *>(d)->setCurrentColor(QColor(argument));
            d->accept();
        });
        (action == QLatin1String("colour") ? bar->colorAction() : bar->backgroundAction())->trigger();
        QVERIFY(answerer.waitUntilDone());
    } else {
        QAction *a = argument == QLatin1String("center") ? bar->centerAction()
                     : argument == QLatin1String("right") ? bar->rightAction()
                                                          : bar->justifyAction();
        a->trigger();
        QVERIFY(a->isChecked());
    }
    QVERIFY(m_page->isModified());

    QSignalSpy saved(m_page.get(), &TextEditSimple::signalNewImageTexte);
    m_page->fileSave();
    QCOMPARE(saved.count(), 1);
    QFile file(savedFile(saved, ".txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY2(text.contains(html), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Bonjour")));
}

void TestTextEditSimple::sizeIgnoresNonPositive_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("zero") << "0";
    QTest::newRow("negative") << "-5";
    QTest::newRow("not a number") << "abc";
}

void TestTextEditSimple::sizeIgnoresNonPositive()
{
    QFETCH(QString, typed);
    QTextEdit *edit = m_page->textArea();
    edit->setPlainText(QStringLiteral("Bonjour"));
    edit->selectAll();
    const QString before = edit->toHtml();
    m_page->textSize(typed);
    QCOMPARE(edit->toHtml(), before);
    QVERIFY(m_page->isModified());
}

void TestTextEditSimple::boldWithoutSelection()
{
    QTextEdit *edit = m_page->textArea();
    edit->setPlainText(QStringLiteral("un deux trois"));
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(5); // inside "deux"
    edit->setTextCursor(cursor);
    m_page->formatBar()->boldAction()->setChecked(true);
    m_page->textBold();
    for (int afterChar : {4, 7}) { // "d" and "x"
        cursor.setPosition(afterChar);
        QCOMPARE(cursor.charFormat().fontWeight(), 75);
    }
    cursor.setPosition(3); // the space before the word
    QCOMPARE(cursor.charFormat().fontWeight(), 50);
    cursor.setPosition(1);
    QCOMPARE(cursor.charFormat().fontWeight(), 50);
    QCOMPARE(edit->currentCharFormat().fontWeight(), 75);

    // Between two spaces only what is typed next changes.
    edit->setPlainText(QStringLiteral("a  b"));
    cursor = edit->textCursor();
    cursor.setPosition(2);
    edit->setTextCursor(cursor);
    const QString before = edit->toHtml();
    m_page->formatBar()->boldAction()->setChecked(true);
    m_page->textBold();
    QCOMPARE(edit->toHtml(), before);
    QTest::keyClicks(edit, QStringLiteral("X"));
    cursor.setPosition(2);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    QCOMPARE(cursor.selectedText(), QStringLiteral("X"));
    QCOMPARE(cursor.charFormat().fontWeight(), 75);
}

void TestTextEditSimple::backgroundColourSwatch()
{
    TextFormatBar *bar = m_page->formatBar();
    QCOMPARE(swatchColour(bar->colorAction()), QColor(Qt::white));
    QCOMPARE(swatchColour(bar->backgroundAction()), QColor(Qt::white));
    ModalAnswerer answerer;
    answerer.answer([](QDialog *d) {
        static_cast<QColorDialog *>(d)->setCurrentColor(QColor(0, 128, 0));
        d->accept();
    });
    answerer.answer([](QDialog *d) { d->reject(); }, QStringLiteral("cancel"));
    bar->backgroundAction()->trigger();
    QCOMPARE(swatchColour(bar->backgroundAction()), QColor(0, 128, 0));
    QCOMPARE(swatchColour(bar->colorAction()), QColor(Qt::white));
    // A cancelled dialog changes nothing.
    bar->colorAction()->trigger();
    QVERIFY(answerer.waitUntilDone());
    QVERIFY(answerer.done());
    QCOMPARE(swatchColour(bar->colorAction()), QColor(Qt::white));
}

void TestTextEditSimple::toolBarFollowsCursor()
{
    TextFormatBar *bar = m_page->formatBar();
    QTextEdit *edit = m_page->textArea();
    edit->setHtml(QStringLiteral("<p>gauche</p><p align=\"center\">"
                                 "<span style=\"font-size:12pt\">centre</span> <b style=\"font-size:40pt\">gros</b></p>"));
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(1);
    edit->setTextCursor(cursor);
    QVERIFY(bar->leftAction()->isChecked());
    m_page->slotGetString({}); // clears the flag
    QVERIFY(!m_page->isModified());

    cursor.setPosition(9); // inside "centre"
    edit->setTextCursor(cursor);
    QVERIFY(bar->centerAction()->isChecked());
    QVERIFY(!bar->leftAction()->isChecked() && !bar->rightAction()->isChecked() && !bar->justifyAction()->isChecked());
    QCOMPARE(bar->sizeList()->currentIndex(), -1); // 12 is not listed
    QVERIFY(!bar->boldAction()->isChecked());
    // Following the cursor changes nothing of the text: leaving must not ask.
    QVERIFY(!m_page->isModified());

    cursor.setPosition(16); // inside "gros"
    edit->setTextCursor(cursor);
    QCOMPARE(bar->sizeList()->currentText(), QStringLiteral("40"));
    QVERIFY(bar->boldAction()->isChecked());
}

QTEST_MAIN(TestTextEditSimple)
#include "tst_texteditsimple.moc"
