#pragma once

#include "forwarding_file_system.h"

#include <condition_variable>
#include <mutex>

// Another file system whose folder reads and file look-ups the test can hold
// and release, as a slow or hung mount holds them: work running on other
// threads stops inside the call until the test lets it go on. Everything is
// passed on to the file system it wraps.
class HeldFileSystem final : public ForwardingFileSystem {
public:
    using ForwardingFileSystem::ForwardingFileSystem;

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

    std::unique_ptr<FileNameSearch> search(const QString& pattern, SearchMask mask,
                                           QString* error = nullptr) override {
        pass();
        return ForwardingFileSystem::search(pattern, mask, error);
    }
    bool hasFileNamed(const QString& path, SearchMask mask) override {
        pass();
        return ForwardingFileSystem::hasFileNamed(path, mask);
    }
    std::optional<FolderInfo> folder(const QString& path, QString* error = nullptr) override {
        pass();
        return ForwardingFileSystem::folder(path, error);
    }
    std::optional<QByteArray> readFile(const QString& path, QString* error = nullptr) override {
        pass();
        return ForwardingFileSystem::readFile(path, error);
    }
    bool readFilePieces(const QString& path, qsizetype pieceSize,
                        const std::function<bool(QByteArrayView)>& take,
                        QString* error = nullptr) override {
        pass();
        return ForwardingFileSystem::readFilePieces(path, pieceSize, take, error);
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

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_held = false;
    int m_waiting = 0;
};
