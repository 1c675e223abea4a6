#include "id3_trailer.h"
#include "tags/file_tag_command.h"
#include "tags/genres.h"
#include "tags/id3_tag.h"
#include "tags/tag_message.h"

#include "fake_file_system.h"
#include "scripted_dialogs.h"

#include <QTest>

Q_DECLARE_METATYPE(Id3Tag)

namespace {

Id3Tag tagOf(const QString& title, const QString& artist, const QString& album, int track,
             const QString& year, const QString& comment, int genre) {
    Id3Tag t;
    t.identifier = QStringLiteral("TAG");
    t.title = title;
    t.artist = artist;
    t.album = album;
    t.track = static_cast<quint8>(track);
    t.year = year;
    t.comment = comment;
    t.genre = static_cast<quint8>(genre);
    t.version = track ? QStringLiteral("ID3v1.1") : QStringLiteral("ID3v1.0");
    return t;
}

QByteArray titledTrailer(const QByteArray& title) {
    TrailerFields f;
    f.title = title;
    return makeTrailer(f);
}

QString titleMessage(const char* title) {
    return QStringLiteral("Title: ") + QLatin1String(title) +
           QStringLiteral("\r\nID3 Version: ID3v1.0");
}

const QString kNoTag = QStringLiteral("No ID3 Tag Found");

} // namespace

class TestTagMessage : public QObject {
    Q_OBJECT

private slots:
    void genreNames_data();
    void genreNames();
    void messageText_data();
    void messageText();
    void showFileTag_data();
    void showFileTag();
    void showFileTagPosixPaths_data();
    void showFileTagPosixPaths();
};

void TestTagMessage::genreNames_data() {
    QTest::addColumn<int>("genre");
    QTest::addColumn<QString>("name");
    QTest::newRow("first") << 0 << QStringLiteral("Blues");
    QTest::newRow("last") << 147 << QStringLiteral("Synthpop");
    QTest::newRow("one past the last") << 148 << QStringLiteral("Unknown");
    QTest::newRow("highest byte") << 255 << QStringLiteral("Unknown");
    // An entry left out or doubled shifts every name after it.
    QTest::newRow("Fusion, original list") << 30 << QStringLiteral("Fusion");
    QTest::newRow("Fusion, extension") << 84 << QStringLiteral("Fusion");
    QTest::newRow("last of the original list") << 79 << QStringLiteral("Hard Rock");
    QTest::newRow("first of the extension") << 80 << QStringLiteral("Folk");
    // The program's own spellings.
    QTest::newRow("Psychadelic") << 67 << QStringLiteral("Psychadelic");
    QTest::newRow("Folk/Rock") << 81 << QStringLiteral("Folk/Rock");
    QTest::newRow("Bebob") << 85 << QStringLiteral("Bebob");
    QTest::newRow("Progress. Rock") << 92 << QStringLiteral("Progress. Rock");
    QTest::newRow("A Capella") << 123 << QStringLiteral("A Capella");
    QTest::newRow("Christian Gangsta Rap") << 136 << QStringLiteral("Christian Gangsta Rap");
    QTest::newRow("Jpop") << 146 << QStringLiteral("Jpop");
}

void TestTagMessage::genreNames() {
    QFETCH(int, genre);
    QFETCH(QString, name);
    QCOMPARE(genreName(static_cast<quint8>(genre)), name);
}

void TestTagMessage::messageText_data() {
    QTest::addColumn<Id3Tag>("tag");
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
    QFETCH(Id3Tag, tag);
    QFETCH(QString, expected);
    QCOMPARE(tagMessageText(tag), expected);
}

