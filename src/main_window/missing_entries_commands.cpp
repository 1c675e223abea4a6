#include "main_window/missing_entries_commands.h"

#include "platform/dialogs.h"
#include "playlist/find_moved_files.h"
#include "playlist/playlist_document.h"
#include "playlist/remove_missing_entries.h"

#include <QAction>

MissingEntriesCommands::MissingEntriesCommands(PlaylistDocument& document, FileSystem& fs,
                                               Dialogs& dialogs, PlaylistHistory& history,
                                               StartFolder startFolder, QObject* parent)
    : QObject(parent)
    , m_document(document)
    , m_fs(fs)
    , m_dialogs(dialogs)
    , m_history(history)
    , m_startFolder(std::move(startFolder))
    , m_findMovedFiles(new QAction(tr("Find Moved Files..."), this))
    , m_removeMissing(new QAction(tr("Remove Missing Entries"), this)) {
    m_findMovedFiles->setObjectName(QStringLiteral("findMovedFilesAction"));
    m_removeMissing->setObjectName(QStringLiteral("removeMissingAction"));
    connect(m_findMovedFiles, &QAction::triggered, this, &MissingEntriesCommands::findMovedFiles);
    connect(m_removeMissing, &QAction::triggered, this,
            &MissingEntriesCommands::removeMissingEntries);

    m_recount.setSingleShot(true);
    m_recount.setInterval(0);
    connect(&m_recount, &QTimer::timeout, this, &MissingEntriesCommands::recount);
    const QAbstractItemModel* model = document.model();
    const auto recountSoon = [this] { m_recount.start(); };
    connect(model, &QAbstractItemModel::modelReset, this, recountSoon);
    connect(model, &QAbstractItemModel::rowsInserted, this, recountSoon);
    connect(model, &QAbstractItemModel::rowsRemoved, this, recountSoon);
    connect(model, &QAbstractItemModel::layoutChanged, this, recountSoon);
    connect(model, &QAbstractItemModel::dataChanged, this, recountSoon);
    refreshActions();
}

MissingEntriesCommands::~MissingEntriesCommands() {
    // Waits for its worker, which reads the file system.
    delete m_work;
}

LongWork* MissingEntriesCommands::running() const {
    return m_work;
}

void MissingEntriesCommands::cancel() {
    if (m_work)
        m_work->cancel();
}

void MissingEntriesCommands::findMovedFiles() {
    if (m_work)
        return;
    const std::optional<QString> folder =
        m_dialogs.chooseFolder({tr("Find Moved Files"), QString(), m_startFolder(), QString()});
    if (!folder)
        return;
    run(new FindMovedFiles(
        m_document, m_fs, m_dialogs, *folder,
        [this](const std::function<void()>& change) {
            m_history.run(PlaylistHistory::Kind::FindMovedFiles, change);
        },
        this));
}

void MissingEntriesCommands::removeMissingEntries() {
    if (m_work)
        return;
    run(new RemoveMissingEntries(
        m_document, m_fs, m_dialogs,
        [this](const std::function<void()>& change) {
            m_history.run(PlaylistHistory::Kind::Remove, change);
        },
        this));
}

void MissingEntriesCommands::run(MissingEntriesWork* work) {
    m_work = work;
    connect(work, &LongWork::finished, this, [this, work] {
        work->deleteLater();
        refreshActions();
    });
    work->start();
    refreshActions();
    Q_EMIT workStarted(work);
}

void MissingEntriesCommands::recount() {
    const int count = m_document.missingCount();
    if (count == m_missingCount)
        return;
    m_missingCount = count;
    refreshActions();
    Q_EMIT missingCountChanged(count);
}

void MissingEntriesCommands::setPaused(bool paused) {
    m_paused = paused;
    refreshActions();
}

void MissingEntriesCommands::refreshActions() {
    const bool idle = !m_paused && (!m_work || m_work->isFinished());
    m_findMovedFiles->setEnabled(idle && m_missingCount > 0);
    m_removeMissing->setEnabled(idle && m_missingCount > 0);
}
