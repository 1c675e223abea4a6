#include "platform/text_codec.h"

#include "platform/utf8.h"

#include <QStringDecoder>

#include <array>
#include <string_view>

namespace {

// Windows-1252 bytes 0x80..0x9F; zero marks the five unassigned bytes, which
// map to the C1 control of the same number, as Windows itself does.
constexpr std::array<char16_t, 32> kHighBlock = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

// QString::fromUtf8() drops a byte-order mark at the start; the caller has
// skipped the file's own already, so a second one is text and stays.
QString decodeUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

} // namespace

namespace TextCodec {

QString decodeWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        char16_t u = b;
        if (b >= 0x80 && b <= 0x9F && kHighBlock[b - 0x80] != 0)
            u = kHighBlock[b - 0x80];
        *out++ = QChar(u);
    }
    return text;
}

std::optional<QByteArray> encodeWindows1252(QStringView text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(static_cast<char>(u));
            continue;
        }
        int found = -1;
        for (int i = 0; i < 32; ++i) {
            if (kHighBlock[i] == u || (kHighBlock[i] == 0 && u == 0x80 + i)) {
                found = i;
                break;
            }
        }
        if (found < 0)
            return std::nullopt;
        bytes.append(static_cast<char>(0x80 + found));
    }
    return bytes;
}

bool isAscii(QByteArrayView bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool isValidUtf8(QByteArrayView bytes) {
    return utf8::isWellFormed(
        std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())));
}

QString decodePlaylist(QByteArrayView bytes, const PathRules& rules) {
    if (bytes.startsWith(kUtf8Bom))
        return decodeUtf8(bytes.sliced(kUtf8Bom.size()));
    if (!rules.isWindows() && isValidUtf8(bytes))
        return decodeUtf8(bytes);
    return decodeWindows1252(bytes);
}

QByteArray keepingLeadingMark(QByteArray utf8) {
    if (utf8.startsWith(kUtf8Bom))
        utf8.prepend(kUtf8Bom);
    return utf8;
}

QByteArray encodePlaylist(QStringView text, const PathRules& rules) {
    if (!rules.isWindows())
        return keepingLeadingMark(text.toUtf8());
    // Code-page text that begins with the mark's three bytes ("ï»¿") would
    // lose them on reading: UTF-8 behind a mark keeps them.
    if (std::optional<QByteArray> ansi = encodeWindows1252(text);
        ansi && !ansi->startsWith(kUtf8Bom))
        return *ansi;
    return kUtf8Bom + text.toUtf8();
}

} // namespace TextCodec
