#include "playlist_file/playlist_reader.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "playlist/playlist_document.h"

#include <QCoreApplication>

#include <algorithm>

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

// Blank means spaces only: other white space is part of a name.
bool isBlank(QStringView line) {
    for (const QChar c : line)
        if (c != QLatin1Char(' '))
            return false;
    return true;
}

// Directive lines of extended playlists ("#EXTM3U", "#EXTINF:...") say
// nothing about where the entries live.
bool decidesRoot(QStringView line) {
    return !isBlank(line) && !line.startsWith(QLatin1Char('#'));
}

// The missing-files question, asked at most once per load.
enum class MissingFiles { NotAsked, Remove, Keep };

// True when the line, joined to the root path as it now stands, names an
// existing file. A name that cannot be a full path is not even searched for.
bool entryFileExists(FileSystem& fs, const QString& root, const QString& line) {
    const QString full = root + line;
    if (isBlank(full) || !fs.rules().mayBeFullPath(full))
        return false;
    return isOrdinaryFile(fs, full);
}

std::optional<QStringList> readPlaylistLines(FileSystem& fs, Dialogs& dialogs,
                                             const QString& path) {
    QString error;
    std::optional<QByteArray> bytes = fs.readFile(path, &error);
    if (!bytes) {
        dialogs.warn(Texts::cannotRead(path, error));
        return std::nullopt;
    }
    const QString text = TextCodec::decodePlaylist(*bytes, fs.rules());
    bytes.reset(); // a big list should not be held three times over
    return splitPlaylistLines(text);
}

} // namespace

QStringList splitPlaylistLines(QStringView text) {
    QStringList lines;
    const qsizetype size = text.size();
    qsizetype start = 0;
    // The next CR and the next LF at or after `start` (`size` when there is
    // none), each searched for again only once the line start has passed it.
    qsizetype cr = -1;
    qsizetype lf = -1;
    const auto findNext = [&](qsizetype& at, QChar c) {
        if (at < start) {
            at = text.indexOf(c, start);
            if (at < 0)
                at = size;
        }
    };
    while (start < size) {
        findNext(cr, QLatin1Char('\r'));
        findNext(lf, QLatin1Char('\n'));
        const qsizetype end = std::min(cr, lf);
        lines.append(text.sliced(start, end - start).toString());
        const bool crLf = end == cr && lf == end + 1 && lf < size;
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}

void loadPlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                  const QString& path) {
    document.setBoundToFile(true);
    document.setModified(false);

    const std::optional<QStringList> lines = readPlaylistLines(fs, dialogs, path);
    if (!lines) {
        // Nothing was read, so the name is not bound to the file: a later Save
        // asks before it overwrites the file the user could not open.
        document.setBoundToFile(false);
        return;
    }

    const PathRules& rules = fs.rules();
    bool rootDecided = false;
    MissingFiles missing = MissingFiles::NotAsked;
    // One merge for the whole file. The list is put in order before every
    // question, since the message boxes let the window repaint it.
    const PlaylistDocument::Batch batch(document);
    document.reserveEntries(lines->size());
    for (const QString& line : *lines) {
        if (!rootDecided && decidesRoot(line)) {
            rootDecided = true;
            if (rules.isFullPath(line)) {
                document.setRootPath(QString());
            } else {
                document.setRootPath(rules.withTrailingSeparator(fs.parentFolder(path)));
                document.flushPendingEntries();
                dialogs.inform(Texts::rootMessage(document.rootPath()));
            }
        }
        bool keep = missing == MissingFiles::Keep || entryFileExists(fs, document.rootPath(), line);
        if (!keep && missing == MissingFiles::NotAsked) {
            document.flushPendingEntries();
            const MessageAnswer answer =
                dialogs.ask(Texts::removeMissing(), MessageButtons::YesNo, MessageAnswer::Yes);
            missing = answer == MessageAnswer::Yes ? MissingFiles::Remove : MissingFiles::Keep;
            keep = missing == MissingFiles::Keep;
        }
        if (keep)
            document.insertEntry(line);
        else
            document.setModified(true);
    }
}

void openPlaylistFile(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                      const QString& path) {
    document.setFilePath(path);
    document.clearEntries();
    loadPlaylist(document, fs, dialogs, path);
}
