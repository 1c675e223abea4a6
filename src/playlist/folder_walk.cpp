#include "playlist/folder_walk.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "playlist/add_commands.h"
#include "playlist/playlist_document.h"

#include <QCoreApplication>
#include <QFuture>
#include <QMutex>
#include <QPointer>
#include <QPromise>
#include <QRunnable>
#include <QThreadPool>

#include <chrono>

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(FolderTreeAdd)

public:
    static QString skipped(const SkippedFolders& skipped) {
        const QString reason =
            skipped.firstReason.isEmpty() ? tr("unknown error") : skipped.firstReason;
        return tr("%Ln folders could not be read and were skipped. The first was:\n%1\n\n"
                  "Reason: %2",
                  nullptr, static_cast<int>(skipped.folders.size()))
            .arg(skipped.folders.first(), reason);
    }
    static QString status(const QString& folder, qint64 found, qint64 added) {
        return tr("Adding files from %1… %L2 found, %L3 added").arg(folder).arg(found).arg(added);
    }
    static QString cancelled(qint64 added) {
        return tr("Add Entire Dir was cancelled. %Ln files were added before it stopped.", nullptr,
                  static_cast<int>(added));
    }
};

const QString kMp3 = QStringLiteral("*.mp3");
const QString kWav = QStringLiteral("*.wav");
const QString kWma = QStringLiteral("*.wma");

using Clock = std::chrono::steady_clock;

// How long found paths may wait before the window is asked to add them,
// and how many make it worth asking at once.
constexpr std::chrono::milliseconds kAskInterval{10};
constexpr qsizetype kAskCount = 1024;
// One turn of adding: short enough that the window answers between two.
constexpr std::chrono::milliseconds kTurn{6};
// At most this many adds a turn: each turn ends by sorting what it added.
constexpr qsizetype kMostPerTurn = 4096;
// The status bar hears of progress at most this often.
constexpr std::chrono::milliseconds kReportInterval{100};
// Entries still waiting to be merged show at the latest this long after
// the walk last added.
constexpr std::chrono::milliseconds kMergeWait{250};

// The listings' own threads. Never destroyed: the program does not wait at
// its end for a listing stuck in a read on a hung mount, as it would for
// the global pool.
QThreadPool* listingPool() {
    static QThreadPool* const pool = [] {
        auto* threads = new QThreadPool;
        threads->setObjectName(QStringLiteral("folderListings"));
        // Each walk takes one thread for as long as it lists; one stuck in
        // a read must not keep the next walk from starting.
        threads->setMaxThreadCount(256);
        return threads;
    }();
    return pool;
}

} // namespace

void SkippedFolders::add(const QString& folder, const QString& reason) {
    if (folders.contains(folder))
        return;
    if (folders.isEmpty())
        firstReason = reason;
    folders.append(folder);
}

QString SkippedFolders::message() const {
    return Texts::skipped(*this);
}

bool FolderTreeListing::run(const QString& folder, const Sink& sink) {
    m_wav.clear();
    m_wma.clear();
    m_visited.clear();
    // One pass over the tree gives the order of three: the later patterns'
    // files wait until the whole tree's first pattern is through.
    if (!walk(folder, sink))
        return false;
    for (const QStringList* later : {&m_wav, &m_wma}) {
        for (const QString& path : *later)
            if (!sink.found(path))
                return false;
    }
    return true;
}

bool FolderTreeListing::walk(const QString& folderPath, const Sink& sink) {
    if (folderPath.isEmpty())
        return true;
    if (sink.enteringFolder && !sink.enteringFolder())
        return false;
    QString error;
    const std::optional<FolderInfo> folder = m_fs.folder(folderPath, &error);
    if (!folder) {
        m_skipped.add(folderPath, error);
        return true;
    }
    // Links make a tree a graph: a folder reached again, through a link to
    // an ancestor or by a second path, is not walked again.
    if (m_visited.contains(folder->identity))
        return true;
    m_visited.insert(folder->identity);
    // Everything needed of the folder is read before going deeper.
    const QString& path = folder->path;
    if (const auto names =
            m_fs.search(m_fs.buildPath(path, QStringLiteral("*")), SearchMask::AllFiles, &error)) {
        while (const std::optional<QString> name = names->next()) {
            QStringList* later = nullptr;
            if (PathRules::matchesPattern(*name, kWav))
                later = &m_wav;
            else if (PathRules::matchesPattern(*name, kWma))
                later = &m_wma;
            else if (!PathRules::matchesPattern(*name, kMp3))
                continue;
            const QString file = m_fs.buildPath(path, *name);
            if (m_unstorable.skip(file, m_fs.rules()))
                continue;
            if (later)
                later->append(file);
            else if (!sink.found(file))
                return false;
        }
    } else {
        m_skipped.add(path, error);
    }
    for (const QString& subFolder : folder->subFolders) {
        // Its text names no folder on the disk: nothing below it can be added.
        if (!m_unstorable.skip(subFolder, m_fs.rules()) && !walk(subFolder, sink))
            return false;
    }
    return true;
}

