#pragma once

#include <QWidget>

class QGridLayout;
class QHBoxLayout;
class QLabel;

// The start-up splash: brand logo and "Chargement en cours..." over the
// message background, the size of the primary screen.
class ClassStartPhoto : public QWidget
{
    Q_OBJECT
public:
    explicit ClassStartPhoto(QWidget *parent = nullptr);
    ~ClassStartPhoto() override;

private:
    QLabel *m_logo;
    QLabel *m_message;
    QGridLayout *m_grid;
    QLabel *m_background;
    QHBoxLayout *m_layout;
};
