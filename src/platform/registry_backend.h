#pragma once

#include <cstdint>
#include <memory>
#include <string>

// The five calls of the system's file-type registry that the program makes,
// in the shape of the registry's ANSI interface: key handles, NUL-terminated
// names, typed bytes and result codes (0 = success). On Windows the registry
// itself answers; elsewhere a per-user store stands in for HKEY_CLASSES_ROOT.
//
// Standard C++ only: the Windows side is built and tested where no Qt exists.

using RegHandle = std::uintptr_t;
using RegResult = std::int32_t;

// HKEY_CLASSES_ROOT: the predefined handle 0x80000000, widened with its sign
// as the Windows headers do, so it passes unchanged to the real calls.
inline constexpr RegHandle kHKeyClassesRoot =
    static_cast<RegHandle>(static_cast<std::intptr_t>(INT32_MIN));

// Value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// Result codes, as the registry reports them.
inline constexpr RegResult kErrorSuccess = 0;
inline constexpr RegResult kErrorFileNotFound = 2;
inline constexpr RegResult kErrorAccessDenied = 5;
inline constexpr RegResult kErrorInvalidHandle = 6;
inline constexpr RegResult kErrorWriteFault = 29;
inline constexpr RegResult kErrorReadFault = 30;
inline constexpr RegResult kErrorInvalidParameter = 87;
inline constexpr RegResult kErrorDiskFull = 112;
inline constexpr RegResult kErrorBadPathname = 161;
inline constexpr RegResult kErrorMoreData = 234;
inline constexpr RegResult kErrorNoAccess = 998;
inline constexpr RegResult kErrorKeyDeleted = 1018;

// Access rights.
inline constexpr std::uint32_t kKeyQueryValue = 0x01;
inline constexpr std::uint32_t kKeySetValue = 0x02;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x04;
// Everything the program asks for: query, set, create sub-key, enumerate,
// notify and create link; no delete.
inline constexpr std::uint32_t kKeyReadWrite = 0x3F;

inline constexpr std::uint32_t kRegOptionNonVolatile = 0;
// What a create call found.
inline constexpr std::uint32_t kRegCreatedNewKey = 1;
inline constexpr std::uint32_t kRegOpenedExistingKey = 2;

class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;

    // RegCreateKeyExA: opens `subKey` below `key`, creating every missing key
    // along the path; a key that exists is opened, its values untouched.
    virtual RegResult createKey(RegHandle key, const char* subKey, std::uint32_t options,
                                std::uint32_t access, RegHandle* result,
                                std::uint32_t* disposition) = 0;
    // RegOpenKeyExA: opens an existing key.
    virtual RegResult openKey(RegHandle key, const char* subKey, std::uint32_t options,
                              std::uint32_t access, RegHandle* result) = 0;
    // RegQueryValueExA: with `data` null it reports only the type and size.
    // A buffer that is too small gives kErrorMoreData and the size needed.
    virtual RegResult queryValue(RegHandle key, const char* valueName, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* size) = 0;
    // RegSetValueExA: stores `size` bytes as a value of type `type`. Like
    // the system, it reads the byte after a text whose last counted byte is
    // not NUL, and counts it when it is NUL: pass text as C strings do.
    virtual RegResult setValue(RegHandle key, const char* valueName, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t size) = 0;
    // RegCloseKey.
    virtual RegResult closeKey(RegHandle key) = 0;

    // For a message about a call that failed: where the key `keyPath`
    // (below HKEY_CLASSES_ROOT) is kept, as the user knows the place; the
    // system registry's own name for it unless a store file stands in.
    virtual std::string location(const std::string& keyPath) const {
        return "HKEY_CLASSES_ROOT\\" + keyPath;
    }
    // The system's own words for why the last failed call failed, where it
    // knows more than the result code says; empty otherwise.
    virtual std::string lastFailureText() const { return {}; }
    // Where a store that could not be read was kept when this backend
    // started a new one in its place; empty when that did not happen.
    virtual std::string keptAsideAs() const { return {}; }
};

// The registry of this platform: the system registry on Windows; elsewhere
// the store kept in `storeFolder` (created when first written).
std::unique_ptr<RegistryBackend> makeNativeRegistryBackend(const std::string& storeFolder);
