#pragma once

#include "WeatherData.h"

#include <QLoggingCategory>
#include <QObject>
#include <QQmlListProperty>
#include <QString>

class AppModelPrivate;
class QNetworkReply;

Q_DECLARE_LOGGING_CATEGORY(requestsLog)

// The weather scene's model: current weather and a short forecast for a
// postal code, asked of the weather service and turned into display text.
class AppModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool ready READ ready NOTIFY readyChanged)
    Q_PROPERTY(bool hasSource READ hasSource NOTIFY readyChanged)
    Q_PROPERTY(bool hasValidCity READ hasValidCity NOTIFY cityChanged)
    Q_PROPERTY(bool hasValidWeather READ hasValidWeather NOTIFY weatherChanged)
    Q_PROPERTY(bool useGps READ useGps WRITE setUseGps NOTIFY useGpsChanged)
    Q_PROPERTY(QString city READ city WRITE setCity NOTIFY cityChanged)
    Q_PROPERTY(QString zip READ zip WRITE setZip NOTIFY zipChanged)
    Q_PROPERTY(WeatherData *weather READ weather NOTIFY weatherChanged)
    Q_PROPERTY(QQmlListProperty<WeatherData> forecast READ forecast NOTIFY weatherChanged)

public:
    explicit AppModel(QObject *parent = nullptr);
    ~AppModel() override;

    bool ready() const;
    bool hasSource() const;
    bool hasValidCity() const;
    bool hasValidWeather() const;
    bool useGps() const;
    QString city() const;
    QString zip() const;
    WeatherData *weather() const;
    QQmlListProperty<WeatherData> forecast() const;

    void setUseGps(bool value);
    void setCity(const QString &value);
    void setZip(const QString &value);

    // A request not complete after this long fails (60 s), however it
    // trickles.
    void setDeadline(int ms);
    // Far above any real answer: past it the answer fails.
    static const qint64 AnswerCapBytes = 1024 * 1024;

    // Display temperature of a Kelvin value: whole degrees, halves up, "°".
    static QString displayTemperature(double kelvin);

public slots:
    void refreshWeather();
    void setCityData(const QString &valueZip, const QString &valueCity);

signals:
    void readyChanged();
    void useGpsChanged();
    void cityChanged();
    void zipChanged();
    void weatherChanged();

private slots:
    void networkSessionOpened();
    void handleWeatherNetworkData(QObject *networkReply);
    void handleForecastNetworkData(QObject *networkReply);

private:
    void sendRequest(const QString &path, bool withLanguage, bool forecast);
    void clearForecast();

    AppModelPrivate *d;
};
