import QtQuick 2.0

// Where the shown item stands in the list.
Item {
    id: bar
    property Flickable view

    Rectangle {
        anchors.fill: parent
        color: "#30ffffff"
        radius: width / 2
    }
    BorderImage {
        source: "images/scrollbar.png"
        border { left: 0; right: 0; top: 1; bottom: 1 }
        width: parent.width
        y: bar.view ? bar.view.visibleArea.yPosition * bar.height : 0
        height: bar.view ? Math.max(bar.width, bar.view.visibleArea.heightRatio * bar.height) : 0
    }
}
