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
class mdlRegistry {
public:
    explicit mdlRegistry(RegistryBackend& backend)
        : m_backend(backend) {}

    // Writes a text (REG_SZ, with its terminating NUL) or a 32-bit integer
    // (REG_DWORD). Any other type writes nothing and gives 0.
    RegResult lWriteValue(RegHandle hKey, const std::string& sValueName, std::int32_t lType,
                          const RegValue& vValue);
    // Reads a text or a 32-bit integer into vValue. A text comes back as
    // the whole stored data, its terminating NUL included. Another stored
    // type gives -1 and leaves vValue as it was; so does a failed query.
    RegResult lReadValue(RegHandle hKey, const std::string& sValueName, RegValue& vValue);
    // Creates every missing key along the path; existing keys and their
    // values stay as they are.
    void CreateKey(RegHandle hKey, const std::string& sNewKeyName);
    // Writes one value of an existing key; a missing key gets nothing.
    void WriteKeyValue(RegHandle hKey, const std::string& sKeyName, const std::string& sValueName,
                       const RegValue& vValueSetting, std::int32_t lValueType);
    // The value read, or empty when the key or value is missing or of
    // another type.
    RegValue vReadKeyValue(RegHandle hKey, const std::string& sKeyName,
                           const std::string& sValueName);

private:
    RegistryBackend& m_backend;
};
