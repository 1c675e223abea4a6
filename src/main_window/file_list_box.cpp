#include "main_window/file_list_box.h"

#include "platform/file_system.h"

#include <QMimeData>
#include <QUrl>

FileListBox::FileListBox(FileSystem& fs, QWidget* parent)
    : QListWidget(parent)
    , m_fs(fs) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
}

bool FileListBox::setPath(const QString& folder, QString* error) {
    // Without a pattern nothing is listed, so the folder is not read: start-up
    // opens its first folder before it sets the pattern, which lists it once.
    const std::optional<QStringList> files =
        m_pattern.isEmpty() ? QStringList() : m_fs.listFiles(folder, m_pattern, error);
    if (!files)
        return false;
    m_path = folder;
    const QSignalBlocker quiet(this);
    clear();
    addItems(*files);
    return true;
}

void FileListBox::setPattern(const QString& pattern) {
    m_pattern = pattern;
    if (!m_path.isEmpty()) {
        QString ignored;
        setPath(m_path, &ignored);
    }
}

QStringList FileListBox::names() const {
    QStringList result;
    result.reserve(count());
    for (int row = 0; row < count(); ++row)
        result.append(item(row)->text());
    return result;
}

QList<bool> FileListBox::selection() const {
    QList<bool> result;
    result.reserve(count());
    for (int row = 0; row < count(); ++row)
        result.append(item(row)->isSelected());
    return result;
}

QString FileListBox::fullPath(const QString& name) const {
    return m_fs.buildPath(m_path, name);
}

QStringList FileListBox::mimeTypes() const {
    return {QStringLiteral("text/uri-list")};
}

QMimeData* FileListBox::mimeData(const QList<QListWidgetItem*>& items) const {
    QList<QUrl> urls;
    // Top to bottom, the order the playlist gets them in.
    for (int row = 0; row < count(); ++row)
        if (items.contains(item(row)))
            urls.append(QUrl::fromLocalFile(fullPath(item(row)->text())));
    auto* data = new QMimeData;
    data->setUrls(urls);
    return data;
}
