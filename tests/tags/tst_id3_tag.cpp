#include "id3_trailer.h"
#include "tags/id3_tag.h"

#include "fake_file_system.h"

#include <QTest>

namespace QTest {
template <> char* toString(const Id3Tag& t) {
    return qstrdup(qPrintable(QStringLiteral("{%1|%2|%3|%4|%5|%6|genre %7|track %8|%9}")
                                  .arg(t.identifier, t.title, t.artist, t.album, t.year, t.comment)
                                  .arg(t.genre)
                                  .arg(t.track)
                                  .arg(t.version)));
}
} // namespace QTest

namespace {

QByteArray titled(const QByteArray& title) {
    TrailerFields f;
    f.title = title;
    return makeTrailer(f);
}

} // namespace

class TestId3Tag : public QObject {
    Q_OBJECT

private slots:
    void identifier_data();
    void identifier();
    void wrongSize_data();
    void wrongSize();
    void fieldsInPlace();
    void textCleaning_data();
    void textCleaning();
    void version_data();
    void version();
    void genre_data();
    void genre();
    void textEncoding_data();
    void textEncoding();
    void readThroughFileSystem_data();
    void readThroughFileSystem();
};

void TestId3Tag::identifier_data() {
    QTest::addColumn<QByteArray>("identifier");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("TAG") << QByteArray("TAG") << true;
    QTest::newRow("tag") << QByteArray("tag") << true;
    QTest::newRow("Tag") << QByteArray("Tag") << true;
    QTest::newRow("tAg") << QByteArray("tAg") << true;
    QTest::newRow("TAB") << QByteArray("TAB") << false;
    QTest::newRow("TA and NUL") << QByteArray("TA\0", 3) << false;
    QTest::newRow("space first") << QByteArray(" TA") << false;
    QTest::newRow("all NUL") << QByteArray(3, '\0') << false;
    QTest::newRow("accented capital") << QByteArray("T\xC1G") << false;
}

void TestId3Tag::identifier() {
    QFETCH(QByteArray, identifier);
    QFETCH(bool, accepted);
    TrailerFields f;
    f.identifier = identifier;
    f.title = "Song";
    const std::optional<Id3Tag> tag = decodeId3Tag(makeTrailer(f));
    QCOMPARE(tag.has_value(), accepted);
    if (accepted) {
        QCOMPARE(tag->identifier, QString::fromLatin1(identifier));
        QCOMPARE(tag->title, QStringLiteral("Song"));
    }
}

void TestId3Tag::wrongSize_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray trailer = titled("Song");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("identifier only") << QByteArray("TAG");
    QTest::newRow("127 bytes") << trailer.chopped(1);
    QTest::newRow("129 bytes") << trailer + '\0';
    QTest::newRow("two trailers") << trailer + trailer;
}

void TestId3Tag::wrongSize() {
    QFETCH(QByteArray, bytes);
    QVERIFY(!decodeId3Tag(bytes));
}

// Every field full to its width with its own letter: an offset or width that
// is off by one shows as a wrong letter or length.
void TestId3Tag::fieldsInPlace() {
    TrailerFields f;
    f.title = QByteArray(30, 't');
    f.artist = QByteArray(30, 'a');
    f.album = QByteArray(30, 'l');
    f.year = "2024";
    f.comment = QByteArray(30, 'c');
    f.genre = 17;
    Id3Tag expected;
    expected.identifier = QStringLiteral("TAG");
    expected.title = QString(30, QLatin1Char('t'));
    expected.artist = QString(30, QLatin1Char('a'));
    expected.album = QString(30, QLatin1Char('l'));
    expected.year = QStringLiteral("2024");
    expected.comment = QString(30, QLatin1Char('c'));
    expected.genre = 17;
    expected.track = 0;
    expected.version = QStringLiteral("ID3v1.0");
    const std::optional<Id3Tag> tag = decodeId3Tag(makeTrailer(f));
    QVERIFY(tag);
    QCOMPARE(*tag, expected);
}

void TestId3Tag::textCleaning_data() {
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two letters, 28 NULs") << QByteArray("ab") << QStringLiteral("ab");
    QTest::newRow("inner NUL") << QByteArray("a\0b", 3) << QStringLiteral("a b");
    QTest::newRow("30 NULs") << QByteArray() << QString();
    QTest::newRow("30 spaces") << QByteArray(30, ' ') << QString();
    QTest::newRow("leading spaces kept") << QByteArray("  ab  ") << QStringLiteral("  ab");
    QTest::newRow("spaces and NULs mixed at the end")
        << QByteArray("ab \0 \0", 6) << QStringLiteral("ab");
    QTest::newRow("NUL first") << QByteArray("\0ab", 3) << QStringLiteral(" ab");
}

