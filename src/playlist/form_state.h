#pragma once

#include "playlist/playlist_model.h"

#include <QString>

class Dialogs;
class FileSystem;
class WindowServices;

// The main window's editing state for the whole run, handed to every command.
struct FormState {
    explicit FormState(PathRules rules)
        : playlist(rules) {}

    // Full path of the playlist file that Save writes; never empty after start-up.
    QString sCurrentPlaylist;
    // The playlist or root path differs from what was last read or written.
    bool bUnsaved = false;
    // sCurrentPlaylist names the file last read or written: Save overwrites
    // it without asking.
    bool bBoundFile = false;
    // The file name the open and save dialogs (cd1) offer: the name chosen in
    // the last Open or Save As dialog, kept between uses.
    QString cd1FileName;
    // The entries (List1) and the root path (lblRoot).
    PlaylistModel playlist;
    // Add Entire Dir walks under way: one may start while another lets events
    // run, and the hourglass stays until the last of them has ended.
    int nFolderWalks = 0;
};

// Everything a command works with: the state and the four services.
struct CommandContext {
    FormState& state;
    FileSystem& fs;
    Dialogs& dialogs;
    WindowServices& window;
};
