#include "AppGlobals.h"
#include "ClassParam.h"
#include "ModalAnswerer.h"
#include "PosterListFile.h"
#include "PosterPanel.h"
#include "ZoTestInit.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

const QStringList kButtons{"Ajouter",  "Supprimer",   "Monter",    "Descendre",    "Renommer",  "Date/Heure",
                           "Réseaux",  "Spéciales",   "Tactile",   "Informations", "Orientation", "Alimentation",
                           "Visualiser", "Statistiques", "Editer", "Médiathèque",  "Déployer"};

QString md5Of(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QString::fromLatin1(QCryptographicHash::hash(f.readAll(), QCryptographicHash::Md5).toHex().toUpper());
}

} // namespace

// The panel with its own widgets around it, on a work folder holding three
// posters and a few media.
class PosterPanelTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void mediaChoiceWritesEntryAndChecksum_data();
    void mediaChoiceWritesEntryAndChecksum();
    void opacityKeypad_data();
    void opacityKeypad();
    void displayTimeKeypad_data();
    void displayTimeKeypad();
    void showsPoster();
    void mediaLibraryChanges_data();
    void mediaLibraryChanges();
    void picturesOnlyForRowsOnScreen();

    void addStopsAtMaximum();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void renameCleansName();

    void damagedFileIsReportedAndKept();
    void zoneLayoutAndScreenButton();
    void linkedPlaylistsOfEarlierScreenNotShown();

private:
    QString work() const { return m_dir->path() + QLatin1Char('/'); }
    QString file() const { return work() + QStringLiteral("DATA/PLAYER.orvex"); }
    QString entry(const QString &key, int poster) const;
    void writeKey(const QString &key, const QString &value);
    void writeMedia(const QString &relative, const QColor &color);
    void start(int maxPosters = 20, int maxDelay = 120);
    void select(int poster);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QWidget> m_panel;
    QFrame *m_frame = nullptr;
    QListWidget *m_posters = nullptr;
    QListWidget *m_screens = nullptr;
    QLabel *m_playlists = nullptr;
    QLabel *m_dimming = nullptr;
    QMap<QString, QToolButton *> m_buttons;
    ClassParam m_player;
    ClassParam m_playlist;
    int m_maxPosters = 20;
    std::unique_ptr<PosterPanel> m_p;
};

void PosterPanelTest::initTestCase()
{
    zoInitWidgetTest();
    Q_INIT_RESOURCE(qml);
}

void PosterPanelTest::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    for (const char *folder : {"DATA", "IMAGE", "VIDEO", "TEXT", "LOG"})
        QVERIFY(QDir(m_dir->path()).mkpath(QLatin1String(folder)));
    qputenv("ZOMANAGER_WORKDIR", m_dir->path().toLocal8Bit());
    ApplicationPath = work();

    writeMedia(QStringLiteral("IMAGE/a.png"), Qt::red);
    writeMedia(QStringLiteral("IMAGE/b.jpg"), Qt::green);
    writeMedia(QStringLiteral("TEXT/t1.png"), Qt::blue);
    QFile video(work() + QStringLiteral("VIDEO/v.mp4"));
    QVERIFY(video.open(QIODevice::WriteOnly));
    video.write("not really a video");
    video.close();

    PosterListFile::Records records{PosterListFile::newRecord(0), PosterListFile::newRecord(1),
                                    PosterListFile::newRecord(2)};
    records[0][PosterListFile::SlideNameImage] = QStringLiteral("IMAGE/a.png");
    records[1][PosterListFile::SlideNameImage] = QStringLiteral("IMAGE/b.jpg");
    records[1][PosterListFile::SlideNameTxt] = QStringLiteral("TEXT/t1.png");
    records[1][PosterListFile::SlideOpacity] = QStringLiteral("80");
    records[1][PosterListFile::SlideDelay] = QStringLiteral("60");
    records[2][PosterListFile::SlideOpacity] = QStringLiteral("15");
    records[2][PosterListFile::SlideDelay] = QStringLiteral("300");
    records[2][PosterListFile::DateDebut] = QStringLiteral("01/01/2024");
    records[2][PosterListFile::DateFin] = QStringLiteral("31/12/2024");
    records[2][PosterListFile::JoursSemaine] = QStringLiteral("13");
    QFile f(file());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    for (int k = 0; k < PosterListFile::FieldCount; ++k) {
        QStringList fields;
        for (const QStringList &r : qAsConst(records))
            fields.append(r.at(k));
        writeKey(PosterListFile::keys().at(k), fields.join(QLatin1Char('|')));
    }
    writeKey(QStringLiteral("POWERTIME"), QStringLiteral("07:00|19:00|12345"));

    m_panel.reset(new QWidget);
    m_panel->resize(1920, 1080);
    m_frame = new QFrame(m_panel.get());
    m_posters = new QListWidget(m_panel.get());
    m_screens = new QListWidget(m_panel.get());
    m_screens->addItem(QStringLiteral("ZB0001"));
    m_screens->setCurrentRow(0);
    m_playlists = new QLabel(m_panel.get());
    m_dimming = new QLabel(m_panel.get());
    m_dimming->hide();
    m_buttons.clear();
    for (const QString &caption : kButtons) {
        auto *b = new QToolButton(m_panel.get());
        b->setText(caption);
        m_buttons.insert(caption, b);
    }
}

