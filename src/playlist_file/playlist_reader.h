#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

struct CommandContext;

// Splits playlist text into its lines. A line ends at CR LF, at a lone CR or
// at a lone LF, so lists written on any system read line by line. Text after
// the last line end is the last line; text that ends with a line end has no
// empty line after it. Lines are kept exactly as they stand.
QStringList splitPlaylistLines(QStringView text);

// Reads the playlist file at `path` and appends its lines to the playlist, in
// file order. The first line that is neither blank nor a "#" directive decides
// the root path: a full path clears it, anything else makes the file's own
// folder the root (with a message saying so). Lines whose files are missing
// are offered for removal once per load. Sets the bound-file flag and clears
// the unsaved-changes flag (set again when a line is left out). A file that
// cannot be read is reported and leaves the playlist as it was, unbound.
// Neither clears the playlist nor refreshes the window: callers do.
void LoadPlaylist(CommandContext& ctx, const QString& path);

// Makes `path` the current playlist: names it, empties the playlist and loads
// the file. No refresh.
void openPlaylistFile(CommandContext& ctx, const QString& path);
