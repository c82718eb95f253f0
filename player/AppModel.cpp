#include "AppModel.h"

#include "LiveFetch.h"
#include "LiveServiceConfig.h"

#include <QDateTime>
#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QMetaEnum>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSignalMapper>
#include <QTimer>
#include <QUrlQuery>
#include <cmath>
#include <limits>

QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
#include <QNetworkConfigurationManager>
#include <QNetworkSession>
QT_WARNING_POP

Q_LOGGING_CATEGORY(requestsLog, "wapp.requests")

namespace {

const int RefreshMs = 1800000;

QString errorName(QNetworkReply::NetworkError error)
{
    return QString::fromLatin1(QMetaEnum::fromType<QNetworkReply::NetworkError>().valueToKey(error));
}

// Readings the display turns into integers or dates: a value out of their
// range (1e300, NaN) makes the whole reply invalid rather than a wrong text.
bool fitsInt(const QJsonValue &value)
{
    if (value.isUndefined() || value.isNull())
        return true;
    const double number = value.toDouble();
    return std::isfinite(number) && number >= double(std::numeric_limits<int>::min())
           && number <= double(std::numeric_limits<int>::max());
}

bool fitsKelvin(const QJsonValue &value)
{
    return fitsInt(value) && fitsInt(QJsonValue(value.toDouble() - 273.15));
}

// Seconds since 1970 up to the end of year 9999.
bool fitsTime(const QJsonValue &value)
{
    if (value.isUndefined() || value.isNull())
        return true;
    const double seconds = value.toDouble();
    return std::isfinite(seconds) && std::fabs(seconds) <= 253402300799.0;
}

bool validWeather(const QJsonObject &top)
{
    const QJsonObject main = top.value(QLatin1String("main")).toObject();
    const QJsonObject sys = top.value(QLatin1String("sys")).toObject();
    return fitsKelvin(main.value(QLatin1String("temp"))) && fitsInt(main.value(QLatin1String("humidity")))
           && fitsInt(main.value(QLatin1String("pressure"))) && fitsTime(sys.value(QLatin1String("sunrise")))
           && fitsTime(sys.value(QLatin1String("sunset")))
           && fitsInt(top.value(QLatin1String("wind")).toObject().value(QLatin1String("speed")));
}

bool validForecast(const QJsonArray &entries)
{
    for (const QJsonValue &value : entries) {
        const QJsonObject entry = value.toObject();
        const QJsonObject main = entry.value(QLatin1String("main")).toObject();
        if (!fitsKelvin(main.value(QLatin1String("temp_min"))) || !fitsKelvin(main.value(QLatin1String("temp_max")))
            || !fitsTime(entry.value(QLatin1String("dt"))))
            return false;
    }
    return true;
}

QString clockTime(double secondsUtc)
{
    return QDateTime::fromSecsSinceEpoch(qint64(secondsUtc)).toLocalTime().toString(QStringLiteral("hh:mm:ss"));
}

} // namespace

QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
class AppModelPrivate
{
public:
    QString city;
    QString zip;
    QNetworkAccessManager *nam = nullptr;
    QNetworkSession *session = nullptr;
    WeatherData now;
    QList<WeatherData *> forecast;
    QQmlListProperty<WeatherData> *forecastProperty = nullptr;
    QSignalMapper *weatherMapper = nullptr;
    QSignalMapper *forecastMapper = nullptr;
    bool ready = false;
    bool useGps = true;
    int deadlineMs = LiveFetch::DeadlineMs;
    QTimer refreshTimer;
};
QT_WARNING_POP

namespace {

// QML may not add entries; clearing leaves ownership with the model.
void forecastAppend(QQmlListProperty<WeatherData> *, WeatherData *) {}

int forecastCount(QQmlListProperty<WeatherData> *prop)
{
    return static_cast<AppModelPrivate *>(prop->data)->forecast.size();
}

WeatherData *forecastAt(QQmlListProperty<WeatherData> *prop, int index)
{
    return static_cast<AppModelPrivate *>(prop->data)->forecast.value(index);
}

void forecastClear(QQmlListProperty<WeatherData> *prop)
{
    static_cast<AppModelPrivate *>(prop->data)->forecast.clear();
}

} // namespace

