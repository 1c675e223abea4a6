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

Q_SIGNALS:
    void dropped(const QMimeData* data);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
