#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class Dialogs;
class FileSystem;
class PlaylistDocument;

// The playlist named on the command line. `arguments` are the program's
// arguments without its own path. They are one path, however the shell split
// them: joined with single spaces, every double quote removed, leading and
// trailing spaces trimmed.
QString commandLineCandidate(const QStringList& arguments);

// The playlist to open at start-up: the candidate when it names an existing
// file; anything else (a folder too, with or without its trailing separator)
// is ignored without a message. A name relative to the start-up folder is
// made full first.
std::optional<QString> commandLinePlaylist(FileSystem& fs, const QString& candidate);

// Loads that playlist to the end. True when a playlist was loaded.
bool openCommandLinePlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                             const QString& candidate);
