#pragma once

#include "playlist/playlist_document.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Dialogs;

// The commands that put files into the playlist or take entries out. Each
// takes what it works on as arguments; the document tells the window what
// changed.

// Adds one file through the document's add rule and says "File is not in
// Root Path" when the root refuses it; a duplicate is skipped silently.
// Returns what the add rule did.
PlaylistDocument::AddResult addFileToPlaylist(PlaylistDocument& document, Dialogs& dialogs,
                                              const QString& path);

// "Add Selected Files To Playist": the names selected in the file list
// showing `folder`, top to bottom. Sets the modified flag for each name,
// also when it was refused or already present. Names that are not UTF-8
// are skipped, with one message at the end.
void addSelectedFiles(PlaylistDocument& document, Dialogs& dialogs, const QString& folder,
                      const QStringList& selectedNames);

// A drop on the playlist: each dropped path in order, with doubled
// separators collapsed (a network path keeps its leading pair). Nothing is
// added when the drop offered no file list; the modified flag is set either
// way. Paths with a name that is not UTF-8 are skipped, with one message at
// the end.
void addDroppedPaths(PlaylistDocument& document, Dialogs& dialogs,
                     const std::optional<QStringList>& droppedPaths);

// "Remove Selected Items": removes the given rows and sets the modified
// flag, also when no row was given.
void removeEntries(PlaylistDocument& document, const QList<int>& rows);
