#pragma once

#include "ClassParam.h"

#include <QList>
#include <QWidget>

class QFont;
class QFrame;
class QGridLayout;
class QLabel;
class QPushButton;
class QTextEdit;
class QTimer;

// Box status page: after a check, the chosen box's factory record, whether
// it runs the deployed poster list, and its event log; its buttons have the
// panel send a command to the box.
class classStatistiques : public QWidget
{
    Q_OBJECT
public:
    // The status fetch waits 60 s, then tries 3 times for 5 s; a check that
    // has heard nothing by then (plus margin) gives up.
    static constexpr int CheckWaitMs = 60000;
    static constexpr int CheckGiveUpMs = CheckWaitMs + 3 * 5000 + 15000;

    explicit classStatistiques(QWidget *parent = nullptr);

    // The size of `font`, lowered until every text is at most `room` wide.
    static int fittedPointSize(QFont font, const QStringList &texts, int room);
    ~classStatistiques() override;

    void AfficheSTATUS();

    QPushButton *checkButton() const { return m_check; }
    QList<QPushButton *> commandButtons() const { return m_commands; }
    QList<QLabel *> statusPictures() const { return m_statusPictures; }
    QList<QLabel *> statusTexts() const { return m_statusTexts; }
    QList<QLabel *> factoryValues() const { return m_factoryValues; }
    QTextEdit *eventBox() const { return m_events; }
    bool waiting() const { return m_waiting; }

public slots:
    void slotResize(int w, int h, int rotation);
    // One more second of the check under way (its timer's tick).
    void slotCheckProgress();
    void slotValider();
    void slotAnnuler();
    void slotDemandeStatus();
    void slotStatusEstAJour();
    void slotReboot();
    void slotUpdateSystem();
    void slotBackSystem();
    void slotStopHdmi();
    // Another box was chosen: nothing of the previous one stays shown.
    void slotClear();

signals:
    void signalButton(int code);
    void signalDownloadStatus();
    void signalCommandZobox(QString command);

private:
    void setWaiting(bool waiting);
    void showProgress();
    void checkGaveUp();
    void showRow(int row, const QString &picture, const QString &text);
    void sendCommand(const QString &command);

    QString m_path;
    ClassParam m_paramStatus;
    ClassParam m_paramPlayer;
    ClassParam m_paramBox;
    QLabel *m_background;
    QGridLayout *m_grid;
    QFrame *m_statusPanel;
    QFrame *m_commandPanel;
    QFrame *m_factoryPanel;
    QFrame *m_eventPanel;
    QList<QLabel *> m_statusPictures;
    QList<QLabel *> m_statusTexts;
    QPushButton *m_check;
    QList<QPushButton *> m_commands;
    QList<QLabel *> m_factoryNames;
    QList<QLabel *> m_factoryValues;
    QTextEdit *m_events;
    QPushButton *m_valider;
    QPushButton *m_retour;
    QTimer *m_giveUp;
    // Counts the seconds of a check on the check button.
    QTimer *m_progress;
    int m_seconds = 0;
    QString m_checkText;
    bool m_waiting = false;
};
