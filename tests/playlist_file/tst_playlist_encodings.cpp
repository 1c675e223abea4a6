// Every line of a playlist survives the round trip, whatever its encoding:
// bytes in, what the list shows, and bytes out after a save without a change
// and after an added entry and a new root. And names on disk that are not
// UTF-8, found and kept.
#include "load_messages.h"
#include "playlist_file/file_commands.h"
#include "playlist_file/playlist_reader.h"
#include "playlist_fixture.h"

#include <QStringEncoder>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Text as UTF-16, without a mark.
QByteArray utf16(const QString& text, bool bigEndian = false) {
    return QStringEncoder(bigEndian ? QStringConverter::Utf16BE : QStringConverter::Utf16LE)
        .encode(text);
}

const QByteArray kLe("\xFF\xFE");
const QByteArray kBe("\xFE\xFF");

QStringList shownEntries(PlaylistDocument& document) {
    QStringList shown;
    for (int row = 0; row < document.count(); ++row)
        shown.append(document.model()->index(row).data().toString());
    return shown;
}

} // namespace

class TestPlaylistEncodings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyLineSurvives_data();
    void everyLineSurvives();
    void namesOnDiskThatAreNotUtf8AreFoundAndKept();
};

// No file of these lists exists: the load keeps them all (No). A save
// without a change gives the same bytes (`saved` when it differs, for line
// ends); then "/m/ñ.mp3" is added and the root becomes the list's folder, and
// the save must keep each old line's encoding and write the new one in the
// file's.
void TestPlaylistEncodings::everyLineSurvives_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<QByteArray>("changed");

    // A Latin-1 line holding a character of four UTF-8 bytes, whose second
    // half is in the escapes' range and must not be taken for one.
    QTest::newRow("mixed UTF-8 and Latin-1 lines")
        << QByteArray("/m/caf\xC3\xA9.mp3\r\n/m/na\xEFve \xF0\x9F\x92\x80.mp3\r\n")
        << QStringList{u"/m/café.mp3"_s, u"/m/naïve ðŸ’€.mp3"_s} << QByteArray()
        << QByteArray("caf\xC3\xA9.mp3\r\nna\xEFve \xF0\x9F\x92\x80.mp3\r\n\xC3\xB1.mp3\r\n");
    QTest::newRow("a Latin-1 #EXTINF above a UTF-8 entry")
        << QByteArray("#EXTM3U\r\n#EXTINF:1,Caf\xE9\r\n/m/caf\xC3\xA9.mp3\r\n")
        << QStringList{u"/m/café.mp3"_s} << QByteArray()
        << QByteArray("#EXTM3U\r\n#EXTINF:1,Caf\xE9\r\ncaf\xC3\xA9.mp3\r\n\xC3\xB1.mp3\r\n");
    // Lines that are not UTF-8 sort after the UTF-8 ones.
    QTest::newRow("a whole Windows-1252 file, bytes 0x80-0x9F")
        << QByteArray("#EXTM3U\r\n#EXTINF:1,\x93Hi\x94\r\n/m/\xC9t\xE9 \x80\x81.mp3\r\n")
        << QStringList{u"/m/Été €\u0081.mp3"_s} << QByteArray()
        << QByteArray(
               "#EXTM3U\r\n\xC3\xB1.mp3\r\n#EXTINF:1,\x93Hi\x94\r\n\xC9t\xE9 \x80\x81.mp3\r\n");
    QTest::newRow("UTF-16 LE with a mark")
        << kLe + utf16(u"#EXTM3U\n/m/été.mp3\n"_s) << QStringList{u"/m/été.mp3"_s}
        << kLe + utf16(u"#EXTM3U\r\n/m/été.mp3\r\n"_s)
        << kLe + utf16(u"#EXTM3U\r\nété.mp3\r\nñ.mp3\r\n"_s);
    QTest::newRow("UTF-16 BE with a mark")
        << kBe + utf16(u"/m/été.mp3\r\n"_s, true) << QStringList{u"/m/été.mp3"_s} << QByteArray()
        << kBe + utf16(u"été.mp3\r\nñ.mp3\r\n"_s, true);
    QTest::newRow("UTF-16 without a mark")
        << utf16(u"/m/a.mp3\r\n/m/b.mp3"_s) << QStringList{u"/m/a.mp3"_s, u"/m/b.mp3"_s}
        << utf16(u"/m/a.mp3\r\n/m/b.mp3\r\n"_s) << utf16(u"a.mp3\r\nb.mp3\r\nñ.mp3\r\n"_s);
    QTest::newRow("a UTF-8 mark") << QByteArray("\xEF\xBB\xBF/m/caf\xC3\xA9.mp3\r\n")
                                  << QStringList{u"/m/café.mp3"_s} << QByteArray()
                                  << QByteArray("\xEF\xBB\xBF"
                                                "caf\xC3\xA9.mp3\r\n\xC3\xB1.mp3\r\n");
    QTest::newRow("a lone surrogate from an earlier release")
        << QByteArray("/m/x\xED\xA0\x80.mp3\r\n") << QStringList{u"/m/xí\u00A0€.mp3"_s}
        << QByteArray() << QByteArray("x\xED\xA0\x80.mp3\r\n\xC3\xB1.mp3\r\n");
}

