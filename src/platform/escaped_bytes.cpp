#include "platform/escaped_bytes.h"

#include "platform/text_codec.h"
#include "platform/utf8.h"

#include <string_view>

namespace {

constexpr char16_t kFirstEscape = 0xDC80;
constexpr char16_t kLastEscape = 0xDCFF;

// Whether the unit at `at` is an escape: in the range, and not the second
// half of a surrogate pair.
bool isEscapeAt(const char16_t* units, qsizetype at) {
    const char16_t unit = units[at];
    return unit >= kFirstEscape && unit <= kLastEscape &&
           (at == 0 || !QChar::isHighSurrogate(units[at - 1]));
}

// The code point of a well-formed sequence of `length` bytes.
char32_t codePoint(const unsigned char* bytes, std::size_t length) {
    if (length == 1)
        return bytes[0];
    static constexpr unsigned char kLeadMask[] = {0, 0, 0x1F, 0x0F, 0x07};
    char32_t point = bytes[0] & kLeadMask[length];
    for (std::size_t i = 1; i < length; ++i)
        point = (point << 6) | (bytes[i] & 0x3F);
    return point;
}

void appendUtf8(QByteArray& out, char32_t point) {
    if (point < 0x80) {
        out.append(static_cast<char>(point));
    } else if (point < 0x800) {
        out.append(static_cast<char>(0xC0 | (point >> 6)));
        out.append(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
        out.append(static_cast<char>(0xE0 | (point >> 12)));
        out.append(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (point & 0x3F)));
    } else {
        out.append(static_cast<char>(0xF0 | (point >> 18)));
        out.append(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
        out.append(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (point & 0x3F)));
    }
}

} // namespace

namespace EscapedBytes {

bool holdsEscapes(QStringView text) {
    const char16_t* units = text.utf16();
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (isEscapeAt(units, at))
            return true;
    }
    return false;
}

QString fromBytes(QByteArrayView bytes) {
    const std::string_view view(bytes.data(), static_cast<std::size_t>(bytes.size()));
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    QString text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < view.size();) {
        const std::size_t length = utf8::sequenceLength(view, at);
        if (length == 0) {
            text.append(QChar(char16_t(0xDC00 + data[at])));
            ++at;
            continue;
        }
        const char32_t point = codePoint(data + at, length);
        if (QChar::requiresSurrogates(point)) {
            text.append(QChar(QChar::highSurrogate(point)));
            text.append(QChar(QChar::lowSurrogate(point)));
        } else {
            text.append(QChar(char16_t(point)));
        }
        at += length;
    }
    return text;
}

void appendBytes(QByteArray& out, QStringView text) {
    const char16_t* units = text.utf16();
    for (qsizetype at = 0; at < text.size(); ++at) {
        const char16_t unit = units[at];
        if (isEscapeAt(units, at)) {
            out.append(static_cast<char>(unit - 0xDC00));
        } else if (QChar::isHighSurrogate(unit) && at + 1 < text.size() &&
                   QChar::isLowSurrogate(units[at + 1])) {
            appendUtf8(out, QChar::surrogateToUcs4(unit, units[at + 1]));
            ++at;
        } else if (QChar::isSurrogate(unit)) {
            appendUtf8(out, QChar::ReplacementCharacter);
        } else {
            appendUtf8(out, unit);
        }
    }
}

QByteArray toBytes(QStringView text) {
    QByteArray bytes;
    bytes.reserve(text.size() * 3);
    appendBytes(bytes, text);
    return bytes;
}

QString forDisplay(const QString& text) {
    if (!holdsEscapes(text))
        return text;
    return TextCodec::decodeWindows1252(toBytes(text));
}

} // namespace EscapedBytes
