#include "playlist_file/playlist_reader.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "playlist/entries.h"
#include "playlist/form_state.h"

#include <algorithm>

namespace {

// Blank means spaces only: other white space is part of a name.
bool isBlank(QStringView line) {
    for (const QChar c : line)
        if (c != QLatin1Char(' '))
            return false;
    return true;
}

// Directive lines of extended playlists ("#EXTM3U", "#EXTINF:...") say
// nothing about where the entries live.
bool decidesRoot(QStringView line) {
    return !isBlank(line) && !line.startsWith(QLatin1Char('#'));
}

// The missing-files question, asked at most once per load.
enum class MissingFiles { NotAsked, Remove, Keep };

// True when the line, joined to the root path as it now stands, names an
// existing file. A name that cannot be a full path is not even searched for.
bool entryFileExists(CommandContext& ctx, const QString& line) {
    const QString& root = ctx.state.playlist.rootPath();
    const QString full = root.isEmpty() ? line : root + line;
    if (isBlank(full) || !ctx.fs.rules().mayBeFullPath(full))
        return false;
    return bFileExists(ctx.fs, full);
}

QString rootMessage(const QString& root) {
    return QStringLiteral("The first item in this list does not contain a full path. "
                          "Assuming Root Path is \"") +
           root + QLatin1Char('"');
}

std::optional<QStringList> readPlaylistLines(CommandContext& ctx, const QString& path) {
    QString error;
    std::optional<QByteArray> bytes = ctx.fs.readFile(path, &error);
    if (!bytes) {
        ctx.dialogs.warn(
            QStringLiteral("The playlist \"%1\" cannot be read.\n%2").arg(path, error));
        return std::nullopt;
    }
    const QString text = TextCodec::decodePlaylist(*bytes, ctx.fs.rules());
    bytes.reset(); // a big list should not be held three times over
    return splitPlaylistLines(text);
}

} // namespace

QStringList splitPlaylistLines(QStringView text) {
    QStringList lines;
    const qsizetype size = text.size();
    qsizetype start = 0;
    // The next CR and the next LF at or after `start` (`size` when there is
    // none), each searched for again only once the line start has passed it.
    qsizetype cr = -1;
    qsizetype lf = -1;
    const auto findNext = [&](qsizetype& at, QChar c) {
        if (at < start) {
            at = text.indexOf(c, start);
            if (at < 0)
                at = size;
        }
    };
    while (start < size) {
        findNext(cr, QLatin1Char('\r'));
        findNext(lf, QLatin1Char('\n'));
        const qsizetype end = std::min(cr, lf);
        lines.append(text.sliced(start, end - start).toString());
        const bool crLf = end == cr && lf == end + 1 && lf < size;
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}

void LoadPlaylist(CommandContext& ctx, const QString& path) {
    FormState& state = ctx.state;
    PlaylistModel& playlist = state.playlist;
    state.bBoundFile = true;
    state.bUnsaved = false;

    const std::optional<QStringList> lines = readPlaylistLines(ctx, path);
    if (!lines) {
        // Nothing was read, so the name is not bound to the file: a later Save
        // asks before it overwrites the file the user could not open.
        state.bBoundFile = false;
        return;
    }

    bool rootDecided = false;
    MissingFiles missing = MissingFiles::NotAsked;
    // One merge for the whole file. The list is put in order before every
    // question, since the message boxes let the window repaint it.
    const PlaylistBatch batch(playlist);
    playlist.reserve(lines->size());
    for (const QString& line : *lines) {
        if (!rootDecided && decidesRoot(line)) {
            rootDecided = true;
            if (ctx.fs.rules().isFullPath(line)) {
                playlist.setRootPath(QString());
            } else {
                playlist.setRootPath(sAddSlash(ctx.fs.parentFolder(path), ctx.fs.rules()));
                playlist.flushPending();
                ctx.dialogs.inform(rootMessage(playlist.rootPath()));
            }
        }
        bool keep = missing == MissingFiles::Keep || entryFileExists(ctx, line);
        if (!keep && missing == MissingFiles::NotAsked) {
            playlist.flushPending();
            const MessageAnswer answer =
                ctx.dialogs.ask(QStringLiteral("Remove Files That No Longer Exist?"),
                                MessageButtons::YesNo, MessageAnswer::Yes);
            missing = answer == MessageAnswer::Yes ? MissingFiles::Remove : MissingFiles::Keep;
            keep = missing == MissingFiles::Keep;
        }
        if (keep)
            playlist.insertSorted(line);
        else
            state.bUnsaved = true;
    }
}

void openPlaylistFile(CommandContext& ctx, const QString& path) {
    ctx.state.sCurrentPlaylist = path;
    ctx.state.playlist.clear();
    LoadPlaylist(ctx, path);
}
