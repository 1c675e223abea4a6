#include "id3_trailer.h"
#include "playlist/form_state.h"
#include "tags/genres.h"
#include "tags/id3_tag.h"
#include "tags/tag_message.h"

#include "fake_file_system.h"
#include "fake_window_services.h"
#include "scripted_dialogs.h"

#include <QTest>

Q_DECLARE_METATYPE(ID3Tag)

namespace {

ID3Tag tagOf(const QString& title, const QString& artist, const QString& album, int track,
             const QString& year, const QString& comment, int genre) {
    ID3Tag t;
    t.Tag = QStringLiteral("TAG");
    t.Title = title;
    t.Artist = artist;
    t.Album = album;
    t.Track = static_cast<quint8>(track);
    t.Year = year;
    t.Comment = comment;
    t.Genre = static_cast<quint8>(genre);
    t.Version = track ? QStringLiteral("ID3v1.1") : QStringLiteral("ID3v1.0");
    return t;
}

QByteArray titledTrailer(const QByteArray& title) {
    TrailerFields f;
    f.title = title;
    return makeTrailer(f);
}

const QString kNoTag = QStringLiteral("No ID3 Tag Found");

} // namespace

class TestTagMessage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void messageText_data();
    void messageText();
    void doubleClick_data();
    void doubleClick();
    void doubleClickPosixPaths_data();
    void doubleClickPosixPaths();

private:
    GenreTable m_genres;
};

void TestTagMessage::initTestCase() {
    m_genres.fill();
}

void TestTagMessage::messageText_data() {
    QTest::addColumn<ID3Tag>("tag");
    QTest::addColumn<QString>("expected");

    QTest::newRow("full tag") << tagOf(QStringLiteral("Song"), QStringLiteral("Band"),
                                       QStringLiteral("Record"), 12, QStringLiteral("1987"),
                                       QStringLiteral("Live"), 17)
                              << QStringLiteral("Title: Song\r\nArtist: Band\r\nAlbum: Record\r\n"
                                                "Track: 12\r\nYear: 1987\r\nNotes: Live\r\n"
                                                "Genre: Rock\r\nID3 Version: ID3v1.1");
    QTest::newRow("only a title") << tagOf(QStringLiteral("Song"), {}, {}, 0, {}, {}, 0)
                                  << QStringLiteral("Title: Song\r\nID3 Version: ID3v1.0");
    QTest::newRow("all blank") << tagOf({}, {}, {}, 0, {}, {}, 0)
                               << QStringLiteral("ID3 Version: ID3v1.0");
    QTest::newRow("blank title, artist set")
        << tagOf({}, QStringLiteral("Band"), {}, 0, {}, {}, 0)
        << QStringLiteral("Artist: Band\r\nID3 Version: ID3v1.0");
    QTest::newRow("track between album and year")
        << tagOf({}, {}, QStringLiteral("Record"), 7, QStringLiteral("2001"), {}, 0)
        << QStringLiteral("Album: Record\r\nTrack: 7\r\nYear: 2001\r\nID3 Version: ID3v1.1");
    QTest::newRow("genre 255") << tagOf({}, {}, {}, 0, {}, {}, 255)
                               << QStringLiteral("Genre: Unknown\r\nID3 Version: ID3v1.0");
    QTest::newRow("genre 200") << tagOf({}, {}, {}, 0, {}, {}, 200)
                               << QStringLiteral("Genre: Unknown\r\nID3 Version: ID3v1.0");
    QTest::newRow("comment and genre")
        << tagOf({}, {}, {}, 0, QStringLiteral("1970"), QStringLiteral("x y"), 0)
        << QStringLiteral("Year: 1970\r\nNotes: x y\r\nID3 Version: ID3v1.0");
}

void TestTagMessage::messageText() {
    QFETCH(ID3Tag, tag);
    QFETCH(QString, expected);
    QCOMPARE(tagMessageText(tag, m_genres), expected);
}

void TestTagMessage::doubleClick_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QList<bool>>("selected");
    QTest::addColumn<QString>("expected"); // empty: no message at all

    const QStringList music = {QStringLiteral("a.mp3"), QStringLiteral("b.mp3"),
                               QStringLiteral("c.mp3"), QStringLiteral("plain.mp3")};
    QTest::newRow("drive's top folder")
        << QStringLiteral("C:\\") << QStringList{QStringLiteral("a.mp3")} << QList<bool>{true}
        << QStringLiteral("Title: Top\r\nID3 Version: ID3v1.0");
    QTest::newRow("folder without separator")
        << QStringLiteral("C:\\Music") << music << QList<bool>{true, false, false, false}
        << QStringLiteral("Title: A\r\nID3 Version: ID3v1.0");
    QTest::newRow("folder with separator")
        << QStringLiteral("C:\\Music\\") << music << QList<bool>{true, false, false, false}
        << QStringLiteral("Title: A\r\nID3 Version: ID3v1.0");
    QTest::newRow("several selected: the topmost")
        << QStringLiteral("C:\\Music") << music << QList<bool>{false, true, true, false}
        << QStringLiteral("Title: B\r\nID3 Version: ID3v1.0");
    QTest::newRow("spaces around the path")
        << QStringLiteral(" C:\\Music") << QStringList{QStringLiteral("c.mp3  ")}
        << QList<bool>{true} << QStringLiteral("Title: C\r\nID3 Version: ID3v1.0");
    QTest::newRow("no tag") << QStringLiteral("C:\\Music") << music
                            << QList<bool>{false, false, false, true} << kNoTag;
    QTest::newRow("file gone since listed")
        << QStringLiteral("C:\\Music") << QStringList{QStringLiteral("gone.mp3")}
        << QList<bool>{true} << kNoTag;
    QTest::newRow("hidden file") << QStringLiteral("C:\\Music")
                                 << QStringList{QStringLiteral("hidden.mp3")} << QList<bool>{true}
                                 << kNoTag;
    QTest::newRow("nothing selected") << QStringLiteral("C:\\Music") << music
                                      << QList<bool>{false, false, false, false} << QString();
    QTest::newRow("empty list") << QStringLiteral("C:\\Music") << QStringList() << QList<bool>()
                                << QString();
}

