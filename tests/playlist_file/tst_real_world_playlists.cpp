// Playlists in the shapes other players and tools write, on a real disk where
// their files exist: each loads with its entries and directives where they
// belong, saves, and reads back the same, entry by entry and directive by
// directive. And bad input that must neither crash nor lose a line.
#include "load_messages.h"
#include "playlist_file/file_commands.h"
#include "playlist_file/playlist_reader.h"
#include "playlist_fixture.h"

#include <QTest>

#include <algorithm>
#include <memory>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

using NativeFixture = PlaylistFixture<NativeFileSystem>;
using Runs = QList<QStringList>;

PlaylistLines contentOf(const PlaylistDocument& document) {
    return {document.header(), document.entries(), document.directives(), document.trailer()};
}

// The lines of a file as the playlist lists them: entries in order, each
// with its own directives.
PlaylistLines inListOrder(PlaylistLines lines) {
    QList<qsizetype> order(lines.entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return PathRules::lessForPlaylist(lines.entries[a], lines.entries[b]);
    });
    PlaylistLines sorted{lines.header, {}, {}, lines.trailer};
    for (const qsizetype row : order) {
        sorted.entries.append(lines.entries[row]);
        sorted.directives.append(lines.directives[row]);
    }
    return sorted;
}

// "@" stands for the tree's folder.
QString placed(QString text, const QString& root) {
    return text.replace(QLatin1Char('@'), root);
}

} // namespace

Q_DECLARE_METATYPE(PlaylistLines)

class TestRealWorldPlaylists : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void loadSaveAndReadBack_data();
    void loadSaveAndReadBack();
    void windowsExportSavesItsLinesUnchanged();
    void badInputKeepsEveryLine_data();
    void badInputKeepsEveryLine();

private:
    std::unique_ptr<NativeTree> m_tree;
};

void TestRealWorldPlaylists::init() {
    m_tree = std::make_unique<NativeTree>();
    for (const QString& file :
         {u"Music/Artist/01 - Intro.mp3"_s, u"Music/Artist/02 - Song.mp3"_s, u"Music/café.mp3"_s})
        m_tree->makeFile(file, "ID3");
    m_tree->makeFolder(u"Lists"_s);
}

