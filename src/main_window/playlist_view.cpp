#include "main_window/playlist_view.h"

#include "main_window/missing_entry_delegate.h"
#include "playlist/dropped_files.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QItemSelectionModel>

PlaylistView::PlaylistView(QWidget* parent)
    : QListView(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
    // A playlist of many thousand entries is laid out a slice at a time, so
    // the window answers while a folder walk fills it.
    setLayoutMode(QListView::Batched);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDropIndicatorShown(false);
    setItemDelegate(new MissingEntryDelegate(this));
}

QList<int> PlaylistView::selectedRowNumbers() const {
    QList<int> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.append(row);
    }
    return rows;
}

void PlaylistView::dragEnterEvent(QDragEnterEvent* event) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void PlaylistView::dragMoveEvent(QDragMoveEvent* event) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void PlaylistView::dropEvent(QDropEvent* event) {
    // The data belongs to the drag and goes with it: the paths are copied.
    const QMimeData* data = event->mimeData();
    std::optional<QStringList> paths = data ? droppedFilePaths(*data) : std::nullopt;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    QMetaObject::invokeMethod(
        this, [this, paths = std::move(paths)] { Q_EMIT dropped(paths); }, Qt::QueuedConnection);
}
