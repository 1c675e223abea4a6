#pragma once

#include "platform/path_rules.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>

// Text of playlist files and tag fields, between bytes and QString.
//
// With Windows rules a playlist is in the ANSI code page (Windows-1252);
// with POSIX rules each line is UTF-8 when it is well-formed, and any other
// line keeps its bytes as escapes (platform/escaped_bytes.h) and shows as
// Windows-1252, so older playlists still open and every line survives. A
// byte-order mark makes a file UTF-8 or UTF-16 under both rules.
namespace TextCodec {

QString decodeWindows1252(QByteArrayView bytes);
// Nothing when a character has no Windows-1252 byte.
std::optional<QByteArray> encodeWindows1252(QStringView text);

// Well-formed UTF-8 as utf8::isWellFormed() has it, for Qt's byte arrays.
bool isValidUtf8(QByteArrayView bytes);
bool isAscii(QByteArrayView bytes);

// How a playlist file stores its text, told from its first bytes and kept
// from reading to writing, so the program that wrote it can read it again.
enum class PlaylistEncoding {
    Plain,              // no mark: UTF-8 line by line (POSIX), the code page (Windows)
    Utf8WithMark,       // EF BB BF, then UTF-8 line by line
    Utf16LeWithMark,    // FF FE
    Utf16BeWithMark,    // FE FF
    Utf16LeWithoutMark, // a NUL in every second byte of the first line
};

// A UTF-16 mark counts only before an even number of bytes: anything else
// cannot be UTF-16 and is read as plain bytes, every one of them kept.
PlaylistEncoding playlistEncoding(QByteArrayView bytes);
// The mark a file in that encoding begins with; empty for none.
QByteArrayView byteOrderMark(PlaylistEncoding encoding);
bool isUtf16(PlaylistEncoding encoding);

// A whole playlist file's text, without its mark. A file that is all UTF-8
// is decoded in one go; only one with bytes that are not goes byte by byte.
QString decodePlaylist(QByteArrayView bytes, PlaylistEncoding encoding, const PathRules& rules);
inline QString decodePlaylist(QByteArrayView bytes, const PathRules& rules) {
    return decodePlaylist(bytes, playlistEncoding(bytes), rules);
}

// The lines of a playlist file that arrives in pieces, decoded one at a
// time as the whole text would be (decodePlaylist()) and split where a line
// ends: CR LF, a lone CR or a lone LF. Only the line being read is held, so
// a big list is never held as its bytes and its lines at once. Every line
// decodes on its own as it would within the whole: no UTF-8 sequence spans a
// line end, and UTF-16 is split on whole units. A piece may end anywhere,
// within a character or between CR and LF.
//
// The encoding is told from the file's first bytes; where that depends on
// the size's parity too (a UTF-16 mark, NULs in the first line) the bytes
// are held to the end, where the size is known.
class LineStream {
public:
    explicit LineStream(const PathRules& rules)
        : m_windows(rules.isWindows()) {}

    // The next piece of the file; `line` takes each line it completes.
    void add(QByteArrayView piece, const std::function<void(QString)>& line);
    // The end of the file: `line` takes the last line, if any. Text after
    // the last line end is the last line; text that ends with a line end
    // has no empty line after it.
    void finish(const std::function<void(QString)>& line);
    // Known once the first bytes have come, at the latest at finish().
    std::optional<PlaylistEncoding> encoding() const { return m_encoding; }

private:
    void take(bool atEnd, const std::function<void(QString)>& line);

    bool m_windows;
    std::optional<PlaylistEncoding> m_encoding;
    // UTF-16 looks at two bytes per character.
    qsizetype m_step = 1;
    // The bytes not yet taken: the start of a line whose end has not come,
    // and all the file while its encoding is not known.
    QByteArray m_rest;
    // How far m_rest has been searched for a line end.
    qsizetype m_searched = 0;
    // The last piece ended with a CR: an LF first in the next one is its pair.
    bool m_afterCr = false;
};

// Plain playlist bytes as they are written. Bytes that reading would take
// for another encoding (they begin with a mark, or look like UTF-16) go
// behind a UTF-8 mark, which keeps them as they are.
QByteArray markedWhereNeeded(QByteArray plain);

// Encodes playlist text for a file without a mark: UTF-8 (escapes as their
// bytes) with POSIX rules. With Windows rules text that the code page cannot
// hold is written as UTF-8 behind a byte-order mark instead of losing
// characters.
QByteArray encodePlaylist(QStringView text, const PathRules& rules);

} // namespace TextCodec
