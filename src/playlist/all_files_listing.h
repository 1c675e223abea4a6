#pragma once

#include "playlist/folder_walk.h"
#include "playlist/unstorable_names.h"

#include <QSet>
#include <QString>

#include <functional>

class FileSystem;

// Every file below a folder, whatever its name or kind (hidden and system
// files too), each once. Links to folders are followed as Add Entire Dir
// follows them: a folder reached again, by a link or a second path, is not
// listed again. Folders that cannot be read are recorded and skipped; files
// and folders whose names are not UTF-8 are skipped and counted, as Add
// Entire Dir skips them. The order is the file system's.
//
// It only reads the file system, so it may run on any thread.
class AllFilesListing {
public:
    // A file: its folder (one string shared by the folder's files) and its
    // name. False stops the listing.
    using Found = std::function<bool(const QString& folder, const QString& name)>;
    // Asked before each folder is read. False stops the listing.
    using GoOn = std::function<bool()>;

    explicit AllFilesListing(FileSystem& fs)
        : m_fs(fs) {}

    // False when it was stopped.
    bool run(const QString& folder, const Found& found, const GoOn& goOn = {});
    const SkippedFolders& skipped() const { return m_skipped; }
    const UnstorableNames& unstorable() const { return m_unstorable; }

private:
    FileSystem& m_fs;
    SkippedFolders m_skipped;
    UnstorableNames m_unstorable;
    QSet<FolderIdentity> m_visited;
};