AppModel::AppModel(QObject *parent)
    : QObject(parent)
    , d(new AppModelPrivate)
{
    d->forecastProperty = new QQmlListProperty<WeatherData>(this, d, forecastAppend, forecastCount, forecastAt,
                                                            forecastClear);
    d->weatherMapper = new QSignalMapper(this);
    d->forecastMapper = new QSignalMapper(this);
    connect(d->weatherMapper, &QSignalMapper::mappedObject, this, &AppModel::handleWeatherNetworkData);
    connect(d->forecastMapper, &QSignalMapper::mappedObject, this, &AppModel::handleForecastNetworkData);

    d->refreshTimer.setInterval(RefreshMs);
    connect(&d->refreshTimer, &QTimer::timeout, this, &AppModel::refreshWeather);
    d->refreshTimer.start();

    d->nam = new QNetworkAccessManager(this);
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QNetworkConfigurationManager manager;
    d->session = new QNetworkSession(manager.defaultConfiguration(), this);
    connect(d->session, &QNetworkSession::opened, this, &AppModel::networkSessionOpened);
    if (d->session->isOpen())
        d->useGps = false;
    d->session->open();
    QT_WARNING_POP
}

AppModel::~AppModel()
{
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    d->session->close();
    QT_WARNING_POP
    qDeleteAll(d->forecast);
    delete d->forecastProperty;
    delete d;
}

bool AppModel::ready() const { return d->ready; }
bool AppModel::hasSource() const { return false; }
bool AppModel::hasValidCity() const { return d->city.size() > 1; }
bool AppModel::hasValidWeather() const { return hasValidCity() && d->now.weatherIcon().size() > 1; }
bool AppModel::useGps() const { return d->useGps; }
QString AppModel::city() const { return d->city; }
QString AppModel::zip() const { return d->zip; }
WeatherData *AppModel::weather() const { return &d->now; }
QQmlListProperty<WeatherData> AppModel::forecast() const { return *d->forecastProperty; }

void AppModel::setUseGps(bool value)
{
    d->useGps = value;
    if (value) {
        d->city.clear();
        emit cityChanged();
        emit weatherChanged();
    }
    emit useGpsChanged();
}

void AppModel::setCity(const QString &value)
{
    d->city = value;
    emit cityChanged();
}

void AppModel::setZip(const QString &value)
{
    d->zip = value;
    emit cityChanged();
    refreshWeather();
}

void AppModel::setCityData(const QString &valueZip, const QString &valueCity)
{
    d->zip = valueZip;
    d->city = valueCity;
    emit cityChanged();
    refreshWeather();
}

void AppModel::networkSessionOpened()
{
    d->useGps = false;
}

void AppModel::setDeadline(int ms)
{
    d->deadlineMs = ms;
}

QString AppModel::displayTemperature(double kelvin)
{
    // Answers carry hundredths: drop the binary noise of the subtraction
    // first, so that 283.65 K (10.5 °C) rounds up as a half should.
    const double celsius = std::round((kelvin - 273.15) * 1e6) / 1e6;
    const int degrees = int(std::floor(celsius + 0.5));
    return QString::number(degrees) + QChar(0x00B0);
}

void AppModel::refreshWeather()
{
    if (d->zip.isEmpty() || d->zip == QLatin1String("NULL,NULL")) {
        qDebug() << "refreshing weather skipped (no city)";
        return;
    }
    qDebug() << "refreshing weather";
    sendRequest(QStringLiteral("/data/2.5/weather"), true, false);
}

void AppModel::sendRequest(const QString &path, bool withLanguage, bool forecast)
{
    QUrl url = LiveServiceConfig::withPath(LiveServiceConfig::weatherBase(), path);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("zip"), d->zip);
    if (withLanguage)
        query.addQueryItem(QStringLiteral("lang"), QStringLiteral("fr"));
    query.addQueryItem(QStringLiteral("mode"), QStringLiteral("json"));
    if (forecast)
        query.addQueryItem(QStringLiteral("cnt"), QStringLiteral("5"));
    query.addQueryItem(QStringLiteral("APPID"), LiveServiceConfig::weatherKey());
    url.setQuery(query);

    // The service's answers stay on its own host and scheme.
    QNetworkReply *reply = LiveFetch::get(d->nam, url, AnswerCapBytes, d->deadlineMs, LiveFetch::SameOrigin);
    QSignalMapper *mapper = forecast ? d->forecastMapper : d->weatherMapper;
    mapper->setMapping(reply, reply);
    connect(reply, &QNetworkReply::finished, mapper, qOverload<>(&QSignalMapper::map));
}

