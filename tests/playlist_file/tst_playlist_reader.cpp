// Reading .m3u files with Windows rules: line ends, the root decision, the
// missing-files question, encodings, and playlists that cannot be read.
#include "load_messages.h"
#include "platform/dialogs.h"
#include "playlist_file/file_commands.h"
#include "playlist_file/playlist_reader.h"
#include "playlist_file/playlist_writer.h"
#include "playlist_fixture.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Answers Yes to everything and notes what the playlist held at each box.
class SnapshotDialogs final : public Dialogs {
public:
    explicit SnapshotDialogs(const PlaylistDocument& document)
        : m_document(document) {}
    MessageAnswer showMessage(const MessageRequest& request) override {
        seen.append(m_document.entries());
        return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
    }
    std::optional<QString> showOpenFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> showSaveFile(const FileDialogRequest&) override { return std::nullopt; }

    QList<QStringList> seen;

private:
    const PlaylistDocument& m_document;
};

} // namespace

class TestPlaylistReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splitsLines_data();
    void splitsLines();
    void loads_data();
    void loads();
    void groupsDirectivesWithTheirEntries_data();
    void groupsDirectivesWithTheirEntries();
    void loadsExtendedPlaylists_data();
    void loadsExtendedPlaylists();
    void savesEachEntryBelowItsDirectives();
    void playlistChangesOnlyOnceEveryBoxIsAnswered();
    void unreadablePlaylistIsReported_data();
    void unreadablePlaylistIsReported();
};

void TestPlaylistReader::splitsLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("no terminator") << "a" << QStringList{u"a"_s};
    QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("LF alone") << "a\nb\n" << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("CR alone") << "a\rb" << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("LF CR is two ends") << "a\n\rb" << QStringList{u"a"_s, u""_s, u"b"_s};
    QTest::newRow("CR CR LF") << "a\r\r\nb" << QStringList{u"a"_s, u""_s, u"b"_s};
    QTest::newRow("blank lines kept") << "\r\n\n\r" << QStringList{u""_s, u""_s, u""_s};
    QTest::newRow("spaces and tabs kept") << " a\t \r\n  " << QStringList{u" a\t "_s, u"  "_s};
}

void TestPlaylistReader::splitsLines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(splitPlaylistLines(text), lines);
}

