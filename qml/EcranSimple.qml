import QtQuick 2.10
import QtMultimedia 5.9
import "horloge"
import "facebook"

// One zone of a screen: plays its posters one after the other, each for its
// delay, skipping those whose schedule does not cover the simulated moment.
Rectangle {
    id: rectangle1
    width: 960
    height: 540
    color: "black"
    border.color: "black"
    clip: false
    rotation: 0
    scale: 1
    z: 0
    transformOrigin: Item.Center

    property int index: 0
    property int count: 0
    property var playlistType
    property var playlistDelay
    property var playlistVideo
    property var playlistImage
    property var playlistOpacity
    property var playlistTxt
    property var playlistRssAdress
    property var playlistRssDelay
    property var playlistDateDebut
    property var playlistDateFin
    property var playlistDateDebut2
    property var playlistDateFin2
    property var playlistTimeDebut
    property var playlistTimeFin
    property var playlistTimeDebut2
    property var playlistTimeFin2
    property var playlistDayOfWeek
    property var currentdayOfWeek
    property string mediaDayOfWeek
    property int playlistRssOrientation: 0
    property var playlistMeteoCity
    property var playlistMeteoLangue
    property var playlistMeteoZip
    property string playCurrentDate
    property string playCurrentTime
    property int videoBoucle: 0
    property int videoStage: 0
    property int validationDate: 0
    property int validationTime: 0
    property int useDateTime: 0
    property int timeout: 0
    property var currentDateTime
    property var dateTimeDebut
    property var dateTimeFin
    property var dateTimeDebut2
    property var dateTimeFin2
    property string dateString
    property var arrayDateTime
    property string tmpValue
    // A video poster timed by its own length waits for that length.
    property bool durationPending: false
    // Page address shown by the likes view of a "WIDGETHEURE" poster.
    property string likesPageAddress: "https://www.facebook.com/orvex"

    signal qmlSignal(string msg)
    signal qmlSignalGetCurrentDayOfWeek()

    function log(text) {
        if (typeof logger !== "undefined" && logger)
            logger.info(text)
    }
    function verbose(text) {
        if (typeof logger !== "undefined" && logger)
            logger.verbose(text)
    }

    function sizeOf(list) {
        return list ? list.length : 0
    }
    function entry(list, i) {
        if (!list || i < 0 || i >= list.length || list[i] === undefined || list[i] === null)
            return ""
        return String(list[i])
    }
    function hasMedia(value) {
        return value !== "" && value !== "OFF"
    }
    function isSet(value) {
        return value !== "" && value !== "NULL"
    }

    // At least one second whatever the text: "", "abc" and "0" included.
    function delayMs(text) {
        var seconds = parseInt(text)
        if (isNaN(seconds) || seconds < 1)
            return 1000
        return seconds * 1000
    }

    // Schedules are wall-clock values: they are compared as numbers, never as
    // local Date objects, so that no daylight-saving change moves a bound.
    function wholeNumbers(text, count) {
        var parts = String(text).split(",")
        while (parts.length < count)
            parts.push("00")
        var numbers = []
        for (var k = 0; k < count; ++k) {
            if (!/^[0-9]+$/.test(parts[k]))
                return null
            numbers.push(parseInt(parts[k], 10))
        }
        return numbers
    }
    // "yyyy,MM,dd" as yyyyMMdd; NaN unless it is a day of the calendar
    // (31/04 is not 01/05).
    function dayKey(text) {
        var n = wholeNumbers(text, 3)
        if (!n || n[0] < 1 || n[1] < 1 || n[1] > 12 || n[2] < 1)
            return NaN
        var leap = (n[0] % 4 === 0 && n[0] % 100 !== 0) || n[0] % 400 === 0
        var days = [31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31][n[1] - 1]
        return n[2] > days ? NaN : n[0] * 10000 + n[1] * 100 + n[2]
    }
    // A start date never picked is stored "00/00/0000": as on the boxes, the
    // period then runs from the start of time to its end date.
    function startDayKey(text) {
        return text === "0000,00,00" ? 0 : dayKey(text)
    }
    // "hh,mm[,ss]" as seconds from midnight; 24,00,00 stays the end of the day.
    function secondKey(text) {
        var n = wholeNumbers(text, 3)
        return n ? n[0] * 3600 + n[1] * 60 + n[2] : NaN
    }
    function two(n) {
        return (n < 10 ? "0" : "") + n
    }
    function logDay(label, key, useVerbose) {
        var text = isNaN(key) ? label + " " : label + two(key % 100) + "/" + two(Math.floor(key / 100) % 100) + "/"
                                              + Math.floor(key / 10000) + " 00:00:00"
        logText(text, useVerbose)
    }
    function logSecond(label, key, useVerbose) {
        var text = isNaN(key) ? label + " " : label + playCurrentDate.split(",").reverse().join("/") + " "
                                              + two(Math.floor(key / 3600)) + ":" + two(Math.floor(key / 60) % 60)
                                              + ":" + two(key % 60)
        logText(text, useVerbose)
    }
    function logText(text, useVerbose) {
        if (useVerbose)
            verbose(text)
        else
            log(text)
    }
    function weekdayPasses() {
        return !isSet(mediaDayOfWeek) || mediaDayOfWeek.indexOf(String(currentdayOfWeek)) >= 0
    }
    // An invalid bound (NaN) fails every comparison.
    function within(start, end, now) {
        return start <= now && end >= now
    }

    // Sets validationDate, validationTime and useDateTime for poster i.
    function checkSchedule(i) {
        validationDate = 0
        validationTime = 0
        if (i >= sizeOf(playlistDateDebut)) {
            useDateTime = 1
            log("-->NOTUSE<--")
            return
        }
        if (isSet(entry(playlistDateDebut, i))) {
            currentDateTime = dayKey(playCurrentDate)
            dateTimeDebut = startDayKey(entry(playlistDateDebut, i))
            dateTimeFin = dayKey(entry(playlistDateFin, i))
            dateTimeDebut2 = startDayKey(entry(playlistDateDebut2, i))
            dateTimeFin2 = dayKey(entry(playlistDateFin2, i))
            logDay("DEBUT DATE-->", dateTimeDebut)
            logDay("DEBUT DATE2-->", dateTimeDebut2)
            logDay("COURANT DATE", currentDateTime, true)
            logDay("FIN DATE---->", dateTimeFin)
            logDay("FIN DATE2---->", dateTimeFin2)
            if (within(dateTimeDebut, dateTimeFin, currentDateTime) || within(dateTimeDebut2, dateTimeFin2, currentDateTime)) {
                log("-->DATE OK<--")
                validationDate = 1
            } else {
                log("-->DATE FAIL<--")
                validationDate = 2
            }
        }
        if (isSet(entry(playlistTimeDebut, i))) {
            currentDateTime = secondKey(playCurrentTime)
            dateTimeDebut = secondKey(entry(playlistTimeDebut, i))
            dateTimeFin = secondKey(entry(playlistTimeFin, i))
            dateTimeDebut2 = secondKey(entry(playlistTimeDebut2, i))
            dateTimeFin2 = secondKey(entry(playlistTimeFin2, i))
            mediaDayOfWeek = entry(playlistDayOfWeek, i)
            logSecond("DEBUT HEURE-->", dateTimeDebut)
            logSecond("DEBUT HEURE2-->", dateTimeDebut2)
            logSecond("COURANT HEURE", currentDateTime, true)
            logSecond("FIN HEURE---->", dateTimeFin)
            logSecond("FIN HEURE2---->", dateTimeFin2)
            log("CurrentDayOfWeek---->" + currentdayOfWeek)
            log("DayOfWeek---->" + mediaDayOfWeek)
            if ((within(dateTimeDebut, dateTimeFin, currentDateTime) && weekdayPasses())
                    || (within(dateTimeDebut2, dateTimeFin2, currentDateTime) && weekdayPasses())) {
                log("-->TIME OK<--")
                validationTime = 1
            } else {
                log("-->TIME FAIL<--")
                validationTime = 2
            }
        }
        if (validationDate === 2 || validationTime === 2) {
            useDateTime = 0
        } else {
            useDateTime = 1
            if (validationDate === 0 && validationTime === 0)
                log("-->NOTUSE<--")
        }
    }

    // Whether poster i is due at the simulated moment.
    function isDue(i) {
        checkSchedule(i)
        return useDateTime === 1
    }

    function hideLiveViews() {
        myWeather.opacity = 0
        myRss.opacity = 0
        myRss.runningTime = false
        myClock.opacity = 0
    }

    // Nothing of an earlier poster stays on screen.
    function clearZone() {
        myImageTxt.opacity = 0
        hideLiveViews()
        myFacebookLikes.opacity = 0
        mywebView.visible = false
    }

    function init() {
        myImageTxt.opacity = 0
        videoOutput1.opacity = 0
        hideLiveViews()
        time.stop()
        videoBoucle = 0
        durationPending = false
        log("****Init()****")
        mediaPlayer.stop()
        index = 0
    }

    function goToNextMedia() {
        time.stop()
        videoStage = 0
        durationPending = false
        mediaPlayer.pause()
        videoOutput1.opacity = 0
        myImage.opacity = 0
        var posters = sizeOf(playlistType)
        if (index >= posters) {
            index = 0
            log("Index ReStart: " + index)
            qmlSignal("RESETORVEX12345")
        }
        if (posters === 0)
            return
        var kind = entry(playlistType, index)
        var delay = entry(playlistDelay, index)
        var picture = entry(playlistImage, index)
        var video = entry(playlistVideo, index)
        var text = entry(playlistTxt, index)
        log("Play count: " + count)
        log("Play index: " + index)
        log("Opening temps Affiche: " + delay)
        log("       Opening WIDGET: " + kind)
        log("   Opening image file: " + picture)
        log("Opening image opacity: " + entry(playlistOpacity, index))
        log("   Opening video file: " + video)
        log("     Opening txt file: " + text)
        qmlSignal(picture + video)
        myBackground.opacity = 0

        checkSchedule(index)
        if (useDateTime !== 1) {
            count++
            index++
            if (index < posters) {
                goToNextMedia()
            } else {
                // Nothing due from here on: the zone goes blank and the list
                // is checked again in 500 ms.
                clearZone()
                time.interval = 500
                time.start()
            }
            return
        }

        if (kind !== "WIDGETSITEWEB")
            mywebView.visible = false
        if (kind !== "WIDGETHEURE")
            myFacebookLikes.opacity = 0

        if (kind === "WIDGETSITEWEB") {
            hideLiveViews()
            log("------Play SITE WEB -----")
            mywebView.url = entry(playlistRssAdress, index)
            mywebView.active = true
            mywebView.visible = true
            time.interval = delayMs(delay)
            log("Time Start")
            playVideo.start()
        } else if (kind === "WIDGETHEURE") {
            myRss.opacity = 0
            myRss.runningTime = false
            myWeather.opacity = 0
            myFacebookLikes.opacity = 1
            myFacebookLikes.urlPath = likesPageAddress
            time.interval = delayMs(delay)
            log("Time Start")
            playVideo.start()
        } else if (kind === "WIDGETMETEO") {
            myRss.opacity = 0
            myClock.opacity = 0
            myRss.runningTime = false
            myWeather.opacity = 1
            myWeather.villeMeteo = entry(playlistMeteoCity, index)
            myWeather.codePostaleMeteo = entry(playlistMeteoZip, index) + "," + entry(playlistMeteoLangue, index)
            log("------Play WIDGETMETEO -----")
            log("------WIDGETMETEO HEIGHT=" + myWeather.height)
            log("------WIDGETMETEO WIDTH =" + myWeather.width)
            time.interval = delayMs(delay)
            log("Time Start")
            playVideo.start()
        } else if (kind === "WIDGETRSS") {
            myWeather.opacity = 0
            myClock.opacity = 0
            myRss.opacity = 1
            myRss.runningTime = true
            log("------Play WIDGETRSS -----")
            myRss.playSourceRss = entry(playlistRssAdress, index)
            var rssDelay = parseInt(entry(playlistRssDelay, index))
            myRss.playDelayRss = isNaN(rssDelay) ? 0 : rssDelay
            myRss.playOrientationHorizontal = (playlistRssOrientation === 1)
            time.interval = delayMs(delay)
            log("Time Start")
            playVideo.start()
        } else {
            hideLiveViews()
            if (!hasMedia(picture)) {
                myImage.opacity = 0
            } else {
                myImage.source = picture
                var percent = parseInt(entry(playlistOpacity, index))
                myImage.opacity = isNaN(percent) ? 1 : parseFloat(percent / 100)
                log("myImage.opacity=" + myImage.opacity)
            }
            if (!hasMedia(text)) {
                myImageTxt.opacity = 0
                log("myImageTxt.opacity=0.0")
            } else {
                myImageTxt.source = text
                myImageTxt.opacity = 1
                log("myImageTxt.opacity=1")
            }
            videoBoucle = 0
            if (!hasMedia(video))
                videoOutput1.opacity = 0
            else
                mediaPlayer.source = video
            log("-----TEMP 4000--------------------------------------------------------")
            playVideo.start()
            log(">>Playing Video" + video + " in progress...")
        }
    }

    function playVideoMedia() {
        if (videoStage === 0) {
            qmlSignalGetCurrentDayOfWeek()
            videoStage = 1
            playVideo.start()
            var video = entry(playlistVideo, index)
            var delay = entry(playlistDelay, index)
            videoBoucle = 0
            if (!hasMedia(video)) {
                videoOutput1.opacity = 0
                mediaPlayer.stop()
            } else {
                mediaPlayer.source = video
                mediaPlayer.stop()
            }
            if (hasMedia(video)) {
                if (delay === "0" || delay === "") {
                    log("------Play Video Auto during " + mediaPlayer.duration + "ms----")
                    if (mediaPlayer.duration > 0) {
                        time.interval = Math.max(1000, mediaPlayer.duration)
                    } else {
                        // Timed again from the real length once it is known.
                        durationPending = true
                        time.interval = 3000
                    }
                } else {
                    log("------Play Video Manuel during " + delay + "s-----")
                    time.interval = delayMs(delay)
                }
                log("Time Start")
                videoBoucle = 2
                time.start()
                mediaPlayer.play()
                log(">>Playing Video " + video + " in progress...")
            } else {
                log("------Play Image during " + delay + "s-----")
                time.interval = delayMs(delay)
                log("Time Start")
                time.start()
                log(">>Playing Image in progress...")
            }
            count++
            index++
        } else {
            log("-----playVideoMedia--------------------------------------------------------videoStage ==1")
            videoStage = 0
            var started = entry(playlistVideo, index - 1)
            if (hasMedia(started)) {
                videoOutput1.opacity = 1
                log("-----playVideoMedia--------------------------------------------------------videoStage ==1b" + started)
            }
        }
    }

    MediaPlayer {
        id: mediaPlayer
        objectName: "mediaPlayer"
        onStopped: {
            if (videoBoucle === 2 && timeout === 0) {
                log("****PlayVideoLOOP2****")
                timeout = 1
                timetimeout.start()
                mediaPlayer.stop()
                mediaPlayer.play()
            }
        }
        onDurationChanged: {
            if (durationPending && duration > 0) {
                durationPending = false
                time.stop()
                time.interval = Math.max(1000, duration - position)
                time.start()
            }
        }
    }

    VideoOutput {
        id: videoOutput1
        objectName: "videoOutput1"
        anchors.fill: parent
        source: mediaPlayer
        fillMode: VideoOutput.PreserveAspectFit
        orientation: 0

        Image {
            id: myBackground
            objectName: "myBackground"
            anchors.fill: parent
            fillMode: Image.PreserveAspectFit
            source: "qrc:/img/zoplayer.png"
            opacity: 1
        }
    }

    Image {
        id: myImage
        objectName: "myImage"
        anchors.fill: parent
        fillMode: Image.PreserveAspectFit
        source: "qrc:/img/zoplayer.png"
        opacity: 0
    }

    Image {
        id: myImageTxt
        objectName: "myImageTxt"
        anchors.fill: parent
        fillMode: Image.PreserveAspectFit
        source: "qrc:/img/zoplayer.png"
        opacity: 0
    }

    WeatherInfo {
        id: myWeather
        objectName: "myWeather"
        anchors.fill: parent
        opacity: 0
        clip: false
    }

    RssNews {
        id: myRss
        objectName: "myRss"
        anchors.fill: parent
        opacity: 0
        clip: false
    }

    Clock {
        id: myClock
        objectName: "myClock"
        anchors.fill: parent
        city: "Paris"
        shift: 0
        opacity: 0
    }

    FacebookLikes {
        id: myFacebookLikes
        objectName: "myFacebookLikes"
        anchors.fill: parent
        opacity: 0
    }

    // The web view is made on first use: a web engine per zone costs much.
    Loader {
        id: mywebView
        objectName: "mywebView"
        property string url: ""
        anchors.fill: parent
        active: false
        visible: false
        source: "SiteWebView.qml"
        onLoaded: item.url = Qt.binding(function() { return mywebView.url })
    }

    Timer {
        id: time
        objectName: "time"
        interval: 1000
        repeat: false
        running: false
        onTriggered: {
            log("Time index: " + index + ".")
            if (index >= 0)
                goToNextMedia()
        }
    }

    Timer {
        id: playVideo
        objectName: "playVideo"
        interval: 500
        repeat: false
        running: false
        onTriggered: playVideoMedia()
    }

    Timer {
        id: timetimeout
        interval: 2000
        repeat: false
        running: false
        onTriggered: timeout = 0
    }
}
