#include "ModalAnswerer.h"
#include "PagesFixture.h"
#include "classWidget.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

// The widget poster page on a poster list file of three posters.
class ClassWidgetTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void weatherOnThreePosters_data();
    void weatherOnThreePosters();
    void rssPresetAndDelay();
    void resizeKeepsTheKind();
    void unofferedKindIsKept();
    void validateBeforeAnyPosterWritesNothing();
    void refusedTypedValue_data();
    void refusedTypedValue();
    void unreadableFileIsReported();

private:
    static QComboBox *kindList(classWidget &page) { return page.findChild<QComboBox *>("kindList"); }
    static QLabel *fieldAfter(classWidget &page, const QString &buttonText);
};

void ClassWidgetTest::initTestCase()
{
    zoInitWidgetTest();
}

// The value label laid out under a tool button.
QLabel *ClassWidgetTest::fieldAfter(classWidget &page, const QString &buttonText)
{
    QToolButton *b = toolButton(page, buttonText);
    auto *grid = b ? qobject_cast<QGridLayout *>(b->parentWidget()->layout()) : nullptr;
    if (!grid)
        return nullptr;
    int row, column, rs, cs;
    grid->getItemPosition(grid->indexOf(b), &row, &column, &rs, &cs);
    for (int i = 0; i < grid->count(); ++i) {
        int r, c;
        grid->getItemPosition(i, &r, &c, &rs, &cs);
        auto *label = qobject_cast<QLabel *>(grid->itemAt(i)->widget());
        if (label && r == row + 1 && !label->isHidden())
            return label;
    }
    return nullptr;
}

void ClassWidgetTest::weatherOnThreePosters_data()
{
    QTest::addColumn<ParamList>("extra");
    QTest::addColumn<QString>("zip");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("city");

    QTest::newRow("no weather keys yet") << ParamList{} << "|75001|" << "|fr|" << "|Paris|";
    QTest::newRow("short lists keep poster 0's settings")
        << ParamList{{"WIDGETMETEOZIP", "13001"}, {"WIDGETMETEOLANGUE", "be"}, {"WIDGETMETEOCITY", "Marseille"}}
        << "13001|75001|" << "be|fr|" << "Marseille|Paris|";
    QTest::newRow("full lists: only poster 1 changes")
        << ParamList{{"WIDGETMETEOZIP", "1|2|3"}, {"WIDGETMETEOLANGUE", "fr|be|fr"}, {"WIDGETMETEOCITY", "A|B|C"}}
        << "1|75001|3" << "fr|be|fr" << "A|Paris|C";
}

void ClassWidgetTest::weatherOnThreePosters()
{
    QFETCH(ParamList, extra);
    QFETCH(QString, zip);
    QFETCH(QString, language);
    QFETCH(QString, city);
    PagesFixture fx;
    QVERIFY(fx.writePlayer(ParamList{{"SLIDETYPE", "||"}, {"SLIDEDELAY", "5|5|5"}} + extra));
    classWidget page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateWidget(1);
    kindList(page)->setCurrentText("METEO");
    QVERIFY(!toolButton(page, "Code postal")->isHidden());

    ModalAnswerer answerer;
    answerer.enterText("75001").enterText("Paris");
    toolButton(page, "Code postal")->click();
    toolButton(page, "Ville")->click();
    QVERIFY(answerer.done());
    QCOMPARE(answerer.texts(), (QStringList{"Entrer le code postal:", "Entrer le nom de la Ville:"}));

    QSignalSpy kinds(&page, &classWidget::signalNewWidget);
    QSignalSpy pages(&page, &classWidget::signalButton);
    page.slotValider();
    QCOMPARE(fx.value("SLIDETYPE"), QStringLiteral("|WIDGETMETEO|"));
    QCOMPARE(fx.value("WIDGETMETEOZIP"), zip);
    QCOMPARE(fx.value("WIDGETMETEOLANGUE"), language);
    QCOMPARE(fx.value("WIDGETMETEOCITY"), city);
    QCOMPARE(fx.value("SLIDEDELAY"), QStringLiteral("5|5|5"));
    QCOMPARE(kinds.count(), 1);
    QCOMPARE(kinds.first().first().toString(), QStringLiteral("METEO"));
    QCOMPARE(pages.count(), 1);
    QCOMPARE(pages.first().first().toInt(), 0);
}

