#pragma once

#include <QString>

class Dialogs;
class PlaylistDocument;

// "Make Root": `folder` (the folder highlighted in the folder tree), with one
// trailing separator, becomes the root path.
void makeRoot(PlaylistDocument& document, Dialogs& dialogs, const QString& folder);

// "x": the root path is cleared; every entry becomes its full path.
void clearRoot(PlaylistDocument& document, Dialogs& dialogs);

// Re-bases every entry on `newRoot` ("" for none, else a folder path ending
// in a separator), or, when some entry's full path lies outside it, refuses
// the change as a whole with "Not all files are in that path" and changes
// nothing. On success the modified flag is set, also when the root stays
// the same.
void changeRoot(PlaylistDocument& document, Dialogs& dialogs, const QString& newRoot);
