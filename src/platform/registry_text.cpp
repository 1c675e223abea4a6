#include "platform/registry_text.h"

#include "platform/hex_digits.h"
#include "platform/utf8.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr std::string_view kHeader =
    "; Songbinder's file types, standing in for HKEY_CLASSES_ROOT.\n"
    "; Written by the program; text values show the NUL they were stored with.\n";

void appendHexByte(std::string& out, unsigned char byte) {
    constexpr char kDigits[] = "0123456789abcdef";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
}

// Escapes what a line of text cannot show: `escape` comes before the two hex
// digits of such a byte, and before any byte listed in `special`.
template <typename EscapeSpecial>
std::string escapeBytes(std::string_view bytes, std::string_view escape,
                        EscapeSpecial escapeSpecial) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (escapeSpecial(out, bytes[i])) {
            ++i;
        } else if (byte < 0x20 || byte == 0x7F) {
            out += escape;
            appendHexByte(out, byte);
            ++i;
        } else if (byte < 0x80) {
            out += bytes[i++];
        } else if (const std::size_t length = utf8::sequenceLength(bytes, i); length > 0) {
            out += bytes.substr(i, length);
            i += length;
        } else {
            out += escape;
            appendHexByte(out, byte);
            ++i;
        }
    }
    return out;
}

// A key name in a section header: '%' and the bytes above as %XX. So is a
// backslash, which would otherwise split the name in two when read back (a
// name read from "%5c" holds one).
std::string escapeKeyName(std::string_view name) {
    return escapeBytes(name, "%", [](std::string& out, char c) {
        if (c == '%')
            out += "%25";
        else if (c == '\\')
            out += "%5c";
        else
            return false;
        return true;
    });
}

// A value name or text between double quotes: C-like escapes.
std::string quote(std::string_view bytes) {
    return '"' +
           escapeBytes(bytes, "\\x",
                       [](std::string& out, char c) {
                           switch (c) {
                           case '\\':
                               out += "\\\\";
                               return true;
                           case '"':
                               out += "\\\"";
                               return true;
                           case '\0':
                               out += "\\0";
                               return true;
                           default:
                               return false;
                           }
                       }) +
           '"';
}

void formatValue(std::string& out, const RegistryValue& value) {
    out += value.name.empty() ? std::string("@") : quote(value.name);
    out += '=';
    if (value.type == kRegSz) {
        out += "sz:" + quote(value.data);
    } else if (value.type == kRegDword && value.data.size() == 4) {
        out += "dword:";
        for (int i = 3; i >= 0; --i)
            appendHexByte(out, static_cast<unsigned char>(value.data[static_cast<std::size_t>(i)]));
    } else {
        out += "hex(" + std::to_string(value.type) + "):";
        for (std::size_t i = 0; i < value.data.size(); ++i) {
            if (i > 0)
                out += ',';
            appendHexByte(out, static_cast<unsigned char>(value.data[i]));
        }
    }
    out += '\n';
}

void formatKey(std::string& out, const RegistryKey& key, const std::string& path) {
    if (!path.empty() || !key.values.empty()) {
        out += "\n[" + path + "]\n";
        for (const RegistryValue& value : key.values)
            formatValue(out, value);
    }
    std::vector<const RegistryKey*> children;
    for (const RegistryKey& child : key.subKeys)
        children.push_back(&child);
    std::sort(children.begin(), children.end(), [](const RegistryKey* a, const RegistryKey* b) {
        return registryNameLess(a->name, b->name);
    });
    for (const RegistryKey* child : children)
        formatKey(out, *child,
                  path.empty() ? escapeKeyName(child->name)
                               : path + '\\' + escapeKeyName(child->name));
}

