#include "playlist_file/playlist_load.h"

#include "platform/file_system.h"
#include "playlist/playlist_document.h"

#include <QCoreApplication>
#include <QPromise>
#include <QThread>

#include <algorithm>

namespace {

// The texts of a load; those of its boxes are the reader's as ever.
class Texts {
    Q_DECLARE_TR_FUNCTIONS(PlaylistReader)

public:
    static QString rootMessage(const QString& root) {
        return tr("The first item in this list does not contain a full path. Assuming Root Path "
                  "is \"%1\"")
            .arg(root);
    }
    static QString removeMissing() { return tr("Remove Files That No Longer Exist?"); }
    static QString cannotRead(const QString& path, const QString& reason) {
        return tr("The playlist \"%1\" cannot be read.\n%2").arg(path, reason);
    }
    static QString reading(const QString& path) { return tr("Reading %1...").arg(path); }
    static QString checking(const QString& path, qint64 done, qint64 total) {
        return tr("Looking for the files of %1: %L2 of %L3").arg(path).arg(done).arg(total);
    }
    static QString ordering(const QString& path) {
        return tr("Putting the entries of %1 in order...").arg(path);
    }
};

// `work` on one of the pool's threads; the future finishes when it has.
QFuture<void> runOnPool(QThreadPool& pool, std::function<void()> work) {
    auto promise = std::make_shared<QPromise<void>>();
    promise->start();
    QFuture<void> future = promise->future();
    pool.start([promise, work = std::move(work)] {
        work();
        promise->finish();
    });
    return future;
}

} // namespace

PlaylistLoad::PlaylistLoad(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                           QString path, QObject* parent)
    : LongWork(parent)
    , m_document(document)
    , m_fs(fs)
    , m_dialogs(dialogs)
    , m_path(std::move(path)) {
    m_pool.setMaxThreadCount(QThread::idealThreadCount());
    // The window's thread shares the cores with the look-ups: it comes first,
    // so the window keeps drawing.
    m_pool.setThreadPriority(QThread::LowPriority);
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &PlaylistLoad::onStepDone);
    m_progressTimer.setInterval(100);
    connect(&m_progressTimer, &QTimer::timeout, this, &LongWork::progressChanged);
}

PlaylistLoad::~PlaylistLoad() {
    m_cancelled = true;
    if (m_checks)
        m_checks->cancel();
    m_pool.waitForDone();
}

void PlaylistLoad::start() {
    m_modal.emplace(m_dialogs);
    m_stage = Stage::Reading;
    m_progressTimer.start();
    m_watcher.setFuture(runOnPool(m_pool, [this] { read(); }));
}

bool PlaylistLoad::runToEnd() {
    m_sync = true;
    m_modal.emplace(m_dialogs);
    m_stage = Stage::Reading;
    read();
    afterRead();
    return m_loaded;
}

void PlaylistLoad::read() {
    m_read = readPlaylistFile(m_fs, m_path, &m_error, [this] { return !isCancelled(); });
}

void PlaylistLoad::afterRead() {
    if (isCancelled())
        return finish();
    if (!m_read) {
        m_dialogs.warn(Texts::cannotRead(m_path, m_error));
        return finish();
    }
    const QString before = m_document.rootPath();
    const qsizetype decides = m_read->decidesRoot;
    EntryChecks::Roots roots{before, decides >= 0 ? m_read->root : before,
                             decides >= 0 ? decides : m_read->content.entries.size()};
    m_checks = std::make_unique<EntryChecks>(m_fs, m_read->content.entries, std::move(roots));
    m_stage = Stage::Checking;
    QFuture<void> checking = m_checks->start(m_pool);
    if (!m_sync)
        m_watcher.setFuture(checking);
    // The user reads the root message while the files are looked up.
    if (m_read->rootFromFolder) {
        m_inBox = true;
        m_dialogs.inform(Texts::rootMessage(m_read->root));
        m_inBox = false;
    }
    if (m_stage == Stage::Finished)
        return;
    if (m_sync)
        checking.waitForFinished();
    if (checking.isFinished())
        afterChecks();
}

