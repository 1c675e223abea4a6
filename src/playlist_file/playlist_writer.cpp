#include "playlist_file/playlist_writer.h"

#include "platform/text_codec.h"

#include <QStringEncoder>

#include <algorithm>

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr qsizetype kLineEndSize = 2;

// UTF-8 straight from the lines, so a big playlist is not first copied into
// one long text and then converted. Each line is converted on its own: a
// lone surrogate at the end of one must not be held back and joined to the
// start of the next line (or dropped after the last one).
QByteArray utf8Lines(const QStringList& lines) {
    QStringEncoder encoder(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    qsizetype room = 0;
    for (const QString& line : lines)
        room += encoder.requiredSpace(line.size()) + kLineEndSize;
    QByteArray bytes(room, Qt::Uninitialized);
    char* const begin = bytes.data();
    char* out = begin;
    for (const QString& line : lines) {
        out = encoder.appendToBuffer(out, line);
        out = std::copy_n(kLineEnd, kLineEndSize, out);
    }
    bytes.truncate(out - begin);
    return bytes;
}

QString joinedLines(const QStringList& lines) {
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

} // namespace

QByteArray playlistFileBytes(const PlaylistLines& playlist, const PathRules& rules) {
    // A list without directives is written straight from its entries.
    const QStringList lines =
        hasDirectives(playlist) ? playlistFileLines(playlist) : playlist.entries;
    // Playlist text is UTF-8 under POSIX rules; the code page and its
    // fallback under Windows rules are the codec's business.
    if (rules.isWindows())
        return TextCodec::encodePlaylist(joinedLines(lines), rules);
    return TextCodec::keepingLeadingMark(utf8Lines(lines));
}
