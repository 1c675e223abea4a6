#include "playlist_file/playlist_reader.h"

#include "platform/dialogs.h"
#include "platform/entry_lookup.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "playlist/playlist_document.h"

#include <QCoreApplication>

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(PlaylistReader)

public:
    static QString rootMessage(const QString& root) {
        return tr("The first item in this list does not contain a full path. Assuming Root Path "
                  "is \"%1\"")
            .arg(root);
    }
    static QString removeMissing() { return tr("Remove Files That No Longer Exist?"); }
    static QString cannotRead(const QString& path, const QString& reason) {
        return tr("The playlist \"%1\" cannot be read.\n%2").arg(path, reason);
    }
};

// The missing-files question, asked at most once per load.
enum class MissingFiles { NotAsked, Remove, Keep };

std::optional<PlaylistLines> readPlaylistLines(FileSystem& fs, QString* error,
                                               const QString& path) {
    std::optional<QByteArray> bytes = fs.readFile(path, error);
    if (!bytes)
        return std::nullopt;
    const TextCodec::PlaylistEncoding encoding = TextCodec::playlistEncoding(*bytes);
    const QString text = TextCodec::decodePlaylist(*bytes, encoding, fs.rules());
    bytes.reset(); // a big list should not be held three times over
    PlaylistLines lines = parsePlaylistText(text);
    lines.encoding = encoding;
    return lines;
}

} // namespace

void loadPlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                  const QString& path) {
    // Taken before the read: a change made meanwhile is asked about at Save.
    const std::optional<FileIdentity> identity = fs.fileIdentity(path);
    QString error;
    std::optional<PlaylistLines> read = readPlaylistLines(fs, &error, path);
    if (!read) {
        // Nothing was read, so the name is not bound to the file: a later Save
        // asks before it overwrites the file the user could not open. The
        // old entries went when the user chose to open another list.
        document.startUntitled(path);
        dialogs.warn(Texts::cannotRead(path, error));
        return;
    }
    const std::optional<PlaylistLines>& playlist = read;
    document.loadFrom(path, playlist->header, playlist->trailer, playlist->encoding, identity);

    const PathRules& rules = fs.rules();
    const QStringList& entries = playlist->entries;
    const qsizetype decidesRoot = rootDecidingEntry(entries);
    MissingFiles missing = MissingFiles::NotAsked;
    // One merge for the whole file; the batch puts the list in order before
    // every question, since the message boxes let the window repaint it.
    const PlaylistDocument::Batch batch(document, &dialogs);
    document.reserveEntries(entries.size());
    for (qsizetype row = 0; row < entries.size(); ++row) {
        const QString& entry = entries[row];
        if (row == decidesRoot) {
            if (rules.isFullPath(entry)) {
                document.setRootPath(QString());
            } else {
                document.setRootPath(rules.withTrailingSeparator(fs.parentFolder(path)));
                dialogs.inform(Texts::rootMessage(document.rootPath()));
            }
        }
        // Every entry is looked up, also once the answer keeps them all: a
        // kept entry whose file is missing is shown so.
        const bool present = entryIsPresent(fs, document.rootPath(), entry);
        bool keep = missing == MissingFiles::Keep || present;
        if (!keep && missing == MissingFiles::NotAsked) {
            const MessageAnswer answer =
                dialogs.ask(Texts::removeMissing(), MessageButtons::YesNo, MessageAnswer::Yes);
            missing = answer == MessageAnswer::Yes ? MissingFiles::Remove : MissingFiles::Keep;
            keep = missing == MissingFiles::Keep;
        }
        if (keep)
            document.insertEntry(entry, playlist->directives[row], !present);
        else
            document.markModifiedWithoutChange();
    }
}

void openPlaylistFile(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                      const QString& path) {
    loadPlaylist(document, fs, dialogs, path);
}
