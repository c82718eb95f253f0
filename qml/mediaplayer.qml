import QtQuick 2.0
import QtMultimedia 5.0

// Video preview driven from C++ through the goTo* functions.
Rectangle {
    id: root
    color: "transparent"

    function log(text) {
        if (typeof logger !== "undefined" && logger)
            logger.info(text)
    }

    function goToSource(SourceMedia) {
        mediaPlayer.stop()
        log("Fichier Video:" + SourceMedia)
        mediaPlayer.source = SourceMedia
        log("****Source VIDEO****")
        goToPlay()
    }

    function goToPlay() {
        mediaPlayer.play()
        log("****Play VIDEO****")
    }

    function goToPause() {
        mediaPlayer.pause()
        log("****Pause VIDEO****")
    }

    function goToStop() {
        mediaPlayer.stop()
        log("****Stop VIDEO****")
    }

    MediaPlayer {
        id: mediaPlayer
        objectName: "mediaPlayer"
    }

    VideoOutput {
        objectName: "videoOutput"
        anchors.fill: parent
        source: mediaPlayer
        fillMode: VideoOutput.PreserveAspectFit
    }
}
