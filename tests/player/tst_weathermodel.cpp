#include "AppModel.h"
#include "StandIn.h"

#include <QSignalSpy>
#include <QtTest>

// The weather model against the stand-in weather service: the two requests,
// the display texts, the forecast list, and what faults and odd answers do.
class TestWeatherModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void requestsAndReadings();
    void noPostalCodeSendsNothing_data();
    void noPostalCodeSendsNothing();
    void forecastReplacedNotAppended();
    void oddAnswers_data();
    void oddAnswers();
    void integerReadings();
    void displayTemperature_data();
    void displayTemperature();
    void cityAndZipSignals();

private:
    // One refresh; waits for the forecast reply's weatherChanged().
    static bool refreshRound(AppModel &model);
    static QString key() { return QStringLiteral("0123456789abcdef0123456789abcdef"); }
};

void TestWeatherModel::initTestCase()
{
    ZO_NEED_STANDIN();
    qputenv("ZOMANAGER_WEATHER_URL", StandIn::url().toUtf8());
    qputenv("ZOMANAGER_WEATHER_KEY", key().toUtf8());
}

bool TestWeatherModel::refreshRound(AppModel &model)
{
    QSignalSpy changed(&model, &AppModel::weatherChanged);
    model.refreshWeather();
    return changed.wait(5000) && changed.count() == 1;
}

void TestWeatherModel::requestsAndReadings()
{
    const qint64 mark = StandIn::mark();
    AppModel model;
    QSignalSpy ready(&model, &AppModel::readyChanged);
    model.setCity(QStringLiteral("Montpellier"));
    model.setZip(QStringLiteral("34000,fr"));
    QVERIFY(ready.wait(5000));
    QCOMPARE(ready.count(), 1);
    QVERIFY(model.ready());

    const QList<QJsonObject> log = StandIn::entries(mark, QStringLiteral("34000,fr"), 2);
    QCOMPARE(log.size(), 2);
    QCOMPARE(log.at(0).value("route").toString(), QStringLiteral("/data/2.5/weather"));
    QCOMPARE(log.at(0).value("rawQuery").toString(),
             QStringLiteral("zip=34000,fr&lang=fr&mode=json&APPID=") + key());
    QCOMPARE(log.at(1).value("route").toString(), QStringLiteral("/data/2.5/forecast"));
    QCOMPARE(log.at(1).value("rawQuery").toString(), QStringLiteral("zip=34000,fr&mode=json&cnt=5&APPID=") + key());

    WeatherData *now = model.weather();
    QVERIFY(model.hasValidWeather());
    QCOMPARE(now->temperature(), QStringLiteral("11°"));
    QCOMPARE(now->humidite(), QStringLiteral("81 %"));
    QCOMPARE(now->pression(), QStringLiteral("1013 hPa"));
    QCOMPARE(now->vent(), QStringLiteral("3.0 m/s"));
    QCOMPARE(now->weatherIcon(), QStringLiteral("10d"));
    QCOMPARE(now->weatherDescription(), QStringLiteral("légère pluie"));
    // 07:48:00 and 17:02:00 UTC, shown in local time.
    QCOMPARE(now->sunrise(), QDateTime(QDate(2026, 12, 10), QTime(7, 48), Qt::UTC).toLocalTime().toString("hh:mm:ss"));
    QCOMPARE(now->sunset(), QDateTime(QDate(2026, 12, 10), QTime(17, 2), Qt::UTC).toLocalTime().toString("hh:mm:ss"));

    // Five elements asked for, four entries kept: elements 1 to 4.
    QQmlListProperty<WeatherData> forecast = model.forecast();
    QCOMPARE(forecast.count(&forecast), 4);
    WeatherData *first = forecast.at(&forecast, 0);
    QCOMPARE(first->temperature(), QStringLiteral("8°/14°"));
    QCOMPARE(first->weatherIcon(), QStringLiteral("04d"));
    QCOMPARE(first->dayOfWeek(),
             QDateTime(QDate(2026, 12, 10), QTime(12, 0), Qt::UTC).toLocalTime().toString("ddd(hh:mm)"));
    QCOMPARE(forecast.at(&forecast, 3)->temperature(), QStringLiteral("11°/17°"));
    QCOMPARE(forecast.at(&forecast, 3)->weatherIcon(), QStringLiteral("02d"));
}

