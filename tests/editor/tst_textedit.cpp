#include "AppGlobals.h"
#include "ModalAnswerer.h"
#include "TextEdit.h"
#include "TextFormatBar.h"
#include "ZoScreenshot.h"
#include "ZoTestInit.h"

#include <QAction>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDateEdit>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimeEdit>
#include <QToolBar>
#include <QWidgetAction>
#include <QtTest>

// The rich-text editor sibling offscreen: records, bars, window checks,
// the saved list and files.
class TestTextEdit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void record_data();
    void record();
    void freshWindows();
    void pictureRules();
    void textPictureFromItsFolder();
    void toolBars();
    void typedSize();
    void windowChecks_data();
    void windowChecks();
    void save_data();
    void save();
    void portraitPicture_data();
    void portraitPicture();
    void writeFailure();
    void checksumForm();
    void quitAsks();
    void grab();

private:
    void write(const QString &relative, const QByteArray &content);
    QStringList saveList(bool *ok = nullptr);
    static QStringList actionTexts(QToolBar *bar);
    static QString md5(const QString &path);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_work;
    std::unique_ptr<TextEdit> m_editor;
};

const QStringList kRecord{"3", "x", "12s", "IMAGE/wide.png", "", "TEXT", "60", "01/02/2027", "08:00:00",
                          "03/02/2027", "18:00:00"};

void TestTextEdit::initTestCase()
{
    zoInitWidgetTest();
    Q_INIT_RESOURCE(qml);
}

void TestTextEdit::write(const QString &relative, const QByteArray &content)
{
    QFile file(m_work + relative);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TestTextEdit::init()
{
    m_dir.reset(new QTemporaryDir);
    m_work = m_dir->path() + QLatin1Char('/');
    for (const char *folder : {"IMAGE", "VIDEO", "TEXT", "DATA"})
        QDir().mkpath(m_work + QLatin1String(folder));
    QImage wide(1920, 1080, QImage::Format_RGB32);
    wide.fill(QColor(30, 90, 200));
    QVERIFY(wide.save(m_work + QStringLiteral("IMAGE/wide.png")));
    QImage tall(600, 1000, QImage::Format_RGB32);
    tall.fill(QColor(200, 60, 30));
    QVERIFY(tall.save(m_work + QStringLiteral("IMAGE/Tall.jpg")));
    QVERIFY(tall.save(m_work + QStringLiteral("TEXT/affiche-101500.png")));
    write(QStringLiteral("DATA/Slide3.txt"), "<p>Bonjour</p>");
    ApplicationPath = m_work;
    m_editor.reset(new TextEdit);
    m_editor->resize(1920, 1080);
    m_editor->slotResize(1920, 1080, 0);
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
}

void TestTextEdit::cleanup()
{
    m_editor.reset();
    m_dir.reset();
}

QStringList TestTextEdit::actionTexts(QToolBar *bar)
{
    QStringList texts;
    for (QAction *a : bar->actions()) {
        if (!a->isSeparator() && !a->text().isEmpty() && !qobject_cast<QWidgetAction *>(a))
            texts << a->text();
    }
    return texts;
}

QString TestTextEdit::md5(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5).toHex().toUpper());
}

QStringList TestTextEdit::saveList(bool *ok)
{
    QSignalSpy spy(m_editor.get(), &TextEdit::SetString);
    const bool saved = m_editor->fileSave();
    if (ok)
        *ok = saved;
    return spy.isEmpty() ? QStringList() : spy.first().first().toStringList();
}

