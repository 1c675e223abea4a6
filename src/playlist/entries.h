#pragma once

#include <QString>

class FileSystem;
class PathRules;
struct CommandContext;

// Turns one file path into a playlist entry and adds it: relative to the root
// path when one is set (a path outside it is refused with a message),
// skipped silently when an equal entry is present. Sets the unsaved-changes
// flag when it adds. Does not refresh the window.
void AddFileToList(CommandContext& ctx, const QString& sFile);

// A folder path with trailing spaces removed and exactly one separator at
// its end; "" and "   " give the separator alone.
QString sAddSlash(const QString& sPath, const PathRules& rules);

// True exactly when the path (or pattern) names an existing ordinary file:
// hidden and system files and folders are not found; any error means false.
bool bFileExists(FileSystem& fs, const QString& sFileName);
