#include "platform/safe_write.h"

#include "platform/safe_write_steps.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

using namespace safe_write_steps;

// Links are followed to the file they name, as the user means that file.
constexpr int kMaxLinkHops = 40;

// The path of the file that `path` names once every link is followed; the
// last one may name nothing yet. 0, or the errno of what went wrong.
int followLinks(std::string& path) {
    for (int hop = 0;; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode))
            return 0;
        if (hop == kMaxLinkHops)
            return ELOOP;
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0)
            return errno;
        if (static_cast<std::size_t>(length) >= target.size())
            return ENAMETOOLONG; // the link changed while it was read
        target.resize(static_cast<std::size_t>(length));
        path = target.front() == '/' ? target : folderOf(path) + "/" + target;
    }
}

// The extended attributes (ACLs among them) of `source`, given to the open
// file `fd`. False when one cannot be given.
bool copyAttributes(const std::string& source, int fd) {
    const ssize_t size = ::listxattr(source.c_str(), nullptr, 0);
    if (size <= 0)
        return size == 0 || errno == ENOTSUP;
    std::string names(static_cast<std::size_t>(size), '\0');
    const ssize_t listed = ::listxattr(source.c_str(), names.data(), names.size());
    if (listed < 0)
        return false;
    names.resize(static_cast<std::size_t>(listed));
    for (std::size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
        const char* name = names.c_str() + at;
        const ssize_t valueSize = ::getxattr(source.c_str(), name, nullptr, 0);
        if (valueSize < 0)
            return false;
        std::string value(static_cast<std::size_t>(valueSize), '\0');
        const ssize_t got = ::getxattr(source.c_str(), name, value.data(), value.size());
        if (got < 0 || ::fsetxattr(fd, name, value.data(), static_cast<std::size_t>(got), 0) != 0)
            return false;
    }
    return true;
}

// Makes the new file `fd` what the old one was to its users: owner, group,
// attributes and mode, setgid included. False when the system will not let
// this process give one of them.
bool makeLike(int fd, const std::string& old, const struct stat& was) {
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return false;
    if ((now.st_uid != was.st_uid || now.st_gid != was.st_gid) &&
        ::fchown(fd, was.st_uid, was.st_gid) != 0)
        return false;
    if (!copyAttributes(old, fd))
        return false;
    const mode_t mode = was.st_mode & 07777;
    // Without the group, the system quietly drops a setgid bit.
    return ::fchmod(fd, mode) == 0 && ::fstat(fd, &now) == 0 && (now.st_mode & 07777) == mode;
}

enum class Replace { Done, Failed, CannotKeep };

// Writes a new file beside `target` and renames it over it. CannotKeep when
// the new file could not be made like the old one (or could not take its
// place for want of rights): nothing is changed, and the caller rewrites the
// file in place instead.
Replace replaceAtomically(const std::string& target, const struct stat* old, std::string_view bytes,
                          const SafeWriteOptions& options, SafeWriteResult& result) {
    const std::string folder = folderOf(target);
    // An existing file's copy is private until it has the file's own mode.
    const mode_t mode = old ? 0600 : options.newFileMode;
    std::string temp;
    int fd = createUnnamed(folder, mode);
    const bool unnamed = fd >= 0;
    if (!unnamed)
        fd = createBeside(folder, mode, temp);
    File file(fd);
    if (!file) {
        result.error = errno;
        return old && (errno == EACCES || errno == EPERM) ? Replace::CannotKeep : Replace::Failed;
    }
    TempName cleanup{temp};
    if (old && !makeLike(file.get(), target, *old))
        return Replace::CannotKeep;
    if (!writeAllAt(file.get(), bytes, 0) || ::fdatasync(file.get()) != 0 ||
        !identityOf(file.get(), result.written)) {
        result.error = errno;
        return Replace::Failed;
    }
    // Named only once it is whole: a kill before leaves no file behind.
    if (unnamed) {
        if (!giveName(file.get(), folder, temp)) {
            result.error = errno;
            return Replace::Failed;
        }
        cleanup.set(temp);
    }
    if (!file.close()) {
        result.error = errno;
        return Replace::Failed;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        result.error = errno;
        // A sticky folder lets only the file's owner replace it.
        return old && (errno == EPERM || errno == EACCES) ? Replace::CannotKeep : Replace::Failed;
    }
    cleanup.release();
    if (!syncFolder(folder)) {
        result.error = errno;
        return Replace::Failed;
    }
    return Replace::Done;
}

} // namespace

SafeWriteResult writeFileSafely(const std::string& path, std::string_view bytes,
                                const SafeWriteOptions& options) {
    SafeWriteResult result;
    std::string target = path;
    if (target.empty() || target.find('\0') != std::string::npos) {
        result.error = ENOENT;
        return result;
    }
    if ((result.error = followLinks(target)) != 0)
        return result;

    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) {
        result.error = errno;
        return result;
    }
    if (exists) {
        if (S_ISDIR(st.st_mode) || !S_ISREG(st.st_mode)) {
            result.error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
            return result;
        }
        // A read-only file stays as it is: replacing it would succeed and
        // drop the protection. No write bit at all means read-only to root
        // too.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
            result.error = errno;
            return result;
        }
        if ((st.st_mode & 0222) == 0) {
            result.error = EACCES;
            return result;
        }
    }
    // A second name of the file would keep the old content if the file
    // were replaced by a new one.
    if (exists && st.st_nlink > 1)
        return rewriteInPlace(target, bytes, result);
    if (replaceAtomically(target, exists ? &st : nullptr, bytes, options, result) !=
        Replace::CannotKeep)
        return result;
    result = {};
    return rewriteInPlace(target, bytes, result);
}

std::optional<FileIdentity> fileIdentityOf(const std::string& path) {
    struct stat st {};
    if (path.find('\0') != std::string::npos || ::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return identityOf(st);
}

std::string systemErrorText(int error) {
    return std::generic_category().message(error);
}
