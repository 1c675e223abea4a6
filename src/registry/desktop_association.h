#pragma once

#include "registry/association.h"

#include <QList>
#include <QString>
#include <QStringList>

class FileSystem;

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

// Writes the user's desktop entry (unless an installed one exists) and adds
// it to $XDG_CONFIG_HOME/mimeapps.list, each replaced as a whole through
// `fs`, folders made as needed. A mimeapps.list that cannot be read is left
// alone. The files that could not be read or written, each with the file
// system's reason, in that order: none when all went well (the other file
// is still tried after a failure).
[[nodiscard]] QList<AssociationFailure> registerDesktopEditor(FileSystem& fs,
                                                              const AssociationEnvironment& env);
