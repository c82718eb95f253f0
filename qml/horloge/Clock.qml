import QtQuick 2.0

// Clock view of a zone (no poster kind shows it).
Item {
    id: clock
    property string city
    property real shift

    Image {
        anchors.centerIn: parent
        source: "clock.png"
        width: Math.min(parent.width, parent.height)
        height: width
        fillMode: Image.PreserveAspectFit
    }
}
