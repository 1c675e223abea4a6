#pragma once

#include "platform/path_rules.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Text of playlist files and tag fields, between bytes and QString.
//
// With Windows rules the playlist is in the ANSI code page (Windows-1252);
// with POSIX rules it is UTF-8, and bytes that are not valid UTF-8 are read
// as Windows-1252, so older playlists still open.
namespace TextCodec {

QString decodeWindows1252(QByteArrayView bytes);
// Nothing when a character has no Windows-1252 byte.
std::optional<QByteArray> encodeWindows1252(QStringView text);

// Well-formed UTF-8 as utf8::isWellFormed() has it, for Qt's byte arrays.
bool isValidUtf8(QByteArrayView bytes);
bool isAscii(QByteArrayView bytes);

// UTF-8 playlist bytes as they are written. Reading skips a byte-order mark
// at the start of a file, so text that itself begins with U+FEFF is written
// behind one more mark, or its first character would be lost.
QByteArray keepingLeadingMark(QByteArray utf8);

// Reads a whole playlist file's bytes. A UTF-8 byte-order mark at the start is
// skipped and the rest read as UTF-8.
QString decodePlaylist(QByteArrayView bytes, const PathRules& rules);
// Encodes playlist text for writing. With Windows rules text that the code
// page cannot hold is written as UTF-8 behind a byte-order mark instead of
// losing characters.
QByteArray encodePlaylist(QStringView text, const PathRules& rules);

} // namespace TextCodec
