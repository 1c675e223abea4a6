// Builds the tag message from arbitrary records and from decoded trailers,
// and checks its shape.
#include "fuzz_check.h"
#include "tags/genres.h"
#include "tags/id3_tag.h"
#include "tags/tag_message.h"

#include <QByteArray>
#include <QStringList>

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

// Input layout: genre byte, track byte, then the seven text fields as UTF-8
// separated by 0xFF bytes (a byte UTF-8 never uses).
Id3Tag recordFrom(QByteArrayView input) {
    Id3Tag tag;
    tag.genre = static_cast<quint8>(input[0]);
    tag.track = static_cast<quint8>(input[1]);
    std::array<QString*, 7> fields = {&tag.identifier, &tag.title,   &tag.artist, &tag.album,
                                      &tag.year,       &tag.comment, &tag.version};
    qsizetype start = 2;
    for (QString* field : fields) {
        if (start > input.size())
            break;
        qsizetype end = input.indexOf('\xFF', start);
        if (end < 0)
            end = input.size();
        *field = QString::fromUtf8(input.sliced(start, end - start));
        start = end + 1;
    }
    return tag;
}

void checkMessage(const Id3Tag& tag) {
    const QString text = tagMessageText(tag);
    const QString genreLine = QStringLiteral("Genre: ") + genreName(tag.genre);
    const std::array<std::pair<QString, bool>, 8> lines = {{
        {QStringLiteral("Title: ") + tag.title, !tag.title.isEmpty()},
        {QStringLiteral("Artist: ") + tag.artist, !tag.artist.isEmpty()},
        {QStringLiteral("Album: ") + tag.album, !tag.album.isEmpty()},
        {QStringLiteral("Track: ") + QString::number(tag.track), tag.track != 0},
        {QStringLiteral("Year: ") + tag.year, !tag.year.isEmpty()},
        {QStringLiteral("Notes: ") + tag.comment, !tag.comment.isEmpty()},
        {genreLine, tag.genre != 0},
        {QStringLiteral("ID3 Version: ") + tag.version, !tag.version.isEmpty()},
    }};
    // Exactly the present lines, in order, with CR LF between them.
    qsizetype at = 0;
    bool first = true;
    for (const auto& [line, shown] : lines) {
        if (!shown)
            continue;
        if (!first) {
            require(QStringView(text).sliced(at).startsWith(QLatin1String("\r\n")),
                    "CR LF between lines");
            at += 2;
        }
        require(QStringView(text).sliced(at).startsWith(line), "line in its place");
        at += line.size();
        first = false;
    }
    require(at == text.size(), "nothing after the last line");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (input.size() >= 2)
        checkMessage(recordFrom(input));
    // Also what the decoder really hands over.
    if (input.size() >= kId3TrailerSize) {
        if (const std::optional<Id3Tag> decoded = decodeId3Tag(input.first(kId3TrailerSize)))
            checkMessage(*decoded);
    }
    return 0;
}