void ClassWidgetTest::rssPresetAndDelay()
{
    PagesFixture fx;
    QVERIFY(fx.writePlayer({{"SLIDETYPE", "|WIDGETRSS"},
                            {"SLIDERSSADRESSE", "https://old.example/rss"},
                            {"SLIDERSSDELAY", "|2500"}}));
    classWidget page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateWidget(1);
    QCOMPARE(kindList(page)->currentText(), QStringLiteral("FLUX RSS"));
    // The short address list has no entry for poster 1; the delay drops its remainder.
    QCOMPARE(fieldAfter(page, "Adresse du Flux RSS")->text(), QString());
    QCOMPARE(fieldAfter(page, "Temps entre les info.(en s)")->text(), QStringLiteral("2"));

    auto *presets = page.findChildren<QComboBox *>().value(2);
    QVERIFY(presets);
    presets->setCurrentText("L'Equipe");
    const QString equipe = fieldAfter(page, "Adresse du Flux RSS")->text();
    QVERIFY(equipe.startsWith("https://"));
    presets->setCurrentText(QStringLiteral("Personnalisé"));
    QCOMPARE(fieldAfter(page, "Adresse du Flux RSS")->text(), equipe);
    // A resize refills the presets without putting one over a typed address.
    presets->setCurrentText("BFM");
    {
        ModalAnswerer typing;
        typing.enterText("https://own.example/rss");
        toolButton(page, "Adresse du Flux RSS")->click();
        QVERIFY(typing.done());
    }
    page.slotResize(1280, 800, 0);
    QCOMPARE(fieldAfter(page, "Adresse du Flux RSS")->text(), QStringLiteral("https://own.example/rss"));
    presets->setCurrentText("L'Equipe");

    ModalAnswerer answerer;
    answerer.enterText("10");
    toolButton(page, "Temps entre les info.(en s)")->click();
    QVERIFY(answerer.done());
    page.slotValider();
    QCOMPARE(fx.value("SLIDERSSADRESSE"), "https://old.example/rss|" + equipe);
    QCOMPARE(fx.value("SLIDERSSDELAY"), QStringLiteral("|10000"));
    QCOMPARE(fx.value("SLIDETYPE"), QStringLiteral("|WIDGETRSS"));
}

void ClassWidgetTest::resizeKeepsTheKind()
{
    PagesFixture fx;
    QVERIFY(fx.writePlayer({{"SLIDETYPE", "WIDGETMETEO|"}, {"WIDGETMETEOZIP", "75001|34000"}}));
    classWidget page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateWidget(0);
    page.slotResize(1024, 720, 90);
    QCOMPARE(kindList(page)->currentText(), QStringLiteral("METEO"));
    QVERIFY(!toolButton(page, "Code postal")->isHidden());
    page.slotValider();
    QCOMPARE(fx.value("SLIDETYPE"), QStringLiteral("WIDGETMETEO|"));
    QCOMPARE(fx.value("WIDGETMETEOZIP"), QStringLiteral("75001|34000"));
}

