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

const GenreTable& genres() {
    static const GenreTable table = [] {
        GenreTable t;
        t.fill();
        return t;
    }();
    return table;
}

// Input layout: genre byte, track byte, then the seven text fields as UTF-8
// separated by 0xFF bytes (a byte UTF-8 never uses).
ID3Tag recordFrom(QByteArrayView input) {
    ID3Tag tag;
    tag.Genre = static_cast<quint8>(input[0]);
    tag.Track = static_cast<quint8>(input[1]);
    std::array<QString*, 7> fields = {&tag.Tag,  &tag.Title,   &tag.Artist, &tag.Album,
                                      &tag.Year, &tag.Comment, &tag.Version};
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

void checkMessage(const ID3Tag& tag) {
    const QString text = tagMessageText(tag, genres());
    const QString genreLine = QStringLiteral("Genre: ") + genres().sGenreName(tag.Genre);
    const std::array<std::pair<QString, bool>, 8> lines = {{
        {QStringLiteral("Title: ") + tag.Title, !tag.Title.isEmpty()},
        {QStringLiteral("Artist: ") + tag.Artist, !tag.Artist.isEmpty()},
        {QStringLiteral("Album: ") + tag.Album, !tag.Album.isEmpty()},
        {QStringLiteral("Track: ") + QString::number(tag.Track), tag.Track != 0},
        {QStringLiteral("Year: ") + tag.Year, !tag.Year.isEmpty()},
        {QStringLiteral("Notes: ") + tag.Comment, !tag.Comment.isEmpty()},
        {genreLine, tag.Genre != 0},
        {QStringLiteral("ID3 Version: ") + tag.Version, !tag.Version.isEmpty()},
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
    ID3Tag decoded;
    if (input.size() >= kID3TrailerSize && decodeID3Tag(input.first(kID3TrailerSize), decoded))
        checkMessage(decoded);
    return 0;
}