void PosterPanelTest::cleanup()
{
    m_p.reset();
    m_panel.reset();
    m_dir.reset();
}

void PosterPanelTest::writeKey(const QString &key, const QString &value)
{
    ClassParam p;
    QVERIFY(p.setParamCrypt(file(), key, value));
}

void PosterPanelTest::writeMedia(const QString &relative, const QColor &color)
{
    QImage image(64, 36, QImage::Format_RGB32);
    image.fill(color);
    QVERIFY(image.save(work() + relative));
}

QString PosterPanelTest::entry(const QString &key, int poster) const
{
    ClassParam p;
    return PosterListFile::entries(p.getParamCrypt(file(), key, 0)).value(poster, QStringLiteral("<none>"));
}

void PosterPanelTest::start(int maxPosters, int maxDelay)
{
    m_maxPosters = maxPosters;
    PosterPanel::Host host;
    host.panel = m_panel.get();
    host.posterFrame = m_frame;
    host.posterList = m_posters;
    host.screensList = m_screens;
    host.playlistsLabel = m_playlists;
    host.dimming = m_dimming;
    host.paramPlayer = &m_player;
    host.paramPlaylist = &m_playlist;
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it)
        host.buttons.append(qMakePair(it.key(), static_cast<QAbstractButton *>(it.value())));
    host.accountName = [] { return QStringLiteral("demo"); };
    host.deployRunning = [] { return false; };
    host.maxPosterCount = [this] { return m_maxPosters; };
    m_p.reset(new PosterPanel(host));
    m_p->setMaxDisplayTime(maxDelay);
    m_p->UpdateMedia();
    m_p->ActiveWidget(true);
    m_p->AfficheINFO();
    QTRY_VERIFY(!m_p->selectionPending());
}

void PosterPanelTest::select(int poster)
{
    m_posters->setCurrentRow(poster);
    QTRY_VERIFY(!m_p->selectionPending());
    QCOMPARE(m_posters->currentRow(), poster);
}

void PosterPanelTest::mediaChoiceWritesEntryAndChecksum_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("path");

    QTest::newRow("picture") << "listeImages" << "a.png" << "SLIDENAMEIMAGE" << "IMAGE/a.png";
    QTest::newRow("picture OFF") << "listeImages" << "OFF" << "SLIDENAMEIMAGE" << "";
    QTest::newRow("video") << "listeVideos" << "v.mp4" << "SLIDENAMEVIDEO" << "VIDEO/v.mp4";
    QTest::newRow("text picture OFF") << "listeTextes" << "OFF" << "SLIDENAMETXT" << "";
}

