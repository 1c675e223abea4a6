#include "playlist_file/file_commands.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/window_services.h"
#include "playlist/entries.h"
#include "playlist/form_state.h"
#include "playlist_file/playlist_reader.h"
#include "playlist_file/playlist_writer.h"
#include "playlist_file/untitled.h"

namespace {

const QString kFilter = QStringLiteral("Playlists (*.m3u)|*.m3u|All Files (*.*)|*.*");

enum class SaveOutcome {
    StoppedAtRootCheck, // nothing written, no refresh
    Declined,           // the overwrite question was not answered Yes
    Written,
    Failed, // the file could not be written; the user was told why
};

// Entries relative to a root only read back with that root from a file in
// the root folder itself.
bool rootCheckPasses(CommandContext& ctx) {
    const FormState& state = ctx.state;
    const PathRules& rules = ctx.fs.rules();
    const QString& root = state.playlist.rootPath();
    if (root.isEmpty() ||
        rules.samePath(root, sAddSlash(ctx.fs.parentFolder(state.sCurrentPlaylist), rules)))
        return true;
    return ctx.dialogs.ask(QStringLiteral("WARNING: Your playlist's path is not the same as your "
                                          "root folder. Continue?"),
                           MessageButtons::YesNoCancel, MessageAnswer::No) == MessageAnswer::Yes;
}

// Any file counts here, hidden ones included: the save replaces whatever is
// there, so it must not replace a file the user was never asked about.
bool fileIsThere(FileSystem& fs, const QString& path) {
    const auto search = fs.search(path, SearchMask::AllFiles);
    return search && search->next().has_value();
}

bool overwriteAllowed(CommandContext& ctx) {
    if (ctx.state.bBoundFile || !fileIsThere(ctx.fs, ctx.state.sCurrentPlaylist))
        return true;
    return ctx.dialogs.ask(QStringLiteral("Overwrite Existing File?"), MessageButtons::YesNoCancel,
                           MessageAnswer::No) == MessageAnswer::Yes;
}

bool writeCurrentPlaylist(CommandContext& ctx) {
    FormState& state = ctx.state;
    state.playlist.flushPending();
    const QByteArray bytes = playlistFileBytes(state.playlist.entries(), ctx.fs.rules());
    QString error;
    if (!ctx.fs.writeFileAtomic(state.sCurrentPlaylist, bytes, &error)) {
        ctx.dialogs.warn(QStringLiteral("The playlist \"%1\" cannot be saved.\n%2")
                             .arg(state.sCurrentPlaylist, error));
        return false;
    }
    state.bUnsaved = false;
    state.bBoundFile = true;
    return true;
}

SaveOutcome save(CommandContext& ctx) {
    if (!rootCheckPasses(ctx))
        return SaveOutcome::StoppedAtRootCheck;
    SaveOutcome outcome = SaveOutcome::Declined;
    if (overwriteAllowed(ctx))
        outcome = writeCurrentPlaylist(ctx) ? SaveOutcome::Written : SaveOutcome::Failed;
    ctx.window.RefreshWindowState();
    return outcome;
}

// The question New and Open ask before they discard unsaved changes. False
// when the command must stop: the user cancelled, or asked for a save that
// failed (going on would throw away the only copy of the changes).
bool mayDiscardChanges(CommandContext& ctx, const QString& question) {
    if (!ctx.state.bUnsaved)
        return true;
    switch (ctx.dialogs.ask(question, MessageButtons::YesNoCancel, MessageAnswer::Yes)) {
    case MessageAnswer::Yes:
        return save(ctx) != SaveOutcome::Failed;
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

} // namespace

void mnuFileNew_Click(CommandContext& ctx) {
    if (!mayDiscardChanges(ctx, QStringLiteral("Save Current File First?")))
        return;
    FormState& state = ctx.state;
    state.bBoundFile = false;
    state.bUnsaved = false;
    state.sCurrentPlaylist = untitledPlaylistPath(ctx.window.dirPath(), ctx.fs.rules());
    state.playlist.clear();
    ctx.window.RefreshWindowState();
}

void mnuFileOpen_Click(CommandContext& ctx) {
    if (!mayDiscardChanges(ctx, QStringLiteral("Save File First?")))
        return;
    FormState& state = ctx.state;
    state.bBoundFile = false;
    const std::optional<QString> chosen = ctx.dialogs.openFile(
        {QStringLiteral("Open..."), kFilter, ctx.window.dirPath(), state.cd1FileName});
    if (chosen) {
        state.cd1FileName = *chosen;
        if (!chosen->isEmpty() && bFileExists(ctx.fs, *chosen))
            openPlaylistFile(ctx, *chosen);
    }
    ctx.window.RefreshWindowState();
}

void mnuFileSave_Click(CommandContext& ctx) {
    save(ctx);
}

void mnuFileSaveAs_Click(CommandContext& ctx) {
    FormState& state = ctx.state;
    // The dialog opens in the playlist's folder with its name filled in.
    state.cd1FileName = state.sCurrentPlaylist;
    const std::optional<QString> chosen =
        ctx.dialogs.saveFile({QStringLiteral("Save As..."), kFilter, QString(), state.cd1FileName});
    if (chosen) {
        state.cd1FileName = *chosen;
        if (!chosen->isEmpty()) {
            state.sCurrentPlaylist = *chosen;
            state.bBoundFile = false;
            save(ctx);
        }
    }
    ctx.window.RefreshWindowState();
}
