#include "playlist_file/recovery_keeper.h"

#include "platform/dialogs.h"
#include "platform/recovery_folder.h"
#include "playlist/playlist_document.h"
#include "playlist_file/recovery_copy.h"

#include <QCoreApplication>

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(Recovery)

public:
    static QString restore(const QString& path) {
        return tr("Songbinder was closed without saving %1. Restore the unsaved changes?")
            .arg(path);
    }
};

// However busy the user is, a copy is at most this old.
constexpr qint64 kLongestWaitMs = 15000;

} // namespace

RecoveryKeeper::RecoveryKeeper(PlaylistDocument& document, RecoveryFolder& folder, int delayMs,
                               QObject* parent)
    : QObject(parent)
    , m_document(document)
    , m_folder(folder) {
    m_worker.setMaxThreadCount(1);
    m_timer.setSingleShot(true);
    m_timer.setInterval(delayMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::writeInBackground);

    connect(&document, &PlaylistDocument::modifiedChanged, this,
            &RecoveryKeeper::onModifiedChanged);
    connect(&document, &PlaylistDocument::filePathChanged, this, &RecoveryKeeper::onChange);
    connect(&document, &PlaylistDocument::rootPathChanged, this, &RecoveryKeeper::onChange);
    const QAbstractItemModel* model = document.model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &RecoveryKeeper::onChange);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &RecoveryKeeper::onChange);
    connect(model, &QAbstractItemModel::modelReset, this, &RecoveryKeeper::onChange);
    connect(model, &QAbstractItemModel::dataChanged, this, &RecoveryKeeper::onChange);
    connect(model, &QAbstractItemModel::layoutChanged, this, &RecoveryKeeper::onChange);
    // A playlist restored before the keeper started is unsaved already.
    onChange();
}

RecoveryKeeper::~RecoveryKeeper() {
    waitForWorker();
}

void RecoveryKeeper::onChange() {
    if (!m_document.isModified())
        return;
    if (!m_timer.isActive())
        m_waiting.start();
    if (m_timer.isActive() && m_waiting.elapsed() > kLongestWaitMs)
        return;
    m_timer.start();
}

void RecoveryKeeper::onModifiedChanged(bool modified) {
    if (modified) {
        onChange();
        return;
    }
    // Saved, or a new playlist or another file in its place.
    m_timer.stop();
    RecoveryFolder* folder = &m_folder;
    m_worker.start([folder] { folder->remove(); });
}

void RecoveryKeeper::writeInBackground() {
    if (!m_document.isModified())
        return;
    // The only work on this thread: the entries are shared, not copied.
    RecoverySnapshot snapshot = takeRecoverySnapshot(m_document);
    const PathRules rules = m_document.rules();
    RecoveryFolder* folder = &m_folder;
    m_worker.start([this, folder, rules, snapshot = std::move(snapshot)] {
        if (folder->write(recoveryBytes(snapshot, rules)))
            QMetaObject::invokeMethod(this, &RecoveryKeeper::written, Qt::QueuedConnection);
    });
}

bool RecoveryKeeper::writeNow() {
    m_timer.stop();
    waitForWorker();
    if (!m_document.isModified())
        return true;
    return m_folder.write(recoveryBytes(takeRecoverySnapshot(m_document), m_document.rules()));
}

void RecoveryKeeper::discard() {
    m_timer.stop();
    waitForWorker();
    m_folder.remove();
}

void RecoveryKeeper::waitForWorker() {
    m_worker.waitForDone();
}

bool offerRecovery(PlaylistDocument& document, Dialogs& dialogs, RecoveryFolder& folder) {
    for (const QString& copy : folder.orphans()) {
        const std::optional<QByteArray> bytes = folder.read(copy);
        const std::optional<RecoverySnapshot> snapshot =
            bytes ? parseRecoveryBytes(*bytes, document.rules()) : std::nullopt;
        // One that cannot be read stays where it is, for the user to find.
        if (!snapshot)
            continue;
        if (dialogs.ask(Texts::restore(snapshot->filePath), MessageButtons::YesNo,
                        MessageAnswer::Yes) != MessageAnswer::Yes) {
            folder.discard(copy);
            continue;
        }
        restoreRecoverySnapshot(document, *snapshot);
        folder.adopt(copy);
        return true;
    }
    return false;
}
