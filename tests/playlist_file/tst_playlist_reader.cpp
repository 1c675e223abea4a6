// Reading .m3u files with Windows rules: line ends, the root decision, the
// missing-files question, encodings, and playlists that cannot be read.
#include "fake_file_system.h"
#include "platform/dialogs.h"
#include "playlist_file/file_commands.h"
#include "playlist_file/playlist_reader.h"
#include "session.h"

#include <QTest>

namespace {

// Answers Yes to everything and notes what the playlist held at each box.
class SnapshotDialogs final : public Dialogs {
public:
    explicit SnapshotDialogs(const PlaylistModel& playlist)
        : m_playlist(playlist) {}
    MessageAnswer message(const MessageRequest& request) override {
        seen.append({request.text, m_playlist.entries()});
        return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
    }
    std::optional<QString> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileDialogRequest&) override { return std::nullopt; }

    QList<std::pair<QString, QStringList>> seen;

private:
    const PlaylistModel& m_playlist;
};

} // namespace

class TestPlaylistReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splitsLines_data();
    void splitsLines();
    void loads_data();
    void loads();
    void listIsInOrderWheneverABoxIsShown();
    void unreadablePlaylistIsReported_data();
    void unreadablePlaylistIsReported();
};

void TestPlaylistReader::splitsLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("no terminator") << "a" << QStringList{"a"};
    QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("LF alone") << "a\nb\n" << QStringList{"a", "b"};
    QTest::newRow("CR alone") << "a\rb" << QStringList{"a", "b"};
    QTest::newRow("LF CR is two ends") << "a\n\rb" << QStringList{"a", "", "b"};
    QTest::newRow("CR CR LF") << "a\r\r\nb" << QStringList{"a", "", "b"};
    QTest::newRow("blank lines kept") << "\r\n\n\r" << QStringList{"", "", ""};
    QTest::newRow("spaces and tabs kept") << " a\t \r\n  " << QStringList{" a\t ", "  "};
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
    QTest::addColumn<bool>("unsaved");

    const QString lists = "D:\\Lists\\mix.m3u";
    const QStringList ab{"C:\\Music\\a.mp3", "C:\\Music\\b.mp3"};
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
        << lists << QByteArray("Artist\\a.mp3\r\n") << QStringList{"D:\\Lists\\Artist\\a.mp3"} << ""
        << Script{rootMessage("D:\\Lists\\")} << QStringList{"Artist\\a.mp3"} << "D:\\Lists\\"
        << false;
    QTest::newRow("relative first line in a drive's top folder")
        << "D:\\mix.m3u" << QByteArray("Artist\\a.mp3") << QStringList{"D:\\Artist\\a.mp3"} << ""
        << Script{rootMessage("D:\\")} << QStringList{"Artist\\a.mp3"} << "D:\\" << false;
    QTest::newRow("blank line after the first entry, kept")
        << lists << QByteArray("C:\\Music\\a.mp3\r\n\r\nC:\\Music\\b.mp3\r\n") << ab << ""
        << Script{removeMissing(A::No)} << QStringList{"", ab[0], ab[1]} << "" << false;
    // "" joined to the old root names a folder holding a file; "   " does not.
    QTest::newRow("blank lines on top tested against the old root")
        << lists << QByteArray("\r\n   \r\nC:\\Music\\a.mp3") << ab << "C:\\Music\\"
        << Script{removeMissing(A::Yes)} << QStringList{"", ab[0]} << "" << true;
    QTest::newRow("leading space makes a full path relative")
        << lists << QByteArray(" C:\\Music\\a.mp3\r\n") << ab << ""
        << Script{rootMessage("D:\\Lists\\"), removeMissing(A::Yes)} << QStringList{}
        << "D:\\Lists\\" << true;
    QTest::newRow("duplicate lines all kept")
        << lists << QByteArray("c:\\A.MP3\r\nC:\\a.mp3\r\nC:\\a.mp3\r\n")
        << QStringList{"C:\\a.mp3"} << "" << Script{}
        << QStringList{"C:\\a.mp3", "C:\\a.mp3", "c:\\A.MP3"} << "" << false;
    QTest::newRow("missing files kept on No")
        << lists << fourLines << ab << "" << Script{removeMissing(A::No)}
        << QStringList{"C:\\gone.mp3", "C:\\gone2", ab[0], ab[1]} << "" << false;
    QTest::newRow("missing files left out on Yes, asked once")
        << lists << fourLines << ab << "" << Script{removeMissing(A::Yes)} << ab << "" << true;
    QTest::newRow("relative line after a full first line fails")
        << lists << QByteArray("C:\\Music\\a.mp3\r\nMusic\\b.mp3\r\n") << ab << ""
        << Script{removeMissing(A::Yes)} << QStringList{ab[0]} << "" << true;
    QTest::newRow("byte-order mark skipped")
        << lists
        << QByteArray("\xEF\xBB\xBF"
                      "C:\\Music\\a.mp3\r\n")
        << ab << "" << Script{} << QStringList{ab[0]} << "" << false;
    QTest::newRow("directives do not decide the root, removed on Yes")
        << lists << QByteArray("#EXTM3U\r\n#EXTINF:201,Artist - A\r\nC:\\Music\\a.mp3\r\n") << ab
        << "" << Script{removeMissing(A::Yes)} << QStringList{ab[0]} << "" << true;
    QTest::newRow("directives kept on No")
        << lists << QByteArray("#EXTM3U\r\n#EXTINF:201,Artist - A\r\nC:\\Music\\a.mp3\r\n") << ab
        << "" << Script{removeMissing(A::No)}
        << QStringList{"#EXTINF:201,Artist - A", "#EXTM3U", ab[0]} << "" << false;
    QTest::newRow("lines ended by LF alone")
        << lists << QByteArray("C:\\Music\\a.mp3\nC:\\Music\\b.mp3\n") << ab << "" << Script{} << ab
        << "" << false;
    QTest::newRow("ANSI code page")
        << lists << QByteArray("C:\\Caf\xE9 \x80.mp3\r\n") << QStringList{"C:\\Café €.mp3"} << ""
        << Script{} << QStringList{"C:\\Café €.mp3"} << "" << false;
}

