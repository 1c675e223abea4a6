#pragma once

#include "platform/path_rules.h"

#include <QByteArray>
#include <QStringList>

// The bytes of a playlist file: every entry as it stands (never trimmed),
// each followed by CR LF, the last one too; no entries give no bytes. The
// text is in the playlist encoding of the rules (UTF-8 on Linux; with Windows
// rules the ANSI code page, or UTF-8 behind a byte-order mark when an entry
// holds a character the code page cannot).
QByteArray playlistFileBytes(const QStringList& entries, const PathRules& rules);
