#include "platform/text_codec.h"

#include "platform/escaped_bytes.h"
#include "platform/utf8.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace {

// Windows-1252 bytes 0x80..0x9F; zero marks the five unassigned bytes, which
// map to the C1 control of the same number, as Windows itself does.
constexpr std::array<char16_t, 32> kHighBlock = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);
const QByteArray kUtf16LeBom("\xFF\xFE", 2);
const QByteArray kUtf16BeBom("\xFE\xFF", 2);

// QString::fromUtf8() drops a byte-order mark at the start; the caller has
// skipped the file's own already, so a second one is text and stays.
QString decodeUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

// UTF-8 line by line: a file that is all UTF-8 in one go, any other with
// its stray bytes kept as escapes. No UTF-8 sequence spans a line end, so
// each line reads as it would alone.
QString decodeUtf8Lines(QByteArrayView bytes) {
    if (TextCodec::isValidUtf8(bytes))
        return decodeUtf8(bytes);
    return EscapedBytes::fromBytes(bytes);
}

// Unit by unit, so a lone surrogate in the file is kept as it is.
QString decodeUtf16(QByteArrayView bytes, bool bigEndian) {
    QString text(bytes.size() / 2, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const unsigned first = in[2 * i];
        const unsigned second = in[2 * i + 1];
        out[i] = static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return text;
}

// Plainly UTF-16 little-endian without a mark: the first line has at least
// one character, and each is a byte that is not NUL followed by a NUL.
bool looksLikeUtf16Le(QByteArrayView bytes) {
    qsizetype at = 0;
    for (; at + 1 < bytes.size(); at += 2) {
        if (bytes[at + 1] != 0)
            return false;
        if (bytes[at] == '\r' || bytes[at] == '\n')
            break;
        if (bytes[at] == 0)
            return false;
    }
    return at > 0;
}

} // namespace

namespace TextCodec {

QString decodeWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        char16_t u = b;
        if (b >= 0x80 && b <= 0x9F && kHighBlock[b - 0x80] != 0)
            u = kHighBlock[b - 0x80];
        *out++ = QChar(u);
    }
    return text;
}

std::optional<QByteArray> encodeWindows1252(QStringView text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(static_cast<char>(u));
            continue;
        }
        int found = -1;
        for (int i = 0; i < 32; ++i) {
            if (kHighBlock[i] == u || (kHighBlock[i] == 0 && u == 0x80 + i)) {
                found = i;
                break;
            }
        }
        if (found < 0)
            return std::nullopt;
        bytes.append(static_cast<char>(0x80 + found));
    }
    return bytes;
}

