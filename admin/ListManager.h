#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QSignalMapper;
class QTimer;
class classAdmin;

// The step machine behind the page's nineteen action buttons: ask (warning
// and keyboard), edit the working lists, refresh the lists, close. One
// operation at a time: the action mapper is cut off while one runs.
// Playlist operations are saved, journalled and mirrored on the server at
// once; the others wait for validate.
class ListManager : public QObject
{
    Q_OBJECT
public:
    ListManager(classAdmin &page, QTimer *timer, QSignalMapper *actions);

    int step() const { return m_step; }
    bool busy() const;

    // Twelve letters and digits from the system's random source.
    static QString GetRandomString();

public slots:
    void slotGestionList(int id);
    void slotTimerGestionList();

private:
    void ask();
    void edit();
    void refresh();
    void close();

    void editUsers();
    void editPlaylists();
    void editGroups();
    bool nameGiven() const { return !m_name.isEmpty(); }
    void askName(const QString &caption, const QString &initial);
    int row(int list) const;

    classAdmin &m_page;
    QTimer *m_timer;
    QSignalMapper *m_actions;
    int m_code = -1;
    int m_step = 0;
    bool m_refused = false;
    // What the keyboard gave, cleaned for its list.
    QString m_name;
};
