#include "playlist/folder_walk.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/window_services.h"
#include "playlist/editing_commands.h"
#include "playlist/entries.h"
#include "playlist/form_state.h"

FolderWalk::FolderWalk(std::chrono::milliseconds turnInterval)
    : m_turnInterval(turnInterval)
    , m_lastTurn(Clock::now()) {}

void FolderWalk::letEventsRun(CommandContext& ctx) {
    if (Clock::now() - m_lastTurn < m_turnInterval)
        return;
    ctx.state.playlist.flushPending();
    ctx.window.processPendingEvents();
    m_lastTurn = Clock::now();
}

void FolderWalk::skip(const QString& folder, const QString& reason) {
    if (m_seen.contains(folder))
        return;
    m_seen.insert(folder);
    if (m_skipped.isEmpty())
        m_firstReason = reason;
    m_skipped.append(folder);
}

void FolderWalk::reportSkipped(Dialogs& dialogs) const {
    if (m_skipped.isEmpty())
        return;
    const QString reason =
        m_firstReason.isEmpty() ? QStringLiteral("unknown error") : m_firstReason;
    if (m_skipped.size() == 1) {
        dialogs.warn(QStringLiteral("A folder could not be read and was skipped:\n%1\n\nReason: %2")
                         .arg(m_skipped.first(), reason));
        return;
    }
    dialogs.warn(QStringLiteral("%1 folders could not be read and were skipped. The first "
                                "was:\n%2\n\nReason: %3")
                     .arg(m_skipped.size())
                     .arg(m_skipped.first(), reason));
}

void AddFolderFiles(CommandContext& ctx, const QString& sFolder, const QString& sPattern,
                    FolderWalk& walk) {
    if (sFolder.isEmpty())
        return;
    QString error;
    const std::optional<FolderInfo> folder = ctx.fs.folder(sFolder, &error);
    if (!folder) {
        walk.skip(sFolder, error);
        return;
    }
    // Everything this call needs of its folder is read now: a nested call or
    // another command run between two files cannot change it.
    const QString& path = folder->path;
    if (const auto names =
            ctx.fs.search(ctx.fs.buildPath(path, sPattern), SearchMask::AllFiles, &error)) {
        std::optional<QString> name = names->next();
        while (name) {
            AddFileToList(ctx, ctx.fs.buildPath(path, *name));
            name = names->next();
            walk.letEventsRun(ctx);
        }
    } else {
        walk.skip(path, error);
    }
    for (const QString& subFolder : folder->subFolders) {
        walk.letEventsRun(ctx);
        AddFolderFiles(ctx, subFolder, sPattern, walk);
    }
}

void addEntireDir(CommandContext& ctx, FolderWalk& walk) {
    static const QStringList patterns = {QStringLiteral("*.mp3"), QStringLiteral("*.wav"),
                                         QStringLiteral("*.wma")};
    if (ctx.state.nFolderWalks++ == 0)
        ctx.window.setBusy(true);
    {
        PlaylistBatch batch(ctx.state.playlist);
        for (const QString& pattern : patterns)
            AddFolderFiles(ctx, ctx.window.highlightedFolder(), pattern, walk);
    }
    if (--ctx.state.nFolderWalks == 0)
        ctx.window.setBusy(false);
    ctx.window.RefreshWindowState();
    walk.reportSkipped(ctx.dialogs);
}

void cmdAddDir_Click(CommandContext& ctx) {
    FolderWalk walk;
    addEntireDir(ctx, walk);
}
