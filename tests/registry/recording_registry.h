#pragma once

#include "platform/registry_backend.h"

#include <map>
#include <string>
#include <vector>

// Passes every registry call on to another backend and records it, with
// the key it went to spelled as a path below the root, so that tests can
// state the calls a command makes, in order. Standard C++ only.
class RecordingRegistry final : public RegistryBackend {
public:
    struct Call {
        std::string what; // create, open, query, set, close
        std::string key;  // the path of the key the call was made on ("" for the root)
        std::string name; // the sub-key path or value name
        std::uint32_t options = 0;
        std::uint32_t access = 0;
        std::uint32_t type = 0;
        bool withData = false; // a query that asked for the data, not only the size
        std::string data;      // bytes written
        RegResult result = 0;

        // "create m3ufile\shell", "set m3ufile\shell = "Edit\0"", "open .m3u -> 2"
        std::string line() const;
    };

    RecordingRegistry(RegistryBackend& inner, RegHandle root)
        : m_inner(inner)
        , m_root(root) {
        m_paths[root] = std::string();
    }

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
    std::string location(const std::string& keyPath) const override {
        return m_inner.location(keyPath);
    }
    std::string lastFailureText() const override { return m_inner.lastFailureText(); }

    const std::vector<Call>& calls() const { return m_calls; }
    // Every call as a line.
    std::vector<std::string> lines() const;
    // Only the creates and the writes, as lines.
    std::vector<std::string> changes() const;
    // Handles opened and not closed yet (the root does not count).
    int openHandles() const { return static_cast<int>(m_paths.size()) - 1; }
    void clear() { m_calls.clear(); }

private:
    std::string pathOf(RegHandle key) const;
    std::string pathBelow(RegHandle key, const char* subKey) const;

    RegistryBackend& m_inner;
    RegHandle m_root;
    std::map<RegHandle, std::string> m_paths;
    std::vector<Call> m_calls;
};