void TestTextEdit::record_data()
{
    QTest::addColumn<QStringList>("record");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<int>("opacity");
    QTest::addColumn<bool>("textMode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("dates");
    QTest::addColumn<bool>("times");
    QTest::newRow("whole record") << kRecord << "wide.png" << 60 << true << "Bonjour" << true << true;
    QTest::newRow("five elements leave text, opacity and window") << QStringList(kRecord.mid(0, 5)) << "wide.png" << 100 << false
                                                                  << "" << false << false;
    QTest::newRow("picture not among IMAGE files") << QStringList{"3", "x", "5", "IMAGE/absent.png"} << "" << 100
                                                   << false << "" << false << false;
    QTest::newRow("NULL window") << QStringList{"3", "x", "5", "", "", "", "100", "NULL", "NULL", "", ""} << "" << 100
                                 << false << "" << false << false;
}

void TestTextEdit::record()
{
    QFETCH(QStringList, record);
    QFETCH(QString, picture);
    QFETCH(int, opacity);
    QFETCH(bool, textMode);
    QFETCH(QString, text);
    QFETCH(bool, dates);
    QFETCH(bool, times);
    m_editor->slotGetString(record);
    QCOMPARE(m_editor->numberLabel()->text(), QStringLiteral("N°3"));
    QCOMPARE(m_editor->displayTimeBox()->value(), QString(record.at(2)).remove('s').toInt());
    QCOMPARE(m_editor->pictureList()->currentText(), picture);
    QCOMPARE(m_editor->pictureLabel()->isVisibleTo(m_editor.get()), !picture.isEmpty());
    QCOMPARE(m_editor->opacityBox()->isEnabled(), !picture.isEmpty());
    QCOMPARE(m_editor->opacityBox()->value(), opacity);
    QCOMPARE(m_editor->textModeAction()->isChecked(), textMode);
    QCOMPARE(m_editor->textArea()->isVisibleTo(m_editor.get()), textMode);
    QCOMPARE(m_editor->textActions()->isVisibleTo(m_editor.get()), textMode);
    QCOMPARE(m_editor->textArea()->toPlainText(), text);
    QCOMPARE(m_editor->dateAction()->isChecked(), dates);
    QCOMPARE(m_editor->dateBar()->isVisibleTo(m_editor.get()), dates);
    QCOMPARE(m_editor->timeAction()->isChecked(), times);
    QCOMPARE(m_editor->timeBar()->isVisibleTo(m_editor.get()), times);
    QCOMPARE(m_editor->pictureList()->count(), 3); // empty item, Tall.jpg, wide.png
    QCOMPARE(m_editor->pictureList()->itemText(1), QStringLiteral("Tall.jpg"));
    if (dates) {
        QCOMPARE(m_editor->startDate()->text(), QStringLiteral("01/02/2027"));
        QCOMPARE(m_editor->endDate()->text(), QStringLiteral("03/02/2027"));
        QCOMPARE(m_editor->startTime()->text(), QStringLiteral("08:00:00"));
        QCOMPARE(m_editor->endTime()->text(), QStringLiteral("18:00:00"));
    }
}

void TestTextEdit::freshWindows()
{
    m_editor->slotGetString({"3", "x", "90", "", "", "", "100", "NULL", ""});
    QVERIFY(!m_editor->dateBar()->isVisibleTo(m_editor.get()));
    m_editor->dateAction()->trigger();
    QVERIFY(m_editor->dateBar()->isVisibleTo(m_editor.get()));
    QCOMPARE(m_editor->startDate()->date(), QDate::currentDate());
    QCOMPARE(m_editor->endDate()->date(), QDate::currentDate().addDays(1));

    const QTime before = QTime::currentTime();
    m_editor->timeAction()->trigger();
    const QTime start = m_editor->startTime()->time();
    QVERIFY(qAbs(start.secsTo(before)) <= 1);
    QCOMPARE(start.msec(), 0);
    QCOMPARE(start.secsTo(m_editor->endTime()->time()), 90);
}

void TestTextEdit::pictureRules()
{
    const QSize area = m_editor->posterArea();
    QCOMPARE(area, QSize(1866, 1050));
    m_editor->pictureList()->setCurrentText(QStringLiteral("wide.png"));
    QCOMPARE(m_editor->pictureLabel()->pixmap(Qt::ReturnByValue).size(), area);
    m_editor->pictureList()->setCurrentText(QStringLiteral("Tall.jpg"));
    const QSize tall = m_editor->pictureLabel()->pixmap(Qt::ReturnByValue).size();
    QCOMPARE(tall.height(), area.height());
    QCOMPARE(tall.width(), 630); // 600 x 1000 kept in shape

    // Opacity 0 to 9 leaves the picture as it was.
    m_editor->opacityBox()->setValue(50);
    const QImage half = m_editor->pictureLabel()->pixmap(Qt::ReturnByValue).toImage();
    QVERIFY(qAbs(half.pixelColor(5, 5).alpha() - 128) < 4);
    m_editor->opacityBox()->setValue(5);
    QCOMPARE(m_editor->pictureLabel()->pixmap(Qt::ReturnByValue).toImage(), half);

    m_editor->pictureList()->setCurrentIndex(0);
    QVERIFY(!m_editor->pictureLabel()->isVisibleTo(m_editor.get()));
    QVERIFY(!m_editor->opacityBox()->isEnabled());
    QCOMPARE(m_editor->opacityBox()->value(), 100);
}

void TestTextEdit::textPictureFromItsFolder()
{
    m_editor->SlotUpdateListPicture();
    QCOMPARE(m_editor->pictureList()->currentIndex(), 0);
    m_editor->pictureList()->setCurrentText(QStringLiteral("affiche-101500.png"));
    QVERIFY(!m_editor->pictureLabel()->pixmap(Qt::ReturnByValue).isNull());
    const QStringList list = saveList();
    QCOMPARE(list.value(2), QStringLiteral("TEXT/affiche-101500.png"));
    QCOMPARE(list.value(3), md5(m_work + QStringLiteral("TEXT/affiche-101500.png")));
}

void TestTextEdit::toolBars()
{
    QCOMPARE(m_editor->formatActions()->windowTitle(), QStringLiteral("Format Actions"));
    QCOMPARE(actionTexts(m_editor->formatActions()),
             (QStringList{"&Images", "&Vidéos", "&Play", "&Temps diffusion(s)", "&Ajouter du texte", "&Heure",
                          "&Calendrier", "&Sauvegarder", "&Quitter"}));
    QVERIFY(m_editor->findChild<QComboBox *>(QStringLiteral("comboPicture")));
    QVERIFY(m_editor->findChild<QComboBox *>(QStringLiteral("comboVideo")));
    QCOMPARE(m_editor->displayTimeBox()->maximum(), 999);
    QCOMPARE(m_editor->opacityBox()->maximum(), 100);

    TextFormatBar *text = m_editor->textActions();
    QCOMPARE(text->windowTitle(), QStringLiteral("Text Actions"));
    QCOMPARE(text->orientation(), Qt::Vertical);
    QCOMPARE(text->toolButtonStyle(), Qt::ToolButtonIconOnly);
    QCOMPARE(actionTexts(text), (QStringList{"&Gras", "&Italic", "&Souligner", "&Gauche", "Centrer", "&Droite",
                                             "&Justifier", "&Couleur..."}));
    QVERIFY(!text->backgroundAction());
    QVERIFY(!text->saveAction());
    QCOMPARE(text->fontList()->maximumWidth(), 130);
    QStringList sizes;
    for (int i = 0; i < text->sizeList()->count(); ++i)
        sizes << text->sizeList()->itemText(i);
    QCOMPARE(sizes, (QStringList{"20", "30", "40", "50", "60", "70", "80", "90", "100", "110", "120", "130", "140"}));
    QCOMPARE(text->sizeList()->currentText(), QStringLiteral("20"));
    QCOMPARE(m_editor->dateBar()->windowTitle(), QStringLiteral("Calendrier"));
    QCOMPARE(m_editor->timeBar()->windowTitle(), QStringLiteral("Calendrier"));
    QCOMPARE(m_editor->startDate()->displayFormat(), QStringLiteral("dd/MM/yyyy"));
    QCOMPARE(m_editor->startTime()->displayFormat(), QStringLiteral("hh:mm:ss"));
}

void TestTextEdit::typedSize()
{
    m_editor->slotGetString(kRecord);
    QTextEdit *edit = m_editor->textArea();
    edit->selectAll();
    m_editor->textActions()->sizeList()->lineEdit()->setText(QStringLiteral("37"));
    QTest::keyClick(m_editor->textActions()->sizeList()->lineEdit(), Qt::Key_Return);
    QVERIFY(edit->toHtml().contains(QStringLiteral("font-size:37pt")));
    QVERIFY(m_editor->isModified());
}

void TestTextEdit::windowChecks_data()
{
    QTest::addColumn<bool>("time");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("message");
    QTest::newRow("same times, confirmed") << true << "08:00:00" << "08:00:00" << "valider"
                                           << "Les heures sont identiques!!!";
    QTest::newRow("end time earlier, escaped") << true << "18:00:00" << "08:00:00" << "escape"
                                               << "Vérifiez l'heure de fin!!!";
    QTest::newRow("same dates") << false << "01/02/2027" << "01/02/2027" << "valider" << "Les dates sont identiques!!!";
    QTest::newRow("end date earlier, escaped") << false << "03/02/2027" << "01/02/2027" << "escape"
                                               << "Vérifiez la date de fin!!!";
}

void TestTextEdit::windowChecks()
{
    QFETCH(bool, time);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, answer);
    QFETCH(QString, message);
    QStringList record = kRecord;
    record[time ? 8 : 7] = start;
    record[time ? 10 : 9] = end;
    m_editor->slotGetString(record);
    QFile::remove(m_work + QStringLiteral("DATA/Slide3.txt"));

    ModalAnswerer answerer;
    if (answer == QLatin1String("escape"))
        answerer.pressKey(Qt::Key_Escape);
    else
        answerer.confirm();
    bool ok = true;
    const QStringList list = saveList(&ok);
    QVERIFY(answerer.waitUntilDone());
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join('\n')));
    QCOMPARE(answerer.texts(), QStringList{message});
    QVERIFY(!ok);
    QVERIFY(list.isEmpty());
    QVERIFY(QDir(m_work + QStringLiteral("DATA")).entryList(QDir::Files).isEmpty());
    QVERIFY(m_editor->quitAction()->isVisible() && m_editor->quitAction()->isEnabled());
    QVERIFY(m_editor->textActions()->isVisibleTo(m_editor.get()));
    QVERIFY(m_editor->dateBar()->isVisibleTo(m_editor.get()));
    QVERIFY(m_editor->timeBar()->isVisibleTo(m_editor.get()));
}