void TestWeatherModel::noPostalCodeSendsNothing_data()
{
    QTest::addColumn<QString>("zip");
    QTest::newRow("NULL,NULL") << QStringLiteral("NULL,NULL");
    QTest::newRow("empty") << QString();
}

void TestWeatherModel::noPostalCodeSendsNothing()
{
    QFETCH(QString, zip);
    const qint64 mark = StandIn::mark();
    AppModel model;
    QTest::ignoreMessage(QtDebugMsg, "refreshing weather skipped (no city)");
    model.setZip(zip);
    QTest::qWait(300);
    QCOMPARE(StandIn::entries(mark, QStringLiteral("/data/2.5/"), 0, 0).size(), 0);
    QVERIFY(!model.ready());
    QCOMPARE(model.zip(), zip);
}

// Regression: a failed weather reply followed by a good forecast used to
// append the new entries after the old ones (8 cells' worth, stale first).
void TestWeatherModel::forecastReplacedNotAppended()
{
    AppModel model;
    QSignalSpy ready(&model, &AppModel::readyChanged);
    model.setZip(QStringLiteral("34070,fr"));
    QVERIFY(ready.wait(5000));
    QQmlListProperty<WeatherData> forecast = model.forecast();
    QCOMPARE(forecast.count(&forecast), 4);
    QPointer<WeatherData> old = forecast.at(&forecast, 0);

    QVERIFY(StandIn::fault(QStringLiteral("/data/2.5/weather"), QStringLiteral("500"), QStringLiteral("34070,fr")));
    QVERIFY(refreshRound(model));
    QCOMPARE(forecast.count(&forecast), 4);
    QVERIFY(forecast.at(&forecast, 0) != old.data());
    // The failed reply left the current reading as it was.
    QCOMPARE(model.weather()->temperature(), QStringLiteral("11°"));
    // Old entries go with the event loop, not under the scene's feet.
    QVERIFY(old);
    QTRY_VERIFY(!old);
}

void TestWeatherModel::oddAnswers_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("temperature");

    QTest::newRow("weather not JSON: reading kept, forecast still asked")
        << "/data/2.5/weather" << "<html>busy</html>" << 4 << "Invalid weather object" << "11°";
    QTest::newRow("forecast list not an array: entries kept")
        << "/data/2.5/forecast" << R"({"list":3})" << 4 << "Invalid forecast object" << "11°";
    QTest::newRow("forecast not JSON: entries kept")
        << "/data/2.5/forecast" << "oops" << 4 << "Invalid forecast object" << "11°";
    QTest::newRow("three forecast elements: two entries")
        << "/data/2.5/forecast"
        << R"({"list":[{},{"dt":0,"main":{"temp_min":273.15,"temp_max":274.15},"weather":[{"icon":"13d"}]},{}]})" << 2
        << "Invalid forecast object" << "11°";
    // Numbers no reading can hold: the whole reply is refused.
    QTest::newRow("temperature 1e300: reading kept")
        << "/data/2.5/weather" << R"({"main":{"temp":1e300,"humidity":50}})" << 4 << "Invalid weather object" << "11°";
    QTest::newRow("humidity -1e300: reading kept")
        << "/data/2.5/weather" << R"({"main":{"temp":300,"humidity":-1e300}})" << 4 << "Invalid weather object"
        << "11°";
    QTest::newRow("sunrise 1e300: reading kept")
        << "/data/2.5/weather" << R"({"main":{"temp":300},"sys":{"sunrise":1e300,"sunset":0}})" << 4
        << "Invalid weather object" << "11°";
    QTest::newRow("forecast dt 1e300: entries kept")
        << "/data/2.5/forecast"
        << R"({"list":[{},{"dt":1e300,"main":{"temp_min":273.15,"temp_max":274.15}},{},{},{}]})" << 4
        << "Invalid forecast object" << "11°";
    QTest::newRow("forecast temp_max 1e300: entries kept")
        << "/data/2.5/forecast"
        << R"({"list":[{},{"dt":0,"main":{"temp_min":273.15,"temp_max":1e300}},{},{},{}]})" << 4
        << "Invalid forecast object" << "11°";
}

