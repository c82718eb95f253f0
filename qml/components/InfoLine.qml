import QtQuick 2.0

// A small reading with its picture (sunrise, humidity, wind...).
Item {
    id: info
    property string icon
    property string text

    Image {
        id: picture
        anchors { horizontalCenter: parent.horizontalCenter; top: parent.top }
        height: parent.height * 0.55
        width: height
        fillMode: Image.PreserveAspectFit
        smooth: true
        source: "../icons/" + info.icon + ".png"
    }
    Text {
        objectName: "infoText"
        anchors { top: picture.bottom; horizontalCenter: parent.horizontalCenter }
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        text: info.text
        color: "white"
        font.pixelSize: Math.max(8, Math.min(info.height / 4.5, info.width / 6))
    }
}
