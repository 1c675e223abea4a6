#pragma once

#include "platform/file_system.h"

#include <QHash>

#include <atomic>
#include <functional>
#include <map>

struct FakeFileAttributes {
    bool hidden = false;
    bool system = false;
    bool readOnly = false;
};

// An in-memory file system. By default it follows Windows rules (drive
// letters, "\", names compared ignoring case, hidden and system attributes),
// so tests can state paths like C:\Music\a.mp3 literally on any machine.
// Entries keep the order in which they were added: that is the "file system
// order" that searches and folder walks see.
class FakeFileSystem final : public FileSystem {
public:
    using Attributes = FakeFileAttributes;

    explicit FakeFileSystem(PathRules rules = PathRules::windows());
    ~FakeFileSystem() override;

    // --- building the tree -------------------------------------------------
    // A drive: "C:\" with Windows rules, "/" with POSIX rules. A drive that is
    // not ready fails every access with an error.
    void addDrive(const QString& root, bool ready = true);
    void setDriveReady(const QString& root, bool ready);
    // A folder that drives() lists after the drives, as a volume mounted
    // there is listed on Linux ("/mnt/data", without a trailing separator).
    void addMountPoint(const QString& folder);
    // Folders and files are created along the path, drives included.
    void addFolder(const QString& path);
    void addFile(const QString& path, const QByteArray& content = {}, Attributes attributes = {});
    void remove(const QString& path);
    // A folder that cannot be opened or listed (no access).
    void setUnreadable(const QString& path, bool unreadable = true);
    // A file that is found but cannot be opened.
    void setUnopenable(const QString& path, bool unopenable = true);
    // A folder in which files cannot be created or replaced.
    void setWriteProtected(const QString& path, bool protectedFolder = true);
    // Every write fails with this reason ("" to stop failing).
    void setWriteFailure(const QString& reason) { m_writeFailure = reason; }
    void setCurrentFolder(const QString& path) { m_currentFolder = path; }
    // Runs before every search starts (to change the tree mid-command).
    void setBeforeSearch(std::function<void(const QString&)> hook) {
        m_beforeSearch = std::move(hook);
    }
    // Runs before every whole-file read (to change the tree between a test
    // for a file and its read).
    void setBeforeRead(std::function<void(const QString&)> hook) { m_beforeRead = std::move(hook); }

    // --- looking at it -----------------------------------------------------
    bool exists(const QString& path) const;
    bool isFile(const QString& path) const;
    QByteArray content(const QString& path) const;
    int writeCount() const { return m_writeCount; }
    int searchCount() const { return m_searchCount; }

    // --- FileSystem --------------------------------------------------------
    const PathRules& rules() const override { return m_rules; }
    std::unique_ptr<FileNameSearch> search(const QString& pattern, SearchMask mask,
                                           QString* error = nullptr) override;
    std::optional<FolderInfo> folder(const QString& path, QString* error = nullptr) override;
    std::optional<QStringList> listFolders(const QString& path, QString* error = nullptr) override;
    std::optional<QStringList> listFiles(const QString& path, const QString& patterns,
                                         QString* error = nullptr) override;
    bool isFolder(const QString& path) override;
    QList<DriveInfo> drives() override;
    QString currentFolder() override { return m_currentFolder; }
    std::optional<QByteArray> readFile(const QString& path, QString* error = nullptr) override;
    std::optional<QByteArray> readFileTail(const QString& path, qint64 count,
                                           QString* error = nullptr) override;
    bool writeFileAtomic(const QString& path, const QByteArray& bytes,
                         QString* error = nullptr) override;
    std::optional<FileIdentity> fileIdentity(const QString& path) override;
    bool makeFolders(const QString& path, QString* error = nullptr) override;

    struct Node;

private:
    struct Lookup;
    Lookup find(const QString& path) const;
    // The entry at `path`, unless writes fail there (a failure set by the
    // test, a drive that is not ready).
    std::optional<Lookup> findForWriting(const QString& path, QString* error) const;
    Node* makePath(const QString& path, bool lastIsFolder);
    Node* driveNode(const QString& path, QString* rest) const;
    QString nodePath(const Node* node) const;

    PathRules m_rules;
    std::vector<std::unique_ptr<Node>> m_drives;
    QStringList m_mountPoints;
    QString m_currentFolder;
    QString m_writeFailure;
    std::function<void(const QString&)> m_beforeSearch;
    std::function<void(const QString&)> m_beforeRead;
    std::atomic<int> m_writeCount = 0;
    // Every file gets an inode of its own, and every change of its content
    // a new modification time.
    std::uint64_t m_lastInode = 0;
    std::int64_t m_clock = 0;
    // Searches also come from the thread of a folder walk.
    std::atomic<int> m_searchCount = 0;
};