void ClassWidgetTest::unofferedKindIsKept()
{
    PagesFixture fx;
    QVERIFY(fx.writePlayer({{"SLIDETYPE", "WIDGETMETEO|WIDGETSITEWEB"}, {"SLIDERSSADRESSE", "|https://site.example"}}));
    classWidget page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateWidget(0);
    page.slotUpdateWidget(1);
    QCOMPARE(kindList(page)->currentText(), QStringLiteral("PAGE WEB"));
    page.slotValider();
    QCOMPARE(fx.value("SLIDETYPE"), QStringLiteral("WIDGETMETEO|WIDGETSITEWEB"));
    QCOMPARE(fx.value("SLIDERSSADRESSE"), QStringLiteral("|https://site.example"));

    // Another poster does not offer it; changing the list does change the kind.
    page.slotUpdateWidget(0);
    QCOMPARE(kindList(page)->findText("PAGE WEB"), -1);
    page.slotUpdateWidget(1);
    kindList(page)->setCurrentText("OFF");
    page.slotValider();
    QCOMPARE(fx.value("SLIDETYPE"), QStringLiteral("WIDGETMETEO|"));
}

void ClassWidgetTest::validateBeforeAnyPosterWritesNothing()
{
    PagesFixture fx;
    QVERIFY(fx.writePlayer({{"SLIDETYPE", "|"}}));
    const QByteArray before = fx.playerBytes();
    classWidget page;
    page.slotResize(1280, 800, 0);
    kindList(page)->setCurrentText("HORLOGE");
    QSignalSpy kinds(&page, &classWidget::signalNewWidget);
    QSignalSpy pages(&page, &classWidget::signalButton);
    page.slotValider();
    QCOMPARE(fx.playerBytes(), before);
    QCOMPARE(kinds.count(), 0);
    QCOMPARE(pages.count(), 1);
}

void ClassWidgetTest::refusedTypedValue_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("typed");

    QTest::newRow("city with a pipe") << "METEO" << "Ville" << "Paris|Lyon";
    QTest::newRow("city with a quote") << "METEO" << "Ville" << "Paris\"";
    QTest::newRow("RSS address with a line feed") << "FLUX RSS" << "Adresse du Flux RSS" << "http://a\nb";
    QTest::newRow("RSS address with a carriage return") << "FLUX RSS" << "Adresse du Flux RSS" << "http://a\rb";
}

void ClassWidgetTest::refusedTypedValue()
{
    QFETCH(QString, kind);
    QFETCH(QString, button);
    QFETCH(QString, typed);
    PagesFixture fx;
    QVERIFY(fx.writePlayer(
        {{"SLIDETYPE", "|"}, {"WIDGETMETEOCITY", "Sète|Agde"}, {"SLIDERSSADRESSE", "http://x|http://y"}}));
    classWidget page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateWidget(1);
    kindList(page)->setCurrentText(kind);
    QLabel *field = fieldAfter(page, button);
    const QString before = field->text();

    ModalAnswerer answerer;
    answerer.enterText(typed).confirm();
    toolButton(page, button)->click();
    QVERIFY(answerer.done());
    QCOMPARE(answerer.classNames().last(), QStringLiteral("ClassBox"));
    QCOMPARE(field->text(), before);
    page.slotValider();
    QCOMPARE(fx.value("WIDGETMETEOCITY"), QStringLiteral("Sète|Agde"));
    QCOMPARE(fx.value("SLIDERSSADRESSE"), QStringLiteral("http://x|http://y"));
}

void ClassWidgetTest::unreadableFileIsReported()
{
    PagesFixture fx;
    QVERIFY(fx.writePlayer({{"SLIDETYPE", "|"}}));
    classWidget page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateWidget(0);
    QVERIFY(QFile::remove(fx.playerFile()));
    kindList(page)->setCurrentText("HORLOGE");
    QSignalSpy pages(&page, &classWidget::signalButton);
    ModalAnswerer answerer;
    answerer.confirm();
    page.slotValider();
    QVERIFY(answerer.waitUntilDone());
    QVERIFY(answerer.done());
    QVERIFY(answerer.texts().last().contains("introuvable"));
    QCOMPARE(pages.count(), 0);
    QVERIFY(!QFile::exists(fx.playerFile()));
}

QTEST_MAIN(ClassWidgetTest)
#include "tst_classwidget.moc"
