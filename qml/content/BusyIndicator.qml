import QtQuick 2.0

// Turns while the feed file is being read or waited for.
Image {
    id: busy
    property bool running: true
    source: "images/busy.png"
    fillMode: Image.PreserveAspectFit
    NumberAnimation on rotation {
        running: busy.running
        from: 0; to: 360
        loops: Animation.Infinite
        duration: 1200
    }
}