// What the listing shares with the object that adds its finds: the finds
// waiting for the window and how the listing ended. The object may go
// before the listing does (the window closed during a hung read), so both
// hold it.
struct FolderTreeAdd::Shared {
    mutable QMutex mutex;
    QStringList waiting;
    qint64 found = 0;
    SkippedFolders skipped;
    UnstorableNames unstorable;
    bool done = false;
    // The window will come back for the waiting paths: a call of
    // addWaitingPaths() is queued or under way.
    bool asked = false;
    QElapsedTimer lastAsked;
    // The object to ask, while it lives; reset under the mutex, so no call
    // is posted to an object being destroyed.
    FolderTreeAdd* receiver = nullptr;
    // The listing's own future: suspended while too much waits, cancelled
    // by Cancel, a close or the object's end.
    QFuture<void> future;

    // Under the mutex.
    void ask() {
        lastAsked.restart();
        if (!receiver || std::exchange(asked, true))
            return;
        FolderTreeAdd* add = receiver;
        QMetaObject::invokeMethod(
            add, [add] { add->addWaitingPaths(); }, Qt::QueuedConnection);
    }
};

class FolderTreeAdd::Listing final : public QRunnable {
public:
    Listing(std::shared_ptr<Shared> shared, QPromise<void> promise, FileSystem& fs, QString folder)
        : m_shared(std::move(shared))
        , m_promise(std::move(promise))
        , m_fs(fs)
        , m_folder(std::move(folder)) {}

    void run() override {
        m_promise.start();
        FolderTreeListing listing(m_fs);
        listing.run(m_folder, {[this](const QString& path) { return found(path); },
                               [this] { return enteringFolder(); }});
        {
            const QMutexLocker lock(&m_shared->mutex);
            m_shared->skipped = listing.skipped();
            m_shared->unstorable = listing.unstorable();
            m_shared->done = true;
            m_shared->ask();
        }
        m_promise.finish();
    }

private:
    bool found(const QString& path) {
        // While the window does not add (a box is open) the listing waits
        // once enough has piled up; taking them resumes it.
        while (!m_promise.isCanceled() && mustWait())
            m_promise.suspendIfRequested();
        if (m_promise.isCanceled())
            return false;
        const QMutexLocker lock(&m_shared->mutex);
        m_shared->waiting.append(path);
        ++m_shared->found;
        if (m_shared->waiting.size() >= kAskCount ||
            m_shared->lastAsked.elapsed() >= kAskInterval.count())
            m_shared->ask();
        return true;
    }

    // Suspends the listing's future when too much waits; the window resumes
    // it under the same lock when it takes them, so no resume is missed.
    bool mustWait() {
        const QMutexLocker lock(&m_shared->mutex);
        if (m_shared->waiting.size() < kMaxWaiting)
            return false;
        m_shared->future.suspend();
        m_shared->ask();
        return true;
    }

    bool enteringFolder() {
        if (m_promise.isCanceled())
            return false;
        // A folder read may take long (a slow or hung mount): what was found
        // before it is not kept waiting for it.
        const QMutexLocker lock(&m_shared->mutex);
        if (!m_shared->waiting.isEmpty())
            m_shared->ask();
        return true;
    }

    std::shared_ptr<Shared> m_shared;
    QPromise<void> m_promise;
    FileSystem& m_fs;
    const QString m_folder;
};

FolderTreeAdd::FolderTreeAdd(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                             QString folder, QObject* parent)
    : LongWork(parent)
    , m_document(document)
    , m_fs(fs)
    , m_dialogs(dialogs)
    , m_folder(std::move(folder))
    , m_shared(std::make_shared<Shared>()) {
    // Entries wait to be merged until enough have come (see the document's
    // Batch); when the walk pauses, those waiting show after a moment.
    m_mergeLater.setSingleShot(true);
    connect(&m_mergeLater, &QTimer::timeout, this, [this] {
        m_document.flushPendingEntries();
        reportProgress(true);
    });
}

FolderTreeAdd::~FolderTreeAdd() {
    const QMutexLocker lock(&m_shared->mutex);
    m_shared->receiver = nullptr;
    m_shared->future.cancel();
}

bool FolderTreeAdd::waitForListings(int milliseconds) {
    return listingPool()->waitForDone(milliseconds);
}

void FolderTreeAdd::start() {
    if (std::exchange(m_started, true))
        return;
    QPromise<void> promise;
    {
        const QMutexLocker lock(&m_shared->mutex);
        m_shared->future = promise.future();
        m_shared->receiver = this;
        m_shared->lastAsked.start();
    }
    listingPool()->start(new Listing(m_shared, std::move(promise), m_fs, m_folder));
}

QString FolderTreeAdd::statusText() const {
    qint64 found = 0;
    {
        const QMutexLocker lock(&m_shared->mutex);
        found = m_shared->found;
    }
    return Texts::status(m_folder, found, m_added);
}

qsizetype FolderTreeAdd::waitingCount() const {
    const QMutexLocker lock(&m_shared->mutex);
    return m_shared->waiting.size();
}

