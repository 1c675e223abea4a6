#include "main_window/folder_list_view.h"

#include "platform/file_system.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kIndentPx = 10;

// Indents each entry by its depth, so the list reads as a tree.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented = option;
        indented.rect.adjust(index.data(kDepthRole).toInt() * kIndentPx, 0, 0, 0);
        QStyledItemDelegate::paint(painter, indented, index);
    }
};

} // namespace

FolderListView::FolderListView(FileSystem& fs, QWidget* parent)
    : BrowserList(fs, parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new IndentDelegate(this));
    connect(this, &QListWidget::currentRowChanged, this, [this] {
        if (!m_rebuilding)
            Q_EMIT entryHighlighted();
    });
    // Not itemActivated: where the desktop activates items on a single click,
    // that would open the folder the user only meant to highlight for Make
    // Root or Add Entire Dir. Enter is handled in keyPressEvent().
    connect(this, &QListWidget::itemDoubleClicked, this, &FolderListView::requestOpen);
}

void FolderListView::requestOpen(const QListWidgetItem* item) {
    if (item)
        Q_EMIT openRequested(item->data(kPathRole).toString());
}

void FolderListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        requestOpen(currentItem());
        event->accept();
        return;
    }
    BrowserList::keyPressEvent(event);
}

bool FolderListView::setPath(const QString& folder, QString* error) {
    const std::optional<QStringList> children = m_fs.listFolders(folder, error);
    if (!children)
        return false;

    QStringList ancestors{folder};
    for (QString up = m_fs.parentFolder(folder); !up.isEmpty() && up != ancestors.first();
         up = m_fs.parentFolder(up))
        ancestors.prepend(up);

    m_rebuilding = true;
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QChar sep = m_fs.rules().separator();
    auto addEntry = [&](const QString& full, const QIcon& icon, int depth) {
        QString name = full;
        if (name.size() > 1 && name.endsWith(sep) && ancestors.first() != full)
            name.chop(1);
        const qsizetype cut = name.lastIndexOf(sep);
        if (cut >= 0 && cut + 1 < name.size())
            name = name.mid(cut + 1);
        auto* item = new QListWidgetItem(icon, name, this);
        item->setData(kPathRole, full);
        item->setData(kDepthRole, depth);
        item->setToolTip(full);
    };
    for (qsizetype i = 0; i < ancestors.size(); ++i)
        addEntry(ancestors[i], openIcon, static_cast<int>(i));
    const int childDepth = static_cast<int>(ancestors.size());
    for (const QString& child : *children)
        addEntry(m_fs.buildPath(folder, child), closedIcon, childDepth);
    m_path = folder;
    setCurrentRow(static_cast<int>(ancestors.size()) - 1);
    m_rebuilding = false;
    return true;
}

QString FolderListView::highlightedPath() const {
    const QListWidgetItem* item = currentItem();
    return item ? item->data(kPathRole).toString() : m_path;
}

bool FolderListView::highlightQuietly(const QString& folder) {
    for (int row = 0; row < count(); ++row) {
        if (m_fs.rules().samePath(item(row)->data(kPathRole).toString(), folder)) {
            m_rebuilding = true;
            setCurrentRow(row);
            m_rebuilding = false;
            return true;
        }
    }
    return false;
}

QString FolderListView::fullPathOf(const QListWidgetItem* item) const {
    return item->data(kPathRole).toString();
}
