#pragma once

#include "main_window/browser_list.h"

// The folder tree: the open folder's ancestors, the folder itself and its
// sub-folders, indented like a tree. A single click (or the arrow keys)
// highlights an entry, whatever the desktop's single-click setting; a double
// click or Enter asks to open it. Opening is
// the main window's decision, so a folder that cannot be read never replaces
// the one shown. Folders can be dragged onto the playlist.
class FolderListView : public BrowserList {
    Q_OBJECT

public:
    explicit FolderListView(FileSystem& fs, QWidget* parent = nullptr);

    // path() is the open folder. Lists `folder` as the open folder. False, with *error set and
    // nothing changed, when it cannot be read.
    bool setPath(const QString& folder, QString* error);

    // The full path of the highlighted entry (the open folder when nothing
    // else is highlighted).
    QString highlightedPath() const;
    // Highlights the entry with this full path, if listed, without telling
    // anyone. False when there is no such entry.
    bool highlightQuietly(const QString& folder);

Q_SIGNALS:
    // The user highlighted an entry.
    void entryHighlighted();
    // The user asked to open an entry (double click or Enter).
    void openRequested(const QString& folder);

protected:
    QString fullPathOf(const QListWidgetItem* item) const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void requestOpen(const QListWidgetItem* item);

    bool m_rebuilding = false;
};