void PosterPanelTest::mediaChoiceWritesEntryAndChecksum()
{
    QFETCH(QString, list);
    QFETCH(QString, row);
    QFETCH(QString, key);
    QFETCH(QString, path);

    start();
    select(1);
    auto *media = m_frame->findChild<QListWidget *>(list);
    QVERIFY(media);
    const QList<QListWidgetItem *> items = media->findItems(row, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    const QString otherBefore0 = entry(key, 0), otherBefore2 = entry(key, 2);

    media->setCurrentItem(items.first());

    QCOMPARE(entry(key, 1), path);
    const QString checksum = entry(key + QStringLiteral("CHK"), 1);
    if (path.isEmpty()) {
        QCOMPARE(checksum, QString());
    } else {
        QCOMPARE(checksum, md5Of(work() + path));
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]{32}$")).match(checksum).hasMatch());
    }
    QCOMPARE(entry(key, 0), otherBefore0);
    QCOMPARE(entry(key, 2), otherBefore2);
    if (list == QLatin1String("listeImages"))
        QCOMPARE(m_p->opacityButton()->isHidden(), path.isEmpty());
}

void PosterPanelTest::opacityKeypad_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("message");

    QTest::newRow("half") << "50" << "50" << "50%" << false;
    QTest::newRow("full") << "100" << "100" << "100%" << false;
    QTest::newRow("below range") << "5" << "80" << "80%" << true;
    QTest::newRow("above range") << "150" << "80" << "80%" << true;
}

void PosterPanelTest::opacityKeypad()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, button);
    QFETCH(bool, message);

    start();
    select(1);
    QCOMPARE(m_p->opacitySlider()->value(), 80);

    ModalAnswerer answerer;
    answerer.enterText(typed);
    if (message)
        answerer.confirm();
    m_p->opacityButton()->click();
    QVERIFY2(answerer.waitUntilDone(), qPrintable(answerer.errors().join(QLatin1Char('\n'))));
    QVERIFY(answerer.done());
    QCOMPARE(answerer.texts().first(), QStringLiteral("Opacité(%)"));

    QCOMPARE(entry(QStringLiteral("SLIDEOPACITY"), 1), stored);
    QCOMPARE(m_p->opacityButton()->text(), button);
    QCOMPARE(m_p->opacityField(), stored);
    QCOMPARE(m_p->opacitySlider()->value(), 80);
    QCOMPARE(entry(QStringLiteral("SLIDEOPACITY"), 0), QStringLiteral("100"));
}

void PosterPanelTest::displayTimeKeypad_data()
{
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");

    // Poster 1 shows 60 s.
    QTest::newRow("within") << 120 << "45" << "45";
    QTest::newRow("above the user's maximum") << 120 << "300" << "120";
    QTest::newRow("slider already at the maximum stored the typed time") << 60 << "300" << "60";
    QTest::newRow("restricted user") << 5 << "60" << "5";
    QTest::newRow("emptied line") << 120 << "" << "0";
}

void PosterPanelTest::displayTimeKeypad()
{
    QFETCH(int, maximum);
    QFETCH(QString, typed);
    QFETCH(QString, stored);

    start(20, maximum);
    select(1);
    ModalAnswerer answerer;
    answerer.enterText(typed);
    m_p->delayButton()->click();
    QVERIFY(answerer.waitUntilDone());
    QVERIFY(answerer.done());

    QCOMPARE(entry(QStringLiteral("SLIDEDELAY"), 1), stored);
    QCOMPARE(m_p->delayField(), stored);
    QCOMPARE(m_p->delayButton()->text(), stored + QStringLiteral("s"));
    QCOMPARE(entry(QStringLiteral("SLIDEDELAY"), 2), QStringLiteral("300"));
}

