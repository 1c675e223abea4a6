#pragma once

#include <QString>

#include <optional>

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

// Open...'s steps before the load: offers to save unsaved changes, then
// shows the open dialog, which starts in `browserFolder`. The chosen file
// when it exists, for the caller to load (loadPlaylist(), or a PlaylistLoad
// in the window); nothing when the user stopped, or chose a name that names
// no file, which is not reported.
std::optional<QString> choosePlaylistToOpen(PlaylistDocument& document, FileSystem& fs,
                                            Dialogs& dialogs, const QString& browserFolder,
                                            QString& dialogFileName);
// Open Recent's: Open's question, then `path` in place of the dialog's
// choice, when the file is still there.
std::optional<QString> confirmPlaylistToOpen(PlaylistDocument& document, FileSystem& fs,
                                             Dialogs& dialogs, const QString& path);

// Open... and Open Recent to the end, the load included: true when a
// playlist was loaded.
bool openPlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                  const QString& browserFolder, QString& dialogFileName);
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
