#include "playlist_file/recent_playlists.h"

#include "platform/file_system.h"

void RecentPlaylists::assign(const QStringList& paths) {
    m_paths.clear();
    // Oldest first, so that each add() puts the next more recent one on top.
    for (auto it = paths.crbegin(); it != paths.crend(); ++it)
        add(*it);
}

void RecentPlaylists::add(const QString& path) {
    if (path.isEmpty())
        return;
    remove(path);
    m_paths.prepend(path);
    if (m_paths.size() > kMaxCount)
        m_paths.resize(kMaxCount);
}

void RecentPlaylists::remove(const QString& path) {
    if (const qsizetype at = indexOf(path); at >= 0)
        m_paths.removeAt(at);
}

bool RecentPlaylists::dropMissing() {
    return m_paths.removeIf([this](const QString& path) { return !isOrdinaryFile(m_fs, path); }) >
           0;
}

qsizetype RecentPlaylists::indexOf(const QString& path) const {
    const PathRules& rules = m_fs.rules();
    for (qsizetype i = 0; i < m_paths.size(); ++i)
        if (rules.samePath(m_paths[i], path))
            return i;
    return -1;
}