bool isAscii(QByteArrayView bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool isValidUtf8(QByteArrayView bytes) {
    // utf8::isWellFormed() byte by byte, but eight ASCII bytes at a time where
    // they come: names are mostly ASCII, and a big list is checked line by line.
    const std::string_view view(bytes.data(), static_cast<std::size_t>(bytes.size()));
    constexpr quint64 kHighBits = 0x8080808080808080ULL;
    for (std::size_t at = 0; at < view.size();) {
        quint64 word = kHighBits;
        if (at + sizeof word <= view.size())
            std::memcpy(&word, view.data() + at, sizeof word);
        if ((word & kHighBits) == 0) {
            at += sizeof word;
            continue;
        }
        const std::size_t length = utf8::sequenceLength(view, at);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

PlaylistEncoding playlistEncoding(QByteArrayView bytes) {
    if (bytes.startsWith(kUtf8Bom))
        return PlaylistEncoding::Utf8WithMark;
    if (bytes.size() % 2 != 0)
        return PlaylistEncoding::Plain;
    if (bytes.startsWith(kUtf16LeBom))
        return PlaylistEncoding::Utf16LeWithMark;
    if (bytes.startsWith(kUtf16BeBom))
        return PlaylistEncoding::Utf16BeWithMark;
    return looksLikeUtf16Le(bytes) ? PlaylistEncoding::Utf16LeWithoutMark : PlaylistEncoding::Plain;
}

QByteArrayView byteOrderMark(PlaylistEncoding encoding) {
    switch (encoding) {
    case PlaylistEncoding::Utf8WithMark:
        return kUtf8Bom;
    case PlaylistEncoding::Utf16LeWithMark:
        return kUtf16LeBom;
    case PlaylistEncoding::Utf16BeWithMark:
        return kUtf16BeBom;
    case PlaylistEncoding::Plain:
    case PlaylistEncoding::Utf16LeWithoutMark:
        break;
    }
    return {};
}

bool isUtf16(PlaylistEncoding encoding) {
    return encoding == PlaylistEncoding::Utf16LeWithMark ||
           encoding == PlaylistEncoding::Utf16BeWithMark ||
           encoding == PlaylistEncoding::Utf16LeWithoutMark;
}

QString decodePlaylist(QByteArrayView bytes, PlaylistEncoding encoding, const PathRules& rules) {
    if (const QByteArrayView mark = byteOrderMark(encoding); bytes.startsWith(mark))
        bytes = bytes.sliced(mark.size());
    switch (encoding) {
    case PlaylistEncoding::Plain:
        return rules.isWindows() ? decodeWindows1252(bytes) : decodeUtf8Lines(bytes);
    case PlaylistEncoding::Utf8WithMark:
        return decodeUtf8Lines(bytes);
    case PlaylistEncoding::Utf16LeWithMark:
    case PlaylistEncoding::Utf16LeWithoutMark:
        return decodeUtf16(bytes, false);
    case PlaylistEncoding::Utf16BeWithMark:
        return decodeUtf16(bytes, true);
    }
    return {};
}

namespace {

QString decodeLine(QByteArrayView line, PlaylistEncoding encoding, bool windows) {
    switch (encoding) {
    case PlaylistEncoding::Plain:
        return windows ? decodeWindows1252(line) : decodeUtf8Lines(line);
    case PlaylistEncoding::Utf8WithMark:
        return decodeUtf8Lines(line);
    case PlaylistEncoding::Utf16LeWithMark:
    case PlaylistEncoding::Utf16LeWithoutMark:
        return decodeUtf16(line, false);
    case PlaylistEncoding::Utf16BeWithMark:
        return decodeUtf16(line, true);
    }
    return {};
}

// The encoding of a file that begins with `start`, whatever follows; nothing
// when what follows, or the size's parity, may still change it.
std::optional<PlaylistEncoding> encodingFromStart(QByteArrayView start) {
    if (start.startsWith(kUtf8Bom))
        return PlaylistEncoding::Utf8WithMark;
    // Shorter, it may still become a UTF-8 mark.
    if (start.size() < kUtf8Bom.size() || start.startsWith(kUtf16LeBom) ||
        start.startsWith(kUtf16BeBom))
        return std::nullopt;
    // No UTF-16 without a mark either: the first pair is not a character
    // followed by a NUL.
    const char first = start[0];
    if (start[1] != 0 || first == 0 || first == '\r' || first == '\n')
        return PlaylistEncoding::Plain;
    return std::nullopt;
}

} // namespace

void LineStream::add(QByteArrayView piece, const std::function<void(QString)>& line) {
    m_rest.append(piece);
    if (!m_encoding) {
        m_encoding = encodingFromStart(m_rest);
        if (!m_encoding)
            return;
        m_step = isUtf16(*m_encoding) ? 2 : 1;
        m_rest.remove(0, byteOrderMark(*m_encoding).size());
    }
    take(false, line);
}

void LineStream::finish(const std::function<void(QString)>& line) {
    if (!m_encoding) {
        m_encoding = playlistEncoding(m_rest);
        m_step = isUtf16(*m_encoding) ? 2 : 1;
        if (m_rest.startsWith(byteOrderMark(*m_encoding)))
            m_rest.remove(0, byteOrderMark(*m_encoding).size());
    }
    // A byte left over after the last whole UTF-16 unit is no character.
    m_rest.truncate(m_rest.size() - m_rest.size() % m_step);
    take(true, line);
    m_rest = QByteArray();
}

void LineStream::take(bool atEnd, const std::function<void(QString)>& line) {
    const QByteArrayView rest(m_rest);
    const auto* data = reinterpret_cast<const unsigned char*>(rest.data());
    // Whole units only: the last byte of a split UTF-16 unit waits.
    const qsizetype size = m_rest.size() - m_rest.size() % m_step;
    const bool bigEndian = m_encoding == PlaylistEncoding::Utf16BeWithMark;
    const auto unitAt = [&](qsizetype at) -> char16_t {
        if (m_step == 1)
            return data[at];
        return bigEndian ? char16_t((data[at] << 8) | data[at + 1])
                         : char16_t((data[at + 1] << 8) | data[at]);
    };
    // The next CR and the next LF in plain bytes, each searched for again
    // only once the line start has passed it: a file of one kind of line end
    // never scans a piece for the other more than once.
    qsizetype nextCr = -1;
    qsizetype nextLf = -1;
    const auto findNext = [&](qsizetype& found, char c, qsizetype from) {
        if (found < from) {
            const void* at = from < size
                                 ? std::memchr(data + from, c, static_cast<size_t>(size - from))
                                 : nullptr;
            found = at ? static_cast<const unsigned char*>(at) - data : size;
        }
    };
    qsizetype begin = 0;
    if (m_afterCr && size > 0) {
        m_afterCr = false;
        if (unitAt(0) == u'\n')
            begin = m_step;
    }
    for (;;) {
        qsizetype end = std::max(begin, m_searched);
        if (m_step == 1) {
            findNext(nextCr, '\r', end);
            findNext(nextLf, '\n', end);
            end = std::min(nextCr, nextLf);
        } else {
            while (end < size && unitAt(end) != u'\r' && unitAt(end) != u'\n')
                end += m_step;
        }
        if (end >= size) {
            if (atEnd && begin < size)
                line(decodeLine(rest.sliced(begin, size - begin), *m_encoding, m_windows));
            m_searched = atEnd ? 0 : size - begin;
            break;
        }
        line(decodeLine(rest.sliced(begin, end - begin), *m_encoding, m_windows));
        begin = end + m_step;
        if (unitAt(end) == u'\r') {
            if (begin < size)
                begin += unitAt(begin) == u'\n' ? m_step : 0;
            else
                m_afterCr = !atEnd;
        }
    }
    m_rest.remove(0, begin);
}

QByteArray markedWhereNeeded(QByteArray plain) {
    if (playlistEncoding(plain) != PlaylistEncoding::Plain)
        plain.prepend(kUtf8Bom);
    return plain;
}

QByteArray encodePlaylist(QStringView text, const PathRules& rules) {
    if (!rules.isWindows())
        return markedWhereNeeded(EscapedBytes::toBytes(text));
    // Code-page text that would read back as something else ("ï»¿" at the
    // start, "ÿþ", UTF-16 look-alikes) is kept whole as UTF-8 behind a mark.
    if (std::optional<QByteArray> ansi = encodeWindows1252(text);
        ansi && playlistEncoding(*ansi) == PlaylistEncoding::Plain)
        return *ansi;
    return kUtf8Bom + EscapedBytes::toBytes(text);
}

} // namespace TextCodec
