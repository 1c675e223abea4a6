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
// the open dialog, which starts in `browserFolder`. True when a playlist was
// loaded.
bool openPlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                  const QString& browserFolder, QString& dialogFileName);

// Open Recent: Open with `path` in place of the dialog's choice: the same
// question first, the same flags and messages. True when it was loaded;
// false also when the file is gone, which, like a missing name chosen in the
// dialog, is not reported.
bool openPlaylistAt(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                    const QString& path);

// Save: writes the playlist to its file path, after the root check and the
// overwrite check. Also the operation behind New, Open, Save As and closing:
// the modified flag is clear afterwards exactly when the file was written
// (or nothing was unsaved). A failed write is reported and leaves both flags
// as they were. True when the file was written.
bool savePlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs);

// Save As...: names the playlist from the save dialog and runs Save. True
// when the file was written.
bool savePlaylistAs(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                    QString& dialogFileName);

// The name of a new, untitled playlist in `folder`.
QString untitledPlaylistPath(const QString& folder, const PathRules& rules);
