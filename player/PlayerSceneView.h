#pragma once

#include "SceneCall.h"

#include <QPointer>
#include <QUrl>
#include <QWidget>

class QLabel;
class QQuickWidget;

// The embedded QML view of the preview and the calls into its root. A
// scene that fails to load shows a message in its place; calls then do
// nothing.
class PlayerSceneView : public QWidget
{
    Q_OBJECT
public:
    explicit PlayerSceneView(QWidget *parent = nullptr);

    // Loads the scene; false (with the message shown) when it failed.
    bool load(const QUrl &source);

    QObject *root() const { return m_root; }
    QQuickWidget *view() const { return m_view; }
    QString errorText() const { return m_errorText; }

    // Calls a root function by name; false when there is no scene or no
    // such function.
    bool call(const SceneCall &call);
    void call(const SceneCalls &calls);
    bool setRootSize(int width, int height);

private:
    QQuickWidget *m_view;
    QLabel *m_message;
    QPointer<QObject> m_root;
    QString m_errorText;
};
