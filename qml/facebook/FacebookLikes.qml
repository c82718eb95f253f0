import QtQuick 2.0

// Page-likes view of a zone. Until the like counter is built it shows the
// page's address under the like picture.
Rectangle {
    id: likes
    property string urlPath
    color: "#3b5998"

    Column {
        anchors.centerIn: parent
        spacing: parent.height / 30
        Image {
            anchors.horizontalCenter: parent.horizontalCenter
            source: "like.png"
            width: likes.height / 4
            height: width
            fillMode: Image.PreserveAspectFit
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: likes.urlPath
            color: "white"
            font.pixelSize: Math.max(8, likes.height / 20)
        }
    }
}
