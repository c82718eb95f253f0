import QtQuick 2.0

// News view of a zone over a cached feed. Until the feed cache is built it
// shows an empty news band.
Rectangle {
    id: rssNews
    property string playSourceRss
    property int playDelayRss
    property bool runningTime: true
    property bool playOrientationHorizontal: false
    color: "#202020"

    Image {
        anchors.centerIn: parent
        source: "content/images/rss.png"
        width: Math.min(parent.width, parent.height) / 4
        height: width
        fillMode: Image.PreserveAspectFit
    }
}
