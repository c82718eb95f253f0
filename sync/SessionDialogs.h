#pragma once

#include <QString>

// The dialogs the start-up and login machines open. The panel answers them
// with its keyboards and boxes; tests answer them directly.
class SessionDialogs
{
public:
    virtual ~SessionDialogs();
    // On-screen keyboard; the typed text, or empty when cancelled.
    virtual QString askText(const QString &caption, bool password) = 0;
    // Question box: true for OK / Yes.
    virtual bool ask(const QString &question) = 0;
    // Error box, returns once closed.
    virtual void error(const QString &text) = 0;
    // Message box with a title (information, or critical when `critical`).
    virtual void message(const QString &title, const QString &text, bool critical) = 0;
    // File dialog; empty when nothing was chosen.
    virtual QString openFile(const QString &caption, const QString &folder, const QString &filter) = 0;
};
