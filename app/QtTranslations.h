#pragma once

#include <QString>

class QCoreApplication;

// Qt's own texts (standard buttons, the file dialog) in French, so that they
// read as the console's own. Debian ships them in qttranslations5-l10n.
class QtTranslations
{
public:
    // The French catalogue of Qt's base module where Qt looks for it.
    static QString file();
    // Installs it on `app`; false when it is missing or unreadable: the
    // program then runs with Qt's English texts.
    static bool install(QCoreApplication *app);
};
