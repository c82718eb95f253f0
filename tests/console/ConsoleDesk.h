#pragma once

#include "ZoManager.h"
#include "classPrincipal.h"

#include <QString>
#include <QStringList>

#include <memory>

// One desk of the multi-console tests: a whole console with its own work
// folder, logged in to the account the test shares on the stand-in.
struct Desk {
    QString name;
    QString work;
    std::unique_ptr<ZoManager> window;
    QStringList choice;     // screens ticked in the box choice
    bool overwrite = false; // answer to the revision question
    classPrincipal *panel() const { return window->panel(); }
};
