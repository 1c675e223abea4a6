#pragma once

#include "playlist_file/playlist_format.h"

#include <QString>

class Dialogs;
class FileSystem;
class PlaylistDocument;

// Reads the playlist file at `path` and puts its entries, each with the
// directive lines above it, into the playlist, in file order; the header and
// trailer lines go to the document as they stand. The first entry that is
// neither blank nor a URL decides the root path: a full path clears it,
// anything else makes the file's own folder the root (with a message saying
// so). Entries whose files are missing are offered for removal once per
// load; a removed entry takes its directives with it. Directives are never
// tested and stream URLs are kept without a test. The document takes the
// file's name, is bound to it and unmodified (modified again when an entry is
// left out), and its history starts afresh. A file that cannot be read is
// reported and leaves an empty playlist of that name, unbound.
void loadPlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                  const QString& path);

// Makes `path` the current playlist: the same as loadPlaylist().
void openPlaylistFile(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                      const QString& path);
