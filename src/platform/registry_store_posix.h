#pragma once

#include "platform/registry_memory.h"

#include <string>

// HKEY_CLASSES_ROOT on a system without a registry: one text file,
// `registry.txt`, in a per-user folder (normally ~/.local/share/songbinder).
//
// Every call reads the file afresh and every change writes it back whole,
// through a temporary file that replaces it only when complete, all under a
// lock (`registry.lock`) that other running copies of the program respect,
// so two copies writing in turn both keep their values. A file that cannot
// be parsed is never overwritten: it is renamed `registry.txt.corrupt-N`
// and the store starts empty. The file is written by the safe writer: a
// link to it stays a link, a read-only store is refused.
class PosixRegistryStore final : public MemoryRegistry {
public:
    explicit PosixRegistryStore(std::string folder);
    ~PosixRegistryStore() override;

    PosixRegistryStore(const PosixRegistryStore&) = delete;
    PosixRegistryStore& operator=(const PosixRegistryStore&) = delete;

    const std::string& filePath() const { return m_file; }

    // The store's file, whichever key.
    std::string location(const std::string& keyPath) const override;
    // The reason the file system gave for the last call's failure.
    std::string lastFailureText() const override;
    std::string keptAsideAs() const override;

protected:
    RegResult beginCall(bool forWriting) override;
    RegResult endCall(bool changed) override;

private:
    RegResult load();
    RegResult save();
    bool keepAside();
    void unlock();
    // The result code for a failure of the system's call with `error`
    // (errno), which is kept for lastFailureText().
    RegResult fail(int error, RegResult otherwise);

    std::string m_folder;
    std::string m_file;
    std::string m_lockFile;
    int m_lock = -1;
    int m_failureErrno = 0;
    std::string m_keptAside;
};
