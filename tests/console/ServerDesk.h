#pragma once

// A desk of a test with whole consoles on one account of the stand-in: its
// own work folder made from the demo account, pointed at the account
// `zo_<name>` on the server, and a console started in it.
#include "AnimationStackedWidget.h"
#include "ClassParam.h"
#include "ConsoleFixture.h"
#include "CopyTree.h"
#include "MediaDeployment.h"
#include "ZoManager.h"
#include "classPrincipal.h"

#include <QtTest>

#include <memory>

// The demo account in `work`, logging in as demo to the server's `zo_<name>`.
inline bool makeServerDesk(const QString &work, const QString &name)
{
    if (!makeDemoAccount(work))
        return false;
    for (const auto &kv : QList<QPair<QString, QString>>{{"MODE", "SERVEUR"},
                                                         {"FTPPATH", "/zolink/zobox/zo_" + name},
                                                         {"COMPTEADMIN", name},
                                                         {"USERLOGIN", "demo"},
                                                         {"PASSWORDLOGIN", "demo"}}) {
        if (!ClassParam().setParamCrypt(work + "/CONNEXION.txt", kv.first, kv.second))
            return false;
    }
    return true;
}

// The demo account's server tree, made by makeServerDesk() in `work`, as the
// account's folder `serverFolder`.
inline bool copyServerAccount(const QString &work, const QString &serverFolder)
{
    return copyTree(work + "/server/zolink/zobox/zo_demo/", serverFolder);
}

// A console started in `work` until its login is over (and a media run the
// login started too); false when it did not end or ran in local mode.
inline bool startServerConsole(std::unique_ptr<ZoManager> &window, const QString &work)
{
    qputenv("ZOMANAGER_WORKDIR", work.toLocal8Bit());
    window.reset(new ZoManager);
    window->resize(1280, 800);
    window->show();
    classPrincipal *panel = window->panel();
    auto *stack = panel->findChild<AnimationStackedWidget *>("panelStack");
    return QTest::qWaitFor([&] { return stack->isVisible() && !panel->mediaDeployment()->running(); }, 40000)
        && !panel->localMode();
}
