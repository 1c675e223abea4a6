// The main window's part in what the program remembers between runs: its
// size and the recent playlists.
#include "main_window/main_window.h"

#include "main_window/recent_playlists_menu.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "playlist_file/file_commands.h"

#include <QScreen>

void MainWindow::useSettings(SettingsStore& settings) {
    m_settings = &settings;
    m_recentMenu->useSettings(settings);
    // Only the size: the window is centred wherever it was left.
    // A size left on a bigger screen is cut to this one's.
    const QSize remembered = settings.windowSize();
    if (remembered.isValid())
        resize(remembered.boundedTo(screen()->availableGeometry().size())
                   .expandedTo(minimumSizeHint()));
}

void MainWindow::openRecentPlaylist(const QString& path) {
    if (confirmPlaylistToOpen(m_document, m_fs, m_dialogs, path)) {
        loadInBackground(path, [this, path](bool loaded) {
            if (loaded) {
                m_dialogFileName = path;
                m_recentMenu->add(path);
            } else if (!isOrdinaryFile(m_fs, path)) {
                m_recentMenu->remove(path);
            }
        });
    } else if (!isOrdinaryFile(m_fs, path)) {
        m_recentMenu->remove(path);
    }
}

void MainWindow::noteRecentPlaylist(bool openedOrSaved) {
    if (openedOrSaved)
        m_recentMenu->add(m_document.filePath());
}

void MainWindow::rememberOnClose() {
    // Saved at the closing question, or simply the last one used.
    noteRecentPlaylist(m_document.isBoundToFile());
    if (!m_settings)
        return;
    // A maximised window comes back at the size it had before.
    const bool filling = isMaximized() || isFullScreen();
    m_settings->setWindowSize(filling && normalGeometry().isValid() ? normalGeometry().size()
                                                                    : size());
}