void PosterPanelTest::showsPoster()
{
    start();
    select(2);
    // A stored opacity below 30 shows at 30, the button keeps what is stored.
    QCOMPARE(m_p->opacitySlider()->value(), 30);
    QCOMPARE(m_p->opacityButton()->text(), QStringLiteral("15%"));
    QCOMPARE(m_p->delayButton()->text(), QStringLiteral("300s"));
    QCOMPARE(m_p->delaySlider()->maximum(), 300);
    const QStringList texts = [this] {
        QStringList t;
        for (QLabel *l : m_frame->findChildren<QLabel *>())
            if (!l->isHidden())
                t.append(l->text());
        return t;
    }();
    QVERIFY2(texts.contains(QStringLiteral("Du 01/01/2024 au 31/12/2024")), qPrintable(texts.join(',')));
    QVERIFY(texts.contains(QStringLiteral("Le Lun. Mer.")));
    QVERIFY(texts.contains(QStringLiteral("DATE DE L'AFFICHE")));
    QVERIFY(!texts.contains(QStringLiteral("HEURE DE L'AFFICHE")));
    QCOMPARE(m_p->powerLabels().at(0)->text(), QStringLiteral("De 07:00 à 19:00"));
    QCOMPARE(m_p->powerLabels().at(1)->text(), QStringLiteral("\nLe Lun. Mar. Mer. Jeu. Ven."));
    QVERIFY(!m_p->powerCaption()->isHidden());

    // Showing a poster writes nothing back.
    const QByteArray before = [this] { QFile f(file()); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    select(1);
    QCOMPARE(m_p->imageList()->currentItem()->text(), QStringLiteral("b.jpg"));
    QCOMPARE(m_p->textList()->currentItem()->text(), QStringLiteral("t1.png"));
    QFile f(file());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
}

void PosterPanelTest::mediaLibraryChanges_data()
{
    QTest::addColumn<int>("poster");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("added");   // announced first, "" for none
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("currentRow");
    // The library deletes a removed file before it says so; a replaced text
    // picture that other posters show stays on disk.
    QTest::addColumn<bool>("keptOnDisk");

    QTest::newRow("removing the shown picture writes nothing") << 0 << 0 << "" << "a.png" << "SLIDENAMEIMAGE"
                                                              << "IMAGE/a.png" << "OFF" << false;
    QTest::newRow("removing another picture keeps the row") << 1 << 0 << "" << "a.png" << "SLIDENAMEIMAGE"
                                                           << "IMAGE/b.jpg" << "b.jpg" << false;
    QTest::newRow("re-added picture moves to the end, poster kept") << 0 << 0 << "a.png" << "" << "SLIDENAMEIMAGE"
                                                                   << "IMAGE/a.png" << "a.png" << false;
    QTest::newRow("text poster saved under a new name") << 1 << 2 << "t2.png" << "t1.png" << "SLIDENAMETXT"
                                                       << "TEXT/t2.png" << "t2.png" << false;
    QTest::newRow("text picture deleted in the library landed on another poster") << 0 << 2 << "t2.png" << "t1.png" << "SLIDENAMETXT"
                                                           << "" << "OFF" << false;
    QTest::newRow("replaced text picture other posters show left the list") << 1 << 2 << "t2.png" << "t1.png"
                                                                            << "SLIDENAMETXT" << "TEXT/t2.png"
                                                                            << "t2.png" << true;
}

void PosterPanelTest::mediaLibraryChanges()
{
    QFETCH(int, poster);
    QFETCH(int, type);
    QFETCH(QString, added);
    QFETCH(QString, removed);
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(QString, currentRow);
    QFETCH(bool, keptOnDisk);

    start();
    select(poster);
    if (!added.isEmpty()) {
        if (type == 2)
            writeMedia(QStringLiteral("TEXT/") + added, Qt::yellow);
        m_p->slotNewMedia(type, added);
    }
    const QString folder = type == 0 ? QStringLiteral("IMAGE/") : QStringLiteral("TEXT/");
    if (!removed.isEmpty()) {
        if (!keptOnDisk)
            QVERIFY(QFile::remove(work() + folder + removed));
        m_p->slotSupprimeMedia(type, removed);
    }

    QListWidget *list = type == 0 ? m_p->imageList() : m_p->textList();
    if (!removed.isEmpty())
        QCOMPARE(list->findItems(removed, Qt::MatchExactly).size(), keptOnDisk ? 1 : 0);
    QCOMPARE(entry(key, poster), stored);
    QCOMPARE(list->currentItem()->text(), currentRow);
    if (!added.isEmpty())
        QCOMPARE(list->item(list->count() - 1)->text(), added);
    if (!stored.isEmpty())
        QCOMPARE(entry(key + QStringLiteral("CHK"), poster).isEmpty(), key == QLatin1String("SLIDENAMEIMAGE"));
    if (type == 2 && !stored.isEmpty())
        QCOMPARE(entry(key + QStringLiteral("CHK"), poster), md5Of(work() + stored));
}

// A library of thousands of pictures once kept a decoded icon per row of
// the panel's lists from the login on: the rows on screen show their
// pictures, the others a clear icon.
void PosterPanelTest::picturesOnlyForRowsOnScreen()
{
    for (int i = 0; i < 60; ++i)
        writeMedia(QStringLiteral("IMAGE/p%1.png").arg(i, 2, 10, QLatin1Char('0')), Qt::darkCyan);
    start();
    m_frame->resize(1600, 700);
    m_panel->show();
    QListWidget *list = m_p->imageList();
    QCOMPARE(list->item(1)->text(), QStringLiteral("a.png"));
    const auto centre = [list](int row) {
        const QSize size = list->iconSize();
        return list->item(row)->icon().pixmap(size).toImage().pixel(size.width() / 2, size.height() / 2);
    };
    QTRY_COMPARE(centre(1), QColor(Qt::red).rgb());
    QCOMPARE(qAlpha(centre(list->count() - 1)), 0);
    list->scrollToBottom();
    QTRY_COMPARE(centre(list->count() - 1), QColor(Qt::darkCyan).rgb());
}

void PosterPanelTest::addStopsAtMaximum()
{
    start(4);
    QVERIFY(m_buttons.value("Ajouter")->isEnabled());
    m_p->slotAjouterSlide();
    QTRY_VERIFY(!m_p->selectionPending());
    QCOMPARE(m_posters->count(), 4);
    QCOMPARE(m_posters->currentRow(), 3);
    QCOMPARE(m_posters->item(3)->text(), QStringLiteral("Affiche n°4"));
    QCOMPARE(entry(QStringLiteral("NOMAFFICHE"), 3), QStringLiteral("Affiche n°4"));
    QCOMPARE(entry(QStringLiteral("SLIDEOPACITY"), 3), QStringLiteral("100"));
    QVERIFY(!m_buttons.value("Ajouter")->isEnabled());

    m_p->slotAjouterSlide();
    QCOMPARE(m_posters->count(), 4);
    QCOMPARE(entry(QStringLiteral("SLIDETYPE"), 4), QStringLiteral("<none>"));
}

void PosterPanelTest::deleteAsksFirst_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("confirmed") << true << QStringList{"Affiche n°1", "Affiche n°3"};
    QTest::newRow("cancelled") << false << QStringList{"Affiche n°1", "Affiche n°2", "Affiche n°3"};
}

