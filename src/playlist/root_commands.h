#pragma once

#include <QString>

struct CommandContext;

// "Make Root": the folder highlighted in Dir1 becomes the root path.
void cmdMakeRoot_Click(CommandContext& ctx);

// "x": the root path is cleared; every entry becomes its full path.
void cmdNoRoot_Click(CommandContext& ctx);

// Re-bases every entry on `sNewRoot` ("" for none, else a folder path ending
// in a separator), or, when some entry's full path lies outside it, refuses
// the change as a whole with "Not all files are in that path" and changes
// nothing. On success sets the unsaved-changes flag and refreshes the window,
// also when the root stays the same.
void SetRootPath(CommandContext& ctx, const QString& sNewRoot);
