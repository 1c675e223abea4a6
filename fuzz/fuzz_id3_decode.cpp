// Feeds arbitrary bytes to the trailer decoder and to the UTF-8 check its
// text fields are read with, and checks what they promise.
#include "fuzz_check.h"
#include "platform/utf8.h"
#include "tags/id3_tag.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

// Cleaned text: no NUL, no trailing space, within its field's width.
bool isClean(const QString& text, qsizetype width) {
    return text.size() <= width && !text.contains(QChar(0)) && !text.endsWith(QLatin1Char(' '));
}

// Qt's own decoder keeps exactly the well-formed UTF-8 and replaces the rest,
// so the two must agree on which bytes are UTF-8.
void checkUtf8(QByteArrayView input) {
    const std::string_view bytes(input.data(), static_cast<std::size_t>(input.size()));
    const bool wellFormed = utf8::isWellFormed(bytes);
    require(wellFormed == (QString::fromUtf8(input).toUtf8() == input),
            "well-formed exactly when Qt decodes without loss");
    const std::size_t tail = utf8::incompleteTailLength(bytes);
    require(tail <= 3 && tail <= bytes.size(), "cut-off tail within three bytes");
    if (tail > 0) {
        require(!wellFormed, "a cut-off tail is not well-formed");
        require(utf8::sequenceLength(bytes, bytes.size() - tail) == 0,
                "a cut-off tail is no whole character");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkUtf8(input);

    if (input.size() != kId3TrailerSize)
        require(!decodeId3Tag(input), "a wrong size is refused");

    // The input's first 128 bytes, padded with NULs, as a trailer.
    QByteArray trailer = input.first(std::min(input.size(), kId3TrailerSize)).toByteArray();
    trailer.append(QByteArray(kId3TrailerSize - trailer.size(), '\0'));
    const std::optional<Id3Tag> tag = decodeId3Tag(trailer);
    require(tag.has_value() == (qstrnicmp(trailer.constData(), 3, "TAG", 3) == 0),
            "identifier test");
    if (!tag)
        return 0;

    const bool v11 = trailer[125] == '\0' && trailer[126] != '\0';
    require(isClean(tag->identifier, 3) && isClean(tag->title, 30) && isClean(tag->artist, 30) &&
                isClean(tag->album, 30) && isClean(tag->year, 4) &&
                isClean(tag->comment, v11 ? 28 : 30),
            "fields cleaned and within their width");
    require(tag->track == (v11 ? static_cast<quint8>(trailer[126]) : 0), "track");
    require(tag->genre == static_cast<quint8>(trailer[127]), "genre as stored");
    require(tag->version == (v11 ? QLatin1String("ID3v1.1") : QLatin1String("ID3v1.0")), "version");

    const std::optional<Id3Tag> again = decodeId3Tag(trailer);
    require(again && *again == *tag, "same bytes, same tag");
    return 0;
}
