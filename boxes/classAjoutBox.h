#pragma once

#include "AddBoxProcedure.h"

#include <QStringList>
#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The add-a-screen dialog, laid over the control panel that owns it; the
// registration itself is AddBoxProcedure.
class classAjoutBox : public QWidget, private AddBoxPrompts
{
    Q_OBJECT
public:
    explicit classAjoutBox(QWidget *parent = nullptr);
    ~classAjoutBox() override;

    AddBoxProcedure *procedure() const { return m_procedure; }
    QLineEdit *serialField() const { return m_serial; }
    QLineEdit *codeField() const { return m_code; }
    QLabel *messageLabel() const { return m_message; }

public slots:
    void slotResize(int width, int height, int rotation);
    // Opens the dialog.
    void slotVisible();
    void slotProcedure();
    void slotListFichier(QStringList Fichiers);
    void slotPutFileFinish();
    void slotMkdirFinish();
    void slotGetFileFinish();
    void slotPresenceBOX();
    // The category that receives a new box.
    void slotSelectionCategory(QString current);
    void slotValider();
    void slotAnnuler();
    // Outcome of the transfer whose end was just reported.
    void slotTransferEnded(int operation, bool ok);

signals:
    void signalGetListFile(QString Path);
    void signalPutFile(QString fileNameOrigin, QString FolderDestination, QString fileNameDestination);
    void signalMkdir(QString Folder);
    void signalGetFile(QString FolderFtp, QString fileNameFtp, QString FolderDestination, QString fileNameDestination);
    void signalClearListFile();
    // The box is added: the panel closes its transfer overlay before the
    // success message.
    void signalMessageOnlyOFF();

private:
    void information(const QString &title, const QString &text) override;
    bool entryError(const QString &text) override;
    void finished() override;
    void MessageTermine();
    void showFields(bool visible);

    QString m_work;
    QLabel *m_background;
    QFrame *m_frame;
    QLabel *m_message;
    QLabel *m_serialLabel;
    QLineEdit *m_serial;
    QLabel *m_codeLabel;
    QLineEdit *m_code;
    QPushButton *m_valider;
    QPushButton *m_annuler;
    AddBoxProcedure *m_procedure;
};
