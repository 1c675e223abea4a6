#include "platform/registry_memory.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isTextType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// The levels of a key path, or nothing when the registry refuses the path.
std::optional<std::vector<std::string>> splitKeyPath(const char* subKey) {
    std::vector<std::string> levels;
    if (subKey == nullptr)
        return levels;
    const std::string_view path(subKey);
    if (!path.empty() && path.front() == '\\')
        return std::nullopt;
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start)
            levels.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return levels;
}

template <typename Item> Item* findByName(std::vector<Item>& items, std::string_view name) {
    const auto it = std::find_if(items.begin(), items.end(), [&](const Item& item) {
        return sameRegistryName(item.name, name);
    });
    return it == items.end() ? nullptr : &*it;
}

} // namespace

bool sameRegistryName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return foldAscii(x) == foldAscii(y); });
}

bool registryNameLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(foldAscii(x)) < static_cast<unsigned char>(foldAscii(y));
    });
}

RegistryKey* RegistryKey::findSubKey(std::string_view subKeyName) {
    return findByName(subKeys, subKeyName);
}

RegistryValue* RegistryKey::findValue(std::string_view valueName) {
    return findByName(values, valueName);
}

const RegistryValue* RegistryKey::findValue(std::string_view valueName) const {
    return const_cast<RegistryKey*>(this)->findValue(valueName);
}

RegResult MemoryRegistry::beginCall(bool) {
    return kErrorSuccess;
}

RegResult MemoryRegistry::endCall(bool) {
    return kErrorSuccess;
}

const MemoryRegistry::OpenKey* MemoryRegistry::openKeyOf(RegHandle handle) const {
    // The root is predefined: always open, with every right.
    static const OpenKey kRoot{{}, ~std::uint32_t{0}};
    if (handle == kHKeyClassesRoot)
        return &kRoot;
    const auto it = m_open.find(handle);
    return it == m_open.end() ? nullptr : &it->second;
}

RegistryKey* MemoryRegistry::keyAt(const std::vector<std::string>& path) {
    RegistryKey* key = &m_root;
    for (const std::string& level : path) {
        key = key->findSubKey(level);
        if (key == nullptr)
            return nullptr;
    }
    return key;
}

RegHandle MemoryRegistry::issueHandle(std::vector<std::string> path, std::uint32_t access) {
    const RegHandle handle = m_nextHandle;
    m_nextHandle += 4;
    m_open.emplace(handle, OpenKey{std::move(path), access});
    return handle;
}

RegResult MemoryRegistry::createKey(RegHandle key, const char* subKey, std::uint32_t,
                                    std::uint32_t access, RegHandle* result,
                                    std::uint32_t* disposition) {
    if (result == nullptr)
        return kErrorInvalidParameter;
    const OpenKey* base = openKeyOf(key);
    if (base == nullptr)
        return kErrorInvalidHandle;
    const std::optional<std::vector<std::string>> levels = splitKeyPath(subKey);
    if (!levels)
        return kErrorBadPathname;

    if (const RegResult begun = beginCall(true); begun != kErrorSuccess)
        return begun;
    RegistryKey* parent = keyAt(base->path);
    if (parent == nullptr) {
        endCall(false);
        return kErrorKeyDeleted;
    }
    std::vector<std::string> path = base->path;
    bool created = false;
    for (const std::string& level : *levels) {
        RegistryKey* child = parent->findSubKey(level);
        if (child == nullptr) {
            parent->subKeys.push_back(RegistryKey{level, {}, {}});
            child = &parent->subKeys.back();
            created = true;
        }
        // A key keeps the spelling it was created with.
        path.push_back(child->name);
        parent = child;
    }
    if (const RegResult ended = endCall(created); ended != kErrorSuccess)
        return ended;
    *result = issueHandle(std::move(path), access);
    if (disposition != nullptr)
        *disposition = created ? kRegCreatedNewKey : kRegOpenedExistingKey;
    return kErrorSuccess;
}

