#pragma once

#include "platform/text_codec.h"
#include "playlist/playlist_edit.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>

// The lines of a playlist file as the program keeps them. Extended playlists
// put directive lines ('#' first) between their entries: "#EXTM3U" as the
// first line, "#EXTINF:<seconds>,<title>" and the like above an entry. A run
// of directive lines belongs to the entry line directly below it and travels
// with it; a run with no entry below it ends the file.
struct PlaylistLines {
    // The first line when it begins with "#EXTM3U", else empty.
    QString header;
    QStringList entries;
    // Row for row with entries: the directive lines directly above each.
    QList<QStringList> directives;
    // The directive lines after the last entry.
    QStringList trailer;
    // How the file stores its text; a save writes it the same way.
    TextCodec::PlaylistEncoding encoding = TextCodec::PlaylistEncoding::Plain;

    bool operator==(const PlaylistLines&) const = default;
};

// A directive: a line whose first character is '#'.
bool isDirective(QStringView line);
// Blank means spaces only: other white space is part of a name.
bool isBlankLine(QStringView line);

// Splits playlist text into its lines. A line ends at CR LF, at a lone CR or
// at a lone LF, so lists written on any system read line by line. Text after
// the last line end is the last line; text that ends with a line end has no
// empty line after it. Lines are kept exactly as they stand.
QStringList splitPlaylistLines(QStringView text);

// Sorts a file's lines, in file order, into header, entries with their
// directives, and trailer. Every line lands in exactly one of them.
PlaylistLines groupPlaylistLines(QStringList lines);
inline PlaylistLines parsePlaylistText(QStringView text) {
    return groupPlaylistLines(splitPlaylistLines(text));
}

// A playlist file as the document takes it in: the same grouping, each entry
// already carrying its directive lines.
struct PlaylistContent {
    QString header;
    QList<PlaylistEntry> entries;
    QStringList trailer;
    TextCodec::PlaylistEncoding encoding = TextCodec::PlaylistEncoding::Plain;
};
// Reads a playlist file as parsePlaylistText() reads its decoded text, from
// pieces of its bytes as they come, decoding one line at a time: a big list
// is never held as its bytes, as one text and as its lines at once.
class PlaylistContentReader {
public:
    explicit PlaylistContentReader(const PathRules& rules)
        : m_lines(rules) {}
    void add(QByteArrayView piece);
    // The content, once the last piece has come.
    PlaylistContent finish();

private:
    void take(QString line);

    TextCodec::LineStream m_lines;
    PlaylistContent m_content;
    // The directive lines waiting for the entry below them.
    QStringList m_run;
    bool m_firstLine = true;
};

// The same for bytes held whole. `keepGoing` is asked before each 64 KB piece;
// nothing when it said no.
std::optional<PlaylistContent> readPlaylistContent(QByteArrayView bytes, const PathRules& rules,
                                                   const std::function<bool()>& keepGoing = {});

// The lines to write, in order: the header, each entry's directives followed
// by the entry, the trailer.
QStringList playlistFileLines(const PlaylistLines& playlist);
// True when there is more to write than the entries.
bool hasDirectives(const PlaylistLines& playlist);

// The entry that decides the root path of a playlist being read: the first
// that is neither blank nor a URL (a URL tells nothing about where the
// relative entries live). -1 when none does.
qsizetype rootDecidingEntry(const QStringList& entries);
qsizetype rootDecidingEntry(const QList<PlaylistEntry>& entries);
