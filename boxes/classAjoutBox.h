#pragma once

#include <QStringList>
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

// The add-a-screen dialog, laid over the control panel that owns it.
class classAjoutBox : public QWidget
{
    Q_OBJECT
public:
    explicit classAjoutBox(QWidget *parent = nullptr);
    ~classAjoutBox() override;

public slots:
    void slotResize(int width, int height, int rotation);
    // Opens the dialog.
    void slotVisible();
    void slotListFichier(QStringList Fichiers);
    void slotPutFileFinish();
    void slotMkdirFinish();
    void slotGetFileFinish();
    void slotPresenceBOX();
    // The category that receives a new box.
    void slotSelectionCategory(QString current);

signals:
    void signalGetListFile(QString Path);
    void signalPutFile(QString fileNameOrigin, QString FolderDestination, QString fileNameDestination);
    void signalMkdir(QString Folder);
    void signalGetFile(QString FolderFtp, QString fileNameFtp, QString FolderDestination, QString fileNameDestination);
    void signalClearListFile();

private:
    QFrame *m_frame;
    QLabel *m_title;
    QLabel *m_text;
    QPushButton *m_close;
    QString m_category;
};
