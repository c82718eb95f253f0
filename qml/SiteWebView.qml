import QtQuick 2.0
import QtWebView 1.1

// The web page of a "WIDGETSITEWEB" poster.
WebView {
    id: webView
}
