#pragma once

#include "platform/registry_backend.h"

#include <QString>
#include <QStringList>

class Dialogs;
class FileSystem;

// Where the association command finds the program and, on a Linux desktop,
// the user's and the system's desktop folders.
struct AssociationEnvironment {
    // The running program's executable file, a full path.
    QString executablePath;
    // $XDG_DATA_HOME, $XDG_CONFIG_HOME and the folders of $XDG_DATA_DIRS.
    // An empty dataHome means no desktop to tell (Windows).
    QString dataHome;
    QString configHome;
    QStringList dataDirs;
};

// The environment of this process, with the defaults of the XDG base
// directory rules for variables that are unset, empty or not full paths.
AssociationEnvironment currentAssociationEnvironment();

// The folder of the file-type store below a data home.
QString registryStoreFolder(const AssociationEnvironment& env);

// A place the association command could not read or write: a file (the
// store standing in for the registry, a desktop file) or a registry key,
// and why, enough for a message naming both.
struct AssociationFailure {
    QString path;
    QString reason;
};

// Help > Associate Program: after the user agrees, registers the program as
// the Edit handler of .m3u files below HKEY_CLASSES_ROOT (or the store
// standing in for it) and, on a Linux desktop, offers it under "Open With"
// for playlists. Success is not reported; when something could not be
// written, one exclamation message names each place and the reason.
void associateWithPlaylists(Dialogs& dialogs, FileSystem& fs, RegistryBackend& registry,
                            const AssociationEnvironment& env);

// The same on this machine: the platform's registry and this process's
// environment.
void associateWithPlaylists(Dialogs& dialogs, FileSystem& fs);

// The text up to its first NUL character, or all of it when it holds none.
// A text read from the registry carries the NUL it was stored with; a name
// taken from it must not.
QString textBeforeNul(const QString& text);

// The command line registered for the verbs: the executable's path and %1,
// each in double quotes. With Windows rules the file name is written
// without its extension and followed by ".exe".
QString editCommand(const FileSystem& fs, const QString& executablePath);
