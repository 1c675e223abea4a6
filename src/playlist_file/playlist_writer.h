#pragma once

#include "platform/path_rules.h"
#include "playlist/playlist_edit.h"
#include "playlist_file/playlist_format.h"

#include <QByteArray>

// The bytes of a playlist file: the header, then each entry's directive
// lines followed by the entry, in list order, then the trailer; every line as
// it stands (never trimmed), each followed by CR LF, the last one too. The
// one function that turns lines into a file, for every copy of a playlist.
//
// The file keeps the encoding it was read in (playlist.encoding), mark and
// all: UTF-16 as it was; UTF-8 with escapes written as their bytes, so a
// line read and not changed comes back byte for byte; with Windows rules and
// no mark the ANSI code page, or UTF-8 behind a mark when a line holds a
// character the code page cannot. No lines give no bytes but the mark.
QByteArray playlistFileBytes(const PlaylistLines& playlist, const PathRules& rules);
// The same from the lines to write, in order.
QByteArray playlistFileBytes(const QStringList& lines, TextCodec::PlaylistEncoding encoding,
                             const PathRules& rules);
// The same from a playlist's own entries, each below its directive lines.
QByteArray playlistFileBytes(const QString& header, const QList<PlaylistEntry>& entries,
                             const QStringList& trailer, TextCodec::PlaylistEncoding encoding,
                             const PathRules& rules);