void TestRealWorldPlaylists::loadSaveAndReadBack_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("relative");
    QTest::addColumn<PlaylistLines>("loaded");

    const QString intro = u"@/Music/Artist/01 - Intro.mp3"_s;
    const QString cafe = u"@/Music/café.mp3"_s;
    QTest::newRow("VLC-like: LF, full paths and file URLs, options per entry")
        << QByteArray("#EXTM3U\n"
                      "#EXTINF:215,Artist - Intro\n#EXTVLCOPT:start-time=5\n#EXTVLCOPT:no-video\n"
                      "@/Music/Artist/01 - Intro.mp3\n"
                      "#EXTINF:187,Artist - Song\nfile://@/Music/Artist/02%20-%20Song.mp3\n"
                      "#EXTINF:-1,Caf\xC3\xA9\nfile://localhost@/Music/caf%C3%A9.mp3\n")
        << false
        << PlaylistLines{u"#EXTM3U"_s,
                         {intro, u"file://@/Music/Artist/02%20-%20Song.mp3"_s,
                          u"file://localhost@/Music/caf%C3%A9.mp3"_s},
                         Runs{{u"#EXTINF:215,Artist - Intro"_s, u"#EXTVLCOPT:start-time=5"_s,
                               u"#EXTVLCOPT:no-video"_s},
                              {u"#EXTINF:187,Artist - Song"_s},
                              {u"#EXTINF:-1,Café"_s}},
                         {}};
    QTest::newRow("IPTV-like: attributes, groups, streams only")
        << QByteArray(
               "#EXTM3U x-tvg-url=\"http://epg.example/guide.xml.gz\"\r\n"
               "#EXTINF:-1 tvg-id=\"news.example\" tvg-name=\"News One\" "
               "tvg-logo=\"http://logo.example/news.png\" group-title=\"News\",News One\r\n"
               "#EXTGRP:News\r\n#KODIPROP:inputstream=inputstream.adaptive\r\n"
               "https://live.example/news/index.m3u8\r\n"
               "#EXTINF:-1 tvg-id=\"sport.example\" group-title=\"Sport\",Sport HD\r\n"
               "#EXTVLCOPT:http-user-agent=Mozilla/5.0\r\n"
               "http://live.example:8080/sport/playlist.m3u8\r\n"
               "#EXTINF:-1 group-title=\"Radio\",Local FM\r\nrtmp://radio.example/live/fm\r\n")
        << false
        << PlaylistLines{
               u"#EXTM3U x-tvg-url=\"http://epg.example/guide.xml.gz\""_s,
               {u"http://live.example:8080/sport/playlist.m3u8"_s,
                u"https://live.example/news/index.m3u8"_s, u"rtmp://radio.example/live/fm"_s},
               Runs{{u"#EXTINF:-1 tvg-id=\"sport.example\" group-title=\"Sport\",Sport HD"_s,
                     u"#EXTVLCOPT:http-user-agent=Mozilla/5.0"_s},
                    {u"#EXTINF:-1 tvg-id=\"news.example\" tvg-name=\"News One\" "
                     u"tvg-logo=\"http://logo.example/news.png\" "
                     u"group-title=\"News\",News One"_s,
                     u"#EXTGRP:News"_s, u"#KODIPROP:inputstream=inputstream.adaptive"_s},
                    {u"#EXTINF:-1 group-title=\"Radio\",Local FM"_s}},
               {}};
    QTest::newRow("Windows export: byte-order mark, CR LF, ..\\ paths")
        << QByteArray("\xEF\xBB\xBF#EXTM3U\r\n#EXTINF:215,Artist - Intro\r\n"
                      "..\\Music\\Artist\\01 - Intro.mp3\r\n#EXTINF:187,Artist - Song\r\n"
                      "..\\Music\\Artist\\02 - Song.mp3\r\n..\\Music\\caf\xC3\xA9.mp3\r\n")
        << true
        << PlaylistLines{
               u"#EXTM3U"_s,
               {u"..\\Music\\Artist\\01 - Intro.mp3"_s, u"..\\Music\\Artist\\02 - Song.mp3"_s,
                u"..\\Music\\café.mp3"_s},
               Runs{{u"#EXTINF:215,Artist - Intro"_s}, {u"#EXTINF:187,Artist - Song"_s}, {}},
               {}};
    QTest::newRow("radio URLs, no header")
        << QByteArray("http://radio.example:8000/stream\r\nmms://media.example/live\r\n"
                      "https://radio.example/aac\r\nrtsp://cam.example/1")
        << false
        << PlaylistLines{{},
                         {u"http://radio.example:8000/stream"_s, u"https://radio.example/aac"_s,
                          u"mms://media.example/live"_s, u"rtsp://cam.example/1"_s},
                         Runs{{}, {}, {}, {}},
                         {}};
    QTest::newRow("LF only, no final line end")
        << QByteArray("#EXTM3U\n#EXTINF:2,B\n@/Music/caf\xC3\xA9.mp3\n#EXTINF:1,A\n"
                      "@/Music/Artist/01 - Intro.mp3")
        << false
        << PlaylistLines{
               u"#EXTM3U"_s, {intro, cafe}, Runs{{u"#EXTINF:1,A"_s}, {u"#EXTINF:2,B"_s}}, {}};
    // Lines that are not UTF-8 keep their bytes, as escapes U+DC00 + byte.
    const QChar e9(0xDCE9);
    QTest::newRow("Windows-1252 names and titles")
        << QByteArray("#EXTM3U\r\n#EXTINF:100,Caf\xE9 \x96 Live\r\n@/Music/caf\xE9.mp3\r\n"
                      "#EXT-X-ENDLIST\r\n")
        << false
        << PlaylistLines{u"#EXTM3U"_s,
                         {u"@/Music/caf"_s + e9 + u".mp3"_s},
                         Runs{{u"#EXTINF:100,Caf"_s + e9 + u" "_s + QChar(0xDC96) + u" Live"_s}},
                         {u"#EXT-X-ENDLIST"_s}};
}

