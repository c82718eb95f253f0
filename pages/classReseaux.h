#pragma once

#include <QWidget>

class PagePlaceholder;

// Publication page: shares a poster on a web site or a social network.
class classReseaux : public QWidget
{
    Q_OBJECT
public:
    explicit classReseaux(QWidget *parent = nullptr);
    ~classReseaux() override;

public slots:
    void slotResize(int width, int height, int rotation);
    void slotUpdateReseaux(QString NomDuCompte, QString Dossier);
    // Composes the share picture of a poster.
    void slotUpdateHDImage(int index);

signals:
    void signalButton(int code);
    void signalSavePictureTermine();

private:
    PagePlaceholder *m_body;
    QString m_account;
    QString m_folder;
};