void TestTagMessage::doubleClick() {
    QFETCH(QString, folder);
    QFETCH(QStringList, items);
    QFETCH(QList<bool>, selected);
    QFETCH(QString, expected);

    FakeFileSystem fs;
    fs.addFile(QStringLiteral("C:\\a.mp3"), titledTrailer("Top"));
    fs.addFile(QStringLiteral("C:\\Music\\a.mp3"), titledTrailer("A"));
    fs.addFile(QStringLiteral("C:\\Music\\b.mp3"), titledTrailer("B"));
    fs.addFile(QStringLiteral("C:\\Music\\c.mp3"), titledTrailer("C"));
    fs.addFile(QStringLiteral("C:\\Music\\plain.mp3"), QByteArray(4000, '\x11'));
    fs.addFile(QStringLiteral("C:\\Music\\hidden.mp3"), titledTrailer("H"), {true, false, false});

    FormState state(fs.rules());
    state.sCurrentPlaylist = QStringLiteral("C:\\untitled.m3u");
    state.playlist.insertSorted(QStringLiteral("C:\\Music\\a.mp3"));
    ScriptedDialogs dialogs;
    FakeWindowServices window;
    window.fileFolder = folder;
    window.fileItems = items;
    window.fileSelected = selected;
    CommandContext ctx{state, fs, dialogs, window};

    if (!expected.isEmpty())
        dialogs.expectMessage(expected);
    File1_DblClick(ctx, m_genres);

    QVERIFY(dialogs.done());
    QCOMPARE(dialogs.messageTexts().size(), expected.isEmpty() ? 0 : 1);
    if (!expected.isEmpty()) {
        QCOMPARE(dialogs.lastMessage().text, expected);
        QCOMPARE(dialogs.lastMessage().icon, MessageIcon::None);
        QCOMPARE(dialogs.lastMessage().buttons, MessageButtons::Ok);
    }
    // Looking at a tag changes nothing.
    QCOMPARE(window.refreshCount, 0);
    QCOMPARE(window.fileListSelection(), selected);
    QCOMPARE(state.bUnsaved, false);
    QCOMPARE(state.sCurrentPlaylist, QStringLiteral("C:\\untitled.m3u"));
    QCOMPARE(state.playlist.rowCount(), 1);
    QCOMPARE(fs.writeCount(), 0);
}

void TestTagMessage::doubleClickPosixPaths_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("expected");
    QTest::newRow("top folder") << QStringLiteral("/") << QStringLiteral("a.mp3")
                                << QStringLiteral("Title: Top\r\nID3 Version: ID3v1.0");
    QTest::newRow("folder") << QStringLiteral("/music") << QStringLiteral("a.mp3")
                            << QStringLiteral("Title: A\r\nID3 Version: ID3v1.0");
    // A name may end in a space here: it is not the same file as without.
    QTest::newRow("name ending in a space")
        << QStringLiteral("/music") << QStringLiteral("a.mp3 ")
        << QStringLiteral("Title: Spaced\r\nID3 Version: ID3v1.0");
    QTest::newRow("other letter case is another file")
        << QStringLiteral("/music") << QStringLiteral("A.MP3") << kNoTag;
}

void TestTagMessage::doubleClickPosixPaths() {
    QFETCH(QString, folder);
    QFETCH(QString, item);
    QFETCH(QString, expected);

    FakeFileSystem fs(PathRules::posix());
    fs.addFile(QStringLiteral("/a.mp3"), titledTrailer("Top"));
    fs.addFile(QStringLiteral("/music/a.mp3"), titledTrailer("A"));
    fs.addFile(QStringLiteral("/music/a.mp3 "), titledTrailer("Spaced"));
    FormState state(fs.rules());
    ScriptedDialogs dialogs;
    FakeWindowServices window;
    window.fileFolder = folder;
    window.fileItems = {item};
    window.fileSelected = {true};
    CommandContext ctx{state, fs, dialogs, window};

    dialogs.expectMessage(expected);
    File1_DblClick(ctx, m_genres);
    QVERIFY(dialogs.done());
}

QTEST_APPLESS_MAIN(TestTagMessage)
#include "tst_tag_message.moc"
