#include "main_window/browser_list.h"

#include <QMimeData>
#include <QUrl>

BrowserList::BrowserList(FileSystem& fs, QWidget* parent)
    : QListWidget(parent)
    , m_fs(fs) {
    setUniformItemSizes(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
}

Qt::DropActions BrowserList::supportedDropActions() const {
    // What a drag out of the list offers. Never Move: a file manager that
    // took it would relocate the user's audio files, and the list would drop
    // the rows.
    return Qt::CopyAction | Qt::LinkAction;
}

QMimeData* BrowserList::mimeData(const QList<QListWidgetItem*>& items) const {
    QList<QUrl> urls;
    for (int row = 0; row < count(); ++row)
        if (items.contains(item(row)))
            urls.append(QUrl::fromLocalFile(fullPathOf(item(row))));
    auto* data = new QMimeData;
    data->setUrls(urls);
    return data;
}

QStringList BrowserList::mimeTypes() const {
    return {QStringLiteral("text/uri-list")};
}
