#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantList>

// One call of a scene function by name; every argument is a QVariant
// holding a QString or a QStringList.
struct SceneCall
{
    QString function;
    QVariantList args;

    bool operator==(const SceneCall &other) const { return function == other.function && args == other.args; }
};

using SceneCalls = QList<SceneCall>;
