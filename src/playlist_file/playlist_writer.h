#pragma once

#include "platform/path_rules.h"
#include "playlist_file/playlist_format.h"

#include <QByteArray>

// The bytes of a playlist file: the header, then each entry's directive
// lines followed by the entry, in list order, then the trailer; every line as
// it stands (never trimmed), each followed by CR LF, the last one too; no
// lines give no bytes. The text is in the playlist encoding of the rules
// (UTF-8 on Linux; with Windows rules the ANSI code page, or UTF-8 behind a
// byte-order mark when a line holds a character the code page cannot).
QByteArray playlistFileBytes(const PlaylistLines& playlist, const PathRules& rules);
