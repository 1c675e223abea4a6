#pragma once

#include "playlist/folder_walk.h"

#include <QString>
#include <QStringList>

#include <optional>

struct CommandContext;

// "Add Selected Files To Playist": every file selected in File1, top to
// bottom. Sets the unsaved-changes flag for each selected file, also when it
// was refused or already present.
void cmdAddFiles_Click(CommandContext& ctx);

// "Add Entire Dir To Playlist": every *.mp3, then every *.wav, then every
// *.wma file of the folder tree highlighted in Dir1, with the hourglass on and
// events let run while it goes. Folders that cannot be read are skipped and
// reported in one message at the end.
void cmdAddDir_Click(CommandContext& ctx);

// The same with a walk record of the caller's (its turn interval, the
// folders it skipped).
void addEntireDir(CommandContext& ctx, FolderWalk& walk);

// Adds the files of `sFolder` matching `sPattern` (hidden ones included),
// then walks each sub-folder the same way, depth first. Symbolic links to
// folders are not followed.
void AddFolderFiles(CommandContext& ctx, const QString& sFolder, const QString& sPattern,
                    FolderWalk& walk);

// A drop on List1: each dropped path, in order, with doubled separators
// collapsed (a network path keeps its leading pair). Nothing when the drop
// offered no file list; the unsaved-changes flag is set either way.
void List1_OLEDragDrop(CommandContext& ctx, const std::optional<QStringList>& droppedPaths);

// "Remove Selected Items": removes every entry selected in List1.
void cmdRemove_Click(CommandContext& ctx);
