#pragma once

#include <cstddef>
#include <string_view>

// Well-formed UTF-8, the one place that says what it is: no overlong forms,
// no surrogates (U+D800..U+DFFF), nothing past U+10FFFF. Playlist text, tag
// fields and the registry store all decide with these functions, so a byte
// sequence is never UTF-8 to one of them and not to another.
//
// Standard C++ only: the registry store is also built where there is no Qt.
namespace utf8 {

namespace detail {

// What may follow a lead byte: how many bytes the sequence has in all, and
// the range of its second byte (the later ones are always 0x80..0xBF).
struct Lead {
    std::size_t length = 0; // 0: the byte begins no sequence
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
};

constexpr Lead lead(unsigned char byte) {
    if (byte < 0x80)
        return {1, 0, 0};
    if (byte >= 0xC2 && byte <= 0xDF)
        return {2, 0x80, 0xBF};
    if (byte == 0xE0)
        return {3, 0xA0, 0xBF}; // below: overlong
    if (byte == 0xED)
        return {3, 0x80, 0x9F}; // above: surrogates
    if (byte >= 0xE1 && byte <= 0xEF)
        return {3, 0x80, 0xBF};
    if (byte == 0xF0)
        return {4, 0x90, 0xBF}; // below: overlong
    if (byte >= 0xF1 && byte <= 0xF3)
        return {4, 0x80, 0xBF};
    if (byte == 0xF4)
        return {4, 0x80, 0x8F}; // above: past U+10FFFF
    return {};                  // continuation bytes, C0, C1, F5..FF
}

// Whether the byte may stand at position `index` (1 or later) of a sequence
// that begins with `first`.
constexpr bool fits(const Lead& first, std::size_t index, unsigned char byte) {
    return index == 1 ? byte >= first.secondLow && byte <= first.secondHigh
                      : byte >= 0x80 && byte <= 0xBF;
}

} // namespace detail

// The length (1 to 4) of the well-formed sequence that begins at bytes[at];
// 0 when the bytes there are not one, are cut short by the end, or `at` is
// past the end.
constexpr std::size_t sequenceLength(std::string_view bytes, std::size_t at) {
    if (at >= bytes.size())
        return 0;
    const detail::Lead first = detail::lead(static_cast<unsigned char>(bytes[at]));
    if (first.length == 0 || first.length > bytes.size() - at)
        return 0;
    for (std::size_t i = 1; i < first.length; ++i)
        if (!detail::fits(first, i, static_cast<unsigned char>(bytes[at + i])))
            return 0;
    return first.length;
}

// True when all of `bytes` is well-formed UTF-8 (plain ASCII and no bytes at
// all included).
constexpr bool isWellFormed(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = sequenceLength(bytes, at);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

// The length (1 to 3) of a sequence at the very end of `bytes` that is well
// formed as far as it goes but lacks its last bytes, as when a fixed-width
// field cuts a character off; 0 when the bytes do not end so. What comes
// before that sequence is not looked at.
constexpr std::size_t incompleteTailLength(std::string_view bytes) {
    for (std::size_t present = 1; present <= 3 && present <= bytes.size(); ++present) {
        const std::size_t start = bytes.size() - present;
        const auto byte = static_cast<unsigned char>(bytes[start]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: the lead is further back
        const detail::Lead first = detail::lead(byte);
        if (present >= first.length)
            return 0; // not a lead byte, or its sequence has all its bytes
        for (std::size_t i = 1; i < present; ++i)
            if (!detail::fits(first, i, static_cast<unsigned char>(bytes[start + i])))
                return 0;
        return present;
    }
    return 0;
}

} // namespace utf8