void TestWeatherModel::oddAnswers()
{
    QFETCH(QString, path);
    QFETCH(QString, body);
    QFETCH(int, entries);
    QFETCH(QString, warning);
    QFETCH(QString, temperature);

    AppModel model;
    QSignalSpy ready(&model, &AppModel::readyChanged);
    model.setCity(QStringLiteral("Montpellier"));
    model.setZip(QStringLiteral("34080,fr"));
    QVERIFY(ready.wait(5000));

    QVERIFY(StandIn::fault(path, QStringLiteral("body"), QStringLiteral("34080,fr"), 1, 0, body));
    QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    QVERIFY(refreshRound(model));
    QQmlListProperty<WeatherData> forecast = model.forecast();
    QCOMPARE(forecast.count(&forecast), entries);
    QCOMPARE(model.weather()->temperature(), temperature);
    QVERIFY(model.ready());
    QVERIFY(model.hasValidWeather());
}

// Humidity and pressure are read as integers: a fraction reads 0.
void TestWeatherModel::integerReadings()
{
    AppModel model;
    QVERIFY(StandIn::fault(QStringLiteral("/data/2.5/weather"), QStringLiteral("body"), QStringLiteral("34090,fr"),
                           1, 0,
                           R"({"weather":[{"icon":"01n","description":"ciel dégagé"}],)"
                           R"("main":{"temp":273.15,"humidity":81.5,"pressure":1013},"wind":{"speed":3}})"));
    QSignalSpy ready(&model, &AppModel::readyChanged);
    model.setZip(QStringLiteral("34090,fr"));
    QVERIFY(ready.wait(5000));
    QCOMPARE(model.weather()->humidite(), QStringLiteral("0 %"));
    QCOMPARE(model.weather()->pression(), QStringLiteral("1013 hPa"));
    QCOMPARE(model.weather()->temperature(), QStringLiteral("0°"));
    QCOMPARE(model.weather()->vent(), QStringLiteral("3.0 m/s"));
    // No "sys" group: sunrise and sunset stay as they were.
    QCOMPARE(model.weather()->sunrise(), QString());
}

void TestWeatherModel::displayTemperature_data()
{
    QTest::addColumn<double>("kelvin");
    QTest::addColumn<QString>("text");
    QTest::newRow("273.15 K") << 273.15 << "0°";
    QTest::newRow("10.5 up") << 283.65 << "11°";
    QTest::newRow("-2.5 up") << 270.65 << "-2°";
    QTest::newRow("-2.6 down") << 270.55 << "-3°";
    QTest::newRow("10.49 down") << 283.64 << "10°";
    QTest::newRow("0 K") << 0.0 << "-273°";
}

void TestWeatherModel::displayTemperature()
{
    QFETCH(double, kelvin);
    QFETCH(QString, text);
    QCOMPARE(AppModel::displayTemperature(kelvin), text);
}

void TestWeatherModel::cityAndZipSignals()
{
    AppModel model;
    QSignalSpy city(&model, &AppModel::cityChanged);
    QSignalSpy zip(&model, &AppModel::zipChanged);
    model.setCity(QStringLiteral("X"));
    QVERIFY(!model.hasValidCity());
    model.setCity(QStringLiteral("Lyon"));
    QVERIFY(model.hasValidCity());
    QTest::ignoreMessage(QtDebugMsg, "refreshing weather skipped (no city)");
    model.setZip(QString());
    QCOMPARE(city.count(), 3);
    QCOMPARE(zip.count(), 0);
    QVERIFY(!model.hasValidWeather());
    QVERIFY(!model.hasSource());
}

QTEST_MAIN(TestWeatherModel)
#include "tst_weathermodel.moc"
