#pragma once

#include "BoxItemWidget.h"
#include "BoxStatusPoller.h"
#include "classPrincipal.h"

#include <QListWidget>
#include <QSignalSpy>

// The row of box `serial` in the panel's screens list, once its cover is
// built (covers come a slice per event-loop turn); null until then.
inline BoxItemWidget *boxCover(classPrincipal *panel, const QString &serial)
{
    auto *list = panel->findChild<QListWidget *>(QStringLiteral("screensList"));
    for (int row = 0; list && row < list->count(); ++row) {
        if (list->item(row)->text() == serial)
            return qobject_cast<BoxItemWidget *>(list->itemWidget(list->item(row)));
    }
    return nullptr;
}

// One request of the panel's box-status machine, answered.
inline bool pollBoxStatusOnce(classPrincipal *panel)
{
    QSignalSpy replies(panel->statusPoller(), &BoxStatusPoller::entriesReady);
    panel->statusPoller()->relaunch();
    return replies.wait(30000) && replies.count() == 1;
}
