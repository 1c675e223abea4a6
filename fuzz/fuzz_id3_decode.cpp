// Feeds arbitrary bytes to the trailer decoder and checks what it promises.
#include "fuzz_check.h"
#include "tags/id3_tag.h"

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

ID3Tag sentinel() {
    ID3Tag t;
    t.Title = QStringLiteral("sentinel");
    t.Genre = 1;
    t.Track = 2;
    return t;
}

// Cleaned text: no NUL, no trailing space, within its field's width.
bool isClean(const QString& text, qsizetype width) {
    return text.size() <= width && !text.contains(QChar(0)) && !text.endsWith(QLatin1Char(' '));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    ID3Tag untouched = sentinel();
    const bool wholeFound = decodeID3Tag(input, untouched);
    if (input.size() != kID3TrailerSize)
        require(!wholeFound && untouched == sentinel(), "a wrong size is refused untouched");

    // The input's first 128 bytes, padded with NULs, as a trailer.
    QByteArray trailer = input.first(std::min(input.size(), kID3TrailerSize)).toByteArray();
    trailer.append(QByteArray(kID3TrailerSize - trailer.size(), '\0'));
    ID3Tag tag = sentinel();
    const bool found = decodeID3Tag(trailer, tag);
    require(found == (qstrnicmp(trailer.constData(), 3, "TAG", 3) == 0), "identifier test");
    if (!found) {
        require(tag == sentinel(), "record untouched on false");
        return 0;
    }

    const bool v11 = trailer[125] == '\0' && trailer[126] != '\0';
    require(isClean(tag.Tag, 3) && isClean(tag.Title, 30) && isClean(tag.Artist, 30) &&
                isClean(tag.Album, 30) && isClean(tag.Year, 4) &&
                isClean(tag.Comment, v11 ? 28 : 30),
            "fields cleaned and within their width");
    require(tag.Track == (v11 ? static_cast<quint8>(trailer[126]) : 0), "track");
    require(tag.Genre == static_cast<quint8>(trailer[127]), "genre as stored");
    require(tag.Version == (v11 ? QLatin1String("ID3v1.1") : QLatin1String("ID3v1.0")), "version");

    ID3Tag again;
    require(decodeID3Tag(trailer, again) && again == tag, "same bytes, same tag");
    return 0;
}
