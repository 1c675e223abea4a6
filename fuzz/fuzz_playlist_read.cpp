// Reads arbitrary bytes as a playlist file under both rule sets: decoding,
// the line split, the grouping of directives with their entries and the
// root decision. Checks that every line lands exactly once where it belongs,
// that what is written reads back the same, and that the playlist's order
// keeps each entry with its own directives.
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const PathRules& rules : {PathRules::posix(), PathRules::windows()}) {
        const QStringList lines = splitPlaylistLines(TextCodec::decodePlaylist(input, rules));
        const PlaylistLines playlist = groupPlaylistLines(lines);
        checkGrouping(lines, playlist);
        checkRootDecision(playlist.entries);

        const QByteArray written = playlistFileBytes(playlist, rules);
        require(written.isEmpty() == lines.isEmpty(), "no lines, no bytes");
        require(parsePlaylistText(TextCodec::decodePlaylist(written, rules)) == playlist,
                "written and read back, the same entries with the same directives");
        checkPlaylistOrder(playlist, rules);
    }
    return 0;
}
