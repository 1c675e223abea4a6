#include "playlist/missing_entries_work.h"

#include "platform/dialogs.h"
#include "platform/entry_lookup.h"
#include "platform/escaped_bytes.h"
#include "platform/file_system.h"
#include "playlist/playlist_document.h"

#include <QHash>
#include <QLocale>
#include <QPromise>

#include <latch>
#include <memory>
#include <tuple>

namespace {

// An entry that names its file by one path, whose folder tells: not a URL,
// no bytes that are not UTF-8 (looked up two ways), no '\\' that POSIX rules
// look up again as '/', no wildcard.
bool isPlainPath(const PathRules& rules, const QString& entry) {
    return entryForm(entry) == EntryForm::Path && !EscapedBytes::holdsEscapes(entry) &&
           (rules.isWindows() || !entry.contains(QLatin1Char('\\'))) &&
           !entry.contains(QLatin1Char('*')) && !entry.contains(QLatin1Char('?'));
}

// How often the status line is told of progress, and how often a finished
// look checks whether the boxes in its way have closed.
constexpr int kProgressIntervalMs = 100;
constexpr int kBoxWaitMs = 50;

} // namespace

MissingEntriesWork::MissingEntriesWork(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                                       AsOneStep asOneStep, QObject* parent)
    : LongWork(parent)
    , m_document(document)
    , m_fs(fs)
    , m_dialogs(dialogs)
    , m_asOneStep(std::move(asOneStep)) {
    connect(&m_watcher, &QFutureWatcher<void>::finished, this, &MissingEntriesWork::workerDone);
    connect(&m_progressTimer, &QTimer::timeout, this, &LongWork::progressChanged);
    m_boxWait.setSingleShot(true);
    connect(&m_boxWait, &QTimer::timeout, this, &MissingEntriesWork::concludeWhenNoBoxIsOpen);
    // What was looked at is another playlist's.
    connect(&m_document, &PlaylistDocument::historyReset, this, &MissingEntriesWork::cancel);
}

MissingEntriesWork::~MissingEntriesWork() {
    stopWorker();
    freeElsewhere(
        std::make_tuple(std::move(m_looked), std::move(m_missing), std::move(m_missingTexts)));
}

void MissingEntriesWork::start() {
    m_document.flushPendingEntries();
    // Shared with the document, not copied: the worker reads its own copy
    // while the window goes on changing the playlist.
    m_looked = m_document.allEntries();
    m_root = m_document.rootPath();
    auto promise = std::make_shared<QPromise<void>>();
    m_future = promise->future();
    m_watcher.setFuture(m_future);
    promise->start();
    QThreadPool::globalInstance()->start([this, promise] {
        work();
        promise->finish();
    });
    m_progressTimer.start(kProgressIntervalMs);
}

void MissingEntriesWork::stopWorker() {
    m_cancelled = true;
    m_future.waitForFinished();
}

QString MissingEntriesWork::statusText() const {
    const QLocale locale;
    switch (static_cast<Phase>(m_phase.load())) {
    case Phase::Looking:
        return tr("Looking for the entries' files: %1 of %2")
            .arg(locale.toString(m_done.load()), locale.toString(m_total.load()));
    case Phase::Listing:
        return listingText(m_done.load());
    case Phase::Matching:
        return tr("Matching %1 missing entries").arg(locale.toString(m_total.load()));
    }
    return {};
}

QString MissingEntriesWork::listingText(qint64 found) const {
    return QLocale().toString(found);
}

void MissingEntriesWork::cancel() {
    m_cancelled = true;
}

void MissingEntriesWork::enterPhase(Phase phase, qint64 total) {
    m_total = total;
    m_done = 0;
    m_phase = static_cast<int>(phase);
}

bool MissingEntriesWork::lookAgain(bool shown) {
    if (shown)
        enterPhase(Phase::Looking, m_looked.size());
    m_missing.assign(static_cast<size_t>(m_looked.size()), 0);
    m_missingCount = 0;
    m_missingTexts.clear();
    const PathRules& rules = m_fs.rules();
    // A library that moved leaves whole folders behind: each folder is asked
    // for once, and the files of one that is gone need no look of their own.
    QHash<QString, bool> folderThere;
    for (qsizetype row = 0; row < m_looked.size(); ++row) {
        if (isCancelled())
            return false;
        const QString& text = m_looked.at(row).text;
        bool present = false;
        if (isPlainPath(rules, text)) {
            const QString folder = m_fs.parentFolder(m_root + text);
            auto there = folderThere.constFind(folder);
            if (there == folderThere.cend())
                there = folderThere.insert(folder, m_fs.isFolder(folder));
            present = *there && entryIsPresent(m_fs, m_root, text);
        } else {
            present = entryIsPresent(m_fs, m_root, text);
        }
        if (!present) {
            m_missing[static_cast<size_t>(row)] = 1;
            m_missingTexts.insert(text);
            ++m_missingCount;
        }
        if (shown)
            advance();
    }
    return true;
}

void MissingEntriesWork::alongside(const std::function<void()>& other,
                                   const std::function<void()>& here) {
    std::latch done(1);
    const bool started = QThreadPool::globalInstance()->tryStart([&] {
        other();
        done.count_down();
    });
    here();
    if (started)
        done.wait();
    else
        other();
}

void MissingEntriesWork::workerDone() {
    m_progressTimer.stop();
    if (isCancelled()) {
        finish();
        return;
    }
    concludeWhenNoBoxIsOpen();
}

void MissingEntriesWork::concludeWhenNoBoxIsOpen() {
    if (isCancelled()) {
        finish();
        return;
    }
    // Another command's question is open: this one's box and its change wait
    // until the user has answered it.
    if (m_dialogs.anyModalOpen()) {
        m_boxWait.start(kBoxWaitMs);
        return;
    }
    conclude();
    finish();
}

void MissingEntriesWork::finish() {
    if (std::exchange(m_finished, true))
        return;
    Q_EMIT progressChanged();
    Q_EMIT finished();
}

bool MissingEntriesWork::unchangedSinceLook() const {
    return m_document.holds(m_looked) && !m_document.hasPendingEntries() &&
           m_document.rootPath() == m_root;
}

int MissingEntriesWork::markMissing() {
    // A new root makes other files of the same texts: that look says nothing.
    if (m_document.rootPath() != m_root)
        return m_document.missingCount();
    return m_document.markMissing(m_looked, m_missing, m_missingTexts);
}

void MissingEntriesWork::runAsOneStep(const std::function<void()>& change) {
    if (m_asOneStep)
        m_asOneStep(change);
    else
        change();
}
