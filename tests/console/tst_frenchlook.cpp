#include "AnimationStackedWidget.h"
#include "ClassMedia.h"
#include "ConsoleFixture.h"
#include "ContrastRatio.h"
#include "ModalAnswerer.h"
#include "QtTranslations.h"
#include "ZoManager.h"
#include "ZoScreenshot.h"
#include "classPrincipal.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <cmath>

// What a French user sees on the demo account: Qt's own texts in French,
// the standard file dialog readable inside the styled console, and disabled
// captions still legible on the dark pages.
class TestFrenchLook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void disabledCaptionsLegible_data();
    void disabledCaptionsLegible();
    void quitQuestionInFrench();
    void mediaFileChooser_data();
    void mediaFileChooser();

private:
    // The window with the open dialog drawn where the user sees it.
    QImage windowWith(QWidget *dialog) const;
    void showPage(int code);
    void skipWithoutTranslation() const;

    QTemporaryDir m_dir;
    ZoManager *m_window = nullptr;
    bool m_translated = false;
};

void TestFrenchLook::initTestCase()
{
    zoInitWidgetTest();
    QApplication::setQuitOnLastWindowClosed(false);
    m_translated = QtTranslations::install(qApp);
    QVERIFY(m_dir.isValid());
    // The file chooser starts in the user's folders: give it folders of its own.
    qputenv("HOME", m_dir.filePath(QStringLiteral("home")).toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    const QString work = m_dir.filePath(QStringLiteral("demo"));
    QVERIFY(makeDemoAccount(work));
    qputenv("ZOMANAGER_WORKDIR", work.toLocal8Bit());
    m_window = new ZoManager;
    m_window->resize(1280, 800);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    // Logged in, no screen chosen yet: the tool bar waits for one.
    QVERIFY(waitScreenListed(m_window->panel(), QStringLiteral("10234")));
    auto *stack = m_window->panel()->findChild<AnimationStackedWidget *>(QStringLiteral("panelStack"));
    QVERIFY(stack);
    QTRY_VERIFY_WITH_TIMEOUT(stack->isVisible() && !stack->isSliding(), 20000);
    QTest::qWait(200);
}

void TestFrenchLook::cleanupTestCase()
{
    delete m_window;
    qunsetenv("ZOMANAGER_WORKDIR");
}

QImage TestFrenchLook::windowWith(QWidget *dialog) const
{
    QImage shot = m_window->grab().toImage();
    QPainter painter(&shot);
    painter.drawPixmap(dialog->geometry().topLeft() - m_window->geometry().topLeft(), dialog->grab());
    return shot;
}

void TestFrenchLook::showPage(int code)
{
    m_window->slotButtons(code);
    QTRY_VERIFY(!m_window->stack()->isSliding());
    QTest::qWait(100);
}

void TestFrenchLook::skipWithoutTranslation() const
{
    if (!m_translated)
        QSKIP(qPrintable("Qt's French texts are not installed (" + QtTranslations::file()
                         + " is missing: package qttranslations5-l10n)"));
}

void TestFrenchLook::disabledCaptionsLegible_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shot");

    // Regression: disabled captions were grey at 10 % over the dark pages.
    QTest::newRow("panel: Renommer un Ecran nearly invisible") << 0 << "Renommer un Ecran" << "console-panel.png";
    for (const char *caption : {"Informations", "Statistiques", "Médiathèque", "Alimentation", "Visualiser", "Déployer"})
        QTest::addRow("tool bar before a screen is chosen: %s nearly invisible", caption)
            << 0 << QString::fromUtf8(caption) << "";
    QTest::newRow("media page: Autorisations nearly invisible") << 3 << "Autorisations" << "";
    QTest::newRow("publication page: Instagram nearly invisible") << 8 << "Instagram" << "";
    QTest::newRow("publication page: Twitter nearly invisible") << 8 << "Twitter" << "";
}

void TestFrenchLook::disabledCaptionsLegible()
{
    QFETCH(int, code);
    QFETCH(QString, caption);
    QFETCH(QString, shot);

    showPage(code);
    QToolButton *button = nullptr;
    for (QToolButton *b : m_window->findChildren<QToolButton *>()) {
        if (b->text() == caption && b->isVisible() && !b->isEnabled())
            button = b;
    }
    QVERIFY2(button, "no visible disabled button with this caption");

    const QImage image = m_window->grab().toImage();
    if (!shot.isEmpty())
        QVERIFY(saveScreenshot(m_window, shot));
    // The caption sits under the icon, centred.
    const QFontMetrics metrics(button->font());
    const int textWidth = metrics.horizontalAdvance(caption);
    const QRect below(button->mapTo(m_window, QPoint((button->width() - textWidth) / 2,
                                                     button->iconSize().height() + 4)),
                      QSize(textWidth, button->height() - button->iconSize().height() - 4));
    const double ratio = ContrastRatio::text(image, below);
    QVERIFY2(ratio >= 3.0, qPrintable(QStringLiteral("contrast %1:1").arg(ratio, 0, 'f', 2)));
    showPage(0);
}

