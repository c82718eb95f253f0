#include "AppGlobals.h"
#include "ClassStartPhoto.h"
#include "FontSubstitutes.h"
#include "QtTranslations.h"
#include "StartupTiming.h"
#include "ZoManager.h"

#include <QApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QScreen>
#include <QtWebView>

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(qml);

    // The web-view module must be set up before the application object, or
    // the first web view of the player preview aborts the process.
    QtWebView::initialize();
    QApplication app(argc, argv);

    const int dpi = int(QGuiApplication::primaryScreen()->logicalDotsPerInch());
    qDebug().noquote() << "dpi  ECRAN:" << dpi;
    FontRatio = fontRatioForDpi(dpi);
    qDebug().noquote() << "Font Ratio:" << QString::number(double(FontRatio), 'g', 6);

    installFontSubstitutes();

    if (!QtTranslations::install(&app))
        qDebug().noquote() << "Traductions de Qt absentes:" << QtTranslations::file();

    ClassStartPhoto splash;
    splash.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    splash.setAttribute(Qt::WA_TranslucentBackground);
    splash.show();

    delay();

    ZoManager window(nullptr);
    window.setWindowFlags(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    // Without a window manager the maximised state is not applied: start at
    // the screen's working size all the same.
    window.resize(QGuiApplication::primaryScreen()->availableGeometry().size());
    window.setWindowState(Qt::WindowMaximized);
    window.show();
    window.raise();

    delay();
    delay();

    splash.close();
    return app.exec();
}
