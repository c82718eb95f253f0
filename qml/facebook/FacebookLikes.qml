import QtQuick 2.0
import FacebookInfo 1.0

// Page-likes view of a zone: the page's like count beside the QR code of
// its address.
Rectangle {
    id: likesView
    property string urlPath
    readonly property real unit: Math.min(width, height)
    // A portrait zone stacks the count over the code.
    readonly property bool portrait: height > width
    readonly property real margin: unit / 20
    color: "#3b5998"

    API_FACEBOOK {
        id: modelFacebookLikes
        objectName: "modelFacebookLikes"
        urlFacebook: likesView.urlPath
        onReadyChanged: console.log("FaceBook Likes Change...")
        // Another address may give the same file name: load the picture again.
        onUrlFacebookChanged: {
            qrPicture.source = ""
            qrPicture.source = modelFacebookLikes.QrcodeUrl
        }
    }

    Column {
        id: counter
        x: likesView.margin
        width: (likesView.portrait ? likesView.width : qrFrame.x) - 2 * likesView.margin
        y: likesView.portrait ? (qrFrame.y - height) / 2 : (likesView.height - height) / 2
        spacing: likesView.unit / 30

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: likesView.unit / 40
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: "Suivez nous sur "
                color: "white"
                font.pixelSize: Math.max(8, likesView.unit / 14)
            }
            Image {
                anchors.verticalCenter: parent.verticalCenter
                source: "logo.png"
                height: likesView.unit / 9
                width: height
                fillMode: Image.PreserveAspectFit
                smooth: true
            }
        }
        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: likesView.unit / 30
            Image {
                anchors.verticalCenter: parent.verticalCenter
                source: "like.png"
                height: likesView.unit / 5
                width: height
                fillMode: Image.PreserveAspectFit
                smooth: true
            }
            Text {
                objectName: "likesCount"
                anchors.verticalCenter: parent.verticalCenter
                text: modelFacebookLikes.likes
                color: "white"
                font.pixelSize: Math.max(10, likesView.unit / 5)
                font.bold: true
            }
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: "J'aime"
            color: "white"
            font.pixelSize: Math.max(8, likesView.unit / 12)
        }
    }

    // White frame: a reader needs a light border around the code.
    Rectangle {
        id: qrFrame
        width: likesView.portrait ? Math.min(likesView.width * 0.8, likesView.height * 0.5)
                                  : Math.min(likesView.height * 0.8, likesView.width * 0.45)
        x: likesView.portrait ? (likesView.width - width) / 2 : likesView.width - width - likesView.margin
        y: likesView.portrait ? likesView.height - height - likesView.margin : (likesView.height - height) / 2
        height: width
        color: "white"
        radius: width / 40
        Image {
            id: qrPicture
            objectName: "qrPicture"
            anchors.fill: parent
            anchors.margins: parent.width / 20
            fillMode: Image.PreserveAspectFit
            cache: false
            smooth: false
        }
    }
}
