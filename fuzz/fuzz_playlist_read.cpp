// Reads arbitrary bytes as a playlist file under both rule sets: decoding,
// the line split, the grouping of directives with their entries and the
// root decision. Checks that every line lands exactly once where it belongs,
// that what is written reads back the same and keeps the bytes it read, and
// that the playlist's order keeps each entry with its own directives, and
// that the line-by-line reader of a load gives what the whole text gives.
#include "fuzz_check.h"
#include "platform/entry_lookup.h"
#include "platform/text_codec.h"
#include "playlist/playlist_document.h"
#include "playlist_file/playlist_format.h"
#include "playlist_file/playlist_writer.h"

#include <QByteArrayView>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>

namespace {

void checkGrouping(const QStringList& lines, const PlaylistLines& playlist) {
    require(playlistFileLines(playlist) == lines, "every line once, in file order");
    require(playlist.directives.size() == playlist.entries.size(), "directives row for row");
    require(playlist.header.isEmpty() ||
                (playlist.header == lines.first() && playlist.header.startsWith(u"#EXTM3U")),
            "the header is the #EXTM3U first line");
    for (const QStringList& run : playlist.directives)
        for (const QString& line : run)
            require(isDirective(line), "directives begin with #");
    for (const QString& line : playlist.trailer)
        require(isDirective(line), "the trailer is directives");
    for (const QString& entry : playlist.entries)
        require(!isDirective(entry), "no entry begins with #");
}

// The load decodes one line at a time, without the text of the whole file.
// It takes the file in pieces, which may split a character, a UTF-16 unit
// or a CR LF pair anywhere.
void checkReadLineByLine(QByteArrayView input, const PathRules& rules,
                         const PlaylistLines& playlist) {
    PlaylistContentReader reader(rules);
    const qsizetype pieceSize = 1 + input.size() % 7;
    for (qsizetype at = 0; at < input.size(); at += pieceSize)
        reader.add(input.sliced(at, std::min(pieceSize, input.size() - at)));
    const std::optional<PlaylistContent> content = reader.finish();
    require(readPlaylistContent(input, rules).has_value(), "read to the end");
    require(content->encoding == playlist.encoding && content->header == playlist.header &&
                content->trailer == playlist.trailer,
            "line by line: the same encoding, header and trailer");
    require(content->entries.size() == playlist.entries.size(), "line by line: the same entries");
    for (qsizetype row = 0; row < playlist.entries.size(); ++row)
        require(content->entries[row].text == playlist.entries[row] &&
                    content->entries[row].directives == playlist.directives[row],
                "line by line: each entry with its directives");
}

void checkRootDecision(const QStringList& entries) {
    const qsizetype decides = rootDecidingEntry(entries);
    const qsizetype end = decides < 0 ? entries.size() : decides;
    for (qsizetype row = 0; row < end; ++row)
        require(isBlankLine(entries[row]) || isUrlEntry(entries[row]),
                "entries before the deciding one are blank or URLs");
    if (decides >= 0)
        require(!isBlankLine(entries[decides]) && !isUrlEntry(entries[decides]),
                "the deciding entry is a path");
}

// The playlist sorts its entries; each must keep its own directives, and
// entries equal in order keep their file order.
void checkPlaylistOrder(const PlaylistLines& playlist, const PathRules& rules) {
    QList<qsizetype> order(playlist.entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return PathRules::lessForPlaylist(playlist.entries[a], playlist.entries[b]);
    });
    PlaylistDocument document(rules);
    {
        const PlaylistDocument::Batch batch(document);
        for (qsizetype row = 0; row < playlist.entries.size(); ++row)
            document.insertEntry(playlist.entries[row], playlist.directives[row]);
    }
    require(document.count() == playlist.entries.size(), "every entry in the playlist");
    for (qsizetype at = 0; at < order.size(); ++at) {
        const int row = static_cast<int>(at);
        require(document.entry(row) == playlist.entries[order[at]], "entries in playlist order");
        require(document.directives(row) == playlist.directives[order[at]],
                "each entry with its own directives");
    }
}

