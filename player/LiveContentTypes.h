#pragma once

// The QML modules of the live-content scenes: "WeatherInfo" 1.0
// (WeatherData, AppModel) and "FacebookInfo" 1.0 (API_FACEBOOK).
class LiveContentTypes
{
public:
    // Once per process, before a scene that imports them is loaded.
    static void registerTypes();
};
