#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>

// One weather reading as the scene shows it: every field is display text.
class WeatherData : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString dayOfWeek READ dayOfWeek WRITE setDayOfWeek NOTIFY dataChanged)
    Q_PROPERTY(QString weatherIcon READ weatherIcon WRITE setWeatherIcon NOTIFY dataChanged)
    Q_PROPERTY(QString weatherDescription READ weatherDescription WRITE setWeatherDescription NOTIFY dataChanged)
    Q_PROPERTY(QString temperature READ temperature WRITE setTemperature NOTIFY dataChanged)
    Q_PROPERTY(QString sunrise READ sunrise WRITE setSunrise NOTIFY dataChanged)
    Q_PROPERTY(QString sunset READ sunset WRITE setSunset NOTIFY dataChanged)
    Q_PROPERTY(QString humidite READ humidite WRITE setHumidite NOTIFY dataChanged)
    Q_PROPERTY(QString pression READ pression WRITE setPression NOTIFY dataChanged)
    Q_PROPERTY(QString vent READ vent WRITE setVent NOTIFY dataChanged)

public:
    explicit WeatherData(QObject *parent = nullptr);
    // A value copy for the meta-type system: the strings, no parent.
    WeatherData(const WeatherData &other);

    QString dayOfWeek() const { return m_dayOfWeek; }
    QString weatherIcon() const { return m_weatherIcon; }
    QString weatherDescription() const { return m_weatherDescription; }
    QString temperature() const { return m_temperature; }
    QString sunrise() const { return m_sunrise; }
    QString sunset() const { return m_sunset; }
    QString humidite() const { return m_humidite; }
    QString pression() const { return m_pression; }
    QString vent() const { return m_vent; }

    void setDayOfWeek(const QString &value);
    void setWeatherIcon(const QString &value);
    void setWeatherDescription(const QString &value);
    void setTemperature(const QString &value);
    void setSunrise(const QString &value);
    void setSunset(const QString &value);
    void setHumidite(const QString &value);
    void setPression(const QString &value);
    void setVent(const QString &value);

signals:
    void dataChanged();

private:
    void store(QString &field, const QString &value);

    QString m_dayOfWeek;
    QString m_weatherIcon;
    QString m_weatherDescription;
    QString m_temperature;
    QString m_sunrise;
    QString m_sunset;
    QString m_humidite;
    QString m_pression;
    QString m_vent;
};

Q_DECLARE_METATYPE(WeatherData)
