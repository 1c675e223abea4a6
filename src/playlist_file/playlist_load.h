#pragma once

#include "platform/dialogs.h"
#include "playlist/long_work.h"
#include "playlist/playlist_model.h"
#include "playlist_file/entry_checks.h"
#include "playlist_file/playlist_reader.h"

#include <QFutureWatcher>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <memory>
#include <optional>

class FileSystem;
class PlaylistDocument;

// Loading a playlist file without holding up the window: the file is read
// and every entry's file looked up on other threads, while the window goes on
// drawing and can cancel. The boxes come in their order on the window's
// thread: the root message once the file is read, the missing-files question
// once every entry has been looked up. The document changes only at the end,
// in one step, so a cancelled load or a file that cannot be read leaves the
// playlist, its name and its flags as they were.
//
// For as long as it runs it counts as an open modal box (Dialogs::Modal), so
// other long work waits and adds nothing to the playlist being replaced.
class PlaylistLoad final : public LongWork {
    Q_OBJECT

public:
    PlaylistLoad(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs, QString path,
                 QObject* parent = nullptr);
    // Stops the threads and waits for the look-ups they are in.
    ~PlaylistLoad() override;

    // Starts it; finished() follows from the event loop.
    void start();
    // The whole load on this thread, the look-ups on the pool meanwhile; for
    // callers that have no event loop to return to. True when loaded.
    bool runToEnd();

    const QString& path() const { return m_path; }
    // The document took the file.
    bool loaded() const { return m_loaded; }

    QString statusText() const override;
    qint64 progressDone() const override;
    qint64 progressTotal() const override;
    // The playlist stays as it was; finished() follows once the threads
    // have left their look-ups.
    void cancel() override;
    bool isFinished() const override { return m_stage == Stage::Finished; }

private:
    enum class Stage { Waiting, Reading, Checking, Ordering, Finished };

    void read();
    void afterRead();
    void afterChecks();
    void afterOrdering();
    void onStepDone();
    void finish();
    bool isCancelled() const { return m_cancelled.load(std::memory_order_relaxed); }

    PlaylistDocument& m_document;
    FileSystem& m_fs;
    Dialogs& m_dialogs;
    const QString m_path;
    std::optional<Dialogs::Modal> m_modal;
    Stage m_stage = Stage::Waiting;
    bool m_sync = false;
    bool m_inBox = false;
    bool m_loaded = false;
    std::atomic<bool> m_cancelled = false;
    // Written by the reading thread, read here once it has finished.
    std::optional<PlaylistRead> m_read;
    QString m_error;
    std::unique_ptr<EntryChecks> m_checks;
    // Written by the ordering thread, read here once it has finished.
    OrderedEntries m_ordered;
    QFutureWatcher<void> m_watcher;
    QTimer m_progressTimer;
    // Last, so that it is the first to go: it waits for its threads before
    // anything they use is gone.
    QThreadPool m_pool;
};
