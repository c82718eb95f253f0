#pragma once

#include <QString>

// Static helpers around the work folder.
class ClassParamS
{
public:
    ClassParamS();
    void Init();

    // Full path of `relative` inside the work folder (which ends with "/").
    // ZOMANAGER_WORKDIR, when set, replaces the executable's folder.
    static QString getNewPath(QString relative);
};
