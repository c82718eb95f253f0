import QtQuick 2.0

// Weather view of a zone. Until the weather model is built it names the
// place the poster asks for.
Rectangle {
    id: weatherInfo
    property string villeMeteo
    property string codePostaleMeteo
    color: "#1c3a5e"

    Column {
        anchors.centerIn: parent
        spacing: parent.height / 30
        Image {
            anchors.horizontalCenter: parent.horizontalCenter
            source: "icons/01d.png"
            width: weatherInfo.height / 4
            height: width
            fillMode: Image.PreserveAspectFit
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: weatherInfo.villeMeteo
            color: "white"
            font.pixelSize: Math.max(8, weatherInfo.height / 12)
        }
    }
}
