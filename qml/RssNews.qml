import QtQuick 2.0
import QtQuick.XmlListModel 2.0
import "content"

// News view of a zone over a feed file kept by the RSS cache: the items one
// after the other, moving on every playDelayRss milliseconds.
Rectangle {
    id: news
    property string playSourceRss
    property int playDelayRss
    property bool runningTime: true
    property bool playOrientationHorizontal: false
    // The feed's items and channel picture, for a look from outside.
    readonly property alias itemCount: feedModel.count
    readonly property alias currentIndex: list.currentIndex
    readonly property alias feedStatus: feedModel.status
    readonly property string channelImage: channelModel.count > 0 ? channelModel.get(0).image : ""

    color: "#101820"
    clip: true

    function reload() {
        if (playSourceRss === "")
            return
        feedModel.reload()
        channelModel.reload()
    }

    XmlListModel {
        id: feedModel
        source: news.playSourceRss
        query: "/rss/channel/item"
        namespaceDeclarations: "declare namespace media = 'http://search.yahoo.com/mrss/';"
                               + "declare namespace atom = 'http://www.w3.org/2005/Atom';"
        XmlRole { name: "title"; query: "title/string()"; isKey: true }
        XmlRole { name: "description"; query: "fn:replace(description/string(), '<a href=.*/a>', '')" }
        XmlRole { name: "image"; query: "enclosure/@url/string()" }
        XmlRole { name: "pubDate"; query: "pubDate/string()" }
        // The cache may not have written the file yet (a missing file reads
        // as an empty list): try again.
        onStatusChanged: {
            if (status === XmlListModel.Error || (status === XmlListModel.Ready && count === 0))
                retry.start()
        }
    }

    XmlListModel {
        id: channelModel
        source: news.playSourceRss
        query: "/rss/channel"
        XmlRole { name: "image"; query: "image/url/string()" }
    }

    Timer {
        id: retry
        interval: 2000
        onTriggered: news.reload()
    }

    // Each showing of the poster reads the cache's latest copy.
    onRunningTimeChanged: if (runningTime) reload()

    Image {
        id: channelPicture
        anchors { top: parent.top; left: parent.left; margins: news.height / 40 }
        height: news.height / 8
        width: height * 2
        fillMode: Image.PreserveAspectFit
        source: news.channelImage
        visible: status === Image.Ready
    }

    ListView {
        id: list
        objectName: "newsList"
        anchors {
            top: channelPicture.visible ? channelPicture.bottom : parent.top
            left: parent.left; right: parent.right; bottom: parent.bottom
            margins: news.height / 40
        }
        model: feedModel
        clip: true
        orientation: news.playOrientationHorizontal ? ListView.Horizontal : ListView.Vertical
        snapMode: ListView.SnapOneItem
        highlightRangeMode: ListView.StrictlyEnforceRange
        highlightMoveDuration: 600
        interactive: false
        // One news item at a time, as a screen shows it.
        delegate: NewsDelegate {
            width: list.width
            height: list.height
            fontSize: Math.max(9, Math.min(news.height / 12, news.width / 22))
        }
    }

    ScrollBar {
        anchors { top: list.top; bottom: list.bottom; right: parent.right }
        width: Math.max(4, news.width / 120)
        view: list
        visible: !news.playOrientationHorizontal && feedModel.count > 0
    }

    BusyIndicator {
        anchors.centerIn: parent
        width: Math.min(news.width, news.height) / 6
        height: width
        running: news.playSourceRss !== "" && feedModel.status !== XmlListModel.Ready
        visible: running
    }

    Image {
        anchors.centerIn: parent
        width: Math.min(news.width, news.height) / 4
        height: width
        fillMode: Image.PreserveAspectFit
        source: "content/images/rss.png"
        visible: news.playSourceRss === ""
    }

    Timer {
        id: scroll
        interval: news.playDelayRss >= 1000 ? news.playDelayRss : 10000
        repeat: true
        running: news.runningTime && feedModel.count > 1
        onTriggered: list.currentIndex = (list.currentIndex + 1) % feedModel.count
    }
}
