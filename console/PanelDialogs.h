#pragma once

#include "SessionDialogs.h"

class QLabel;
class QWidget;

// The start-up and login dialogs shown over the panel: keyboards sized to
// the panel, ClassBox boxes of its size over the dimmed backdrop, the file
// dialog. The panel takes the keyboard focus back after each.
class PanelDialogs : public SessionDialogs
{
public:
    PanelDialogs(QWidget *panel, QLabel *backdrop);

    QString askText(const QString &caption, bool password) override;
    bool ask(const QString &question) override;
    void error(const QString &text) override;
    void message(const QString &title, const QString &text, bool critical) override;
    QString openFile(const QString &caption, const QString &folder, const QString &filter) override;
    // A ClassBox of the given type; returns its answer.
    int box(const QString &text, int type);

private:

    QWidget *m_panel;
    QLabel *m_backdrop;
};
