#include "WeatherData.h"

WeatherData::WeatherData(QObject *parent)
    : QObject(parent)
{
}

WeatherData::WeatherData(const WeatherData &other)
    : QObject(nullptr)
    , m_dayOfWeek(other.m_dayOfWeek)
    , m_weatherIcon(other.m_weatherIcon)
    , m_weatherDescription(other.m_weatherDescription)
    , m_temperature(other.m_temperature)
    , m_sunrise(other.m_sunrise)
    , m_sunset(other.m_sunset)
    , m_humidite(other.m_humidite)
    , m_pression(other.m_pression)
    , m_vent(other.m_vent)
{
}

// Setters always signal: the scene redraws once per field written.
void WeatherData::setDayOfWeek(const QString &value)
{
    m_dayOfWeek = value;
    emit dataChanged();
}

void WeatherData::setWeatherIcon(const QString &value)
{
    m_weatherIcon = value;
    emit dataChanged();
}

void WeatherData::setWeatherDescription(const QString &value)
{
    m_weatherDescription = value;
    emit dataChanged();
}

void WeatherData::setTemperature(const QString &value)
{
    m_temperature = value;
    emit dataChanged();
}

void WeatherData::setSunrise(const QString &value)
{
    m_sunrise = value;
    emit dataChanged();
}

void WeatherData::setSunset(const QString &value)
{
    m_sunset = value;
    emit dataChanged();
}

void WeatherData::setHumidite(const QString &value)
{
    m_humidite = value;
    emit dataChanged();
}

void WeatherData::setPression(const QString &value)
{
    m_pression = value;
    emit dataChanged();
}

void WeatherData::setVent(const QString &value)
{
    m_vent = value;
    emit dataChanged();
}
