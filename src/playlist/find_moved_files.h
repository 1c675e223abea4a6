#pragma once

#include "playlist/folder_walk.h"
#include "playlist/missing_entries_work.h"
#include "playlist/moved_files.h"
#include "playlist/playlist_model.h"
#include "playlist/unstorable_names.h"

#include <functional>
#include <memory>
#include <optional>

// "Find Moved Files...": looks at every entry again, lists every file below
// `folder` once, and finds for each missing entry the file of the same name
// that shares the longest tail of folder names with its old path. One box
// lists what was found, what is ambiguous, what was not found, what lies
// outside the root path and what is in the playlist already, and asks
// "Update N Entries?"; Yes gives each found entry its new path, relative to
// the root as an add writes it, with its directive lines, as one step.
class FindMovedFiles final : public MissingEntriesWork {
    Q_OBJECT

public:
    FindMovedFiles(PlaylistDocument& document, FileSystem& fs, Dialogs& dialogs, QString folder,
                   AsOneStep asOneStep = {}, QObject* parent = nullptr);
    ~FindMovedFiles() override;

    // At most this many lines of each kind are listed.
    static constexpr int kMostListed = 1000;

private:
    struct Move {
        qsizetype row = 0; // in the entries looked at
        QString oldPath;   // the entry's text when it names no local file
        bool hasPath = false;
        MovedFile found;
        // Found: the entry the file makes under the root, none outside it,
        // and whether the playlist holds that entry already.
        std::optional<QString> entry;
        bool listed = false;
    };

    struct Section;
    struct Plan;

    void work() override;
    void conclude() override;
    QString listingText(qint64 found) const override;
    // Works out the entry a found move makes for the playlist's `root` and
    // whether the playlist holds it already (`inPlaylist`).
    void judge(Move& move, const QString& root,
               const std::function<bool(const QString&)>& inPlaylist) const;
    // Sorts the judged moves into what is updated and what is only listed.
    Plan makePlan() const;

    const QString m_folder;
    std::vector<Move> m_moves;
    SkippedFolders m_skipped;
    UnstorableNames m_unstorable;
    qsizetype m_fileCount = 0; // files listed
    std::unique_ptr<Plan> m_plan;
    // What Yes makes of the entries looked at, made along with the plan.
    RewrittenEntries m_rewritten;
};
