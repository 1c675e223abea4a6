#pragma once

#include <QString>
#include <QStringList>

class Dialogs;
class FileSystem;
class PlaylistDocument;

// The playlist named on the command line. `arguments` are the program's
// arguments without its own path. They are one path, however the shell split
// them: joined with single spaces, every double quote removed, leading and
// trailing spaces trimmed.
QString commandLineCandidate(const QStringList& arguments);

// Opens the candidate at start-up when it names an existing file; anything
// else (a folder too, with or without its trailing separator) is ignored
// without a message. A name relative to the start-up folder
// is made full first. True when a playlist was loaded.
bool openCommandLinePlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                             const QString& candidate);