void TestPlaylistReader::loads() {
    QFETCH(QString, path);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, files);
    QFETCH(QString, rootBefore);
    QFETCH(Script, script);
    QFETCH(QStringList, entries);
    QFETCH(QString, root);
    QFETCH(bool, unsaved);

    Session<FakeFileSystem> s;
    s.fs.addFile(path, content);
    for (const QString& file : files)
        s.fs.addFile(file);
    s.state.playlist.setRootPath(rootBefore);
    s.state.bUnsaved = !unsaved;
    expect(s.dialogs, script);

    LoadPlaylist(s.ctx, path);

    QCOMPARE(s.state.playlist.entries(), entries);
    QCOMPARE(s.state.playlist.rootPath(), root);
    QCOMPARE(s.state.bUnsaved, unsaved);
    QVERIFY(s.state.bBoundFile);
    QVERIFY(s.dialogs.done());
    QCOMPARE(s.window.refreshCount, 0);
    for (const ScriptedDialogs::Shown& shown : s.dialogs.shown()) {
        const bool question = shown.message.text == removeMissing(MessageAnswer::Yes).text;
        QCOMPARE(shown.message.icon, question ? MessageIcon::None : MessageIcon::Information);
        QCOMPARE(shown.message.buttons, question ? MessageButtons::YesNo : MessageButtons::Ok);
        if (question)
            QCOMPARE(shown.message.defaultButton, MessageAnswer::Yes);
    }
}

// The boxes let the window repaint, so the lines read so far must already be
// in the list, in order.
void TestPlaylistReader::listIsInOrderWheneverABoxIsShown() {
    FakeFileSystem fs;
    FormState state(fs.rules());
    SnapshotDialogs dialogs(state.playlist);
    FakeWindowServices window;
    CommandContext ctx{state, fs, dialogs, window};
    fs.addFile("D:\\Lists\\mix.m3u", "b.mp3\r\na.mp3\r\ngone.mp3\r\nc.mp3\r\n");
    for (const char* name : {"a", "b", "c"})
        fs.addFile(QStringLiteral("D:\\Lists\\%1.mp3").arg(QLatin1String(name)));

    LoadPlaylist(ctx, "D:\\Lists\\mix.m3u");

    QCOMPARE(dialogs.seen.size(), 2);
    QCOMPARE(dialogs.seen[0].second, QStringList{});
    QCOMPARE(dialogs.seen[1].second, (QStringList{"a.mp3", "b.mp3"}));
    QCOMPARE(state.playlist.entries(), (QStringList{"a.mp3", "b.mp3", "c.mp3"}));
}

void TestPlaylistReader::unreadablePlaylistIsReported_data() {
    QTest::addColumn<bool>("vanishes");
    QTest::newRow("cannot be opened") << false;
    QTest::newRow("gone between the existence test and the read") << true;
}

void TestPlaylistReader::unreadablePlaylistIsReported() {
    QFETCH(bool, vanishes);
    const QString path = "C:\\Lists\\mix.m3u";
    Session<FakeFileSystem> s;
    s.fs.addFile(path, "C:\\a.mp3\r\n");
    s.fs.addFile("C:\\a.mp3");
    if (vanishes)
        s.fs.setBeforeRead([&](const QString& read) { s.fs.remove(read); });
    else
        s.fs.setUnopenable(path);
    s.state.sCurrentPlaylist = "C:\\Music\\old.m3u";
    s.state.playlist.setRootPath("C:\\Music\\");
    s.setEntries({"x.mp3"});
    s.dialogs.expectOpen(path);
    s.dialogs.expectMessage({});

    mnuFileOpen_Click(s.ctx);

    const MessageRequest& shown = s.dialogs.lastMessage();
    QCOMPARE(shown.icon, MessageIcon::Exclamation);
    QVERIFY2(shown.text.contains(path), qPrintable(shown.text));
    QVERIFY2(shown.text.contains(vanishes ? "No such file" : "Permission denied"),
             qPrintable(shown.text));
    QCOMPARE(s.state.sCurrentPlaylist, path);
    QVERIFY(s.state.playlist.entries().isEmpty());
    QCOMPARE(s.state.playlist.rootPath(), "C:\\Music\\");
    QVERIFY(!s.state.bBoundFile);
    QVERIFY(!s.state.bUnsaved);
    QCOMPARE(s.window.refreshCount, 1);
}

QTEST_APPLESS_MAIN(TestPlaylistReader)
#include "tst_playlist_reader.moc"