void PosterPanelTest::deleteAsksFirst()
{
    QFETCH(bool, confirmed);
    QFETCH(QStringList, names);

    start();
    select(1);
    ModalAnswerer answerer;
    if (confirmed)
        answerer.confirm();
    else
        answerer.cancel();
    m_p->slotSupprimerSlide();
    QVERIFY(answerer.done());
    QCOMPARE(answerer.texts(), QStringList{"Etes-vous sûrs de vouloir supprimer cette affiche?"});
    QVERIFY(m_dimming->isHidden());
    QTRY_VERIFY(!m_p->selectionPending());

    QCOMPARE(m_posters->count(), names.size());
    ClassParam p;
    QCOMPARE(p.getParamCrypt(file(), QStringLiteral("NOMAFFICHE"), 0), names.join(QLatin1Char('|')));
    // The former third poster keeps its own values.
    QCOMPARE(entry(QStringLiteral("SLIDEDELAY"), names.size() - 1), QStringLiteral("300"));
}

void PosterPanelTest::renameCleansName()
{
    start();
    select(2);
    ModalAnswerer answerer;
    answerer.enterText(QStringLiteral("Promo|Soldes"));
    m_p->slotRenommerSlide();
    QVERIFY(answerer.done());
    QCOMPARE(m_posters->item(2)->text(), QStringLiteral("Promo Soldes"));
    ClassParam p;
    QCOMPARE(p.getParamCrypt(file(), QStringLiteral("NOMAFFICHE"), 0),
             QStringLiteral("Affiche n°1|Affiche n°2|Promo Soldes"));
    QCOMPARE(p.getParamCrypt(file(), QStringLiteral("SLIDETYPE"), 0), QStringLiteral("||"));
}

