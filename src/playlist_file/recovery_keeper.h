#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

class Dialogs;
class PlaylistDocument;
class RecoveryFolder;

// Keeps a recovery copy of the playlist while it has unsaved changes, so a
// crash, a kill or a logout costs no edits. The copy is written a few
// seconds after the last change: the window's thread only takes a snapshot
// that shares the entries, and a worker thread turns it into bytes and
// writes it. It goes when the playlist is saved or its changes are dropped.
class RecoveryKeeper final : public QObject {
    Q_OBJECT

public:
    static constexpr int kDefaultDelayMs = 3000;

    RecoveryKeeper(PlaylistDocument& document, RecoveryFolder& folder,
                   int delayMs = kDefaultDelayMs, QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    // Writes the copy at once on this thread, when there are unsaved changes
    // (the program is being ended by a signal). True when it was written or
    // nothing needed it.
    bool writeNow();
    // The unsaved changes are given up on purpose (Exit answered No): the copy
    // goes, and none is written until the next change.
    void discard();
    // Blocks until the worker has done what was asked of it.
    void waitForWorker();

Q_SIGNALS:
    // A copy was written (on the worker thread; delivered to this thread).
    void written();

private:
    void onChange();
    void onModifiedChanged(bool modified);
    void writeInBackground();

    PlaylistDocument& m_document;
    RecoveryFolder& m_folder;
    QTimer m_timer;
    // The first change not yet in a copy: a stream of changes (a long walk)
    // must not put the copy off for ever.
    QElapsedTimer m_waiting;
    // One thread, so writes and removals happen in the order asked.
    QThreadPool m_worker;
};

// At start-up: offers, one question each, the copies left by Songbinders
// that ended without saving, newest first. Yes restores the playlist into
// `document`, modified, and makes the copy this program's own; No deletes
// it. True when a playlist was restored.
bool offerRecovery(PlaylistDocument& document, Dialogs& dialogs, RecoveryFolder& folder);
