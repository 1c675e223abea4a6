#pragma once

#include <QString>

class Dialogs;
class FileSystem;
class PathRules;
class PlaylistDocument;

// The File menu's commands on the playlist document. `dialogFileName` is the
// name the open and save dialogs offer: the one chosen in the last Open or
// Save As dialog, kept by the window between uses.

// New: offers to save unsaved changes, then starts an empty, untitled
// playlist in `browserFolder`. The root path stays.
void newPlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                 const QString& browserFolder);

// Open...: offers to save unsaved changes, then loads the playlist chosen in
// the open dialog, which starts in `browserFolder`.
void openPlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                  const QString& browserFolder, QString& dialogFileName);

// Save: writes the playlist to its file path, after the root check and the
// overwrite check. Also the operation behind New, Open, Save As and closing:
// the modified flag is clear afterwards exactly when the file was written
// (or nothing was unsaved). A failed write is reported and leaves both flags
// as they were.
void savePlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs);

// Save As...: names the playlist from the save dialog and runs Save.
void savePlaylistAs(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                    QString& dialogFileName);

// The name of a new, untitled playlist in `folder`.
QString untitledPlaylistPath(const QString& folder, const PathRules& rules);
