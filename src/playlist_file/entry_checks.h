#pragma once

#include "playlist/playlist_edit.h"

#include <QFuture>
#include <QList>
#include <QString>

#include <atomic>

class FileSystem;
class QThreadPool;

// Looks up, on every thread of a pool at once, whether each entry of a
// playlist being read names a file that is there, and marks those that do not
// (PlaylistEntry::missing). The look-ups only read, so they may run side by
// side; on a slow share each thread waits for its own answers.
//
// The entries and the file system must outlive the look-ups, and nobody else
// may touch the entries until the future has finished: the owner waits for
// the pool before it lets them go.
class EntryChecks {
public:
    // The root path each entry is looked up under: the root a load decides
    // counts from the entry that decides it; the entries above that one (blank
    // lines, streams) are looked up under the root as it was.
    struct Roots {
        QString before;
        QString after;
        qsizetype firstAfter = 0;
    };

    EntryChecks(FileSystem& fs, QList<PlaylistEntry>& entries, Roots roots);
    EntryChecks(const EntryChecks&) = delete;
    EntryChecks& operator=(const EntryChecks&) = delete;

    // Starts the look-ups on `pool`, one task per thread it may run.
    QFuture<void> start(QThreadPool& pool);
    // Each thread stops after the look-up it is in.
    void cancel() { m_cancelled.store(true, std::memory_order_relaxed); }
    bool isCancelled() const { return m_cancelled.load(std::memory_order_relaxed); }
    qint64 done() const { return m_done.load(std::memory_order_relaxed); }
    qint64 total() const { return m_count; }

private:
    void work();

    FileSystem& m_fs;
    // Taken once, so that no thread detaches the list.
    PlaylistEntry* m_entries;
    qsizetype m_count;
    Roots m_roots;
    std::atomic<qsizetype> m_next = 0;
    std::atomic<qint64> m_done = 0;
    std::atomic<bool> m_cancelled = false;
};
