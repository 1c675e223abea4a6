#include "playlist_file/playlist_reader.h"

#include "platform/file_system.h"
#include "playlist_file/playlist_load.h"

std::optional<PlaylistRead> readPlaylistFile(FileSystem& fs, const QString& path, QString* error,
                                             const std::function<bool()>& keepGoing) {
    PlaylistRead read;
    read.path = path;
    // Taken before the read: a change made meanwhile is asked about at Save.
    read.identity = fs.fileIdentity(path);
    std::optional<QByteArray> bytes = fs.readFile(path, error);
    if (!bytes)
        return std::nullopt;
    std::optional<PlaylistContent> content = readPlaylistContent(*bytes, fs.rules(), keepGoing);
    if (!content)
        return std::nullopt;
    // The bytes go before anything else is built on the lines.
    bytes.reset();
    read.content = std::move(*content);
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
