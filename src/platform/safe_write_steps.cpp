#include "platform/safe_write_steps.h"

#include <cerrno>
#include <random>

#include <fcntl.h>
#include <unistd.h>

namespace safe_write_steps {

namespace {

constexpr int kNameAttempts = 100;

// Reads the whole open file from its start; false with errno set.
bool readAll(int fd, std::string& out) {
    out.clear();
    char buffer[64 * 1024];
    for (off_t at = 0;;) {
        const ssize_t got = ::pread(fd, buffer, sizeof buffer, at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        out.append(buffer, static_cast<std::size_t>(got));
        at += got;
    }
}

// The old bytes in a file of their own beside the target, so that they
// survive even a crash in the middle of the rewrite. Nothing when the folder
// takes no new file (a read-only folder): the copy in memory must do then.
std::string keepBackup(const std::string& folder, const std::string& bytes) {
    std::string name;
    File backup(createBeside(folder, 0600, name));
    if (!backup)
        return {};
    TempName cleanup{name};
    if (!writeAllAt(backup.get(), bytes, 0) || ::fdatasync(backup.get()) != 0 || !backup.close())
        return {};
    cleanup.release();
    return name;
}

// The file's content and length set to `bytes`, on the disk.
bool putContent(int fd, std::string_view bytes) {
    return writeAllAt(fd, bytes, 0) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
           ::fdatasync(fd) == 0;
}

} // namespace

File::~File() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool File::close() {
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
}

TempName::~TempName() {
    if (!m_path.empty())
        ::unlink(m_path.c_str());
}

std::string folderOf(const std::string& path) {
    const std::size_t cut = path.rfind('/');
    if (cut == std::string::npos)
        return ".";
    return cut == 0 ? "/" : path.substr(0, cut);
}

namespace {

std::string randomName(const std::string& folder) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string name = folder + (folder.back() == '/' ? "" : "/") + ".songbinder-";
    for (int i = 0; i < 6; ++i)
        name += kLetters[pick(random)];
    return name;
}

} // namespace

int createBeside(const std::string& folder, mode_t mode, std::string& name) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = randomName(folder);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

int createUnnamed(const std::string& folder, mode_t mode) {
    // Naming it later goes through /proc.
    if (::access("/proc/self/fd", X_OK) != 0)
        return -1;
    return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
}

bool giveName(int fd, const std::string& folder, std::string& name) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = randomName(folder);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST)
            return false;
    }
    return false;
}

bool writeAllAt(int fd, std::string_view bytes, off_t offset) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::pwrite(fd, bytes.data() + done, bytes.size() - done,
                                     offset + static_cast<off_t>(done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return false;
        if (put == 0) {
            errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool syncFolder(const std::string& folder) {
    File dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // A folder this process may not list, or a file system that syncs no
    // folders, gives no say; only the disk's own failure counts.
    if (!dir)
        return true;
    return ::fsync(dir.get()) == 0 || (errno != EIO && errno != ENOSPC && errno != EDQUOT);
}

FileIdentity identityOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::int64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

bool identityOf(int fd, FileIdentity& identity) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return false;
    identity = identityOf(st);
    return true;
}

SafeWriteResult rewriteInPlace(const std::string& target, std::string_view bytes,
                               SafeWriteResult& result) {
    File file(::open(target.c_str(), O_RDWR | O_CLOEXEC));
    std::string old;
    if (!file || !readAll(file.get(), old)) {
        result.error = errno;
        return result;
    }
    // A full disk must show before the first byte of the old content goes.
    if (bytes.size() > old.size()) {
        const int reserved = ::posix_fallocate(file.get(), 0, static_cast<off_t>(bytes.size()));
        if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) {
            ::ftruncate(file.get(), static_cast<off_t>(old.size()));
            result.error = reserved;
            return result;
        }
    }
    const std::string backup = keepBackup(folderOf(target), old);
    if (!putContent(file.get(), bytes)) {
        result.error = errno;
        // The backup stays where the old bytes could not be put back.
        if (putContent(file.get(), old) && !backup.empty())
            ::unlink(backup.c_str());
        return result;
    }
    if (!identityOf(file.get(), result.written) || !file.close()) {
        result.error = errno;
        return result;
    }
    if (!backup.empty())
        ::unlink(backup.c_str());
    return result;
}

} // namespace safe_write_steps
