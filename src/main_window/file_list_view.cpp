#include "main_window/file_list_view.h"

#include "platform/file_system.h"

FileListView::FileListView(FileSystem& fs, QWidget* parent)
    : BrowserList(fs, parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
}

bool FileListView::setPath(const QString& folder, QString* error) {
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

void FileListView::setPattern(const QString& pattern) {
    m_pattern = pattern;
    if (!m_path.isEmpty()) {
        QString ignored;
        setPath(m_path, &ignored);
    }
}

QStringList FileListView::selectedNames() const {
    QStringList names;
    for (int row = 0; row < count(); ++row)
        if (item(row)->isSelected())
            names.append(item(row)->text());
    return names;
}

bool FileListView::hasSelectedFile() const {
    for (int row = 0; row < count(); ++row)
        if (item(row)->isSelected())
            return true;
    return false;
}

QString FileListView::fullPathOf(const QListWidgetItem* item) const {
    return m_fs.buildPath(m_path, item->text());
}
