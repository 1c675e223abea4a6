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

LineReader::LineReader(QByteArrayView bytes, PlaylistEncoding encoding, const PathRules& rules)
    : m_bytes(bytes)
    , m_encoding(encoding)
    , m_windows(rules.isWindows())
    , m_step(isUtf16(encoding) ? 2 : 1) {
    if (const QByteArrayView mark = byteOrderMark(encoding); m_bytes.startsWith(mark))
        m_bytes = m_bytes.sliced(mark.size());
    // A byte left over after the last whole UTF-16 unit is no character.
    m_bytes.truncate(m_bytes.size() - m_bytes.size() % m_step);
}

char16_t LineReader::unitAt(qsizetype at) const {
    const auto* data = reinterpret_cast<const unsigned char*>(m_bytes.data());
    if (m_step == 1)
        return data[at];
    return m_encoding == PlaylistEncoding::Utf16BeWithMark
               ? char16_t((data[at] << 8) | data[at + 1])
               : char16_t((data[at + 1] << 8) | data[at]);
}

qsizetype LineReader::lineEnd(qsizetype from) const {
    const qsizetype size = m_bytes.size();
    if (m_step == 1) {
        // The next CR and the next LF, each searched for again only once the
        // line start has passed it: a file of one kind of line end never
        // scans to the end for the other more than once.
        const auto next = [&](qsizetype& found, char c) {
            if (found < from) {
                found = m_bytes.indexOf(c, from);
                if (found < 0)
                    found = size;
            }
        };
        next(m_nextCr, '\r');
        next(m_nextLf, '\n');
        return std::min(m_nextCr, m_nextLf);
    }
    qsizetype at = from;
    while (at < size && unitAt(at) != u'\r' && unitAt(at) != u'\n')
        at += m_step;
    return at;
}

bool LineReader::nextSpan(qsizetype& begin, qsizetype& end, qsizetype& after) const {
    const qsizetype size = m_bytes.size();
    if (m_at >= size)
        return false;
    begin = m_at;
    end = lineEnd(begin);
    after = end;
    if (end < size) {
        after += m_step;
        if (unitAt(end) == u'\r' && after < size && unitAt(after) == u'\n')
            after += m_step;
    }
    return true;
}

QString LineReader::decode(QByteArrayView line) const {
    switch (m_encoding) {
    case PlaylistEncoding::Plain:
        return m_windows ? decodeWindows1252(line) : decodeUtf8Lines(line);
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

std::optional<QString> LineReader::next() {
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype after = 0;
    if (!nextSpan(begin, end, after))
        return std::nullopt;
    m_at = after;
    return decode(m_bytes.sliced(begin, end - begin));
}

LineReader::Counts LineReader::countRest() const {
    LineReader rest = *this;
    Counts counts;
    qsizetype begin = 0;
    qsizetype end = 0;
    while (rest.nextSpan(begin, end, rest.m_at)) {
        ++counts.lines;
        // '#' is one byte in every byte encoding, and UTF-16 puts it in the
        // unit's low byte.
        const qsizetype low = m_encoding == PlaylistEncoding::Utf16BeWithMark ? 1 : 0;
        if (end > begin && m_bytes[begin + low] == '#' &&
            (m_step == 1 || m_bytes[begin + 1 - low] == 0))
            ++counts.hashLines;
    }
    return counts;
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
