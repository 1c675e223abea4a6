#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class FileSystem;
struct AssociationEnvironment;

// What the Edit verb means on a Linux desktop: Songbinder offered under
// "Open With" for playlists, the user's default player left as it is.

// The desktop entry's file name, as installed and as written for the user.
inline const QString kDesktopEntryId = QStringLiteral("org.songbinder.Songbinder.desktop");
// The playlist types the program is offered for.
inline const QStringList kPlaylistMimeTypes = {QStringLiteral("audio/x-mpegurl"),
                                               QStringLiteral("audio/mpegurl")};

// One argument of an Exec line, quoted so that spaces, quotes, '$', '`',
// '\' and '%' in it reach the program unchanged.
QString desktopExecArgument(const QString& argument);

// The user's desktop entry for a program run from `executablePath`.
QString desktopEntryText(const QString& executablePath);

// `mimeappsText` with the desktop entry added to the [Added Associations]
// of every type, after the programs already listed, and taken off the
// [Removed Associations] of those types. Every other line stays as it was;
// [Default Applications] is never touched.
QString withAddedAssociation(const QString& mimeappsText, const QString& desktopId,
                             const QStringList& mimeTypes);

// A file of the desktop that could not be read or written: its full path
// and the file system's reason, enough for a message naming both.
struct DesktopFileFailure {
    QString path;
    QString reason;
};

// Writes the user's desktop entry (unless an installed one exists) and adds
// it to $XDG_CONFIG_HOME/mimeapps.list, each replaced as a whole through
// `fs`, folders made as needed. A mimeapps.list that cannot be read is left
// alone. Nothing when all went well; else the first failure (the other file
// is still tried).
[[nodiscard]] std::optional<DesktopFileFailure>
registerDesktopEditor(FileSystem& fs, const AssociationEnvironment& env);
