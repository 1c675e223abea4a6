#pragma once

#include "platform/registry_backend.h"

#include <cstdint>
#include <string>
#include <variant>

// A value as passed between the registry operations: empty (nothing read),
// text in the registry's ANSI code page, or a 32-bit integer.
using RegValue = std::variant<std::monostate, std::string, std::int32_t>;

inline bool isEmptyValue(const RegValue& value) {
    return std::holds_alternative<std::monostate>(value);
}

// The registry module: create a key, write one value of a key, read one
// value of a key. It never shows anything; failures come back as result
// codes, which callers are free to ignore, or as an empty value.
//
// Standard C++ only, like the backends, so it is built and tested against
// the real registry where no Qt exists.
class RegistryModule {
public:
    explicit RegistryModule(RegistryBackend& backend)
        : m_backend(backend) {}

    // Writes a text (REG_SZ, with its terminating NUL) or a 32-bit integer
    // (REG_DWORD) into the open key. Any other type writes nothing and
    // gives 0.
    RegResult writeValue(RegHandle key, const std::string& valueName, std::int32_t type,
                         const RegValue& value);
    // Reads a text or a 32-bit integer of the open key into `value`. A text
    // comes back as the whole stored data, its terminating NUL included.
    // Another stored type gives -1 and leaves `value` as it was; so does a
    // failed query.
    RegResult readValue(RegHandle key, const std::string& valueName, RegValue& value);
    // Creates every missing key along the path below `rootKey`; existing
    // keys and their values stay as they are. The result code of the
    // creation.
    RegResult createKey(RegHandle rootKey, const std::string& keyPath);
    // Writes one value of an existing key; a missing key gets nothing. The
    // result code of the first call that failed, else success.
    RegResult writeKeyValue(RegHandle rootKey, const std::string& keyPath,
                            const std::string& valueName, const RegValue& value, std::int32_t type);
    // The value read, or empty when the key or value is missing or of
    // another type.
    RegValue readKeyValue(RegHandle rootKey, const std::string& keyPath,
                          const std::string& valueName);

private:
    RegistryBackend& m_backend;
};