void PosterPanelTest::damagedFileIsReportedAndKept()
{
    QFile f(file());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("00FF00FF00FF00FF00FF00FF00FF00FF");
    f.close();

    {
        // One answerer at a time: a live one would take the next dialog too.
        ModalAnswerer shown;
        shown.confirm();
        start();
        QVERIFY(shown.waitUntilDone());
        QVERIFY(shown.done());
        QVERIFY2(shown.texts().first().contains(QStringLiteral("endommagé")), qPrintable(shown.texts().first()));
    }
    ModalAnswerer added;
    added.confirm();
    m_p->slotAjouterSlide();
    QVERIFY(added.done());
    QVERIFY2(added.texts().first().startsWith(QStringLiteral("L'affiche n'a pas pu être ajoutée.")),
             qPrintable(added.texts().first()));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("00FF00FF00FF00FF00FF00FF00FF00FF"));
    QCOMPARE(m_posters->count(), 1);
}

void PosterPanelTest::zoneLayoutAndScreenButton()
{
    writeKey(QStringLiteral("ROTATION2"), QStringLiteral("90"));
    writeKey(QStringLiteral("CONFIGECRAN"), QStringLiteral("0-0-100-50|0-50-100-50"));
    // An emptied NUMEROECRAN is padded to one entry per poster by the first cycle.
    writeKey(QStringLiteral("NUMEROECRAN"), QString());
    start();
    QSignalSpy resize(m_p.get(), &PosterPanel::signalResize);
    QSignalSpy resize2(m_p.get(), &PosterPanel::signalResize2);
    m_p->InfoPlayer();
    QCOMPARE(resize.count(), 1);
    QCOMPARE(resize.first(), (QVariantList{1920, 1080, 0}));
    QCOMPARE(resize2.first(), (QVariantList{1920, 1080, 90}));
    QCOMPARE(m_buttons.value("Orientation")->text(), QStringLiteral("Portrait(2)"));
    QCOMPARE(m_p->previewWidth(), 640);
    QVERIFY(!m_p->screenButton()->isHidden());

    select(1);
    m_p->screenButton()->setText(QStringLiteral("Ecran n°1"));
    m_p->slotChoixEcran();
    QCOMPARE(m_p->screenButton()->text(), QStringLiteral("Ecran n°2"));
    ClassParam p;
    QCOMPARE(p.getParamCrypt(file(), QStringLiteral("NUMEROECRAN"), 0), QStringLiteral("|2|"));
    m_p->slotChoixEcran();
    QCOMPARE(m_p->screenButton()->text(), QStringLiteral("Ecran n°1"));
    QCOMPARE(p.getParamCrypt(file(), QStringLiteral("NUMEROECRAN"), 0), QStringLiteral("|1|"));
}

void PosterPanelTest::linkedPlaylistsOfEarlierScreenNotShown()
{
    const QString playlist = work() + QStringLiteral("DATA/PLAYLIST.orvex");
    QFile f(playlist);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(ClassParam().setParamCrypt(playlist, QStringLiteral("PLAYLIST"), QStringLiteral("PLAYLIST-Hall|PLAYLIST-Bar")));
    start();
    QCOMPARE(m_playlists->text(), QStringLiteral("Playlists liées: Hall Bar"));
    QVERIFY(!m_playlists->isHidden());

    QVERIFY(QFile::remove(playlist));
    m_posters->clear();
    m_p->AfficheINFO();
    QTRY_VERIFY(!m_p->selectionPending());
    QCOMPARE(m_playlists->text(), QString());
    QVERIFY(m_playlists->isHidden());
}

QTEST_MAIN(PosterPanelTest)
#include "tst_posterpanel.moc"
