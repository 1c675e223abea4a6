#include "platform/registry_store_posix.h"

#include "platform/registry_text.h"
#include "platform/safe_write.h"

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int kMaxKeptAside = 1000;

RegResult codeOf(int error, RegResult otherwise) {
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return kErrorAccessDenied;
    case ENOSPC:
    case EDQUOT:
        return kErrorDiskFull;
    default:
        return otherwise;
    }
}

// Reads a whole file; errno tells why when it fails.
bool readWhole(const std::string& path, std::string& out) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    out.clear();
    std::vector<char> buffer(64 * 1024);
    while (true) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            errno = error;
            return false;
        }
        if (got == 0)
            break;
        out.append(buffer.data(), static_cast<std::size_t>(got));
    }
    ::close(fd);
    return true;
}

} // namespace

RegResult PosixRegistryStore::fail(int error, RegResult otherwise) {
    m_failureErrno = error;
    return codeOf(error, otherwise);
}

std::string PosixRegistryStore::location(const std::string&) const {
    return m_file;
}

std::string PosixRegistryStore::keptAsideAs() const {
    return m_keptAside;
}

std::string PosixRegistryStore::lastFailureText() const {
    return m_failureErrno != 0 ? std::generic_category().message(m_failureErrno) : std::string();
}

PosixRegistryStore::PosixRegistryStore(std::string folder)
    : m_folder(std::move(folder))
    , m_file(m_folder + "/registry.txt")
    , m_lockFile(m_folder + "/registry.lock") {}

PosixRegistryStore::~PosixRegistryStore() {
    unlock();
}

RegResult PosixRegistryStore::beginCall(bool forWriting) {
    m_root = RegistryKey{};
    m_failureErrno = 0;
    std::error_code ec;
    if (forWriting) {
        std::filesystem::create_directories(m_folder, ec);
        if (ec)
            return fail(ec.value(), kErrorAccessDenied);
    } else if (!std::filesystem::is_directory(m_folder, ec)) {
        // Nothing stored yet: HKEY_CLASSES_ROOT is empty.
        return kErrorSuccess;
    }

    m_lock = ::open(m_lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_lock < 0 && forWriting)
        return fail(errno, kErrorAccessDenied);
    // Without the lock (a folder we may read but not write) a read still
    // sees a complete file: the file is only ever replaced whole.
    while (m_lock >= 0 && ::flock(m_lock, LOCK_EX) != 0) {
        if (errno != EINTR) {
            const int error = errno;
            unlock();
            return fail(error, kErrorAccessDenied);
        }
    }
    const RegResult loaded = load();
    if (loaded != kErrorSuccess)
        unlock();
    return loaded;
}

RegResult PosixRegistryStore::endCall(bool changed) {
    const RegResult saved = changed ? save() : kErrorSuccess;
    unlock();
    return saved;
}

RegResult PosixRegistryStore::load() {
    std::string text;
    if (!readWhole(m_file, text))
        return errno == ENOENT ? kErrorSuccess : fail(errno, kErrorReadFault);
    if (std::optional<RegistryKey> root = parseRegistryText(text)) {
        m_root = std::move(*root);
        return kErrorSuccess;
    }
    // A store we cannot read is the user's data all the same: keep it under
    // a new name and go on with an empty one. Unless it is safely aside, it
    // must not be replaced by what this call would write.
    if (m_lock < 0 || !keepAside())
        return kErrorAccessDenied;
    return kErrorSuccess;
}

bool PosixRegistryStore::keepAside() {
    for (int n = 1; n <= kMaxKeptAside; ++n) {
        const std::string aside = m_file + ".corrupt-" + std::to_string(n);
        // link() never replaces an existing file, unlike rename().
        if (::link(m_file.c_str(), aside.c_str()) == 0) {
            if (::unlink(m_file.c_str()) != 0)
                return false;
            m_keptAside = aside;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

RegResult PosixRegistryStore::save() {
    // Through a link to its target; a read-only store is refused, not
    // replaced; a full disk leaves the old store whole.
    const SafeWriteResult written = writeFileSafely(m_file, formatRegistryText(m_root), {0600});
    return written.ok() ? kErrorSuccess : fail(written.error, kErrorWriteFault);
}

void PosixRegistryStore::unlock() {
    if (m_lock >= 0) {
        ::close(m_lock); // releases the lock
        m_lock = -1;
    }
}

std::unique_ptr<RegistryBackend> makeNativeRegistryBackend(const std::string& storeFolder) {
    return std::make_unique<PosixRegistryStore>(storeFolder);
}