void TestTextEdit::save_data()
{
    QTest::addColumn<bool>("textMode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("opacity");
    QTest::addColumn<bool>("picture");
    QTest::newRow("text over the picture") << true << "Bonjour" << 60 << true;
    QTest::newRow("no text, opaque: earlier files removed") << false << "" << 100 << false;
    QTest::newRow("empty text, opaque: earlier files removed") << true << "" << 100 << false;
    QTest::newRow("no text, faded picture still made") << false << "" << 60 << true;
}

void TestTextEdit::save()
{
    QFETCH(bool, textMode);
    QFETCH(QString, text);
    QFETCH(int, opacity);
    QFETCH(bool, picture);
    m_editor->slotGetString(kRecord);
    write(QStringLiteral("DATA/Slide3.png"), "old");
    if (m_editor->textModeAction()->isChecked() != textMode)
        m_editor->textModeAction()->trigger();
    m_editor->textArea()->setPlainText(text);
    m_editor->opacityBox()->setValue(opacity);

    bool ok = false;
    const QStringList list = saveList(&ok);
    QVERIFY(ok);
    QCOMPARE(list.size(), 13);
    QCOMPARE(list.mid(0, 4), (QStringList{"Image", "12", "IMAGE/wide.png", md5(m_work + "IMAGE/wide.png")}));
    QCOMPARE(list.mid(4, 2), (QStringList{"", ""}));
    QCOMPARE(list.at(8), QString::number(opacity));
    QCOMPARE(list.mid(9), (QStringList{"01/02/2027", "08:00:00", "03/02/2027", "18:00:00"}));
    QVERIFY(!m_editor->isModified());
    const QString png = m_work + QStringLiteral("DATA/Slide3.png");
    if (picture) {
        QCOMPARE(list.at(6), QStringLiteral("DATA/Slide3.png"));
        QCOMPARE(list.at(7), md5(png));
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]{32}$")).match(list.at(7)).hasMatch());
        const QImage saved(png);
        QCOMPARE(saved.size(), QSize(1920, 1080));
        // The background picture is in it, faded over nothing.
        const QColor ground = saved.pixelColor(1900, 1000);
        QVERIFY2(ground.blue() > ground.red() && ground.alpha() < 255, qPrintable(ground.name(QColor::HexArgb)));
        QFile html(m_work + QStringLiteral("DATA/Slide3.txt"));
        QVERIFY(html.open(QIODevice::ReadOnly));
        QCOMPARE(html.readAll().contains("Bonjour"), !text.isEmpty());
    } else {
        QCOMPARE(list.mid(6, 2), (QStringList{"", ""}));
        QVERIFY(!QFile::exists(png));
        QVERIFY(!QFile::exists(m_work + QStringLiteral("DATA/Slide3.txt")));
    }
}

