// The compiled-in pictures: every resource path the console names loads as a
// picture of a sensible shape, every file of the resource set is a readable picture,
// and a contact sheet of them all is written for review (screenshots/resources.png).
#include <QColor>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QtTest>

namespace {

// Every picture path the console names (":/images/...", ":/img/...").
const char *const kSpecPaths[] = {
    // control panel tool buttons and pages
    ":/images/Admin.png", ":/images/Alerte.png", ":/images/Calendar.png", ":/images/Connect.png",
    ":/images/Disconnect.png", ":/images/Deploy.png", ":/images/Descendre.png", ":/images/Monter.png",
    ":/images/Mediatheque.png", ":/images/Moins.png", ":/images/Plus.png", ":/images/Parametres.png",
    ":/images/Paysage.png", ":/images/Play.png", ":/images/PowerON.png", ":/images/PowerOFF.png",
    ":/images/Quit.png", ":/images/Rename.png", ":/images/Stat.png", ":/images/Switch.png",
    ":/images/Txt.png", ":/images/Widget.png", ":/images/web.png", ":/images/InteractionOui.png",
    ":/images/user.png", ":/images/dir.png", ":/images/dir2.png", ":/images/dirBlue.png",
    ":/images/playlist.png", ":/images/Groupes.png", ":/images/film.png",
    ":/images/All.png", ":/images/All-blue.png", ":/images/Selecton.png", ":/images/Selectoff.png",
    // administration and box pages
    ":/images/Email.png", ":/images/Phone.png", ":/images/cadena.png", ":/images/Etiquette.png",
    ":/images/Filtres.png", ":/images/Position.png", ":/images/Position2.png", ":/images/update.png",
    // scheduling, widget, publication and touch pages
    ":/images/DateON.png", ":/images/DateOFF.png", ":/images/HeureON.png", ":/images/HeureOFF.png",
    ":/images/World.png", ":/images/Rss.png", ":/images/PathWeb.png",
    ":/images/WwwON.png", ":/images/WwwOFF.png", ":/images/FacebookON.png", ":/images/FacebookOFF.png",
    ":/images/InstagramOFF.png", ":/images/TwitterOFF.png",
    // orientation page layouts
    ":/images/Paysage-2Ecrans.png", ":/images/Paysage-3Ecrans.png", ":/images/Portrait.png",
    ":/images/Portrait-2Ecrans.png", ":/images/Portrait-3Ecrans.png",
    // widget previews
    ":/images/HORLOGE-Paysage.jpg", ":/images/HORLOGE-Portrait.jpg", ":/images/Meteo-Paysage.jpg",
    ":/images/Meteo-Portrait.jpg", ":/images/RSS-Paysage.jpg", ":/images/RSS-Portrait.jpg",
    ":/images/WEBAPP-Paysage.jpg", ":/images/WEBAPP-Portrait.jpg",
    // dialogs, backgrounds, logos, style sheet pictures
    ":/images/information.png", ":/images/interrogation.png", ":/images/warning.png",
    ":/images/erreur.png", ":/images/valider.png", ":/images/annuler.png", ":/images/Retour.png",
    ":/images/Message.png", ":/images/Background.jpg", ":/images/BackgroundColor.jpg",
    ":/images/BackgroundMessage.png", ":/images/Background-box.png", ":/images/Button-Pressed.png",
    ":/images/upArrow.png", ":/images/downArrow.png", ":/images/LogoOrvex.png",
    ":/images/LogoOrvex2.png",
    // text-poster editor tool bar
    ":/images/Editer/BackPicture.png", ":/images/Editer/BackVideo.png", ":/images/Editer/Chrono.png",
    ":/images/Editer/Fermer.png", ":/images/Editer/Heure.png", ":/images/Editer/Play.png",
    ":/images/Editer/Sauvegarder.png", ":/images/Editer/Supprimer.png",
    ":/images/Editer/calendrier.png", ":/images/Editer/text.png", ":/images/Editer/textbold.png",
    ":/images/Editer/textitalic.png", ":/images/Editer/textunder.png",
    ":/images/Editer/textleft.png", ":/images/Editer/textcenter.png",
    ":/images/Editer/textright.png", ":/images/Editer/textjustify.png",
    // box status and commands
    ":/images/Status/BackSystem.png", ":/images/Status/BoxClose.png",
    ":/images/Status/BoxHdmiOFF.png", ":/images/Status/BoxHeure.png", ":/images/Status/BoxOK.png",
    ":/images/Status/BoxPowerOFF.png", ":/images/Status/BoxUpdate.png",
    ":/images/Status/Reboot.png", ":/images/Status/StopHdmi.png",
    ":/images/Status/UpdateSystem.png",
    ":/images/Status/BoxConnexionON.png", ":/images/Status/BoxConnexionOFF.png",
    ":/images/Status/BoxConnexionNULL.png", ":/images/Status/BoxEcranON.png",
    ":/images/Status/BoxEcranOFF.png", ":/images/Status/BoxEcranNULL.png",
    ":/images/Status/BoxMiseAJourON.png", ":/images/Status/BoxMiseAJourOFF.png",
    ":/images/Status/BoxMiseAJourNULL.png",
    // player preview scene (EcranPrincipal / EcranSimple, relative "../img/..." from qrc:/qml/)
    ":/img/zoplayer.png", ":/img/zoplayer.jpg", ":/img/Wait.png", ":/img/Finish.png",
    ":/img/Update.png",
};

// The pictures drawn for the QML scenes (WeatherIcon by OpenWeatherMap icon code, the
// clock face and hands, the news scene and the like counter).
QStringList qmlPicturePaths()
{
    QStringList paths;
    for (const char *code : {"01", "02", "03", "04", "09", "10", "11", "13", "50"})
        for (const char *dn : {"d", "n"})
            paths << QStringLiteral(":/qml/icons/%1%2.png").arg(QLatin1String(code), QLatin1String(dn));
    paths << ":/qml/icons/sunrise.png" << ":/qml/icons/sunset.png" << ":/qml/icons/humidity.png"
          << ":/qml/icons/pressure.png" << ":/qml/icons/wind.png"
          << ":/qml/horloge/clock.png" << ":/qml/horloge/clock-night.png"
          << ":/qml/horloge/hour.png" << ":/qml/horloge/minute.png"
          << ":/qml/horloge/second.png" << ":/qml/horloge/center.png"
          << ":/qml/content/images/busy.png" << ":/qml/content/images/scrollbar.png"
          << ":/qml/content/images/noimage.png" << ":/qml/content/images/rss.png"
          << ":/qml/facebook/like.png" << ":/qml/facebook/logo.png";
    return paths;
}

// Every picture file of the resource set, sorted.
QStringList allPictures()
{
    QStringList files;
    for (const QString &root : {QStringLiteral(":/images"), QStringLiteral(":/img"), QStringLiteral(":/qml")}) {
        QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString f = it.next();
            if (f.endsWith(QLatin1String(".png")) || f.endsWith(QLatin1String(".jpg")))
                files << f;
        }
    }
    files.sort();
    return files;
}