void TestPlaylistReader::loads_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("rootBefore");
    QTest::addColumn<Script>("script");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("root");
    QTest::addColumn<bool>("modified");

    const QString lists = u"D:\\Lists\\mix.m3u"_s;
    const QString a = u"C:\\Music\\a.mp3"_s;
    const QString b = u"C:\\Music\\b.mp3"_s;
    const QStringList ab{a, b};
    const QByteArray fourLines =
        "C:\\Music\\a.mp3\r\nC:\\gone.mp3\r\nC:\\Music\\b.mp3\r\nC:\\gone2";
    using A = MessageAnswer;

    QTest::newRow("empty file keeps the root")
        << lists << QByteArray() << QStringList{} << "C:\\Old\\" << Script{} << QStringList{}
        << "C:\\Old\\" << false;
    QTest::newRow("full paths clear the root, list sorted")
        << lists << QByteArray("C:\\Music\\b.mp3\r\nC:\\Music\\a.mp3\r\n") << ab << "C:\\Old\\"
        << Script{} << ab << "" << false;
    QTest::newRow("relative first line: the file's folder")
        << lists << QByteArray("Artist\\a.mp3\r\n") << QStringList{u"D:\\Lists\\Artist\\a.mp3"_s}
        << "" << Script{rootMessage(u"D:\\Lists\\"_s)} << QStringList{u"Artist\\a.mp3"_s}
        << "D:\\Lists\\" << false;
    QTest::newRow("relative first line in a drive's top folder")
        << "D:\\mix.m3u" << QByteArray("Artist\\a.mp3") << QStringList{u"D:\\Artist\\a.mp3"_s} << ""
        << Script{rootMessage(u"D:\\"_s)} << QStringList{u"Artist\\a.mp3"_s} << "D:\\" << false;
    QTest::newRow("blank line after the first entry, kept")
        << lists << QByteArray("C:\\Music\\a.mp3\r\n\r\nC:\\Music\\b.mp3\r\n") << ab << ""
        << Script{removeMissing(A::No)} << QStringList{u""_s, a, b} << "" << false;
    // "" joined to the old root names a folder holding a file; "   " does not.
    QTest::newRow("blank lines on top tested against the old root")
        << lists << QByteArray("\r\n   \r\nC:\\Music\\a.mp3") << ab << "C:\\Music\\"
        << Script{removeMissing(A::Yes)} << QStringList{u""_s, a} << "" << true;
    QTest::newRow("leading space makes a full path relative")
        << lists << QByteArray(" C:\\Music\\a.mp3\r\n") << ab << ""
        << Script{rootMessage(u"D:\\Lists\\"_s), removeMissing(A::Yes)} << QStringList{}
        << "D:\\Lists\\" << true;
    QTest::newRow("duplicate lines all kept")
        << lists << QByteArray("c:\\A.MP3\r\nC:\\a.mp3\r\nC:\\a.mp3\r\n")
        << QStringList{u"C:\\a.mp3"_s} << "" << Script{}
        << QStringList{u"C:\\a.mp3"_s, u"C:\\a.mp3"_s, u"c:\\A.MP3"_s} << "" << false;
    QTest::newRow("missing files kept on No")
        << lists << fourLines << ab << "" << Script{removeMissing(A::No)}
        << QStringList{u"C:\\gone.mp3"_s, u"C:\\gone2"_s, a, b} << "" << false;
    QTest::newRow("missing files left out on Yes, asked once")
        << lists << fourLines << ab << "" << Script{removeMissing(A::Yes)} << ab << "" << true;
    QTest::newRow("every file missing, Yes: empty and modified")
        << lists << fourLines << QStringList{} << "" << Script{removeMissing(A::Yes)}
        << QStringList{} << "" << true;
    QTest::newRow("relative line after a full first line fails")
        << lists << QByteArray("C:\\Music\\a.mp3\r\nMusic\\b.mp3\r\n") << ab << ""
        << Script{removeMissing(A::Yes)} << QStringList{a} << "" << true;
    QTest::newRow("byte-order mark skipped")
        << lists
        << QByteArray("\xEF\xBB\xBF"
                      "C:\\Music\\a.mp3\r\n")
        << ab << "" << Script{} << QStringList{a} << "" << false;
    QTest::newRow("lines ended by LF alone")
        << lists << QByteArray("C:\\Music\\a.mp3\nC:\\Music\\b.mp3\n") << ab << "" << Script{} << ab
        << "" << false;
    QTest::newRow("ANSI code page")
        << lists << QByteArray("C:\\Caf\xE9 \x80.mp3\r\n") << QStringList{u"C:\\Café €.mp3"_s} << ""
        << Script{} << QStringList{u"C:\\Café €.mp3"_s} << "" << false;
}

void TestPlaylistReader::loads() {
    QFETCH(QString, path);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, files);
    QFETCH(QString, rootBefore);
    QFETCH(Script, script);
    QFETCH(QStringList, entries);
    QFETCH(QString, root);
    QFETCH(bool, modified);

    PlaylistFixture<> f;
    f.fs.addFile(path, content);
    addFiles(f.fs, files);
    f.document.setRootPath(rootBefore);
    if (!modified)
        f.document.markModifiedWithoutChange();
    expect(f.dialogs, script);
    const DocumentSignals heard(f.document);

    loadPlaylist(f.document, f.fs, f.dialogs, path);

    QVERIFY(f.dialogs.done());
    QCOMPARE(f.entries(), entries);
    QCOMPARE(f.document.rootPath(), root);
    QCOMPARE(f.document.isModified(), modified);
    QVERIFY(f.document.isBoundToFile());
    // The window learns the new root and the flag from the document alone.
    QCOMPARE(heard.rootPaths(), root == rootBefore ? QStringList{} : QStringList{root});
    QVERIFY(!heard.modified().isEmpty());
    QCOMPARE(heard.modified().last(), modified);
    QCOMPARE(heard.filePaths(), QStringList{path});
    for (const ScriptedDialogs::Shown& shown : f.dialogs.shown()) {
        const bool question = shown.message.text == removeMissing(MessageAnswer::Yes).text;
        QCOMPARE(shown.message.icon, question ? MessageIcon::None : MessageIcon::Information);
        QCOMPARE(shown.message.buttons, question ? MessageButtons::YesNo : MessageButtons::Ok);
        if (question)
            QCOMPARE(shown.message.defaultButton, MessageAnswer::Yes);
    }
}

