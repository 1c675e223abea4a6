#include "playlist_file/command_line.h"

#include "platform/file_system.h"
#include "playlist/playlist_document.h"
#include "playlist_file/playlist_reader.h"

#include <algorithm>
#include <iterator>

namespace {

// Spaces only: a tab or a line end may belong to a name.
QString trimSpaces(const QString& text) {
    const auto notSpace = [](QChar c) { return c != QLatin1Char(' '); };
    const auto begin = std::find_if(text.cbegin(), text.cend(), notSpace);
    const auto end =
        std::find_if(text.crbegin(), std::make_reverse_iterator(begin), notSpace).base();
    return QString(begin, end - begin);
}

// A relative name typed in a terminal ("mix.m3u", "Lists/mix.m3u") is taken
// in the start-up folder. Left relative, its folder would give a root path
// that is no full path, and every relative entry of the list would count as
// a missing file.
QString fullCandidatePath(FileSystem& fs, const QString& candidate) {
    const PathRules& rules = fs.rules();
    if (rules.mayBeFullPath(candidate) || candidate.startsWith(rules.separator()))
        return candidate;
    return fs.buildPath(fs.currentFolder(), candidate);
}

} // namespace

QString commandLineCandidate(const QStringList& arguments) {
    QString text = arguments.join(QLatin1Char(' '));
    text.remove(QLatin1Char('"'));
    return trimSpaces(text);
}

std::optional<QString> commandLinePlaylist(FileSystem& fs, const QString& candidate) {
    // A folder is no playlist, also when named with its trailing separator
    // ("~/Music/"), which the file test would take as "any file in it".
    if (candidate.isEmpty() || candidate.endsWith(fs.rules().separator()))
        return std::nullopt;
    const QString path = fullCandidatePath(fs, candidate);
    if (!isOrdinaryFile(fs, path))
        return std::nullopt;
    return path;
}

bool openCommandLinePlaylist(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs,
                             const QString& candidate) {
    const std::optional<QString> path = commandLinePlaylist(fs, candidate);
    return path && loadPlaylist(document, fs, dialogs, *path);
}
