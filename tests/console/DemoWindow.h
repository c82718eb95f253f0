#pragma once

#include "AnimationStackedWidget.h"
#include "PosterPanel.h"
#include "ZoManager.h"
#include "classPrincipal.h"

#include <QListWidget>
#include <QTest>

// The demo account's window (work folder prepared by makeDemoAccount) at
// 1280 x 800, shown; the caller owns it.
inline ZoManager *openDemoWindow(const QString &work)
{
    qputenv("ZOMANAGER_WORKDIR", work.toLocal8Bit());
    auto *window = new ZoManager;
    window->resize(1280, 800);
    window->show();
    return window;
}

// Waits for the panel after login, chooses the first screen and waits for
// its three posters with the panel at rest; false when any wait ran out.
inline bool chooseFirstDemoScreen(ZoManager *window)
{
    if (!QTest::qWaitForWindowExposed(window))
        return false;
    classPrincipal *panel = window->panel();
    auto *stack = panel->findChild<AnimationStackedWidget *>(QStringLiteral("panelStack"));
    if (!QTest::qWaitFor([stack] { return stack && stack->isVisible(); }, 30000))
        return false;
    auto *screens = panel->findChild<QListWidget *>(QStringLiteral("screensList"));
    auto *posters = panel->findChild<QListWidget *>(QStringLiteral("posterList"));
    screens->setCurrentRow(0);
    return QTest::qWaitFor([posters] { return posters->count() == 3; }, 10000)
        && QTest::qWaitFor([stack] { return stack->currentIndex() == 1 && !stack->isSliding(); })
        && QTest::qWaitFor([panel] { return !panel->posterPanel()->selectionPending(); });
}
