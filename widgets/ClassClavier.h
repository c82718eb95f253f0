#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QSignalMapper;
class QTimer;

// On-screen AZERTY keyboard for short texts. ESC and the window manager's
// close put back the value given to setTextClavier(), so text() is always a
// usable answer. A click within the double-click interval of its showing
// types nothing: it ends the double click that opened the keyboard.
class ClassClavier : public QDialog
{
    Q_OBJECT
public:
    // mode 0 echoes as a password; any other value shows the text.
    ClassClavier(int width, int height, QDialog *parent, int mode);
    ~ClassClavier() override;

    void setTextClavier(QString title, QString text);
    void setTextClavier(QString title, QString text, int maxLength);
    QString text();
    bool isBoutonOkCheck();
    // Closed any other way than OK, Return or Enter: the ESC key, the Escape
    // key or the window's own close (Alt+F4, the window manager).
    bool isCancelled() const { return !m_confirmed; }

public slots:
    void slotLetter();
    void slotLetter(int index);
    void slotSpace();
    void slotBackSpace();
    void slotNumber();
    void slotMajus();
    void slotFocus();
    void slotValider();
    void slotAnnuler();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setLetterCase(bool upper);

    QLabel *m_caption;
    QLineEdit *m_edit;
    QString m_initialText;
    QPushButton *m_ok;
    QPushButton *m_esc;
    QPushButton *m_backSpace;
    QPushButton *m_space;
    QPushButton *m_digits;
    QPushButton *m_shift;
    // a to z, then "." and ",".
    QList<QPushButton *> m_keys;
    QSignalMapper *m_mapper;
    QTimer *m_focusTimer;
    int m_marginX;
    int m_marginY;
    bool m_confirmed = false;
};
