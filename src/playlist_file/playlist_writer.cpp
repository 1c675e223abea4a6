#include "playlist_file/playlist_writer.h"

#include "platform/text_codec.h"

QByteArray playlistFileBytes(const QStringList& entries, const PathRules& rules) {
    static const QString lineEnd = QStringLiteral("\r\n");
    qsizetype size = 0;
    for (const QString& entry : entries)
        size += entry.size() + lineEnd.size();
    QString text;
    text.reserve(size);
    for (const QString& entry : entries) {
        text += entry;
        text += lineEnd;
    }
    return TextCodec::encodePlaylist(text, rules);
}