void AppModel::handleWeatherNetworkData(QObject *networkReply)
{
    qDebug() << "got weather network data";
    auto *reply = qobject_cast<QNetworkReply *>(networkReply);
    if (!reply)
        return;
    if (LiveFetch::failed(reply)) {
        qDebug().noquote() << "-->Error fonction handleWeatherNetworkData:"
                           << (reply->error() != QNetworkReply::NoError && LiveFetch::fault(reply) == LiveFetch::None
                                   ? errorName(reply->error())
                                   : LiveFetch::describe(reply));
    } else {
        const QJsonDocument document = QJsonDocument::fromJson(reply->readAll());
        if (!document.isObject() || !validWeather(document.object())) {
            qWarning() << "Invalid weather object";
        } else {
            const QJsonObject top = document.object();
            WeatherData &now = d->now;
            if (top.contains(QLatin1String("weather"))) {
                const QJsonObject first = top.value(QLatin1String("weather")).toArray().at(0).toObject();
                now.setWeatherDescription(first.value(QLatin1String("description")).toString());
                now.setWeatherIcon(first.value(QLatin1String("icon")).toString());
            }
            if (top.contains(QLatin1String("main"))) {
                const QJsonObject main = top.value(QLatin1String("main")).toObject();
                now.setTemperature(displayTemperature(main.value(QLatin1String("temp")).toDouble()));
                now.setHumidite(QString::number(main.value(QLatin1String("humidity")).toInt()) +
                                QStringLiteral(" %"));
                now.setPression(QString::number(main.value(QLatin1String("pressure")).toInt()) +
                                QStringLiteral(" hPa"));
            }
            if (top.contains(QLatin1String("sys"))) {
                const QJsonObject sys = top.value(QLatin1String("sys")).toObject();
                now.setSunrise(clockTime(sys.value(QLatin1String("sunrise")).toDouble()));
                now.setSunset(clockTime(sys.value(QLatin1String("sunset")).toDouble()));
            }
            if (top.contains(QLatin1String("wind"))) {
                const QJsonObject wind = top.value(QLatin1String("wind")).toObject();
                now.setVent(QString::number(wind.value(QLatin1String("speed")).toDouble(), 'f', 1) +
                            QStringLiteral(" m/s"));
            }
        }
    }
    reply->deleteLater();
    // The forecast follows every weather reply, failed or not.
    sendRequest(QStringLiteral("/data/2.5/forecast"), false, true);
}

void AppModel::clearForecast()
{
    // The scene may still hold the old entries until its bindings rerun.
    for (WeatherData *entry : qAsConst(d->forecast))
        entry->deleteLater();
    d->forecast.clear();
}

void AppModel::handleForecastNetworkData(QObject *networkReply)
{
    qCDebug(requestsLog) << "got forecast";
    auto *reply = qobject_cast<QNetworkReply *>(networkReply);
    if (!reply)
        return;
    if (LiveFetch::failed(reply)) {
        qDebug().noquote() << "forecast failed:" << LiveFetch::describe(reply);
        reply->deleteLater();
        return;
    }
    const QJsonValue list = QJsonDocument::fromJson(reply->readAll()).object().value(QLatin1String("list"));
    if (!list.isArray() || !validForecast(list.toArray())) {
        // Nothing usable: the entries shown so far stay.
        qWarning() << "Invalid forecast object";
    } else {
        const QJsonArray entries = list.toArray();
        if (entries.size() != 5)
            qWarning() << "Invalid forecast object";
        clearForecast();
        for (int i = 1; i < entries.size(); ++i) {
            const QJsonObject entry = entries.at(i).toObject();
            const QJsonObject main = entry.value(QLatin1String("main")).toObject();
            auto *data = new WeatherData;
            data->setTemperature(displayTemperature(main.value(QLatin1String("temp_min")).toDouble()) +
                                 QLatin1Char('/') +
                                 displayTemperature(main.value(QLatin1String("temp_max")).toDouble()));
            data->setDayOfWeek(QDateTime::fromSecsSinceEpoch(qint64(entry.value(QLatin1String("dt")).toDouble()))
                                   .toLocalTime()
                                   .toString(QStringLiteral("ddd(hh:mm)")));
            data->setWeatherIcon(entry.value(QLatin1String("weather"))
                                     .toArray()
                                     .at(0)
                                     .toObject()
                                     .value(QLatin1String("icon"))
                                     .toString());
            d->forecast.append(data);
        }
    }
    if (!d->ready) {
        d->ready = true;
        emit readyChanged();
    }
    emit weatherChanged();
    reply->deleteLater();
}
