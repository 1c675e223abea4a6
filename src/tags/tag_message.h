#pragma once

#include <QString>
#include <QStringList>

class Dialogs;
class FileSystem;
struct ID3Tag;
class GenreTable;

// The tag as the double click on File1 shows it: one "Label: value" line per
// field that holds something, CR LF between the lines.
QString tagMessageText(const ID3Tag& tag, const GenreTable& genres);

// Double click on File1: shows the tag of the first selected file in a plain
// message box, or "No ID3 Tag Found". Changes nothing else.
void showFileTag(FileSystem& fs, Dialogs& dialogs, const QString& folder,
                 const QStringList& selectedNames);