void TestId3Tag::textCleaning() {
    QFETCH(QByteArray, title);
    QFETCH(QString, expected);
    const std::optional<Id3Tag> tag = decodeId3Tag(titled(title));
    QVERIFY(tag);
    QCOMPARE(tag->title, expected);
}

void TestId3Tag::version_data() {
    QTest::addColumn<QByteArray>("trailer");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<int>("track");
    QTest::addColumn<QString>("version");

    TrailerFields f;
    f.comment = QByteArray(28, 'x');
    const QString x28(28, QLatin1Char('x'));
    QTest::newRow("0 then 7: track 7")
        << withTrack(makeTrailer(f), 7) << x28 << 7 << QStringLiteral("ID3v1.1");
    QTest::newRow("0 then 255: track 255")
        << withTrack(makeTrailer(f), 255) << x28 << 255 << QStringLiteral("ID3v1.1");

    f.comment = "short comment";
    QTest::newRow("0 then 0: no track")
        << makeTrailer(f) << QStringLiteral("short comment") << 0 << QStringLiteral("ID3v1.0");
    QTest::newRow("short comment with track")
        << withTrack(makeTrailer(f), 12) << QStringLiteral("short comment") << 12
        << QStringLiteral("ID3v1.1");

    // NULs inside the 28 bytes are cleaned after the cut, not mistaken for
    // the marker.
    f.comment = QByteArray("ab\0cd", 5);
    QTest::newRow("inner NUL, track 3") << withTrack(makeTrailer(f), 3) << QStringLiteral("ab cd")
                                        << 3 << QStringLiteral("ID3v1.1");

    f.comment = QByteArray(29, 'y') + 'z';
    QTest::newRow("both set: full 30 characters")
        << makeTrailer(f) << QString(29, QLatin1Char('y')) + QLatin1Char('z') << 0
        << QStringLiteral("ID3v1.0");

    f.comment = QByteArray(29, 'y');
    QTest::newRow("125 set, 126 zero")
        << makeTrailer(f) << QString(29, QLatin1Char('y')) << 0 << QStringLiteral("ID3v1.0");
}

void TestId3Tag::version() {
    QFETCH(QByteArray, trailer);
    QFETCH(QString, comment);
    QFETCH(int, track);
    QFETCH(QString, version);
    const std::optional<Id3Tag> tag = decodeId3Tag(trailer);
    QVERIFY(tag);
    QCOMPARE(tag->comment, comment);
    QCOMPARE(int(tag->track), track);
    QCOMPARE(tag->version, version);
}

void TestId3Tag::genre_data() {
    QTest::addColumn<int>("genre");
    QTest::newRow("0") << 0;
    QTest::newRow("255") << 255;
}

void TestId3Tag::genre() {
    QFETCH(int, genre);
    TrailerFields f;
    f.genre = static_cast<quint8>(genre);
    const std::optional<Id3Tag> tag = decodeId3Tag(makeTrailer(f));
    QVERIFY(tag);
    QCOMPARE(int(tag->genre), genre);
}

void TestId3Tag::textEncoding_data() {
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QString>("expected");

    const QString fffd(QChar(QChar::ReplacementCharacter));
    const QByteArray a27(27, 'a');
    const QString la27(27, QLatin1Char('a'));

    QTest::newRow("UTF-8") << QByteArray("Caf\xC3\xA9 \xE2\x82\xAC 5")
                           << QStringLiteral("Café € 5");
    QTest::newRow("UTF-8, four-byte character")
        << QByteArray("\xF0\x9F\x8E\xB5 x") << QStringLiteral("\U0001F3B5 x");
    QTest::newRow("Windows-1252 letter at the end")
        << QByteArray("Caf\xE9") << QStringLiteral("Café");
    QTest::newRow("Windows-1252 letters inside")
        << QByteArray("\xC9t\xE9 \xE0 Paris") << QStringLiteral("Été à Paris");
    QTest::newRow("Windows-1252 euro and quotes")
        << QByteArray("\x80 \x93x\x94") << QStringLiteral("€ “x”");
    QTest::newRow("Windows-1252 letter fills the field")
        << QByteArray(29, 'a') + '\xE9' << QString(29, QLatin1Char('a')) + QChar(0xE9);

    // A UTF-8 character cut off by the field's end.
    QTest::newRow("cut after 1 of 2 bytes, UTF-8 before")
        << QByteArray("\xC3\xA9") + a27 + '\xC3' << QStringLiteral("é") + la27 + fffd;
    QTest::newRow("cut after 2 of 3 bytes")
        << QByteArray(28, 'a') + "\xE2\x82" << QString(28, QLatin1Char('a')) + fffd;
    QTest::newRow("cut after 3 of 4 bytes") << a27 + "\xF0\x9F\x8E" << la27 + fffd;
    QTest::newRow("cut after 1 of 3 bytes, UTF-8 before")
        << QByteArray("\xC3\xA9") + a27 + '\xE2' << QStringLiteral("é") + la27 + fffd;
    // Bytes that cannot begin any character are no cut: the whole field is
    // Windows-1252 (E0 80 would be an overlong form).
    QTest::newRow("malformed tail")
        << QByteArray("\xC3\xA9") + QByteArray(26, 'a') + "\xE0\x80"
        << QStringLiteral("Ã©") + QString(26, QLatin1Char('a')) + QStringLiteral("à€");
}

