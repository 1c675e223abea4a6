#pragma once

#include <QStringList>

#include <optional>

class QMimeData;

// The file list a drop offers: the local paths of its file: URLs (the
// text/uri-list that file managers send), decoded and in their order. Nothing
// when the drop carries no file URL at all (plain text, web links only).
std::optional<QStringList> droppedFilePaths(const QMimeData& data);
