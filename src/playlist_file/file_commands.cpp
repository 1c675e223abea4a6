#include "playlist_file/file_commands.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "playlist/playlist_document.h"
#include "playlist_file/playlist_reader.h"
#include "playlist_file/playlist_writer.h"

#include <QCoreApplication>

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(FileCommands)

public:
    static QString filter() {
        return tr("Playlists (*.m3u *.m3u8)|*.m3u;*.m3u8|All Files (*.*)|*.*");
    }
    static QString openTitle() { return tr("Open..."); }
    static QString saveAsTitle() { return tr("Save As..."); }
    static QString saveBeforeNew() { return tr("Save Current File First?"); }
    static QString saveBeforeOpen() { return tr("Save File First?"); }
    static QString rootWarning() {
        return tr("WARNING: Your playlist's path is not the same as your root folder. Continue?");
    }
    static QString overwrite() { return tr("Overwrite Existing File?"); }
    static QString changedElsewhere() {
        return tr("This playlist was changed by another program after it was opened. "
                  "Overwrite it?");
    }
    static QString cannotSave(const QString& path, const QString& reason) {
        return tr("The playlist \"%1\" cannot be saved.\n%2").arg(path, reason);
    }
};

enum class SaveOutcome {
    StoppedAtRootCheck, // nothing written
    Declined,           // the overwrite question was not answered Yes
    Written,
    Failed, // the file could not be written; the user was told why
};

// Entries relative to a root only read back with that root from a file in
// the root folder itself.
bool rootCheckPasses(const PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs) {
    const PathRules& rules = fs.rules();
    const QString& root = document.rootPath();
    if (root.isEmpty() ||
        rules.samePath(root, rules.withTrailingSeparator(fs.parentFolder(document.filePath()))))
        return true;
    return dialogs.ask(Texts::rootWarning(), MessageButtons::YesNoCancel, MessageAnswer::No) ==
           MessageAnswer::Yes;
}

bool overwriteAllowed(const PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs) {
    // Any file counts here, hidden ones included: the save replaces whatever
    // is there, so it must not replace a file the user was never asked about.
    if (document.isBoundToFile() || !fileExists(fs, document.filePath(), SearchMask::AllFiles))
        return true;
    return dialogs.ask(Texts::overwrite(), MessageButtons::YesNoCancel, MessageAnswer::No) ==
           MessageAnswer::Yes;
}

// A player or a script may have written the file since it was read or
// saved here; its change is not thrown away unasked. A file deleted since is
// simply written again.
bool externalChangeAllowed(const PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs) {
    if (!document.isBoundToFile() || !document.fileIdentity())
        return true;
    const std::optional<FileIdentity> now = fs.fileIdentity(document.filePath());
    if (!now || *now == *document.fileIdentity())
        return true;
    return dialogs.ask(Texts::changedElsewhere(), MessageButtons::YesNo, MessageAnswer::No) ==
           MessageAnswer::Yes;
}

bool writePlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs) {
    document.flushPendingEntries();
    const QByteArray bytes = playlistFileBytes(document.header(), document.allEntries(),
                                               document.trailer(), document.encoding(), fs.rules());
    QString error;
    if (!fs.writeFileAtomic(document.filePath(), bytes, &error)) {
        dialogs.warn(Texts::cannotSave(document.filePath(), error));
        return false;
    }
    document.markSaved(document.filePath(), fs.fileIdentity(document.filePath()));
    return true;
}

SaveOutcome save(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs) {
    if (!rootCheckPasses(document, fs, dialogs))
        return SaveOutcome::StoppedAtRootCheck;
    if (!overwriteAllowed(document, fs, dialogs) || !externalChangeAllowed(document, fs, dialogs))
        return SaveOutcome::Declined;
    return writePlaylist(document, fs, dialogs) ? SaveOutcome::Written : SaveOutcome::Failed;
}

// The question New and Open ask before they discard unsaved changes. False
// when the command must stop: the user cancelled, or asked for a save that
// failed (going on would throw away the only copy of the changes).
bool mayDiscardChanges(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                       const QString& question) {
    if (!document.isModified())
        return true;
    switch (dialogs.ask(question, MessageButtons::YesNoCancel, MessageAnswer::Yes)) {
    case MessageAnswer::Yes:
        return save(document, fs, dialogs) != SaveOutcome::Failed;
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

std::optional<QString> existingPlaylist(FileSystem& fs, const QString& path) {
    if (path.isEmpty() || !isOrdinaryFile(fs, path))
        return std::nullopt;
    return path;
}

} // namespace

QString untitledPlaylistPath(const QString& folder, const PathRules& rules) {
    return rules.withTrailingSeparator(folder) + QStringLiteral("untitled.m3u");
}

void newPlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                 const QString& browserFolder) {
    if (!mayDiscardChanges(document, fs, dialogs, Texts::saveBeforeNew()))
        return;
    document.startUntitled(untitledPlaylistPath(browserFolder, fs.rules()));
}

std::optional<QString> choosePlaylistToOpen(PlaylistDocument& document, FileSystem& fs,
                                            Dialogs& dialogs, const QString& browserFolder,
                                            QString& dialogFileName) {
    if (!mayDiscardChanges(document, fs, dialogs, Texts::saveBeforeOpen()))
        return std::nullopt;
    document.unbindFrom(document.filePath());
    const std::optional<QString> chosen =
        dialogs.openFile({Texts::openTitle(), Texts::filter(), browserFolder, dialogFileName});
    if (!chosen)
        return std::nullopt;
    dialogFileName = *chosen;
    return existingPlaylist(fs, *chosen);
}

std::optional<QString> confirmPlaylistToOpen(PlaylistDocument& document, FileSystem& fs,
                                             Dialogs& dialogs, const QString& path) {
    if (!mayDiscardChanges(document, fs, dialogs, Texts::saveBeforeOpen()))
        return std::nullopt;
    document.unbindFrom(document.filePath());
    return existingPlaylist(fs, path);
}

bool openPlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                  const QString& browserFolder, QString& dialogFileName) {
    const std::optional<QString> path =
        choosePlaylistToOpen(document, fs, dialogs, browserFolder, dialogFileName);
    return path && loadPlaylist(document, fs, dialogs, *path);
}

bool openPlaylistAt(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                    const QString& path) {
    const std::optional<QString> confirmed = confirmPlaylistToOpen(document, fs, dialogs, path);
    return confirmed && loadPlaylist(document, fs, dialogs, *confirmed);
}

bool savePlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs) {
    return save(document, fs, dialogs) == SaveOutcome::Written;
}

bool savePlaylistAs(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                    QString& dialogFileName) {
    // The dialog opens in the playlist's folder with its name filled in.
    dialogFileName = document.filePath();
    const std::optional<QString> chosen =
        dialogs.saveFile({Texts::saveAsTitle(), Texts::filter(), QString(), dialogFileName});
    if (!chosen)
        return false;
    dialogFileName = *chosen;
    if (chosen->isEmpty())
        return false;
    document.unbindFrom(*chosen);
    return save(document, fs, dialogs) == SaveOutcome::Written;
}
