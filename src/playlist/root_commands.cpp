#include "playlist/root_commands.h"

#include "platform/dialogs.h"
#include "platform/window_services.h"
#include "playlist/entries.h"
#include "playlist/form_state.h"

void cmdMakeRoot_Click(CommandContext& ctx) {
    SetRootPath(ctx, sAddSlash(ctx.window.highlightedFolder(), ctx.state.playlist.rules()));
}

void cmdNoRoot_Click(CommandContext& ctx) {
    SetRootPath(ctx, QString());
}

void SetRootPath(CommandContext& ctx, const QString& sNewRoot) {
    PlaylistModel& playlist = ctx.state.playlist;
    const PathRules& rules = playlist.rules();
    playlist.flushPending();
    const QString oldRoot = playlist.rootPath();
    const qsizetype cut = sNewRoot.size();

    // Every entry is checked before any is touched, so a refusal leaves the
    // playlist exactly as it was.
    for (int row = 0; row < playlist.count(); ++row) {
        if (!rules.startsWithPath(oldRoot + playlist.entry(row), sNewRoot)) {
            ctx.dialogs.warn(QStringLiteral("Not all files are in that path"));
            return;
        }
    }
    // Every entry gains or loses the same leading characters, so rewriting
    // each in its place keeps the list in order.
    for (int row = 0; row < playlist.count(); ++row)
        playlist.replaceEntry(row, (oldRoot + playlist.entry(row)).mid(cut));

    playlist.setRootPath(sNewRoot);
    ctx.state.bUnsaved = true;
    ctx.window.RefreshWindowState();
}
