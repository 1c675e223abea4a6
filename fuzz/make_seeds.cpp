// Writes the fuzzers' seed inputs: a few trailers and records of the kinds
// the decoder and the message meet, and playlists, built here from scratch.
// Usage: make_seeds OUTPUT-FOLDER (one folder per fuzz target in it)
#include "id3_trailer.h"

#include <QDir>
#include <QFile>
#include <QList>

#include <cstdio>

namespace {

bool writeAll(const QString& folder, const QList<QByteArray>& inputs) {
    if (!QDir().mkpath(folder))
        return false;
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        QFile file(QStringLiteral("%1/seed-%2").arg(folder).arg(i, 2, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write(inputs[i]) != inputs[i].size())
            return false;
    }
    return true;
}

QList<QByteArray> trailers() {
    TrailerFields full;
    full.title = "A title that fills all thirty";
    full.artist = "Artist";
    full.album = "Album";
    full.year = "1999";
    full.comment = "A comment of twenty-eight ch";
    full.genre = 17;

    TrailerFields lower = full;
    lower.identifier = "tag";
    lower.genre = 255;

    TrailerFields utf8;
    utf8.title = "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xB5";
    utf8.artist = QByteArray("\xC3\xA9") + QByteArray(27, 'a') + '\xC3'; // cut at the end
    utf8.album = QByteArray(28, 'b') + "\xE2\x82";

    TrailerFields ansi;
    ansi.title = "\xC9t\xE9 \x80 \x93quoted\x94";
    ansi.artist = QByteArray(29, 'c') + '\xE9';

    // Bytes that only look like UTF-8: a surrogate, an overlong form, a value
    // past U+10FFFF, and a character cut short by the field's end.
    TrailerFields malformed;
    malformed.title = "\xED\xA0\x80 \xE0\x80\x80 \xF4\x90\x80\x80 \xC0\xAF";
    malformed.artist = QByteArray(28, 'd') + "\xF0\x9F";

    TrailerFields nuls;
    nuls.title = QByteArray("a\0b", 3);
    nuls.comment = QByteArray(29, 'y') + 'z';

    return {makeTrailer(full),
            withTrack(makeTrailer(full), 12),
            makeTrailer(lower),
            makeTrailer(utf8),
            makeTrailer(ansi),
            makeTrailer(malformed),
            makeTrailer(nuls),
            makeTrailer({}),
            QByteArray(128, '\0'),
            makeTrailer(full).chopped(1),
            QByteArray(300, 'x') + makeTrailer(full)};
}

QList<QByteArray> records() {
    // Genre byte, track byte, then identifier, title, artist, album, year,
    // comment and version separated by 0xFF.
    const auto record = [](char genre, char track, const QList<QByteArray>& texts) {
        QByteArray bytes;
        bytes.append(genre).append(track).append(texts.join('\xFF'));
        return bytes;
    };
    return {record(17, 12, {"TAG", "Song", "Band", "Record", "1987", "Live", "ID3v1.1"}),
            record(0, 0, {"TAG", "", "", "", "", "", "ID3v1.0"}),
            record(char(255), 0, {"tag", "", "Band", "", "", "", "ID3v1.0"}),
            record(char(200), char(255), {"TAG", "a\r\nb", "", "x", "", "\xC3\xA9", ""}),
            record(1, 1, {})};
}

// A mark and the text as UTF-16.
QByteArray utf16(const char* mark, const char* text, bool bigEndian) {
    QByteArray bytes(mark);
    for (const QChar c : QString::fromUtf8(text)) {
        const char low = static_cast<char>(c.unicode() & 0xFF);
        const char high = static_cast<char>(c.unicode() >> 8);
        bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
    }
    return bytes;
}

// Playlists in the shapes players write, and the odd ones.
QList<QByteArray> playlists() {
    return {"C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\n",
            "#EXTM3U\n#EXTINF:215,Artist - Intro\n#EXTVLCOPT:start-time=5\n/m/a.mp3\n"
            "#EXTINF:187,Song\nfile:///m/b%20c.mp3\n",
            "#EXTM3U x-tvg-url=\"http://epg.example/g.xml\"\r\n#EXTINF:-1 tvg-id=\"n\" "
            "group-title=\"News\",News\r\n#EXTGRP:News\r\nhttps://live.example/n.m3u8\r\n",
            "\xEF\xBB\xBF#EXTM3U\r\n#EXTINF:1,A\r\n..\\Music\\a.mp3\r\nArtist\\b.mp3",
            "http://radio.example:8000/stream\nmms://m.example/x\nrtsp://c/1",
            "#EXTM3U\n#EXTINF:1,Caf\xE9 \x96 Live\n/m/caf\xE9.mp3\n#EXT-X-ENDLIST",
            "\r\n  \n#\n #x\n\xEF\xBB\xBF\xEF\xBB\xBF\xC3\xAF\xC2\xBB\xC2\xBF\r\r\n",
            QByteArray("file:///m/a\0b.mp3\nfile:///%E9%ZZ\n#EXTM3U\n", 41),
            "/m/caf\xC3\xA9.mp3\n#EXTINF:1,\x93Hi\x94\n/m/x\xED\xA0\x80\xF0\x9F\x92\x80.mp3\n",
            utf16("\xFF\xFE", "#EXTM3U\r\n/m/\u00E9t\u00E9.mp3\r\n", false),
            utf16("\xFE\xFF", "/m/a.mp3\n/m/\U0001F480\n", true),
            utf16("", "/m/a.mp3\r\n", false)};
}

// File-type stores as the program writes them, and damaged ones.
QList<QByteArray> registryTexts() {
    return {"; Songbinder's file types, standing in for HKEY_CLASSES_ROOT.\n"
            "[.m3u]\n@=sz:\"m3ufile\\0\"\n\n[m3ufile\\shell]\n@=sz:\"Edit\\0\"\n\n"
            "[m3ufile\\shell\\edit\\command]\n@=sz:\"\\\"/usr/bin/songbinder\\\" "
            "\\\"%1\\\"\\0\"\n",
            "[a%25b%0a]\n\"x\\x01\"=dword:0000002a\n\"bin\"=hex(3):00,ff,7f\n[a%25b%0a\\c]\n",
            "[k]\n@=hex(7):61,00,00\n\"Caf\xC3\xA9\"=sz:\"\\xe9\"\n", "[unterminated\n@=sz:\"x",
            "@=sz:\"before any key\"\n"};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds OUTPUT-FOLDER\n");
        return 2;
    }
    const QString out = QFile::decodeName(argv[1]);
    if (!writeAll(out + QStringLiteral("/id3_decode"), trailers()) ||
        !writeAll(out + QStringLiteral("/tag_message"), trailers() + records()) ||
        !writeAll(out + QStringLiteral("/playlist_read"), playlists()) ||
        !writeAll(out + QStringLiteral("/registry_text"), registryTexts())) {
        std::fprintf(stderr, "make_seeds: cannot write to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
