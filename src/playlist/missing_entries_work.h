#pragma once

#include "playlist/long_work.h"
#include "playlist/playlist_edit.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QList>
#include <QSet>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class Dialogs;
class FileSystem;
class PlaylistDocument;

// What the commands about missing entries share: they look at every entry's
// file again on a worker thread, as a load tests them, and then, back on the
// window's thread and once no other box is open, mark the entries, ask the
// user and change the playlist as one step. Cancel before the question
// changes nothing. A new or opened playlist cancels the work.
class MissingEntriesWork : public LongWork {
    Q_OBJECT

public:
    // Runs what the command changes as one step of the window's history;
    // without one the change is just made.
    using AsOneStep = std::function<void(const std::function<void()>& change)>;

    // `document`, `fs` and `dialogs` must outlive the work.
    MissingEntriesWork(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                       AsOneStep asOneStep, QObject* parent);
    ~MissingEntriesWork() override;

    // Takes the entries as they stand now and starts the worker.
    void start();
    QString statusText() const override;
    qint64 progressDone() const override { return m_done.load(); }
    qint64 progressTotal() const override { return m_total.load(); }
    void cancel() override;
    bool isFinished() const override { return m_finished; }

protected:
    enum class Phase { Looking, Listing, Matching };

    // Every subclass calls it in its destructor, before its own members go:
    // the worker may still be using them.
    void stopWorker();

    // Hands `held` to a pool thread to be freed there: what a look of many
    // entries leaves behind holds a string or more for each, and freeing
    // them all would hold up the window.
    template <typename T> static void freeElsewhere(T held) {
        auto box = std::make_shared<T>(std::move(held));
        QThreadPool::globalInstance()->start([box = std::move(box)]() mutable { box.reset(); });
    }

    // The worker thread's part.
    virtual void work() = 0;
    // The window's thread's part, once the worker is done and no box is
    // open; not run when the work was cancelled.
    virtual void conclude() = 0;
    // The status line while the files below a folder are listed.
    virtual QString listingText(qint64 found) const;

    // On the worker: looks at every entry again; false when cancelled.
    // `shown`: the status line follows it.
    bool lookAgain(bool shown = true);
    // Runs `other` on another thread of the pool while `here` runs on this
    // one, and returns when both are done; one after the other when the pool
    // has no thread to spare.
    static void alongside(const std::function<void()>& other, const std::function<void()>& here);
    bool isCancelled() const { return m_cancelled.load(std::memory_order_relaxed); }
    void enterPhase(Phase phase, qint64 total);
    void advance(qint64 count = 1) { m_done.fetch_add(count, std::memory_order_relaxed); }

    // On the window's thread: the playlist is as it was looked at (the same
    // entries, no add waiting, the same root).
    bool unchangedSinceLook() const;
    // On the window's thread: marks the entries as the look found them and
    // returns how many are missing now.
    int markMissing();
    void runAsOneStep(const std::function<void()>& change);

    PlaylistDocument& m_document;
    FileSystem& m_fs;
    Dialogs& m_dialogs;
    // The entries as they were looked at, the root they were read with, and
    // which were missing, row for row.
    QList<PlaylistEntry> m_looked;
    QString m_root;
    std::vector<char> m_missing;
    // Their texts, for marking a playlist that changed since.
    QSet<QString> m_missingTexts;
    qsizetype m_missingCount = 0;

private:
    void workerDone();
    void concludeWhenNoBoxIsOpen();
    void finish();

    AsOneStep m_asOneStep;
    QFuture<void> m_future;
    QFutureWatcher<void> m_watcher;
    QTimer m_progressTimer;
    QTimer m_boxWait;
    std::atomic<bool> m_cancelled{false};
    std::atomic<int> m_phase{static_cast<int>(Phase::Looking)};
    std::atomic<qint64> m_done{0};
    std::atomic<qint64> m_total{0};
    bool m_finished = false;
};
