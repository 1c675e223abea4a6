#pragma once

#include "platform/file_system.h"
#include "playlist/long_work.h"
#include "playlist/unstorable_names.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class Dialogs;
class PlaylistDocument;

// The folders a walk could not open or list, each once, and why the first
// could not.
struct SkippedFolders {
    QStringList folders;
    QString firstReason;

    void add(const QString& folder, const QString& reason);
    // The message that tells the user which were skipped (some were).
    QString message() const;
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

// "Add Entire Dir To Playlist": lists a folder tree on a thread of a pool
// of its own and adds what it finds through the document, on the thread
// that created it, in short turns between which the window goes on working.
// A file outside the root is refused with one message each, in order. While
// any box or file dialog is open (its own or another command's), nothing is
// added; the adds go on once the last one closes, into whatever playlist is
// there then. At the end, one message names the folders that could not be
// read, and one the names that are not UTF-8. The modified flag is set only
// by the adds themselves.
//
// Cancel stops the listing at once and keeps what was added, with one
// message saying how many. The listing shares its state with the object
// through a shared pointer and is never waited for, so a read hung on a
// dead mount holds up neither the window nor the end of the program.
class FolderTreeAdd final : public LongWork {
    Q_OBJECT

public:
    // `document` and `dialogs` must outlive the object; `fs` must outlive
    // the listing (see waitForListings()).
    FolderTreeAdd(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs, QString folder,
                  QObject* parent = nullptr);
    // Stops a walk still running, without waiting for its listing.
    ~FolderTreeAdd() override;

    void start();

    // "Adding files from /music/Artist... 12,345 found, 12,000 added".
    QString statusText() const override;
    // The user's Cancel: the listing stops, what was added stays, and one
    // message says how many files were added; then finished().
    void cancel() override;
    bool isFinished() const override { return m_finished; }
    // The window closes: stops at once, what was added stays, no message.
    // finished() is emitted before it returns.
    void stop();

    // Files this walk added to the playlist so far.
    qint64 addedCount() const { return m_added; }
    // How many found paths wait for the window now. Any thread may ask.
    qsizetype waitingCount() const;

    // How many found paths may wait for the window before the listing waits
    // in turn.
    static constexpr qsizetype kMaxWaiting = 8192;

    // Waits until no listing reads the file system any more, at most
    // `milliseconds`; true when none does. For whoever is about to destroy
    // a file system that walks used.
    static bool waitForListings(int milliseconds);

Q_SIGNALS:
    // A turn is about to add: whoever records the walk's changes makes sure
    // a record is open (New or Open may have started a new history).
    void aboutToAdd();

private:
    struct Shared;
    class Listing;
    enum class End { Done, Cancelled, Stopped };

    void addWaitingPaths();
    bool takeWaiting();
    void waitForDialogs();
    void reportProgress(bool now = false);
    void finish(End end);

    PlaylistDocument& m_document;
    FileSystem& m_fs;
    Dialogs& m_dialogs;
    const QString m_folder;
    std::shared_ptr<Shared> m_shared;

    QStringList m_taken; // taken from the listing, added from m_next on
    qsizetype m_next = 0;
    qint64 m_found = 0;
    qint64 m_added = 0;
    QElapsedTimer m_lastReport;
    QTimer m_mergeLater;
    bool m_started = false;
    bool m_adding = false;
    bool m_waitingForDialogs = false;
    bool m_dialogHookSet = false;
    bool m_cancelled = false;
    bool m_finished = false;
};