void TestTextEdit::portraitPicture_data()
{
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QSize>("size");
    QTest::newRow("90") << 90 << QSize(1080, 1920);
    QTest::newRow("-90 is portrait too") << -90 << QSize(1080, 1920);
    QTest::newRow("0") << 0 << QSize(1920, 1080);
}

void TestTextEdit::portraitPicture()
{
    QFETCH(int, rotation);
    QFETCH(QSize, size);
    m_editor->slotResize(1920, 1080, rotation);
    m_editor->slotGetString(kRecord);
    QVERIFY(!saveList().isEmpty());
    const QImage saved(m_work + QStringLiteral("DATA/Slide3.png"));
    QCOMPARE(saved.size(), size);
    // White text at the top left of the layer.
    int white = 0;
    for (int y = 0; y < size.height() / 8; ++y) {
        for (int x = 0; x < size.width() / 3; ++x) {
            const QColor c = saved.pixelColor(x, y);
            white += c.red() > 230 && c.green() > 230 && c.blue() > 230 ? 1 : 0;
        }
    }
    QVERIFY2(white > 100, qPrintable(QString::number(white)));
}

void TestTextEdit::writeFailure()
{
    m_editor->slotGetString(kRecord);
    QVERIFY(QDir(m_work + QStringLiteral("DATA")).removeRecursively());
    write(QStringLiteral("DATA"), "not a folder");
    ModalAnswerer answerer;
    answerer.confirm();
    bool ok = true;
    const QStringList list = saveList(&ok);
    QVERIFY(answerer.waitUntilDone());
    QVERIFY(answerer.done());
    QVERIFY2(answerer.texts().value(0).startsWith(QStringLiteral("Impossible de sauvegarder le fichier DATA/Slide3.png: ")),
             qPrintable(answerer.texts().value(0)));
    QVERIFY(!ok);
    QVERIFY(list.isEmpty());
    QVERIFY(m_editor->quitAction()->isVisible());
}