QString screenshotDir()
{
    const QString env = qEnvironmentVariable("ZO_SCREENSHOT_DIR");
    return env.isEmpty() ? QDir::currentPath() + QStringLiteral("/screenshots") : env;
}

} // namespace

class TstResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void specPicturesLoad_data();
    void specPicturesLoad();
    void qmlPicturesLoad_data();
    void qmlPicturesLoad();
    void everyFileIsAPicture();
    void shapes();
    void contactSheet();
};

void TstResources::initTestCase()
{
    Q_INIT_RESOURCE(resources);
    QVERIFY(QFileInfo::exists(QStringLiteral(":/images/Background.jpg")));
}

void TstResources::specPicturesLoad_data()
{
    QTest::addColumn<QString>("path");
    for (const char *p : kSpecPaths)
        QTest::newRow(p) << QString::fromLatin1(p);
}

void TstResources::specPicturesLoad()
{
    QFETCH(QString, path);
    const QImage img(path);
    QVERIFY2(!img.isNull(), qPrintable(path + QStringLiteral(" does not load")));
    QVERIFY(img.width() >= 16 && img.height() >= 16);
}

void TstResources::qmlPicturesLoad_data()
{
    QTest::addColumn<QString>("path");
    for (const QString &p : qmlPicturePaths())
        QTest::newRow(qPrintable(p)) << p;
}

void TstResources::qmlPicturesLoad()
{
    QFETCH(QString, path);
    QVERIFY2(!QImage(path).isNull(), qPrintable(path + QStringLiteral(" does not load")));
    // The same picture as a QML scene reaches it.
    QVERIFY(QFileInfo::exists(QStringLiteral(":") + QUrl(QStringLiteral("qrc") + path).path()));
}

