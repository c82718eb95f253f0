#pragma once

#include <QString>

// Daily log files LOG/<yy-MM-dd>-<name>.log in the work folder.
class ClassLog
{
public:
    ClassLog();

    void log(QString name, QString text);
    // Keeps the three newest log files.
    void clean();
};
