#pragma once

#include "platform/safe_write.h"

#include <string>
#include <string_view>

#include <sys/stat.h>
#include <sys/types.h>

// The steps the safe writer is made of, shared by its two ways of writing.
namespace safe_write_steps {

// An open file descriptor, closed on every path out.
class File {
public:
    explicit File(int fd = -1)
        : m_fd(fd) {}
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    int get() const { return m_fd; }
    explicit operator bool() const { return m_fd >= 0; }
    // Closes now; false (errno set) when the close reports a failure.
    bool close();

private:
    int m_fd;
};

// A file this process created, removed unless released.
class TempName {
public:
    explicit TempName(std::string path = {})
        : m_path(std::move(path)) {}
    ~TempName();
    TempName(const TempName&) = delete;
    TempName& operator=(const TempName&) = delete;
    void set(std::string path) { m_path = std::move(path); }
    void release() { m_path.clear(); }

private:
    std::string m_path;
};

// The folder of `path`: "." for a bare name, "/" for a name in the root.
std::string folderOf(const std::string& path);

// Creates a new file with a short hidden name of its own in `folder`, so
// that any name the target has (up to the system's limit) leaves room for
// it. `name` receives its path. -1 with errno set when it cannot be made.
int createBeside(const std::string& folder, mode_t mode, std::string& name);
// A new file in `folder` without a name yet (O_TMPFILE), so that a process
// killed while writing it leaves nothing behind; -1 where the file system
// cannot make one.
int createUnnamed(const std::string& folder, mode_t mode);
// Gives the unnamed file `fd` a short hidden name of its own in `folder`,
// put in `name`. False with errno set when it cannot.
bool giveName(int fd, const std::string& folder, std::string& name);

// Writes all of `bytes` at `offset`; false with errno set otherwise.
bool writeAllAt(int fd, std::string_view bytes, off_t offset);

// Makes a rename in `folder` last; false with errno set when the disk says
// it could not.
bool syncFolder(const std::string& folder);

FileIdentity identityOf(const struct stat& st);
bool identityOf(int fd, FileIdentity& identity);

// Rewrites the existing file `target` in place (see safe_write.h).
SafeWriteResult rewriteInPlace(const std::string& target, std::string_view bytes,
                               SafeWriteResult& result);

} // namespace safe_write_steps
