#pragma once

#include "SessionDialogs.h"

#include <QStringList>

#include <functional>

// Scripted answers for the start-up and login machines: texts typed on the
// keyboards in order, answers to questions in order, and a log of all shown.
class FakeDialogs : public SessionDialogs
{
public:
    QStringList typed;      // next keyboard texts; empty: cancelled
    QList<bool> answers;    // next question answers; none left: No
    QString fileToOpen;     // the file dialog's choice
    QStringList shown;      // "keyboard: caption", "question: ...", "error: ...", "message: ..."
    std::function<void()> onError; // runs while an error is shown

    QString askText(const QString &caption, bool password) override
    {
        shown << QStringLiteral("keyboard%1: %2").arg(password ? QStringLiteral(" (password)") : QString(), caption);
        return typed.isEmpty() ? QString() : typed.takeFirst();
    }
    bool ask(const QString &question) override
    {
        shown << QStringLiteral("question: ") + question;
        return !answers.isEmpty() && answers.takeFirst();
    }
    void error(const QString &text) override
    {
        shown << QStringLiteral("error: ") + text;
        if (onError)
            onError();
    }
    void message(const QString &title, const QString &text, bool) override
    {
        shown << QStringLiteral("message: ") + title + QStringLiteral(" / ") + text;
    }
    QString openFile(const QString &caption, const QString &, const QString &) override
    {
        shown << QStringLiteral("file dialog: ") + caption;
        return fileToOpen;
    }
    QStringList errors() const { return shown.filter(QStringLiteral("error: ")); }
};
