#pragma once

#include <QByteArrayView>
#include <QString>

class FileSystem;

// The ID3v1 tag an audio file keeps in its last 128 bytes.
struct ID3Tag {
    QString Tag;      // the identifier as read: "TAG" in any letter case
    QString Title;    // at most 30 characters
    QString Artist;   // at most 30 characters
    QString Album;    // at most 30 characters
    QString Year;     // at most 4 characters
    QString Comment;  // at most 30 characters, 28 in an ID3v1.1 tag
    quint8 Genre = 0; // the genre number exactly as stored
    quint8 Track = 0; // 1 to 255 in an ID3v1.1 tag, else 0
    QString Version;  // "ID3v1.0" or "ID3v1.1"

    friend bool operator==(const ID3Tag&, const ID3Tag&) = default;
};

// Size of the trailer that holds the tag.
inline constexpr qsizetype kID3TrailerSize = 128;

// Decodes a 128-byte trailer. True when it begins with "TAG" (any letter
// case) and `tag` now describes it; false, with `tag` left exactly as it was,
// for any other identifier or any other number of bytes.
//
// Text fields lose their NUL bytes (read as spaces) and trailing spaces. A
// field is read as UTF-8 when its bytes are valid UTF-8, as Windows-1252
// otherwise; a UTF-8 character cut off by the end of its field shows as one
// replacement character.
bool decodeID3Tag(QByteArrayView trailer, ID3Tag& tag);

// Reads the tag of the ordinary file at `path`. False when the file is not
// found by a normal search (missing, hidden, a folder), is shorter than a
// trailer, cannot be read, or holds no tag; `tag` is then untouched. Reads
// only the last 128 bytes, once.
bool bReadID3Tag(FileSystem& fs, const QString& path, ID3Tag& tag);
