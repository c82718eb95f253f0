#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <functional>

class QDialog;

// Shields a dialog that opens under the pointer. A click landing on it
// within the double-click interval of its showing is the rest of the double
// click that opened it, never an answer: it is dropped. A close asked by the
// window manager (Alt+F4, the title bar's button) is handed to
// `onWindowClose` before the dialog closes, so the dialog can take it for a
// cancel; its own keys and buttons close it without that call.
class InputDialogGuard : public QObject
{
public:
    explicit InputDialogGuard(QDialog *dialog, std::function<void()> onWindowClose = {});
    ~InputDialogGuard() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QDialog *m_dialog;
    std::function<void()> m_onWindowClose;
    QElapsedTimer m_shown;
};
