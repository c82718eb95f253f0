#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Qt's standard open-file dialog in its own look, modal over the window of
// `over`. It is kept out of the console's widget tree: the console's style
// sheet cascades to every child and would paint the dialog's captions light
// grey on white.
class StandardFileDialog
{
public:
    // Several existing files; empty when cancelled.
    static QStringList openFileNames(QWidget *over, const QString &caption, const QString &folder,
                                     const QString &filter);
    // One existing file; empty when cancelled.
    static QString openFileName(QWidget *over, const QString &caption, const QString &folder, const QString &filter);
};