void TestTagMessage::showFileTag_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("selectedNames");
    QTest::addColumn<QString>("expected"); // empty: no message at all

    QTest::newRow("drive's top folder")
        << QStringLiteral("C:\\") << QStringList{QStringLiteral("a.mp3")} << titleMessage("Top");
    QTest::newRow("folder without separator")
        << QStringLiteral("C:\\Music") << QStringList{QStringLiteral("a.mp3")} << titleMessage("A");
    QTest::newRow("folder with separator")
        << QStringLiteral("C:\\Music\\") << QStringList{QStringLiteral("a.mp3")}
        << titleMessage("A");
    QTest::newRow("several selected: the topmost")
        << QStringLiteral("C:\\Music")
        << QStringList{QStringLiteral("b.mp3"), QStringLiteral("c.mp3")} << titleMessage("B");
    QTest::newRow("spaces around the path")
        << QStringLiteral(" C:\\Music") << QStringList{QStringLiteral("c.mp3  ")}
        << titleMessage("C");
    QTest::newRow("spaces before the separator")
        << QStringLiteral("C:\\Music  ") << QStringList{QStringLiteral("a.mp3")}
        << titleMessage("A");
    QTest::newRow("name in other letter case")
        << QStringLiteral("c:\\music") << QStringList{QStringLiteral("A.MP3")} << titleMessage("A");
    QTest::newRow("no tag") << QStringLiteral("C:\\Music")
                            << QStringList{QStringLiteral("plain.mp3"), QStringLiteral("a.mp3")}
                            << kNoTag;
    QTest::newRow("file gone since listed")
        << QStringLiteral("C:\\Music") << QStringList{QStringLiteral("gone.mp3")} << kNoTag;
    QTest::newRow("hidden file") << QStringLiteral("C:\\Music")
                                 << QStringList{QStringLiteral("hidden.mp3")} << kNoTag;
    QTest::newRow("nothing selected") << QStringLiteral("C:\\Music") << QStringList() << QString();
}

void TestTagMessage::showFileTag() {
    QFETCH(QString, folder);
    QFETCH(QStringList, selectedNames);
    QFETCH(QString, expected);

    FakeFileSystem fs;
    fs.addFile(QStringLiteral("C:\\a.mp3"), titledTrailer("Top"));
    fs.addFile(QStringLiteral("C:\\Music\\a.mp3"), titledTrailer("A"));
    fs.addFile(QStringLiteral("C:\\Music\\b.mp3"), titledTrailer("B"));
    fs.addFile(QStringLiteral("C:\\Music\\c.mp3"), titledTrailer("C"));
    fs.addFile(QStringLiteral("C:\\Music\\plain.mp3"), QByteArray(4000, '\x11'));
    fs.addFile(QStringLiteral("C:\\Music\\hidden.mp3"), titledTrailer("H"), {true, false, false});
    ScriptedDialogs dialogs;
    if (!expected.isEmpty())
        dialogs.expectMessage(expected);

    ::showFileTag(fs, dialogs, folder, selectedNames);

    QVERIFY(dialogs.done());
    QCOMPARE(dialogs.messageTexts().size(), expected.isEmpty() ? 0 : 1);
    if (!expected.isEmpty()) {
        QCOMPARE(dialogs.lastMessage().text, expected);
        QCOMPARE(dialogs.lastMessage().icon, MessageIcon::None);
        QCOMPARE(dialogs.lastMessage().buttons, MessageButtons::Ok);
    }
    // Looking at a tag writes nothing.
    QCOMPARE(fs.writeCount(), 0);
}

void TestTagMessage::showFileTagPosixPaths_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("top folder") << QStringLiteral("/") << QStringLiteral("a.mp3")
                                << titleMessage("Top");
    QTest::newRow("folder") << QStringLiteral("/music") << QStringLiteral("a.mp3")
                            << titleMessage("A");
    QTest::newRow("folder with separator")
        << QStringLiteral("/music/") << QStringLiteral("a.mp3") << titleMessage("A");
    // Names may begin or end in a space here: without it they name another
    // file.
    QTest::newRow("name ending in a space")
        << QStringLiteral("/music") << QStringLiteral("a.mp3 ") << titleMessage("Spaced");
    QTest::newRow("folder ending in a space")
        << QStringLiteral("/mix ") << QStringLiteral("a.mp3") << titleMessage("Mix");
    QTest::newRow("other letter case is another file")
        << QStringLiteral("/music") << QStringLiteral("A.MP3") << kNoTag;
}

void TestTagMessage::showFileTagPosixPaths() {
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, expected);

    FakeFileSystem fs(PathRules::posix());
    fs.addFile(QStringLiteral("/a.mp3"), titledTrailer("Top"));
    fs.addFile(QStringLiteral("/music/a.mp3"), titledTrailer("A"));
    fs.addFile(QStringLiteral("/music/a.mp3 "), titledTrailer("Spaced"));
    fs.addFile(QStringLiteral("/mix /a.mp3"), titledTrailer("Mix"));
    fs.addFile(QStringLiteral("/mix/a.mp3"), titledTrailer("No space"));
    ScriptedDialogs dialogs;
    dialogs.expectMessage(expected);

    ::showFileTag(fs, dialogs, folder, {name});

    QVERIFY(dialogs.done());
    QCOMPARE(dialogs.lastMessage().text, expected);
}

QTEST_APPLESS_MAIN(TestTagMessage)
#include "tst_tag_message.moc"