void TestPlaylistReader::groupsDirectivesWithTheirEntries_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QList<QStringList>>("directives");
    QTest::addColumn<QStringList>("trailer");

    using Runs = QList<QStringList>;
    QTest::newRow("plain list") << "a\r\n\r\n#b"
                                << "" << strings({"a", ""}) << Runs{{}, {}} << strings({"#b"});
    QTest::newRow("header, runs above their entries, trailer")
        << "#EXTM3U x=1\r\n#EXTINF:1,A\r\n#EXTVLCOPT:o\r\na\r\nb\r\n#EXTINF:2,C\r\nc\r\n#END"
        << "#EXTM3U x=1" << strings({"a", "b", "c"})
        << Runs{strings({"#EXTINF:1,A", "#EXTVLCOPT:o"}), {}, strings({"#EXTINF:2,C"})}
        << strings({"#END"});
    QTest::newRow("header only") << "#EXTM3U"
                                 << "#EXTM3U" << QStringList{} << Runs{} << QStringList{};
    QTest::newRow("a run with no entry is the trailer")
        << "#EXTINF:1,A\n#EXTINF:2,B"
        << "" << QStringList{} << Runs{} << strings({"#EXTINF:1,A", "#EXTINF:2,B"});
    QTest::newRow("header only on the first line")
        << "a\n#EXTM3U\nb"
        << "" << strings({"a", "b"}) << Runs{{}, strings({"#EXTM3U"})} << QStringList{};
    QTest::newRow("a blank line below a run takes it")
        << "#EXTINF:1,A\n\na"
        << "" << strings({"", "a"}) << Runs{strings({"#EXTINF:1,A"}), {}} << QStringList{};
    QTest::newRow("# after a space is an entry")
        << " #a\n#extm3u"
        << "" << strings({" #a"}) << Runs{{}} << strings({"#extm3u"});
}

void TestPlaylistReader::groupsDirectivesWithTheirEntries() {
    QFETCH(QString, text);
    QFETCH(QString, header);
    QFETCH(QStringList, entries);
    QFETCH(QList<QStringList>, directives);
    QFETCH(QStringList, trailer);

    const PlaylistLines playlist = parsePlaylistText(text);

    QCOMPARE(playlist.header, header);
    QCOMPARE(playlist.entries, entries);
    QCOMPARE(playlist.directives, directives);
    QCOMPARE(playlist.trailer, trailer);
    QCOMPARE(playlistFileLines(playlist), splitPlaylistLines(text));
}

