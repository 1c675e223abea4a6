#include "playlist_file/playlist_writer.h"

#include "platform/text_codec.h"

#include <QStringEncoder>

#include <algorithm>

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr qsizetype kLineEndSize = 2;

// UTF-8 straight from the entries, so a big playlist is not first copied into
// one long text and then converted. Each entry is converted on its own: a
// lone surrogate at the end of one must not be held back and joined to the
// start of the next line (or dropped after the last one).
QByteArray utf8Lines(const QStringList& entries) {
    QStringEncoder encoder(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    qsizetype room = 0;
    for (const QString& entry : entries)
        room += encoder.requiredSpace(entry.size()) + kLineEndSize;
    QByteArray bytes(room, Qt::Uninitialized);
    char* const begin = bytes.data();
    char* out = begin;
    for (const QString& entry : entries) {
        out = encoder.appendToBuffer(out, entry);
        out = std::copy_n(kLineEnd, kLineEndSize, out);
    }
    bytes.truncate(out - begin);
    return bytes;
}

QString joinedLines(const QStringList& entries) {
    const QLatin1StringView lineEnd(kLineEnd, kLineEndSize);
    qsizetype size = 0;
    for (const QString& entry : entries)
        size += entry.size() + kLineEndSize;
    QString text;
    text.reserve(size);
    for (const QString& entry : entries) {
        text += entry;
        text += lineEnd;
    }
    return text;
}

} // namespace

QByteArray playlistFileBytes(const QStringList& entries, const PathRules& rules) {
    // Playlist text is UTF-8 under POSIX rules; the code page and its
    // fallback under Windows rules are the codec's business.
    if (!rules.isWindows())
        return utf8Lines(entries);
    return TextCodec::encodePlaylist(joinedLines(entries), rules);
}
