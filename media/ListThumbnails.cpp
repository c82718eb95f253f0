#include "ListThumbnails.h"

#include "ThumbnailLoader.h"

#include <QEvent>
#include <QListWidget>
#include <QScrollBar>

ListThumbnails::ListThumbnails(QListWidget *list, ThumbnailLoader *loader, FileOf fileOf, QObject *parent)
    : QObject(parent)
    , m_list(list)
    , m_loader(loader)
    , m_fileOf(std::move(fileOf))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &ListThumbnails::update);
    connect(m_loader, &ThumbnailLoader::ready, this, &ListThumbnails::onReady);
    connect(m_list->verticalScrollBar(), &QScrollBar::valueChanged, this, &ListThumbnails::refresh);
    connect(m_list, &QListWidget::iconSizeChanged, this, &ListThumbnails::refresh);
    QAbstractItemModel *model = m_list->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &ListThumbnails::refresh);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &ListThumbnails::refresh);
    connect(model, &QAbstractItemModel::modelReset, this, &ListThumbnails::refresh);
    // Rows about to go take their entries with them.
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this](const QModelIndex &, int first, int last) {
        for (int row = first; row <= last; ++row)
            m_loaded.remove(m_list->item(row));
    });
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_loaded.clear(); });
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
}

QIcon ListThumbnails::placeholder()
{
    if (m_placeholderSize != m_list->iconSize() || m_placeholder.isNull()) {
        m_placeholderSize = m_list->iconSize();
        m_placeholder = QIcon(QPixmap::fromImage(ThumbnailLoader::boxed(QImage(), m_placeholderSize)));
    }
    return m_placeholder;
}

void ListThumbnails::refresh()
{
    if (!m_timer.isActive())
        m_timer.start();
}

bool ListThumbnails::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Resize:
        refresh();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

int ListThumbnails::firstBelow(int y) const
{
    // Rows run top to bottom: the first whose bottom is below y.
    int lo = 0, hi = m_list->count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (m_list->visualItemRect(m_list->item(mid)).bottom() < y)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

void ListThumbnails::window(int *first, int *last) const
{
    *first = 0;
    *last = -1;
    if (!m_list->isVisible() || m_list->count() == 0)
        return;
    const int height = m_list->viewport()->height();
    const int top = firstBelow(0);
    const int bottom = qMin(firstBelow(height), m_list->count() - 1);
    const int screenful = qMax(1, bottom - top + 1);
    *first = qMax(0, top - screenful);
    *last = qMin(m_list->count() - 1, bottom + screenful);
}

void ListThumbnails::update()
{
    const QSize size = m_list->iconSize();
    window(&m_first, &m_last);
    QHash<QListWidgetItem *, qint64> shown;
    for (int row = m_first; row <= m_last; ++row) {
        QListWidgetItem *item = m_list->item(row);
        const QString file = m_fileOf(item);
        if (file.isEmpty())
            continue;
        const QPixmap kept = m_loader->request(file, size);
        if (!kept.isNull()) {
            show(item, kept);
            shown.insert(item, kept.cacheKey());
        } else if (m_loaded.contains(item)) {
            // The older thumbnail stays until the new one is there.
            shown.insert(item, m_loaded.value(item));
        }
    }
    const QIcon clear = placeholder();
    for (auto it = m_loaded.cbegin(); it != m_loaded.cend(); ++it) {
        if (!shown.contains(it.key()))
            it.key()->setIcon(clear);
    }
    m_loaded = shown;
}

void ListThumbnails::show(QListWidgetItem *item, const QPixmap &thumbnail)
{
    if (m_loaded.value(item, 0) != thumbnail.cacheKey())
        item->setIcon(QIcon(thumbnail));
}

void ListThumbnails::onReady(const QString &file, const QPixmap &thumbnail)
{
    // A look is due anyway; a thumbnail of an older icon size is no use.
    if (m_timer.isActive() || (!thumbnail.isNull() && thumbnail.size() != m_list->iconSize()))
        return;
    for (int row = m_first; row <= m_last && row < m_list->count(); ++row) {
        QListWidgetItem *item = m_list->item(row);
        if (m_fileOf(item) != file)
            continue;
        // A file that is no picture keeps the clear icon, its row in line.
        if (thumbnail.isNull()) {
            item->setIcon(placeholder());
            m_loaded.remove(item);
            continue;
        }
        show(item, thumbnail);
        m_loaded.insert(item, thumbnail.cacheKey());
    }
}