void TestPlaylistReader::loadsExtendedPlaylists_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Script>("script");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QList<QStringList>>("directives");
    QTest::addColumn<QString>("root");
    using Runs = QList<QStringList>;
    using A = MessageAnswer;

    const QByteArray extended = "#EXTM3U\r\n#EXTINF:2,B\r\nC:\\Music\\b.mp3\r\n"
                                "#EXTINF:1,A\r\n#EXTVLCOPT:x\r\nC:\\Music\\a.mp3\r\n"
                                "#EXTINF:3,Gone\r\nC:\\Music\\gone.mp3\r\n";
    const QStringList a{u"#EXTINF:1,A"_s, u"#EXTVLCOPT:x"_s};
    const QStringList b{u"#EXTINF:2,B"_s};
    const QStringList gone{u"#EXTINF:3,Gone"_s};
    QTest::newRow("missing entry leaves with its directives on Yes")
        << extended << Script{removeMissing(A::Yes)}
        << strings({"C:\\Music\\a.mp3", "C:\\Music\\b.mp3"}) << Runs{a, b} << "";
    QTest::newRow("every line kept with its own on No")
        << extended << Script{removeMissing(A::No)}
        << strings({"C:\\Music\\a.mp3", "C:\\Music\\b.mp3", "C:\\Music\\gone.mp3"})
        << Runs{a, b, gone} << "";
    QTest::newRow("relative entries: the root from the first entry, not the header")
        << QByteArray("#EXTM3U\r\n#EXTINF:1,A\r\nMusic\\a.mp3\r\n")
        << Script{rootMessage(u"C:\\"_s)} << strings({"Music\\a.mp3"})
        << Runs{strings({"#EXTINF:1,A"})} << "C:\\";
    QTest::newRow("streams kept without a test and decide no root")
        << QByteArray("#EXTM3U\r\n#EXTINF:-1,Radio\r\nhttp://radio.example/live\r\n"
                      "mms://media.example/x\r\nMusic\\a.mp3\r\n")
        << Script{rootMessage(u"C:\\"_s)}
        << strings({"http://radio.example/live", "mms://media.example/x", "Music\\a.mp3"})
        << Runs{strings({"#EXTINF:-1,Radio"}), {}, {}} << "C:\\";
    QTest::newRow("file URLs looked up as the path they name")
        << QByteArray("file:///C:/Music/a%20b.mp3\r\nfile://localhost/C:/Music/a.mp3\r\n"
                      "FILE:///c:/music/gone.mp3\r\n")
        << Script{removeMissing(A::Yes)}
        << strings({"file:///C:/Music/a%20b.mp3", "file://localhost/C:/Music/a.mp3"})
        << Runs{{}, {}} << "C:\\Old\\";
}

// An extended playlist whose files all exist asks nothing; a missing entry
// goes with the lines that described it.
void TestPlaylistReader::loadsExtendedPlaylists() {
    QFETCH(QByteArray, content);
    QFETCH(Script, script);
    QFETCH(QStringList, entries);
    QFETCH(QList<QStringList>, directives);
    QFETCH(QString, root);
    PlaylistFixture<> f;
    f.fs.addFile(u"C:\\mix.m3u"_s, content);
    addFiles(f.fs, {u"C:\\Music\\a.mp3"_s, u"C:\\Music\\b.mp3"_s, u"C:\\Music\\a b.mp3"_s});
    f.document.setRootPath(u"C:\\Old\\"_s);
    expect(f.dialogs, script);

    openPlaylistFile(f.document, f.fs, f.dialogs, u"C:\\mix.m3u"_s);

    QVERIFY(f.dialogs.done());
    QCOMPARE(f.entries(), entries);
    QCOMPARE(f.document.directives(), directives);
    QCOMPARE(f.document.header(), content.startsWith("#EXTM3U") ? u"#EXTM3U"_s : QString());
    QCOMPARE(f.document.rootPath(), root);
}

// Save writes the header, then every entry below its own directives in list
// order, then the trailer; a removed entry takes its lines along.
void TestPlaylistReader::savesEachEntryBelowItsDirectives() {
    PlaylistFixture<> f;
    const QString path = u"C:\\Music\\mix.m3u"_s;
    f.fs.addFile(path, "#EXTM3U\r\n#EXTINF:3,C\r\nc.mp3\r\n#EXTINF:1,A\r\na.mp3\r\n"
                       "#EXTINF:2,B\r\n#EXTGRP:x\r\nb.mp3\r\n#EXT-X-ENDLIST");
    addFiles(f.fs, {u"C:\\Music\\a.mp3"_s, u"C:\\Music\\b.mp3"_s, u"C:\\Music\\c.mp3"_s});
    expect(f.dialogs, {rootMessage(u"C:\\Music\\"_s)});
    openPlaylistFile(f.document, f.fs, f.dialogs, path);
    f.document.removeRows({2}); // c.mp3
    f.document.addFile(u"C:\\Music\\#1\\d.mp3"_s);

    savePlaylist(f.document, f.fs, f.dialogs);

    QVERIFY(f.dialogs.done());
    QCOMPARE(f.fs.content(path), "#EXTM3U\r\n.\\#1\\d.mp3\r\n#EXTINF:1,A\r\na.mp3\r\n"
                                 "#EXTINF:2,B\r\n#EXTGRP:x\r\nb.mp3\r\n#EXT-X-ENDLIST\r\n");
    expect(f.dialogs, {rootMessage(u"C:\\Music\\"_s)});
    f.fs.addFile(u"C:\\Music\\#1\\d.mp3"_s);
    openPlaylistFile(f.document, f.fs, f.dialogs, path);
    QVERIFY(f.dialogs.done());
    QCOMPARE(f.entries(), strings({".\\#1\\d.mp3", "a.mp3", "b.mp3"}));
    QCOMPARE(f.document.trailer(), strings({"#EXT-X-ENDLIST"}));
}

