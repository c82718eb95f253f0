#include "LiveContentTypes.h"

#include "API_FACEBOOK.h"
#include "AppModel.h"
#include "WeatherData.h"

#include <QtQml>

void LiveContentTypes::registerTypes()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    qmlRegisterType<WeatherData>("WeatherInfo", 1, 0, "WeatherData");
    qmlRegisterType<AppModel>("WeatherInfo", 1, 0, "AppModel");
    qRegisterMetaType<WeatherData>("WeatherData");
    qmlRegisterType<API_FACEBOOK>("FacebookInfo", 1, 0, "API_FACEBOOK");
}