void TstResources::everyFileIsAPicture()
{
    const QStringList files = allPictures();
    QVERIFY(files.size() >= 150);
    for (const QString &f : files) {
        QImageReader reader(f);
        QVERIFY2(reader.canRead(), qPrintable(f));
        QVERIFY2(!reader.read().isNull(), qPrintable(f + QStringLiteral(": ") + reader.errorString()));
    }
}

void TstResources::shapes()
{
    // Backgrounds are full screens; previews have the aspect ratio of the screen they show.
    QCOMPARE(QImage(":/images/Background.jpg").size(), QSize(1920, 1080));
    QCOMPARE(QImage(":/images/BackgroundColor.jpg").size(), QSize(1920, 1080));
    for (const char *w : {"HORLOGE", "Meteo", "RSS", "WEBAPP"}) {
        const QImage land(QStringLiteral(":/images/%1-Paysage.jpg").arg(QLatin1String(w)));
        const QImage port(QStringLiteral(":/images/%1-Portrait.jpg").arg(QLatin1String(w)));
        QCOMPARE(land.width() * 9, land.height() * 16);
        QCOMPARE(port.width() * 16, port.height() * 9);
    }
    for (const char *l : {"Paysage", "Paysage-2Ecrans", "Paysage-3Ecrans"})
        QVERIFY(QImage(QStringLiteral(":/images/%1.png").arg(QLatin1String(l))).width()
                > QImage(QStringLiteral(":/images/%1.png").arg(QLatin1String(l))).height());
    for (const char *l : {"Portrait", "Portrait-2Ecrans", "Portrait-3Ecrans"})
        QVERIFY(QImage(QStringLiteral(":/images/%1.png").arg(QLatin1String(l))).height()
                > QImage(QStringLiteral(":/images/%1.png").arg(QLatin1String(l))).width());
    // Icons keep transparent corners (they sit on the console's backgrounds).
    for (const char *icon : {":/images/Plus.png", ":/images/user.png", ":/images/Status/BoxOK.png",
                             ":/qml/icons/01d.png", ":/images/Editer/textbold.png"}) {
        const QImage img = QImage(icon).convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(img.hasAlphaChannel(), icon);
        QCOMPARE(qAlpha(img.pixel(0, 0)), 0);
    }
    // The clock hands share the face's size, so a scene can stack and rotate them about the centre.
    const QSize face = QImage(":/qml/horloge/clock.png").size();
    for (const char *hand : {"hour", "minute", "second", "center", "clock-night"})
        QCOMPARE(QImage(QStringLiteral(":/qml/horloge/%1.png").arg(QLatin1String(hand))).size(), face);
}

void TstResources::contactSheet()
{
    const QStringList files = allPictures();
    const int cell = 132, thumb = 104, label = 26, cols = 12;
    const int rows = (files.size() + cols - 1) / cols;
    QImage sheet(cols * cell, rows * (cell + label) + 8, QImage::Format_RGB32);
    sheet.fill(QColor(14, 24, 38));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    p.setFont(font);
    const QFontMetrics fm(font);
    for (int i = 0; i < files.size(); ++i) {
        const int x = (i % cols) * cell, y = (i / cols) * (cell + label) + 4;
        const QImage img(files.at(i));
        // A lighter square under each picture shows its transparent parts and its bounds.
        p.fillRect(x + 12, y + 8, thumb + 4, thumb + 4, QColor(30, 44, 64));
        const QImage s = img.scaled(thumb, thumb, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        p.drawImage(x + 14 + (thumb - s.width()) / 2, y + 10 + (thumb - s.height()) / 2, s);
        const QString name = files.at(i).mid(2);  // drop ":/"
        p.setPen(QColor(220, 225, 232));
        p.drawText(QRect(x + 2, y + thumb + 16, cell - 4, label),
                   Qt::AlignHCenter | Qt::AlignTop,
                   fm.elidedText(name, Qt::ElideLeft, cell - 4));
    }
    p.end();
    const QString dir = screenshotDir();
    QVERIFY(QDir().mkpath(dir));
    const QString out = QDir(dir).filePath(QStringLiteral("resources.png"));
    QVERIFY2(sheet.save(out, "PNG"), qPrintable(out));
    qInfo("contact sheet: %s (%d pictures)", qPrintable(out), int(files.size()));
}

QTEST_MAIN(TstResources)
#include "tst_resources.moc"
