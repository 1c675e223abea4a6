#include "playlist_file/playlist_reader.h"

#include "platform/file_system.h"
#include "playlist_file/playlist_load.h"

std::optional<PlaylistRead> readPlaylistFile(FileSystem& fs, const QString& path, QString* error,
                                             const std::function<bool()>& keepGoing) {
    PlaylistRead read;
    read.path = path;
    // Taken before the read: a change made meanwhile is asked about at Save.
    read.identity = fs.fileIdentity(path);
    // Read a piece at a time: only the piece and the lines are ever held.
    constexpr qsizetype kPiece = 1 << 20;
    PlaylistContentReader reader(fs.rules());
    bool stopped = false;
    const auto take = [&](QByteArrayView piece) {
        stopped = keepGoing && !keepGoing();
        if (!stopped)
            reader.add(piece);
        return !stopped;
    };
    if (!fs.readFilePieces(path, kPiece, take, error) || stopped)
        return std::nullopt;
    read.content = reader.finish();
    const PathRules& rules = fs.rules();
    read.decidesRoot = rootDecidingEntry(read.content.entries);
    if (read.decidesRoot >= 0 && !rules.isFullPath(read.content.entries[read.decidesRoot].text)) {
        read.root = rules.withTrailingSeparator(fs.parentFolder(path));
        read.rootFromFolder = true;
    }
    return read;
}

bool loadPlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                  const QString& path) {
    PlaylistLoad load(document, fs, dialogs, path);
    return load.runToEnd();
}

bool openPlaylistFile(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                      const QString& path) {
    return loadPlaylist(document, fs, dialogs, path);
}
