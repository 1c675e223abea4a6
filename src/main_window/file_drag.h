#pragma once

#include <QStringList>

class QMimeData;

// What the browser's lists offer when the user drags from them: the dragged
// files and folders as file: URLs, in the order given, the form file
// managers and the playlist take.
QStringList fileDragMimeTypes();
QMimeData* fileDragMimeData(const QStringList& paths);
