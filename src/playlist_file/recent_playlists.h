#pragma once

#include <QStringList>

class FileSystem;

// The playlists last opened or saved, most recent first, at most
// kMaxCount, each once. Paths are compared by the file system's rules, so a
// playlist reopened under another letter case on Windows does not appear
// twice.
class RecentPlaylists {
public:
    static constexpr qsizetype kMaxCount = 8;

    explicit RecentPlaylists(FileSystem& fs)
        : m_fs(fs) {}

    // Replaces the list by `paths` as remembered: empty names and repeats
    // are dropped, and only the first kMaxCount are kept.
    void assign(const QStringList& paths);

    const QStringList& paths() const { return m_paths; }

    // Puts `path` first, dropping an earlier mention and the oldest beyond
    // kMaxCount.
    void add(const QString& path);
    void remove(const QString& path);
    void clear() { m_paths.clear(); }
    // Drops the playlists that no longer exist. True when any was dropped.
    bool dropMissing();

private:
    qsizetype indexOf(const QString& path) const;

    FileSystem& m_fs;
    QStringList m_paths;
};
