#pragma once

#include <cstdint>

// What tells whether a file is still the one that was read or written: the
// device and inode it lives in, its size and its modification time to the
// nanosecond. Another program that writes the file, or replaces it by a new
// one, changes at least one of them.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};
