#include "InputDialogGuard.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

InputDialogGuard::InputDialogGuard(QDialog *dialog, std::function<void()> onWindowClose)
    : QObject(dialog)
    , m_dialog(dialog)
    , m_onWindowClose(std::move(onWindowClose))
{
    // Application-wide: the clicks reach the dialog's keys, not the dialog.
    qApp->installEventFilter(this);
}

InputDialogGuard::~InputDialogGuard()
{
    qApp->removeEventFilter(this);
}

bool InputDialogGuard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
        if (watched == m_dialog)
            m_shown.start();
        break;
    case QEvent::Close:
        // Only the window system's close arrives spontaneous; close() called
        // by the dialog's own keys does not.
        if (watched == m_dialog && event->spontaneous() && m_onWindowClose)
            m_onWindowClose();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        if (!m_shown.isValid() || m_shown.elapsed() >= QApplication::doubleClickInterval())
            break;
        auto *target = qobject_cast<QWidget *>(watched);
        if (target && (target == m_dialog || m_dialog->isAncestorOf(target)))
            return true;
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
