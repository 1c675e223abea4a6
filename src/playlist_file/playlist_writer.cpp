#include "playlist_file/playlist_writer.h"

#include "platform/escaped_bytes.h"
#include "platform/text_codec.h"

#include <QStringEncoder>

#include <algorithm>
#include <cstring>

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr qsizetype kLineEndSize = 2;

// Where a line held an escape or a lone surrogate, the encoder below wrote
// U+FFFD; a real U+FFFD is rare enough to take the careful way too. Lines
// end in CR LF, so no character spans the end of a run of whole lines.
bool holdsReplacement(const char* at, const char* end) {
    while (end - at >= 3) {
        at = static_cast<const char*>(std::memchr(at, '\xEF', static_cast<size_t>(end - at - 2)));
        if (!at)
            return false;
        if (at[1] == '\xBF' && at[2] == '\xBD')
            return true;
        ++at;
    }
    return false;
}

// How much output is looked through for U+FFFD at a time: while it is
// still in the cache.
constexpr qsizetype kScanRun = 64 * 1024;

// UTF-8 straight from the lines, so a big playlist is not first copied into
// one long text and then converted. Each line is converted on its own: a
// lone surrogate at the end of one must not be held back and joined to the
// start of the next line (or dropped after the last one). Qt's encoder is
// fast but writes an escape as U+FFFD; a list that holds one is written again
// with its escapes as their bytes.
template <typename Lines> QByteArray utf8Lines(const Lines& lines) {
    QStringEncoder encoder(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    qsizetype room = 0;
    for (const QString& line : lines)
        room += encoder.requiredSpace(line.size()) + kLineEndSize;
    QByteArray bytes(room, Qt::Uninitialized);
    char* const begin = bytes.data();
    char* out = begin;
    const char* scanned = begin;
    bool replaced = false;
    for (const QString& line : lines) {
        out = encoder.appendToBuffer(out, line);
        out = std::copy_n(kLineEnd, kLineEndSize, out);
        if (out - scanned >= kScanRun) {
            replaced = holdsReplacement(scanned, out);
            if (replaced)
                break;
            scanned = out;
        }
    }
    if (!replaced && !holdsReplacement(scanned, out)) {
        bytes.truncate(out - begin);
        return bytes;
    }
    bytes.clear();
    bytes.reserve(room);
    for (const QString& line : lines) {
        EscapedBytes::appendBytes(bytes, line);
        bytes.append(kLineEnd, kLineEndSize);
    }
    return bytes;
}

// UTF-16 unit by unit, so whatever was read is written back as it was.
template <typename Lines> QByteArray utf16Lines(const Lines& lines, bool bigEndian) {
    qsizetype units = 0;
    for (const QString& line : lines)
        units += line.size() + kLineEndSize;
    QByteArray bytes(units * 2, Qt::Uninitialized);
    char* out = bytes.data();
    const auto put = [&](char16_t unit) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8);
        *out++ = bigEndian ? high : low;
        *out++ = bigEndian ? low : high;
    };
    for (const QString& line : lines) {
        for (const QChar c : line)
            put(c.unicode());
        put(u'\r');
        put(u'\n');
    }
    return bytes;
}

template <typename Lines> QString joinedLines(const Lines& lines) {
    const QLatin1StringView lineEnd(kLineEnd, kLineEndSize);
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + kLineEndSize;
    QString text;
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += lineEnd;
    }
    return text;
}

template <typename Lines>
QByteArray bytesOf(const Lines& lines, TextCodec::PlaylistEncoding encoding,
                   const PathRules& rules);

// The entries' texts as the lines to write, without copying them into a list.
struct EntryTexts {
    const QList<PlaylistEntry>& entries;

    struct Iterator {
        QList<PlaylistEntry>::const_iterator at;
        const QString& operator*() const { return at->text; }
        Iterator& operator++() {
            ++at;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return at != other.at; }
    };
    Iterator begin() const { return {entries.cbegin()}; }
    Iterator end() const { return {entries.cend()}; }
};

} // namespace

QByteArray playlistFileBytes(const PlaylistLines& playlist, const PathRules& rules) {
    // A list without directives is written straight from its entries.
    return playlistFileBytes(hasDirectives(playlist) ? playlistFileLines(playlist)
                                                     : playlist.entries,
                             playlist.encoding, rules);
}

QByteArray playlistFileBytes(const QStringList& lines, TextCodec::PlaylistEncoding encoding,
                             const PathRules& rules) {
    return bytesOf(lines, encoding, rules);
}

QByteArray playlistFileBytes(const QString& header, const QList<PlaylistEntry>& entries,
                             const QStringList& trailer, TextCodec::PlaylistEncoding encoding,
                             const PathRules& rules) {
    const bool plain = header.isEmpty() && trailer.isEmpty() &&
                       std::none_of(entries.cbegin(), entries.cend(),
                                    [](const PlaylistEntry& e) { return !e.directives.isEmpty(); });
    // A list without directives is written straight from its entries' texts.
    if (plain)
        return bytesOf(EntryTexts{entries}, encoding, rules);
    QStringList lines;
    lines.reserve(entries.size() + trailer.size() + 1);
    if (!header.isEmpty())
        lines.append(header);
    for (const PlaylistEntry& entry : entries) {
        lines.append(entry.directives);
        lines.append(entry.text);
    }
    lines.append(trailer);
    return bytesOf(lines, encoding, rules);
}

namespace {

template <typename Lines>
QByteArray bytesOf(const Lines& lines, TextCodec::PlaylistEncoding encoding,
                   const PathRules& rules) {
    using TextCodec::PlaylistEncoding;
    const QByteArrayView mark = TextCodec::byteOrderMark(encoding);
    if (TextCodec::isUtf16(encoding)) {
        QByteArray bytes = utf16Lines(lines, encoding == PlaylistEncoding::Utf16BeWithMark);
        // Without a mark the file is UTF-16 only while its first line says
        // so; when the entries' order puts another line first, the mark
        // keeps it UTF-16.
        if (encoding == PlaylistEncoding::Utf16LeWithoutMark && !bytes.isEmpty() &&
            TextCodec::playlistEncoding(bytes) != encoding)
            bytes.prepend(TextCodec::byteOrderMark(PlaylistEncoding::Utf16LeWithMark));
        return mark.toByteArray() + bytes;
    }
    if (encoding == PlaylistEncoding::Utf8WithMark)
        return mark.toByteArray() + utf8Lines(lines);
    // Under Windows rules the code page and its fallback are the codec's
    // business.
    if (rules.isWindows())
        return TextCodec::encodePlaylist(joinedLines(lines), rules);
    return TextCodec::markedWhereNeeded(utf8Lines(lines));
}

} // namespace
