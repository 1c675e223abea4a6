#pragma once

#include <QListView>

class QMimeData;

// The playlist, with extended selection. It accepts whatever is
// dropped on it and hands the data to the main window, which decides what
// the drop adds.
class PlaylistView : public QListView {
    Q_OBJECT

public:
    explicit PlaylistView(QWidget* parent = nullptr);

    // The selected rows, read from the selection's ranges: asking the
    // selection model for its selected rows tests every row against every
    // range, which takes minutes for a scattered selection of a long list.
    QList<int> selectedRowNumbers() const;

Q_SIGNALS:
    void dropped(const QMimeData* data);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