void TestTextEdit::checksumForm()
{
    const QString path = m_work + QStringLiteral("IMAGE/wide.png");
    QCOMPARE(m_editor->CalculChecksum(path), md5(path));
    QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]{32}$")).match(m_editor->CalculChecksum(path)).hasMatch());
    QVERIFY(m_editor->CalculChecksum(m_work + QStringLiteral("IMAGE/absent.png")).isEmpty());
}

void TestTextEdit::quitAsks()
{
    ModalAnswerer answerer;
    answerer.cancel().confirm();
    m_editor->quitAction()->trigger();
    QVERIFY(m_editor->isVisible());
    m_editor->quitAction()->trigger();
    QVERIFY(answerer.waitUntilDone());
    QCOMPARE(answerer.texts(), (QStringList{"Etes vous sur de vouloir quitter?", "Etes vous sur de vouloir quitter?"}));
    QVERIFY(!m_editor->isVisible());
    QVERIFY(!m_editor->close() || !m_editor->isVisible());
}

void TestTextEdit::grab()
{
    m_editor->slotGetString(kRecord);
    m_editor->opacityBox()->setValue(80);
    QTextEdit *edit = m_editor->textArea();
    edit->setHtml(QStringLiteral("<p align=\"center\"><b><span style=\"font-size:72pt\">Soldes d'hiver</span></b></p>"
                                 "<p align=\"center\"><i><span style=\"font-size:40pt;color:#ffd600\">"
                                 "jusqu'à -50 % sur tout le magasin</span></i></p>"));
    QTest::qWait(100);
    QVERIFY(saveScreenshot(m_editor.get(), QStringLiteral("rich-editor.png")));
}

QTEST_MAIN(TestTextEdit)
#include "tst_textedit.moc"
