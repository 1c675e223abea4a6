#pragma once

#include <QListView>
#include <QStringList>

#include <optional>

// The playlist, with extended selection. It accepts whatever is dropped on
// it and hands the file list it offered (nothing when it offered none) to the
// main window, which decides what the drop adds. It does so after the drop
// event has returned: the program that the files were dragged from waits
// until then, and must not wait for the boxes the adds may show.
class PlaylistView : public QListView {
    Q_OBJECT

public:
    explicit PlaylistView(QWidget* parent = nullptr);

    // The selected rows, read from the selection's ranges: asking the
    // selection model for its selected rows tests every row against every
    // range, which takes minutes for a scattered selection of a long list.
    QList<int> selectedRowNumbers() const;

Q_SIGNALS:
    void dropped(const std::optional<QStringList>& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