RegResult MemoryRegistry::openKey(RegHandle key, const char* subKey, std::uint32_t,
                                  std::uint32_t access, RegHandle* result) {
    if (result == nullptr)
        return kErrorInvalidParameter;
    const OpenKey* base = openKeyOf(key);
    if (base == nullptr)
        return kErrorInvalidHandle;
    // Below HKEY_CLASSES_ROOT an open, unlike a create, also takes a path
    // with one leading backslash.
    if (key == kHKeyClassesRoot && subKey != nullptr && subKey[0] == '\\')
        ++subKey;
    const std::optional<std::vector<std::string>> levels = splitKeyPath(subKey);
    if (!levels)
        return kErrorBadPathname;

    if (const RegResult begun = beginCall(false); begun != kErrorSuccess)
        return begun;
    std::vector<std::string> path = base->path;
    path.insert(path.end(), levels->begin(), levels->end());
    const RegistryKey* found = keyAt(path);
    endCall(false);
    if (found == nullptr)
        return keyAt(base->path) == nullptr ? kErrorKeyDeleted : kErrorFileNotFound;
    *result = issueHandle(std::move(path), access);
    return kErrorSuccess;
}

RegResult MemoryRegistry::queryValue(RegHandle key, const char* valueName, std::uint32_t* type,
                                     std::uint8_t* data, std::uint32_t* size) {
    if (data != nullptr && size == nullptr)
        return kErrorInvalidParameter;
    const OpenKey* open = openKeyOf(key);
    if (open == nullptr)
        return kErrorInvalidHandle;
    if ((open->access & kKeyQueryValue) == 0)
        return kErrorAccessDenied;

    if (const RegResult begun = beginCall(false); begun != kErrorSuccess)
        return begun;
    const RegResult result = copyValue(open->path, valueName, type, data, size);
    endCall(false);
    return result;
}

RegResult MemoryRegistry::copyValue(const std::vector<std::string>& path, const char* valueName,
                                    std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) {
    const RegistryKey* found = keyAt(path);
    if (found == nullptr)
        return kErrorKeyDeleted;
    const RegistryValue* value = found->findValue(valueName ? valueName : "");
    if (value == nullptr)
        return kErrorFileNotFound;

    const auto length = static_cast<std::uint32_t>(value->data.size());
    RegResult result = kErrorSuccess;
    if (data != nullptr && length > 0) {
        if (length > *size) {
            result = kErrorMoreData;
        } else {
            std::memcpy(data, value->data.data(), length);
            // Text stored without its NUL gets one when the buffer has room,
            // though the size reported does not count it.
            if (isTextType(value->type) && length < *size && data[length - 1] != 0)
                data[length] = 0;
        }
    }
    if (type != nullptr)
        *type = value->type;
    if (size != nullptr)
        *size = length;
    return result;
}

RegResult MemoryRegistry::setValue(RegHandle key, const char* valueName, std::uint32_t type,
                                   const std::uint8_t* data, std::uint32_t size) {
    const OpenKey* open = openKeyOf(key);
    if (open == nullptr)
        return kErrorInvalidHandle;
    if ((open->access & kKeySetValue) == 0)
        return kErrorAccessDenied;
    if (data == nullptr && size > 0)
        return kErrorNoAccess;
    // As in the system registry: text whose counted bytes lack their NUL gets
    // the NUL right after them counted too.
    if (data != nullptr && size > 0 && isTextType(type) && data[size - 1] != 0 && data[size] == 0)
        ++size;

    if (const RegResult begun = beginCall(true); begun != kErrorSuccess)
        return begun;
    RegistryKey* found = keyAt(open->path);
    if (found == nullptr) {
        endCall(false);
        return kErrorKeyDeleted;
    }
    const std::string name = valueName ? valueName : "";
    std::string bytes =
        data ? std::string(reinterpret_cast<const char*>(data), size) : std::string();
    if (RegistryValue* value = found->findValue(name)) {
        value->type = type;
        value->data = std::move(bytes);
    } else {
        found->values.push_back(RegistryValue{name, type, std::move(bytes)});
    }
    return endCall(true);
}

RegResult MemoryRegistry::closeKey(RegHandle key) {
    if (key == kHKeyClassesRoot)
        return kErrorSuccess;
    return m_open.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}
