#include "playlist/add_commands.h"

#include "platform/dialogs.h"
#include "playlist/playlist_document.h"
#include "playlist/unstorable_names.h"

#include <QCoreApplication>

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(AddCommands)

public:
    static QString notInRoot() { return tr("File is not in Root Path"); }
};

// Replaces every pair of separators by one, left to right without overlap
// (four become two). A network path (\\server\share, //server/share) keeps
// its leading pair, which names the server.
QString collapseDoubledSeparators(const QString& path, QChar sep) {
    QString result;
    result.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        result.append(path.at(i));
        if (path.at(i) == sep && i + 1 < path.size() && path.at(i + 1) == sep)
            ++i;
    }
    const auto startsWithPair = [sep](const QString& text) {
        return text.size() >= 2 && text.at(0) == sep && text.at(1) == sep;
    };
    if (startsWithPair(path) && !startsWithPair(result))
        result.prepend(sep);
    return result;
}

} // namespace

PlaylistDocument::AddResult addFileToPlaylist(PlaylistDocument& document, Dialogs& dialogs,
                                              const QString& path) {
    const PlaylistDocument::AddResult result = document.addFile(path);
    if (result == PlaylistDocument::AddResult::OutsideRoot)
        dialogs.warn(Texts::notInRoot());
    return result;
}

void addSelectedFiles(PlaylistDocument& document, Dialogs& dialogs, const QString& folder,
                      const QStringList& selectedNames) {
    const PathRules& rules = document.rules();
    const QString prefix = rules.withTrailingSeparator(folder);
    UnstorableNames skipped;
    bool added = false;
    {
        const PlaylistDocument::Batch batch(document, &dialogs);
        for (const QString& name : selectedNames) {
            const QString path = rules.withoutPadding(prefix + name);
            if (!skipped.skip(path, rules))
                added = addFileToPlaylist(document, dialogs, path) ==
                            PlaylistDocument::AddResult::Added ||
                        added;
        }
    }
    // Selecting files counts as a change even when none of them was added.
    if (!added && !selectedNames.isEmpty())
        document.markModifiedWithoutChange();
    skipped.report(dialogs);
}

void addDroppedPaths(PlaylistDocument& document, Dialogs& dialogs,
                     const std::optional<QStringList>& droppedPaths) {
    UnstorableNames skipped;
    bool added = false;
    if (droppedPaths) {
        const PathRules& rules = document.rules();
        const PlaylistDocument::Batch batch(document, &dialogs);
        for (const QString& dropped : *droppedPaths) {
            const QString path =
                rules.withoutPadding(collapseDoubledSeparators(dropped, rules.separator()));
            if (!skipped.skip(path, rules))
                added = addFileToPlaylist(document, dialogs, path) ==
                            PlaylistDocument::AddResult::Added ||
                        added;
        }
    }
    // Every drop counts as a change, also one that added nothing.
    if (!added)
        document.markModifiedWithoutChange();
    skipped.report(dialogs);
}

void removeEntries(PlaylistDocument& document, const QList<int>& rows) {
    const int before = document.count();
    document.removeRows(rows);
    // Remove counts as a change also when no row went.
    if (document.count() == before)
        document.markModifiedWithoutChange();
}
