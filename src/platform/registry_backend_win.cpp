// The system registry itself, through its ANSI calls.
#include "platform/registry_backend.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

static_assert(sizeof(RegHandle) == sizeof(HKEY));
static_assert(sizeof(DWORD) == sizeof(std::uint32_t));

namespace {

HKEY toHkey(RegHandle handle) {
    return reinterpret_cast<HKEY>(handle);
}

class WindowsRegistry final : public RegistryBackend {
public:
    RegResult createKey(RegHandle key, const char* subKey, std::uint32_t options,
                        std::uint32_t access, RegHandle* result,
                        std::uint32_t* disposition) override {
        HKEY created = nullptr;
        DWORD found = 0;
        const LSTATUS status = RegCreateKeyExA(toHkey(key), subKey, 0, nullptr, options, access,
                                               nullptr, &created, &found);
        if (status == ERROR_SUCCESS) {
            *result = reinterpret_cast<RegHandle>(created);
            if (disposition != nullptr)
                *disposition = found;
        }
        return status;
    }

    RegResult openKey(RegHandle key, const char* subKey, std::uint32_t options,
                      std::uint32_t access, RegHandle* result) override {
        HKEY opened = nullptr;
        const LSTATUS status = RegOpenKeyExA(toHkey(key), subKey, options, access, &opened);
        if (status == ERROR_SUCCESS)
            *result = reinterpret_cast<RegHandle>(opened);
        return status;
    }

    RegResult queryValue(RegHandle key, const char* valueName, std::uint32_t* type,
                         std::uint8_t* data, std::uint32_t* size) override {
        // Through DWORDs of our own: what the call leaves alone stays as it was.
        DWORD foundType = type ? *type : 0;
        DWORD foundSize = size ? *size : 0;
        const LSTATUS status =
            RegQueryValueExA(toHkey(key), valueName, nullptr, type ? &foundType : nullptr, data,
                             size ? &foundSize : nullptr);
        if (type != nullptr)
            *type = foundType;
        if (size != nullptr)
            *size = foundSize;
        return status;
    }

    RegResult setValue(RegHandle key, const char* valueName, std::uint32_t type,
                       const std::uint8_t* data, std::uint32_t size) override {
        return RegSetValueExA(toHkey(key), valueName, 0, type, data, size);
    }

    RegResult closeKey(RegHandle key) override { return RegCloseKey(toHkey(key)); }
};

} // namespace

std::unique_ptr<RegistryBackend> makeNativeRegistryBackend(const std::string&) {
    return std::make_unique<WindowsRegistry>();
}
