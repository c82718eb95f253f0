import QtQuick 2.0
import WeatherInfo 1.0
import "components"

// Weather view of a zone: current weather and four forecast cells for the
// postal code handed over by the zone scene.
Item {
    id: window
    property string villeMeteo
    property string codePostaleMeteo
    readonly property real unit: Math.min(width, height)
    // A portrait zone puts the readings and the forecast on more rows.
    readonly property bool portrait: height > width

    state: "loading"
    states: [
        State {
            name: "loading"
            PropertyChanges { target: main; opacity: 0 }
            PropertyChanges { target: wait; opacity: 1 }
        },
        State {
            name: "ready"
            PropertyChanges { target: main; opacity: 1 }
            PropertyChanges { target: wait; opacity: 0 }
        }
    ]

    AppModel {
        id: model
        objectName: "weatherModel"
        city: window.villeMeteo
        zip: window.codePostaleMeteo
        onReadyChanged: window.state = model.ready ? "ready" : "loading"
    }

    Rectangle {
        anchors.fill: parent
        gradient: Gradient {
            GradientStop { position: 0.0; color: "#1f4f82" }
            GradientStop { position: 1.0; color: "#0d2340" }
        }
    }

    Text {
        id: wait
        objectName: "weatherWait"
        anchors.centerIn: parent
        text: "Loading weather data..."
        color: "white"
        font.pixelSize: Math.max(8, window.unit / 14)
    }

    Item {
        id: main
        objectName: "weatherMain"
        anchors.fill: parent
        anchors.margins: window.unit / 20

        Text {
            id: cityText
            objectName: "weatherCity"
            anchors { top: parent.top; left: parent.left; right: parent.right }
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
            text: model.hasValidCity ? model.city : "Unknown location"
            color: "white"
            font.pixelSize: Math.max(8, window.unit / 11)
            font.bold: true
        }

        BigForecastIcon {
            id: current
            objectName: "weatherCurrent"
            anchors { top: cityText.bottom; topMargin: window.unit / 40; horizontalCenter: parent.horizontalCenter }
            height: parent.height * (window.portrait ? 0.2 : 0.3)
            width: Math.min(parent.width, height * 3.2)
            weatherIcon: model.hasValidWeather ? model.weather.weatherIcon : "01d"
            topText: model.hasValidWeather ? model.weather.temperature : "??"
            bottomText: model.hasValidWeather ? model.weather.weatherDescription : "No weather data"
        }

        Grid {
            id: readings
            anchors { top: current.bottom; topMargin: window.unit / 40; horizontalCenter: parent.horizontalCenter }
            columns: window.portrait ? 3 : 5
            height: parent.height * (window.portrait ? 0.26 : 0.2)
            property real cellWidth: main.width / columns
            property real cellHeight: height / Math.ceil(5 / columns)
            InfoLine { objectName: "weatherSunrise"; width: readings.cellWidth; height: readings.cellHeight
                       icon: "sunrise"; text: model.hasValidWeather ? model.weather.sunrise : "No data" }
            InfoLine { objectName: "weatherSunset"; width: readings.cellWidth; height: readings.cellHeight
                       icon: "sunset"; text: model.hasValidWeather ? model.weather.sunset : "No data" }
            InfoLine { objectName: "weatherHumidity"; width: readings.cellWidth; height: readings.cellHeight
                       icon: "humidity"; text: model.hasValidWeather ? model.weather.humidite : "-- %" }
            InfoLine { objectName: "weatherPressure"; width: readings.cellWidth; height: readings.cellHeight
                       icon: "pressure"; text: model.hasValidWeather ? model.weather.pression : "---- hPa" }
            InfoLine { objectName: "weatherWind"; width: readings.cellWidth; height: readings.cellHeight
                       icon: "wind"; text: model.hasValidWeather ? model.weather.vent : "-.- m/s" }
        }

        Grid {
            id: forecast
            anchors { top: readings.bottom; topMargin: window.unit / 30; bottom: parent.bottom
                      horizontalCenter: parent.horizontalCenter }
            columns: window.portrait ? 2 : 4
            property real cellWidth: main.width / columns
            property real cellHeight: height / Math.ceil(4 / columns)
            Repeater {
                model: 4
                ForecastIcon {
                    objectName: "forecast" + index
                    width: forecast.cellWidth
                    height: forecast.cellHeight
                    topText: window.hasEntry(index) ? window.entry(index).dayOfWeek : "??"
                    bottomText: window.hasEntry(index) ? window.entry(index).temperature : "??/??"
                    weatherIcon: window.hasEntry(index) ? window.entry(index).weatherIcon : "01d"
                }
            }
        }
    }

    // Forecast cell k reads entry k when the weather is valid and the entry exists.
    function hasEntry(k) {
        return model.hasValidWeather && model.forecast.length > k && model.forecast[k] !== null
    }
    function entry(k) {
        return model.forecast[k]
    }
}