void TestFrenchLook::quitQuestionInFrench()
{
    skipWithoutTranslation();
    QStringList texts;
    QImage shot;
    ModalAnswerer answerer;
    answerer.answer([&](QDialog *d) {
        auto *box = qobject_cast<QMessageBox *>(d);
        for (QAbstractButton *button : box->buttons())
            texts << button->text().remove(QLatin1Char('&'));
        shot = windowWith(d);
        box->button(QMessageBox::No)->click();
    });
    m_window->slotButtons(9);
    QVERIFY(answerer.done());
    QVERIFY(m_window->isVisible());
    texts.sort();
    QCOMPARE(texts, (QStringList{"Non", "Oui"}));
    if (!qEnvironmentVariableIsEmpty("ZO_SCREENSHOT_DIR"))
        QVERIFY(shot.save(qEnvironmentVariable("ZO_SCREENSHOT_DIR") + QStringLiteral("/console-quit-french.png")));
}

void TestFrenchLook::mediaFileChooser_data()
{
    QTest::addColumn<bool>("picturesFolder");
    QTest::addColumn<QString>("shot");

    // Regressions: a missing pictures folder opened its parent with
    // "Pictures" typed in as the file to open; the console's style sheet
    // painted the dialog's captions light grey on white.
    QTest::newRow("no pictures folder: Pictures typed in") << false << "";
    QTest::newRow("pictures folder: captions light grey on white") << true << "media-file-chooser.png";
}

void TestFrenchLook::mediaFileChooser()
{
    QFETCH(bool, picturesFolder);
    QFETCH(QString, shot);

    const QString home = m_dir.filePath(QStringLiteral("home"));
    QDir(home).removeRecursively();
    QVERIFY(QDir().mkpath(home));
    if (picturesFolder) {
        QVERIFY(QDir(home).mkdir(QStringLiteral("Pictures")));
        const QString demo = qEnvironmentVariable("ZO_SOURCE_DIR") + "/demo/zolink/zobox/zo_demo/IMAGE/";
        for (const char *name : {"menu-du-jour.jpg", "promo-cafe.jpg"})
            QVERIFY(QFile::copy(demo + name, home + QStringLiteral("/Pictures/") + name));
    }
    const QString expected = picturesFolder ? home + QStringLiteral("/Pictures") : home;

    showPage(3);
    QString folder;
    QString typed = QStringLiteral("<no name field>");
    QStringList buttons;
    QMap<QString, QString> captions;
    QMap<QString, double> contrasts;
    QImage picture;
    ModalAnswerer answerer;
    answerer.answer([&](QDialog *d) {
        auto *dialog = qobject_cast<QFileDialog *>(d);
        if (!dialog)
            return d->reject();
        folder = dialog->directory().absolutePath();
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            typed = name->text();
        const QImage grab = dialog->grab().toImage();
        for (const char *name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"}) {
            auto *label = dialog->findChild<QLabel *>(QLatin1String(name));
            if (!label)
                continue;
            captions.insert(QLatin1String(name), label->text().remove(QLatin1Char('&')));
            const QRect area(label->mapTo(dialog, QPoint()), label->size());
            contrasts.insert(QLatin1String(name), ContrastRatio::text(grab, area));
        }
        for (QAbstractButton *button : dialog->findChild<QDialogButtonBox *>()->buttons())
            buttons << button->text().remove(QLatin1Char('&'));
        picture = windowWith(d);
        dialog->reject();
    });
    m_window->findChild<ClassMedia *>()->slotAjouterImage();
    QVERIFY(answerer.done());
    showPage(0);

    QCOMPARE(folder, expected);
    QCOMPARE(typed, QString());
    // The console's style sheet must not reach the standard dialog.
    QCOMPARE(contrasts.keys(), (QStringList{"fileNameLabel", "fileTypeLabel", "lookInLabel"}));
    for (auto it = contrasts.cbegin(); it != contrasts.cend(); ++it)
        QVERIFY2(it.value() >= 3.0, qPrintable(QStringLiteral("%1: contrast %2:1").arg(it.key()).arg(it.value())));
    if (!shot.isEmpty() && !qEnvironmentVariableIsEmpty("ZO_SCREENSHOT_DIR"))
        QVERIFY(picture.save(qEnvironmentVariable("ZO_SCREENSHOT_DIR") + QLatin1Char('/') + shot));

    skipWithoutTranslation();
    buttons.sort();
    QCOMPARE(buttons, (QStringList{"Annuler", "Ouvrir"}));
    QCOMPARE(captions.value("lookInLabel"), QStringLiteral("Voir dans :"));
    QCOMPARE(captions.value("fileNameLabel"), QStringLiteral("Nom de fichier :"));
    QCOMPARE(captions.value("fileTypeLabel"), QStringLiteral("Fichiers de type :"));
}

QTEST_MAIN(TestFrenchLook)
#include "tst_frenchlook.moc"
