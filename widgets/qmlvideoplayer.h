#pragma once

#include <QString>
#include <QWidget>

class QQuickItem;
class QQuickWidget;

// Small video preview hosting the scene "qrc:///qml/mediaplayer.qml" and
// driving it through the scene's goTo* functions.
class qmlvideoplayer : public QWidget
{
    Q_OBJECT
public:
    explicit qmlvideoplayer(QWidget *parent = nullptr);
    ~qmlvideoplayer() override;

    void PlaySource(QString source);
    void PlayVideo();
    void PauseVideo();
    // Stops without clearing the source, unlike stop().
    void StopVideo();

    QQuickWidget *quickWidget() const { return m_view; }
    QQuickItem *rootObject() const { return m_root; }

public slots:
    void PlayFile(QString fileName);
    void PlaySetSize(int w, int h);
    void play();
    void pause();
    void stop();

private:
    void callScene(const char *function);

    QQuickWidget *m_view;
    QQuickItem *m_root;
};
