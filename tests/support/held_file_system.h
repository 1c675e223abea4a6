#pragma once

#include "platform/file_system.h"

#include <condition_variable>
#include <mutex>

// Another file system whose folder reads and file look-ups the test can hold
// and release, as a slow or hung mount holds them: work running on other
// threads stops inside the call until the test lets it go on. Everything is
// passed on to the file system it wraps.
class HeldFileSystem final : public FileSystem {
public:
    explicit HeldFileSystem(FileSystem& inner)
        : m_inner(inner) {}

    // From now on, every folder read, search, file look-up and whole-file
    // read waits until release().
    void hold() {
        const std::lock_guard lock(m_mutex);
        m_held = true;
    }
    void release() {
        {
            const std::lock_guard lock(m_mutex);
            m_held = false;
        }
        m_changed.notify_all();
    }
    // Waits until `count` calls wait at once (or a second has passed); true
    // when they do.
    bool waitForHeldCalls(int count = 1) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(1),
                                  [&] { return m_waiting >= count; });
    }
    int heldCalls() const {
        const std::lock_guard lock(m_mutex);
        return m_waiting;
    }

    const PathRules& rules() const override { return m_inner.rules(); }
    std::unique_ptr<FileNameSearch> search(const QString& pattern, SearchMask mask,
                                           QString* error = nullptr) override {
        pass();
        return m_inner.search(pattern, mask, error);
    }
    bool hasFileNamed(const QString& path, SearchMask mask) override {
        pass();
        return m_inner.hasFileNamed(path, mask);
    }
    QString parentFolder(const QString& path) const override { return m_inner.parentFolder(path); }
    QString buildPath(const QString& folder, const QString& name) const override {
        return m_inner.buildPath(folder, name);
    }
    std::optional<FolderInfo> folder(const QString& path, QString* error = nullptr) override {
        pass();
        return m_inner.folder(path, error);
    }
    std::optional<QStringList> listFolders(const QString& path, QString* error = nullptr) override {
        return m_inner.listFolders(path, error);
    }
    std::optional<QStringList> listFiles(const QString& path, const QString& patterns,
                                         QString* error = nullptr) override {
        return m_inner.listFiles(path, patterns, error);
    }
    bool isFolder(const QString& path) override { return m_inner.isFolder(path); }
    QList<DriveInfo> drives() override { return m_inner.drives(); }
    QString currentFolder() override { return m_inner.currentFolder(); }
    std::optional<QByteArray> readFile(const QString& path, QString* error = nullptr) override {
        pass();
        return m_inner.readFile(path, error);
    }
    std::optional<QByteArray> readFileTail(const QString& path, qint64 count,
                                           QString* error = nullptr) override {
        return m_inner.readFileTail(path, count, error);
    }
    bool writeFileAtomic(const QString& path, const QByteArray& bytes,
                         QString* error = nullptr) override {
        return m_inner.writeFileAtomic(path, bytes, error);
    }
    std::optional<FileIdentity> fileIdentity(const QString& path) override {
        return m_inner.fileIdentity(path);
    }
    bool makeFolders(const QString& path, QString* error = nullptr) override {
        return m_inner.makeFolders(path, error);
    }

private:
    void pass() {
        std::unique_lock lock(m_mutex);
        if (!m_held)
            return;
        ++m_waiting;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return !m_held; });
        --m_waiting;
    }

    FileSystem& m_inner;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_held = false;
    int m_waiting = 0;
};
