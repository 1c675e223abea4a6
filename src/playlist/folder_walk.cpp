#include "playlist/folder_walk.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "playlist/add_commands.h"
#include "playlist/playlist_document.h"

#include <QCoreApplication>

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(FolderTreeAdd)

public:
    static QString skipped(const SkippedFolders& skipped) {
        const QString reason =
            skipped.firstReason.isEmpty() ? tr("unknown error") : skipped.firstReason;
        return tr("%n folders could not be read and were skipped. The first was:\n%1\n\n"
                  "Reason: %2",
                  nullptr, static_cast<int>(skipped.folders.size()))
            .arg(skipped.folders.first(), reason);
    }
};

const QString kMp3 = QStringLiteral("*.mp3");
const QString kWav = QStringLiteral("*.wav");
const QString kWma = QStringLiteral("*.wma");

// How long found paths may wait before the window is asked to add them,
// and how many make it worth asking at once: small enough that entries
// appear smoothly, large enough that each merge into the list pays off.
constexpr std::chrono::milliseconds kAskInterval{10};
constexpr qsizetype kAskCount = 1024;

// How long one round of the window's event loop may take while paths are
// added: a turn of adding gets what the window's own work since the last turn
// left of it (a list view lays out and paints a long list in a few ms), at
// least the shortest turn and at most the longest. An event that comes in
// during one round may have to wait for the next, so the window answers
// within two rounds.
constexpr std::chrono::microseconds kRoundTime{7000};
constexpr std::chrono::microseconds kShortestTurn{1000};
constexpr std::chrono::microseconds kLongestTurn{4000};
// How many paths a turn adds to begin with, and at least.
constexpr qsizetype kFirstTurnCount = 1024;
constexpr qsizetype kFewestPerTurn = 64;

} // namespace

void SkippedFolders::add(const QString& folder, const QString& reason) {
    if (folders.contains(folder))
        return;
    if (folders.isEmpty())
        firstReason = reason;
    folders.append(folder);
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

FolderTreeAdd::FolderTreeAdd(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                             QString folder, QObject* parent)
    : QObject(parent)
    , m_document(document)
    , m_fs(fs)
    , m_dialogs(dialogs)
    , m_folder(std::move(folder)) {}

FolderTreeAdd::~FolderTreeAdd() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_roomForMore.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void FolderTreeAdd::start() {
    m_lastAsked = Clock::now();
    m_thread = std::thread([this] { list(); });
}

qsizetype FolderTreeAdd::waitingCount() const {
    const std::lock_guard lock(m_mutex);
    return m_waiting.size();
}

void FolderTreeAdd::list() {
    FolderTreeListing listing(m_fs);
    listing.run(m_folder,
                {[this](const QString& path) { return hand(path); }, [this] { return mayGoOn(); }});
    std::unique_lock lock(m_mutex);
    m_skipped = listing.skipped();
    m_unstorable = listing.unstorable();
    m_listingDone = true;
    askForAdding(lock);
}

bool FolderTreeAdd::hand(const QString& path) {
    std::unique_lock lock(m_mutex);
    // While the window is busy (a message is open) the listing waits.
    m_roomForMore.wait(lock, [this] { return m_stop || m_waiting.size() < kMaxWaiting; });
    if (m_stop)
        return false;
    m_waiting.append(path);
    if (m_waiting.size() >= kAskCount || Clock::now() - m_lastAsked >= kAskInterval)
        askForAdding(lock);
    return true;
}

bool FolderTreeAdd::mayGoOn() {
    std::unique_lock lock(m_mutex);
    // Paths found before a stretch of folders without audio files are not
    // kept waiting for the next find.
    if (!m_waiting.isEmpty() && Clock::now() - m_lastAsked >= kAskInterval)
        askForAdding(lock);
    return !m_stop;
}

void FolderTreeAdd::askForAdding(std::unique_lock<std::mutex>&) {
    m_lastAsked = Clock::now();
    if (std::exchange(m_addingAsked, true))
        return;
    QMetaObject::invokeMethod(this, &FolderTreeAdd::addWaitingPaths, Qt::QueuedConnection);
}

void FolderTreeAdd::addWaitingPaths() {
    // A message box of the adds below runs events: the adding under way
    // goes on with the paths in their order once the box is closed.
    if (m_adding || m_finished)
        return;
    if (m_next == m_taken.size()) {
        m_taken.clear();
        m_next = 0;
        bool listingDone = false;
        {
            const std::lock_guard lock(m_mutex);
            m_taken.swap(m_waiting);
            listingDone = m_listingDone;
            // Nothing yet: the listing asks again when it has found more.
            if (m_taken.isEmpty() && !listingDone) {
                m_addingAsked = false;
                m_lastTurnEnd.reset();
                return;
            }
        }
        m_roomForMore.notify_all();
        if (m_taken.isEmpty()) {
            finish();
            return;
        }
    }

    m_adding = true;
    const qsizetype first = m_next;
    const auto started = Clock::now();
    const auto windowsWork = m_lastTurnEnd ? started - *m_lastTurnEnd : Clock::duration::zero();
    const qsizetype end = std::min(
        m_taken.size(), m_next + pathsPerTurn(std::clamp<Clock::duration>(
                                     kRoundTime - windowsWork, kShortestTurn, kLongestTurn)));
    bool refused = false;
    {
        const PlaylistDocument::Batch batch(m_document, &m_dialogs);
        // A refusal's message box took the user's time: the turn ends there.
        while (m_next < end && !refused)
            refused = addFileToPlaylist(m_document, m_dialogs, m_taken.at(m_next++)) ==
                      PlaylistDocument::AddResult::OutsideRoot;
    }
    m_adding = false;
    m_lastTurnEnd = Clock::now();
    if (refused) {
        m_lastTurnEnd.reset(); // the window's next round starts afresh
    } else {
        // The merge into a longer list costs more per path, and machines
        // differ: the cost measured now sizes the next turn.
        m_lastCount = m_next - first;
        m_secondsPerPath = std::chrono::duration<double>(*m_lastTurnEnd - started).count() /
                           static_cast<double>(m_lastCount);
    }
    // The rest, what the listing found meanwhile and the end come on later
    // turns, so the window repaints and takes input between two.
    QMetaObject::invokeMethod(this, &FolderTreeAdd::addWaitingPaths, Qt::QueuedConnection);
}

qsizetype FolderTreeAdd::pathsPerTurn(Clock::duration turnTime) const {
    if (m_lastCount == 0)
        return kFirstTurnCount;
    // As many as the last turn's cost per path lets fit, at most twice as
    // many as then: a turn of a few paths tells little about many.
    const double most = 2.0 * static_cast<double>(std::max(m_lastCount, kFirstTurnCount));
    const double fits = m_secondsPerPath > 0
                            ? std::chrono::duration<double>(turnTime).count() / m_secondsPerPath
                            : most;
    return std::clamp(static_cast<qsizetype>(std::min(fits, most)), kFewestPerTurn, kMaxWaiting);
}

void FolderTreeAdd::finish() {
    if (std::exchange(m_finished, true))
        return;
    if (m_thread.joinable())
        m_thread.join();
    if (!m_skipped.folders.isEmpty())
        m_dialogs.warn(Texts::skipped(m_skipped));
    m_unstorable.report(m_dialogs);
    Q_EMIT finished();
}
