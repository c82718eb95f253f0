import QtQuick 2.0

// One news item: its picture beside its title, date and text.
Item {
    id: delegate
    property real fontSize: 14

    Rectangle {
        anchors.fill: parent
        anchors.margins: 2
        color: index % 2 ? "#17232e" : "#1c2b38"
        radius: 3
    }

    Image {
        id: picture
        anchors { left: parent.left; verticalCenter: parent.verticalCenter; margins: delegate.fontSize / 2 }
        width: parent.width * 0.42
        height: Math.min(parent.height - delegate.fontSize, width * 9 / 16)
        fillMode: Image.PreserveAspectCrop
        clip: true
        source: image !== "" ? image : "images/noimage.png"
        onStatusChanged: if (status === Image.Error) source = "images/noimage.png"
    }

    Column {
        anchors {
            left: picture.right; right: parent.right; top: parent.top
            margins: delegate.fontSize / 2
        }
        spacing: delegate.fontSize / 4
        Text {
            width: parent.width
            text: title
            color: "white"
            font.bold: true
            font.pixelSize: delegate.fontSize
            wrapMode: Text.WordWrap
            maximumLineCount: 2
            elide: Text.ElideRight
        }
        Text {
            width: parent.width
            text: pubDate
            color: "#8fb3cc"
            font.pixelSize: delegate.fontSize * 0.6
            elide: Text.ElideRight
            visible: pubDate !== ""
        }
        Text {
            width: parent.width
            height: Math.max(0, delegate.height - delegate.fontSize * 4.5)
            text: description
            textFormat: Text.StyledText
            color: "#dde6ee"
            font.pixelSize: delegate.fontSize * 0.8
            wrapMode: Text.WordWrap
            elide: Text.ElideRight
            clip: true
        }
    }
}