void TestId3Tag::textEncoding() {
    QFETCH(QByteArray, title);
    QFETCH(QString, expected);
    QVERIFY(title.size() <= 30);
    const std::optional<Id3Tag> tag = decodeId3Tag(titled(title));
    QVERIFY(tag);
    QCOMPARE(tag->title, expected);
}

void TestId3Tag::readThroughFileSystem_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("found");

    QTest::newRow("exactly 128 bytes") << QStringLiteral("C:\\Music\\exact.mp3") << true;
    QTest::newRow("audio before the trailer") << QStringLiteral("C:\\Music\\long.mp3") << true;
    QTest::newRow("name in other letter case") << QStringLiteral("c:\\music\\LONG.MP3") << true;
    QTest::newRow("tag not at the end") << QStringLiteral("C:\\Music\\moved.mp3") << false;
    QTest::newRow("127 bytes") << QStringLiteral("C:\\Music\\short.mp3") << false;
    QTest::newRow("empty file") << QStringLiteral("C:\\Music\\empty.mp3") << false;
    QTest::newRow("missing file") << QStringLiteral("C:\\Music\\gone.mp3") << false;
    QTest::newRow("hidden file") << QStringLiteral("C:\\Music\\hidden.mp3") << false;
    QTest::newRow("system file") << QStringLiteral("C:\\Music\\system.mp3") << false;
    QTest::newRow("folder") << QStringLiteral("C:\\Music\\folder.mp3") << false;
    QTest::newRow("cannot be opened") << QStringLiteral("C:\\Music\\locked.mp3") << false;
    QTest::newRow("drive not ready") << QStringLiteral("E:\\a.mp3") << false;
}

void TestId3Tag::readThroughFileSystem() {
    QFETCH(QString, path);
    QFETCH(bool, found);

    const QByteArray trailer = titled("Song");
    FakeFileSystem fs;
    fs.addFile(QStringLiteral("C:\\Music\\exact.mp3"), trailer);
    fs.addFile(QStringLiteral("C:\\Music\\long.mp3"), QByteArray(5000, 'x') + trailer);
    fs.addFile(QStringLiteral("C:\\Music\\moved.mp3"), trailer + QByteArray(10, '\0'));
    fs.addFile(QStringLiteral("C:\\Music\\short.mp3"), trailer.sliced(1));
    fs.addFile(QStringLiteral("C:\\Music\\empty.mp3"));
    fs.addFile(QStringLiteral("C:\\Music\\hidden.mp3"), trailer, {true, false, false});
    fs.addFile(QStringLiteral("C:\\Music\\system.mp3"), trailer, {false, true, false});
    fs.addFolder(QStringLiteral("C:\\Music\\folder.mp3"));
    fs.addFile(QStringLiteral("C:\\Music\\locked.mp3"), trailer);
    fs.setUnopenable(QStringLiteral("C:\\Music\\locked.mp3"));
    fs.addFile(QStringLiteral("E:\\a.mp3"), trailer);
    fs.setDriveReady(QStringLiteral("E:\\"), false);

    const std::optional<Id3Tag> tag = readId3Tag(fs, path);
    QCOMPARE(tag.has_value(), found);
    if (found)
        QCOMPARE(tag->title, QStringLiteral("Song"));
}

QTEST_APPLESS_MAIN(TestId3Tag)
#include "tst_id3_tag.moc"
