import QtQuick 2.0

// One screen of a box: up to three zones laid out from the screen's zone
// list. The player window calls the functions below by name.
Rectangle {
    id: rectangleEcran
    width: 960
    height: 540
    color: "black"
    border.color: "black"
    clip: true
    rotation: 0
    scale: 1

    property var degre
    property string status
    property var marque
    property var managerplaying
    property var intouchmanagement
    property var listPourcentEcran
    property int rotationDegre: 0
    property int memHauteur: 0
    property int memLargeur: 0
    property var webSiteTactileUrl
    property var webSiteTimeout

    function log(text) {
        if (typeof logger !== "undefined" && logger)
            logger.info(text)
    }

    function zone(n) {
        return n === 1 ? ecran1 : (n === 2 ? ecran2 : ecran3)
    }

    function init() {
        myStatus.source = "../img/Finish.png"
        myStatus.opacity = 1
        ecran1.opacity = 0
        ecran2.opacity = 0
        ecran3.opacity = 0
        ecran1.init()
        ecran2.init()
        ecran3.init()
    }

    function showLocalSizeEcran(uridegre, EcranLargeur, EcranHauteur, uriListPourcent, Marque2, ManagerPlaying2, InTouchManagement2) {
        degre = uridegre
        marque = Marque2
        managerplaying = ManagerPlaying2
        intouchmanagement = InTouchManagement2
        init()
        log("********Rotation=" + uridegre)
        log("***EcranLargeur=" + EcranLargeur)
        log("***EcranHauteur=" + EcranHauteur)
        rectanglePrincipal.height = rectangleEcran.height
        rectanglePrincipal.width = rectangleEcran.width
        logSurface("*************BASE*********************")
        if (EcranHauteur !== "-1" && EcranLargeur !== "-1") {
            rectanglePrincipal.height = parseInt(EcranHauteur)
            rectanglePrincipal.width = parseInt(EcranLargeur)
        }
        logSurface("*************MODIFIE******************")
        for (var i = 0; i < uriListPourcent.length; i++) {
            listPourcentEcran = String(uriListPourcent[i]).split("-")
            log("---Numero Ecran=[" + i + "]---")
            log("Position Largeur=" + listPourcentEcran[0])
            log("Position Hauteur=" + listPourcentEcran[1])
            log("         Largeur=" + listPourcentEcran[2])
            log("         Hauteur=" + listPourcentEcran[3])
            if (i > 2)
                continue
            var z = zone(i + 1)
            z.opacity = 1
            z.x = rectanglePrincipal.width * Number(listPourcentEcran[0]) / 100
            z.y = rectanglePrincipal.height * Number(listPourcentEcran[1]) / 100
            z.width = rectanglePrincipal.width * Number(listPourcentEcran[2]) / 100
            z.height = rectanglePrincipal.height * Number(listPourcentEcran[3]) / 100
            z.playlistRssOrientation = (uridegre === "0") ? 0 : 1
        }
    }

    function logSurface(banner) {
        log(banner)
        log("                    x=" + rectangleEcran.x)
        log("                    y=" + rectangleEcran.y)
        log("          HEIGHT=" + rectanglePrincipal.height)
        log("           WIDTH=" + rectanglePrincipal.width)
    }

    function logList(label, list, i) {
        log(label + i + "]=" + (list && i < list.length ? list[i] : ""))
    }

    function showLocalMedia(n, mediaType, mediaDelay, mediaListVideo, mediaListImage, mediaOpacity, mediaTxt, mediaRssAdress, mediaRssDelay) {
        log("------------------ECRAN N°" + n + "--------------------")
        for (var i = 0; i < mediaType.length; i++) {
            logList("      mediaType [", mediaType, i)
            logList("     mediaDelay [", mediaDelay, i)
            logList("  mediaListImage[", mediaListImage, i)
            logList("   mediaOpacity [", mediaOpacity, i)
            logList("  mediaListVideo[", mediaListVideo, i)
            logList("       mediatxt [", mediaTxt, i)
            logList(" mediaRssAdress [", mediaRssAdress, i)
            logList("  mediaRssDelay [", mediaRssDelay, i)
        }
        var z = zone(n)
        z.playlistType = mediaType
        z.playlistDelay = mediaDelay
        z.playlistVideo = mediaListVideo
        z.playlistImage = mediaListImage
        z.playlistOpacity = mediaOpacity
        z.playlistTxt = mediaTxt
        z.playlistRssAdress = mediaRssAdress
        z.playlistRssDelay = mediaRssDelay
        z.goToNextMedia()
    }

    function showLocalMediaEcran1(mediaType, mediaDelay, mediaListVideo, mediaListImage, mediaOpacity, mediaTxt, mediaRssAdress, mediaRssDelay) {
        showLocalMedia(1, mediaType, mediaDelay, mediaListVideo, mediaListImage, mediaOpacity, mediaTxt, mediaRssAdress, mediaRssDelay)
    }
    function showLocalMediaEcran2(mediaType, mediaDelay, mediaListVideo, mediaListImage, mediaOpacity, mediaTxt, mediaRssAdress, mediaRssDelay) {
        showLocalMedia(2, mediaType, mediaDelay, mediaListVideo, mediaListImage, mediaOpacity, mediaTxt, mediaRssAdress, mediaRssDelay)
    }
    function showLocalMediaEcran3(mediaType, mediaDelay, mediaListVideo, mediaListImage, mediaOpacity, mediaTxt, mediaRssAdress, mediaRssDelay) {
        showLocalMedia(3, mediaType, mediaDelay, mediaListVideo, mediaListImage, mediaOpacity, mediaTxt, mediaRssAdress, mediaRssDelay)
    }

    function showLocalMeteo(n, mediaType, mediaMeteoCity, mediaMeteoLangue, mediaMeteoZip) {
        log("------------------METEO ECRAN N°" + n + "--------------------")
        for (var i = 0; i < mediaType.length; i++) {
            logList(" mediaMeteoCity [", mediaMeteoCity, i)
            logList("mediaMeteoLangue[", mediaMeteoLangue, i)
            logList("  mediaMeteoZip [", mediaMeteoZip, i)
        }
        var z = zone(n)
        z.playlistMeteoCity = mediaMeteoCity
        z.playlistMeteoLangue = mediaMeteoLangue
        z.playlistMeteoZip = mediaMeteoZip
    }

    function showLocalMeteoEcran1(mediaType, mediaMeteoCity, mediaMeteoLangue, mediaMeteoZip) {
        showLocalMeteo(1, mediaType, mediaMeteoCity, mediaMeteoLangue, mediaMeteoZip)
    }
    function showLocalMeteoEcran2(mediaType, mediaMeteoCity, mediaMeteoLangue, mediaMeteoZip) {
        showLocalMeteo(2, mediaType, mediaMeteoCity, mediaMeteoLangue, mediaMeteoZip)
    }
    function showLocalMeteoEcran3(mediaType, mediaMeteoCity, mediaMeteoLangue, mediaMeteoZip) {
        showLocalMeteo(3, mediaType, mediaMeteoCity, mediaMeteoLangue, mediaMeteoZip)
    }

    function showDateTime(n, mediaDateDebut, mediaDateFin, mediaTimeDebut, mediaTimeFin, mediaDateDebut2, mediaDateFin2, mediaTimeDebut2, mediaTimeFin2, mediaDayOfWeek) {
        log("------------------ECRAN N°" + n + "--------------------")
        var i
        for (i = 0; i < mediaDateDebut.length; i++) {
            logList(" mediaDateDebut[", mediaDateDebut, i)
            logList("   mediaDateFin[", mediaDateFin, i)
            logList("mediaDateDebut2[", mediaDateDebut2, i)
            logList("  mediaDateFin2[", mediaDateFin2, i)
            logList("  mediaDayOfWeek[", mediaDayOfWeek, i)
        }
        for (i = 0; i < mediaTimeDebut.length; i++) {
            logList("mediaTimeDebut[", mediaTimeDebut, i)
            logList("  mediaTimeFin[", mediaTimeFin, i)
            logList("mediaTimeDebut2[", mediaTimeDebut2, i)
            logList("  mediaTimeFin2[", mediaTimeFin2, i)
        }
        var z = zone(n)
        z.playlistDateDebut = mediaDateDebut
        z.playlistDateFin = mediaDateFin
        z.playlistTimeDebut = mediaTimeDebut
        z.playlistTimeFin = mediaTimeFin
        z.playlistDateDebut2 = mediaDateDebut2
        z.playlistDateFin2 = mediaDateFin2
        z.playlistTimeDebut2 = mediaTimeDebut2
        z.playlistTimeFin2 = mediaTimeFin2
        z.playlistDayOfWeek = mediaDayOfWeek
    }

    function showDateTimeEcran1(mediaDateDebut, mediaDateFin, mediaTimeDebut, mediaTimeFin, mediaDateDebut2, mediaDateFin2, mediaTimeDebut2, mediaTimeFin2, mediaDayOfWeek) {
        showDateTime(1, mediaDateDebut, mediaDateFin, mediaTimeDebut, mediaTimeFin, mediaDateDebut2, mediaDateFin2, mediaTimeDebut2, mediaTimeFin2, mediaDayOfWeek)
    }
    function showDateTimeEcran2(mediaDateDebut, mediaDateFin, mediaTimeDebut, mediaTimeFin, mediaDateDebut2, mediaDateFin2, mediaTimeDebut2, mediaTimeFin2, mediaDayOfWeek) {
        showDateTime(2, mediaDateDebut, mediaDateFin, mediaTimeDebut, mediaTimeFin, mediaDateDebut2, mediaDateFin2, mediaTimeDebut2, mediaTimeFin2, mediaDayOfWeek)
    }
    function showDateTimeEcran3(mediaDateDebut, mediaDateFin, mediaTimeDebut, mediaTimeFin, mediaDateDebut2, mediaDateFin2, mediaTimeDebut2, mediaTimeFin2, mediaDayOfWeek) {
        showDateTime(3, mediaDateDebut, mediaDateFin, mediaTimeDebut, mediaTimeFin, mediaDateDebut2, mediaDateFin2, mediaTimeDebut2, mediaTimeFin2, mediaDayOfWeek)
    }

    function showLocalSiteWebTactile(siteWebUrl, siteWebTimeout) {
        webSiteTactileUrl = siteWebUrl
        webSiteTimeout = siteWebTimeout
    }

    function showCurrentDateTime(mediaDate, mediaTime) {
        log("CurrentDate=" + mediaDate)
        log("CurrentTime=" + mediaTime)
        ecran1.playCurrentDate = mediaDate
        ecran1.playCurrentTime = mediaTime
        ecran2.playCurrentDate = mediaDate
        ecran2.playCurrentTime = mediaTime
        ecran3.playCurrentDate = mediaDate
        ecran3.playCurrentTime = mediaTime
    }

    function showCurrentDateDayOfWeek(dayofweek) {
        ecran1.currentdayOfWeek = dayofweek
        ecran2.currentdayOfWeek = dayofweek
        ecran3.currentdayOfWeek = dayofweek
        log("CurrentDayOfWeek=" + dayofweek)
    }

    function updateStatus() {
        if (managerplaying === "MANAGER")
            myStatus.opacity = 0
    }

    Rectangle {
        id: rectanglePrincipal
        objectName: "rectanglePrincipal"
        width: 960
        height: 540
        color: "black"
        border.color: "black"
        clip: true
        z: 0
        rotation: 0
        // The whole screen is shown, scaled into the view, also when its pixel
        // size is fixed or the view was resized after the layout.
        scale: Math.min(rectangleEcran.width / Math.max(1, width), rectangleEcran.height / Math.max(1, height))
        transformOrigin: Item.Center
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.verticalCenter: parent.verticalCenter

        EcranSimple {
            id: ecran1
            objectName: "ecran1"
            width: 960
            height: 540
            opacity: 0
            smooth: true
        }
        EcranSimple {
            id: ecran2
            objectName: "ecran2"
            width: 960
            height: 540
            opacity: 0
            smooth: true
        }
        EcranSimple {
            id: ecran3
            objectName: "ecran3"
            width: 960
            height: 540
            opacity: 0
            smooth: true
        }

        Image {
            id: myStatus
            objectName: "myStatus"
            source: "../img/Wait.png"
            sourceSize.width: 50
            sourceSize.height: 50
            opacity: 0.8
            anchors.top: parent.top
            anchors.right: parent.right
            anchors.topMargin: 5
        }

        Item {
            Timer {
                id: timeStatus
                interval: 3000
                repeat: true
                running: true
                onTriggered: updateStatus()
            }
        }
    }
}
