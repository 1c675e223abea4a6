#pragma once

class Dialogs;
class FileSystem;
class PlaylistDocument;

// What every way of closing the main window asks first. With unsaved changes
// it asks "Save File Before Exiting?": Yes saves, No discards, Cancel keeps
// the window. True when the window may close: nothing was unsaved, the user
// answered No, or answered Yes and the save wrote the file.
bool mayClosePlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs);
