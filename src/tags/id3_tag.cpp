#include "tags/id3_tag.h"

#include "platform/file_system.h"
#include "platform/text_codec.h"

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

// What may follow a UTF-8 lead byte: how many continuation bytes, and the
// range of the first one (the others are always 0x80..0xBF). These ranges
// keep out overlong forms, surrogates and values past U+10FFFF.
struct LeadByte {
    int continuations = 0; // 0: not a lead byte
    uchar firstLow = 0x80;
    uchar firstHigh = 0xBF;
};

LeadByte leadByte(uchar b) {
    if (b >= 0xC2 && b <= 0xDF)
        return {1, 0x80, 0xBF};
    if (b == 0xE0)
        return {2, 0xA0, 0xBF};
    if (b == 0xED)
        return {2, 0x80, 0x9F};
    if (b >= 0xE1 && b <= 0xEF)
        return {2, 0x80, 0xBF};
    if (b == 0xF0)
        return {3, 0x90, 0xBF};
    if (b >= 0xF1 && b <= 0xF3)
        return {3, 0x80, 0xBF};
    if (b == 0xF4)
        return {3, 0x80, 0x8F};
    return {};
}

bool isContinuation(uchar b) {
    return (b & 0xC0) == 0x80;
}

// The length of a UTF-8 character at the very end of `bytes` that is well
// formed so far but lacks its last bytes; 0 when the bytes do not end so.
qsizetype cutUtf8Tail(QByteArrayView bytes) {
    for (qsizetype len = 1; len <= 3 && len <= bytes.size(); ++len) {
        const qsizetype start = bytes.size() - len;
        const auto first = static_cast<uchar>(bytes[start]);
        if (isContinuation(first))
            continue;
        const LeadByte lead = leadByte(first);
        if (len > lead.continuations)
            return 0; // not a lead byte, or a character that is complete
        for (qsizetype i = 1; i < len; ++i) {
            const auto b = static_cast<uchar>(bytes[start + i]);
            const uchar low = i == 1 ? lead.firstLow : uchar(0x80);
            const uchar high = i == 1 ? lead.firstHigh : uchar(0xBF);
            if (b < low || b > high)
                return 0;
        }
        return len;
    }
    return 0;
}

// Taggers write either the Windows code page or UTF-8. Plain ASCII reads the
// same in both, so valid UTF-8 decides.
QString decodeText(QByteArrayView bytes) {
    if (TextCodec::isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    // A UTF-8 character cut off by the field's end shows as one replacement
    // character instead of turning the whole field into Windows-1252 noise.
    // A single lead byte after plain ASCII is not taken as such a cut: it is
    // far more often a Windows-1252 letter ("Caf\xE9").
    if (const qsizetype cut = cutUtf8Tail(bytes); cut > 0) {
        const QByteArrayView head = bytes.chopped(cut);
        if (TextCodec::isValidUtf8(head) && (cut > 1 || !TextCodec::isAscii(head)))
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

bool decodeID3Tag(QByteArrayView trailer, ID3Tag& tag) {
    if (trailer.size() != kID3TrailerSize)
        return false;
    if (trailer.first(kIdentifier.width).compare("TAG", Qt::CaseInsensitive) != 0)
        return false;

    ID3Tag read;
    read.Tag = fieldText(trailer, kIdentifier);
    read.Title = fieldText(trailer, kTitle);
    read.Artist = fieldText(trailer, kArtist);
    read.Album = fieldText(trailer, kAlbum);
    read.Year = fieldText(trailer, kYear);
    // Decided on the bytes as stored, before any NUL becomes a space.
    const bool v11 = trailer[kTrackMarkerOffset] == '\0' && trailer[kTrackOffset] != '\0';
    read.Comment = fieldText(trailer, {kComment.offset, v11 ? kShortCommentWidth : kComment.width});
    read.Track = v11 ? static_cast<quint8>(trailer[kTrackOffset]) : quint8(0);
    read.Version = v11 ? QStringLiteral("ID3v1.1") : QStringLiteral("ID3v1.0");
    read.Genre = static_cast<quint8>(trailer[kGenreOffset]);
    tag = std::move(read);
    return true;
}

bool bReadID3Tag(FileSystem& fs, const QString& path, ID3Tag& tag) {
    // Only ordinary files are opened: a folder, a hidden or a system file is
    // not found by a normal search.
    const std::unique_ptr<FileNameSearch> search = fs.search(path, SearchMask::Normal);
    if (!search || !search->next())
        return false;
    // The file may have gone, be locked or be unreadable by now: that, like a
    // file shorter than a trailer, is simply no tag.
    const std::optional<QByteArray> trailer = fs.readFileTail(path, kID3TrailerSize);
    return trailer && decodeID3Tag(*trailer, tag);
}
