#pragma once

#include <QHash>
#include <QIcon>
#include <QObject>
#include <QSize>
#include <QTimer>

#include <functional>

class QListWidget;
class QListWidgetItem;
class ThumbnailLoader;

// Gives the rows of a picture list that are on screen, and a screenful on
// each side, their thumbnails, and takes them back from rows that leave:
// a list of thousands of pictures holds a few dozen decoded icons, a
// hidden list none. Every other row shows a clear icon of the list's icon
// size, so that the names line up.
class ListThumbnails : public QObject
{
    Q_OBJECT
public:
    // The picture of a row; empty for a row without one (left alone).
    using FileOf = std::function<QString(const QListWidgetItem *)>;

    ListThumbnails(QListWidget *list, ThumbnailLoader *loader, FileOf fileOf, QObject *parent = nullptr);

    // The icon a new row gets until its thumbnail is there.
    QIcon placeholder();
    // Whether a look at the rows on screen is still due.
    bool scheduled() const { return m_timer.isActive(); }
    // Looks at the rows on screen again on the next turn (a row's file
    // changed, rows came or went).
    void refresh();

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void update();
    void onReady(const QString &file, const QPixmap &thumbnail);
    void show(QListWidgetItem *item, const QPixmap &thumbnail);
    // First and last row of the window; last < first when none.
    void window(int *first, int *last) const;
    int firstBelow(int y) const;

    QListWidget *m_list;
    ThumbnailLoader *m_loader;
    FileOf m_fileOf;
    QTimer m_timer;
    QSize m_placeholderSize;
    QIcon m_placeholder;
    int m_first = 0;
    int m_last = -1;
    // Rows with a thumbnail, by the key of the picture they show.
    QHash<QListWidgetItem *, qint64> m_loaded;
};
