#pragma once

#include "AnimationStackedWidget.h"
#include "ZoManager.h"
#include "classPrincipal.h"

#include <QListWidget>
#include <QTest>

#include <memory>

// Starts the console at 1280×800 on a work folder made by makeDemoAccount()
// and chooses its first screen ("Hall d'entrée", three posters). Check
// QTest::currentTestFailed() after it: its checks return from here only.
inline void openDemoScreen(const QString &work, std::unique_ptr<ZoManager> &window)
{
    qputenv("ZOMANAGER_WORKDIR", work.toLocal8Bit());
    window.reset(new ZoManager);
    window->resize(1280, 800);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    classPrincipal *panel = window->panel();
    auto *stack = panel->findChild<AnimationStackedWidget *>(QStringLiteral("panelStack"));
    QTRY_VERIFY_WITH_TIMEOUT(stack && stack->isVisible(), 30000);

    auto *screens = panel->findChild<QListWidget *>(QStringLiteral("screensList"));
    auto *posters = panel->findChild<QListWidget *>(QStringLiteral("posterList"));
    screens->setCurrentRow(0);
    QTRY_COMPARE_WITH_TIMEOUT(posters->count(), 3, 10000);
    QTRY_COMPARE(stack->currentIndex(), 1);
    QTRY_VERIFY(!stack->isSliding());
}
