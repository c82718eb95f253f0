#include "qmlvideoplayer.h"

#include "ConsoleLogRecord.h"
#include "LC_QMLLogger.h"

#include <QDir>
#include <QGridLayout>
#include <QMetaObject>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWidget>
#include <QUrl>
#include <QVariant>

qmlvideoplayer::qmlvideoplayer(QWidget *parent)
    : QWidget(parent)
{
    m_view = new QQuickWidget(this);
    m_view->setResizeMode(QQuickWidget::SizeRootObjectToView);
    m_view->setSource(QUrl(QStringLiteral("qrc:///qml/mediaplayer.qml")));
    m_view->setClearColor(Qt::transparent);

    auto *layout = new QGridLayout;
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 0, 0);
    setLayout(layout);

    m_root = m_view->rootObject();
    if (!m_root)
        consoleLogError("qmlvideoplayer: scene qrc:///qml/mediaplayer.qml not loaded");
    LC_QMLLogger::registerObject(m_view->rootContext());
}

qmlvideoplayer::~qmlvideoplayer() = default;

void qmlvideoplayer::PlayFile(QString fileName)
{
    PlaySource(fileName);
}

void qmlvideoplayer::PlaySource(QString source)
{
    // Relative names are local files, not host names.
    const QString uri =
        source.isEmpty() ? QString()
                         : QUrl::fromUserInput(source, QDir::currentPath(), QUrl::AssumeLocalFile).toString();
    consoleLogDebug("uriSource:%s", uri.toLocal8Bit().constData());
    if (!m_root)
        return;
    QMetaObject::invokeMethod(m_root, "goToSource", Qt::DirectConnection, Q_ARG(QVariant, QVariant(uri)));
}

void qmlvideoplayer::PlaySetSize(int w, int h)
{
    setMaximumSize(w, h);
    setMinimumSize(w, h);
    consoleLogDebug("PlaySetSize Largeur:%d PlaySetSize Hauteur:%d", w, h);
}

void qmlvideoplayer::callScene(const char *function)
{
    if (m_root)
        QMetaObject::invokeMethod(m_root, function, Qt::DirectConnection);
}

void qmlvideoplayer::play()
{
    callScene("goToPlay");
}

void qmlvideoplayer::pause()
{
    callScene("goToPause");
}

void qmlvideoplayer::stop()
{
    PlaySource(QString());
    callScene("goToStop");
}

void qmlvideoplayer::PlayVideo()
{
    callScene("goToPlay");
}

void qmlvideoplayer::PauseVideo()
{
    callScene("goToPause");
}

void qmlvideoplayer::StopVideo()
{
    callScene("goToStop");
}