void FolderTreeAdd::cancel() {
    if (m_finished || m_cancelled)
        return;
    m_cancelled = true;
    {
        const QMutexLocker lock(&m_shared->mutex);
        m_shared->receiver = nullptr;
        m_shared->future.cancel();
    }
    // Its message waits, like every box of the walk, until no other is open.
    if (!m_adding)
        addWaitingPaths();
}

void FolderTreeAdd::stop() {
    finish(End::Stopped);
}

void FolderTreeAdd::addWaitingPaths() {
    // A message box of the adds below runs events: the adding under way
    // goes on with the paths in their order once the box is closed.
    if (m_adding || m_finished)
        return;
    // Nothing is added behind a question or a file dialog: the adds go on
    // when the last one closes, into the playlist there is then.
    if (m_dialogs.anyModalOpen()) {
        // What was added before the box shows in the list under it.
        m_document.flushPendingEntries();
        waitForDialogs();
        return;
    }
    if (m_cancelled) {
        finish(End::Cancelled);
        return;
    }
    if (m_next == m_taken.size() && !takeWaiting())
        return;

    // A merge, as costly as the list is long, takes a turn of its own.
    if (m_document.mergeIsDue()) {
        m_document.flushPendingEntries();
        QMetaObject::invokeMethod(this, &FolderTreeAdd::addWaitingPaths, Qt::QueuedConnection);
        return;
    }
    Q_EMIT aboutToAdd();
    m_adding = true;
    const auto deadline = Clock::now() + kTurn;
    {
        const PlaylistDocument::Batch batch(m_document, &m_dialogs,
                                            PlaylistDocument::Batch::Merge::Later);
        const qsizetype last = std::min(m_taken.size(), m_next + kMostPerTurn);
        while (m_next < last && !m_cancelled && !m_finished && !m_dialogs.anyModalOpen()) {
            const PlaylistDocument::AddResult result =
                addFileToPlaylist(m_document, m_dialogs, m_taken.at(m_next++));
            if (result == PlaylistDocument::AddResult::Added)
                ++m_added;
            // A refusal's message box took the user's time: the turn ends.
            if (result == PlaylistDocument::AddResult::OutsideRoot || m_document.mergeIsDue() ||
                (m_next % 64 == 0 && Clock::now() >= deadline))
                break;
        }
    }
    m_adding = false;
    if (m_finished)
        return;
    reportProgress();
    if (m_document.hasPendingEntries())
        m_mergeLater.start(kMergeWait);
    // The rest, what the listing found meanwhile and the end come on later
    // turns, so the window repaints and takes input between two.
    QMetaObject::invokeMethod(this, &FolderTreeAdd::addWaitingPaths, Qt::QueuedConnection);
}

bool FolderTreeAdd::takeWaiting() {
    m_taken.clear();
    m_next = 0;
    bool done = false;
    {
        const QMutexLocker lock(&m_shared->mutex);
        m_taken.swap(m_shared->waiting);
        done = m_shared->done;
        // Nothing yet: the listing asks again when it has found more.
        if (m_taken.isEmpty() && !done) {
            m_shared->asked = false;
            return false;
        }
        m_shared->future.resume();
    }
    if (m_taken.isEmpty()) {
        finish(End::Done);
        return false;
    }
    return true;
}

void FolderTreeAdd::waitForDialogs() {
    if (std::exchange(m_waitingForDialogs, true))
        return;
    // Once per walk; the walk may be gone when the hook runs.
    if (std::exchange(m_dialogHookSet, true))
        return;
    const QPointer<FolderTreeAdd> self(this);
    auto previous = std::make_shared<std::function<void()>>();
    *previous = m_dialogs.setAllClosed([self, previous] {
        if (*previous)
            (*previous)();
        if (self && std::exchange(self->m_waitingForDialogs, false))
            QMetaObject::invokeMethod(self.data(), &FolderTreeAdd::addWaitingPaths,
                                      Qt::QueuedConnection);
    });
}

void FolderTreeAdd::reportProgress(bool now) {
    if (!now && m_lastReport.isValid() && m_lastReport.elapsed() < kReportInterval.count())
        return;
    m_lastReport.start();
    Q_EMIT progressChanged();
}

void FolderTreeAdd::finish(End end) {
    if (std::exchange(m_finished, true))
        return;
    m_mergeLater.stop();
    SkippedFolders skipped;
    UnstorableNames unstorable;
    {
        const QMutexLocker lock(&m_shared->mutex);
        m_shared->receiver = nullptr;
        m_shared->future.cancel();
        skipped = m_shared->skipped;
        unstorable = m_shared->unstorable;
    }
    m_document.flushPendingEntries();
    reportProgress(true);
    switch (end) {
    case End::Done:
        if (!skipped.folders.isEmpty())
            m_dialogs.warn(skipped.message());
        unstorable.report(m_dialogs);
        break;
    case End::Cancelled:
        m_dialogs.inform(Texts::cancelled(m_added));
        break;
    case End::Stopped:
        break;
    }
    Q_EMIT finished();
}
