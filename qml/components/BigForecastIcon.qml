import QtQuick 2.0

// The current weather: a large icon beside the temperature and description.
Item {
    id: current
    property string topText: "??"
    property string bottomText: "No weather data"
    property string weatherIcon: "01d"

    WeatherIcon {
        id: icon
        anchors { left: parent.left; top: parent.top; bottom: parent.bottom }
        width: height
        weatherIcon: current.weatherIcon
    }
    Column {
        anchors { left: icon.right; leftMargin: current.height / 8; right: parent.right
                  verticalCenter: parent.verticalCenter }
        Text {
            objectName: "currentTemperature"
            text: current.topText
            color: "white"
            font.pixelSize: Math.min(current.height / 2.4, current.width / 5)
            font.bold: true
        }
        Text {
            objectName: "currentDescription"
            width: parent.width
            text: current.bottomText
            color: "#dde8f5"
            elide: Text.ElideRight
            font.pixelSize: Math.max(8, current.height / 7)
        }
    }
}
