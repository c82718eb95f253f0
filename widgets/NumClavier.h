#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QSignalMapper;
class QTimer;

// Touch keypad for numbers, times and digit passwords. text() is whatever
// the line holds when the dialog closes, but closed by the window manager it
// is the value given to setChampClavier(): that close is a cancel. A click
// within the double-click interval of its showing types nothing.
class NumClavier : public QDialog
{
    Q_OBJECT
public:
    // mode 0 echoes as a password; width and height are those of the area
    // the keypad is centred on.
    NumClavier(int mode, int width, int height, QDialog *parent);
    ~NumClavier() override;

    void setChampClavier(QString caption, QString value, QString inputMask);
    void setTextClavier(QString caption);
    QString text();

public slots:
    void slotNumber(int digit);
    void slotNumber(QString text);
    void slotBackSpace();
    void slotFocus();

private:
    QLabel *m_caption;
    QLineEdit *m_edit;
    QList<QPushButton *> m_digits;
    QPushButton *m_backSpace;
    QPushButton *m_plus;
    QPushButton *m_star;
    QPushButton *m_dot;
    QPushButton *m_hash;
    QPushButton *m_ok;
    QSignalMapper *m_digitMapper;
    QSignalMapper *m_symbolMapper;
    QTimer *m_focusTimer;
    int m_x;
    int m_y;
    QString m_initialValue;
    bool m_cancelled = false;
};
