#pragma once

#include <QByteArray>

#include <algorithm>

// Builds 128-byte ID3v1 trailers field by field, for the tests and for the
// fuzzers' seed inputs. Fields longer than their place are cut; shorter ones
// are padded with NUL bytes.
struct TrailerFields {
    QByteArray identifier = "TAG";
    QByteArray title;
    QByteArray artist;
    QByteArray album;
    QByteArray year;
    QByteArray comment; // up to 30 bytes; see withTrack() for the short form
    quint8 genre = 0;
};

inline void putBytes(QByteArray& trailer, qsizetype offset, qsizetype width,
                     const QByteArray& bytes) {
    const qsizetype n = std::min(width, bytes.size());
    for (qsizetype i = 0; i < n; ++i)
        trailer[offset + i] = bytes[i];
}

inline QByteArray makeTrailer(const TrailerFields& f) {
    QByteArray trailer(128, '\0');
    putBytes(trailer, 0, 3, f.identifier);
    putBytes(trailer, 3, 30, f.title);
    putBytes(trailer, 33, 30, f.artist);
    putBytes(trailer, 63, 30, f.album);
    putBytes(trailer, 93, 4, f.year);
    putBytes(trailer, 97, 30, f.comment);
    trailer[127] = static_cast<char>(f.genre);
    return trailer;
}

// The ID3v1.1 form: a zero byte, then the track, at the end of the comment.
inline QByteArray withTrack(QByteArray trailer, quint8 track) {
    trailer[125] = '\0';
    trailer[126] = static_cast<char>(track);
    return trailer;
}
