#include "recording_registry.h"

#include "mini_test.h"

namespace {

std::string valueNameText(const std::string& name) {
    return name.empty() ? std::string("@") : mini_test::show(name);
}

std::string dataText(std::uint32_t type, const std::string& data) {
    if (type == kRegSz)
        return mini_test::show(data);
    if (type == kRegDword && data.size() == 4) {
        std::uint32_t bits = 0;
        for (int i = 3; i >= 0; --i)
            bits = bits << 8 | static_cast<unsigned char>(data[static_cast<std::size_t>(i)]);
        return "dword " + std::to_string(static_cast<std::int32_t>(bits));
    }
    static const char kDigits[] = "0123456789abcdef";
    std::string out = "type " + std::to_string(type) + " bytes";
    for (const char c : data) {
        const auto byte = static_cast<unsigned char>(c);
        out += ' ';
        out += kDigits[byte >> 4];
        out += kDigits[byte & 0xF];
    }
    return out;
}

RecordingRegistry::Call makeCall(const char* what, std::string key, std::string name) {
    RecordingRegistry::Call call;
    call.what = what;
    call.key = std::move(key);
    call.name = std::move(name);
    return call;
}

} // namespace

std::string RecordingRegistry::Call::line() const {
    const std::string where = key.empty() ? std::string("(root)") : key;
    std::string out = what + ' ';
    if (what == "create" || what == "open")
        out += name;
    else if (what == "query")
        out += where + ' ' + valueNameText(name) + (withData ? " data" : " size");
    else if (what == "set")
        out += where + ' ' + valueNameText(name) + " = " + dataText(type, data);
    else
        out += where;
    if (result != kErrorSuccess)
        out += " -> " + std::to_string(result);
    return out;
}

std::string RecordingRegistry::pathOf(RegHandle key) const {
    const auto it = m_paths.find(key);
    return it == m_paths.end() ? "(unknown handle)" : it->second;
}

std::string RecordingRegistry::pathBelow(RegHandle key, const char* subKey) const {
    const std::string base = pathOf(key);
    const std::string sub = subKey ? subKey : "";
    if (base.empty())
        return sub;
    return sub.empty() ? base : base + '\\' + sub;
}

RegResult RecordingRegistry::createKey(RegHandle key, const char* subKey, std::uint32_t options,
                                       std::uint32_t access, RegHandle* result,
                                       std::uint32_t* disposition) {
    Call call = makeCall("create", pathOf(key), pathBelow(key, subKey));
    call.options = options;
    call.access = access;
    call.result = m_inner.createKey(key, subKey, options, access, result, disposition);
    if (call.result == kErrorSuccess)
        m_paths[*result] = call.name;
    m_calls.push_back(call);
    return call.result;
}

RegResult RecordingRegistry::openKey(RegHandle key, const char* subKey, std::uint32_t options,
                                     std::uint32_t access, RegHandle* result) {
    Call call = makeCall("open", pathOf(key), pathBelow(key, subKey));
    call.options = options;
    call.access = access;
    call.result = m_inner.openKey(key, subKey, options, access, result);
    if (call.result == kErrorSuccess)
        m_paths[*result] = call.name;
    m_calls.push_back(call);
    return call.result;
}

RegResult RecordingRegistry::queryValue(RegHandle key, const char* valueName, std::uint32_t* type,
                                        std::uint8_t* data, std::uint32_t* size) {
    Call call = makeCall("query", pathOf(key), valueName ? valueName : "");
    call.withData = data != nullptr;
    call.result = m_inner.queryValue(key, valueName, type, data, size);
    m_calls.push_back(call);
    return call.result;
}

RegResult RecordingRegistry::setValue(RegHandle key, const char* valueName, std::uint32_t type,
                                      const std::uint8_t* data, std::uint32_t size) {
    Call call = makeCall("set", pathOf(key), valueName ? valueName : "");
    call.type = type;
    if (data != nullptr)
        call.data.assign(reinterpret_cast<const char*>(data), size);
    call.result = m_inner.setValue(key, valueName, type, data, size);
    m_calls.push_back(call);
    return call.result;
}

RegResult RecordingRegistry::closeKey(RegHandle key) {
    Call call = makeCall("close", pathOf(key), {});
    call.result = m_inner.closeKey(key);
    if (call.result == kErrorSuccess && key != m_root)
        m_paths.erase(key);
    m_calls.push_back(call);
    return call.result;
}

std::vector<std::string> RecordingRegistry::lines() const {
    std::vector<std::string> out;
    for (const Call& call : m_calls)
        out.push_back(call.line());
    return out;
}

std::vector<std::string> RecordingRegistry::changes() const {
    std::vector<std::string> out;
    for (const Call& call : m_calls)
        if (call.what == "create" || call.what == "set")
            out.push_back(call.line());
    return out;
}