// Reads the two hex digits at text[at]; -1 when they are not there.
int hexByte(std::string_view text, std::size_t at) {
    if (at + 2 > text.size())
        return -1;
    const int high = hexDigitValue(text[at]);
    const int low = hexDigitValue(text[at + 1]);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

// Reading one line, left to right.
class LineReader {
public:
    explicit LineReader(std::string_view line)
        : m_line(line) {}

    bool atEnd() const { return m_at == m_line.size(); }
    bool take(std::string_view literal) {
        if (m_line.substr(m_at, literal.size()) != literal)
            return false;
        m_at += literal.size();
        return true;
    }
    // A double-quoted text with C-like escapes.
    std::optional<std::string> quoted() {
        if (!take("\""))
            return std::nullopt;
        std::string out;
        while (m_at < m_line.size()) {
            const char c = m_line[m_at++];
            if (c == '"')
                return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_at == m_line.size())
                return std::nullopt;
            const char e = m_line[m_at++];
            if (e == '\\' || e == '"') {
                out += e;
            } else if (e == '0') {
                out += '\0';
            } else if (e == 'x') {
                const int byte = hexByte(m_line, m_at);
                if (byte < 0)
                    return std::nullopt;
                out += static_cast<char>(byte);
                m_at += 2;
            } else {
                return std::nullopt;
            }
        }
        return std::nullopt;
    }
    // A decimal number below 2^32.
    std::optional<std::uint32_t> number() {
        std::uint64_t n = 0;
        const std::size_t start = m_at;
        while (m_at < m_line.size() && m_line[m_at] >= '0' && m_line[m_at] <= '9') {
            n = n * 10 + static_cast<std::uint64_t>(m_line[m_at++] - '0');
            if (n > 0xFFFFFFFFu)
                return std::nullopt;
        }
        return m_at == start ? std::nullopt : std::optional<std::uint32_t>(std::uint32_t(n));
    }
    // Hex bytes separated by commas, to the end of the line.
    std::optional<std::string> hexList() {
        std::string out;
        while (!atEnd()) {
            if (!out.empty() && !take(","))
                return std::nullopt;
            const int byte = hexByte(m_line, m_at);
            if (byte < 0)
                return std::nullopt;
            out += static_cast<char>(byte);
            m_at += 2;
        }
        return out;
    }
    std::optional<std::string> dword() {
        if (m_line.size() - m_at != 8)
            return std::nullopt;
        std::string out(4, '\0');
        for (std::size_t i = 0; i < 4; ++i) {
            const int byte = hexByte(m_line, m_at + 2 * i);
            if (byte < 0)
                return std::nullopt;
            out[3 - i] = static_cast<char>(byte);
        }
        m_at = m_line.size();
        return out;
    }

private:
    std::string_view m_line;
    std::size_t m_at = 0;
};

std::optional<RegistryValue> parseValue(std::string_view line) {
    LineReader reader(line);
    RegistryValue value;
    if (!reader.take("@")) {
        std::optional<std::string> name = reader.quoted();
        if (!name)
            return std::nullopt;
        value.name = std::move(*name);
    }
    if (!reader.take("="))
        return std::nullopt;
    std::optional<std::string> data;
    if (reader.take("sz:")) {
        value.type = kRegSz;
        data = reader.quoted();
    } else if (reader.take("dword:")) {
        value.type = kRegDword;
        data = reader.dword();
    } else if (reader.take("hex(")) {
        const std::optional<std::uint32_t> type = reader.number();
        if (!type || !reader.take("):"))
            return std::nullopt;
        value.type = *type;
        data = reader.hexList();
    }
    if (!data || !reader.atEnd())
        return std::nullopt;
    value.data = std::move(*data);
    return value;
}

// The key a section header names, created along its path.
RegistryKey* sectionKey(RegistryKey& root, std::string_view path) {
    RegistryKey* key = &root;
    if (path.empty())
        return key;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        std::string name;
        for (std::size_t i = start; i < end; ++i) {
            if (path[i] != '%') {
                name += path[i];
                continue;
            }
            const int byte = hexByte(path, i + 1);
            if (byte < 0)
                return nullptr;
            name += static_cast<char>(byte);
            i += 2;
        }
        if (name.empty())
            return nullptr;
        RegistryKey* child = key->findSubKey(name);
        if (child == nullptr) {
            key->subKeys.push_back(RegistryKey{std::move(name), {}, {}});
            child = &key->subKeys.back();
        }
        key = child;
        if (end == path.size())
            return key;
        start = end + 1;
    }
}

std::string_view trimmed(std::string_view line) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!line.empty() && blank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && blank(line.back()))
        line.remove_suffix(1);
    return line;
}

} // namespace

std::string formatRegistryText(const RegistryKey& root) {
    std::string out(kHeader);
    formatKey(out, root, {});
    return out;
}

std::optional<RegistryKey> parseRegistryText(std::string_view text) {
    RegistryKey root;
    RegistryKey* current = nullptr;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 2)
                return std::nullopt;
            current = sectionKey(root, line.substr(1, line.size() - 2));
            if (current == nullptr)
                return std::nullopt;
            continue;
        }
        std::optional<RegistryValue> value = parseValue(line);
        if (!value || current == nullptr)
            return std::nullopt;
        if (RegistryValue* existing = current->findValue(value->name))
            *existing = std::move(*value);
        else
            current->values.push_back(std::move(*value));
    }
    return root;
}
