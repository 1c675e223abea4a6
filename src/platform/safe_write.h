#pragma once

#include "platform/file_identity.h"

#include <optional>
#include <string>
#include <string_view>

// The one way the program writes a file: playlists, the association's files
// and recovery copies. POSIX and standard C++ only, so the registry store
// can use it without Qt.
//
// What it promises:
// - Every write, flush and close is checked; the data is on the disk
//   (fsync of the file, and of its folder after a rename) before it says
//   the file was written. On failure the file is as it was.
// - A symbolic link stays a link and the file it names is written, also one
//   that does not exist yet.
// - An existing file keeps who may use it. It is replaced through a
//   temporary file in its folder when the new file can be made identical:
//   owner and group, mode (setgid included), extended attributes and ACLs,
//   one link only. Otherwise (several hard links, an owner the program
//   cannot give, a folder it cannot write) the file is rewritten in place:
//   the full new size is reserved first, so a full disk is found before a
//   byte changes, the old bytes are kept (in a backup file beside it where
//   the folder allows, and in memory) and written back if the rewrite fails.
// - A file that is read-only (no write permission for this process, or no
//   write bit for anybody) is refused, never replaced.
struct SafeWriteOptions {
    // The mode of a file that does not exist yet, before the umask.
    unsigned newFileMode = 0666;
};

struct SafeWriteResult {
    // errno of what failed; 0 when the file was written.
    int error = 0;
    // The file as written.
    FileIdentity written;

    bool ok() const { return error == 0; }
};

SafeWriteResult writeFileSafely(const std::string& path, std::string_view bytes,
                                const SafeWriteOptions& options = {});

// The identity of the file at `path`, links followed; nothing when there is
// no such file (errno tells why).
std::optional<FileIdentity> fileIdentityOf(const std::string& path);

// The system's words for an errno value ("No space left on device").
std::string systemErrorText(int error);
