import QtQuick 2.0

// The picture of a weather-service icon code ("01d" to "50n").
Item {
    id: container
    property string weatherIcon: "01d"
    readonly property var knownCodes: ["01d", "01n", "02d", "02n", "03d", "03n", "04d", "04n", "09d", "09n",
                                       "10d", "10n", "11d", "11n", "13d", "13n", "50d", "50n"]

    Image {
        objectName: "weatherIconImage"
        anchors.fill: parent
        fillMode: Image.PreserveAspectFit
        smooth: true
        source: container.knownCodes.indexOf(container.weatherIcon) >= 0
                ? "../icons/" + container.weatherIcon + ".png" : ""
    }
}
