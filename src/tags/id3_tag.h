#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

class FileSystem;

// The ID3v1 tag an audio file keeps in its last 128 bytes.
struct Id3Tag {
    QString identifier; // as read: "TAG" in any letter case
    QString title;      // at most 30 characters
    QString artist;     // at most 30 characters
    QString album;      // at most 30 characters
    QString year;       // at most 4 characters
    QString comment;    // at most 30 characters, 28 in an ID3v1.1 tag
    quint8 genre = 0;   // the genre number exactly as stored
    quint8 track = 0;   // 1 to 255 in an ID3v1.1 tag, else 0
    QString version;    // "ID3v1.0" or "ID3v1.1"

    friend bool operator==(const Id3Tag&, const Id3Tag&) = default;
};

// Size of the trailer that holds the tag.
inline constexpr qsizetype kId3TrailerSize = 128;

// Decodes a 128-byte trailer: the tag when it begins with "TAG" (any letter
// case); nothing for any other identifier or any other number of bytes.
//
// Text fields lose their NUL bytes (read as spaces) and trailing spaces. A
// field is read as UTF-8 when its bytes are well-formed UTF-8, as
// Windows-1252 otherwise; a UTF-8 character cut off by the end of its field
// shows as one replacement character.
std::optional<Id3Tag> decodeId3Tag(QByteArrayView trailer);

// Reads the tag of the ordinary file at `path`. Nothing when the file is not
// found by a normal search (missing, hidden, system, a folder), is shorter
// than a trailer, cannot be read, or holds no tag. Reads only the last 128
// bytes, once.
std::optional<Id3Tag> readId3Tag(FileSystem& fs, const QString& path);
