#include "registry/registry_module.h"

#include <charconv>
#include <new>
#include <optional>

namespace {

constexpr RegResult kErrorNotEnoughMemory = 8;

std::string valueAsText(const RegValue& value) {
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return std::to_string(*number);
    return {};
}

// A text counts as an integer when it is one, blanks around it allowed.
std::optional<std::int32_t> valueAsInteger(const RegValue& value) {
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return *number;
    const auto* text = std::get_if<std::string>(&value);
    if (text == nullptr)
        return 0;
    const std::size_t first = text->find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    const std::size_t last = text->find_last_not_of(' ');
    const char* begin = text->data() + first;
    const char* end = text->data() + last + 1;
    if (*begin == '+')
        ++begin;
    std::int32_t number = 0;
    const auto [stop, error] = std::from_chars(begin, end, number);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

// REG_DWORD data is the integer's four bytes, lowest first.
void putLittleEndian(std::int32_t number, std::uint8_t (&bytes)[4]) {
    const auto bits = static_cast<std::uint32_t>(number);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::int32_t getLittleEndian(const std::uint8_t (&bytes)[4]) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= std::uint32_t{bytes[i]} << (8 * i);
    return static_cast<std::int32_t>(bits);
}

} // namespace

RegResult RegistryModule::writeValue(RegHandle key, const std::string& valueName, std::int32_t type,
                                     const RegValue& value) {
    if (type == static_cast<std::int32_t>(kRegSz)) {
        const std::string text = valueAsText(value);
        // The size counts the terminating NUL that c_str() supplies.
        return m_backend.setValue(key, valueName.c_str(), kRegSz,
                                  reinterpret_cast<const std::uint8_t*>(text.c_str()),
                                  static_cast<std::uint32_t>(text.size() + 1));
    }
    if (type == static_cast<std::int32_t>(kRegDword)) {
        const std::optional<std::int32_t> number = valueAsInteger(value);
        // A text that is no number is refused rather than stored as 0.
        if (!number)
            return kErrorInvalidParameter;
        std::uint8_t bytes[4];
        putLittleEndian(*number, bytes);
        return m_backend.setValue(key, valueName.c_str(), kRegDword, bytes, sizeof bytes);
    }
    return kErrorSuccess;
}

RegResult RegistryModule::readValue(RegHandle key, const std::string& valueName, RegValue& value) {
    std::uint32_t storedType = kRegNone;
    std::uint32_t size = 0;
    const RegResult asked =
        m_backend.queryValue(key, valueName.c_str(), &storedType, nullptr, &size);
    if (asked != kErrorSuccess)
        return asked;

    if (storedType == kRegSz) {
        std::string buffer;
        try {
            buffer.assign(size, '\0');
        } catch (const std::bad_alloc&) {
            return kErrorNotEnoughMemory;
        }
        std::uint32_t got = size;
        const RegResult read = m_backend.queryValue(
            key, valueName.c_str(), nullptr, reinterpret_cast<std::uint8_t*>(buffer.data()), &got);
        if (read == kErrorSuccess)
            value = std::move(buffer);
        else
            value = std::monostate{};
        return read;
    }
    if (storedType == kRegDword) {
        std::uint8_t bytes[4] = {};
        std::uint32_t got = sizeof bytes;
        const RegResult read = m_backend.queryValue(key, valueName.c_str(), nullptr, bytes, &got);
        if (read == kErrorSuccess)
            value = getLittleEndian(bytes);
        return read;
    }
    return -1;
}

RegResult RegistryModule::createKey(RegHandle rootKey, const std::string& keyPath) {
    RegHandle created = 0;
    std::uint32_t disposition = 0;
    const RegResult result = m_backend.createKey(rootKey, keyPath.c_str(), kRegOptionNonVolatile,
                                                 kKeyReadWrite, &created, &disposition);
    // A key that could not be created leaves no handle to close.
    if (result == kErrorSuccess)
        m_backend.closeKey(created);
    return result;
}

RegResult RegistryModule::writeKeyValue(RegHandle rootKey, const std::string& keyPath,
                                        const std::string& valueName, const RegValue& value,
                                        std::int32_t type) {
    RegHandle key = 0;
    // The key is opened, never created: a missing key gets nothing, and a
    // handle that was never opened is never used.
    if (const RegResult opened =
            m_backend.openKey(rootKey, keyPath.c_str(), 0, kKeyReadWrite, &key);
        opened != kErrorSuccess)
        return opened;
    const RegResult written = writeValue(key, valueName, type, value);
    m_backend.closeKey(key);
    return written;
}

RegValue RegistryModule::readKeyValue(RegHandle rootKey, const std::string& keyPath,
                                      const std::string& valueName) {
    RegValue value;
    RegHandle key = 0;
    if (m_backend.openKey(rootKey, keyPath.c_str(), 0, kKeyReadWrite, &key) != kErrorSuccess)
        return value;
    readValue(key, valueName, value);
    m_backend.closeKey(key);
    return value;
}
