#include "playlist_file/entry_checks.h"

#include "platform/entry_lookup.h"

#include <QPromise>
#include <QThreadPool>

#include <algorithm>
#include <memory>

namespace {

// Entries a thread takes at a time: few enough that the threads end
// together, many enough that they seldom meet at the counter.
constexpr qsizetype kBatch = 32;

} // namespace

EntryChecks::EntryChecks(FileSystem& fs, QList<PlaylistEntry>& entries, Roots roots)
    : m_fs(fs)
    , m_entries(entries.data())
    , m_count(entries.size())
    , m_roots(std::move(roots)) {}

QFuture<void> EntryChecks::start(QThreadPool& pool) {
    // The last task to end finishes the future.
    struct Finish {
        QPromise<void> promise;
        std::atomic<int> running;
    };
    const int threads = std::max(1, pool.maxThreadCount());
    auto finish = std::make_shared<Finish>();
    finish->running = threads;
    finish->promise.start();
    QFuture<void> future = finish->promise.future();
    for (int i = 0; i < threads; ++i) {
        pool.start([this, finish] {
            work();
            if (finish->running.fetch_sub(1) == 1)
                finish->promise.finish();
        });
    }
    return future;
}

void EntryChecks::work() {
    while (!isCancelled()) {
        const qsizetype first = m_next.fetch_add(kBatch, std::memory_order_relaxed);
        if (first >= m_count)
            return;
        const qsizetype last = std::min(first + kBatch, m_count);
        for (qsizetype row = first; row < last; ++row) {
            if (isCancelled())
                return;
            PlaylistEntry& entry = m_entries[row];
            const QString& root = row < m_roots.firstAfter ? m_roots.before : m_roots.after;
            entry.missing = !entryIsPresent(m_fs, root, entry.text);
            m_done.fetch_add(1, std::memory_order_relaxed);
        }
    }
}
