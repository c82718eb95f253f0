#pragma once

#include "AnimationStackedWidget.h"
#include "ConsoleFixture.h"
#include "PosterPanel.h"
#include "ZoManager.h"
#include "classPrincipal.h"

#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The demo account in a temporary work folder and the top window on it, for
// tests on a real X server.
class DemoWindow
{
public:
    // Prepares the account; call from initTestCase().
    bool prepare()
    {
        zoInitWidgetTest();
        Q_INIT_RESOURCE(qml);
        m_work = m_dir.filePath(QStringLiteral("demo"));
        return m_dir.isValid() && makeDemoAccount(m_work);
    }

    QString work() const { return m_work; }
    ZoManager *window() const { return m_window.get(); }

    // Shows the window at 1280x800 and chooses the first screen; true once
    // its three posters are listed and the panel has settled.
    bool showFirstScreen()
    {
        qputenv("ZOMANAGER_WORKDIR", m_work.toLocal8Bit());
        m_window.reset(new ZoManager);
        m_window->resize(1280, 800);
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            return false;
        classPrincipal *panel = m_window->panel();
        auto *stack = panel->findChild<AnimationStackedWidget *>(QStringLiteral("panelStack"));
        QString box;
        if (!waitPanelShown(panel, &box)) {
            qWarning().noquote() << "the panel did not show:" << box;
            return false;
        }
        auto *screens = panel->findChild<QListWidget *>(QStringLiteral("screensList"));
        auto *posters = panel->findChild<QListWidget *>(QStringLiteral("posterList"));
        screens->setCurrentRow(0);
        return QTest::qWaitFor(
            [&] {
                return posters->count() == 3 && stack->currentIndex() == 1 && !stack->isSliding()
                    && !panel->posterPanel()->selectionPending();
            },
            10000);
    }

private:
    QTemporaryDir m_dir;
    QString m_work;
    std::unique_ptr<ZoManager> m_window;
};
