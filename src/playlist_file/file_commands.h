#pragma once

struct CommandContext;

// The File menu. Each command ends with the window refresh unless it stops at
// its first question.

// New: offers to save unsaved changes, then starts an empty, untitled
// playlist in the browser's folder. The root path stays.
void mnuFileNew_Click(CommandContext& ctx);

// Open...: offers to save unsaved changes, then loads the playlist chosen in
// the open dialog.
void mnuFileOpen_Click(CommandContext& ctx);

// Save: writes the playlist to the current playlist name, after the root
// check and the overwrite check. Also the operation behind New, Open, Save As
// and closing: the unsaved-changes flag is clear afterwards exactly when the
// file was written (or nothing was unsaved). A failed write is reported and
// leaves both flags as they were.
void mnuFileSave_Click(CommandContext& ctx);

// Save As...: names the playlist from the save dialog and runs Save.
void mnuFileSaveAs_Click(CommandContext& ctx);
