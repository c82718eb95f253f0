#include "StandardFileDialog.h"

#include <QFileDialog>
#include <QWidget>
#include <QWindow>

namespace {

QStringList run(QWidget *over, const QString &caption, const QString &folder, const QString &filter,
                QFileDialog::FileMode mode)
{
    QFileDialog dialog(nullptr, caption, folder, filter);
    dialog.setFileMode(mode);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (QWidget *window = over ? over->window() : nullptr) {
        // Without a parent the window manager must still keep it above the
        // console, and it opens centred over it as a child dialog would.
        dialog.winId();
        if (dialog.windowHandle() && window->windowHandle())
            dialog.windowHandle()->setTransientParent(window->windowHandle());
        dialog.resize(dialog.sizeHint().expandedTo(QSize(640, 420)).boundedTo(window->size()));
        dialog.move(window->geometry().center() - dialog.rect().center());
    }
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

} // namespace

QStringList StandardFileDialog::openFileNames(QWidget *over, const QString &caption, const QString &folder,
                                              const QString &filter)
{
    return run(over, caption, folder, filter, QFileDialog::ExistingFiles);
}

QString StandardFileDialog::openFileName(QWidget *over, const QString &caption, const QString &folder,
                                         const QString &filter)
{
    const QStringList chosen = run(over, caption, folder, filter, QFileDialog::ExistingFile);
    return chosen.isEmpty() ? QString() : chosen.first();
}
