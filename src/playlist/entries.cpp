#include "playlist/entries.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "playlist/form_state.h"

void AddFileToList(CommandContext& ctx, const QString& sFile) {
    PlaylistModel& playlist = ctx.state.playlist;
    const QString root = playlist.rootPath();
    QString entry = sFile;
    if (!root.isEmpty()) {
        if (!playlist.rules().startsWithPath(sFile, root)) {
            // The box lets the window repaint: show the list in order.
            playlist.flushPending();
            ctx.dialogs.warn(QStringLiteral("File is not in Root Path"));
            return;
        }
        entry = sFile.mid(root.size());
    }
    if (playlist.contains(entry))
        return;
    playlist.insertSorted(entry);
    ctx.state.bUnsaved = true;
}

QString sAddSlash(const QString& sPath, const PathRules& rules) {
    qsizetype end = sPath.size();
    while (end > 0 && sPath.at(end - 1) == QLatin1Char(' '))
        --end;
    QString result = sPath.left(end);
    if (!result.endsWith(rules.separator()))
        result += rules.separator();
    return result;
}

bool bFileExists(FileSystem& fs, const QString& sFileName) {
    const auto search = fs.search(sFileName, SearchMask::Normal);
    if (!search)
        return false;
    const std::optional<QString> first = search->next();
    return first.has_value() && !first->isEmpty();
}
