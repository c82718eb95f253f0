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
void WeatherData::store(QString &field, const QString &value)
{
    field = value;
    emit dataChanged();
}

void WeatherData::setDayOfWeek(const QString &value) { store(m_dayOfWeek, value); }
void WeatherData::setWeatherIcon(const QString &value) { store(m_weatherIcon, value); }
void WeatherData::setWeatherDescription(const QString &value) { store(m_weatherDescription, value); }
void WeatherData::setTemperature(const QString &value) { store(m_temperature, value); }
void WeatherData::setSunrise(const QString &value) { store(m_sunrise, value); }
void WeatherData::setSunset(const QString &value) { store(m_sunset, value); }
void WeatherData::setHumidite(const QString &value) { store(m_humidite, value); }
void WeatherData::setPression(const QString &value) { store(m_pression, value); }
void WeatherData::setVent(const QString &value) { store(m_vent, value); }