// Every file is there: the list opens without a question, and what it reads
// back after a save is what it read first.
void TestRealWorldPlaylists::loadSaveAndReadBack() {
    QFETCH(QByteArray, content);
    QFETCH(bool, relative);
    QFETCH(PlaylistLines, loaded);
    const QString root = m_tree->path();
    m_tree->makeFile(u"Lists/list.m3u"_s, content.replace('@', QFile::encodeName(root)));
    for (QString& entry : loaded.entries)
        entry = placed(entry, root);
    const QString path = m_tree->path(u"Lists/list.m3u"_s);
    const Script messages = relative ? Script{rootMessage(root + u"/Lists/"_s)} : Script{};
    NativeFixture f;

    expect(f.dialogs, messages);
    openPlaylistFile(f.document, f.fs, f.dialogs, path);
    QVERIFY(f.dialogs.done());
    QCOMPARE(contentOf(f.document), loaded);
    QVERIFY(!f.document.isModified());

    savePlaylist(f.document, f.fs, f.dialogs);
    const QByteArray saved = m_tree->read(u"Lists/list.m3u"_s);
    QVERIFY(saved.endsWith("\r\n"));
    QCOMPARE(saved.count("\r\n"), saved.count('\n'));
    const bool marked = content.startsWith("\xEF\xBB\xBF");
    QCOMPARE(saved.startsWith("\xEF\xBB\xBF"), marked);
    QCOMPARE(saved.mid(marked ? 3 : 0).startsWith("#EXTM3U"), !loaded.header.isEmpty());

    expect(f.dialogs, messages);
    openPlaylistFile(f.document, f.fs, f.dialogs, path);
    QVERIFY(f.dialogs.done());
    QCOMPARE(contentOf(f.document), loaded);
}

// Made on Windows, read on Linux: the files are found through the '\' paths,
// and the lines go back as they came, behind the byte-order mark they had.
void TestRealWorldPlaylists::windowsExportSavesItsLinesUnchanged() {
    const QByteArray lines = "#EXTM3U\r\n#EXTINF:215,Artist - Intro\r\n"
                             "..\\Music\\Artist\\01 - Intro.mp3\r\n"
                             "..\\Music\\Artist\\02 - Song.mp3\r\n";
    m_tree->makeFile(u"Lists/export.m3u"_s, "\xEF\xBB\xBF" + lines);
    NativeFixture f;
    expect(f.dialogs, {rootMessage(m_tree->path(u"Lists/"_s))});
    openPlaylistFile(f.document, f.fs, f.dialogs, m_tree->path(u"Lists/export.m3u"_s));
    f.document.setModified(true);

    savePlaylist(f.document, f.fs, f.dialogs);

    QVERIFY(f.dialogs.done());
    QCOMPARE(m_tree->read(u"Lists/export.m3u"_s), "\xEF\xBB\xBF" + lines);
}

void TestRealWorldPlaylists::badInputKeepsEveryLine_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Script>("script");
    QTest::addColumn<int>("entries");

    QByteArray manyInfos = "#EXTM3U\n";
    for (int i = 0; i < 100000; ++i)
        manyInfos += "#EXTINF:" + QByteArray::number(i) + ",Title\n";
    const Script keep{removeMissing(MessageAnswer::No)};
    static constexpr char kNulUrls[] = "#EXTINF:1,A\nfile:///m/a\0b.mp3\nhttp://x/\0\n";
    QTest::newRow("a directive run with no entry")
        << QByteArray("#EXTM3U\n#EXTINF:1,A\n#X") << Script{} << 0;
    QTest::newRow("header only") << QByteArray("#EXTM3U") << Script{} << 0;
    QTest::newRow("100,000 #EXTINF lines, no entry") << manyInfos << Script{} << 0;
    QTest::newRow("URLs with a NUL")
        << QByteArray::fromRawData(kNulUrls, sizeof(kNulUrls) - 1) << keep << 2;
    QTest::newRow("URLs with invalid percent-escapes")
        << QByteArray("file:///m/a%ZZ.mp3\n#EXTINF:1,B\nfile:///m/caf%E9.mp3\nfile:///%\n") << keep
        << 3;
}

// No crash and no lost line: every line of the file comes back, in its
// place, after a load that keeps everything and a save.
void TestRealWorldPlaylists::badInputKeepsEveryLine() {
    QFETCH(QByteArray, content);
    QFETCH(Script, script);
    QFETCH(int, entries);
    m_tree->makeFile(u"Lists/bad.m3u"_s, content);
    const QString path = m_tree->path(u"Lists/bad.m3u"_s);
    const PlaylistLines lines = inListOrder(parsePlaylistText(QString::fromUtf8(content)));
    NativeFixture f;

    expect(f.dialogs, script);
    openPlaylistFile(f.document, f.fs, f.dialogs, path);
    QVERIFY(f.dialogs.done());
    QCOMPARE(f.document.count(), entries);
    QCOMPARE(contentOf(f.document), lines);

    f.document.setModified(true);
    savePlaylist(f.document, f.fs, f.dialogs);
    expect(f.dialogs, script);
    openPlaylistFile(f.document, f.fs, f.dialogs, path);
    QVERIFY(f.dialogs.done());
    QCOMPARE(contentOf(f.document), lines);
}

QTEST_GUILESS_MAIN(TestRealWorldPlaylists)
#include "tst_real_world_playlists.moc"