void TestPlaylistEncodings::everyLineSurvives() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, shown);
    QFETCH(QByteArray, saved);
    QFETCH(QByteArray, changed);
    const QString path = u"/m/mix.m3u"_s;
    PlaylistFixture<> f(PathRules::posix());
    f.fs.addFile(path, content);
    expect(f.dialogs, {removeMissing(MessageAnswer::No)});

    openPlaylistFile(f.document, f.fs, f.dialogs, path);
    QVERIFY(f.dialogs.done());
    QCOMPARE(shownEntries(f.document), shown);

    f.document.markModifiedWithoutChange();
    savePlaylist(f.document, f.fs, f.dialogs);
    QCOMPARE(f.fs.content(path), saved.isEmpty() ? content : saved);

    QCOMPARE(f.document.addFile(u"/m/ñ.mp3"_s), PlaylistDocument::AddResult::Added);
    QVERIFY(f.document.changeRoot(u"/m/"_s));
    savePlaylist(f.document, f.fs, f.dialogs);
    QCOMPARE(f.fs.content(path), changed);
    QVERIFY(f.dialogs.done());
}

// On a real disk, below a folder named in UTF-8: a name in Latin-1 and a
// line written on Windows in its code page are both found (no question), and
// a save gives the same bytes.
void TestPlaylistEncodings::namesOnDiskThatAreNotUtf8AreFoundAndKept() {
    NativeTree tree;
    const QString folder = tree.path(u"Bibliothèque"_s);
    tree.makeFile(u"Bibliothèque/Music/Été.mp3"_s);
    const QByteArray latin1 = QFile::encodeName(folder) + "/Music/caf\xE9.mp3";
    QVERIFY(::close(::creat(latin1.constData(), 0644)) == 0);
    const QByteArray content = "#EXTINF:1,Caf\xE9\r\nMusic/caf\xE9.mp3\r\nMusic\\\xC9t\xE9.mp3\r\n";
    tree.makeFile(u"Bibliothèque/mix.m3u"_s, content);
    PlaylistFixture<NativeFileSystem> f;
    expect(f.dialogs, {rootMessage(folder + u"/"_s)});

    openPlaylistFile(f.document, f.fs, f.dialogs, folder + u"/mix.m3u"_s);
    QVERIFY(f.dialogs.done());
    QCOMPARE(shownEntries(f.document), (QStringList{u"Music/café.mp3"_s, u"Music\\Été.mp3"_s}));

    f.document.markModifiedWithoutChange();
    savePlaylist(f.document, f.fs, f.dialogs);
    QCOMPARE(tree.read(u"Bibliothèque/mix.m3u"_s), content);
}

QTEST_GUILESS_MAIN(TestPlaylistEncodings)
#include "tst_playlist_encodings.moc"
