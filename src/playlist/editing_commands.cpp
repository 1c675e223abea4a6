#include "playlist/editing_commands.h"

#include "platform/window_services.h"
#include "playlist/entries.h"
#include "playlist/form_state.h"

namespace {

// Replaces every pair of separators by one, left to right without overlap
// (four become two). A network path (\\server\share, //server/share) keeps
// its leading pair, which names the server.
QString collapseDoubledSeparators(const QString& path, QChar sep) {
    QString result;
    result.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        result.append(path.at(i));
        if (path.at(i) == sep && i + 1 < path.size() && path.at(i + 1) == sep)
            ++i;
    }
    const auto startsWithPair = [sep](const QString& text) {
        return text.size() >= 2 && text.at(0) == sep && text.at(1) == sep;
    };
    if (startsWithPair(path) && !startsWithPair(result))
        result.prepend(sep);
    return result;
}

} // namespace

void cmdAddFiles_Click(CommandContext& ctx) {
    const PathRules& rules = ctx.state.playlist.rules();
    const QString folder = ctx.window.fileListFolder();
    const QString prefix = folder.endsWith(rules.separator()) ? folder : folder + rules.separator();
    const QStringList items = ctx.window.fileListItems();
    const QList<bool> selected = ctx.window.fileListSelection();
    {
        PlaylistBatch batch(ctx.state.playlist);
        for (qsizetype i = 0; i < items.size() && i < selected.size(); ++i) {
            if (!selected.at(i))
                continue;
            AddFileToList(ctx, rules.withoutPadding(prefix + items.at(i)));
            ctx.state.bUnsaved = true;
        }
    }
    ctx.window.RefreshWindowState();
}

void List1_OLEDragDrop(CommandContext& ctx, const std::optional<QStringList>& droppedPaths) {
    if (droppedPaths) {
        const PathRules& rules = ctx.state.playlist.rules();
        PlaylistBatch batch(ctx.state.playlist);
        for (const QString& path : *droppedPaths)
            AddFileToList(ctx,
                          rules.withoutPadding(collapseDoubledSeparators(path, rules.separator())));
    }
    ctx.state.bUnsaved = true;
    ctx.window.RefreshWindowState();
}

void cmdRemove_Click(CommandContext& ctx) {
    ctx.state.playlist.removeEntries(ctx.window.selectedPlaylistRows());
    ctx.state.bUnsaved = true;
    ctx.window.RefreshWindowState();
}