// The input as a save should write it back: every line end (CR LF, a lone
// CR, a lone LF) made CR LF and the last line ended too; the mark and every
// other unit as they were.
QByteArray withCrLf(QByteArrayView input, TextCodec::PlaylistEncoding encoding) {
    const QByteArrayView mark = TextCodec::byteOrderMark(encoding);
    const bool wide = TextCodec::isUtf16(encoding);
    const bool bigEndian = encoding == TextCodec::PlaylistEncoding::Utf16BeWithMark;
    const qsizetype step = wide ? 2 : 1;
    const auto unitAt = [&](qsizetype at) -> unsigned {
        const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(input[i]); };
        if (!wide)
            return byte(at);
        return bigEndian ? (byte(at) << 8) | byte(at + 1) : (byte(at + 1) << 8) | byte(at);
    };
    const auto put = [&](QByteArray& out, unsigned unit) {
        if (!wide)
            out.append(static_cast<char>(unit));
        else if (bigEndian)
            out.append(static_cast<char>(unit >> 8)).append(static_cast<char>(unit & 0xFF));
        else
            out.append(static_cast<char>(unit & 0xFF)).append(static_cast<char>(unit >> 8));
    };
    QByteArray out = mark.toByteArray();
    bool ended = true;
    for (qsizetype at = mark.size(); at + step <= input.size(); at += step) {
        const unsigned unit = unitAt(at);
        ended = unit == '\r' || unit == '\n';
        if (!ended) {
            put(out, unit);
            continue;
        }
        put(out, '\r');
        put(out, '\n');
        if (unit == '\r' && at + 2 * step <= input.size() && unitAt(at + step) == '\n')
            at += step;
    }
    if (!ended) {
        put(out, '\r');
        put(out, '\n');
    }
    return out;
}

// Read, then written without a change: the same bytes, line ends aside. The
// one exception is a mark the writer puts in front of bytes that would
// otherwise read back as another encoding (plain bytes that now begin like
// UTF-16, UTF-16 whose first line no longer shows it); with Windows rules the
// text then goes as UTF-8, so only the lines are compared.
void checkBytesKept(QByteArrayView input, const QByteArray& written,
                    TextCodec::PlaylistEncoding encoding, const PathRules& rules) {
    using TextCodec::PlaylistEncoding;
    const QByteArray expected = withCrLf(input, encoding);
    if (written == expected)
        return;
    if (encoding == PlaylistEncoding::Plain) {
        require(TextCodec::playlistEncoding(expected) != PlaylistEncoding::Plain,
                "plain bytes change only when they would read back otherwise");
        require(TextCodec::playlistEncoding(written) == PlaylistEncoding::Utf8WithMark,
                "behind a UTF-8 mark");
        require(rules.isWindows() || written.sliced(3) == expected, "the bytes kept behind it");
        return;
    }
    require(encoding == PlaylistEncoding::Utf16LeWithoutMark &&
                TextCodec::playlistEncoding(expected) != encoding && written.sliced(2) == expected,
            "the same bytes, line ends aside");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const TextCodec::PlaylistEncoding encoding = TextCodec::playlistEncoding(input);
    for (const PathRules& rules : {PathRules::posix(), PathRules::windows()}) {
        const QStringList lines =
            splitPlaylistLines(TextCodec::decodePlaylist(input, encoding, rules));
        PlaylistLines playlist = groupPlaylistLines(lines);
        playlist.encoding = encoding;
        checkGrouping(lines, playlist);
        checkRootDecision(playlist.entries);
        checkReadLineByLine(input, rules, playlist);

        const QByteArray written = playlistFileBytes(playlist, rules);
        require(lines.isEmpty() == (written == TextCodec::byteOrderMark(encoding)),
                "no lines, no bytes but the mark");
        PlaylistLines readBack = parsePlaylistText(TextCodec::decodePlaylist(written, rules));
        readBack.encoding = encoding;
        require(readBack == playlist, "written and read back, the same entries with the same "
                                      "directives");
        checkBytesKept(input, written, encoding, rules);
        checkPlaylistOrder(playlist, rules);
    }
    return 0;
}
