#include "tags/id3_tag.h"

#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "platform/utf8.h"

#include <string_view>

namespace {

// Where each text field sits in the trailer.
struct Field {
    qsizetype offset;
    qsizetype width;
};
constexpr Field kIdentifier{0, 3};
constexpr Field kTitle{3, 30};
constexpr Field kArtist{33, 30};
constexpr Field kAlbum{63, 30};
constexpr Field kYear{93, 4};
constexpr Field kComment{97, 30};
// An ID3v1.1 tag gives the last two comment bytes to a zero and the track.
constexpr qsizetype kShortCommentWidth = 28;
constexpr qsizetype kTrackMarkerOffset = 125;
constexpr qsizetype kTrackOffset = 126;
constexpr qsizetype kGenreOffset = 127;

std::string_view asStdView(QByteArrayView bytes) {
    return {bytes.data(), static_cast<std::size_t>(bytes.size())};
}

// Taggers write either the Windows code page or UTF-8. Plain ASCII reads the
// same in both, so well-formed UTF-8 decides.
QString decodeText(QByteArrayView bytes) {
    if (utf8::isWellFormed(asStdView(bytes)))
        return QString::fromUtf8(bytes);
    // A UTF-8 character cut off by the field's end shows as one replacement
    // character instead of turning the whole field into Windows-1252 noise.
    // A single lead byte after plain ASCII is not taken as such a cut: it is
    // far more often a Windows-1252 letter ("Caf\xE9").
    if (const auto cut = static_cast<qsizetype>(utf8::incompleteTailLength(asStdView(bytes)));
        cut > 0) {
        const QByteArrayView head = bytes.chopped(cut);
        if (utf8::isWellFormed(asStdView(head)) && (cut > 1 || !TextCodec::isAscii(head)))
            return QString::fromUtf8(head) + QChar(QChar::ReplacementCharacter);
    }
    return TextCodec::decodeWindows1252(bytes);
}

// A text field with its NUL bytes read as spaces and its trailing spaces
// removed. Cleaning the bytes before decoding is the same as cleaning the
// text (NUL and space are one byte in both encodings and never part of a
// longer UTF-8 character), and it brings a cut character to the very end.
QString fieldText(QByteArrayView trailer, Field field) {
    QByteArray bytes = trailer.sliced(field.offset, field.width).toByteArray();
    bytes.replace('\0', ' ');
    qsizetype end = bytes.size();
    while (end > 0 && bytes.at(end - 1) == ' ')
        --end;
    bytes.truncate(end);
    return decodeText(bytes);
}

} // namespace

std::optional<Id3Tag> decodeId3Tag(QByteArrayView trailer) {
    if (trailer.size() != kId3TrailerSize)
        return std::nullopt;
    if (trailer.first(kIdentifier.width).compare("TAG", Qt::CaseInsensitive) != 0)
        return std::nullopt;

    Id3Tag tag;
    tag.identifier = fieldText(trailer, kIdentifier);
    tag.title = fieldText(trailer, kTitle);
    tag.artist = fieldText(trailer, kArtist);
    tag.album = fieldText(trailer, kAlbum);
    tag.year = fieldText(trailer, kYear);
    // Decided on the bytes as stored, before any NUL becomes a space.
    const bool v11 = trailer[kTrackMarkerOffset] == '\0' && trailer[kTrackOffset] != '\0';
    tag.comment = fieldText(trailer, {kComment.offset, v11 ? kShortCommentWidth : kComment.width});
    tag.track = v11 ? static_cast<quint8>(trailer[kTrackOffset]) : quint8(0);
    tag.version = v11 ? QStringLiteral("ID3v1.1") : QStringLiteral("ID3v1.0");
    tag.genre = static_cast<quint8>(trailer[kGenreOffset]);
    return tag;
}

std::optional<Id3Tag> readId3Tag(FileSystem& fs, const QString& path) {
    // Only ordinary files are opened: a folder, a hidden or a system file is
    // not found by a normal search. Under POSIX rules '*' and '?' are part
    // of the name: "Track?.mp3" must not show the tag of "Track1.mp3".
    if (!isOrdinaryFile(fs, path))
        return std::nullopt;
    // The file may have gone, be locked or be unreadable by now: that, like a
    // file shorter than a trailer, is simply no tag.
    const std::optional<QByteArray> trailer = fs.readFileTail(path, kId3TrailerSize);
    if (!trailer)
        return std::nullopt;
    return decodeId3Tag(*trailer);
}