void PlaylistLoad::onStepDone() {
    // A step's end may still be on its way when the next step has begun.
    if (m_stage == Stage::Finished || !m_watcher.future().isFinished())
        return;
    if (isCancelled())
        return finish();
    if (m_stage == Stage::Reading)
        afterRead();
    else if (m_stage == Stage::Checking && !m_inBox)
        afterChecks();
    else if (m_stage == Stage::Ordering)
        afterOrdering();
}

void PlaylistLoad::afterChecks() {
    if (m_stage == Stage::Finished)
        return;
    if (isCancelled())
        return finish();
    m_stage = Stage::Ordering;
    // Sorted and indexed on the pool too: for a big list that takes longer
    // than the window may wait.
    const auto order = [this] {
        m_ordered = OrderedEntries(m_fs.rules(), std::move(m_read->content.entries));
    };
    if (m_sync) {
        order();
        afterOrdering();
    } else {
        m_watcher.setFuture(runOnPool(m_pool, order));
    }
}

void PlaylistLoad::afterOrdering() {
    if (m_stage == Stage::Finished)
        return;
    if (isCancelled())
        return finish();
    m_progressTimer.stop();
    Q_EMIT progressChanged();
    const QList<PlaylistEntry>& entries = m_ordered.entries();
    const auto missing = [](const PlaylistEntry& entry) { return entry.missing; };
    bool leftOut = false;
    if (std::any_of(entries.cbegin(), entries.cend(), missing)) {
        m_inBox = true;
        const MessageAnswer answer =
            m_dialogs.ask(Texts::removeMissing(), MessageButtons::YesNo, MessageAnswer::Yes);
        m_inBox = false;
        if (isCancelled())
            return finish();
        if (answer == MessageAnswer::Yes) {
            m_ordered.removeMissing();
            leftOut = true;
        }
    }
    const std::optional<QString> root =
        m_read->decidesRoot >= 0 ? std::optional<QString>(m_read->root) : std::nullopt;
    PlaylistContent& content = m_read->content;
    m_document.loadFrom(m_path, content.header, content.trailer, content.encoding, m_read->identity,
                        root, std::move(m_ordered));
    // The playlist in memory now differs from the file.
    if (leftOut)
        m_document.markModifiedWithoutChange();
    m_loaded = true;
    finish();
}

void PlaylistLoad::cancel() {
    if (m_stage == Stage::Finished || isCancelled())
        return;
    m_cancelled = true;
    if (m_checks)
        m_checks->cancel();
    // Nothing will change any more: other work need not wait for this.
    m_modal.reset();
    if (!m_inBox && !m_watcher.isRunning())
        finish();
}

void PlaylistLoad::finish() {
    if (m_stage == Stage::Finished)
        return;
    m_stage = Stage::Finished;
    m_progressTimer.stop();
    m_modal.reset();
    // What was read is not needed any more; the threads have let it go.
    m_checks.reset();
    m_read.reset();
    m_ordered = OrderedEntries();
    Q_EMIT finished();
}

QString PlaylistLoad::statusText() const {
    switch (m_stage) {
    case Stage::Waiting:
    case Stage::Reading:
        return Texts::reading(m_path);
    case Stage::Checking:
        return Texts::checking(m_path, progressDone(), progressTotal());
    case Stage::Ordering:
        return Texts::ordering(m_path);
    case Stage::Finished:
        break;
    }
    return {};
}

// Only the look-ups are counted: how long a sort takes is not known before.
qint64 PlaylistLoad::progressDone() const {
    return m_stage == Stage::Checking && m_checks ? m_checks->done() : 0;
}

qint64 PlaylistLoad::progressTotal() const {
    return m_stage == Stage::Checking && m_checks ? m_checks->total() : 0;
}
