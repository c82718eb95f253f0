import QtQuick 2.0

// One forecast cell: day and time, icon, minimum/maximum temperatures.
Item {
    id: cell
    property string topText: "??"
    property string bottomText: "??/??"
    property string weatherIcon: "01d"
    property real textSize: Math.max(8, Math.min(height / 7, width / 6.5))

    Text {
        id: top
        objectName: "topText"
        anchors { top: parent.top; horizontalCenter: parent.horizontalCenter }
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        text: cell.topText
        color: "white"
        font.pixelSize: cell.textSize
    }
    WeatherIcon {
        anchors { top: top.bottom; bottom: bottom.top; horizontalCenter: parent.horizontalCenter; margins: 2 }
        width: parent.width
        weatherIcon: cell.weatherIcon
    }
    Text {
        id: bottom
        objectName: "bottomText"
        anchors { bottom: parent.bottom; horizontalCenter: parent.horizontalCenter }
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        text: cell.bottomText
        color: "white"
        font.pixelSize: cell.textSize
        font.bold: true
    }
}
