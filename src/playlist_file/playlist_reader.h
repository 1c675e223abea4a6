#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

class Dialogs;
class FileSystem;
class PlaylistDocument;

// Splits playlist text into its lines. A line ends at CR LF, at a lone CR or
// at a lone LF, so lists written on any system read line by line. Text after
// the last line end is the last line; text that ends with a line end has no
// empty line after it. Lines are kept exactly as they stand.
QStringList splitPlaylistLines(QStringView text);

// Reads the playlist file at `path` and puts its lines into the playlist, in
// file order. The first line that is neither blank nor a "#" directive
// decides the root path: a full path clears it, anything else makes the
// file's own folder the root (with a message saying so). Lines whose files
// are missing are offered for removal once per load. Binds the document to
// the file and clears the modified flag (set again when a line is left
// out). A file that cannot be read is reported and leaves the playlist as it
// was, unbound. Does not empty the playlist first.
void loadPlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                  const QString& path);

// Makes `path` the current playlist: names it, empties the playlist and loads
// the file.
void openPlaylistFile(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                      const QString& path);
