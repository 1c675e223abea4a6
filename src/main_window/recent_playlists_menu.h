#pragma once

#include "playlist_file/recent_playlists.h"

#include <QMenu>

class FileSystem;
class SettingsStore;

// File > Open Recent: the playlists last opened or saved, most recent first,
// each by its file name with the full path as its tooltip and a number key
// (1 to 8), then Clear Menu. The entries are laid out each time the menu
// opens, dropping the playlists that no longer exist; never while an entry's
// own signal runs. The list lives for the run; with settings it is also kept
// for the next.
class RecentPlaylistsMenu : public QMenu {
    Q_OBJECT

public:
    RecentPlaylistsMenu(FileSystem& fs, QWidget* parent = nullptr);

    // Takes the remembered list and keeps every change there. `settings`
    // must outlive the menu.
    void useSettings(SettingsStore& settings);
    // A playlist was opened or saved.
    void add(const QString& path);
    // A chosen playlist turned out to be gone.
    void remove(const QString& path);

signals:
    void chosen(const QString& path);

private:
    void rebuild();
    void changed();

    FileSystem& m_fs;
    RecentPlaylists m_playlists;
    SettingsStore* m_settings = nullptr;
};
