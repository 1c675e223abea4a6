#pragma once

#include "platform/file_system.h"
#include "playlist/unstorable_names.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

class Dialogs;
class PlaylistDocument;

// The folders a walk could not open or list, each once, and why the first
// could not.
struct SkippedFolders {
    QStringList folders;
    QString firstReason;

    void add(const QString& folder, const QString& reason);
};

// The audio files of a folder tree in the order Add Entire Dir adds them:
// every "*.mp3" file of the whole tree, then every "*.wav", then every
// "*.wma". Within each, the walk is depth first and pre-order: a folder's
// own files, in the order the file system lists them, before its sub-folders,
// each sub-folder's tree finished before the next begins. Hidden and system
// files count; folders never do, whatever their name. A link to a folder is
// walked like the folder, its files named by the path through the link; a
// folder already walked, through a link or not, is not walked again, so the
// walk always ends. Files and folders whose names are not UTF-8 are skipped
// and counted.
//
// It only reads the file system, so it may run on any thread.
class FolderTreeListing {
public:
    struct Sink {
        // A file, as its full path. False stops the walk.
        std::function<bool(const QString& path)> found;
        // Called before each folder is read. False stops the walk.
        std::function<bool()> enteringFolder;
    };

    explicit FolderTreeListing(FileSystem& fs)
        : m_fs(fs) {}

    // Walks the tree below `folder` (the folder included), handing each file
    // to the sink in order. False when the sink stopped it.
    bool run(const QString& folder, const Sink& sink);
    const SkippedFolders& skipped() const { return m_skipped; }
    const UnstorableNames& unstorable() const { return m_unstorable; }

private:
    bool walk(const QString& folder, const Sink& sink);

    FileSystem& m_fs;
    SkippedFolders m_skipped;
    QSet<FolderIdentity> m_visited;
    UnstorableNames m_unstorable;
    // Files of the later patterns, waiting for the whole tree's "*.mp3".
    QStringList m_wav;
    QStringList m_wma;
};

// "Add Entire Dir To Playlist": lists a folder tree on a thread of its own
// and adds what it finds through the document, on the thread that created
// it, in batches between which the window goes on working. A file outside
// the root is refused with one message each, in order; while a message is
// open the listing waits. At the end, one message names the folders that
// could not be read, and one the names that are not UTF-8. The modified
// flag is set only by the adds themselves.
class FolderTreeAdd final : public QObject {
    Q_OBJECT

public:
    // `document`, `fs` and `dialogs` must outlive the object.
    FolderTreeAdd(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs, QString folder,
                  QObject* parent = nullptr);
    // Stops a walk still running and waits for its thread.
    ~FolderTreeAdd() override;

    void start();
    bool isFinished() const { return m_finished; }
    // How many found paths wait for the window now. Any thread may ask.
    qsizetype waitingCount() const;

    // How many found paths may wait for the window before the listing waits
    // in turn.
    static constexpr qsizetype kMaxWaiting = 8192;

Q_SIGNALS:
    // Everything found was added and the skipped folders, if any, reported.
    void finished();

private:
    using Clock = std::chrono::steady_clock;

    void list();
    bool hand(const QString& path);
    bool mayGoOn();
    void askForAdding(std::unique_lock<std::mutex>& lock);
    void addWaitingPaths();
    qsizetype pathsPerTurn(Clock::duration turnTime) const;
    void finish();

    PlaylistDocument& m_document;
    FileSystem& m_fs;
    Dialogs& m_dialogs;
    const QString m_folder;

    // Shared with the listing thread, under m_mutex.
    mutable std::mutex m_mutex;
    std::condition_variable m_roomForMore;
    QStringList m_waiting;
    SkippedFolders m_skipped;
    UnstorableNames m_unstorable;
    bool m_listingDone = false;
    // The window will come back for the waiting paths: a call of
    // addWaitingPaths() is queued or under way.
    bool m_addingAsked = false;
    bool m_stop = false;
    std::chrono::steady_clock::time_point m_lastAsked;

    // The creating thread's own.
    std::thread m_thread;
    QStringList m_taken; // taken from m_waiting, added from m_next on
    qsizetype m_next = 0;
    qsizetype m_lastCount = 0;   // paths added by the last turn without a message
    double m_secondsPerPath = 0; // what each of them cost
    // When the last turn ended, while the next is queued: the time since is
    // the window's own work.
    std::optional<Clock::time_point> m_lastTurnEnd;
    bool m_adding = false;
    bool m_finished = false;
};
