#pragma once

#include "platform/path_rules.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

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

// The lines of a playlist file's bytes, decoded one at a time as the whole
// text would be (decodePlaylist()) and split where a line ends: CR LF, a lone
// CR or a lone LF. A big list is then held as its bytes and its lines, never
// also as one text of the whole file. Every line decodes on its own as it
// would within the whole: no UTF-8 sequence spans a line end, and UTF-16 is
// split on whole units.
class LineReader {
public:
    // `bytes` must outlive the reader; its mark, if any, is skipped.
    LineReader(QByteArrayView bytes, PlaylistEncoding encoding, const PathRules& rules);

    // The next line, decoded; nothing after the last. Text after the last
    // line end is the last line; text that ends with a line end has no empty
    // line after it.
    std::optional<QString> next();
    // Counts the lines that are left, and how many of those begin with '#',
    // without decoding any of them (to size what will hold them).
    struct Counts {
        qsizetype lines = 0;
        qsizetype hashLines = 0;
    };
    Counts countRest() const;
    // How far the reading has come, in bytes of the file.
    qsizetype position() const { return m_at; }

private:
    // The next line's bytes, from m_at: [begin, end), and where the line
    // after it begins. False at the end.
    bool nextSpan(qsizetype& begin, qsizetype& end, qsizetype& after) const;
    qsizetype lineEnd(qsizetype from) const;
    char16_t unitAt(qsizetype at) const;
    QString decode(QByteArrayView line) const;

    QByteArrayView m_bytes;
    PlaylistEncoding m_encoding;
    bool m_windows;
    // UTF-16 looks at two bytes per character.
    qsizetype m_step;
    qsizetype m_at = 0;
    // Where the next CR and LF are, once looked for (plain bytes only).
    mutable qsizetype m_nextCr = -1;
    mutable qsizetype m_nextLf = -1;
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