// The boxes let the window repaint: it goes on showing the playlist being
// replaced until every box is answered, and then the whole new one at once.
void TestPlaylistReader::playlistChangesOnlyOnceEveryBoxIsAnswered() {
    FakeFileSystem fs;
    PlaylistDocument document(fs.rules());
    document.insertEntry(u"C:\\old.mp3"_s);
    SnapshotDialogs dialogs(document);
    fs.addFile(u"D:\\Lists\\mix.m3u"_s, "b.mp3\r\na.mp3\r\ngone.mp3\r\nc.mp3\r\n");
    addFiles(fs, {u"D:\\Lists\\a.mp3"_s, u"D:\\Lists\\b.mp3"_s, u"D:\\Lists\\c.mp3"_s});

    loadPlaylist(document, fs, dialogs, u"D:\\Lists\\mix.m3u"_s);

    QCOMPARE(dialogs.seen, QList<QStringList>(2, {u"C:\\old.mp3"_s}));
    QCOMPARE(document.entries(), (QStringList{u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s}));
}

void TestPlaylistReader::unreadablePlaylistIsReported_data() {
    QTest::addColumn<bool>("vanishes");
    QTest::newRow("cannot be opened") << false;
    QTest::newRow("gone between the existence test and the read") << true;
}

// Nothing was read, so the playlist stays as it was: its entries, root and
// name. Open unbound it before its dialog, as it always does.
void TestPlaylistReader::unreadablePlaylistIsReported() {
    QFETCH(bool, vanishes);
    const QString path = u"C:\\Lists\\mix.m3u"_s;
    PlaylistFixture<> f;
    f.fs.addFile(path, "C:\\a.mp3\r\n");
    f.fs.addFile(u"C:\\a.mp3"_s);
    if (vanishes)
        f.fs.setBeforeRead([&](const QString& read) { f.fs.remove(read); });
    else
        f.fs.setUnopenable(path);
    f.document.unbindFrom(u"C:\\Music\\old.m3u"_s);
    f.setEntries(u"C:\\Music\\"_s, {u"x.mp3"_s});
    f.dialogs.expectOpen(path);
    f.dialogs.expectMessage({});
    const DocumentSignals heard(f.document);
    QString dialogFileName;

    openPlaylist(f.document, f.fs, f.dialogs, u"C:\\Lists"_s, dialogFileName);

    QVERIFY(f.dialogs.done());
    const MessageRequest& shown = f.dialogs.lastMessage();
    QCOMPARE(shown.icon, MessageIcon::Exclamation);
    QVERIFY2(shown.text.contains(path), qPrintable(shown.text));
    QVERIFY2(shown.text.contains(vanishes ? "No such file"_L1 : "Permission denied"_L1),
             qPrintable(shown.text));
    QCOMPARE(f.document.filePath(), u"C:\\Music\\old.m3u"_s);
    QCOMPARE(heard.count(), 0);
    QCOMPARE(f.entries(), QStringList{u"x.mp3"_s});
    QCOMPARE(f.document.rootPath(), u"C:\\Music\\"_s);
    QVERIFY(!f.document.isBoundToFile());
    QVERIFY(!f.document.isModified());
}

QTEST_APPLESS_MAIN(TestPlaylistReader)
#include "tst_playlist_reader.moc"
