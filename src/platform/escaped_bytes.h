#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// How text that arrives as bytes (a playlist line, a name on a POSIX disk)
// is held in a QString without losing a byte. Entries and directive lines
// keep this form from the moment they are read until they are written; it is
// what the playlist compares, sorts, looks up and writes, and only the view
// shows it otherwise.
//
// - Every well-formed UTF-8 sequence (utf8::sequenceLength) is its character.
// - Every other byte, 0x80..0xFF, is held as the code point U+DC00 + byte
//   (U+DC80..U+DCFF): a lone low surrogate, which decoded text never holds,
//   so an escape is never mistaken for a character. A low surrogate that
//   completes a pair with the high surrogate before it is a character (part
//   of U+1xxxx), never an escape.
// - Going back to bytes (writing, a lookup on disk), an escape gives its byte
//   and every character its UTF-8. So a line read and not changed is written
//   back byte for byte whatever its encoding, an entry the program makes is
//   UTF-8, and an entry cut by a new root keeps the bytes of what remains: a
//   root always ends in a separator, and no UTF-8 sequence spans one.
// - Text holding an escape is not UTF-8: it is shown, and looked up the
//   second time, as the Windows-1252 reading of its bytes, the encoding such
//   lines are most often in (Latin-1 tags, Windows exports).
// - Compared and sorted as it stands: equal bytes are equal text, and escapes
//   sort after the letters of most scripts.
namespace EscapedBytes {

// True when `text` holds at least one escape.
bool holdsEscapes(QStringView text);

// The text of bytes as above: UTF-8 where well-formed, escapes elsewhere.
QString fromBytes(QByteArrayView bytes);
// Appends the bytes `text` stands for: escapes as their bytes, the rest as
// UTF-8 (a lone surrogate that is no escape as U+FFFD, as Qt writes it).
void appendBytes(QByteArray& out, QStringView text);
QByteArray toBytes(QStringView text);

// What the user sees: `text` itself, or the Windows-1252 reading of its
// bytes when it holds an escape.
QString forDisplay(const QString& text);

} // namespace EscapedBytes
