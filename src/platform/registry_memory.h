#pragma once

#include "platform/registry_backend.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// True when two key or value names are the same name. The system registry
// ignores letter case in both; ours folds the ASCII letters.
bool sameRegistryName(std::string_view a, std::string_view b);
// The order of names ignoring letter case, for listing keys.
bool registryNameLess(std::string_view a, std::string_view b);

// One value: its name as first written, its type and its bytes exactly as
// they were stored (a text keeps the NUL it was written with).
struct RegistryValue {
    std::string name;
    std::uint32_t type = kRegNone;
    std::string data;
};

// One key: its name as first created, its values and its sub-keys.
struct RegistryKey {
    std::string name;
    std::vector<RegistryValue> values;
    std::vector<RegistryKey> subKeys;

    RegistryKey* findSubKey(std::string_view subKeyName);
    RegistryValue* findValue(std::string_view valueName);
    const RegistryValue* findValue(std::string_view valueName) const;
};

// The registry's behaviour over a tree of keys held in memory: the key
// HKEY_CLASSES_ROOT and everything below it. Handles stand for key paths, so
// a store that reloads its tree before every call keeps them valid.
//
// Paths follow the system registry: levels separated by backslashes, runs of
// backslashes count as one, a leading backslash is refused, an empty path
// names the key itself.
class MemoryRegistry : public RegistryBackend {
public:
    RegResult createKey(RegHandle key, const char* subKey, std::uint32_t options,
                        std::uint32_t access, RegHandle* result,
                        std::uint32_t* disposition) override;
    RegResult openKey(RegHandle key, const char* subKey, std::uint32_t options,
                      std::uint32_t access, RegHandle* result) override;
    RegResult queryValue(RegHandle key, const char* valueName, std::uint32_t* type,
                         std::uint8_t* data, std::uint32_t* size) override;
    RegResult setValue(RegHandle key, const char* valueName, std::uint32_t type,
                       const std::uint8_t* data, std::uint32_t size) override;
    RegResult closeKey(RegHandle key) override;

    // HKEY_CLASSES_ROOT as held now.
    const RegistryKey& root() const { return m_root; }

protected:
    // Around every call that reaches the tree. A store kept in a file reads
    // it (under a lock) before, and writes it back after a change; a
    // non-zero result ends the call with that code.
    virtual RegResult beginCall(bool forWriting);
    virtual RegResult endCall(bool changed);

    RegistryKey m_root;

private:
    struct OpenKey {
        std::vector<std::string> path;
        std::uint32_t access = 0;
    };

    const OpenKey* openKeyOf(RegHandle handle) const;
    RegistryKey* keyAt(const std::vector<std::string>& path);
    RegResult copyValue(const std::vector<std::string>& path, const char* valueName,
                        std::uint32_t* type, std::uint8_t* data, std::uint32_t* size);
    RegHandle issueHandle(std::vector<std::string> path, std::uint32_t access);

    std::map<RegHandle, OpenKey> m_open;
    RegHandle m_nextHandle = 0x100;
};
