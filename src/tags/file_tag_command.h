#pragma once

#include <QString>
#include <QStringList>

class Dialogs;
class FileSystem;

// The file list's double click: shows the ID3v1 tag of the first of
// `selectedNames` (the list's selected names, top to bottom) in `folder` in a
// plain message box, or "No ID3 Tag Found" when it has none. Nothing is shown
// when no name is selected. Changes nothing.
void showFileTag(FileSystem& fs, Dialogs& dialogs, const QString& folder,
                 const QStringList& selectedNames);
