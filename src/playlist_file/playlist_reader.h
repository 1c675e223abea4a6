#pragma once

#include "platform/file_identity.h"
#include "playlist_file/playlist_format.h"

#include <QString>

#include <functional>
#include <optional>

class Dialogs;
class FileSystem;
class PlaylistDocument;

// A playlist file as read, before any entry is looked up and before the
// playlist changes: its content, what it decides about the root path, and
// the identity the file had when it was read.
struct PlaylistRead {
    QString path;
    PlaylistContent content;
    std::optional<FileIdentity> identity;
    // The first entry that is neither blank nor a URL decides the root path:
    // a full path clears it, anything else makes the file's own folder the
    // root. -1 when no entry does: the root stays as it is.
    qsizetype decidesRoot = -1;
    QString root;
    // The root is the file's folder, which the user is told.
    bool rootFromFolder = false;
};

// Reads and decodes the playlist file at `path` and decides its root. Safe
// on any thread: it only reads. Nothing, with *error set to the system's
// reason, when the file cannot be read; nothing, with *error empty, when
// `keepGoing` said stop.
std::optional<PlaylistRead> readPlaylistFile(FileSystem& fs, const QString& path, QString* error,
                                             const std::function<bool()>& keepGoing = {});

// Reads the playlist file at `path` and makes it the playlist, in one step
// once everything is known: its entries, each with the directive lines above
// it, header and trailer as they stand, the root it decides (with a message
// when that is the file's folder). Every entry's file is looked up, on all
// cores; when some are missing, one question offers to leave them out, and
// those kept are marked missing. Directives are never tested and stream URLs
// are kept without a test. The document takes the file's name, is bound to it
// and unmodified (modified when an entry was left out), and its history
// starts afresh. A file that cannot be read is reported and changes nothing.
// Runs on this thread to the end: the window loads through PlaylistLoad.
// True when the playlist was loaded.
bool loadPlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                  const QString& path);

// Makes `path` the current playlist: the same as loadPlaylist().
bool openPlaylistFile(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                      const QString& path);
