#pragma once

struct CommandContext;

// The one handler behind every way of closing the main window. With unsaved
// changes it asks "Save File Before Exiting?": Yes saves, No discards, Cancel
// keeps the window. `cancel` comes back true exactly when the window must
// stay open: after Cancel, or after Yes when the save did not write.
void Form_Unload(CommandContext& ctx, bool& cancel);
