#include "playlist_file/recovery_copy.h"

#include "platform/text_codec.h"
#include "playlist/playlist_document.h"
#include "playlist_file/playlist_format.h"
#include "playlist_file/playlist_writer.h"

#include <QList>

namespace {

constexpr QByteArrayView kMagic = "Songbinder recovery 1";

QByteArray field(QByteArrayView name, const QByteArray& value) {
    return name.toByteArray() + ' ' + value + '\n';
}

QByteArray encoded(const QString& text) {
    return text.toUtf8().toPercentEncoding();
}

QString decoded(const QByteArray& text) {
    return QString::fromUtf8(QByteArray::fromPercentEncoding(text));
}

std::optional<FileIdentity> identityFrom(const QList<QByteArray>& words) {
    if (words.size() != 4)
        return std::nullopt;
    bool ok[4] = {};
    FileIdentity identity{words[0].toULongLong(&ok[0]), words[1].toULongLong(&ok[1]),
                          words[2].toLongLong(&ok[2]), words[3].toLongLong(&ok[3])};
    if (!(ok[0] && ok[1] && ok[2] && ok[3]))
        return std::nullopt;
    return identity;
}

} // namespace

RecoverySnapshot takeRecoverySnapshot(const PlaylistDocument& document) {
    return {document.header(),        document.allEntries(),  document.trailer(),
            document.encoding(),      document.rootPath(),    document.filePath(),
            document.isBoundToFile(), document.fileIdentity()};
}

QByteArray recoveryBytes(const RecoverySnapshot& snapshot, const PathRules& rules) {
    QByteArray head = kMagic.toByteArray() + '\n';
    head += field("file", encoded(snapshot.filePath));
    head += field("root", encoded(snapshot.rootPath));
    head += field("bound", snapshot.boundToFile ? "1" : "0");
    if (const std::optional<FileIdentity>& id = snapshot.fileIdentity)
        head += field("identity",
                      QByteArray::number(id->device) + ' ' + QByteArray::number(id->inode) + ' ' +
                          QByteArray::number(id->size) + ' ' + QByteArray::number(id->modifiedNs));
    // The playlist itself through the very function Save uses, so the copy
    // holds the lines exactly as the file would.
    return head + '\n' +
           playlistFileBytes(snapshot.header, snapshot.entries, snapshot.trailer, snapshot.encoding,
                             rules);
}

std::optional<RecoverySnapshot> parseRecoveryBytes(const QByteArray& bytes,
                                                   const PathRules& rules) {
    const qsizetype end = bytes.indexOf("\n\n");
    if (end < 0 || !bytes.startsWith(kMagic.toByteArray() + '\n'))
        return std::nullopt;
    RecoverySnapshot snapshot;
    bool hasFile = false;
    const QList<QByteArray> lines = bytes.left(end).split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        const qsizetype space = line.indexOf(' ');
        const QByteArray name = line.left(space);
        const QByteArray value = space < 0 ? QByteArray() : line.mid(space + 1);
        if (name == "file") {
            snapshot.filePath = decoded(value);
            hasFile = !snapshot.filePath.isEmpty();
        } else if (name == "root") {
            snapshot.rootPath = decoded(value);
        } else if (name == "bound") {
            snapshot.boundToFile = value == "1";
        } else if (name == "identity") {
            snapshot.fileIdentity = identityFrom(value.split(' '));
        }
    }
    if (!hasFile)
        return std::nullopt;
    // Read back as the playlist reader reads a file, encoding and all.
    const QByteArray playlist = bytes.mid(end + 2);
    const TextCodec::PlaylistEncoding encoding = TextCodec::playlistEncoding(playlist);
    const PlaylistLines read =
        parsePlaylistText(TextCodec::decodePlaylist(playlist, encoding, rules));
    snapshot.header = read.header;
    snapshot.trailer = read.trailer;
    snapshot.encoding = encoding;
    snapshot.entries.reserve(read.entries.size());
    for (qsizetype row = 0; row < read.entries.size(); ++row)
        snapshot.entries.append({read.entries[row], read.directives[row]});
    return snapshot;
}

void restoreRecoverySnapshot(PlaylistDocument& document, const RecoverySnapshot& snapshot) {
    // Read back like the playlist file it stands for, then modified: it
    // holds edits that file has not.
    document.loadFrom(snapshot.filePath, snapshot.header, snapshot.trailer, snapshot.encoding,
                      snapshot.fileIdentity);
    document.setRootPath(snapshot.rootPath);
    {
        const PlaylistDocument::Batch batch(document);
        document.reserveEntries(snapshot.entries.size());
        for (const PlaylistEntry& entry : snapshot.entries)
            document.insertEntry(entry.text, entry.directives);
    }
    if (!snapshot.boundToFile)
        document.unbindFrom(snapshot.filePath);
    document.markModifiedWithoutChange();
}
