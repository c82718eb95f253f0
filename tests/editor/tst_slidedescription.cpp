#include "PosterArea.h"
#include "SlideDescription.h"

#include <QtTest>

// The rich-text editor's poster description, window checks and area.
class TestSlideDescription : public QObject
{
    Q_OBJECT

private slots:
    void list_data();
    void list();
    void windows_data();
    void windows();
    void stem_data();
    void stem();
    void area_data();
    void area();
};

void TestSlideDescription::list_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("video");
    QTest::addColumn<QString>("textPicture");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("picture with text") << "wide.png" << "" << "DATA/Slide3.png"
                                       << QStringList{"Image", "12", "IMAGE/wide.png", "P", "", "", "DATA/Slide3.png",
                                                      "T", "60", "01/02/2027", "08:00:00", "03/02/2027", "18:00:00"};
    QTest::newRow("video only") << "" << "clip.mp4" << ""
                                << QStringList{"Video", "12", "", "", "VIDEO/clip.mp4", "V", "", "", "60",
                                               "01/02/2027", "08:00:00", "03/02/2027", "18:00:00"};
    QTest::newRow("nothing chosen") << "" << "" << ""
                                    << QStringList{"Image", "12", "", "", "", "", "", "", "60", "01/02/2027",
                                                   "08:00:00", "03/02/2027", "18:00:00"};
}

void TestSlideDescription::list()
{
    QFETCH(QString, picture);
    QFETCH(QString, video);
    QFETCH(QString, textPicture);
    QFETCH(QStringList, expected);
    SlideDescription s;
    s.displayTime = 12;
    s.pictureName = picture;
    s.pictureChecksum = QStringLiteral("P");
    s.videoName = video;
    s.videoChecksum = QStringLiteral("V");
    s.textPicture = textPicture;
    s.textPictureChecksum = QStringLiteral("T");
    s.opacity = 60;
    s.startDate = QStringLiteral("01/02/2027");
    s.startTime = QStringLiteral("08:00:00");
    s.endDate = QStringLiteral("03/02/2027");
    s.endTime = QStringLiteral("18:00:00");
    const QStringList got = s.toList();
    QCOMPARE(got.size(), 13);
    QCOMPARE(got, expected);
}

void TestSlideDescription::windows_data()
{
    QTest::addColumn<QTime>("startTime");
    QTest::addColumn<QTime>("endTime");
    QTest::addColumn<QString>("timeError");
    QTest::addColumn<QDate>("startDate");
    QTest::addColumn<QDate>("endDate");
    QTest::addColumn<QString>("dateError");
    QTest::newRow("sound") << QTime(8, 0) << QTime(18, 0) << "" << QDate(2027, 2, 1) << QDate(2027, 2, 3) << "";
    QTest::newRow("ends before it starts") << QTime(18, 0) << QTime(8, 0) << "Vérifiez l'heure de fin!!!"
                                           << QDate(2027, 2, 3) << QDate(2027, 2, 1) << "Vérifiez la date de fin!!!";
    QTest::newRow("same") << QTime(8, 0) << QTime(8, 0) << "Les heures sont identiques!!!" << QDate(2027, 2, 1)
                          << QDate(2027, 2, 1) << "Les dates sont identiques!!!";
    QTest::newRow("one second apart") << QTime(8, 0, 0) << QTime(8, 0, 1) << "" << QDate(2027, 2, 1)
                                      << QDate(2027, 2, 2) << "";
}

void TestSlideDescription::windows()
{
    QFETCH(QTime, startTime);
    QFETCH(QTime, endTime);
    QFETCH(QString, timeError);
    QFETCH(QDate, startDate);
    QFETCH(QDate, endDate);
    QFETCH(QString, dateError);
    QCOMPARE(SlideDescription::timeWindowError(startTime, endTime), timeError);
    QCOMPARE(SlideDescription::dateWindowError(startDate, endDate), dateError);
}

void TestSlideDescription::stem_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("stem");
    QTest::newRow("number") << "N°3" << "Slide3";
    QTest::newRow("before any record") << "" << "Slide";
    QTest::newRow("a number that would leave DATA") << "N°../../LoginCrypt" << "SlideLoginCrypt";
}

void TestSlideDescription::stem()
{
    QFETCH(QString, label);
    QFETCH(QString, stem);
    QCOMPARE(SlideDescription::slideStem(label), stem);
}

void TestSlideDescription::area_data()
{
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QSize>("area");
    QTest::newRow("landscape, not bounded by the width") << 0 << QSize(1369, 770);
    QTest::newRow("portrait 90") << 90 << QSize(433, 770);
    QTest::newRow("portrait -90 too") << -90 << QSize(433, 770);
}

void TestSlideDescription::area()
{
    QFETCH(int, rotation);
    QFETCH(QSize, area);
    const PosterArea a = PosterArea::fitUnbounded(1280, 800, rotation);
    QCOMPARE(QSize(a.width, a.height), area);
}

QTEST_APPLESS_MAIN(TestSlideDescription)
#include "tst_slidedescription.moc"
